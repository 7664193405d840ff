// The zoom: the factor itself (Qt's scale factor of every screen), its steps
// and limits, the zoom kept between runs, and the main window's part: Go >
// Zoom In / Zoom Out / Actual Size, full screen filling the screen's height,
// the window and its tool windows placed again, its pictures drawn again at
// the new density.
#include "Zoom.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QBackingStore>
#include <qpa/qplatformbackingstore.h>
#include <qpa/qplatformwindow.h>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <algorithm>
#include <cmath>
#include <qpa/qplatformscreen.h>

#include "Bitmaps.h"
#include "Layout.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "dialogs/frmViewOptions.h"
#include "frmMain.h"
#include "graphs/frmGraphs.h"
#include "help/frmMenus.h"
#include "shell/Settings.h"
#include "shell/modDisplay.h"

namespace wl {

namespace Zoom {

namespace {
constexpr double kSame = 1e-6;
const char* kSettingsKey = "Zoom";
double g_factor = 1.0;

// The scale a screen had before the program zoomed it (a desktop set to
// 192 dots an inch is drawn at 2 by Qt itself): the zoom multiplies it, so
// that Actual Size stays the size the desktop gives the window.
double DesktopScale(const QScreen* screen) {
  static QHash<QString, double> scales;
  const QString name = screen->name();
  if (auto it = scales.constFind(name); it != scales.constEnd()) return *it;
  const double scale = QHighDpiScaling::factor(screen);
  scales.insert(name, scale > 0 ? scale : 1.0);
  return scales.value(name);
}
}  // namespace

double Clamp(double factor) {
  if (!std::isfinite(factor)) return kMin;
  return std::clamp(factor, kMin, kMax);
}

double StepIn(double current, double fit) {
  fit = Clamp(fit);
  for (double step : kSteps) {
    if (step <= current + kSame) continue;
    if (step <= fit + kSame) return step;
    break;
  }
  return fit > current + kSame ? fit : current;
}

double StepOut(double current) {
  double below = kMin;
  for (double step : kSteps) {
    if (step < current - kSame) below = step;
  }
  return below;
}

double Factor() {
  return g_factor;
}

void SetFactor(double factor) {
  factor = Clamp(factor);
  g_factor = factor;
  // Qt's factor of a screen is multiplied by QT_SCALE_FACTOR, already part of
  // the desktop's scale.
  bool ok = false;
  double global = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
  if (!ok || !(global > 0)) global = 1.0;
  for (QScreen* screen : QGuiApplication::screens())
    QHighDpiScaling::setScreenFactor(screen, DesktopScale(screen) / global * factor);
}

double Fit(const QScreen* screen, bool wholeScreen) {
  if (!screen || !screen->handle()) return kMin;
  // The screen's own device pixels, whatever factor is in use now; the
  // desktop's own scale and a platform's density (a Wayland scale) multiply
  // the factor.
  const QPlatformScreen* device = screen->handle();
  const QRect area = wholeScreen ? device->geometry() : device->availableGeometry();
  const double platform = std::max(1.0, static_cast<double>(device->devicePixelRatio())) *
                          DesktopScale(screen);
  // A thousandth less, so that rounding never leaves the window a pixel too big.
  const auto largest = [&](int width, int height) {
    return Clamp(std::floor(std::min(area.width() / (width * platform),
                                     area.height() / (height * platform)) * 1000.0) / 1000.0);
  };
  const double fit = largest(Layout::kWidth, Layout::kHeight);
  if (wholeScreen) return fit;
  // A window as large as a 4:3 screen would make the desktop measure 800 by
  // 600, which the program takes for a screen to fill: a window leaves the
  // desktop a pixel more.
  const QSize desktop = device->geometry().size();
  const bool exact = std::lround(desktop.width() / (fit * platform)) <= Layout::kWidth &&
                     std::lround(desktop.height() / (fit * platform)) <= Layout::kHeight;
  return exact ? largest(Layout::kWidth + 1, Layout::kHeight + 1) : fit;
}

double Saved() {
  bool ok = false;
  const double value = ProgramSettings().value(QLatin1String(kSettingsKey)).toDouble(&ok);
  return ok ? Clamp(value) : kMin;
}

void Save(double factor) {
  ProgramSettings().setValue(QLatin1String(kSettingsKey), Clamp(factor));
}

double ApplyAtStart(std::optional<double> asked) {
  const double wanted = asked ? Clamp(*asked) : Saved();
  const double factor = std::min(wanted, Fit(QGuiApplication::primaryScreen(), false));
  SetFactor(factor);
  return factor;
}

}  // namespace Zoom

namespace {
// Under a window manager a window may reach its new device size only after
// the zoom, when the manager answers; its logical size did not change, so Qt
// keeps the backing store at the old device size and the grown part stays
// unpainted. Whenever the window is exposed at a device size its store does
// not have, the store is sized anew and the whole window repainted.
class DeviceSizeFollower final : public QObject {
 public:
  static constexpr const char* kName = "DeviceSizeFollower";
  explicit DeviceSizeFollower(QWidget* top) : QObject(top), top_(top) { setObjectName(kName); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose) Follow(static_cast<QWindow*>(watched));
    return false;
  }

  void Follow(QWindow* window) {
    QBackingStore* store = top_->backingStore();
    if (!window || !window->handle() || !store || !store->handle()) return;
    const QPaintDevice* device = store->handle()->paintDevice();
    const QSize native = window->handle()->geometry().size();
    if (!device || native.isEmpty() || QSize(device->width(), device->height()) == native) return;
    store->resize(top_->size());
    top_->update();
    for (QWidget* child : top_->findChildren<QWidget*>()) child->update();
  }

 private:
  QWidget* top_;
};

void FollowDeviceSize(QWidget* top) {
  QWindow* window = top->windowHandle();
  if (!window) return;
  auto* follower = static_cast<DeviceSizeFollower*>(top->findChild<QObject*>(
      QLatin1String(DeviceSizeFollower::kName), Qt::FindDirectChildrenOnly));
  if (!follower) {
    follower = new DeviceSizeFollower(top);
    window->installEventFilter(follower);
  }
  follower->Follow(window);
}
}  // namespace

Integer frmMain::ViewPixels(RenderSize size) const {
  const NoFocusCont* view = size == Main ? eeMainView : eeNanoView;
  const long natural = size == Main ? Main : Nano;
  const long device = std::lround(natural * view->devicePixelRatioF());
  return device == natural ? 0 : static_cast<Integer>(device);
}

double frmMain::ZoomFactor() const {
  return Zoom::Factor();
}

void frmMain::ConnectZoom() {
  Menus->mnuGoZoomIn->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  Menus->mnuGoZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  Menus->mnuGoZoomReset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  addActions({Menus->mnuGoZoomIn, Menus->mnuGoZoomOut, Menus->mnuGoZoomReset});
  connect(Menus->mnuGoZoomIn, &QAction::triggered, this, [this] {
    SetZoom(Zoom::StepIn(Zoom::Factor(), Zoom::Fit(screen(), FullScreen)));
  });
  connect(Menus->mnuGoZoomOut, &QAction::triggered, this,
          [this] { SetZoom(Zoom::StepOut(Zoom::Factor())); });
  connect(Menus->mnuGoZoomReset, &QAction::triggered, this, [this] { SetZoom(Zoom::kMin); });
  WindowedZoom_ = Zoom::Factor();
}

bool frmMain::SetZoom(double factor) {
  factor = std::min(Zoom::Clamp(factor), Zoom::Fit(screen(), FullScreen));
  if (std::abs(factor - Zoom::Factor()) < 1e-6) return false;
  ApplyZoom(factor);
  // Full screen has a zoom of its own; the window's is kept for the next run.
  if (!FullScreen) {
    WindowedZoom_ = factor;
    Zoom::Save(factor);
  }
  return true;
}

void frmMain::FullScreenZoom(bool on) {
  if (on) WindowedZoom_ = Zoom::Factor();
  const double factor = on ? Zoom::Fit(screen(), true) : WindowedZoom_;
  if (std::abs(factor - Zoom::Factor()) >= 1e-6) ApplyZoom(factor);
}

void frmMain::ApplyZoom(double factor) {
  QScreen* shown = screen();
  const double old = Zoom::Factor();
  // The window's centre in device pixels stays where it is.
  const QPoint origin = shown ? shown->geometry().topLeft() : QPoint();
  const QPointF centre = origin + (geometry().center() - origin) * old;
  Zoom::SetFactor(factor);
  factor = Zoom::Factor();

  // Windows take their device size at the new factor (hidden ones too, for
  // when they show again); a full-screen one fills its screen again.
  for (QWidget* top : QApplication::topLevelWidgets()) {
    QWindow* window = top->windowHandle();
    if (!window || !window->handle()) continue;
    window->setGeometry(top->isFullScreen() && top->screen() ? top->screen()->geometry()
                                                             : top->geometry());
  }
  if (FullScreen) {
    move(AppServices().Display->Origin());
  } else if (shown) {
    const QRect available = shown->availableGeometry();
    QPoint at = origin + ((centre - origin) / factor).toPoint() - rect().center();
    at.setX(std::clamp(at.x(), available.left(), std::max(available.left(),
                                                          available.right() + 1 - width())));
    at.setY(std::clamp(at.y(), available.top(), std::max(available.top(),
                                                         available.bottom() + 1 - height())));
    move(at);
    // The desktop is measured in the window's pixels: its size changed.
    if (!DisplayChanged) StartMode = modDisplay::GetCurrentMode();
  }
  RedrawForZoom();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowHandle() && top->windowHandle()->handle()) FollowDeviceSize(top);
  }
  // The tool windows stay beside the now larger or smaller window.
  // (An options window hidden with the viewer is placed as it shows again.)
  if (OptionsShown && ViewOptions) {
    OptionsToPlace_ = !ViewOptions->isVisible();
    if (!OptionsToPlace_) PlaceOptionsWindow();
  }
  if (GraphsShown()) {
    PlaceGraphsBeside(shown ? shown->availableGeometry() : QRect(QPoint(), size()));
    GraphsPlacedAt_ = Graphs->geometry();
  }
}

void frmMain::RedrawForZoom() {
  // The bitmaps are drawn again at the new density (their twice-size drawings
  // above a factor of 1).
  QPalette pal = palette();
  pal.setBrush(QPalette::Window, QBrush(Bitmaps::Get(QStringLiteral("WLBG"))));
  setPalette(pal);
  const char* backgrounds[4] = {nullptr, "WLMAINVIEW", "WLORBSETUP", "WLORBVIEWER"};
  if (CurrentMode >= 1 && CurrentMode <= 3) {
    WLmainBG->setPixmap(Bitmaps::Get(QLatin1String(backgrounds[CurrentMode])));
  }
  Menus->eeTSliderOff = Bitmaps::Get(QStringLiteral("EETSLIDEROFF"));
  Menus->eeTSliderOn = Bitmaps::Get(QStringLiteral("EETSLIDERON"));
  RefreshRollOverPictures();
  RefreshChromeButtons();
  RefreshSetupButtons();
  eeTSlider->setPicture(Menus->eeTSliderOff);
  // The views' pictures are rendered again at their new device size: the
  // orbital shown at once, the others when they are shown.
  for (Integer i = 0; i < static_cast<Integer>(OrbitalViews.size()); ++i)
    RenderedAtOtherZoom_.insert(i);
  if (CurrentMode == 3) RefreshViewerButtons();
  update();
}

}  // namespace wl
