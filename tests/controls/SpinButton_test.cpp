#include "SpinButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMap>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>
#include <QVBoxLayout>
#include <cmath>
#include <tuple>
#include <utility>

#include "FocusMark.h"
#include "modFontSize.h"
#include "modIsNumeric.h"

using wl::SpinButton;

namespace {

// A shown, active window with a spin button and a second text box that
// takes the focus when the spin button's text box is left with Tab.
class SpinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&host);
    spin = new SpinButton;
    other = new QLineEdit;
    layout->addWidget(spin);
    layout->addWidget(other);
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    text = spin->TextBox();
    arrows = spin->Arrows();
  }

  // Replaces the text by typing over the selected text, key by key, as a
  // user would; an empty string deletes it.
  void Type(const QString& keys) {
    text->setFocus();
    text->selectAll();
    if (keys.isEmpty()) {
      QTest::keyClick(text, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(text, keys);
    }
  }
  void Leave() {
    QTest::keyClick(text, Qt::Key_Tab);
    ASSERT_TRUE(other->hasFocus());
  }
  // Clicks the upper (raise) or lower arrow of the scroll bar.
  void ClickArrow(bool up) {
    QStyleOptionSlider option;
    option.initFrom(arrows);
    option.orientation = Qt::Vertical;
    option.minimum = arrows->minimum();
    option.maximum = arrows->maximum();
    option.sliderPosition = arrows->sliderPosition();
    option.sliderValue = arrows->value();
    option.singleStep = arrows->singleStep();
    option.pageStep = arrows->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect r = arrows->style()->subControlRect(
        QStyle::CC_ScrollBar, &option,
        up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine, arrows);
    ASSERT_FALSE(r.isEmpty());
    QTest::mouseClick(arrows, Qt::LeftButton, {}, r.center());
  }

  QWidget host;
  SpinButton* spin = nullptr;
  QLineEdit* other = nullptr;
  QLineEdit* text = nullptr;
  QScrollBar* arrows = nullptr;
};

TEST_F(SpinTest, TypingAboveMaxFollowsSilentlyAndLeavingClampsWithOneChange) {
  spin->setMax(32000);
  spin->setMin(50);
  QSignalSpy change(spin, &SpinButton::Change);
  Type("4");
  EXPECT_EQ(spin->Value(), 50);  // below Min while typing
  Type("400");
  EXPECT_EQ(spin->Value(), 400);
  Type("40000");
  EXPECT_EQ(spin->Value(), 32000);
  EXPECT_EQ(text->text(), "40000");  // the text stays as typed
  EXPECT_EQ(change.count(), 0);
  Leave();
  EXPECT_EQ(text->text(), "32000");
  EXPECT_EQ(spin->Value(), 32000);
  EXPECT_EQ(change.count(), 1);
}

TEST_F(SpinTest, LettersRestoreTheLastValueAndLeavingAlwaysRaisesChange) {
  spin->setMax(1000);
  spin->setValue(123);
  QSignalSpy change(spin, &SpinButton::Change);
  Type("12x");  // "1" and "12" are followed, "12x" is not numeric
  EXPECT_EQ(spin->Value(), 12);
  Type("abc");
  EXPECT_EQ(spin->Value(), 12);
  Leave();
  EXPECT_EQ(text->text(), "12");
  EXPECT_EQ(change.count(), 1);
  // Leaving with the value unchanged still reports it.
  text->setFocus();
  Leave();
  EXPECT_EQ(change.count(), 2);
}

TEST_F(SpinTest, EmptyTextGivesMinWhenPositiveElseZero) {
  spin->setMax(500);
  spin->setMin(50);
  spin->setValue(300);
  Type("");
  EXPECT_EQ(spin->Value(), 50);
  Leave();
  EXPECT_EQ(text->text(), "50");

  spin->setMin(-5);
  spin->setValue(300);
  Type("");
  EXPECT_EQ(spin->Value(), 0);
  Leave();
  EXPECT_EQ(text->text(), "0");

  // With a range entirely below zero, 0 would lie outside it: it is clamped.
  spin->setMin(-10);
  spin->setMax(-5);
  Type("");
  Leave();
  EXPECT_EQ(text->text(), "-5");
  EXPECT_EQ(spin->Value(), -5);
}

TEST_F(SpinTest, NumbersBeyond32BitsAndDecimalsAreClampedAndRounded) {
  spin->setMax(32000);
  spin->setMin(-32000);
  Type("99999999999999999999");
  Leave();
  EXPECT_EQ(text->text(), "32000");
  Type("-1e300");
  Leave();
  EXPECT_EQ(text->text(), "-32000");
  Type("  2.5");
  Leave();
  EXPECT_EQ(text->text(), "2");  // ties round to even
  Type("3.5");
  Leave();
  EXPECT_EQ(text->text(), "4");
}

TEST_F(SpinTest, ArrowKeysStepByOneWithoutChangeAndStopAtTheLimits) {
  spin->setMax(20);
  spin->setMin(18);
  spin->setSmallChange(5);
  spin->setValue(19);
  QSignalSpy change(spin, &SpinButton::Change);
  text->setFocus();
  QTest::keyClick(text, Qt::Key_Up);
  EXPECT_EQ(spin->Value(), 20);
  EXPECT_EQ(text->text(), "20");
  QTest::keyClick(text, Qt::Key_Up);  // at Max: nothing
  EXPECT_EQ(spin->Value(), 20);
  QTest::keyClick(text, Qt::Key_Down);
  QTest::keyClick(text, Qt::Key_Down);
  QTest::keyClick(text, Qt::Key_Down);  // at Min: nothing
  EXPECT_EQ(spin->Value(), 18);
  EXPECT_EQ(text->text(), "18");
  EXPECT_EQ(change.count(), 0);
}

TEST_F(SpinTest, ArrowButtonsStepBySmallChangeRaiseChangeAndStopAtMax) {
  spin->setMax(10);
  spin->setSmallChange(3);
  spin->setValue(5);
  QSignalSpy change(spin, &SpinButton::Change);
  ClickArrow(true);
  EXPECT_EQ(spin->Value(), 8);
  EXPECT_EQ(text->text(), "8");
  EXPECT_EQ(change.count(), 1);
  ClickArrow(true);
  EXPECT_EQ(spin->Value(), 10);
  EXPECT_EQ(change.count(), 2);
  ClickArrow(true);  // at Max: no change, no Change
  EXPECT_EQ(spin->Value(), 10);
  EXPECT_EQ(change.count(), 2);
  ClickArrow(false);
  EXPECT_EQ(spin->Value(), 7);
  EXPECT_EQ(change.count(), 3);
  // The arrows never keep the focus.
  EXPECT_FALSE(arrows->hasFocus());
}

TEST_F(SpinTest, WritingValueRaisesChangeOnlyForARealChange) {
  spin->setMax(100);
  spin->setValue(40);
  QSignalSpy change(spin, &SpinButton::Change);
  spin->setValue(40);
  EXPECT_EQ(change.count(), 0);
  spin->setValue(41);
  EXPECT_EQ(change.count(), 1);
  EXPECT_EQ(text->text(), "41");
  spin->setValue(500);  // clamped to Max
  EXPECT_EQ(spin->Value(), 100);
  EXPECT_EQ(text->text(), "100");
  EXPECT_EQ(change.count(), 2);
}

TEST_F(SpinTest, EnabledSwitchesTheBackgroundsBetweenWindowAndButtonFace) {
  const QColor window = QApplication::palette().color(QPalette::Base);
  const QColor face = QApplication::palette().color(QPalette::Button);
  ASSERT_NE(window, face);
  spin->setBackColor(Qt::yellow);
  spin->setEnabled(false);
  EXPECT_FALSE(text->isEnabled());
  EXPECT_FALSE(arrows->isEnabled());
  EXPECT_EQ(text->palette().color(QPalette::Disabled, QPalette::Base), face);
  EXPECT_EQ(spin->BackColor(), face);
  spin->setEnabled(true);
  EXPECT_TRUE(text->isEnabled());
  EXPECT_EQ(text->palette().color(QPalette::Active, QPalette::Base), window);
  EXPECT_EQ(spin->BackColor(), window);
}

TEST_F(SpinTest, HeightIsFixedAndThePartsFillTheWidth) {
  spin->resize(120, 50);
  EXPECT_EQ(spin->height(), 20);  // 300 twips
  const int inner = spin->contentsRect().width();
  EXPECT_EQ(text->width(), inner - arrows->width() - 2);
  EXPECT_EQ(arrows->x(), text->x() + text->width() + 2);
  EXPECT_EQ(arrows->geometry().right(), spin->contentsRect().right());
  spin->setBorderStyle(0);
  EXPECT_EQ(spin->height(), 16);  // 240 twips
}

TEST(SpinButtonValues, SetValueRaisesTheCallersValueToMin) {
  SpinButton spin;
  spin.setMax(100);
  spin.setMin(10);
  wl::Long v = 3;
  spin.SetValue(v, true);
  EXPECT_EQ(v, 10);
  v = 60;
  spin.SetValue(v, false);
  EXPECT_EQ(v, 60);
  EXPECT_EQ(spin.Value(), 10);  // the control itself is not touched
}

TEST(SpinButtonValues, FontSizeAdjustScalesPositionsAndFontByTheFactor) {
  SpinButton spin;
  spin.resize(100, 20);
  QLineEdit* text = spin.TextBox();
  QScrollBar* arrows = spin.Arrows();
  const QRect before = arrows->geometry();
  const qreal size = text->font().pointSizeF();
  spin.FontSizeAdjust(2.0);
  const QPoint origin = spin.contentsRect().topLeft();
  EXPECT_EQ(arrows->x() - origin.x(), 2 * (before.x() - origin.x()));
  EXPECT_EQ(arrows->width(), std::lround(before.width() * wl::FontScaleFactor()));
  EXPECT_DOUBLE_EQ(text->font().pointSizeF(), 2 * size);
}

TEST(SpinButtonValues, OnlyChangedPropertiesAreStoredAndReadBack) {
  SpinButton spin;
  EXPECT_TRUE(spin.WriteProperties().isEmpty());
  spin.setMax(32000);
  spin.setMin(50);
  spin.setValue(700);
  spin.setSmallChange(10);
  const QVariantMap bag = spin.WriteProperties();
  EXPECT_EQ(bag.keys(), (QStringList{"Max", "Min", "SmallChange", "Value"}));

  SpinButton copy;
  QSignalSpy change(&copy, &SpinButton::Change);
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.Max(), 32000);
  EXPECT_EQ(copy.Min(), 50);
  EXPECT_EQ(copy.Value(), 700);
  EXPECT_EQ(copy.SmallChange(), 10);
  EXPECT_EQ(copy.TextBox()->text(), "700");
}

TEST(NumericTest, AcceptsWhatTheNumericTestAccepts) {
  const auto value = [](const char* s) { return wl::NumericValue(QString::fromUtf8(s)); };
  EXPECT_EQ(value("42"), 42);
  EXPECT_EQ(value("  42  "), 42);
  EXPECT_EQ(value("-7"), -7);
  EXPECT_EQ(value("+7"), 7);
  EXPECT_EQ(value("(7)"), -7);
  EXPECT_EQ(value("2.5"), 2.5);
  EXPECT_EQ(value(".5"), 0.5);
  EXPECT_EQ(value("5."), 5);
  EXPECT_EQ(value("1,000"), 1000);
  EXPECT_EQ(value("1e3"), 1000);
  EXPECT_EQ(value("1D-2"), 0.01);
  EXPECT_EQ(value("&H10"), 16);
  EXPECT_EQ(value("&HFFFF"), -1);
  EXPECT_EQ(value("&H10000"), 65536);
  EXPECT_EQ(value("&O17"), 15);
  EXPECT_TRUE(std::isinf(*value("1e999")));
  for (const char* bad :
       {"", " ", "abc", "12x", ".", "-", "1e", "1.2.3", ",5", "&H", "&HG", "1 2"}) {
    EXPECT_FALSE(value(bad).has_value()) << bad;
  }
}

}  // namespace

namespace {

// Relative luminance 0 to 255 of a pixel.
double Luma(QRgb c) {
  return 0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c);
}

// How far the darkest pixel in the middle of an arrow button lies below the
// most common one there (the button's face): the arrow must stand out. The
// button's edges are left out.
double ArrowContrast(const QImage& image, const QRect& button) {
  const QRect area(button.left() + button.width() / 5, button.top() + button.height() / 5,
                   button.width() * 3 / 5, button.height() * 3 / 5);
  QMap<QRgb, int> counts;
  double darkest = 255;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb c = image.pixel(x, y);
      ++counts[c];
      darkest = std::min(darkest, Luma(c));
    }
  }
  QRgb face = 0;
  int most = 0;
  for (auto it = counts.begin(); it != counts.end(); ++it) {
    if (it.value() > most) std::tie(face, most) = std::pair(it.key(), it.value());
  }
  return Luma(face) - darkest;
}

TEST_F(SpinTest, ArrowsStandOutFromTheirButtonsWhetherIdlePressedOrDisabled) {
  spin->setMax(10);
  spin->setValue(5);
  const auto halves = [&](const QImage& shown) {
    const QRect a = arrows->geometry();
    const QRect upper(a.left(), a.top(), a.width(), a.height() / 2);
    const QRect lower(a.left(), a.top() + a.height() / 2, a.width(), a.height() - a.height() / 2);
    return std::pair(ArrowContrast(shown, upper), ArrowContrast(shown, lower));
  };
  const auto grabbed = [&] { return spin->grab().toImage().convertToFormat(QImage::Format_RGB32); };
  constexpr double kBound = 110;

  auto [up, down] = halves(grabbed());
  EXPECT_GT(up, kBound);
  EXPECT_GT(down, kBound);

  // While the upper arrow is held down.
  QStyleOptionSlider option;
  option.initFrom(arrows);
  option.orientation = Qt::Vertical;
  option.minimum = arrows->minimum();
  option.maximum = arrows->maximum();
  option.sliderPosition = arrows->sliderPosition();
  option.sliderValue = arrows->value();
  option.subControls = QStyle::SC_All;
  const QRect upper = arrows->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarSubLine, arrows);
  QTest::mousePress(arrows, Qt::LeftButton, {}, upper.center());
  std::tie(up, down) = halves(grabbed());
  QTest::mouseRelease(arrows, Qt::LeftButton, {}, upper.center());
  EXPECT_GT(up, kBound);
  EXPECT_GT(down, kBound);

  spin->setEnabled(false);
  std::tie(up, down) = halves(grabbed());
  EXPECT_GT(up, kBound * 0.8);
  EXPECT_GT(down, kBound * 0.8);
}

// Pixels of the focus mark's amber in a grab.
int MarkPixels(QWidget* widget) {
  const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) n += shown.pixel(x, y) == wl::kFocusMarkAmber;
  }
  return n;
}

TEST_F(SpinTest, FocusShowsTheMarkAndUpDownStepEvenWithWindowShortcuts) {
  spin->setMax(10);
  spin->setValue(5);
  QShortcut upShortcut(QKeySequence(Qt::Key_Up), &host);
  QShortcut downShortcut(QKeySequence(Qt::Key_Down), &host);
  QSignalSpy shortcuts(&upShortcut, &QShortcut::activated);
  QSignalSpy shortcutsDown(&downShortcut, &QShortcut::activated);

  other->setFocus();
  EXPECT_EQ(MarkPixels(spin), 0);
  QTest::keyClick(host.windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
  ASSERT_TRUE(text->hasFocus());
  EXPECT_GT(MarkPixels(spin), 20);

  QTest::keyClick(host.windowHandle(), Qt::Key_Up);
  QTest::keyClick(host.windowHandle(), Qt::Key_Up);
  QTest::keyClick(host.windowHandle(), Qt::Key_Down);
  EXPECT_EQ(spin->Value(), 6);
  EXPECT_EQ(shortcuts.count() + shortcutsDown.count(), 0);

  QTest::keyClick(host.windowHandle(), Qt::Key_Tab);
  ASSERT_TRUE(other->hasFocus());
  EXPECT_EQ(MarkPixels(spin), 0);
}

}  // namespace
