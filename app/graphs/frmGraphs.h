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

QT_BEGIN_NAMESPACE
class QChartView;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QTabWidget;
class QVBoxLayout;
QT_END_NAMESPACE

namespace wl {

class CumulativeChart;

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

  // A tool window of `parent` (a top-level window without one).
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
  // The tab shown, 0 to 3 from the left (Radial, Within a radius, Angular,
  // Compare); out-of-range choices are ignored.
  int Tab() const;
  void SetTab(int index);

 signals:
  // While the marker is dragged and when its check boxes change.
  void MarkerChanged(double a, bool inSlice, bool in3D);
  // The window was closed by the user.
  void Closed();

 protected:
  void closeEvent(class QCloseEvent* event) override;

 private:
  enum class ExportKind { Png, Svg, Csv };
  void BuildCharts();
  void BuildCompareList();
  void BuildCompareChart();
  std::vector<GraphSubject> Compared() const;
  void ShowMarker(double a);
  void UserMarker(double a);
  void Export(ExportKind kind);
  QChartView* ShownView() const;
  QString ShownTabWord() const;
  QByteArray ShownCsv() const;

  AskFileName Ask_;
  Tell Tell_;
  GraphSubject current_;
  std::vector<GraphSubject> calculated_;
  bool hasSubject_ = false;
  double marker_ = 0;
  bool inSlice_ = true, in3D_ = true;
  std::vector<GraphSubject> ticked_;  // compared orbitals, by engine index and orbital

  QTabWidget* tabs_ = nullptr;
  QLabel* note_ = nullptr;
  QChartView* radialView_ = nullptr;
  QChartView* cumulativeView_ = nullptr;
  CumulativeChart* cumulative_ = nullptr;
  QDoubleSpinBox* markerBox_ = nullptr;
  QCheckBox* inSliceBox_ = nullptr;
  QCheckBox* in3DBox_ = nullptr;
  QChartView* angularView_ = nullptr;
  QChartView* compareView_ = nullptr;
  QVBoxLayout* compareBoxes_ = nullptr;
  QLabel* compareHint_ = nullptr;
};

}  // namespace wl
