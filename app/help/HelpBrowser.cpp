#include "HelpBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPalette>

#include "PageCommands.h"
#include "cFileSys.h"
#include "shell/Services.h"
#include "shell/WholeFile.h"

namespace wl {

namespace {
const QString kStatusScheme = QStringLiteral("status");
const QString kFilePrefix = QStringLiteral("file:///");
// Pages above this size are not shown: a help page is a few kilobytes.
constexpr qint64 kLargestPage = 16 * 1024 * 1024;

QString StatusCommand(const QUrl& url) {
  return url.toString(QUrl::FullyDecoded).mid(kStatusScheme.size() + 1);
}
}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  QPalette p = palette();
  p.setColor(QPalette::Base, QColor(0x3a, 0x39, 0x3e));
  p.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xec));
  p.setColor(QPalette::Link, QColor(0xff, 0xc4, 0x50));
  p.setColor(QPalette::Highlight, QColor(0xff, 0xc4, 0x50));
  p.setColor(QPalette::HighlightedText, Qt::black);
  setPalette(p);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::LinkClicked);
  connect(this, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
          &HelpBrowser::LinkHovered);
}

int HelpBrowser::Version() {
  return QT_VERSION_MAJOR;
}

QString HelpBrowser::ReportedAddress(const QUrl& url) {
  if (!url.isLocalFile()) return url.toString();
  const QString key = cFileSys::KeyForm(url.toLocalFile());
  if (!url.hasFragment()) return key;
  QString path = key;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'))
      .replace(QLatin1String(" "), QLatin1String("%20"));
  return kFilePrefix + path + QLatin1Char('#') + url.fragment();
}

void HelpBrowser::Navigate(const QString& address) {
  bool cancel = false;
  emit BeforeNavigate(address, &cancel);
  if (!cancel) Load(address);
}

void HelpBrowser::Load(const QString& address) {
  QString key = address;
  if (key.startsWith(kFilePrefix, Qt::CaseInsensitive)) {
    key = QUrl::fromPercentEncoding(key.mid(kFilePrefix.size()).toUtf8());
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
  }
  QString anchor;
  if (const auto hash = key.indexOf(QLatin1Char('#')); hash >= 0) {
    anchor = key.mid(hash + 1);
    key = key.left(hash);
  }
  const auto real = ResolvePage ? ResolvePage(key) : cFileSys::RealPath(key);
  if (!real) return;
  // A page that went missing, cannot be read or is far too big for a page
  // gets a short note instead; the program goes on.
  const QFileInfo file(*real);
  if (!file.isReadable()) {
    ShowNote(QStringLiteral("This page cannot be read"),
             QStringLiteral("Wavelore could not open %1. It may have been moved, or you may not "
                            "have the right to read it.")
                 .arg(file.filePath().toHtmlEscaped()));
    return;
  }
  if (file.size() > kLargestPage) {
    ShowNote(QStringLiteral("This page is too large"),
             QStringLiteral("%1 holds %2 MB, far more than a help page; Wavelore does not show it.")
                 .arg(file.filePath().toHtmlEscaped())
                 .arg(file.size() / (1024 * 1024)));
    return;
  }
  QUrl url = QUrl::fromLocalFile(*real);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  setSource(url, QTextDocument::HtmlResource);
}

void HelpBrowser::ShowNote(const QString& heading, const QString& text) {
  setSource(QUrl());
  setHtml(QStringLiteral("<h2>%1</h2><p>%2</p><p><a href=\"status:OS\">View an Orbital</a></p>")
              .arg(heading.toHtmlEscaped(), text));
}

void HelpBrowser::SavePage(const QString& folder) {
  if (!source().isLocalFile()) return;
  QFile page(source().toLocalFile());
  const QString name = QFileInfo(page.fileName()).fileName();
  const auto target = AppServices().Files->SaveFileName(
      this, QStringLiteral("Save..."), QDir(folder).filePath(name),
      {QStringLiteral("Web pages (*.htm *.html)")});
  if (!target) return;
  std::optional<QString> error;
  if (!page.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("Cannot read %1: %2")
                .arg(QDir::toNativeSeparators(page.fileName()), page.errorString());
  } else {
    error = WriteWholeFile(*target, page.readAll());
  }
  if (error) {
    MsgBox(window(), QStringLiteral("Error: ") + *error, QStringLiteral("Error"),
           MsgIcon::Critical);
  }
}

void HelpBrowser::PrintPage() {
  QString error;
  AppServices().Printer->PrintDocument(this, *document(), error);
}

void HelpBrowser::LinkClicked(const QUrl& link) {
  if (link.scheme() == kStatusScheme) {
    emit StatusTextChange(StatusCommand(link));
    return;
  }
  const QUrl url = source().resolved(link);
  Navigate(ReportedAddress(url));
}

void HelpBrowser::LinkHovered(const QUrl& url) {
  const QString command = url.scheme() == kStatusScheme ? StatusCommand(url) : QString();
  if (command.startsWith(QLatin1String("OV"))) {
    // A link that opens an orbital says which one.
    HoveringStatus_ = true;
    emit StatusTextChange(QStringLiteral("ST") + OrbitalLinkHint(ParseOrbitalLink(command.mid(2))));
  } else if (command.startsWith(QLatin1String("ST"))) {
    HoveringStatus_ = true;
    emit StatusTextChange(command);
  } else if (HoveringStatus_) {
    HoveringStatus_ = false;
    emit StatusTextChange(QStringLiteral("RS"));
  }
}

}  // namespace wl
