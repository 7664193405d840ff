// The "Further Options" window: a small floating window, kept above the
// others, that tunes how the orbital shown in the viewer is drawn:
// probability shading and the scale bar, the camera of the perspective and anaglyph
// projections, the dot cloud's density, the volume images' sampling and the
// boundary surface with the colours of the sign of ψ. It
// holds no state of its own; every value lives in the current orbital's
// OrbitalView, so each orbital keeps its own options.
#pragma once

#include <QWidget>
#include <array>

#include "wlapp_export.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabBar;

namespace wl {

class CameraView;
class NoFocusCont;
class SpinButton;
class frmMain;
struct OrbitalView;

class WLAPP_EXPORT frmViewOptions : public QWidget {
  Q_OBJECT

 public:
  explicit frmViewOptions(frmMain& main);
  ~frmViewOptions() override;

  // Loads the current orbital's options into the controls; changes no field.
  void LoadOptions();

  QTabBar* Tabs;
  std::array<NoFocusCont*, 5> TabCont{};
  QPushButton *cmdHelp, *cmdClose;
  std::array<QRadioButton*, 2> ShadeModes{};
  std::array<QLabel*, 2> ShadeModesImg{};
  QCheckBox* chkColourTrans;
  QCheckBox* chkScaleBar;  // the current orbital's scale bar in both views
  QSlider *CPosSlider, *PPosSlider, *StereoFactorSlider;
  std::array<QRadioButton*, 2> GlassesChoice{};  // in the order of AnaglyphGlasses
  CameraView *CView1, *CView2;
  SpinButton *spinDotTarget, *spinPThreshold;
  QLabel* labDotTotal;
  QPushButton* labRefillDotMatrix;
  QSlider* SlideVolQuality;
  // The Surface tab.
  QSlider* SlideEnclosed;  // 50 to 99, per cent
  QLabel* labEnclosed;
  QCheckBox *chkNested, *chkCutaway;
  std::array<QRadioButton*, 3> PaletteChoice{};  // in the order of PhasePalette

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  OrbitalView& R();
  void BuildShadingTab();
  void BuildCameraTab();
  void BuildDensityTab();
  void BuildQualityTab();
  void BuildSurfaceTab();
  void SlideEnclosed_Change();
  void SurfaceOption_Click();
  void PaletteChoice_Click(int i);
  // Renders the 3D view again if it shows the surface.
  void RedrawSurface();
  void Tabs_Click();
  void cmdHelp_Click();
  void ShadeModes_Click(int i);
  void chkColourTrans_Click();
  void chkScaleBar_Click();
  void CPosSlider_Scroll();
  void PPosSlider_Scroll();
  void StereoFactorSlider_Scroll();
  void GlassesChoice_Click(int i);
  void SlideVolQuality_Change();
  void labRefillDotMatrix_Click();
  void DrawCameraViews();
  void ShowDotTotal();

  frmMain& Main_;
};

}  // namespace wl
