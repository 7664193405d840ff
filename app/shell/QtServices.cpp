#include "QtServices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>
#include <QUrl>

#if WL_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace wl {

namespace {
constexpr Long kPresentWidth = 800;
constexpr Long kPresentHeight = 600;
}  // namespace

MsgAnswer QtMessageBoxService::Show(QWidget* parent, const QString& text, const QString& title,
                                    MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(parent);
  box.setWindowTitle(title);
  box.setText(text);
  switch (icon) {
    case MsgIcon::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case MsgIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case MsgIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MsgIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MsgIcon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  if (buttons == MsgButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  QPushButton* pdf = nullptr;
  if (buttons == MsgButtons::OKSaveAsPdf) {
    pdf = box.addButton(QStringLiteral("Save as PDF..."), QMessageBox::ActionRole);
    pdf->setObjectName(QStringLiteral("cmdSaveAsPdf"));
  }
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return pdf && box.clickedButton() == pdf ? MsgAnswer::SaveAsPdf : MsgAnswer::OK;
}

std::optional<QString> QtFileDialogService::SaveFileName(QWidget* parent, const QString& caption,
                                                         const QString& startPath,
                                                         const QStringList& filters,
                                                         QString* chosenFilter) {
  QFileDialog dialog(parent, caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  // The extension of the chosen filter goes on a name typed without one, so
  // the overwrite question is about the file that will be written.
  const auto useSuffixOf = [&dialog](const QString& filter) {
    // "PNG images (*.png)" -> "png"
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)")).match(filter);
    dialog.setDefaultSuffix(m.hasMatch() ? m.captured(1) : QString());
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useSuffixOf);
  const QString initialFilter = filters.value(0);
  dialog.selectNameFilter(initialFilter);
  useSuffixOf(initialFilter);
  const QFileInfo start(startPath);
  dialog.setDirectory(start.absolutePath());
  dialog.selectFile(start.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString name = dialog.selectedFiles().first();
  if (name.isEmpty()) return std::nullopt;
  if (chosenFilter) *chosenFilter = dialog.selectedNameFilter();
  return name;
}

std::optional<QString> QtFileDialogService::OpenFileName(QWidget* parent, const QString& caption,
                                                         const QString& startFolder,
                                                         const QStringList& filters) {
  QFileDialog dialog(parent, caption, startFolder);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

bool QtPrinterService::HasPrinter() {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

namespace {
// The printer dialog without print-to-file, page range or selection.
bool ChoosePrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  return dialog.exec() == QDialog::Accepted;
}
}  // namespace

DialogOutcome QtPrinterService::PrintDocument(QWidget* parent, const QTextDocument& document,
                                              QString& error) {
  QPrinter printer;
  if (!ChoosePrinter(printer, parent)) return DialogOutcome::Cancelled;
  document.print(&printer);
  if (printer.printerState() == QPrinter::Error) {
    error = QStringLiteral("The page could not be sent to the printer");
    return DialogOutcome::Failed;
  }
  return DialogOutcome::Done;
}

DialogOutcome QtPrinterService::Print(QWidget* parent, const std::function<void(QPainter&)>& paint,
                                      QString& error) {
  QPrinter printer;
  if (!ChoosePrinter(printer, parent)) return DialogOutcome::Cancelled;
  QPainter painter;
  if (!painter.begin(&printer)) {
    error = QStringLiteral("The printer could not be started");
    return DialogOutcome::Failed;
  }
  paint(painter);
  if (!painter.end()) {
    error = QStringLiteral("The page could not be sent to the printer");
    return DialogOutcome::Failed;
  }
  return DialogOutcome::Done;
}

QtDisplayBackEnd::~QtDisplayBackEnd() {
  delete Backdrop_;
}

DEVMODE QtDisplayBackEnd::Desktop() const {
  DEVMODE m;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    m.dmPelsWidth = screen->size().width();
    m.dmPelsHeight = screen->size().height();
    m.dmBitsPerPel = screen->depth();
    m.dmDisplayFrequency = static_cast<Long>(screen->refreshRate());
  }
  return m;
}

DEVMODE QtDisplayBackEnd::CurrentMode() {
  if (!Presenting()) return Desktop();
  DEVMODE m = Desktop();
  m.dmPelsWidth = kPresentWidth;
  m.dmPelsHeight = kPresentHeight;
  return m;
}

bool QtDisplayBackEnd::EnumMode(Long i, DEVMODE& mode) {
  const DEVMODE desktop = Desktop();
  DEVMODE present = desktop;
  present.dmPelsWidth = kPresentWidth;
  present.dmPelsHeight = kPresentHeight;
  const bool desktopIsPresent =
      desktop.dmPelsWidth == kPresentWidth && desktop.dmPelsHeight == kPresentHeight;
  const Long count = desktopIsPresent ? 1 : 2;
  if (i < 0 || i >= count) return false;
  mode = i == 0 ? desktop : present;
  return true;
}

Long QtDisplayBackEnd::ChangeMode(const DEVMODE& mode) {
  const DEVMODE desktop = Desktop();
  const bool toPresent = mode.dmPelsWidth == kPresentWidth && mode.dmPelsHeight == kPresentHeight;
  const bool toDesktop =
      mode.dmPelsWidth == desktop.dmPelsWidth && mode.dmPelsHeight == desktop.dmPelsHeight;
  if (toDesktop) {
    SetTransientParent(nullptr);
    Presented_ = nullptr;
    delete Backdrop_;
    return 0;
  }
  if (!toPresent || desktop.dmPelsWidth < kPresentWidth || desktop.dmPelsHeight < kPresentHeight)
    return -1;
  if (!Backdrop_) {
    // The backdrop never takes the keyboard from the program (a window
    // manager would otherwise focus it as it maps, and F11 or Esc went astray).
    Backdrop_ = new QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    Backdrop_->setAttribute(Qt::WA_DeleteOnClose);
    Backdrop_->setAttribute(Qt::WA_ShowWithoutActivating);
    Backdrop_->setStyleSheet(QStringLiteral("background: black"));
    Backdrop_->setWindowTitle(QStringLiteral("Wavelore"));
    ShowBackdrop();
  }
  return 0;
}

QPoint QtDisplayBackEnd::Origin() {
  if (!Presenting()) return {0, 0};
  const DEVMODE desktop = Desktop();
  return {(desktop.dmPelsWidth - kPresentWidth) / 2, (desktop.dmPelsHeight - kPresentHeight) / 2};
}

void QtDisplayBackEnd::SetTransientParent(QWidget* parent) {
  if (!Presented_) return;
#if WL_HAVE_XCB
  // Qt writes WM_TRANSIENT_FOR only for dialogs and tool windows, so the
  // relation is set on the X window itself. A window manager then keeps the
  // program above the backdrop, also in the backdrop's full-screen layer.
  // Only on X11 itself: the offscreen platform offers the interface too,
  // without a connection.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  xcb_connection_t* connection = x11->connection();
  if (!connection) return;
  const auto window = static_cast<xcb_window_t>(Presented_->winId());
  if (parent) {
    const auto owner = static_cast<xcb_window_t>(parent->winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_TRANSIENT_FOR,
                        XCB_ATOM_WINDOW, 32, 1, &owner);
  } else {
    xcb_delete_property(connection, window, XCB_ATOM_WM_TRANSIENT_FOR);
  }
  xcb_flush(connection);
#else
  (void)parent;
#endif
}

void QtDisplayBackEnd::ShowBackdrop() {
  // showFullScreen would also ask to activate it, which it refuses.
  Backdrop_->setWindowState(Backdrop_->windowState() | Qt::WindowFullScreen);
  Backdrop_->show();
}

void QtDisplayBackEnd::RemapToolWindows() {
  // A window manager gives a transient window its layer when it is mapped:
  // tool windows the program already showed (the Graphs and Further Options
  // windows) stayed in the normal layer, under the full-screen backdrop.
  // Shown anew, they take the presented window's layer above it.
  if (!Presented_) return;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->parentWidget() != Presented_ || top->windowType() != Qt::Tool || !top->isVisible())
      continue;
    // The keyboard stays with the presented window (F11 and Esc).
    const bool quiet = top->testAttribute(Qt::WA_ShowWithoutActivating);
    top->setAttribute(Qt::WA_ShowWithoutActivating, true);
    top->hide();
    top->show();
    top->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
  }
}

void QtDisplayBackEnd::PresentAbove(QWidget* window) {
  if (!window || !Presenting()) return;
  Presented_ = window;
  SetTransientParent(Backdrop_);
  window->raise();
  window->activateWindow();
  RemapToolWindows();
}

void QtDisplayBackEnd::ShowPresentation(bool visible) {
  if (!Presenting()) return;
  if (!visible) {
    Backdrop_->hide();
    return;
  }
  ShowBackdrop();
  if (Presented_) {
    // A window manager forgets the relation while the backdrop is unmapped.
    SetTransientParent(Backdrop_);
    Presented_->raise();
    Presented_->activateWindow();
    RemapToolWindows();
  }
}

double QtDisplayBackEnd::LogPixelsX() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchX() : 96.0;
}

namespace {
Services MakeQtServices() {
  Services s;
  s.Messages = std::make_shared<QtMessageBoxService>();
  s.Display = std::make_shared<QtDisplayBackEnd>();
  s.Files = std::make_shared<QtFileDialogService>();
  s.Printer = std::make_shared<QtPrinterService>();
  s.BrowserVersion = [] { return static_cast<Long>(QT_VERSION_MAJOR); };
  s.OpenExternal = [](const QString& target) {
    const QUrl url = QUrl::fromUserInput(target);
    return QDesktopServices::openUrl(url);
  };
  return s;
}

Services& Current() {
  static Services services = MakeQtServices();
  return services;
}
}  // namespace

Services& AppServices() {
  return Current();
}

void ResetAppServices() {
  Current() = MakeQtServices();
}

QString GetDocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  // Never the program's own folder, which is seldom the user's to write in.
  if (documents.isEmpty() || !QFileInfo(documents).isDir()) return QDir::homePath();
  return documents;
}

MsgAnswer MsgBox(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                 MsgButtons buttons) {
  return AppServices().Messages->Show(parent, text, title, icon, buttons);
}

}  // namespace wl
