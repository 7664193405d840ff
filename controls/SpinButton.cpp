#include "SpinButton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>

#include "FocusMark.h"
#include "core/Numeric.h"
#include "modFontSize.h"
#include "modIsNumeric.h"

namespace wl {

namespace {
// Sets a flag for the lifetime of the guard and restores its earlier value.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : Flag_(flag), Old_(flag) { Flag_ = true; }
  ~FlagGuard() { Flag_ = Old_; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& Flag_;
  bool Old_;
};

constexpr double kBorderedHeightTwips = 300;
constexpr double kBorderlessHeightTwips = 240;
constexpr int kArrowWidth = 16;

QColor SystemWindowColour() {
  return QApplication::palette().color(QPalette::Base);
}
QColor SystemButtonFace() {
  return QApplication::palette().color(QPalette::Button);
}
QColor SystemWindowText() {
  return QApplication::palette().color(QPalette::Text);
}

// The arrow pair: a scroll bar that draws its two step buttons itself, with
// dark arrows that read in every state (the style's own arrows are pale grey
// on pale grey). Where the buttons are and what a click hits stays the style's.
class ArrowPair : public QScrollBar {
 public:
  explicit ArrowPair(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    QPainter p(this);
    p.fillRect(rect(), QColor(kTrack));
    const auto button = [&](QStyle::SubControl part, bool up) {
      const QRect r = style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, this);
      if (r.isEmpty()) return;
      const bool pressed = (opt.activeSubControls & part) && (opt.state & QStyle::State_Sunken);
      p.setPen(QColor(kEdge));
      p.setBrush(QColor(pressed ? kFacePressed : kFace));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      // A filled triangle about half the button's width, centred.
      const double w = std::max(4.0, std::floor(r.width() / 2.0));
      const double h = std::min(std::ceil(w / 2.0) + 1, r.height() - 4.0);
      const QPointF c = QRectF(r).center() + QPointF(pressed ? 1 : 0, pressed ? 1 : 0);
      const double tip = up ? c.y() - h / 2 : c.y() + h / 2;
      const double base = up ? c.y() + h / 2 : c.y() - h / 2;
      const QPointF triangle[3] = {{c.x() - w / 2, base}, {c.x() + w / 2, base}, {c.x(), tip}};
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(isEnabled() ? kArrow : kArrowDisabled));
      p.drawPolygon(triangle, 3);
      p.setRenderHint(QPainter::Antialiasing, false);
    };
    button(QStyle::SC_ScrollBarSubLine, true);
    button(QStyle::SC_ScrollBarAddLine, false);
  }

 private:
  static constexpr QRgb kTrack = qRgb(200, 200, 206);
  static constexpr QRgb kFace = qRgb(232, 232, 236);
  static constexpr QRgb kFacePressed = qRgb(176, 176, 184);
  static constexpr QRgb kEdge = qRgb(110, 110, 118);
  static constexpr QRgb kArrow = qRgb(24, 24, 28);
  static constexpr QRgb kArrowDisabled = qRgb(88, 88, 96);
};
}  // namespace

SpinButton::SpinButton(QWidget* parent) : QFrame(parent), FontScale(FontScaleFactor()) {
  txtMain = new QLineEdit(QStringLiteral("0"), this);
  txtMain->setObjectName(QStringLiteral("txtMain"));
  txtMain->setFrame(false);
  txtMain->installEventFilter(this);

  UpDown = new ArrowPair(this);
  UpDown->setObjectName(QStringLiteral("UpDown"));
  UpDown->setFocusPolicy(Qt::NoFocus);
  UpDown->installEventFilter(this);
  UpDown->setRange(-Max_, -Min_);
  UpDown->setValue(0);
  UpDown->setSingleStep(SmallChange_);
  UpDown->setPageStep(1);

  setFocusProxy(txtMain);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  BackColor_ = SystemWindowColour();
  ForeColor_ = SystemWindowText();
  setAutoFillBackground(true);
  ApplyColours();
  setBorderStyle(1);

  connect(UpDown, &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
  connect(txtMain, &QLineEdit::textChanged, this, [this] { TextChanged(); });
  // Shows the focus mark over the whole control while the text box has the focus.
  new FocusMarkOverlay(this, txtMain);
  resize(80, height());
}

Integer SpinButton::Value() const {
  return static_cast<Integer>(-UpDown->value());
}

void SpinButton::SetHeld(Integer v) {
  UpDown->setValue(-v);
}

void SpinButton::ShowText(Integer v) {
  FlagGuard busy(Busy);
  txtMain->setText(QString::number(v));
}

Integer SpinButton::Clamped(double v) const {
  // Text beyond 32 bits clamps like any other number out of range.
  const Long n = CLng(std::clamp(v, -2147483648.0, 2147483647.0));
  if (n > Max_) return Max_;
  if (n >= Min_) return static_cast<Integer>(n);
  return Min_;
}

void SpinButton::ScrollChanged() {
  if (Busy) return;
  FlagGuard busy(Busy);
  txtMain->setText(QString::number(Value()));
  emit Change();
}

void SpinButton::TextChanged() {
  if (Busy) return;
  FlagGuard busy(Busy);
  const QString text = txtMain->text();
  if (text.isEmpty()) {
    SetHeld(Clamped(Min_ < 1 ? 0 : Min_));
  } else if (const auto number = NumericValue(text)) {
    SetHeld(Clamped(*number));
  }
}

void SpinButton::LostFocus() {
  FlagGuard busy(Busy);
  const QString text = txtMain->text();
  Integer final = Value();
  if (text.isEmpty()) {
    final = Clamped(Min_ > 0 ? Min_ : 0);
  } else if (const auto number = NumericValue(text)) {
    final = Clamped(*number);
  }
  SetHeld(final);
  txtMain->setText(QString::number(final));
  emit Change();
}

bool SpinButton::ArrowKey(int key) {
  if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
  FlagGuard busy(Busy);
  const Integer v = Value();
  if (key == Qt::Key_Up && v < Max_) {
    SetHeld(static_cast<Integer>(v + 1));
    txtMain->setText(QString::number(Value()));
  } else if (key == Qt::Key_Down && v > Min_) {
    SetHeld(static_cast<Integer>(v - 1));
    txtMain->setText(QString::number(Value()));
  }
  return true;
}

bool SpinButton::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtMain) {
    if (event->type() == QEvent::ShortcutOverride) {
      // The Up and Down keys step the value even where the window has shortcuts on them.
      const auto* key = static_cast<QKeyEvent*>(event);
      if ((key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) &&
          (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        event->accept();
        return true;
      }
    } else if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
        if (ArrowKey(key->key())) return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      // A context menu or a switch to another application is no leaving of the box.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) LostFocus();
    }
  } else if (watched == UpDown && event->type() == QEvent::FocusIn) {
    txtMain->setFocus();
  }
  return QFrame::eventFilter(watched, event);
}

void SpinButton::setValue(Integer value) {
  const Integer v = Clamped(value);
  SetHeld(v);  // raises Change through the scroll bar when the value differs
  ShowText(v);
}

void SpinButton::setMax(Integer max) {
  Max_ = max;
  UpDown->setRange(-Max_, -Min_);
}

void SpinButton::setMin(Integer min) {
  Min_ = min;
  UpDown->setRange(-Max_, -Min_);
}

void SpinButton::setSmallChange(Integer step) {
  SmallChange_ = step;
  UpDown->setSingleStep(step);
}

void SpinButton::SetValue(Long& NewVal, bool /*UpdateScroll*/) {
  if (NewVal < Min_) NewVal = Min_;
}

void SpinButton::setBackColor(const QColor& colour) {
  BackColor_ = colour;
  QPalette own = palette();
  own.setColor(QPalette::Window, colour);
  setPalette(own);
  QPalette text = txtMain->palette();
  text.setColor(QPalette::Base, colour);
  txtMain->setPalette(text);
}

void SpinButton::setForeColor(const QColor& colour) {
  ForeColor_ = colour;
  QPalette text = txtMain->palette();
  // The disabled text keeps the system's greyed colour.
  text.setColor(QPalette::Active, QPalette::Text, colour);
  text.setColor(QPalette::Inactive, QPalette::Text, colour);
  txtMain->setPalette(text);
}

void SpinButton::ApplyColours() {
  setBackColor(isEnabled() ? SystemWindowColour() : SystemButtonFace());
}

void SpinButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) ApplyColours();
  QFrame::changeEvent(event);
}

void SpinButton::setBorderStyle(Integer style) {
  BorderStyle_ = style;
  if (style == 1) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
  } else {
    setFrameStyle(QFrame::NoFrame);
  }
  // The parts fill the inner height.
  const int inner =
      TwipsToPixelsY((style == 1 ? kBorderedHeightTwips : kBorderlessHeightTwips) * FontScale) -
      2 * frameWidth();
  TextGeo_ = {0, 0, TextGeo_.Width, static_cast<double>(inner)};
  ArrowGeo_ = {ArrowGeo_.Left, 0, ArrowGeo_.Width > 0 ? ArrowGeo_.Width : kArrowWidth,
               static_cast<double>(inner)};
  LayOut();
}

void SpinButton::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayOut();
}

void SpinButton::LayOut() {
  const double twips = BorderStyle_ == 1 ? kBorderedHeightTwips : kBorderlessHeightTwips;
  const int wanted = TwipsToPixelsY(twips * FontScale);
  if (minimumHeight() != wanted || maximumHeight() != wanted) setFixedHeight(wanted);
  const double width = contentsRect().width() - ArrowGeo_.Width - 2;
  if (width >= 0) {
    TextGeo_.Width = width;
    ArrowGeo_.Left = TextGeo_.Left + TextGeo_.Width + 2;
  }
  PlaceChildren();
}

void SpinButton::PlaceChildren() {
  const QPoint origin = contentsRect().topLeft();
  const auto place = [&](QWidget* w, const Geometry& g) {
    w->setGeometry(origin.x() + static_cast<int>(std::lround(g.Left)),
                   origin.y() + static_cast<int>(std::lround(g.Top)),
                   static_cast<int>(std::lround(g.Width)), static_cast<int>(std::lround(g.Height)));
  };
  place(txtMain, TextGeo_);
  place(UpDown, ArrowGeo_);
}

void SpinButton::FontSizeAdjust(double ScaleFactorCludge) {
  FontScale = FontScaleFactor();
  for (auto [w, g] : {std::pair{static_cast<QWidget*>(txtMain), &TextGeo_},
                      std::pair{static_cast<QWidget*>(UpDown), &ArrowGeo_}}) {
    g->Top *= ScaleFactorCludge;
    g->Left *= ScaleFactorCludge;
    QFont f = w->font();
    if (f.pointSizeF() > 0) {
      f.setPointSizeF(f.pointSizeF() * ScaleFactorCludge);
    } else if (f.pixelSize() > 0) {
      f.setPixelSize(std::max(1, static_cast<int>(std::lround(f.pixelSize() * ScaleFactorCludge))));
    }
    w->setFont(f);
    g->Height *= FontScale;
    g->Width *= FontScale;
  }
  PlaceChildren();
}

void SpinButton::LargeFontCorrect() {
  const double fx = TwipsPerPixelX() / 15.0;
  const double fy = TwipsPerPixelY() / 15.0;
  for (Geometry* g : {&TextGeo_, &ArrowGeo_}) {
    g->Width *= fx;
    g->Left *= fx;
    g->Top *= fy;
    g->Height *= fy;
  }
  PlaceChildren();
}

QVariantMap SpinButton::WriteProperties() const {
  QVariantMap bag;
  if (Max_ != 10) bag.insert(QStringLiteral("Max"), Max_);
  if (testAttribute(Qt::WA_SetFont)) bag.insert(QStringLiteral("Font"), font());
  if (!isEnabled()) bag.insert(QStringLiteral("Enabled"), false);
  if (Value() != 0) bag.insert(QStringLiteral("Value"), Value());
  if (Min_ != 0) bag.insert(QStringLiteral("Min"), Min_);
  if (SmallChange_ != 1) bag.insert(QStringLiteral("SmallChange"), SmallChange_);
  if (BackColor_ != SystemWindowColour()) bag.insert(QStringLiteral("BackColor"), BackColor_);
  if (ForeColor_ != SystemWindowText()) bag.insert(QStringLiteral("ForeColor"), ForeColor_);
  if (BorderStyle_ != 1) bag.insert(QStringLiteral("BorderStyle"), BorderStyle_);
  return bag;
}

void SpinButton::ReadProperties(const QVariantMap& bag) {
  const auto integer = [&](const char* name, Integer fallback) {
    return static_cast<Integer>(bag.value(QLatin1String(name), fallback).toInt());
  };
  setMax(integer("Max", 10));
  setFont(bag.contains(QStringLiteral("Font")) ? bag.value(QStringLiteral("Font")).value<QFont>()
                                               : QFont());
  setEnabled(bag.value(QStringLiteral("Enabled"), true).toBool());
  setValue(integer("Value", 0));
  setMin(integer("Min", 0));
  setSmallChange(integer("SmallChange", 1));
  setBackColor(bag.value(QStringLiteral("BackColor"), SystemWindowColour()).value<QColor>());
  setForeColor(bag.value(QStringLiteral("ForeColor"), SystemWindowText()).value<QColor>());
  setBorderStyle(integer("BorderStyle", 1));
}

}  // namespace wl
