// The Orbital Properties window: the figures of one calculated orbital (how
// long the calculation and the dot filling took, how many samples and dots
// there are, how many frames have been drawn) and a histogram of how often
// each probability level was sampled, its bars coloured by the dot threshold.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "core/Records.h"
#include "wlapp_export.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace wl {

class frmMain;

// The histogram's bars. Level i is a one-pixel column at window x = 186 + i
// rising from the baseline y = 208; the modal level's bar is 143 pixels high.
// The count axis is logarithmic: empty space (level 0 and the lowest levels)
// outnumbers the levels that get dots by thousands to one, and on a linear
// axis every level above the dot threshold would round down to no bar at
// all. A bar's height is 143 · log(1 + count) / log(1 + modal count), so one
// sample still shows; light grey lines mark counts of 10, 100, 1000, ...
// Green from the dot threshold up, red below. The widget is transparent: the
// white background and the axes are separate controls behind and beside it.
// Positions are at scale 1 and multiplied by the window's scale.
class WLAPP_EXPORT HistogramView : public QWidget {
  Q_OBJECT

 public:
  // The window pixels the bars may cover, at scale 1.
  static constexpr int kLeft = 186;
  static constexpr int kBaseline = 208;
  static constexpr int kTallest = 143;

  HistogramView(QWidget* parent, double scale);
  void SetData(const OrbitalStats& stats, Byte dotThreshold);

  // The height in pixels at scale 1 of a bar of `count` samples when the
  // modal level has `top` (0 when either is 0).
  static int BarHeight(Long count, Long top);
  // The grey lines: the heights of the counts 10, 100, ... below `top`.
  static std::vector<int> GridHeights(Long top);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<Long, 256> Freqs_{};
  Byte Mode_ = 0;
  Byte DotThreshold_ = 0;
  double Scale_ = 1.0;
};

// One figure of the Orbital Properties window: its title and its number.
struct StatsFigure {
  QString Title;
  Long Value = 0;
};
// The window's figures in the order it shows them, from the calculation time
// to the frames rendered.
WLAPP_EXPORT std::vector<StatsFigure> StatsFigures(const OrbitalStats& stats);

class WLAPP_EXPORT frmStats : public QDialog {
  Q_OBJECT

 public:
  // A window-modal child of the main window; nothing is shown until ShowStats.
  explicit frmStats(frmMain& main);
  // Takes the engine's current figures for the orbital `index` into the
  // record of the main window's current view and shows them.
  void ShowStats(Integer index);

  // --- Controls ---
  QLabel* labOrbitalTitle;
  QGroupBox* CalcStatsFrame;
  QLabel *labCalcTimeTitle, *labCalcTime;
  QLabel *labCalcRateTitle, *labCalcRate;
  QLabel *labTotalProbSampTitle, *labProbSamps;
  QLabel *labDotTotalTargetTitle, *labDotTarget;
  QLabel *labRealDotTotalTitle, *labRealDotTotal;
  QLabel *labDotFillingTimeTitle, *labDotFillingTime;
  QLabel *labFramesTitle, *labFrames;
  QLabel* labMode;
  QLabel* Label1;
  QWidget* shpKeyGraphBG;
  QWidget *lineXAxis, *lineYAxis;
  HistogramView* Histogram;
  QLabel *labOrigin, *labMaxProb;
  QWidget* shpKeyAbove;
  QLabel* labAboveDotThreshTitle;
  QWidget* shpKeyBelow;
  QLabel* labBelowDotThreshTitle;
  QWidget* shpKeyGrid;
  QLabel* labGridTitle;  // what the grey lines of the log scale mean
  QPushButton* cmdOK;

 private:
  QRect Scaled(int x, int y, int w, int h) const;
  QFont ScaledFont(int pixels, bool bold = false) const;
  QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place);
  QWidget* NewBlock(const QString& name, const QColor& colour, const QRect& place);
  void SetValue(QLabel* label, Long value);

  frmMain& Main_;
  double Scale_;
};

}  // namespace wl
