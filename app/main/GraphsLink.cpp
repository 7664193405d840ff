// The main window's side of the Graphs window: opening and placing it, telling
// it which orbital is shown, and drawing its marker in the views.
#include <QScreen>

#include "Layout.h"
#include "OrbitalNames.h"
#include "RollOverImage.h"
#include "graphs/SubjectCurves.h"
#include "frmMain.h"
#include "graphs/frmGraphs.h"
#include "orbitals/Hybrids.h"
#include "shell/Services.h"
#include "shell/Settings.h"
#include "shell/ToolPlacement.h"

namespace wl {

namespace {
const char kGeometryKey[] = "Graphs/Geometry";
}  // namespace

bool frmMain::GraphsShown() const {
  return Graphs && Graphs->isVisible();
}

void frmMain::ShowGraphs(bool visible) {
  if (!visible) {
    if (Graphs) Graphs->close();
    return;
  }
  if (OrbitalViews.empty() || CurrentMode != 3) return;
  if (!Graphs) {
    Graphs = new frmGraphs(this);
    Graphs->setWindowFlag(Qt::Tool);
    Graphs->setAttribute(Qt::WA_DeleteOnClose, false);
    Graphs->SetFileDialog([this](const QString& caption, const QString& startName,
                                 const QStringList& filters, QString* chosen) {
      return AppServices().Files->SaveFileName(Graphs, caption, startName, filters, chosen);
    });
    Graphs->SetTell([this](const QString& text) {
      MsgBox(Graphs, text, QStringLiteral("Wavelore"), MsgIcon::Exclamation);
    });
    connect(Graphs, &frmGraphs::MarkerChanged, this, &frmMain::GraphsMarkerChanged);
    connect(Graphs, &frmGraphs::Closed, this, &frmMain::GraphsClosed);
    PlaceGraphsWindow();
  }
  GraphsFollow();
  Graphs->show();
  Graphs->raise();
  ShowPicture(eeGraphs, true);
  RefreshOverlays();  // the marker appears in the views
}

void frmMain::PlaceGraphsWindow() {
  QScreen* shown = screen();
  const QRect available = shown ? shown->availableGeometry() : QRect(QPoint(), size());
  const QRect saved = ProgramSettings().value(QLatin1String(kGeometryKey)).toRect();
  if (saved.isValid()) {
    // Where the user left it last time.
    const QSize size = saved.size().expandedTo(Graphs->minimumSize());
    Graphs->setGeometry(QRect(ToolPlacement::OnScreen(saved.topLeft(), size, available), size));
  } else {
    PlaceGraphsBeside(available);
  }
  GraphsPlacedAt_ = Graphs->geometry();
}

void frmMain::PlaceGraphsBeside(const QRect& available) {
  const QRect mainView(mapToGlobal(Layout::eeMainView.topLeft()), Layout::eeMainView.size());
  const QSize frame = Graphs->frameGeometry().size() - Graphs->size();
  // Its own size beside the main window, else its smallest.
  for (const QSize size : {Graphs->size(), Graphs->minimumSize()}) {
    const QPoint at = ToolPlacement::Beside(frameGeometry(), mainView, size + frame, available);
    if (!QRect(at, size + frame).intersects(frameGeometry())) {
      Graphs->resize(size);
      Graphs->move(at);
      return;
    }
  }
  // No room beside it: in a window (not full screen) the main window moves
  // aside when the screen is wide enough for both.
  if (!FullScreen) {
    for (const QSize size : {Graphs->size(), Graphs->minimumSize()}) {
      if (const auto room = ToolPlacement::MakeRoom(frameGeometry(), size + frame, available)) {
        move(room->Main);
        Graphs->resize(size);
        Graphs->move(room->Tool);
        return;
      }
    }
    // A zoomed window: over the page tree, the main view still clear.
    const QSize smallest = Graphs->minimumSize();
    if (const auto room =
            ToolPlacement::OverTheLeftColumn(frameGeometry(), mainView, smallest + frame, available)) {
      move(room->Main);
      Graphs->resize(smallest);
      Graphs->move(room->Tool);
      return;
    }
  }
  // A small screen: where it hides least of the main view.
  Graphs->resize(Graphs->minimumSize());
  Graphs->move(ToolPlacement::Beside(frameGeometry(), mainView, Graphs->minimumSize() + frame,
                                     available));
}

void frmMain::RememberGraphsGeometry() {
  if (!Graphs || Graphs->geometry() == GraphsPlacedAt_) return;
  GraphsPlacedAt_ = Graphs->geometry();
  QSettings settings = ProgramSettings();
  settings.setValue(QLatin1String(kGeometryKey), GraphsPlacedAt_);
}

GraphSubject frmMain::SubjectOf(Integer engineIndex) const {
  const OrbitalView& v = OrbitalViews.at(static_cast<size_t>(engineIndex));
  GraphSubject s;
  s.EngineIndex = engineIndex;
  s.OrbitalIndex = v.OrbitalIndex;
  s.Name = SelectorName(v.Info) +
           (v.ViewMode == DRPDF ? QStringLiteral(" DRPDF") : QStringLiteral(" PDF"));
  s.n = v.Info.n;
  s.l = v.Info.l;
  s.Average = v.Info.OrbType == AverageOrbs;
  s.Complex = v.Setup.Complex != kFalse;
  s.View = v.ViewMode;
  s.AtomRadius = v.AtomRadius;
  s.SlicePlane = v.TransectDir;
  s.Charge = v.Setup.Charge;
  if (v.Setup.Hybrid != NoHybrid) s.Terms = CombinationTerms(v.Setup);
  return s;
}

void frmMain::GraphsFollow() {
  if (!Graphs) return;
  const auto calculated = [this](size_t i) {
    return i < OrbitalViews.size() && Node(QStringLiteral("ORB%1").arg(i)) != nullptr;
  };
  if (!calculated(static_cast<size_t>(CurrentOrbital))) {
    // The orbital shown was deleted: nothing left to graph.
    Graphs->close();
    return;
  }
  std::vector<GraphSubject> all;
  for (size_t i = 0; i < OrbitalViews.size(); ++i) {
    if (calculated(i)) all.push_back(SubjectOf(static_cast<Integer>(i)));
  }
  OrbitalView& R = Current();
  // A new orbital's marker starts at the radius holding 90%.
  if (R.MarkerRadius <= 0) R.MarkerRadius = SubjectHolding(SubjectOf(CurrentOrbital), 0.9);
  const QSignalBlocker quiet(Graphs);
  Graphs->ShowOrbital(SubjectOf(CurrentOrbital), all);
  Graphs->SetMarker(R.MarkerRadius);
  Graphs->SetMarkerShown(R.MarkerInSlice, R.MarkerIn3D);
}

void frmMain::GraphsMarkerChanged(double a, bool inSlice, bool in3D) {
  if (OrbitalViews.empty()) return;
  OrbitalView& R = Current();
  R.MarkerRadius = a;
  R.MarkerInSlice = inSlice;
  R.MarkerIn3D = in3D;
  RefreshOverlays();
}

void frmMain::GraphsClosed() {
  RememberGraphsGeometry();
  ShowPicture(eeGraphs, false);
  // The marker leaves the views once the window is hidden.
  QMetaObject::invokeMethod(
      this, [this] {
        if (CurrentMode == 3) RefreshOverlays();
      },
      Qt::QueuedConnection);
}

}  // namespace wl
