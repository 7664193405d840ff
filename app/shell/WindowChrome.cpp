// The window's own title bar and buttons, full-screen use, and what happens
// when the application is activated or left.
#include <QAction>
#include <QMouseEvent>

#include "RollOverImage.h"
#include "dialogs/frmViewOptions.h"
#include "help/frmMenus.h"
#include "main/Bitmaps.h"
#include "main/frmMain.h"
#include "modDisplay.h"
#include "modWindows.h"

namespace wl {

void frmMain::TitleBar_Mouse(QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease) {
    return;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPointF p = mouse->position();
  switch (type) {
    case QEvent::MouseButtonPress:
      DragX = static_cast<float>(p.x());
      DragY = static_cast<float>(p.y());
      break;
    case QEvent::MouseMove:
      if (FullScreen || mouse->buttons() != Qt::LeftButton) break;
      // A press at the very corner leaves no grab point: the first move gives it.
      if (DragX == 0 && DragY == 0) {
        DragX = static_cast<float>(p.x());
        DragY = static_cast<float>(p.y());
      }
      move(x() + static_cast<int>(p.x() - DragX), y() + static_cast<int>(p.y() - DragY));
      break;
    case QEvent::MouseButtonRelease:
      DragX = 0;
      DragY = 0;
      break;
    default:
      break;
  }
}

void frmMain::cbMin_Click() {
  showMinimized();  // changeEvent puts the full-screen backdrop away
  if (FullScreen) modWindows::SetTaskbarTopmost(true);
  if (OptionsShown && ViewOptions) {
    modWindows::SetWindowTopMost(ViewOptions, false);
    ViewOptions->hide();
  }
  ShowPicture(cbMin, false);
}

void frmMain::cbSize_Click() {
  if (!WindowedAllowed) {
    Menus->mnuFileFullScreen->setChecked(FullScreen);
    return;
  }
  if (!FullScreen) {
    if (modDisplay::SetFullScreen(*this, true)) {
      FullScreen = true;
      Menus->mnuFileFullScreen->setChecked(true);
      cbSize->setPicture(Bitmaps::Get(QStringLiteral("CBRESTOREOFF")));
    } else {
      MsgBox(
          this,
          QStringLiteral("Wavelore could not change the resolution of the screen and therefore "
                         "cannot run in fullscreen mode. You must continue using windowed mode."),
          QStringLiteral("Resolution change failed"), MsgIcon::Critical);
      WindowedAllowed = false;
      modDisplay::SetFullScreen(*this, false);
      FullScreen = false;
      cbSize->setPicture(Bitmaps::Get(QStringLiteral("CBFULLSCREENOFF")));
      Menus->mnuFileFullScreen->setChecked(false);
      Menus->mnuFileFullScreen->setEnabled(false);
    }
  } else {
    modDisplay::SetFullScreen(*this, false);
    cbSize->setPicture(Bitmaps::Get(QStringLiteral("CBFULLSCREENOFF")));
    FullScreen = false;
    Menus->mnuFileFullScreen->setChecked(false);
  }
}

void frmMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || Ending_) return;
  const bool wasMinimised =
      static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
  if (isMinimized()) {
    // However the window was minimised (our button and menu entry, or the
    // window manager), the black backdrop must not hide the desktop meanwhile.
    if (FullScreen) AppServices().Display->ShowPresentation(false);
    if (OptionsShown && ViewOptions) ViewOptions->hide();
    return;
  }
  if (!wasMinimised) return;
  // Restored: the backdrop and the options window come back, and a rotation
  // stopped by minimising goes on, whether or not the application was
  // deactivated meanwhile.
  if (FullScreen) {
    AppServices().Display->ShowPresentation(true);
    raise();
    activateWindow();
  }
  if (OptionsShown && ViewOptions && CurrentMode == 3) ViewOptions->show();
  if (ResumeAutoRotate) {
    ResumeAutoRotate = false;
    if (CurrentMode == 3 && Current().AutoRotating) AutoRotate();
  }
}

void frmMain::ActivateApp(bool active) {
  if (FullScreen) modWindows::SetTaskbarTopmost(!active);
  if (OptionsShown && ViewOptions) {
    // The floating window goes with the program; it comes back only over the
    // viewer, the one page it belongs to.
    if (!active) {
      modWindows::SetWindowTopMost(ViewOptions, false);
      ViewOptions->hide();
    } else if (CurrentMode == 3) {
      modWindows::SetWindowTopMost(ViewOptions, true);
      ViewOptions->show();
    }
  }
  if (!active) return;
  if (ResumeAutoRotate) {
    ResumeAutoRotate = false;
    if (CurrentMode == 3 && Current().AutoRotating) AutoRotate();
  }
}

}  // namespace wl
