// A picture button that tells its container when the mouse pointer enters
// (MouseOver) and leaves (MouseOut) it, so that the container can swap its
// pictures and show a hint. Coordinates are pixels.
//
// Enter and leave are decided only on moves without a button held: a move
// inside (the right and bottom edges, X = width or Y = height, count as
// inside) captures the mouse, so that the control keeps receiving moves until
// one is seen outside; that move releases the capture and raises MouseOut.
// A release is tested the same way whatever the buttons. Hiding or disabling
// the control drops the capture and raises nothing.
//
// The capture never outlives the pointer being in the control's own active
// window: the control takes it only while its window is active and no popup
// is open, and gives it up, raising MouseOut, when its window is deactivated
// or another window is shown or activated (a dialog, a message box or a menu
// opened by a click), so that no click meant for that window reaches this one.
// Without the capture, the pointer leaving the control raises MouseOut.
//
// Keyboard: Tab reaches the control (a click does not give it the focus);
// while it holds the focus it shows the focus mark, and Space, Enter or Return
// raise Click after KeyDown and KeyPress.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "ControlSurface.h"
#include "wlctrls_export.h"

namespace wl {

class WLCTRLS_EXPORT RollOverImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
  Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE setAutoRedraw)
  Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
  Q_PROPERTY(short MousePointer READ MousePointer WRITE setMousePointer)
  Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
  Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)

 public:
  explicit RollOverImage(QWidget* parent = nullptr);
  ~RollOverImage() override;

  QColor BackColor() const { return Surface_.BackColor(); }
  void setBackColor(const QColor& colour);
  short BorderStyle() const { return BorderStyle_; }  // 0 none, 1 fixed single
  void setBorderStyle(short style);
  // Kept for the container; the surface keeps what is drawn on it either way.
  bool AutoRedraw() const { return AutoRedraw_; }
  void setAutoRedraw(bool on) { AutoRedraw_ = on; }
  bool Enabled() const { return isEnabled(); }
  short MousePointer() const { return MousePointer_; }
  void setMousePointer(short pointer);
  QPixmap MouseIcon() const { return MouseIcon_; }
  void setMouseIcon(const QPixmap& icon);
  QPixmap Picture() const { return Surface_.Picture(); }
  void setPicture(const QPixmap& picture);

  // Engine surface handle of the control's picture; draw into it, then Refresh.
  Long hdc() const { return Synced().hdc(); }
  // The persistent image: background, picture and what was drawn on it.
  QImage Image() const { return Synced().Image(); }
  void PaintPicture(const QPixmap& picture, float X1, float Y1,
                    std::optional<float> Width1 = std::nullopt,
                    std::optional<float> Height1 = std::nullopt,
                    std::optional<float> X2 = std::nullopt, std::optional<float> Y2 = std::nullopt,
                    std::optional<float> Width2 = std::nullopt,
                    std::optional<float> Height2 = std::nullopt,
                    std::optional<Long> Opcode = std::nullopt);
  void Refresh() { update(); }

  // The pointer is inside the control (as last seen on a move without buttons).
  bool Over() const { return Over_; }
  // Whether the control holds the mouse capture.
  bool HasCapture() const;

 signals:
  void MouseOver();
  void Click();
  void DblClick();
  void KeyDown(short KeyCode, short Shift);
  void KeyPress(short KeyAscii);
  void KeyUp(short KeyCode, short Shift);
  void MouseMove(short Button, short Shift, float X, float Y);
  void MouseDown(short Button, short Shift, float X, float Y);
  void MouseUp(short Button, short Shift, float X, float Y);
  void MouseOut();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Inside(float X, float Y) const;
  void Capture();
  void ReleaseCapture();
  void Leave();
  // Another window or a popup takes the pointer: the capture and Over end.
  void Yield();

  // The surface follows the control's size at once, also while the control is
  // hidden (when Qt holds its resize events back until it is shown).
  ControlSurface& Synced() const;

  mutable ControlSurface Surface_;
  short BorderStyle_ = 0;
  bool AutoRedraw_ = false;
  short MousePointer_ = 0;
  QPixmap MouseIcon_;
  bool Over_ = false;
  bool InDoubleClick_ = false;  // the release after DblClick raises no Click
};

}  // namespace wl
