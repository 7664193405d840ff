#include "RollOverImage.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <string>
#include <vector>

#include "FocusMark.h"
#include "core/WLError.h"

using wl::RollOverImage;

namespace {

// A shown window with one button at (50, 30), 40 by 20 pixels, that records
// the button's signals in order.
class RollOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(200, 120);
    button = new RollOverImage(&host);
    button->setGeometry(50, 30, 40, 20);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QTest::mouseMove(host.windowHandle(), QPoint(5, 5));  // start outside the button
    QObject::connect(button, &RollOverImage::MouseOver, [this] { log.push_back("Over"); });
    QObject::connect(button, &RollOverImage::MouseOut, [this] { log.push_back("Out"); });
    QObject::connect(button, &RollOverImage::Click, [this] { log.push_back("Click"); });
    QObject::connect(button, &RollOverImage::DblClick, [this] { log.push_back("DblClick"); });
    QObject::connect(button, &RollOverImage::MouseMove, [this](short b, short, float x, float y) {
      log.push_back("Move " + std::to_string(b) + " " + std::to_string(int(x)) + "," +
                    std::to_string(int(y)));
    });
    QObject::connect(button, &RollOverImage::MouseDown, [this](short b, short, float, float) {
      log.push_back("Down " + std::to_string(b));
    });
    QObject::connect(button, &RollOverImage::MouseUp, [this](short b, short, float, float) {
      log.push_back("Up " + std::to_string(b));
    });
  }
  void TearDown() override {
    if (QWidget::mouseGrabber()) QWidget::mouseGrabber()->releaseMouse();
  }

  // Pointer actions at points of the host window, sent through the window
  // system interface so that Qt routes them as it routes real input.
  QWindow* Window() { return host.windowHandle(); }
  void MoveTo(int x, int y) { QTest::mouseMove(Window(), QPoint(x, y)); }
  void Press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(Window(), b, {}, QPoint(x, y));
  }
  void Release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseRelease(Window(), b, {}, QPoint(x, y));
  }
  void ClickAt(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(Window(), b, {}, QPoint(x, y));
  }

  QWidget host;
  RollOverImage* button = nullptr;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(RollOverTest, CrossingRaisesOneOverMovesAndOneOut) {
  MoveTo(55, 35);
  EXPECT_TRUE(button->Over());
  EXPECT_TRUE(button->HasCapture());
  MoveTo(60, 40);
  MoveTo(70, 45);
  MoveTo(120, 45);  // outside: seen only because the button holds the capture
  EXPECT_FALSE(button->Over());
  EXPECT_FALSE(button->HasCapture());
  MoveTo(130, 45);  // no longer seen
  EXPECT_EQ(log,
            (Log{"Over", "Move 0 5,5", "Move 0 10,10", "Move 0 20,15", "Out", "Move 0 70,15"}));
}

TEST_F(RollOverTest, RightAndBottomEdgesCountAsInside) {
  MoveTo(55, 35);
  MoveTo(90, 50);  // X = width, Y = height
  EXPECT_TRUE(button->Over());
  MoveTo(91, 50);
  EXPECT_FALSE(button->Over());
  MoveTo(55, 35);
  MoveTo(50, 29);  // Y = -1
  EXPECT_EQ(log, (Log{"Over", "Move 0 5,5", "Move 0 40,20", "Out", "Move 0 41,20", "Over",
                      "Move 0 5,5", "Out", "Move 0 0,-1"}));
}

TEST_F(RollOverTest, DragOutsideReportsNoLeaveUntilTheRelease) {
  MoveTo(55, 35);
  Press(55, 35);
  MoveTo(150, 100);
  MoveTo(60, 40);  // back inside with the button held: no enter either
  MoveTo(150, 100);
  EXPECT_TRUE(button->Over());
  Release(150, 100);
  EXPECT_FALSE(button->Over());
  MoveTo(55, 35);
  EXPECT_EQ(log, (Log{"Over", "Move 0 5,5", "Down 1", "Move 1 100,70", "Move 1 10,10",
                      "Move 1 100,70", "Out", "Up 1", "Over", "Move 0 5,5"}));
}

TEST_F(RollOverTest, ReleaseOutsideReportsALeaveWithoutAnEnter) {
  // The button appears under a pointer that does not move before the press.
  button->hide();
  MoveTo(55, 35);
  button->show();
  Press(55, 35);
  Release(10, 10);
  EXPECT_EQ(log, (Log{"Down 1", "Move 1 -40,-20", "Out", "Up 1"}));
}

TEST_F(RollOverTest, ClickInsideKeepsTheCaptureAndRaisesDownUpClick) {
  MoveTo(55, 35);
  ClickAt(55, 35);
  EXPECT_TRUE(button->HasCapture());
  QTest::mouseDClick(Window(), Qt::LeftButton, {}, QPoint(55, 35));
  ClickAt(55, 35, Qt::RightButton);
  // The second press of a double click is DblClick, and its release no Click.
  EXPECT_EQ(log, (Log{"Over", "Move 0 5,5", "Down 1", "Up 1", "Click", "Down 1", "Up 1", "Click",
                      "DblClick", "Up 1", "Down 2", "Up 2"}));
}

TEST_F(RollOverTest, HiddenWhileOverRaisesNothing) {
  MoveTo(55, 35);
  button->hide();
  EXPECT_FALSE(button->HasCapture());
  MoveTo(150, 100);
  MoveTo(10, 10);
  EXPECT_EQ(log, (Log{"Over", "Move 0 5,5"}));
}

TEST_F(RollOverTest, KeysArePassedOnWithTheirCodes) {
  button->setFocus();
  QSignalSpy down(button, &RollOverImage::KeyDown);
  QSignalSpy press(button, &RollOverImage::KeyPress);
  QSignalSpy up(button, &RollOverImage::KeyUp);
  QTest::keyClick(button, 'A', Qt::ShiftModifier);
  QTest::keyClick(button, Qt::Key_Up);
  ASSERT_EQ(down.count(), 3);  // Shift, A, up arrow
  EXPECT_EQ(down[0][0].value<short>(), 16);
  EXPECT_EQ(down[1][0].value<short>(), 65);
  EXPECT_EQ(down[1][1].value<short>(), 1);
  EXPECT_EQ(down[2][0].value<short>(), 38);
  ASSERT_EQ(press.count(), 1);  // the arrow and Shift keys type nothing
  EXPECT_EQ(press[0][0].value<short>(), 'A');
  EXPECT_EQ(up.count(), 3);
}

TEST(RollOverImagePicture, PictureSitsOnTheBackColourAndPaintPictureDraws) {
  RollOverImage button;
  button.resize(30, 20);
  button.setBackColor(QColor(10, 20, 30));
  QPixmap picture(10, 10);
  picture.fill(QColor(200, 0, 0));
  button.setPicture(picture);
  QImage image = button.Image();
  EXPECT_EQ(image.pixel(9, 9), qRgb(200, 0, 0));
  EXPECT_EQ(image.pixel(10, 9), qRgb(10, 20, 30));

  // Copy into the rectangle (15, 5, 4, 4) from the source corner; then xor
  // the same picture over it, which gives black.
  QPixmap stripes(4, 4);
  stripes.fill(QColor(0, 255, 0));
  button.PaintPicture(stripes, 15, 5);
  EXPECT_EQ(button.Image().pixel(15, 5), qRgb(0, 255, 0));
  EXPECT_EQ(button.Image().pixel(18, 8), qRgb(0, 255, 0));
  EXPECT_EQ(button.Image().pixel(19, 8), qRgb(10, 20, 30));
  button.PaintPicture(stripes, 15, 5, 4, 4, 0, 0, 4, 4, 0x660046);
  EXPECT_EQ(button.Image().pixel(16, 6), qRgb(0, 0, 0));

  // A negative width mirrors into the columns left of X1.
  QImage halves(4, 1, QImage::Format_RGB32);
  halves.setPixel(0, 0, qRgb(255, 255, 255));
  for (int x = 1; x < 4; ++x) halves.setPixel(x, 0, qRgb(0, 0, 255));
  button.PaintPicture(QPixmap::fromImage(halves), 28, 15, -4, 1);
  EXPECT_EQ(button.Image().pixel(27, 15), qRgb(255, 255, 255));
  EXPECT_EQ(button.Image().pixel(24, 15), qRgb(0, 0, 255));

  try {
    button.PaintPicture(stripes, 0, 0, {}, {}, {}, {}, {}, {}, 0x123456);
    FAIL() << "an unknown raster operation was accepted";
  } catch (const wl::WLError& e) {
    EXPECT_EQ(e.Number(), wl::kInvalidCall);
  }
}

}  // namespace

namespace {

TEST(RollOverImagePointer, MousePointerNumbersChooseTheCursor) {
  QWidget host;
  RollOverImage& button = *new RollOverImage(&host);
  button.setMousePointer(2);
  EXPECT_EQ(button.cursor().shape(), Qt::CrossCursor);
  QPixmap icon(16, 16);
  icon.fill(Qt::red);
  button.setMouseIcon(icon);
  button.setMousePointer(99);
  EXPECT_EQ(button.cursor().shape(), Qt::BitmapCursor);
  button.setMousePointer(0);
  EXPECT_FALSE(button.testAttribute(Qt::WA_SetCursor));  // the parent's cursor again
}

}  // namespace

namespace {

// A second top-level window with one push button filling it.
struct OtherWindow {
  OtherWindow() {
    window.setGeometry(400, 300, 160, 90);
    target = new QPushButton(QStringLiteral("tab"), &window);
    target->setGeometry(10, 10, 140, 70);
  }
  void Show() {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  // A click in the middle of the push button, through the window system.
  void Click() { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(80, 45)); }
  QWidget window;
  QPushButton* target = nullptr;
};

TEST_F(RollOverTest, AWindowOpenedByAClickGetsItsOwnClicks) {
  OtherWindow other;
  QObject::connect(button, &RollOverImage::Click, [&] { other.Show(); });
  MoveTo(55, 35);
  ClickAt(55, 35);
  // The capture ended with the button's "off" state as the window appeared.
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_FALSE(button->HasCapture());
  EXPECT_FALSE(button->Over());

  QSignalSpy clicked(other.target, &QPushButton::clicked);
  other.Click();
  other.Click();
  EXPECT_EQ(clicked.count(), 2);
  EXPECT_EQ(log, (Log{"Over", "Move 0 5,5", "Down 1", "Up 1", "Click", "Out"}));
}

TEST_F(RollOverTest, LosingTheActiveWindowEndsTheCaptureAndNoneIsTakenWhileInactive) {
  MoveTo(55, 35);
  ASSERT_TRUE(button->HasCapture());
  OtherWindow other;
  other.Show();  // already open elsewhere, and now activated
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  QSignalSpy clicked(other.target, &QPushButton::clicked);
  other.Click();
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_EQ(log, (Log{"Over", "Move 0 5,5", "Out"}));

  // Hovering the inactive window still swaps the picture, without a capture;
  // the leave is then told by the window system.
  log.clear();
  MoveTo(60, 40);
  EXPECT_TRUE(button->Over());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  MoveTo(150, 100);
  EXPECT_FALSE(button->Over());
  other.Click();
  EXPECT_EQ(clicked.count(), 2);
  EXPECT_EQ(log, (Log{"Over", "Move 0 10,10", "Out"}));
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

TEST_F(RollOverTest, TabGivesTheFocusMarkAndSpaceOrEnterClick) {
  auto* edit = new QLineEdit(&host);
  edit->setGeometry(0, 90, 60, 20);
  edit->show();
  QWidget::setTabOrder(edit, button);
  button->setBackColor(QColor(40, 40, 44));
  edit->setFocus();
  EXPECT_EQ(MarkPixels(button), 0);
  QTest::keyClick(Window(), Qt::Key_Tab);
  ASSERT_TRUE(button->hasFocus());
  EXPECT_GT(MarkPixels(button), 40);
  EXPECT_EQ(button->Image().pixel(1, 1), qRgb(40, 40, 44));  // the picture stays clean

  QSignalSpy down(button, &RollOverImage::KeyDown);
  QTest::keyClick(Window(), Qt::Key_Space);
  QTest::keyClick(Window(), Qt::Key_Return);
  QTest::keyClick(Window(), Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(Window(), Qt::Key_B);
  EXPECT_EQ(down.count(), 4);  // the key events stay
  EXPECT_EQ(log, (Log{"Click", "Click", "Click"}));

  // A mouse click does not take the focus away from the text box.
  edit->setFocus();
  EXPECT_EQ(MarkPixels(button), 0);
  MoveTo(55, 35);
  ClickAt(55, 35);
  EXPECT_TRUE(edit->hasFocus());
}

}  // namespace
