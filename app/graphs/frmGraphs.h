// The Graphs window: a modeless tool window beside the main window with the
// radial graphs of the orbital shown (R and P, the probability within a radius
// with its draggable marker, the angular factor in the slice plane, and other
// calculated orbitals' P overlaid). It knows nothing of the main window: the
// main window tells it what to show and listens to its marker.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "GraphSubject.h"
#include "wlgraphs_export.h"

namespace wl {

class WLGRAPHS_EXPORT frmGraphs : public QWidget {
  Q_OBJECT

 public:
  // Asks for a file name to export to (caption, start name, filters); none
  // when the user cancels. The program passes its file dialog service.
  using AskFileName =
      std::function<std::optional<QString>(const QString& caption, const QString& startName,
                                           const QStringList& filters, QString* chosenFilter)>;
  // Tells the user something went wrong (export failed).
  using Tell = std::function<void(const QString& text)>;

  explicit frmGraphs(QWidget* parent = nullptr);
  void SetFileDialog(AskFileName ask) { Ask_ = std::move(ask); }
  void SetTell(Tell tell) { Tell_ = std::move(tell); }

  // Shows the graphs of `current`; `calculated` lists every calculated
  // orbital (current included) for the compare tab. Keeps the marker and
  // the ticked comparisons of orbitals still listed.
  void ShowOrbital(const GraphSubject& current, const std::vector<GraphSubject>& calculated);
  // The marker radius a in Bohr radii (0: none yet) and where it is drawn.
  double Marker() const;
  void SetMarker(double a);
  bool MarkerInSlice() const;
  bool MarkerIn3D() const;
  void SetMarkerShown(bool inSlice, bool in3D);

 signals:
  // While the marker is dragged and when its check boxes change.
  void MarkerChanged(double a, bool inSlice, bool in3D);
  // The window was closed by the user.
  void Closed();

 protected:
  void closeEvent(class QCloseEvent* event) override;

 private:
  AskFileName Ask_;
  Tell Tell_;
};

}  // namespace wl
