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
class WLAPP_EXPORT QtDisplayBackEnd : public DisplayBackEnd {
 public:
  ~QtDisplayBackEnd() override;
  DEVMODE CurrentMode() override;
  bool EnumMode(Long i, DEVMODE& mode) override;
  Long ChangeMode(const DEVMODE& mode) override;
  QPoint Origin() override;
  double LogPixelsX() override;

  bool Presenting() const { return Backdrop_ != nullptr; }

 private:
  DEVMODE Desktop() const;
  QPointer<QWidget> Backdrop_;
};

}  // namespace wl
