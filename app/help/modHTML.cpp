#include "modHTML.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include "cFileSys.h"
#include "shell/Services.h"

namespace wl::modHTML {

QString GetHTMLTitle(const QString& Path) {
  const auto real = cFileSys::RealPath(Path);
  if (!real) return {};
  QFile file(*real);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&file);
  QString line;
  // The title sits at the top of a page; a file without one is not read to
  // its end (a huge file would hold up the start).
  constexpr qint64 kSearched = 1024 * 1024;
  qint64 read = 0;
  while (read < kSearched && in.readLineInto(&line)) {
    read += line.size() + 1;
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1String("<TITLE>"), Qt::CaseInsensitive)) continue;
    const auto close = trimmed.indexOf(QLatin1String("</TITLE>"), 7, Qt::CaseInsensitive);
    QString title = close < 0 ? trimmed.mid(7) : trimmed.mid(7, close - 7);
    static const QRegularExpression amp(QStringLiteral("&amp;"),
                                        QRegularExpression::CaseInsensitiveOption);
    title.replace(amp, QStringLiteral("&"));
    return title;
  }
  return {};
}

bool OpenDocument(const QString& Target) {
  return AppServices().OpenExternal && AppServices().OpenExternal(Target);
}

}  // namespace wl::modHTML
