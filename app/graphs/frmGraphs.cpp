#include "frmGraphs.h"

#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPolarChart>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "AngularChart.h"
#include "CompareChart.h"
#include "CumulativeChart.h"
#include "PhaseKey.h"
#include "RadialChart.h"
#include "SubjectCurves.h"
#include "analysis/GraphTables.h"

namespace wl {

namespace {

// The cumulative graph's view: pressing and dragging the left button moves
// the marker to the radius under the pointer.
class MarkerChartView : public QChartView {
 public:
  std::function<void(double)> Moved;
  CumulativeChart* Graph = nullptr;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton || !Graph) return QChartView::mousePressEvent(e);
    const QRectF area = Graph->plotArea().adjusted(-8, -8, 8, 8);
    if (!area.contains(Graph->mapFromScene(mapToScene(e->position().toPoint())))) return;
    dragging_ = true;
    Report(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (dragging_)
      Report(e);
    else
      QChartView::mouseMoveEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (dragging_ && e->button() == Qt::LeftButton) {
      Report(e);
      dragging_ = false;
    } else {
      QChartView::mouseReleaseEvent(e);
    }
  }

 private:
  void Report(QMouseEvent* e) {
    const QPointF inChart = Graph->mapFromScene(mapToScene(e->position().toPoint()));
    const double r = Graph->mapToValue(inChart, Graph->CumulativeSeries()).x();
    // Not quite 0: a marker at the nucleus would read as none.
    if (Moved) Moved(std::clamp(r, Graph->RMax() * 1e-3, Graph->RMax()));
  }
  bool dragging_ = false;
};

QChartView* NewView(QWidget* parent) {
  auto* view = new QChartView(parent);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

// Replaces the view's chart, deleting the one it showed.
void Show(QChartView* view, QChart* chart) {
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
}

QString CsvField(const QString& text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool SameOrbital(const GraphSubject& a, const GraphSubject& b) {
  return a.EngineIndex == b.EngineIndex && a.OrbitalIndex == b.OrbitalIndex;
}

}  // namespace

frmGraphs::frmGraphs(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setWindowTitle(QStringLiteral("Graphs"));
  setMinimumSize(600, 440);
  resize(720, 560);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("drpdfNote"));
  note_->setWordWrap(true);
  note_->setText(QStringLiteral(
      "This view shows ψ² weighted by r² sin θ, the volume element: the probability per step in "
      "r, θ and φ, so it fades near the nucleus and along the z axis."));
  note_->hide();
  layout->addWidget(note_);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabs"));
  layout->addWidget(tabs_, 1);

  radialView_ = NewView(tabs_);
  radialView_->setObjectName(QStringLiteral("radialView"));
  tabs_->addTab(radialView_, QStringLiteral("Radial"));

  auto* within = new QWidget(tabs_);
  auto* withinLayout = new QVBoxLayout(within);
  withinLayout->setContentsMargins(0, 0, 0, 0);
  auto* markerView = new MarkerChartView;
  markerView->setRenderHint(QPainter::Antialiasing);
  markerView->setCursor(Qt::SizeHorCursor);
  markerView->Moved = [this](double a) { UserMarker(a); };
  cumulativeView_ = markerView;
  cumulativeView_->setObjectName(QStringLiteral("cumulativeView"));
  withinLayout->addWidget(cumulativeView_, 1);
  auto* markerRow = new QHBoxLayout;
  markerRow->setContentsMargins(6, 0, 6, 4);
  markerRow->addWidget(new QLabel(QStringLiteral("Radius a:"), within));
  markerBox_ = new QDoubleSpinBox(within);
  markerBox_->setObjectName(QStringLiteral("markerValue"));
  markerBox_->setDecimals(2);
  markerBox_->setSingleStep(0.1);
  markerBox_->setSuffix(QStringLiteral(" a₀"));
  markerBox_->setSpecialValueText(QStringLiteral("none"));
  markerRow->addWidget(markerBox_);
  markerRow->addSpacing(16);
  inSliceBox_ = new QCheckBox(QStringLiteral("Show in slice"), within);
  inSliceBox_->setObjectName(QStringLiteral("showInSlice"));
  in3DBox_ = new QCheckBox(QStringLiteral("Show in 3D view"), within);
  in3DBox_->setObjectName(QStringLiteral("showIn3D"));
  inSliceBox_->setChecked(inSlice_);
  in3DBox_->setChecked(in3D_);
  markerRow->addWidget(inSliceBox_);
  markerRow->addWidget(in3DBox_);
  markerRow->addStretch(1);
  withinLayout->addLayout(markerRow);
  tabs_->addTab(within, QStringLiteral("Within a radius"));
  connect(markerBox_, &QDoubleSpinBox::valueChanged, this, [this](double a) { UserMarker(a); });
  connect(inSliceBox_, &QCheckBox::toggled, this, [this](bool on) {
    inSlice_ = on;
    emit MarkerChanged(marker_, inSlice_, in3D_);
  });
  connect(in3DBox_, &QCheckBox::toggled, this, [this](bool on) {
    in3D_ = on;
    emit MarkerChanged(marker_, inSlice_, in3D_);
  });

  angularView_ = NewView(tabs_);
  angularView_->setObjectName(QStringLiteral("angularView"));
  tabs_->addTab(angularView_, QStringLiteral("Angular"));

  auto* compare = new QWidget(tabs_);
  auto* compareLayout = new QHBoxLayout(compare);
  compareLayout->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(compare);
  scroll->setWidgetResizable(true);
  scroll->setFixedWidth(160);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* boxes = new QWidget(scroll);
  compareBoxes_ = new QVBoxLayout(boxes);
  compareBoxes_->setContentsMargins(6, 6, 6, 6);
  compareHint_ = new QLabel(boxes);
  compareHint_->setWordWrap(true);
  compareBoxes_->addWidget(compareHint_);
  compareBoxes_->addStretch(1);
  scroll->setWidget(boxes);
  compareLayout->addWidget(scroll);
  compareView_ = NewView(compare);
  compareView_->setObjectName(QStringLiteral("compareView"));
  compareLayout->addWidget(compareView_, 1);
  tabs_->addTab(compare, QStringLiteral("Compare"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  const std::pair<const char*, ExportKind> exports[] = {
      {"PNG", ExportKind::Png}, {"SVG", ExportKind::Svg}, {"CSV", ExportKind::Csv}};
  for (const auto& [word, kind] : exports) {
    auto* button = new QPushButton(QStringLiteral("Export %1…").arg(QLatin1String(word)), this);
    button->setObjectName(QStringLiteral("export%1").arg(QLatin1String(word)));
    button->setEnabled(false);
    connect(button, &QPushButton::clicked, this, [this, kind = kind] { Export(kind); });
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
}

void frmGraphs::ShowOrbital(const GraphSubject& current,
                            const std::vector<GraphSubject>& calculated) {
  current_ = current;
  calculated_ = calculated;
  hasSubject_ = true;
  // Keep only the comparisons still calculated, under their current names.
  std::vector<GraphSubject> kept;
  for (const GraphSubject& s : calculated_) {
    if (SameOrbital(s, current_)) continue;
    if (std::any_of(ticked_.begin(), ticked_.end(),
                    [&](const GraphSubject& t) { return SameOrbital(s, t); })) {
      kept.push_back(s);
    }
  }
  ticked_ = kept;
  setWindowTitle(QStringLiteral("Graphs - %1").arg(current_.Name));
  note_->setVisible(current_.View == DRPDF && !current_.Average);
  for (auto* button : findChildren<QPushButton*>()) button->setEnabled(true);
  BuildCharts();
}

void frmGraphs::BuildCharts() {
  Show(radialView_, BuildRadialChart(current_));
  cumulative_ = new CumulativeChart(current_);
  cumulative_->SetMarker(marker_);
  static_cast<MarkerChartView*>(cumulativeView_)->Graph = cumulative_;
  Show(cumulativeView_, cumulative_);
  {
    const QSignalBlocker quiet(markerBox_);
    markerBox_->setRange(0, std::max(cumulative_->RMax(), marker_));
    markerBox_->setValue(marker_);
  }
  Show(angularView_, BuildAngularChart(current_));
  ShowPhaseKey(angularView_, current_.Complex);
  BuildCompareList();
  BuildCompareChart();
}

void frmGraphs::BuildCompareList() {
  for (auto* box : compareBoxes_->parentWidget()->findChildren<QCheckBox*>()) delete box;
  int row = 1;
  for (const GraphSubject& s : calculated_) {
    if (SameOrbital(s, current_)) continue;
    auto* box = new QCheckBox(s.Name, compareBoxes_->parentWidget());
    box->setObjectName(QStringLiteral("compare%1").arg(s.EngineIndex));
    box->setToolTip(s.Name);
    box->setChecked(std::any_of(ticked_.begin(), ticked_.end(),
                                [&](const GraphSubject& t) { return SameOrbital(s, t); }));
    connect(box, &QCheckBox::toggled, this, [this, s](bool on) {
      std::erase_if(ticked_, [&](const GraphSubject& t) { return SameOrbital(s, t); });
      if (on) ticked_.push_back(s);
      BuildCompareChart();
    });
    compareBoxes_->insertWidget(row++, box);
  }
  compareHint_->setText(row == 1 ? QStringLiteral("Calculate other orbitals to compare their "
                                                  "P(r) with this one.")
                                 : QStringLiteral("Overlay P(r) of:"));
}

void frmGraphs::BuildCompareChart() {
  Show(compareView_, wl::BuildCompareChart(Compared()));
}

std::vector<GraphSubject> frmGraphs::Compared() const {
  // The current orbital and the ticked ones in the order they are listed, so
  // 1s, 2s and 3s read in order and keep their colours.
  std::vector<GraphSubject> shown;
  for (const GraphSubject& s : calculated_) {
    if (SameOrbital(s, current_) ||
        std::any_of(ticked_.begin(), ticked_.end(),
                    [&](const GraphSubject& t) { return SameOrbital(s, t); })) {
      shown.push_back(s);
    }
  }
  if (std::none_of(shown.begin(), shown.end(),
                   [&](const GraphSubject& s) { return SameOrbital(s, current_); })) {
    shown.insert(shown.begin(), current_);
  }
  return shown;
}

double frmGraphs::Marker() const {
  return marker_;
}

void frmGraphs::SetMarker(double a) {
  ShowMarker(a > 0 ? a : 0);
}

bool frmGraphs::MarkerInSlice() const {
  return inSlice_;
}

bool frmGraphs::MarkerIn3D() const {
  return in3D_;
}

void frmGraphs::SetMarkerShown(bool inSlice, bool in3D) {
  inSlice_ = inSlice;
  in3D_ = in3D;
  const QSignalBlocker a(inSliceBox_), b(in3DBox_);
  inSliceBox_->setChecked(inSlice);
  in3DBox_->setChecked(in3D);
}

void frmGraphs::ShowMarker(double a) {
  if (a == marker_) return;
  marker_ = a;
  if (cumulative_) cumulative_->SetMarker(a);
  const QSignalBlocker quiet(markerBox_);
  if (a > markerBox_->maximum()) markerBox_->setMaximum(a);
  markerBox_->setValue(a);
}

void frmGraphs::UserMarker(double a) {
  if (a == marker_) return;
  ShowMarker(a);
  emit MarkerChanged(marker_, inSlice_, in3D_);
}

QChartView* frmGraphs::ShownView() const {
  switch (tabs_->currentIndex()) {
    case 1:
      return cumulativeView_;
    case 2:
      return angularView_;
    case 3:
      return compareView_;
    default:
      return radialView_;
  }
}

QString frmGraphs::ShownTabWord() const {
  static const char* words[] = {"radial", "within a radius", "angular", "compared"};
  return QLatin1String(words[std::clamp(tabs_->currentIndex(), 0, 3)]);
}

QByteArray frmGraphs::ShownCsv() const {
  const int tab = tabs_->currentIndex();
  if (tab == 2) {
    return QByteArray::fromStdString(
        AngularCsv(SubjectAngularRows(current_, current_.SlicePlane, 720)));
  }
  if (tab == 3) {
    const std::vector<GraphSubject> shown = Compared();
    double rmax = 0;
    for (const GraphSubject& s : shown) rmax = std::max(rmax, SubjectPlotEnd(s));
    const int points = 400;
    QString text = QStringLiteral("r");
    std::vector<std::vector<RadialRow>> columns;
    for (const GraphSubject& s : shown) {
      text += QLatin1Char(',') + CsvField(QStringLiteral("P ") + s.Name);
      columns.push_back(SubjectRows(s, rmax, points));
    }
    text += QLatin1Char('\n');
    for (int i = 0; i < points; ++i) {
      text += QString::number(columns[0][static_cast<size_t>(i)].r, 'g', 10);
      for (const auto& column : columns) {
        text += QLatin1Char(',') + QString::number(column[static_cast<size_t>(i)].P, 'g', 10);
      }
      text += QLatin1Char('\n');
    }
    return text.toUtf8();
  }
  return QByteArray::fromStdString(
      RadialCsv(SubjectRows(current_, SubjectPlotEnd(current_), 400)));
}

void frmGraphs::Export(ExportKind kind) {
  if (!hasSubject_) return;
  QString caption, extension, filter;
  switch (kind) {
    case ExportKind::Png:
      caption = QStringLiteral("Export the graph as a picture");
      extension = QStringLiteral("png");
      filter = QStringLiteral("PNG pictures (*.png)");
      break;
    case ExportKind::Svg:
      caption = QStringLiteral("Export the graph as a drawing");
      extension = QStringLiteral("svg");
      filter = QStringLiteral("SVG drawings (*.svg)");
      break;
    case ExportKind::Csv:
      caption = QStringLiteral("Export the graph's numbers");
      extension = QStringLiteral("csv");
      filter = QStringLiteral("CSV tables (*.csv)");
      break;
  }
  const QString start = QStringLiteral("%1 %2.%3").arg(current_.Name, ShownTabWord(), extension);
  QString chosenFilter = filter;
  std::optional<QString> file;
  if (Ask_) {
    file = Ask_(caption, start, {filter}, &chosenFilter);
  } else {
    const QString name = QFileDialog::getSaveFileName(this, caption, start, filter, &chosenFilter);
    if (!name.isEmpty()) file = name;
  }
  if (!file || file->isEmpty()) return;

  QByteArray bytes;
  QChartView* view = ShownView();
  // The phase wheel over a complex orbital's angular chart goes with it.
  auto keyOf = [](const QChartView* v) -> ChartOverlay {
    return [v](QPainter& p, QSize size) { PaintShownPhaseKey(v, p, size); };
  };
  if (kind == ExportKind::Csv) {
    bytes = ShownCsv();
  } else if (kind == ExportKind::Svg) {
    bytes = ChartSvg(view->chart(), view->size(), view->chart()->title(), keyOf(view));
  }
  QSaveFile out(*file);
  bool written = out.open(QIODevice::WriteOnly);
  if (written) {
    if (kind == ExportKind::Png) {
      // Twice the window's pixels, sharp on slides.
      written = ChartImage(view->chart(), view->size(), 2, keyOf(view)).save(&out, "PNG");
    } else {
      written = !bytes.isEmpty() && out.write(bytes) == bytes.size();
    }
  }
  if (written)
    written = out.commit();
  else
    out.cancelWriting();
  if (!written) {
    const QString text =
        QStringLiteral("The graph could not be written to %1: %2").arg(*file, out.errorString());
    if (Tell_) Tell_(text);
  }
}

void frmGraphs::closeEvent(QCloseEvent* event) {
  event->accept();
  emit Closed();
}

int frmGraphs::Tab() const {
  return tabs_->currentIndex();
}

void frmGraphs::SetTab(int index) {
  if (index >= 0 && index < tabs_->count()) tabs_->setCurrentIndex(index);
}

}  // namespace wl
