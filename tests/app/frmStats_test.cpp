// The Orbital Properties window over calculated orbitals: title, the engine's
// figures, and the histogram checked pixel by pixel on a grab.
#include "dialogs/frmStats.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <cmath>

#include "AppTestSupport.h"
#include "core/Platform.h"

using namespace wltest;

namespace {

constexpr QRgb kGreen = qRgb(0, 255, 0), kRed = qRgb(255, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);
// A count line on the white ground, and where it crosses a green or a red bar.
constexpr QRgb kGrid = qRgb(183, 183, 183), kGridOnGreen = qRgb(0, 183, 0),
               kGridOnRed = qRgb(183, 0, 0);
constexpr int kLeft = 186, kBaseline = 208;  // window x of level 0, y of the x axis

// The bar of level i: its pixels counted up from just above the baseline,
// until the white ground or a count line over it.
int BarHeight(const QImage& img, int i) {
  int h = 0;
  while (h < kBaseline) {
    const QRgb p = img.pixel(kLeft + i, kBaseline - 1 - h);
    if (p == kWhite || p == kGrid) break;
    ++h;
  }
  return h;
}

// The height a count should have on the logarithmic axis, before rounding
// down: 143 pixels for the modal level's count `top`.
double LogHeight(wl::Long count, wl::Long top) {
  return 143.0 * std::log10(1.0 + count) / std::log10(1.0 + top);
}

class StatsWindow : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(5);
    w = &Started();
  }
  // Opens the window the way the main window does.
  wl::frmStats* Open() {
    auto* d = new wl::frmStats(*w);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->ShowStats(w->CurrentOrbital);
    d->open();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(d));
    return d;
  }
  static QImage Grab(QWidget* d) {
    return d->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }
  wl::OrbitalStats Stats() { return w->Engine.Orbitals().GetStats(w->CurrentOrbital); }

  wl::frmMain* w = nullptr;
};

TEST_F(StatsWindow, TitleNamesTheOrbitalItsViewAndRadius) {
  ASSERT_TRUE(w->Calculate(2, 20, 50, 0));  // 2Px, PDF
  wl::frmStats* d = Open();
  EXPECT_EQ(d->labOrbitalTitle->text(),
            QStringLiteral("2Px (2,1,1) PDF. Atom Radius = 20 Bohr radii (default = 8)"));
  EXPECT_EQ(d->windowTitle(), QStringLiteral("Orbital Properties"));
  EXPECT_EQ(d->windowModality(), Qt::WindowModal);
  R().AtomRadius = 0.1f;  // written in its shortest single-precision form
  d->ShowStats(w->CurrentOrbital);
  EXPECT_EQ(d->labOrbitalTitle->text(),
            QStringLiteral("2Px (2,1,1) PDF. Atom Radius = 0.1 Bohr radii (default = 8)"));

  ASSERT_TRUE(w->Calculate(32, 12, 50, 1));  // the 2P subshell averaged, DRPDF
  EXPECT_EQ(
      Open()->labOrbitalTitle->text(),
      QStringLiteral("2P (2,1,all) Average DRPDF. Atom Radius = 12 Bohr radii (default = 10)"));
}

TEST_F(StatsWindow, FiguresAreTheEnginesCurrentOnes) {
  ASSERT_TRUE(w->Calculate(2, 20, 50, 0));
  QPointer<wl::frmStats> d = Open();
  const wl::OrbitalStats s = Stats();
  const std::pair<QLabel*, wl::Long> figures[] = {
      {d->labCalcTime, s.CalcTime},      {d->labCalcRate, s.CalcRate},
      {d->labProbSamps, s.TotalSamples}, {d->labDotTarget, s.DotTarget},
      {d->labRealDotTotal, s.DotTotal},  {d->labDotFillingTime, s.DotTime},
      {d->labFrames, s.FramesRendered}};
  for (const auto& [label, value] : figures) {
    EXPECT_EQ(label->text(), QString::number(value)) << label->objectName().toStdString();
    EXPECT_FALSE(label->accessibleName().isEmpty()) << label->objectName().toStdString();
  }
  EXPECT_EQ(d->labMode->text(), QStringLiteral("Mode: %1").arg(s.Mode));
  EXPECT_EQ(R().Stats.ProbFreqs, s.ProbFreqs);

  // OK closes the window; frames drawn since then show when it opens again.
  QTest::mouseClick(d->cmdOK, Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(d.isNull());
  for (int i = 0; i < 3; ++i) w->FrameUpdateBoth(false);
  ASSERT_GT(Stats().FramesRendered, s.FramesRendered);
  EXPECT_EQ(Open()->labFrames->text(), QString::number(Stats().FramesRendered));
  EXPECT_EQ(R().Stats.FramesRendered, Stats().FramesRendered);
}

TEST_F(StatsWindow, BarsRiseWithTheLogOfTheCountColouredByTheThreshold) {
  // Most samples lie at the lowest levels; with a threshold of 3 levels 2 and
  // 3 are on either side of it.
  ASSERT_TRUE(w->Calculate(32, 10, 3, 1));
  const wl::OrbitalStats s = Stats();
  ASSERT_GT(s.ProbFreqs[2], 0);
  ASSERT_GT(s.ProbFreqs[3], 0);
  wl::frmStats* d = Open();
  QImage img = Grab(d);
  EXPECT_EQ(img.pixel(kLeft + 3, 207), kGreen);
  EXPECT_EQ(img.pixel(kLeft + 2, 207), kRed);
  // The modal level: rows 65 to 207, white above.
  EXPECT_EQ(img.pixel(kLeft + s.Mode, 65), s.Mode >= 3 ? kGreen : kRed);
  EXPECT_EQ(img.pixel(kLeft + s.Mode, 64), kWhite);
  EXPECT_EQ(BarHeight(img, s.Mode), 143);
  // Every level: its share of 143 pixels on the log axis, rounded down.
  const wl::Long top = s.ProbFreqs[s.Mode];
  for (int i = 0; i < 256; ++i) {
    EXPECT_NEAR(BarHeight(img, i), std::floor(LogHeight(s.ProbFreqs[i], top)), 1)
        << "level " << i << " count " << s.ProbFreqs[i];
  }
  for (int x = 185; x <= 442; ++x) EXPECT_EQ(img.pixel(x, kBaseline), kBlack) << "x " << x;
  for (int y = 60; y <= kBaseline; ++y) EXPECT_EQ(img.pixel(185, y), kBlack) << "y " << y;

  R().DotThreshold = 4;  // the colours follow the view's threshold
  d->ShowStats(w->CurrentOrbital);
  EXPECT_EQ(Grab(d).pixel(kLeft + 3, 207), kRed);
}

// Empty space outnumbers the levels that get dots by thousands to one; on a
// linear axis all of them rounded down to nothing and no bar was ever green.
TEST_F(StatsWindow, EveryLevelThatGetsDotsShowsAGreenBar) {
  ASSERT_TRUE(w->Calculate(2, 8, 50, 0));  // 2Px, PDF, its default radius and threshold
  const wl::OrbitalStats s = Stats();
  ASSERT_GT(s.DotTotal, 10000);
  ASSERT_GT(s.ProbFreqs[s.Mode] / 100, s.ProbFreqs[50]);  // the situation described above
  const QImage img = Grab(Open());
  int green = 0;
  for (int i = 0; i < 256; ++i) {
    if (s.ProbFreqs[i] == 0) continue;
    const QRgb foot = img.pixel(kLeft + i, kBaseline - 1);
    EXPECT_EQ(foot, i >= 50 ? kGreen : kRed) << "level " << i;
    // Even a level with a few dozen samples stands well clear of the axis.
    EXPECT_GE(BarHeight(img, i), 20) << "level " << i << " count " << s.ProbFreqs[i];
    green += foot == kGreen;
  }
  EXPECT_GT(green, 150);
}

TEST_F(StatsWindow, TitleStaysOnOneLine) {
  const auto expectOneLine = [](QLabel* title, const QString& text) {
    EXPECT_EQ(title->text(), text);
    EXPECT_FALSE(title->wordWrap());
    EXPECT_LE(QFontMetrics(title->font()).horizontalAdvance(title->text()),
              title->contentsRect().width())
        << text.toStdString();
    EXPECT_GE(title->font().pixelSize(), 9);
    EXPECT_LE(title->font().pixelSize(), 12);
  };
  ASSERT_TRUE(w->Calculate(32, 10, 50, 1));
  wl::frmStats* d = Open();
  expectOneLine(
      d->labOrbitalTitle,
      QStringLiteral("2P (2,1,all) Average DRPDF. Atom Radius = 10 Bohr radii (default = 10)"));
  // The longest name with a long radius.
  ASSERT_TRUE(w->Calculate(28, 32767, 50, 1));
  d->ShowStats(w->CurrentOrbital);
  expectOneLine(d->labOrbitalTitle,
                QString::fromUtf8("4Fx(x\u00b2-3y\u00b2) (4,3,3) DRPDF. Atom Radius = 32767 "
                                  "Bohr radii (default = 32)"));
  // A short title keeps the full size.
  ASSERT_TRUE(w->Calculate(0, 2, 30, 0));
  d->ShowStats(w->CurrentOrbital);
  EXPECT_EQ(d->labOrbitalTitle->font().pixelSize(), 12);
}

TEST_F(StatsWindow, EmptyLevelLeavesTheGraphWhite) {
  ASSERT_TRUE(w->Calculate(0, 20, 50, 0));  // 1S, PDF: the high levels are sparse
  const wl::OrbitalStats s = Stats();
  int empty = 255;
  while (empty >= 0 && s.ProbFreqs[empty] != 0) --empty;
  ASSERT_GE(empty, 0) << "every level was sampled";
  const QImage img = Grab(Open());
  EXPECT_EQ(img.pixel(kLeft + empty, kBaseline - 1), kWhite);
  EXPECT_EQ(img.pixel(kLeft + empty, kBaseline), kBlack);
}

TEST_F(StatsWindow, WindowAndGraphFollowTheScaleFactor) {
  ASSERT_TRUE(w->Calculate(2, 20, 50, 0));
  const QSize normal = Open()->size();
  w->ScaleFactor = 2.0;
  wl::frmStats* big = Open();
  EXPECT_EQ(big->size(), normal * 2);
  EXPECT_EQ(big->labOrbitalTitle->font().pixelSize(), 24);
  const QImage img = Grab(big);
  EXPECT_NE(img.pixel(2 * (kLeft + Stats().Mode), 2 * 65), kWhite);
  EXPECT_EQ(img.pixel(2 * (kLeft + Stats().Mode), 2 * 65 - 1), kWhite);
}

// The bars alone, from made-up records, over a white window.
QImage Bars(const wl::OrbitalStats& stats, wl::Byte threshold) {
  QWidget ground;
  ground.resize(460, 300);
  (new wl::HistogramView(&ground, 1.0))->SetData(stats, threshold);
  QImage img(ground.size(), QImage::Format_RGB32);
  img.fill(Qt::white);
  ground.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
  return img;
}

TEST(Histogram, LogarithmicHeightsWithCountLinesAndEmptyWithoutSamples) {
  wl::OrbitalStats s;
  s.Mode = 100;
  s.ProbFreqs[100] = 999999;  // six decades above nothing: 143 / 6 pixels a decade
  s.ProbFreqs[0] = 999;       // 71.5
  s.ProbFreqs[99] = 99;       // 47.7
  s.ProbFreqs[254] = 9;       // 23.8
  s.ProbFreqs[255] = 1;       // 7.2: a single sample still shows
  const QImage img = Bars(s, 100);
  EXPECT_EQ(BarHeight(img, 100), 143);
  EXPECT_EQ(BarHeight(img, 0), 71);
  EXPECT_EQ(BarHeight(img, 99), 47);
  EXPECT_EQ(BarHeight(img, 254), 23);
  EXPECT_EQ(BarHeight(img, 255), 7);
  EXPECT_EQ(BarHeight(img, 1), 0);
  EXPECT_EQ(img.pixel(kLeft + 99, 207), kRed);
  EXPECT_EQ(img.pixel(kLeft + 100, 207), kGreen);
  // Count lines at the heights of bars of 10 to 100000 samples (24, 47, 71,
  // 95 and 119 pixels up), grey on the ground and shading the bars they
  // cross; none at the top.
  for (const int h : {24, 47, 71, 95, 119}) {
    EXPECT_EQ(img.pixel(kLeft + 1, kBaseline - h), kGrid) << h;
    EXPECT_EQ(img.pixel(kLeft + 100, kBaseline - h), kGridOnGreen) << h;
    EXPECT_EQ(img.pixel(kLeft + 99, kBaseline - h), h <= 47 ? kGridOnRed : kGrid) << h;
  }
  for (int y = kBaseline - 143; y < kBaseline; ++y) {
    const bool line = y == 184 || y == 161 || y == 137 || y == 113 || y == 89;
    EXPECT_EQ(img.pixel(kLeft + 1, y), line ? kGrid : kWhite) << "y " << y;
  }

  s.ProbFreqs[100] = 0;  // nothing at the modal level: nothing to scale to
  const QImage none = Bars(s, 0);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(BarHeight(none, i), 0) << "level " << i;
  EXPECT_EQ(none.pixel(kLeft + 1, 184), kWhite);
}

}  // namespace
