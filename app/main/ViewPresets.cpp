// Standard views of the orbital shown: back to the start, or looking along an
// axis. A click on the axes picture offers them; keys 0, X, Y and Z in a view
// choose them too (see View_KeyPress).
//
// The dot renderer turns a point (X, Y, Z) into screen across u, depth w and
// vertical v. At theta = phi = 0 the camera looks along +y: x across, z up.
//   along x: phi = +pi/2            -> y across, z up (seen from +x)
//   along y: theta = phi = 0        -> x across, z up (seen from -y)
//   along z: theta = -pi/2, phi = 0 -> x across, y up (seen from +z)
#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <numbers>

#include "Axes.h"
#include "dialogs/frmViewOptions.h"
#include "frmMain.h"

namespace wl {

namespace {
// Opens the presets' menu under the pointer when the axes picture is clicked.
class MenuOnClick : public QObject {
 public:
  MenuOnClick(QWidget* target, QMenu* menu) : QObject(target), menu_(menu) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonPress) return false;
    auto* widget = static_cast<QWidget*>(watched);
    menu_->popup(widget->mapToGlobal(static_cast<QMouseEvent*>(event)->position().toPoint()));
    return true;
  }

 private:
  QMenu* menu_;
};
}  // namespace

void frmMain::ConnectViewPresets() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mnuViewPresets"));
  const auto add = [&](const QString& caption, const QString& key, auto action) {
    QAction* entry = menu->addAction(caption);
    entry->setShortcut(QKeySequence(key));
    entry->setShortcutVisibleInContextMenu(true);
    // The keys themselves work only in a view (View_KeyPress): the entry
    // just names them.
    entry->setShortcutContext(Qt::WidgetShortcut);
    connect(entry, &QAction::triggered, this, action);
  };
  add(QStringLiteral("Reset view"), QStringLiteral("0"), [this] { ResetView(); });
  menu->addSeparator();
  add(QStringLiteral("Look along x"), QStringLiteral("X"), [this] { LookAlong(AlongX); });
  add(QStringLiteral("Look along y"), QStringLiteral("Y"), [this] { LookAlong(Alongy); });
  add(QStringLiteral("Look along z"), QStringLiteral("Z"), [this] { LookAlong(Alongz); });
  new MenuOnClick(eeAxes, menu);
  eeAxes->setToolTip(QStringLiteral("Click for standard views"));
  eeAxes->setCursor(Qt::PointingHandCursor);
}

void frmMain::ResetView() {
  if (CurrentMode != 3 || OrbitalViews.empty()) return;
  OrbitalView& R = Current();
  const OrbitalView start;
  R.AutoRotating = false;
  R.Theta = start.Theta;
  R.Phi = start.Phi;
  R.RotateAngle = start.RotateAngle;
  R.CameraPos = start.CameraPos;
  R.ProjectionPlane = start.ProjectionPlane;
  R.StereoFactor = start.StereoFactor;
  R.TransectNo = start.TransectNo;
  R.SliderLeft = SliderLeftFor(R.TransectNo);
  EngineGuard([&] { FrameUpdateBoth(true); });
  RefreshViewerButtons();
  if (OptionsShown && ViewOptions) ViewOptions->LoadOptions();
  ShowViewerStatus();
}

void frmMain::LookAlong(TransectDirection axis) {
  if (CurrentMode != 3 || OrbitalViews.empty()) return;
  OrbitalView& R = Current();
  R.AutoRotating = false;
  R.Theta = axis == Alongz ? -std::numbers::pi / 2 : 0;
  R.Phi = axis == AlongX ? std::numbers::pi / 2 : 0;
  EngineGuard([&] {
    FrameUpdate3D(true, false);
    FinalVolumeIfStill();
  });
  RefreshViewerButtons();
}

}  // namespace wl
