#include "NoFocusCont.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "FocusMark.h"
#include "render/PixelArray.h"
#include "render/Surfaces.h"
#include "render/cMemoryDCEx.h"

using wl::NoFocusCont;

namespace {

// A 20 by 10 engine bitmap whose device row y, column x holds (x, y, 200).
std::unique_ptr<wl::cMemoryDCEx> Pattern() {
  auto dc = std::make_unique<wl::cMemoryDCEx>();
  dc->Create(20, 10);
  wl::PixelArray bits(20, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) bits(x, 9 - y) = wl::RGBA{200, wl::Byte(y), wl::Byte(x), 0};
  }
  dc->SetAllBits(bits);
  return dc;
}

TEST(NoFocusContTest, ShowsWhatIsBlockCopiedIntoItsSurface) {
  NoFocusCont view;
  view.resize(40, 30);
  view.setBackColor(Qt::black);
  const auto source = Pattern();
  ASSERT_TRUE(wl::BitBlt(view.hdc(), 5, 6, 20, 10, source->hdc(), 0, 0));
  view.Refresh();
  const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(5, 6), qRgb(0, 0, 200));
  EXPECT_EQ(shown.pixel(24, 15), qRgb(19, 9, 200));
  EXPECT_EQ(shown.pixel(4, 6), qRgb(0, 0, 0));
  EXPECT_EQ(view.Image(), shown);
  EXPECT_TRUE(view.HasDC());

  // Growing keeps the picture; the new part shows the background.
  view.setBackColor(Qt::black);  // erases
  wl::BitBlt(view.hdc(), 0, 0, 20, 10, source->hdc(), 0, 0);
  view.resize(60, 40);
  EXPECT_EQ(view.Image().pixel(19, 9), qRgb(19, 9, 200));
  EXPECT_EQ(view.Image().pixel(50, 35), qRgb(0, 0, 0));
}

TEST(NoFocusContTest, NeverTakesTheFocusAndPassesItsMouseEventsOn) {
  QWidget host;
  host.resize(200, 100);
  auto* edit = new QLineEdit(&host);
  edit->setGeometry(0, 0, 60, 20);
  auto* view = new NoFocusCont(&host);
  view->setGeometry(80, 10, 100, 80);
  auto* child = new QPushButton(QStringLiteral("page"), view);
  child->setGeometry(10, 10, 40, 20);
  host.show();
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  edit->setFocus();

  QSignalSpy down(view, &NoFocusCont::MouseDown);
  QSignalSpy up(view, &NoFocusCont::MouseUp);
  QSignalSpy move(view, &NoFocusCont::MouseMove);
  QSignalSpy click(view, &NoFocusCont::Click);
  QSignalSpy dbl(view, &NoFocusCont::DblClick);
  QWindow* window = host.windowHandle();
  QTest::mouseMove(window, QPoint(150, 60));
  QTest::mouseClick(window, Qt::RightButton, Qt::ShiftModifier, QPoint(150, 60));
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(150, 60));
  EXPECT_TRUE(edit->hasFocus());
  ASSERT_EQ(down.count(), 2);
  EXPECT_EQ(down[0][0].value<short>(), 2);
  EXPECT_EQ(down[0][1].value<short>(), 1);
  EXPECT_EQ(down[0][2].value<float>(), 70.0f);
  EXPECT_EQ(down[0][3].value<float>(), 50.0f);
  EXPECT_EQ(up.count(), 2);
  EXPECT_EQ(click.count(), 1);  // the left button only
  EXPECT_GE(move.count(), 1);
  EXPECT_EQ(move[0][0].value<short>(), 0);

  // Tab from the text box does not stop at the container.
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_FALSE(view->hasFocus());

  // Clicks on a hosted child belong to the child.
  QSignalSpy childClicked(child, &QPushButton::clicked);
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(100, 30));
  EXPECT_EQ(childClicked.count(), 1);
  EXPECT_EQ(down.count(), 2);
  EXPECT_EQ(dbl.count(), 0);
}

}  // namespace

namespace {

// Pixels of the focus mark's amber in a grab.
int MarkPixels(QWidget* widget) {
  const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) n += shown.pixel(x, y) == wl::kFocusMarkAmber;
  }
  return n;
}

TEST(NoFocusContTest, AFocusableViewMarksItsFocusKeepsItsKeysAndSavesNoMark) {
  QWidget host;
  host.resize(200, 100);
  auto* edit = new QLineEdit(&host);
  edit->setGeometry(0, 0, 60, 20);
  auto* view = new NoFocusCont(&host);
  view->setGeometry(80, 10, 100, 80);
  view->setBackColor(Qt::white);  // a light picture
  EXPECT_FALSE(view->Focusable());
  view->setFocusable(true);
  QShortcut left(QKeySequence(Qt::Key_Left), &host);
  QSignalSpy shortcut(&left, &QShortcut::activated);
  host.show();
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  QWindow* window = host.windowHandle();

  edit->setFocus();
  EXPECT_EQ(MarkPixels(view), 0);
  QTest::keyClick(window, Qt::Key_Tab);
  ASSERT_TRUE(view->hasFocus());
  EXPECT_GT(MarkPixels(view), 100);
  // Saving takes the picture alone.
  const QImage saved = view->Image();
  EXPECT_EQ(saved.pixel(1, 1), qRgb(255, 255, 255));
  EXPECT_EQ(saved.pixel(98, 40), qRgb(255, 255, 255));

  QSignalSpy keys(view, &NoFocusCont::KeyDown);
  for (Qt::Key key :
       {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown}) {
    QTest::keyClick(window, key);
  }
  QTest::keyClick(window, Qt::Key_Left, Qt::ShiftModifier);
  ASSERT_EQ(keys.count(), 8);  // the Shift key itself is the seventh
  EXPECT_EQ(keys[0][0].value<short>(), 37);
  EXPECT_EQ(keys[3][0].value<short>(), 40);
  EXPECT_EQ(keys[5][0].value<short>(), 34);
  EXPECT_EQ(keys[7][0].value<short>(), 37);
  EXPECT_EQ(keys[7][1].value<short>(), 1);
  EXPECT_TRUE(view->hasFocus());
  EXPECT_EQ(shortcut.count(), 0);

  // Tab still moves on; a click gives the focus back.
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(MarkPixels(view), 0);
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(130, 50));
  EXPECT_TRUE(view->hasFocus());
  view->setFocusable(false);
  EXPECT_FALSE(view->hasFocus());
  EXPECT_EQ(MarkPixels(view), 0);
}

}  // namespace
