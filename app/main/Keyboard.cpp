// The keyboard: the menus on Alt+F, E, G and H, the window's shortcuts, full
// screen on F11 and off on Esc, the arrow and page keys and the standard
// views' keys (0, X, Y, Z) in a focused view, a click on the slider's track,
// and the look of the menu labels.
#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <algorithm>
#include <array>

#include "Layout.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "core/Numeric.h"
#include "frmMain.h"
#include "help/frmMenus.h"

namespace wl {

namespace {
constexpr float kKeyTurn = 4;       // an arrow key turns like a 4-pixel drag
constexpr Integer kSlicePage = 16;  // Page Up or Down, a click on the track
constexpr int kCompositeCopy = 3;   // Edit > Copy Composite Image
}  // namespace

void frmMain::ConnectKeys() {
  Menus->mnuFileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  Menus->mnuFilePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  Menus->mnuEditCopy[kCompositeCopy]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  Menus->mnuFileFullScreen->setShortcut(QKeySequence(Qt::Key_F11));
  Menus->mnuGoGraphs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  // The menus' window is never shown, so the main window carries the actions
  // for their shortcuts to work; a disabled entry's shortcut does nothing.
  addActions({Menus->mnuFileSave, Menus->mnuFilePrint, Menus->mnuEditCopy[kCompositeCopy],
              Menus->mnuFileFullScreen, Menus->mnuGoGraphs});

  const std::array<QLabel*, 4> labels = {labMnuFile, labMnuEdit, labMnuGo, labMnuHelp};
  const std::array<QMenu*, 4> menus = {Menus->mnuFile, Menus->mnuEdit, Menus->mnuGo,
                                       Menus->mnuHelp};
  for (size_t i = 0; i < labels.size(); ++i) {
    QLabel* label = labels[i];
    SetMenuLabelLit(label, false);
    // However the menu closes (an entry chosen, a click elsewhere, Esc), the
    // label goes back to its normal look unless the pointer is still on it.
    connect(menus[i], &QMenu::aboutToHide, this, [this, label] {
      SetMenuLabelLit(label, label->rect().contains(label->mapFromGlobal(QCursor::pos())));
    });
  }

  // The views take the focus from Tab and from a click, for the arrow keys.
  eeMainView->setFocusable(true);
  eeNanoView->setFocusable(true);
}

void frmMain::SetMenuLabelLit(QLabel* label, bool lit) {
  if (label->property("lit").isValid() && label->property("lit").toBool() == lit) return;
  label->setProperty("lit", lit);
  label->setStyleSheet(label->styleSheet());  // polished again with the new state
}

void frmMain::OpenMenu(int index) {
  const std::array<QLabel*, 4> labels = {labMnuFile, labMnuEdit, labMnuGo, labMnuHelp};
  const std::array<QMenu*, 4> menus = {Menus->mnuFile, Menus->mnuEdit, Menus->mnuGo,
                                       Menus->mnuHelp};
  QMenu* menu = menus[static_cast<size_t>(index)];
  PopUpMenu(labels[static_cast<size_t>(index)], menu);
  // Opened from the keyboard: the first entry that can be chosen is active.
  for (QAction* a : menu->actions()) {
    if (!a->isSeparator() && a->isEnabled()) {
      menu->setActiveAction(a);
      break;
    }
  }
}

bool frmMain::MenuKey(QObject* watched, QKeyEvent* key) {
  if (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right) return false;
  const std::array<QMenu*, 4> menus = {Menus->mnuFile, Menus->mnuEdit, Menus->mnuGo,
                                       Menus->mnuHelp};
  const auto it = std::find(menus.begin(), menus.end(), watched);
  if (it == menus.end()) return false;
  const int index = static_cast<int>(it - menus.begin());
  (*it)->close();
  OpenMenu((index + (key->key() == Qt::Key_Right ? 1 : 3)) % 4);
  return true;
}

bool frmMain::HandleKey(QObject* watched, QKeyEvent* key) {
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::AltModifier) {
    const std::array<int, 4> letters = {Qt::Key_F, Qt::Key_E, Qt::Key_G, Qt::Key_H};
    const auto it = std::find(letters.begin(), letters.end(), key->key());
    if (it != letters.end()) {
      OpenMenu(static_cast<int>(it - letters.begin()));
      return true;
    }
  }
  if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier && FullScreen) {
    cbSize_Click();
    return true;
  }
  if ((watched == eeMainView || watched == eeNanoView) && CurrentMode == 3 &&
      mods == Qt::NoModifier) {
    return View_KeyPress(key);
  }
  return false;
}

bool frmMain::View_KeyPress(QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Left:
      EngineGuard([&] { TurnCameraByKey(-kKeyTurn, 0); });
      return true;
    case Qt::Key_Right:
      EngineGuard([&] { TurnCameraByKey(kKeyTurn, 0); });
      return true;
    case Qt::Key_Up:
      EngineGuard([&] { TurnCameraByKey(0, -kKeyTurn); });
      return true;
    case Qt::Key_Down:
      EngineGuard([&] { TurnCameraByKey(0, kKeyTurn); });
      return true;
    case Qt::Key_PageUp:
      EngineGuard([&] { MoveSlice(AddI16(Current().TransectNo, kSlicePage)); });
      return true;
    case Qt::Key_PageDown:
      EngineGuard([&] { MoveSlice(AddI16(Current().TransectNo, -kSlicePage)); });
      return true;
    // Standard views: the start, and along each axis.
    case Qt::Key_0:
      ResetView();
      return true;
    case Qt::Key_X:
      LookAlong(AlongX);
      return true;
    case Qt::Key_Y:
      LookAlong(Alongy);
      return true;
    case Qt::Key_Z:
      LookAlong(Alongz);
      return true;
    default:
      return false;
  }
}

bool frmMain::SliderTrack_Click(const QPoint& where) {
  if (CurrentMode != 3 || !eeTSlider->isVisible()) return false;
  const QRect track(Layout::kSliderMin, Layout::eeTSlider.y(),
                    Layout::kSliderMax + Layout::eeTSlider.width() - Layout::kSliderMin,
                    Layout::eeTSlider.height());
  if (!track.contains(where) || eeTSlider->geometry().contains(where)) return false;
  const Integer step = where.x() < eeTSlider->x() ? -kSlicePage : kSlicePage;
  EngineGuard([&] { MoveSlice(AddI16(Current().TransectNo, step)); });
  return true;
}

}  // namespace wl
