#include "NoFocusCont.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

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
