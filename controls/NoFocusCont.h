// A container and drawing surface that never takes the keyboard focus. It
// hosts child widgets (a page of a tabbed dialog) or shows rendered images:
// the program copies pixels into its engine surface handle `hdc` with
// wl::BitBlt and calls Refresh. Image is the persistent picture for saving
// and printing. Coordinates are pixels.
//
// Focusable (False by default) lets the program make a view take the focus,
// by Tab or a click. A focused container shows the focus mark over its
// picture (never in Image), keeps the arrow keys and Page Up / Page Down for
// itself (no focus moves, no window shortcuts) and reports every key press
// as KeyDown.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "ControlSurface.h"
#include "wlctrls_export.h"

namespace wl {

class WLCTRLS_EXPORT NoFocusCont : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
  Q_PROPERTY(bool HasDC READ HasDC)
  Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE setAutoRedraw)
  Q_PROPERTY(short MousePointer READ MousePointer WRITE setMousePointer)
  Q_PROPERTY(bool Focusable READ Focusable WRITE setFocusable)

 public:
  explicit NoFocusCont(QWidget* parent = nullptr);

  QColor BackColor() const { return Surface_.BackColor(); }
  void setBackColor(const QColor& colour);
  QPixmap Picture() const { return Surface_.Picture(); }
  void setPicture(const QPixmap& picture);
  // Engine surface handle of the picture, the size of the control in device
  // pixels (larger than the control in a zoomed window; device row 0 at the
  // top). It changes when the control is resized or the window zooms.
  Long hdc() const { return Synced().hdc(); }
  bool HasDC() const { return true; }
  // Kept for the container; the surface keeps what is drawn on it either way.
  bool AutoRedraw() const { return AutoRedraw_; }
  void setAutoRedraw(bool on) { AutoRedraw_ = on; }
  // Shows what was drawn into the surface.
  void Refresh() { update(); }
  QImage Image() const { return Synced().Image(); }
  // The picture's pixels wrapped without copying, to paint over with a
  // QPainter before Refresh; valid until the control is resized.
  QImage View() { return Synced().View(); }
  short MousePointer() const { return MousePointer_; }
  void setMousePointer(short pointer);
  bool Focusable() const { return focusPolicy() != Qt::NoFocus; }
  void setFocusable(bool on);

 signals:
  void Click();
  void DblClick();
  void MouseDown(short Button, short Shift, float X, float Y);
  void MouseMove(short Button, short Shift, float X, float Y);
  void MouseUp(short Button, short Shift, float X, float Y);
  void KeyDown(short KeyCode, short Shift);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The surface follows the control's size at once, also while the control is
  // hidden (when Qt holds its resize events back until it is shown).
  ControlSurface& Synced() const;

  mutable ControlSurface Surface_;
  bool AutoRedraw_ = false;
  short MousePointer_ = 0;
  bool InDoubleClick_ = false;  // the release after DblClick raises no Click
};

}  // namespace wl
