// The main window: one frameless 800 by 600 window with three pages (help
// page, orbital selector, orbital viewer), the page and orbital tree, the
// toolbar, the menu labels and the status line. It owns the program-wide
// state: the engine, the orbital table, the display state, the viewer state
// of every calculated orbital and the navigation history.
#pragma once

#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "OrbitalView.h"
#include "core/cWL.h"
#include "help/modHistory.h"
#include "lessons/LessonFile.h"
#include "shell/Services.h"
#include "wlapp_export.h"

class QComboBox;
class QImage;
class QKeyEvent;
class QMenu;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace wl {

class Axes;
class HelpBrowser;
class NoFocusCont;
class RollOverImage;
class SpinButton;
class frmMenus;
class frmViewOptions;
class frmGraphs;
class frmCombination;
struct GraphSubject;

class WLAPP_EXPORT frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // --- Program-wide state of start-up ---
  cWL Engine;
  std::vector<OrbInfo> OrbInfoTable;
  DEVMODE StartMode;
  DEVMODE BestMode;
  bool DisplayChanged = false;
  bool WindowedAllowed = false;
  bool FullScreen = false;
  int SavedLeft = 0;
  int SavedTop = 0;
  QPointer<QWidget> OwnerHwnd;
  QMetaObject::Connection OwnerHook;
  QString AppPath;  // key form, upper case, trailing "\"
  double ScaleFactor = 1.0;
  QString HomePage, RefIndex, HelpIndex, HelpSelectorPage, HelpViewerPage, HelpOptionsPage;

  // --- State of the main window ---
  Long CurrentMode = 0;
  Integer CurrentOrbital = 0;
  std::vector<OrbitalView> OrbitalViews;
  bool OptionsShown = false;
  Byte ViewModeChoice = 2;
  bool ComplexChoice = false;  // the selector's Real / Complex switch
  // The custom combination the selector's editor last accepted (Hybrid
  // CustomCombination with its terms; none yet: TermCount 0).
  OrbitalSetup CombinationChoice;
  QString StatusText;
  QString CurrentPage, CurrentAnchor;
  bool AllowNavigate = false;
  int LastTreeButton = 0;
  bool FormReady = false;
  HistoryState History;
  // Dragging and turning: the last pointer position of a drag in the views or
  // on the trackball, where the slider thumb was grabbed, the grab point on
  // the title bar (both 0 when no drag is under way), and whether a rotation
  // stopped by minimising resumes when the program is activated again.
  Long LastX = 0, LastY = 0;
  Long SliderGrab = 0;
  float DragX = 0, DragY = 0;
  bool ResumeAutoRotate = false;
  // Page key -> real file, filled by the page-tree walk.
  QHash<QString, QString> PageFiles;

  // --- Operations ---
  void SetMode(Long NewMode, const QString& URL, const QString& BookMark, Integer OrbIndex,
               bool UpdateHistory, bool SyncTree);
  void FrameUpdate3D(bool blt, bool VolFinal);
  void FrameUpdateBoth(bool VolFinal);
  void FrameUpdate2D(bool blt);
  // One-time set-up before the window is shown. `pagesFolder` is the folder
  // holding WL.HTM, HELP and REFERENCE.
  void FormSetup(const QString& pagesFolder);
  void DeleteOrbital(Integer OrbIndex);
  void SetStatus(const QString& Text, bool Remember);
  void RestoreStatus();
  QString OrbitalTitle(Integer OrbIndex) const;
  // Calculates an orbital and opens it in the viewer. False when the engine
  // refused it (the user has been told).
  bool Calculate(Integer OrbitalIndex, Integer Radius, Byte Threshold, Byte ViewChoice);
  // Calculates any setup (a table row with its charge and complex form, a
  // hybrid member or a custom combination: its AtomRadius, DotThreshold and
  // OrbitalViewMode are used, DotTarget is the viewer's 16000), adds it to the
  // tree and shows it. A setup the engine refuses shows the engine's message.
  bool Calculate(const OrbitalSetup& setup);
  void ShowFurtherOptions();
  // A page's "OV" link: calculates the orbital it names and shows it, or says
  // in the status line why it cannot.
  void OpenOrbitalFromPage(const QString& words);
  void ShowSetupControls(bool Visible);
  void ShowHelpControls(bool Visible);
  void ShowViewerControls(bool Visible);
  void RefreshViewerButtons();
  // Paints the current orbital's views again from the engine's last
  // pictures, with the overlays its OrbitalView asks for (scale bar, slice
  // ticks, the radius marker). Renders nothing: cheap enough for every step
  // of a marker drag.
  void RefreshOverlays();
  // The picture of the view of `size` as it shows now (the 3D image or the
  // slice, with its overlays) drawn by the engine `pixels` a side (0: the
  // view's own size); volumes and surfaces at their final quality. That view
  // is rendered again at its own size afterwards. Raises what the engine
  // raises; the caller guards it.
  QImage ViewPicture(RenderSize size, Integer pixels);
  // The request of the view's 3D picture at its final quality, or of its
  // slice (`slice`), in the size of the main view.
  RenderRequest PictureRequest(bool slice) const;
  // Writes where the slice lies ("slice at y = +3.2 a₀") under the slider.
  void ShowSlicePosition();
  // The 3D mode of the orbital shown, as its button sets it: renders and
  // says what is shown.
  void SetViewerMode(RenderMode mode);
  // Colours the orbital shown by the sign of ψ (on) or not. Subshell
  // averages have no sign: for them the phase stays off.
  void SetPhase(bool on);
  // Whether the orbital shown has a sign to colour (single orbitals). The
  // phase toggle of an average is greyed and only says why.
  bool PhaseAvailable() const;
  // Why the phase toggle is off for subshell averages.
  static QString NoSignHint() { return QStringLiteral("Averages over m have no sign"); }
  // The status line of the viewer: the orbital and what its views show.
  void ShowViewerStatus();
  // Modes whose picture is refined once the view stands still (after a drag,
  // a key, a stopped rotation).
  static bool HasFinalImage(RenderMode mode);
  void RefreshSetupButtons();
  void RefreshChromeButtons();
  void ScaleControls();
  // Context help: the help page that fits the page shown.
  void ContextHelp();
  // The one orderly exit.
  void EndProgram();
  // The application became active (true) or another one did (false).
  void ActivateApp(bool active);
  // Starts the auto-rotation of the current orbital (its steps run on a timer,
  // at least 30 ms apart, until the orbital's flag is cleared, the page is
  // left or the window is minimised).
  void AutoRotate();
  bool AutoRotateRunning() const;
  // The wait before the next step, in milliseconds.
  int AutoRotateWait() const;
  // One step of the auto-rotation: angle, slice, camera, both views. False
  // when the engine failed (the rotation has stopped).
  bool AutoRotateStep();
  // The full-screen button and menu entry; minimising.
  void cbSize_Click();
  void cbMin_Click();

  // Slider thumb position for a transect and back.
  static Long SliderLeftFor(Integer TransectNo);
  static Integer TransectNoFor(Long ThumbLeft);
  // Places the options window again after the main window moved for
  // full-screen use (true) or back (false).
  void MoveOptionsWindowForFullScreen(bool on);
  // Opens the options window beside the main window, never over the main
  // view where there is room, or where the user moved it last.
  void PlaceOptionsWindow();
  // The options window tells the main window that it has closed.
  void OptionsWindowClosed();
  // Opens the Graphs window beside the main window (where it was last, when
  // it was moved or resized before), or closes it when it is open.
  void ShowGraphs(bool visible);
  bool GraphsShown() const;
  // Tells the open Graphs window the orbital shown and the others calculated.
  void GraphsFollow();
  // What the Graphs window shows of calculated orbital `engineIndex`.
  GraphSubject SubjectOf(Integer engineIndex) const;

  // Lesson files (.wavelore). OpenLesson reads one and calculates and shows
  // its orbitals; a refused file or a failed calculation is told to the user
  // and leaves nothing of the lesson behind. SaveLesson writes the orbitals
  // calculated, the one shown and the Graphs window. Both remember the file
  // among the recent views. False when nothing was opened or written.
  bool OpenLesson(const QString& path);
  bool SaveLesson(const QString& path);
  // The lesson of what is calculated now; none when nothing is.
  std::optional<Lesson> CurrentLesson() const;
  // Calculates and shows a lesson already read; false (and nothing added)
  // when a calculation failed.
  bool ApplyLesson(const Lesson& lesson);
  // The lesson files opened or saved last, newest first.
  QStringList RecentViews() const;
  // View presets of the orbital shown: the starting view (angles, camera,
  // slice in the middle), and looking along the x, y or z axis.
  void ResetView();
  void LookAlong(TransectDirection axis);
  // --- Zoom: the whole window drawn larger (Go > Zoom In, Zoom Out, Actual Size) ---
  // Zooms to `factor`, within 1 to 4 and what fits the screen. In a window
  // the zoom is kept for the next run; full screen has one of its own. False
  // when nothing changed.
  bool SetZoom(double factor);
  double ZoomFactor() const;
  // Full screen fills the screen's height (on), then the window's own zoom
  // comes back (off). Called as the display is switched.
  void FullScreenZoom(bool on);
  // The side in device pixels of the pictures the view showing `size` asks
  // the engine for (0: the size's own 375 or 128, at a factor of 1).
  Integer ViewPixels(RenderSize size) const;

  // Runs an action that calls the engine. An engine error is told to the user
  // once, and the window is left usable: enabled, normal pointer. False when
  // the action failed.
  bool EngineGuard(const std::function<void()>& action);

  // The page tree: the node of a key (null when there is none), adding a node
  // under the node of parentKey (at the top for an empty parentKey; null when
  // the parent is missing), removing one, and removing them all.
  QTreeWidgetItem* Node(const QString& key) const;
  QTreeWidgetItem* AddNode(const QString& parentKey, const QString& key, const QString& text);
  void RemoveNode(const QString& key);
  void ClearNodes();

  // --- Controls ---
  QWidget* sysTitleBar;
  RollOverImage *cbMin, *cbSize, *cbClose;
  QLabel *labMnuFile, *labMnuEdit, *labMnuGo, *labMnuHelp;
  std::array<RollOverImage*, 5> ToolBarImage{};
  QLabel* labStatus;
  QLabel* WLmainBG;
  QTreeWidget* WLtree;
  QWidget* WLtextCont;
  HelpBrowser* WLtext;
  QListWidget *osListN, *osListL, *osListM;
  QComboBox* osListOrbs;
  SpinButton *osRadius, *osThreshold;
  std::array<RollOverImage*, 2> osViewMode{};
  RollOverImage* osCalc;
  SpinButton* osCharge;                   // nuclear charge Z, 1 to 10
  QLabel* labChargeName;                  // its element: H, He⁺, Li²⁺ ...
  std::array<QPushButton*, 2> osForm{};   // 0 real, 1 complex (definite m)
  QComboBox* osHybrid;                    // 0 one orbital, then the HybridSet values
  SpinButton *osHybridMember, *osHybridShell;
  QLabel* labCombination;                 // the custom combination chosen
  QPointer<frmCombination> Combination;   // its editor, while open
  NoFocusCont *eeMainView, *eeNanoView;
  std::array<RollOverImage*, 5> ee3Dmodes{};  // Ortho, Perspective, Anaglyph, Volume, Surface
  RollOverImage* eePhase;
  RollOverImage* eeGraphs;
  std::array<RollOverImage*, 2> eeMainMode{};
  std::array<RollOverImage*, 3> eeTDir{};
  RollOverImage *eeShowTrans, *eeSwap, *eeTrackBall, *eeAutoRotate, *eeFurtherOptions;
  RollOverImage* eeTSlider;
  QLabel* labSlicePosition;
  Axes* eeAxes;
  frmMenus* Menus;
  QPointer<frmViewOptions> ViewOptions;  // the open options window, if any
  QPointer<frmGraphs> Graphs;            // the Graphs window, once opened

 signals:
  // The program ended through EndProgram.
  void ProgramEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct RollOver;
  void CreateControls();
  void CreateSelector();
  void CreateViewer();
  void ConnectMenus();
  void ConnectFileCommands();
  void mnuFileSave_Click();
  void OpenSavePrint(bool print);
  // The Save Animation dialog of the orbital shown, window-modal.
  void OpenSaveAnimation();
  void mnuFilePrint_Click();
  // File > Open View..., Save View... and the Recent Views submenu.
  void ConnectLessonCommands();
  void mnuFileOpenView_Click();
  void mnuFileSaveView_Click();
  void RememberRecentView(const QString& path);
  void FillRecentViews();
  // Removes a calculated orbital without asking (a lesson that failed).
  void DropOrbital(Integer OrbIndex);
  // The axes picture's menu of view presets.
  void ConnectViewPresets();
  void mnuEditCopy_Click(int i);
  // The statistics window of the orbital shown.
  void ShowProperties();
  RollOverImage* NewButton(const QRect& place, const QString& name);
  void AddRollOver(RollOverImage* button, const QString& on, const QString& off,
                   std::function<QString()> hint, std::function<bool()> active);
  void ShowPicture(RollOverImage* button, bool on);
  void SetMainBackground(const QString& bitmap);

  // Orbital selector
  void osListN_Click();
  void osListL_Click();
  void osListM_Click();
  void osListOrbs_Click();
  void osViewMode_Click(int Index);
  void osCalc_Click();
  void osCharge_Change();
  void osForm_Click(int Index);
  void osHybrid_Click(int Index);
  void OpenCombination();
  // The selector's choice as a setup: the orbital (or hybrid, or the custom
  // combination) with charge, form, radius, threshold and view mode.
  OrbitalSetup SelectorSetup() const;
  // Loads the spin buttons with the defaults of the selector's choice.
  void LoadSpinDefaults();
  void RefreshHybridControls();

  // Page tree and browser
  void WLtree_NodeClick(QTreeWidgetItem* node);
  void WLtext_BeforeNavigate(const QString& address, bool* cancel);
  void WLtext_StatusTextChange(const QString& text);
  void PopUpMenu(QLabel* label, class QMenu* menu);

  // Viewer buttons
  void ee3Dmodes_Click(int i);
  void eeMainMode_Click(int i);
  void eeSwap_Click();
  void eeTDir_Click(int i);
  void eeShowTrans_Click();
  void eePhase_Click();
  void ShowPhasePicture();
  void SetViewPointers();
  void View_MouseDown(float X, float Y);
  void View_MouseMove(bool mainView, short Button, float X, float Y);
  void View_MouseUp(bool mainView);
  void TrackBall_MouseMove(short Button, float X, float Y);
  // Turns the camera by the pointer's move since LastX, LastY (divisor units
  // of the pointer's coordinates make a radian) and renders the 3D image.
  void TurnCamera(float X, float Y, double divisor);
  // Puts the slice at TransectNo (clamped to -127..127), moves the thumb and
  // renders what shows the slice.
  void MoveSlice(Integer TransectNo);
  // Turns the camera as a drag by dx, dy pixels in a view would.
  void TurnCameraByKey(float dx, float dy);
  void Slider_MouseDown(short Button, float X);
  void Slider_MouseMove(short Button, float X);
  void Slider_MouseUp();
  void MoveSliderThumb(Long left);
  void eeAutoRotate_Click();
  void TitleBar_Mouse(QEvent* event);
  // The keyboard: shortcuts, menus on Alt+letter, keys in the views.
  void ConnectKeys();
  bool HandleKey(QObject* watched, QKeyEvent* key);
  bool View_KeyPress(QKeyEvent* key);
  // Left and Right in an open menu move to its neighbour.
  bool MenuKey(QObject* watched, QKeyEvent* key);
  void OpenMenu(int index);
  // A click on the slider's track beside the thumb moves a page towards it.
  bool SliderTrack_Click(const QPoint& where);
  // Menu labels are lit while the pointer is over them or their menu is open.
  void SetMenuLabelLit(QLabel* label, bool lit);
  void ConnectViewer();
  void AutoRotateTick();
  void FinalVolumeIfStill();
  // Copies the last image of one size into the view that shows that size.
  void CopyView(RenderSize size);
  void CopyImages();
  OrbitalView& Current() { return OrbitalViews[static_cast<size_t>(CurrentOrbital)]; }

  std::vector<std::unique_ptr<RollOver>> RollOvers_;
  QHash<QString, QTreeWidgetItem*> Nodes_;
  QTreeWidgetItem* PressedNode_ = nullptr;
  bool Ending_ = false;
  bool DragCancelled_ = false;  // an engine error ended the drag under way
  class QTimer* RotationTimer_ = nullptr;
  bool RotationFirst_ = false;
  // Where the options window was last put, and where the user moved it to,
  // relative to the main window's corner (none until the user moves it; kept
  // between runs).
  QPoint OptionsPlacedAt_;
  std::optional<QPoint> OptionsOffset_;
  // The Graphs window: placed beside the main window the first time, then
  // where the user left it (kept between runs).
  void PlaceGraphsWindow();
  void PlaceGraphsBeside(const QRect& available);
  void RememberGraphsGeometry();
  void GraphsMarkerChanged(double a, bool inSlice, bool in3D);
  void GraphsClosed();
  QRect GraphsPlacedAt_;
  // The zoom's part: its menu entries and keys, the factor applied to every
  // window, every picture drawn again at the new density.
  void ConnectZoom();
  void ApplyZoom(double factor);
  void RedrawForZoom();
  void RefreshRollOverPictures();
  double WindowedZoom_ = 1.0;
  bool OptionsToPlace_ = false;  // the zoom changed while the options window was hidden
  // Calculated orbitals whose last pictures were rendered at another zoom;
  // they are rendered again when shown.
  std::set<Integer> RenderedAtOtherZoom_;
};

}  // namespace wl
