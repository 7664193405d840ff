// The platform services the program's windows use, behind small interfaces:
// message boxes, the display back end, file and printer dialogs, the page
// browser's version and the shell's "open". The Qt implementations are installed on first use;
// tests replace them with doubles through AppServices().
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "core/Records.h"
#include "wlapp_export.h"

class QPainter;
class QTextDocument;
class QWidget;

namespace wl {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
// OKSaveAsPdf: OK and "Save as PDF...", for when there is nothing to print on.
enum class MsgButtons { OK, YesNo, OKSaveAsPdf };
enum class MsgAnswer { OK, Yes, No, SaveAsPdf };

class WLAPP_EXPORT MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows a modal message box and returns the button the user chose.
  virtual MsgAnswer Show(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons) = 0;
};

// The platform's display-mode record; the program uses these fields only.
struct DEVMODE {
  Long dmBitsPerPel = 0;
  Long dmPelsWidth = 0;
  Long dmPelsHeight = 0;
  Long dmDisplayFrequency = 0;
  Long dmFields = 0;
  friend bool operator==(const DEVMODE&, const DEVMODE&) = default;
};

class WLAPP_EXPORT DisplayBackEnd {
 public:
  virtual ~DisplayBackEnd() = default;
  // The mode the screen shows now.
  virtual DEVMODE CurrentMode() = 0;
  // Fills `mode` with mode number i and returns true; past the last mode it
  // returns false and leaves `mode` as it was.
  virtual bool EnumMode(Long i, DEVMODE& mode) = 0;
  // Switches to `mode`; 0 on success, anything else is a failure.
  virtual Long ChangeMode(const DEVMODE& mode) = 0;
  // Where a window placed at the screen's top-left corner goes in the current mode.
  virtual QPoint Origin() = 0;
  // Logical pixels per inch along x of the desktop.
  virtual double LogPixelsX() = 0;
  // While a mode other than the desktop's is shown, keeps `window` above
  // whatever presents that mode (a window manager stacks full-screen windows
  // over ordinary ones); null lets the window go back to ordinary stacking.
  virtual void PresentAbove(QWidget* window) { (void)window; }
  // Hides the presentation while the program is minimised (false) and shows
  // it again on restore (true); nothing when no other mode is shown.
  virtual void ShowPresentation(bool visible) { (void)visible; }
};

// How a file or printer dialog ended.
enum class DialogOutcome { Done, Cancelled, Failed };

class WLAPP_EXPORT FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Asks for a file name to save under, starting at startPath (a folder and
  // a proposed name). Filters are in Qt's form ("Bitmap images (*.bmp)"), the
  // first one preselected. A name typed without an extension gets the one of
  // the chosen filter. Asks before overwriting. None when cancelled. When
  // `chosenFilter` is given it receives the filter the user left selected.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& caption,
                                              const QString& startPath, const QStringList& filters,
                                              QString* chosenFilter = nullptr) = 0;
  // Asks for an existing file to open, starting in `startFolder`. None when
  // cancelled (and from a service that has no such dialog).
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& caption,
                                              const QString& startFolder,
                                              const QStringList& filters) {
    (void)parent, (void)caption, (void)startFolder, (void)filters;
    return std::nullopt;
  }
};

class WLAPP_EXPORT PrinterService {
 public:
  virtual ~PrinterService() = default;
  // Whether the system has a printer at all.
  virtual bool HasPrinter() = 0;
  // Lets the user choose a printer (no print-to-file, no page range, no
  // selection), then paints one page with `paint`. On Failed, `error` says why.
  virtual DialogOutcome Print(QWidget* parent, const std::function<void(QPainter&)>& paint,
                              QString& error) = 0;
  // Lets the user choose a printer, then prints the document on as many
  // pages as it needs.
  virtual DialogOutcome PrintDocument(QWidget* parent, const QTextDocument& document,
                                      QString& error) = 0;
};

struct Services {
  std::shared_ptr<MessageBoxService> Messages;
  std::shared_ptr<DisplayBackEnd> Display;
  std::shared_ptr<FileDialogService> Files;
  std::shared_ptr<PrinterService> Printer;
  // Major version of the page browser component.
  std::function<Long()> BrowserVersion;
  // Hands a file name or address to the desktop's default program.
  std::function<bool(const QString&)> OpenExternal;
};

// The services in use, created with the Qt implementations on first use.
WLAPP_EXPORT Services& AppServices();
// Puts the Qt implementations back (tests call it between cases).
WLAPP_EXPORT void ResetAppServices();

// The folder where saving starts: the user's documents folder, or the
// program's folder when there is none.
WLAPP_EXPORT QString GetDocumentsFolder();

// Shortcut for AppServices().Messages->Show.
WLAPP_EXPORT MsgAnswer MsgBox(QWidget* parent, const QString& text, const QString& title,
                              MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::OK);

}  // namespace wl
