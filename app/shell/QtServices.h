// The Qt implementations of the platform services.
#pragma once

#include <QPointer>
#include <QWidget>

#include "Services.h"

namespace wl {

class WLAPP_EXPORT QtMessageBoxService : public MessageBoxService {
 public:
  MsgAnswer Show(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                 MsgButtons buttons) override;
};

class WLAPP_EXPORT QtFileDialogService : public FileDialogService {
 public:
  std::optional<QString> SaveFileName(QWidget* parent, const QString& caption,
                                      const QString& startPath, const QStringList& filters,
                                      QString* chosenFilter = nullptr) override;
  std::optional<QString> OpenFileName(QWidget* parent, const QString& caption,
                                      const QString& startFolder,
                                      const QStringList& filters) override;
};

class WLAPP_EXPORT QtPrinterService : public PrinterService {
 public:
  bool HasPrinter() override;
  DialogOutcome Print(QWidget* parent, const std::function<void(QPainter&)>& paint,
                      QString& error) override;
  DialogOutcome PrintDocument(QWidget* parent, const QTextDocument& document,
                              QString& error) override;
};

// Reports the primary screen's size and depth. Besides the desktop's own mode
// it offers an 800 by 600 presentation mode: the program's window is shown
// centred on a black full-screen backdrop, the real resolution is never touched.
// The program's window is made a transient of the backdrop, so that a window
// manager keeps it above the backdrop (and in the backdrop's full-screen layer).
class WLAPP_EXPORT QtDisplayBackEnd : public DisplayBackEnd {
 public:
  ~QtDisplayBackEnd() override;
  DEVMODE CurrentMode() override;
  bool EnumMode(Long i, DEVMODE& mode) override;
  Long ChangeMode(const DEVMODE& mode) override;
  QPoint Origin() override;
  double LogPixelsX() override;
  void PresentAbove(QWidget* window) override;
  void ShowPresentation(bool visible) override;

  bool Presenting() const { return Backdrop_ != nullptr; }

 private:
  DEVMODE Desktop() const;
  void ShowBackdrop();
  void SetTransientParent(QWidget* parent);
  void RemapToolWindows();
  QPointer<QWidget> Backdrop_;
  QPointer<QWidget> Presented_;  // the window kept above the backdrop
};

}  // namespace wl
