#include "frmStats.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "main/Fonts.h"
#include "main/Numbers.h"
#include "main/OrbitalNames.h"
#include "main/frmMain.h"

namespace wl {

namespace {
// The window at scale 1: wide and high enough for the graph, whose pixels are
// fixed (x 185 to 442, y 60 to 208, the labels and the key below).
constexpr int kWidth = 460;
constexpr int kHeight = 300;

const QColor kBackground(58, 57, 62);
const QColor kText(232, 232, 236);
const QColor kFigure(255, 255, 255);
const QColor kGraphText(0, 0, 0);
const QColor kAbove(0, 255, 0);
const QColor kBelow(255, 0, 0);
// The count lines of the graph: a shade over the bars and the white ground,
// which it turns into kGrid.
const QColor kGridShade(0, 0, 0, 72);
const QColor kGrid(183, 183, 183);

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette pal = widget->palette();
  pal.setColor(QPalette::WindowText, colour);
  widget->setPalette(pal);
}
}  // namespace

// --- HistogramView ---

HistogramView::HistogramView(QWidget* parent, double scale) : QWidget(parent), Scale_(scale) {
  setObjectName(QStringLiteral("Histogram"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAccessibleName(QStringLiteral("Probability frequency distribution"));
  // Columns 186 to 441, rows 65 (the modal level's top) to 207.
  setGeometry(QRect(QPoint(qRound(kLeft * scale), qRound((kBaseline - kTallest) * scale)),
                    QPoint(qRound((kLeft + 256) * scale) - 1, qRound(kBaseline * scale) - 1)));
}

void HistogramView::SetData(const OrbitalStats& stats, Byte dotThreshold) {
  Freqs_ = stats.ProbFreqs;
  Mode_ = stats.Mode;
  DotThreshold_ = dotThreshold;
  update();
}

int HistogramView::BarHeight(Long count, Long top) {
  if (count <= 0 || top <= 0) return 0;
  const double share =
      std::log1p(static_cast<double>(count)) / std::log1p(static_cast<double>(top));
  return std::clamp(static_cast<int>(std::floor(kTallest * share)), 0, kTallest);
}

std::vector<int> HistogramView::GridHeights(Long top) {
  std::vector<int> heights;
  for (Long count = 10; count < top; count *= 10) {
    heights.push_back(BarHeight(count, top));
    if (count > top / 10) break;  // the next power would pass the top (and Long's range)
  }
  return heights;
}

void HistogramView::paintEvent(QPaintEvent*) {
  const Long top = Freqs_[Mode_];
  if (top == 0) return;  // no samples: nothing to scale the bars to
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // Drawn in window pixels at scale 1.
  painter.scale(Scale_, Scale_);
  painter.translate(-kLeft, -(kBaseline - kTallest));
  for (int i = 0; i < 256; ++i) {
    const int h = BarHeight(Freqs_[static_cast<size_t>(i)], top);
    if (h == 0) continue;
    painter.fillRect(QRect(kLeft + i, kBaseline - h, 1, h), i >= DotThreshold_ ? kAbove : kBelow);
  }
  // The lines darken what lies under them, so they show across the bars too:
  // grey on the white ground, a darker green or red on a bar.
  for (const int h : GridHeights(top)) {
    painter.fillRect(QRect(kLeft, kBaseline - h, 256, 1), kGridShade);
  }
}

// --- frmStats ---

std::vector<StatsFigure> StatsFigures(const OrbitalStats& stats) {
  return {{QStringLiteral("Calculation time (ms)"), stats.CalcTime},
          {QStringLiteral("Calculations per ms"), stats.CalcRate},
          {QStringLiteral("Total probabilities sampled"), stats.TotalSamples},
          {QStringLiteral("Dot total target"), stats.DotTarget},
          {QStringLiteral("Acheived dot total"), stats.DotTotal},
          {QStringLiteral("Dot filling time (ms)"), stats.DotTime},
          {QStringLiteral("Frames rendered"), stats.FramesRendered}};
}

frmStats::frmStats(frmMain& main) : QDialog(&main), Main_(main), Scale_(main.ScaleFactor) {
  setObjectName(QStringLiteral("frmStats"));
  setWindowTitle(QStringLiteral("Orbital Properties"));
  setWindowModality(Qt::WindowModal);
  setFixedSize(Scaled(0, 0, kWidth, kHeight).size());
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  pal.setColor(QPalette::WindowText, kText);
  setPalette(pal);
  setFont(ScaledFont(11));
  const int border = qMax(1, qRound(Scale_));
  setStyleSheet(QStringLiteral(
                    "QGroupBox { color: #e8e8ec; border: %1px solid #77757c; border-radius: %2px;"
                    " margin-top: %3px; }"
                    "QGroupBox::title { subcontrol-origin: margin; left: %4px; padding: 0 %2px; }"
                    "QPushButton { background: #2e2d32; color: #e8e8ec; border: %1px solid #77757c;"
                    " border-radius: %2px; }"
                    "QPushButton:hover, QPushButton:focus { border-color: rgb(255, 196, 80); }"
                    "QPushButton:pressed { background: rgb(255, 196, 80); color: black; }")
                    .arg(border)
                    .arg(qRound(3 * Scale_))
                    .arg(qRound(7 * Scale_))
                    .arg(qRound(8 * Scale_)));

  labOrbitalTitle =
      NewLabel(this, QStringLiteral("labOrbitalTitle"), QString(), Scaled(10, 6, kWidth - 20, 30));
  labOrbitalTitle->setFont(ScaledFont(12, true));
  SetTextColour(labOrbitalTitle, kFigure);

  // The figures: a title on the left, the number right-aligned beside it.
  CalcStatsFrame = new QGroupBox(QStringLiteral("Calculation Stats"), this);
  CalcStatsFrame->setObjectName(QStringLiteral("CalcStatsFrame"));
  CalcStatsFrame->setGeometry(Scaled(4, 40, 170, 254));
  CalcStatsFrame->setFont(ScaledFont(11, true));
  struct Row {
    QLabel **title, **value;
    const char *titleName, *valueName;
  };
  const Row rows[] = {
      {&labCalcTimeTitle, &labCalcTime, "labCalcTimeTitle", "labCalcTime"},
      {&labCalcRateTitle, &labCalcRate, "labCalcRateTitle", "labCalcRate"},
      {&labTotalProbSampTitle, &labProbSamps, "labTotalProbSampTitle", "labProbSamps"},
      {&labDotTotalTargetTitle, &labDotTarget, "labDotTotalTargetTitle", "labDotTarget"},
      {&labRealDotTotalTitle, &labRealDotTotal, "labRealDotTotalTitle", "labRealDotTotal"},
      {&labDotFillingTimeTitle, &labDotFillingTime, "labDotFillingTimeTitle", "labDotFillingTime"},
      {&labFramesTitle, &labFrames, "labFramesTitle", "labFrames"},
  };
  const std::vector<StatsFigure> figures = StatsFigures({});
  int y = 24;
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    const QString text = figures.at(i).Title;
    QLabel* title =
        NewLabel(CalcStatsFrame, QString::fromLatin1(row.titleName), text, Scaled(6, y, 100, 28));
    title->setWordWrap(true);
    QLabel* value = NewLabel(CalcStatsFrame, QString::fromLatin1(row.valueName), QString(),
                             Scaled(104, y, 60, 28));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColour(value, kFigure);
    // Read out as "<title>", with the number as the description.
    value->setAccessibleName(text);
    title->setBuddy(value);
    *row.title = title;
    *row.value = value;
    y += 32;
  }

  // The graph: white ground, axes, bars, axis labels and the colour key.
  Label1 = NewLabel(this, QStringLiteral("Label1"),
                    QStringLiteral("Probability frequency distribution"), Scaled(182, 41, 268, 14));
  Label1->setFont(ScaledFont(11, true));
  shpKeyGraphBG = NewBlock(QStringLiteral("shpKeyGraphBG"), Qt::white, Scaled(180, 56, 270, 208));
  Histogram = new HistogramView(this, Scale_);
  lineYAxis = NewBlock(QStringLiteral("lineYAxis"), Qt::black, Scaled(185, 60, 1, 149));
  lineXAxis = NewBlock(QStringLiteral("lineXAxis"), Qt::black, Scaled(185, 208, 258, 1));
  labOrigin =
      NewLabel(this, QStringLiteral("labOrigin"), QStringLiteral("0"), Scaled(179, 211, 13, 14));
  labOrigin->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  labMaxProb = NewLabel(this, QStringLiteral("labMaxProb"), QStringLiteral("Max Prob (255)"),
                        Scaled(342, 211, 104, 14));
  labMaxProb->setAlignment(Qt::AlignRight | Qt::AlignTop);
  shpKeyAbove = NewBlock(QStringLiteral("shpKeyAbove"), kAbove, Scaled(188, 228, 9, 9));
  labAboveDotThreshTitle =
      NewLabel(this, QStringLiteral("labAboveDotThreshTitle"),
               QStringLiteral(": Above dot threshold"), Scaled(198, 225, 130, 14));
  shpKeyBelow = NewBlock(QStringLiteral("shpKeyBelow"), kBelow, Scaled(188, 240, 9, 9));
  labBelowDotThreshTitle =
      NewLabel(this, QStringLiteral("labBelowDotThreshTitle"),
               QStringLiteral(": Below dot threshold"), Scaled(198, 237, 130, 14));
  shpKeyGrid = NewBlock(QStringLiteral("shpKeyGrid"), kGrid, Scaled(188, 255, 9, 1));
  labGridTitle = NewLabel(this, QStringLiteral("labGridTitle"),
                          QStringLiteral(": Grey lines: 10, 100, 1000, \u2026 samples"),
                          Scaled(198, 249, 244, 14));
  labMode = NewLabel(this, QStringLiteral("labMode"), QStringLiteral("Mode: ???"),
                     Scaled(342, 225, 104, 14));
  labMode->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  labMode->setAccessibleName(QStringLiteral("Most frequent probability level"));
  for (QLabel* label : {labOrigin, labMaxProb, labAboveDotThreshTitle, labBelowDotThreshTitle,
                        labGridTitle, labMode}) {
    SetTextColour(label, kGraphText);
  }

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(Scaled(370, 268, 80, 24));
  cmdOK->setFont(ScaledFont(12));
  cmdOK->setDefault(true);
  cmdOK->setFocus();
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

QRect frmStats::Scaled(int x, int y, int w, int h) const {
  return {qRound(x * Scale_), qRound(y * Scale_), qRound(w * Scale_), qRound(h * Scale_)};
}

QFont frmStats::ScaledFont(int pixels, bool bold) const {
  return wl::PixelFont(pixels * Scale_, bold);
}

QLabel* frmStats::NewLabel(QWidget* parent, const QString& name, const QString& text,
                           const QRect& place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setFont(ScaledFont(11));
  return label;
}

QWidget* frmStats::NewBlock(const QString& name, const QColor& colour, const QRect& place) {
  auto* block = new QWidget(this);
  block->setObjectName(name);
  block->setGeometry(place);
  block->setAutoFillBackground(true);
  QPalette pal = block->palette();
  pal.setColor(QPalette::Window, colour);
  block->setPalette(pal);
  return block;
}

void frmStats::SetValue(QLabel* label, Long value) {
  label->setText(QString::number(value));
  label->setAccessibleDescription(label->text());
}

void frmStats::ShowStats(Integer index) {
  if (Main_.CurrentOrbital < 0 ||
      static_cast<size_t>(Main_.CurrentOrbital) >= Main_.OrbitalViews.size()) {
    return;
  }
  OrbitalStats stats;
  if (!Main_.EngineGuard([&] { stats = Main_.Engine.Orbitals().GetStats(index); })) return;
  // The whole record is taken, so the frame count includes what was drawn
  // since the calculation.
  OrbitalView& v = Main_.OrbitalViews[static_cast<size_t>(Main_.CurrentOrbital)];
  v.Stats = stats;

  const OrbInfo& info = v.Info;
  const bool drpdf = v.ViewMode == DRPDF;
  QString title = OrbitalDescription(v) + QStringLiteral(". Atom Radius = ") + ShortestSingle(v.AtomRadius) +
           QStringLiteral(" Bohr radii (default = %1)")
               .arg(drpdf ? info.DefaultDRPDFAtomRadius : info.DefaultPDFAtomRadius);
  // One line: the largest size up to 12 pixels at which the title fits, and
  // only below 9 pixels cut short (the whole title then in the tooltip).
  const int room = labOrbitalTitle->contentsRect().width();
  int pixels = 12;
  for (; pixels > 9; --pixels) {
    if (QFontMetrics(ScaledFont(pixels, true)).horizontalAdvance(title) <= room) break;
  }
  const QFont titleFont = ScaledFont(pixels, true);
  labOrbitalTitle->setFont(titleFont);
  labOrbitalTitle->setText(QFontMetrics(titleFont).elidedText(title, Qt::ElideRight, room));
  labOrbitalTitle->setToolTip(labOrbitalTitle->text() == title ? QString() : title);
  labOrbitalTitle->setAccessibleName(title);

  SetValue(labCalcTime, stats.CalcTime);
  SetValue(labCalcRate, stats.CalcRate);
  SetValue(labProbSamps, stats.TotalSamples);
  SetValue(labDotTarget, stats.DotTarget);
  SetValue(labRealDotTotal, stats.DotTotal);
  SetValue(labDotFillingTime, stats.DotTime);
  SetValue(labFrames, stats.FramesRendered);
  labMode->setText(QStringLiteral("Mode: %1").arg(stats.Mode));
  labMode->setAccessibleDescription(QString::number(stats.Mode));

  Histogram->SetData(stats, v.DotThreshold);
}

}  // namespace wl
