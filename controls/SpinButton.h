// A one-line text box with an up/down arrow pair, holding a 16-bit value
// between Min and Max. The container hears of changes through Change.
//
// - Typing leaves the text as typed; the held value follows it (clamped to
//   Min..Max; empty text gives 0, or Min when Min is above 0; non-numeric text
//   keeps the value). No Change while typing.
// - Leaving the text box settles it: the text shows the final, clamped
//   number (non-numeric text shows the held value again) and Change is raised,
//   changed or not.
// - The arrows step by SmallChange and raise Change; the Up and Down keys in
//   the text box step by 1 without Change.
// - Writing Value raises Change only when the value really changes.
//
// The arrows are a vertical scroll bar ("UpDown") that holds the negated
// value, so that its upper arrow (which lowers a scroll bar's value) raises
// the spin button's value. The text box is named "txtMain".
#pragma once

#include <QFrame>
#include <QVariantMap>

#include "core/Records.h"
#include "wlctrls_export.h"

class QLineEdit;
class QScrollBar;

namespace wl {

class WLCTRLS_EXPORT SpinButton : public QFrame {
  Q_OBJECT
  Q_PROPERTY(short Max READ Max WRITE setMax)
  Q_PROPERTY(QFont Font READ font WRITE setFont)
  Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
  Q_PROPERTY(short Value READ Value WRITE setValue)
  Q_PROPERTY(short Min READ Min WRITE setMin)
  Q_PROPERTY(short SmallChange READ SmallChange WRITE setSmallChange)
  Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
  Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)

 public:
  explicit SpinButton(QWidget* parent = nullptr);

  // Raises NewVal to Min when it is below; nothing else (UpdateScroll is not used).
  void SetValue(Long& NewVal, bool UpdateScroll);
  // Takes the font scale again, then scales every part: position and font
  // size by ScaleFactorCludge, width and height by the font scale.
  void FontSizeAdjust(double ScaleFactorCludge);
  // Scales every part's width and left by the screen's twips per pixel along
  // x divided by 15, top and height by the same along y.
  void LargeFontCorrect();

  Integer Max() const { return Max_; }
  void setMax(Integer max);
  Integer Min() const { return Min_; }
  void setMin(Integer min);
  Integer Value() const;
  // Values outside Min..Max are clamped first.
  void setValue(Integer value);
  Integer SmallChange() const { return SmallChange_; }
  void setSmallChange(Integer step);
  bool Enabled() const { return isEnabled(); }
  QColor BackColor() const { return BackColor_; }
  void setBackColor(const QColor& colour);
  QColor ForeColor() const { return ForeColor_; }
  void setForeColor(const QColor& colour);
  Integer BorderStyle() const { return BorderStyle_; }  // 0 none, 1 fixed single
  void setBorderStyle(Integer style);

  // The stored properties that differ from their defaults, and reading them
  // back (in the order Max, Font, Enabled, Value, Min, SmallChange, BackColor,
  // ForeColor, BorderStyle).
  QVariantMap WriteProperties() const;
  void ReadProperties(const QVariantMap& bag);

  QLineEdit* TextBox() const { return txtMain; }
  QScrollBar* Arrows() const { return UpDown; }

 signals:
  void Change();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Geometry {
    double Left = 0, Top = 0, Width = 0, Height = 0;
  };

  void ScrollChanged();
  void TextChanged();
  void LostFocus();
  bool ArrowKey(int key);
  Integer Clamped(double v) const;
  void ShowText(Integer v);
  void SetHeld(Integer v);
  void ApplyColours();
  void LayOut();
  void PlaceChildren();

  QLineEdit* txtMain;
  QScrollBar* UpDown;
  bool Busy = false;
  double FontScale = 1;
  Integer Max_ = 10;
  Integer Min_ = 0;
  Integer SmallChange_ = 1;
  Integer BorderStyle_ = 1;
  QColor BackColor_;
  QColor ForeColor_;
  Geometry TextGeo_;
  Geometry ArrowGeo_;
};

}  // namespace wl
