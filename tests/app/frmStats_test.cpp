// The Orbital Properties window over calculated orbitals: title, the engine's
// figures, and the histogram checked pixel by pixel on a grab.
#include "dialogs/frmStats.h"

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
constexpr int kLeft = 186, kBaseline = 208;  // window x of level 0, y of the x axis

// Non-white pixels of level i's column, counted up from just above the baseline.
int BarHeight(const QImage& img, int i) {
  int h = 0;
  while (h < kBaseline && img.pixel(kLeft + i, kBaseline - 1 - h) != kWhite) ++h;
  return h;
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

TEST_F(StatsWindow, BarsRiseInProportionColouredByTheThreshold) {
  // Most samples lie at level 0, so only the lowest levels have visible bars:
  // with a threshold of 3, levels 2 and 3 both do.
  ASSERT_TRUE(w->Calculate(32, 10, 3, 1));
  const wl::OrbitalStats s = Stats();
  ASSERT_GE(s.ProbFreqs[2] * 143 / s.ProbFreqs[s.Mode], 2);
  ASSERT_GE(s.ProbFreqs[3] * 143 / s.ProbFreqs[s.Mode], 2);
  wl::frmStats* d = Open();
  QImage img = Grab(d);
  EXPECT_EQ(img.pixel(kLeft + 3, 207), kGreen);
  EXPECT_EQ(img.pixel(kLeft + 2, 207), kRed);
  // The modal level: rows 65 to 207, white above.
  EXPECT_EQ(img.pixel(kLeft + s.Mode, 65), s.Mode >= 3 ? kGreen : kRed);
  EXPECT_EQ(img.pixel(kLeft + s.Mode, 64), kWhite);
  EXPECT_EQ(BarHeight(img, s.Mode), 143);
  // Every level: its share of 143 pixels, rounded down in single precision.
  const float scale = 143.0f / static_cast<float>(s.ProbFreqs[s.Mode]);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(BarHeight(img, i), static_cast<int>(std::floor(scale * float(s.ProbFreqs[i]))))
        << "level " << i;
  }
  for (int x = 185; x <= 442; ++x) EXPECT_EQ(img.pixel(x, kBaseline), kBlack) << "x " << x;
  for (int y = 60; y <= kBaseline; ++y) EXPECT_EQ(img.pixel(185, y), kBlack) << "y " << y;

  R().DotThreshold = 4;  // the colours follow the view's threshold
  d->ShowStats(w->CurrentOrbital);
  EXPECT_EQ(Grab(d).pixel(kLeft + 3, 207), kRed);
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

TEST(Histogram, ScaledToTheModalLevelAndEmptyWithoutSamples) {
  wl::OrbitalStats s;
  s.Mode = 100;
  s.ProbFreqs[100] = 1000;
  s.ProbFreqs[0] = 999;   // 142.857 pixels
  s.ProbFreqs[99] = 500;  // 71.5
  s.ProbFreqs[254] = 6;   // 0.858
  const QImage img = Bars(s, 100);
  EXPECT_EQ(BarHeight(img, 100), 143);
  EXPECT_EQ(BarHeight(img, 0), 142);
  EXPECT_EQ(BarHeight(img, 99), 71);
  EXPECT_EQ(BarHeight(img, 254), 0);
  EXPECT_EQ(img.pixel(kLeft + 99, 207), kRed);
  EXPECT_EQ(img.pixel(kLeft + 100, 207), kGreen);

  s.ProbFreqs[100] = 0;  // nothing at the modal level: nothing to scale to
  const QImage none = Bars(s, 0);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(BarHeight(none, i), 0) << "level " << i;
}

}  // namespace
