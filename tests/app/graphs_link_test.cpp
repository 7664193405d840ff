// The Graphs window as the program uses it: opened by its button, Go > Graphs,
// Ctrl+G and the start option, following the orbital shown and the slice's
// plane, its marker drawn in the views, its place kept between runs.
#include <QChart>
#include <QChartView>
#include <QTabWidget>
#include <QValueAxis>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "analysis/Radial.h"
#include "graphs/frmGraphs.h"
#include "help/frmMenus.h"
#include "shell/Settings.h"

using namespace wltest;

namespace {

constexpr int k1s = 0, k3s = 5;  // rows of the orbital table

class Graphs : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(5);
    w = &Started();
    ASSERT_TRUE(w->Calculate(k1s, 2, 40, 0));
  }
  void Click(QWidget* widget) {
    const QPoint at = widget->mapTo(w, widget->rect().center());
    QTest::mouseMove(w->windowHandle(), at);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }
  QChart* ChartOf(const char* name) {
    return w->Graphs->findChild<QChartView*>(QLatin1String(name))->chart();
  }

  wl::frmMain* w = nullptr;
};

TEST_F(Graphs, ButtonMenuAndKeyOpenItBesideTheViewAndItFollowsTheOrbital) {
  ASSERT_TRUE(w->Menus->mnuGoGraphs->isEnabled());
  Click(w->eeGraphs);
  ASSERT_TRUE(w->GraphsShown());
  EXPECT_TRUE(w->Graphs->windowTitle().contains(QStringLiteral("1S")));
  // A new orbital's marker starts at the radius holding 90%.
  EXPECT_NEAR(R().MarkerRadius, 2.661, 1e-3);
  EXPECT_DOUBLE_EQ(w->Graphs->Marker(), R().MarkerRadius);
  const QRect view(w->eeMainView->mapToGlobal(QPoint()), w->eeMainView->size());
  EXPECT_FALSE(w->Graphs->frameGeometry().intersects(view));

  // The button again closes it; Ctrl+G and Go > Graphs open it.
  Click(w->eeGraphs);
  EXPECT_FALSE(w->GraphsShown());
  QApplication::setActiveWindow(w);
  QTest::keyClick(w, Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(w->GraphsShown());
  w->Graphs->close();
  w->Menus->mnuGoGraphs->trigger();
  EXPECT_TRUE(w->GraphsShown());

  // Another orbital: its graphs, its own marker; the first keeps its own.
  R().MarkerRadius = 1.5;
  ASSERT_TRUE(w->Calculate(k3s, 18, 50, 0));
  EXPECT_TRUE(w->Graphs->windowTitle().contains(QStringLiteral("3S")));
  EXPECT_NEAR(w->Graphs->Marker(), wl::RadiusHolding(3, 0, 0.9), 1e-9);
  w->SetMode(3, QString(), QString(), 0, true, true);
  EXPECT_TRUE(w->Graphs->windowTitle().contains(QStringLiteral("1S")));
  EXPECT_DOUBLE_EQ(w->Graphs->Marker(), 1.5);

  // The angular graph shows the slice's plane.
  Click(w->eeTDir[2]);
  EXPECT_TRUE(ChartOf("angularView")->title().contains(QStringLiteral("xy")));
  Click(w->eeTDir[0]);
  EXPECT_TRUE(ChartOf("angularView")->title().contains(QStringLiteral("yz")));

  // Deleting the orbital shown: the window follows the one shown next, and
  // closes with the last; away from the viewer the menu entry is off.
  for (const char* next : {"3S", ""}) {
    messages->answers.push_back(wl::MsgAnswer::Yes);
    w->Menus->mnuFileDelete->trigger();
    QApplication::processEvents();
    EXPECT_EQ(w->GraphsShown(), *next != 0);
    if (*next) {
      EXPECT_TRUE(w->Graphs->windowTitle().contains(QLatin1String(next)));
    }
  }
  w->SetMode(2, QString(), QString(), 0, true, true);
  EXPECT_FALSE(w->Menus->mnuGoGraphs->isEnabled());
}

TEST_F(Graphs, TheMarkerDraggedInTheWindowIsDrawnInTheViews) {
  w->ShowGraphs(true);
  const QImage before = w->eeMainView->Image();
  auto* tabs = w->Graphs->findChild<QTabWidget*>(QStringLiteral("tabs"));
  tabs->setCurrentIndex(1);
  auto* view = w->Graphs->findChild<QChartView*>(QStringLiteral("cumulativeView"));
  QChart* chart = view->chart();
  const QRectF area = chart->plotArea();
  auto at = [&](double fx) {
    return view->mapFromScene(chart->mapToScene(QPointF(area.left() + fx * area.width(), area.center().y())));
  };
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at(0.5));
  QTest::mouseMove(view->viewport(), at(0.3));
  QApplication::processEvents();
  const double dragged = R().MarkerRadius;
  EXPECT_DOUBLE_EQ(dragged, w->Graphs->Marker());
  // While the pointer is still down the views show the new marker.
  const QImage during = w->eeMainView->Image();
  EXPECT_NE(during, before);
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at(0.3));
  EXPECT_DOUBLE_EQ(R().MarkerRadius, dragged);

  // Closing the window takes the marker out of the views.
  w->Graphs->close();
  QApplication::processEvents();
  EXPECT_NE(w->eeMainView->Image(), during);
}

TEST_F(Graphs, ItOpensWhereTheUserLeftItAlsoInTheNextRun) {
  w->ShowGraphs(true);
  const QRect moved(w->Graphs->geometry().topLeft() + QPoint(-40, 30),
                    w->Graphs->size() + QSize(24, 16));
  w->Graphs->setGeometry(moved);
  w->Graphs->close();
  EXPECT_EQ(wl::ProgramSettings().value(QStringLiteral("Graphs/Geometry")).toRect(), moved);

  // The next run.
  window.reset();
  w = &Started();
  ASSERT_TRUE(w->Calculate(k1s, 2, 40, 0));
  w->ShowGraphs(true);
  EXPECT_EQ(w->Graphs->geometry(), moved);
}

class GraphsStart : public ProgramTest {};

TEST_F(GraphsStart, TheStartOptionOpensTheViewerWithItsGraphs) {
  wl::StartOptions options;
  options.Orbital = wl::OrbitalSetup{18, 16000, 50, k3s, wl::PDF};
  options.Graphs = true;
  window = wl::modMain::Main(options).Window;
  ASSERT_TRUE(window);
  EXPECT_EQ(window->CurrentMode, 3);
  ASSERT_TRUE(window->GraphsShown());
  EXPECT_TRUE(window->Graphs->windowTitle().contains(QStringLiteral("3S")));
}

}  // namespace
