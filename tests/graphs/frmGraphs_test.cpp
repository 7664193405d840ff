// The Graphs window driven with real events offscreen: it follows the orbital
// it is shown, its marker follows the mouse, the compare tab overlays the
// ticked orbitals, and its exports write what they say or nothing.
#include "frmGraphs.h"

#include <gtest/gtest.h>

#include <QAbstractAxis>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <cmath>

#include "analysis/Radial.h"
#include "core/cWL.h"

namespace {

using wl::frmGraphs;
using wl::GraphSubject;

// A calculated orbital as the main window describes it.
GraphSubject Subject(int engineIndex, const char* name, bool average = false,
                     wl::ViewMode view = wl::PDF) {
  static const auto table = wl::cWL().EnumOrbitals();
  for (size_t i = 0; i < table.size(); ++i) {
    const auto& info = table[i];
    if (QString::fromStdU16String(info.Name) == QString::fromUtf8(name) &&
        (info.OrbType == wl::AverageOrbs) == average) {
      GraphSubject s;
      s.EngineIndex = engineIndex;
      s.OrbitalIndex = static_cast<int>(i);
      s.Name = QStringLiteral("%1 (%2,%3)").arg(QString::fromUtf8(name)).arg(info.n).arg(info.l);
      s.n = info.n;
      s.l = info.l;
      s.Average = average;
      s.View = view;
      s.AtomRadius = 20;
      return s;
    }
  }
  ADD_FAILURE() << "no orbital " << name;
  return {};
}

QChart* ChartOf(const frmGraphs& w, const char* view) {
  auto* v = w.findChild<QChartView*>(QString::fromLatin1(view));
  return v ? v->chart() : nullptr;
}

template <class T>
T* SeriesNamed(QChart* chart, const QString& start) {
  for (auto* s : chart->series()) {
    if (s->name().startsWith(start)) return qobject_cast<T*>(s);
  }
  return nullptr;
}

class GraphsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    all = {Subject(0, "1S"), Subject(1, "2S"), Subject(2, "3S"),
           Subject(3, "3Dz²", false, wl::DRPDF), Subject(4, "4F", true, wl::DRPDF)};
    window.SetTell([this](const QString& text) { told << text; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void ShowTab(int tab) {
    window.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(tab);
    QCoreApplication::processEvents();
  }

  std::vector<GraphSubject> all;
  frmGraphs window;
  QStringList told;
};

TEST_F(GraphsWindow, FollowsTheOrbitalItIsShown) {
  window.ShowOrbital(all[0], all);
  EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("1S (1,0)")));
  QChart* radial = ChartOf(window, "radialView");
  ASSERT_TRUE(radial);
  EXPECT_TRUE(radial->title().contains(QStringLiteral("1S (1,0)")));
  EXPECT_FALSE(SeriesNamed<QScatterSeries>(radial, QStringLiteral("node")));
  EXPECT_FALSE(window.findChild<QLabel*>(QStringLiteral("drpdfNote"))->isVisible());

  window.ShowOrbital(all[2], all);
  EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("3S (3,0)")));
  radial = ChartOf(window, "radialView");
  EXPECT_TRUE(radial->title().contains(QStringLiteral("3S (3,0)")));
  // 3s: its two radial nodes at (9 ± 3√3)/2 marked on the R curve, named in the legend.
  auto* nodes = SeriesNamed<QScatterSeries>(radial, QStringLiteral("nodes "));
  ASSERT_TRUE(nodes);
  ASSERT_EQ(nodes->count(), 2);
  EXPECT_NEAR(nodes->at(0).x(), (9 - 3 * std::sqrt(3.0)) / 2, 1e-9);
  EXPECT_NEAR(nodes->at(1).x(), (9 + 3 * std::sqrt(3.0)) / 2, 1e-9);
  EXPECT_EQ(nodes->name(), QStringLiteral("nodes 1.90, 7.10 a₀"));
  // The marked radii: most probable, ⟨r⟩ = 13.5 and the 90% radius.
  auto* mean = SeriesNamed<QLineSeries>(radial, QStringLiteral("⟨r⟩"));
  ASSERT_TRUE(mean);
  EXPECT_DOUBLE_EQ(mean->at(0).x(), 13.5);
  auto* ninety = SeriesNamed<QLineSeries>(radial, QStringLiteral("90% inside"));
  ASSERT_TRUE(ninety);
  EXPECT_NEAR(wl::CumulativeP(3, 0, ninety->at(0).x()), 0.9, 1e-9);
  // The r axis reaches where 99.9% is held, in Bohr radii with Ångström above.
  QLineSeries* r = nullptr;
  for (auto* s : radial->series()) {
    if (s->objectName() == QLatin1String("P")) r = qobject_cast<QLineSeries*>(s);
  }
  ASSERT_TRUE(r);
  EXPECT_GE(wl::CumulativeP(3, 0, r->at(r->count() - 1).x()), 0.999);
  const auto top = radial->axes(Qt::Horizontal);
  ASSERT_EQ(top.size(), 2);
  for (auto* axis : top) {
    auto* v = qobject_cast<QValueAxis*>(axis);
    if (axis->alignment() == Qt::AlignTop) {
      EXPECT_NEAR(v->max(), r->at(r->count() - 1).x() * 0.529177, 1e-9);
    }
  }
  EXPECT_TRUE(ChartOf(window, "angularView")->title().contains(QStringLiteral("3S (3,0)")));

  // A DRPDF view of a single orbital explains its weighting; an average's does not.
  window.ShowOrbital(all[3], all);
  EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("drpdfNote"))->isVisible());
  EXPECT_TRUE(ChartOf(window, "angularView")->series().size() >= 2);
  window.ShowOrbital(all[4], all);
  EXPECT_FALSE(window.findChild<QLabel*>(QStringLiteral("drpdfNote"))->isVisible());
  EXPECT_TRUE(SeriesNamed<QLineSeries>(ChartOf(window, "angularView"),
                                       QStringLiteral("The subshell average is round")));
}

// A complex orbital's angular tab carries the colour wheel of arg ψ in its
// top-right corner, following the view's size; real orbitals' tabs do not.
TEST_F(GraphsWindow, TheAngularTabOfAComplexOrbitalShowsThePhaseWheel) {
  ShowTab(2);
  auto* view = window.findChild<QChartView*>(QStringLiteral("angularView"));
  ASSERT_TRUE(view);
  auto key = [&] { return view->findChild<QWidget*>(QStringLiteral("phaseKey")); };
  window.ShowOrbital(all[1], all);
  EXPECT_TRUE(!key() || !key()->isVisible());
  GraphSubject complex = Subject(5, "2Pz");
  complex.Complex = true;
  all.push_back(complex);
  window.ShowOrbital(complex, all);
  ASSERT_TRUE(key());
  EXPECT_TRUE(key()->isVisible());
  auto inTopRight = [&] {
    const QRect k = key()->geometry();
    EXPECT_TRUE(view->rect().contains(k));
    EXPECT_LT(view->width() - k.right(), 20);
    EXPECT_LT(k.top(), 20);
  };
  inTopRight();
  // Its ring shows the hues: the pixels of the key's picture span the wheel.
  const QImage picture = key()->grab().toImage();
  int coloured = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      coloured += c.alpha() > 200 && c.hsvSaturation() > 60;
    }
  }
  EXPECT_GT(coloured, 300);
  window.resize(window.width() + 120, window.height() + 40);
  QCoreApplication::processEvents();
  inTopRight();

  // Exported pictures carry the wheel where the window shows it, and a real
  // orbital's pictures have none.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QString answer;
  window.SetFileDialog(
      [&](const QString&, const QString&, const QStringList&, QString*) -> std::optional<QString> {
        return answer;
      });
  const QRect keyArea = key()->geometry();
  auto colouredIn = [&](const QImage& image, qreal scale) {
    const QRect area(keyArea.topLeft() * scale, keyArea.size() * scale);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y).hsvSaturation() > 60;
    return n;
  };
  auto exported = [&](const char* name) {
    answer = dir.filePath(QString::fromLatin1(name));
    QTest::mouseClick(window.findChild<QPushButton*>(answer.endsWith(QLatin1String(".svg"))
                                                         ? QStringLiteral("exportSVG")
                                                         : QStringLiteral("exportPNG")),
                      Qt::LeftButton);
    if (answer.endsWith(QLatin1String(".png"))) return QImage(answer);
    QSvgRenderer svg(answer);
    QImage image(view->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
  };
  EXPECT_GT(colouredIn(exported("complex.png"), 2), 4 * 300);
  EXPECT_GT(colouredIn(exported("complex.svg"), 1), 300);

  // Back to a real orbital: the key goes, from the window and the pictures.
  window.ShowOrbital(all[0], all);
  EXPECT_FALSE(key()->isVisible());
  EXPECT_LT(colouredIn(exported("real.png"), 2), 20);
  EXPECT_LT(colouredIn(exported("real.svg"), 1), 10);
}

TEST_F(GraphsWindow, DraggingTheMarkerFollowsThePointer) {
  window.ShowOrbital(all[0], all);
  ShowTab(1);
  QSignalSpy changed(&window, &frmGraphs::MarkerChanged);
  auto* view = window.findChild<QChartView*>(QStringLiteral("cumulativeView"));
  QChart* chart = view->chart();
  const QRectF area = chart->plotArea();
  auto* axis = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal, chart->series().last())[0]);
  ASSERT_TRUE(axis);
  // The radius under a viewport point, from the plot area and the axis range.
  auto radiusAt = [&](QPoint p) {
    const QPointF inChart = chart->mapFromScene(view->mapToScene(p));
    return axis->min() + (inChart.x() - area.left()) / area.width() * (axis->max() - axis->min());
  };
  auto viewportPoint = [&](double fx) {
    const QPointF inChart(area.left() + fx * area.width(), area.center().y());
    return view->mapFromScene(chart->mapToScene(inChart));
  };

  // A press on the title moves nothing.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(view->width() / 2, 8));
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(window.Marker(), 0);

  const QPoint start = viewportPoint(0.2), middle = viewportPoint(0.45), end = viewportPoint(0.6);
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
  QTest::mouseMove(view->viewport(), middle);
  QTest::mouseMove(view->viewport(), end);
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, end);
  ASSERT_GE(changed.count(), 3);
  EXPECT_NEAR(changed.at(0).at(0).toDouble(), radiusAt(start), 0.02);
  EXPECT_NEAR(changed.at(1).at(0).toDouble(), radiusAt(middle), 0.02);
  const double a = changed.last().at(0).toDouble();
  EXPECT_NEAR(a, radiusAt(end), 0.02);
  EXPECT_DOUBLE_EQ(window.Marker(), a);
  EXPECT_TRUE(changed.last().at(1).toBool());
  EXPECT_TRUE(changed.last().at(2).toBool());
  // The title reads the probability within a off the engine.
  const QString value = QStringLiteral("P(r &lt; %1 a₀) = %2")
                            .arg(QString::number(a, 'f', 2))
                            .arg(QString::number(wl::CumulativeP(1, 0, a), 'f', 3));
  EXPECT_TRUE(chart->title().contains(value)) << chart->title().toStdString();

  // Dragging past the end stops at the axis' end.
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, end);
  QTest::mouseMove(view->viewport(), QPoint(view->width() - 1, end.y()));
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(view->width() - 1, end.y()));
  EXPECT_DOUBLE_EQ(window.Marker(), axis->max());

  // The check boxes say where the marker is drawn.
  changed.clear();
  auto* inSlice = window.findChild<QCheckBox*>(QStringLiteral("showInSlice"));
  QTest::mouseClick(inSlice, Qt::LeftButton, {}, QPoint(8, inSlice->height() / 2));
  ASSERT_EQ(changed.count(), 1);
  EXPECT_FALSE(changed.last().at(1).toBool());
  EXPECT_TRUE(changed.last().at(2).toBool());
  EXPECT_FALSE(window.MarkerInSlice());

  // Told from outside, the window shows it without echoing it back, and
  // keeps it for the next orbital.
  changed.clear();
  window.SetMarker(2.5);
  window.SetMarkerShown(true, false);
  window.ShowOrbital(all[1], all);
  EXPECT_EQ(changed.count(), 0);
  EXPECT_DOUBLE_EQ(window.Marker(), 2.5);
  EXPECT_TRUE(window.findChild<QCheckBox*>(QStringLiteral("showInSlice"))->isChecked());
  EXPECT_FALSE(window.findChild<QCheckBox*>(QStringLiteral("showIn3D"))->isChecked());
  EXPECT_TRUE(ChartOf(window, "cumulativeView")->title().contains(QStringLiteral("2.50 a₀")));
}

TEST_F(GraphsWindow, CompareOverlaysTheTickedOrbitals) {
  window.ShowOrbital(all[2], all);
  ShowTab(3);
  auto named = [&] {
    QStringList names;
    for (auto* s : ChartOf(window, "compareView")->series()) names << s->name();
    return names;
  };
  EXPECT_EQ(named(), QStringList{QStringLiteral("3S (3,0)")});
  // The current orbital is not offered; the others are.
  EXPECT_FALSE(window.findChild<QCheckBox*>(QStringLiteral("compare2")));
  for (const char* box : {"compare0", "compare1"}) {
    auto* check = window.findChild<QCheckBox*>(QString::fromLatin1(box));
    ASSERT_TRUE(check);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
  }
  EXPECT_EQ(named(), (QStringList{QStringLiteral("1S (1,0)"), QStringLiteral("2S (2,0)"),
                                  QStringLiteral("3S (3,0)")}));
  // Each P(r) in its own colour, and each is the engine's.
  QList<QColor> colours;
  for (auto* s : ChartOf(window, "compareView")->series()) {
    auto* line = qobject_cast<QLineSeries*>(s);
    ASSERT_TRUE(line);
    EXPECT_FALSE(colours.contains(line->color()));
    colours << line->color();
    const QPointF p = line->at(line->count() / 7);
    const int n = s->name().left(1).toInt();
    EXPECT_NEAR(p.y(), wl::RadialP(n, 0, p.x()), 1e-12);
  }

  // The ticks survive a change of orbital while the orbitals stay calculated.
  window.ShowOrbital(all[2], {all[0], all[2], all[3]});
  EXPECT_EQ(named(), (QStringList{QStringLiteral("1S (1,0)"), QStringLiteral("3S (3,0)")}));
  auto* one = window.findChild<QCheckBox*>(QStringLiteral("compare0"));
  QTest::mouseClick(one, Qt::LeftButton, {}, QPoint(8, one->height() / 2));
  EXPECT_EQ(named(), QStringList{QStringLiteral("3S (3,0)")});
}

TEST_F(GraphsWindow, ExportsWriteTheShownGraphOrNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::optional<QString> answer;
  QStringList asked;
  window.SetFileDialog([&](const QString&, const QString& start, const QStringList& filters,
                           QString*) -> std::optional<QString> {
    asked << start + QStringLiteral(" | ") + filters.join(QLatin1Char(';'));
    return answer;
  });
  window.ShowOrbital(all[2], all);
  auto click = [&](const char* button) {
    auto* b = window.findChild<QPushButton*>(QString::fromLatin1(button));
    QTest::mouseClick(b, Qt::LeftButton);
  };

  // Cancelled: nothing written, nothing told.
  answer.reset();
  click("exportPNG");
  ASSERT_EQ(asked.size(), 1);
  EXPECT_TRUE(asked[0].contains(QStringLiteral("*.png")));
  EXPECT_TRUE(QDir(dir.path()).isEmpty());

  // PNG at twice the graph's size.
  ShowTab(0);
  answer = dir.filePath(QStringLiteral("radial.png"));
  click("exportPNG");
  const QImage png(*answer);
  const QSize shown = window.findChild<QChartView*>(QStringLiteral("radialView"))->size();
  EXPECT_EQ(png.size(), shown * 2);

  // SVG of the angular graph, readable as SVG.
  ShowTab(2);
  answer = dir.filePath(QStringLiteral("angular.svg"));
  click("exportSVG");
  QSvgRenderer svg(*answer);
  EXPECT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox().size(),
            window.findChild<QChartView*>(QStringLiteral("angularView"))->size());

  // CSV of the tab shown: the angular factor here, the radial numbers there.
  answer = dir.filePath(QStringLiteral("angular.csv"));
  click("exportCSV");
  QFile angular(*answer);
  ASSERT_TRUE(angular.open(QIODevice::ReadOnly));
  EXPECT_EQ(angular.readLine().trimmed(), QByteArray("angle_deg,factor"));
  ShowTab(1);
  answer = dir.filePath(QStringLiteral("within.csv"));
  click("exportCSV");
  QFile within(*answer);
  ASSERT_TRUE(within.open(QIODevice::ReadOnly));
  EXPECT_EQ(within.readLine().trimmed(), QByteArray("r,R,P,cumulative"));
  int rows = 0;
  QList<QByteArray> last;
  while (!within.atEnd()) {
    last = within.readLine().trimmed().split(',');
    ++rows;
  }
  EXPECT_GE(rows, 200);
  EXPECT_GE(last.value(3).toDouble(), 0.999);
  EXPECT_TRUE(told.isEmpty()) << told.join(QLatin1Char('\n')).toStdString();

  // A place that cannot be written to is told, and leaves no file.
  answer = dir.filePath(QStringLiteral("missing/folder/radial.png"));
  click("exportPNG");
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told[0].contains(*answer));
  EXPECT_FALSE(QFile::exists(*answer));
}

TEST_F(GraphsWindow, HybridsAndIonsAreGraphedAsWhatTheyAre) {
  // An sp member of n = 2: half 2s, half 2pz.
  GraphSubject sp = Subject(5, "2S");
  sp.Name = QStringLiteral("sp hybrid 1 of 2 PDF");
  sp.l = -1;
  sp.Terms = {{static_cast<wl::Integer>(sp.OrbitalIndex), std::sqrt(0.5)},
              {static_cast<wl::Integer>(Subject(5, "2Pz").OrbitalIndex), std::sqrt(0.5)}};
  all.push_back(sp);
  window.ShowOrbital(sp, all);
  QChart* radial = ChartOf(window, "radialView");
  ASSERT_TRUE(radial);
  // No one R for a mix of subshells: P alone, the average of the two.
  bool hasR = false;
  QLineSeries* p = nullptr;
  for (auto* s : radial->series()) {
    hasR = hasR || s->objectName() == QLatin1String("R");
    if (s->objectName() == QLatin1String("P")) p = qobject_cast<QLineSeries*>(s);
  }
  EXPECT_FALSE(hasR);
  ASSERT_TRUE(p);
  const QPointF mid = p->at(p->count() / 3);
  EXPECT_NEAR(mid.y(), 0.5 * (wl::RadialP(2, 0, mid.x()) + wl::RadialP(2, 1, mid.x())), 1e-12);
  ShowTab(2);
  QChart* angular = ChartOf(window, "angularView");
  ASSERT_TRUE(angular);
  EXPECT_TRUE(angular->title().startsWith(QStringLiteral("ψ of sp hybrid")));

  // He⁺ 2p: its 90% radius is hydrogen's halved.
  GraphSubject ion = Subject(6, "2Pz");
  ion.Charge = 2;
  all.push_back(ion);
  window.ShowOrbital(ion, all);
  auto* ninety = SeriesNamed<QLineSeries>(ChartOf(window, "radialView"), QStringLiteral("90% inside"));
  ASSERT_TRUE(ninety);
  EXPECT_NEAR(ninety->at(0).x(), wl::RadiusHolding(2, 1, 0.9) / 2, 1e-9);
}

}  // namespace

