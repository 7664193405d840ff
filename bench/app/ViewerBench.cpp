// The viewer as the user drives it: one drag step in the 3D view of the real
// main window (mouse move -> FrameUpdate3D -> pixels in eeMainView) for each
// 3D mode, one slider step with the transect area shown, one auto-rotation
// step without its wait, and a timed run of the real auto-rotation loop that
// reports its step rate and the process's share of one core.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise (xcb under Xvfb gives
// the figures of a real window).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QTimer>
#include <array>
#include <memory>
#include <string>

#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "core/Platform.h"
#include "main/frmMain.h"
#include "shell/modMain.h"

namespace {

constexpr wl::Integer k3Dz2 = 9;

// The program started once, with 3Dz² (PDF, its default radius and threshold)
// calculated and shown.
wl::frmMain& Window() {
  static std::unique_ptr<wl::frmMain> window = [] {
    wl::SetSeedHook(1);
    wl::StartOptions options;
    wl::OrbitalSetup s;
    s.OrbitalIndex = k3Dz2;
    s.AtomRadius = 18;
    s.DotThreshold = 30;
    s.DotTarget = 16000;
    options.Orbital = s;
    auto w = wl::modMain::Main(options).Window;
    wl::SetSeedHook(std::nullopt);
    return w;
  }();
  return *window;
}

wl::OrbitalView& Shown() {
  wl::frmMain& w = Window();
  return w.OrbitalViews[static_cast<size_t>(w.CurrentOrbital)];
}

void Send(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons held) {
  QMouseEvent e(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &e);
}

// Drags in the main view in the mode range(0), with the transect area shown
// when range(1) is not 0.
void Drag(benchmark::State& state) {
  wl::frmMain& w = Window();
  Shown().Mode = static_cast<wl::RenderMode>(state.range(0));
  Shown().Swapped = 0;
  Shown().Transector = state.range(1) != 0;
  QWidget* view = w.eeMainView;
  Send(view, QEvent::MouseButtonPress, {180, 180}, Qt::LeftButton, Qt::LeftButton);
  int i = 0;
  for (auto _ : state) {
    const double x = 180 + ((i++ & 1) ? 3 : -3);
    Send(view, QEvent::MouseMove, {x, 180}, Qt::NoButton, Qt::LeftButton);
  }
  // Released in a dot mode, so that no final volume image is rendered.
  Shown().Mode = wl::Orthographic;
  Send(view, QEvent::MouseButtonRelease, {180, 180}, Qt::LeftButton, Qt::NoButton);
  state.SetLabel(std::string(std::array{"orthographic", "perspective", "anaglyph",
                                        "volume preview"}[state.range(0)]) +
                 (state.range(1) ? ", transect area shown" : ""));
}

void BM_DragStep(benchmark::State& state) {
  Drag(state);
}
BENCHMARK(BM_DragStep)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

// The same in a window zoomed twice: the views ask for 750 and 256 pixel
// pictures and show them pixel for pixel.
void BM_DragStepZoomed(benchmark::State& state) {
  wl::frmMain& w = Window();
  w.SetZoom(2.0);
  if (w.ZoomFactor() != 2.0) {
    state.SkipWithError("the screen has no room for a window zoomed twice");
    return;
  }
  Drag(state);
  state.counters["main_pixels"] = w.ViewPixels(wl::Main);
  w.SetZoom(1.0);
}
BENCHMARK(BM_DragStepZoomed)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_SliderStep(benchmark::State& state) {
  wl::frmMain& w = Window();
  Shown().Mode = wl::Orthographic;
  Shown().Transector = true;
  wl::RollOverImage* thumb = w.eeTSlider;
  Send(thumb, QEvent::MouseButtonPress, {8, 15}, Qt::LeftButton, Qt::LeftButton);
  int i = 0;
  for (auto _ : state) {
    Send(thumb, QEvent::MouseMove, {8.0 + ((i++ & 1) ? 2 : -2), 15}, Qt::NoButton, Qt::LeftButton);
  }
  Send(thumb, QEvent::MouseButtonRelease, {8, 15}, Qt::LeftButton, Qt::NoButton);
  state.SetLabel("transect area shown");
}
BENCHMARK(BM_SliderStep)->Unit(benchmark::kMillisecond);

void BM_AutoRotationStep(benchmark::State& state) {
  wl::frmMain& w = Window();
  Shown().Mode = wl::Orthographic;
  for (auto _ : state) w.AutoRotateStep();
}
BENCHMARK(BM_AutoRotationStep)->Unit(benchmark::kMillisecond);

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The real loop on its timer for range(0) seconds, with the event loop
// running as in the program. A step renders two frames (3D and transect).
void BM_AutoRotationRate(benchmark::State& state) {
  wl::frmMain& w = Window();
  Shown().Mode = wl::Orthographic;
  const int seconds = static_cast<int>(state.range(0));
  auto frames = [&w] { return w.Engine.Orbitals().GetStats(w.CurrentOrbital).FramesRendered; };
  for (auto _ : state) {
    const wl::Long frames0 = frames();
    const double cpu0 = CpuSeconds();
    QElapsedTimer clock;
    clock.start();
    Shown().AutoRotating = true;
    w.AutoRotate();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    Shown().AutoRotating = false;
    const double wall = clock.elapsed() / 1000.0;
    state.counters["steps_per_s"] = (frames() - frames0) / 2 / wall;
    state.counters["cpu_share"] = (CpuSeconds() - cpu0) / wall;
  }
}
BENCHMARK(BM_AutoRotationRate)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  // Offscreen, a 2560 by 1600 panel (room for a window zoomed twice).
  QTemporaryDir scratch;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    QFile screen(scratch.filePath(QStringLiteral("screen.json")));
    if (screen.open(QIODevice::WriteOnly)) {
      screen.write(R"({"screens": [{"name": "panel", "x": 0, "y": 0, "width": 2560,
                    "height": 1600, "logicalDpiX": 96, "logicalDpiY": 96, "dpr": 1}]})");
      screen.close();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
  }
  // The zoom tried here is not kept as the user's.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
