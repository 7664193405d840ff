#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <utility>

#include "Axes.h"
#include "Bitmaps.h"
#include "Fonts.h"
#include "Layout.h"
#include "NoFocusCont.h"
#include "OrbitalNames.h"
#include "RollOverImage.h"
#include "SpinButton.h"
#include "core/WLError.h"
#include "orbitals/OrbitalCatalog.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmViewOptions.h"
#include "graphs/frmGraphs.h"
#include "help/HelpBrowser.h"
#include "help/cFileSys.h"
#include "help/frmMenus.h"
#include "help/modHTML.h"
#include "shell/BuildHelpTree.h"
#include "shell/Settings.h"
#include "shell/ToolPlacement.h"
#include "shell/modDisplay.h"
#include "shell/modWindows.h"

namespace wl {

namespace {
const QString kOrbitalsKey = QStringLiteral("Orbitals");

// Slim dark scroll bars for the page, the tree and the lists.
const char* kScrollBarStyle =
    "QScrollBar { background: #2e2d32; border: none; }"
    "QScrollBar:vertical { width: 11px; } QScrollBar:horizontal { height: 11px; }"
    "QScrollBar::handle { background: #77757c; border-radius: 4px; margin: 2px; }"
    "QScrollBar::handle:hover { background: #ffc450; }"
    "QScrollBar::handle:vertical { min-height: 24px; }"
    "QScrollBar::handle:horizontal { min-width: 24px; }"
    "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }";

void DarkScrollBars(QAbstractScrollArea* area) {
  area->verticalScrollBar()->setStyleSheet(QString::fromLatin1(kScrollBarStyle));
  area->horizontalScrollBar()->setStyleSheet(QString::fromLatin1(kScrollBarStyle));
}

// The key of a calculated orbital's node: "ORB" and the engine index.
bool IsOrbitalKey(const QString& key) {
  static const QRegularExpression rx(QStringLiteral("^ORB\\d+$"));
  return rx.match(key).hasMatch();
}
}  // namespace

// One roll-over button: its two pictures, its hint and when it stays lit.
struct frmMain::RollOver {
  RollOverImage* button;
  QString on, off;
  std::function<QString()> hint;
  std::function<bool()> active;
};

frmMain::frmMain(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Wavelore"));
  setFixedSize(Layout::kWidth, Layout::kHeight);
  // The menu window is a window of its own, never shown; its menus pop up
  // over the main window.
  Menus = new frmMenus();
  CreateControls();
  ConnectViewer();
  ConnectMenus();
  ConnectFileCommands();
  ConnectKeys();
  ConnectLessonCommands();
  ConnectViewPresets();
  ConnectZoom();
  // One filter on the application sees the keys of every child (F1, Alt+F4)
  // and the mouse on the title bar, the menu labels and the tree.
  qApp->installEventFilter(this);
}

frmMain::~frmMain() {
  qApp->removeEventFilter(this);
  modWindows::UnhookOwner(*this);
  delete Menus;
}

RollOverImage* frmMain::NewButton(const QRect& place, const QString& name) {
  auto* b = new RollOverImage(this);
  b->setObjectName(name);
  b->setGeometry(place);
  b->setBackColor(QColor(58, 57, 62));
  return b;
}

void frmMain::AddRollOver(RollOverImage* button, const QString& on, const QString& off,
                          std::function<QString()> hint, std::function<bool()> active) {
  auto r =
      std::make_unique<RollOver>(RollOver{button, on, off, std::move(hint), std::move(active)});
  RollOver* entry = r.get();
  RollOvers_.push_back(std::move(r));
  button->setPicture(Bitmaps::Get(off));
  if (entry->hint) button->setAccessibleName(entry->hint());
  connect(button, &RollOverImage::MouseOver, this, [this, entry] {
    ShowPicture(entry->button, true);
    if (entry->hint) {
      entry->button->setAccessibleName(entry->hint());
      SetStatus(entry->hint(), false);
    }
  });
  connect(button, &RollOverImage::MouseOut, this, [this, entry] {
    ShowPicture(entry->button, entry->active && entry->active());
    if (entry->hint) RestoreStatus();
  });
}

void frmMain::ShowPicture(RollOverImage* button, bool on) {
  for (const auto& r : RollOvers_) {
    if (r->button == button) {
      button->setPicture(Bitmaps::Get(on ? r->on : r->off));
      return;
    }
  }
}

void frmMain::RefreshRollOverPictures() {
  for (const auto& r : RollOvers_) ShowPicture(r->button, r->active && r->active());
}

void frmMain::CreateControls() {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setBrush(QPalette::Window, QBrush(Bitmaps::Get(QStringLiteral("WLBG"))));
  pal.setColor(QPalette::WindowText, QColor(232, 232, 236));
  setPalette(pal);

  sysTitleBar = new QWidget(this);
  sysTitleBar->setObjectName(QStringLiteral("sysTitleBar"));
  sysTitleBar->setGeometry(Layout::sysTitleBar);
  sysTitleBar->setAccessibleName(QStringLiteral("Wavelore title bar"));

  cbMin = NewButton(Layout::cbMin, QStringLiteral("cbMin"));
  cbSize = NewButton(Layout::cbSize, QStringLiteral("cbSize"));
  cbClose = NewButton(Layout::cbClose, QStringLiteral("cbClose"));
  AddRollOver(
      cbMin, QStringLiteral("CBMINON"), QStringLiteral("CBMINOFF"),
      [] { return QStringLiteral("Minimise Wavelore"); }, nullptr);
  AddRollOver(
      cbClose, QStringLiteral("CBCLOSEON"), QStringLiteral("CBCLOSEOFF"),
      [] { return QStringLiteral("Exit Wavelore"); }, nullptr);
  connect(cbClose, &RollOverImage::Click, this, &frmMain::EndProgram);
  connect(cbMin, &RollOverImage::Click, this, &frmMain::cbMin_Click);
  connect(cbSize, &RollOverImage::Click, this, &frmMain::cbSize_Click);
  // The full-screen button changes its pictures with the state, so it is
  // handled apart from the table of roll-over buttons.
  connect(cbSize, &RollOverImage::MouseOver, this, [this] {
    if (!WindowedAllowed) return;
    cbSize->setPicture(Bitmaps::Get(FullScreen ? QStringLiteral("CBRESTOREON")
                                               : QStringLiteral("CBFULLSCREENON")));
    SetStatus(FullScreen ? QStringLiteral("Restore Wavelore to windowed mode")
                         : QStringLiteral("Switch to fullscreen mode"),
              false);
  });
  connect(cbSize, &RollOverImage::MouseOut, this, [this] {
    if (!WindowedAllowed) return;
    RefreshChromeButtons();
    RestoreStatus();
  });
  cbSize->setAccessibleName(QStringLiteral("Full screen"));

  const QString menuNames[4] = {QStringLiteral("File"), QStringLiteral("Edit"),
                                QStringLiteral("Go"), QStringLiteral("Help")};
  QLabel** menuLabels[4] = {&labMnuFile, &labMnuEdit, &labMnuGo, &labMnuHelp};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(menuNames[i], this);
    label->setObjectName(QStringLiteral("labMnu") + menuNames[i]);
    label->setGeometry(Layout::labMnu[i]);
    label->setFont(PixelFont(13));
    label->setStyleSheet(
        QStringLiteral("QLabel { color: #e8e8ec; } QLabel[lit=\"true\"] { color: #ffc450; }"));
    label->setCursor(Qt::PointingHandCursor);
    label->setAccessibleName(menuNames[i] + QStringLiteral(" menu"));
    *menuLabels[i] = label;
  }

  const char* tb[5] = {"BACK", "FORWARD", "REF", "ELEC", "HELP"};
  const QString tbHints[5] = {QStringLiteral("Go Back"), QStringLiteral("Go Forward"),
                              QStringLiteral("Go to the reference section"),
                              QStringLiteral("View an Orbital"), QStringLiteral("Help")};
  for (int i = 0; i < 5; ++i) {
    ToolBarImage[i] = NewButton(Layout::ToolBarImage(i), QStringLiteral("ToolBarImage%1").arg(i));
    const QString hint = tbHints[i];
    AddRollOver(
        ToolBarImage[i], QStringLiteral("TB%1ON").arg(QLatin1String(tb[i])),
        QStringLiteral("TB%1OFF").arg(QLatin1String(tb[i])), [hint] { return hint; }, nullptr);
  }
  // Back and forward light up only while the history can move that way.
  connect(ToolBarImage[0], &RollOverImage::MouseOver, this,
          [this] { ShowPicture(ToolBarImage[0], History.CanGoBack); });
  connect(ToolBarImage[1], &RollOverImage::MouseOver, this,
          [this] { ShowPicture(ToolBarImage[1], History.CanGoForward); });
  connect(ToolBarImage[0], &RollOverImage::Click, this, [this] {
    modHistory::HistoryBack(*this);
    if (!History.CanGoBack) ShowPicture(ToolBarImage[0], false);
  });
  connect(ToolBarImage[1], &RollOverImage::Click, this, [this] {
    modHistory::HistoryForward(*this);
    if (!History.CanGoForward) ShowPicture(ToolBarImage[1], false);
  });
  connect(ToolBarImage[2], &RollOverImage::Click, this,
          [this] { SetMode(1, RefIndex, QString(), 0, true, true); });
  connect(ToolBarImage[3], &RollOverImage::Click, this,
          [this] { SetMode(2, QString(), QString(), 0, true, true); });
  connect(ToolBarImage[4], &RollOverImage::Click, this, &frmMain::ContextHelp);

  labStatus = new QLabel(this);
  labStatus->setObjectName(QStringLiteral("labStatus"));
  labStatus->setGeometry(Layout::labStatus);
  labStatus->setFont(PixelFont(12));
  labStatus->setStyleSheet(QStringLiteral("color: #d8d8dc;"));
  labStatus->setAccessibleName(QStringLiteral("Status"));

  WLmainBG = new QLabel(this);
  WLmainBG->setObjectName(QStringLiteral("WLmainBG"));
  WLmainBG->setGeometry(Layout::WLmainBG);

  WLtree = new QTreeWidget(this);
  WLtree->setObjectName(QStringLiteral("WLtree"));
  WLtree->setGeometry(Layout::WLtree);
  WLtree->setHeaderHidden(true);
  WLtree->setIndentation(14);
  WLtree->setFont(PixelFont(12));
  WLtree->setFrameShape(QFrame::NoFrame);
  WLtree->setAccessibleName(QStringLiteral("Pages and orbitals"));
  WLtree->setStyleSheet(QStringLiteral(
      "QTreeWidget { background: rgb(100, 98, 104); color: white; border: 1px solid transparent; }"
      "QTreeWidget:focus { border-color: #ffc450; }"
      "QTreeWidget::item { padding: 2px 0; }"
      "QTreeWidget::item:selected { background: rgb(255, 196, 80); color: black; }"));

  WLtextCont = new QWidget(this);
  WLtextCont->setObjectName(QStringLiteral("WLtextCont"));
  WLtextCont->setGeometry(Layout::WLtextCont);
  WLtext = new HelpBrowser(WLtextCont);
  WLtext->setObjectName(QStringLiteral("WLtext"));
  WLtext->setGeometry(0, 0, Layout::WLtextCont.width(), Layout::WLtextCont.height());
  WLtext->setFrameShape(QFrame::NoFrame);
  WLtext->setStyleSheet(QStringLiteral(
      "#WLtext { border: 1px solid transparent; } #WLtext:focus { border-color: #ffc450; }"));
  WLtext->setAccessibleName(QStringLiteral("Page"));
  WLtext->ResolvePage = [this](const QString& key) -> std::optional<QString> {
    if (auto it = PageFiles.constFind(key); it != PageFiles.constEnd()) return *it;
    return std::nullopt;
  };
  DarkScrollBars(WLtext);
  DarkScrollBars(WLtree);
  connect(WLtext, &HelpBrowser::BeforeNavigate, this, &frmMain::WLtext_BeforeNavigate);
  connect(WLtext, &HelpBrowser::StatusTextChange, this, &frmMain::WLtext_StatusTextChange);

  CreateSelector();
  CreateViewer();
  ShowHelpControls(false);
  ShowSetupControls(false);
  ShowViewerControls(false);
}

void frmMain::CreateSelector() {
  const QString listStyle = QStringLiteral(
      "QListWidget, QComboBox { background: #2e2d32; color: #e8e8ec; border: 1px solid #77757c; }"
      "QListWidget:focus, QComboBox:focus { border: 2px solid #ffc450; }"
      "QListWidget::item:selected, QComboBox QAbstractItemView::item:selected "
      "{ background: rgb(255, 196, 80); color: black; }"
      "QComboBox QAbstractItemView { background: #2e2d32; color: #e8e8ec; }");
  auto makeList = [&](const QRect& place, const char* name, const QString& role) {
    auto* list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(place);
    list->setFont(PixelFont(12));
    list->setStyleSheet(listStyle);
    list->setAccessibleName(role);
    DarkScrollBars(list);
    return list;
  };
  osListN = makeList(Layout::osListN, "osListN", QStringLiteral("Energy level n"));
  osListL = makeList(Layout::osListL, "osListL", QStringLiteral("Subshell l"));
  osListM = makeList(Layout::osListM, "osListM", QStringLiteral("Orbital m"));
  connect(osListN, &QListWidget::itemSelectionChanged, this, [this] { osListN_Click(); });
  connect(osListL, &QListWidget::itemSelectionChanged, this, [this] { osListL_Click(); });
  connect(osListM, &QListWidget::itemSelectionChanged, this, [this] { osListM_Click(); });

  osListOrbs = new QComboBox(this);
  osListOrbs->setObjectName(QStringLiteral("osListOrbs"));
  osListOrbs->setGeometry(Layout::osListOrbs);
  osListOrbs->setFont(PixelFont(12));
  osListOrbs->setStyleSheet(listStyle);
  osListOrbs->setMaxVisibleItems(20);
  osListOrbs->setAccessibleName(QStringLiteral("Orbital by name"));
  connect(osListOrbs, &QComboBox::currentIndexChanged, this, [this] { osListOrbs_Click(); });

  auto makeSpin = [&](const QRect& place, const char* name, Integer min, Integer max,
                      const QString& role) {
    auto* spin = new SpinButton(this);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setGeometry(place);
    spin->setFont(PixelFont(13));
    spin->setMin(min);
    spin->setMax(max);
    spin->setAccessibleName(role);
    return spin;
  };
  osRadius = makeSpin(Layout::osRadius, "osRadius", 1, 32767, QStringLiteral("Atom radius"));
  osThreshold =
      makeSpin(Layout::osThreshold, "osThreshold", 0, 250, QStringLiteral("Dot threshold"));
  osRadius->setValue(1);

  const char* vm[2] = {"PDF", "DRPDF"};
  for (int i = 0; i < 2; ++i) {
    osViewMode[i] = NewButton(Layout::osViewMode[i], QStringLiteral("osViewMode%1").arg(i));
    AddRollOver(osViewMode[i], QStringLiteral("OS%1ON").arg(QLatin1String(vm[i])),
                QStringLiteral("OS%1OFF").arg(QLatin1String(vm[i])), nullptr,
                [this, i] { return ViewModeChoice == i; });
    osViewMode[i]->setAccessibleName(QLatin1String(vm[i]));
    connect(osViewMode[i], &RollOverImage::Click, this, [this, i] { osViewMode_Click(i); });
  }
  osCalc = NewButton(Layout::osCalc, QStringLiteral("osCalc"));
  AddRollOver(
      osCalc, QStringLiteral("OSCALCON"), QStringLiteral("OSCALCOFF"),
      [] { return QStringLiteral("Begin calculations"); }, nullptr);
  connect(osCalc, &RollOverImage::Click, this, &frmMain::osCalc_Click);

  osCharge = makeSpin(Layout::osCharge, "osCharge", 1, kHighestCharge,
                      QStringLiteral("Nuclear charge Z"));
  osCharge->setValue(1);
  labChargeName = new QLabel(this);
  labChargeName->setObjectName(QStringLiteral("labChargeName"));
  labChargeName->setGeometry(Layout::labChargeName);
  labChargeName->setFont(PixelFont(15, true));
  labChargeName->setStyleSheet(QStringLiteral("color: rgb(255, 196, 80);"));
  labChargeName->setText(QString::fromStdU16String(ChargeName(1)));
  connect(osCharge, &SpinButton::Change, this, &frmMain::osCharge_Change);

  const QString switchStyle = QStringLiteral(
      "QPushButton { background: #2e2d32; color: #e8e8ec; border: 1px solid #77757c; }"
      "QPushButton:checked { background: rgb(255, 196, 80); color: black; }"
      "QPushButton:focus { border: 2px solid #ffc450; }");
  const char* forms[2] = {"Real", "Complex"};
  for (int i = 0; i < 2; ++i) {
    osForm[i] = new QPushButton(QLatin1String(forms[i]), this);
    osForm[i]->setObjectName(QStringLiteral("osForm%1").arg(i));
    osForm[i]->setGeometry(Layout::osForm[i]);
    osForm[i]->setFont(PixelFont(12));
    osForm[i]->setStyleSheet(switchStyle);
    osForm[i]->setCheckable(true);
    osForm[i]->setChecked(i == 0);
    osForm[i]->setToolTip(i == 0 ? QStringLiteral("Real orbitals: the shapes chemists draw")
                                 : QStringLiteral("Complex orbitals with definite m, "
                                                  "coloured by their phase"));
    connect(osForm[i], &QPushButton::clicked, this, [this, i] { osForm_Click(i); });
  }

  osHybrid = new QComboBox(this);
  osHybrid->setObjectName(QStringLiteral("osHybrid"));
  osHybrid->setGeometry(Layout::osHybrid);
  osHybrid->setFont(PixelFont(12));
  osHybrid->setStyleSheet(listStyle);
  osHybrid->setAccessibleName(QStringLiteral("Hybrid set"));
  // Lines in the order of HybridSet: the index is the set.
  osHybrid->addItem(QStringLiteral("None"));
  for (HybridSet set : {HybridSp, HybridSp2, HybridSp3, HybridSp3d, HybridSp3d2})
    osHybrid->addItem(QString::fromStdU16String(HybridName(set)));
  osHybrid->addItem(QStringLiteral("Custom\u2026"));
  osHybrid->setToolTip(QStringLiteral("A hybrid set's member, or your own combination of orbitals"));
  connect(osHybrid, &QComboBox::activated, this, [this](int i) { osHybrid_Click(i); });
  osHybridMember = makeSpin(Layout::osHybridMember, "osHybridMember", 1, 6,
                            QStringLiteral("Hybrid member"));
  osHybridShell = makeSpin(Layout::osHybridShell, "osHybridShell", 2, kHighestN,
                           QStringLiteral("Hybrid shell n"));
  osHybridMember->setValue(1);
  osHybridShell->setValue(2);
  connect(osHybridMember, &SpinButton::Change, this, [this] { LoadSpinDefaults(); });
  connect(osHybridShell, &SpinButton::Change, this, [this] { LoadSpinDefaults(); });
  labCombination = new QLabel(this);
  labCombination->setObjectName(QStringLiteral("labCombination"));
  labCombination->setGeometry(Layout::labCombination);
  labCombination->setFont(PixelFont(12));
  labCombination->setWordWrap(true);
  labCombination->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labCombination->setStyleSheet(QStringLiteral("color: rgb(212, 212, 218);"));
  RefreshHybridControls();
}

void frmMain::CreateViewer() {
  auto makeView = [&](const QRect& place, const char* name, const QString& role) {
    auto* view = new NoFocusCont(this);
    view->setObjectName(QString::fromLatin1(name));
    view->setGeometry(place);
    view->setBackColor(Qt::black);
    view->setAccessibleName(role);
    return view;
  };
  eeMainView = makeView(Layout::eeMainView, "eeMainView", QStringLiteral("Main view"));
  eeNanoView = makeView(Layout::eeNanoView, "eeNanoView", QStringLiteral("Nano view"));

  eeAxes = new Axes(this);
  eeAxes->setObjectName(QStringLiteral("eeAxes"));
  eeAxes->setGeometry(Layout::eeAxes);
  eeAxes->setAccessibleName(QStringLiteral("Axes"));

  auto viewer = [this] { return CurrentMode == 3 && !OrbitalViews.empty(); };
  const char* modes[Layout::k3DModes] = {"ORTHO", "PERS", "ANA", "VOL", "SURF"};
  const QString modeHints[Layout::k3DModes] = {
      QStringLiteral("Set 3D mode to othographic dot projection"),
      QStringLiteral("Set 3D mode to standard perspective dot projection"),
      QStringLiteral(
          "Set 3D mode to anaglyph dot projection (red filter on right eye, green on left)"),
      QStringLiteral("Set 3D mode to volumetric raytraced images"),
      QStringLiteral("Set 3D mode to the lit boundary surface that holds a share of the "
                     "probability")};
  const RenderMode buttonModes[Layout::k3DModes] = {Orthographic, Perspective, Anaglyph, Volumetric,
                                                    BoundarySurface};
  for (int i = 0; i < Layout::k3DModes; ++i) {
    ee3Dmodes[i] = NewButton(Layout::ee3Dmodes(i), QStringLiteral("ee3Dmodes%1").arg(i));
    const QString hint = modeHints[i];
    const RenderMode mode = buttonModes[i];
    AddRollOver(
        ee3Dmodes[i], QStringLiteral("EE%1ON").arg(QLatin1String(modes[i])),
        QStringLiteral("EE%1OFF").arg(QLatin1String(modes[i])), [hint] { return hint; },
        [this, mode, viewer] { return viewer() && Current().Mode == mode; });
    connect(ee3Dmodes[i], &RollOverImage::Click, this, [this, i] { ee3Dmodes_Click(i); });
  }
  eePhase = NewButton(Layout::eePhase, QStringLiteral("eePhase"));
  AddRollOver(
      eePhase, QStringLiteral("EEPHASEON"), QStringLiteral("EEPHASEOFF"),
      [this, viewer] {
        if (viewer() && !PhaseAvailable()) return NoSignHint();
        return viewer() && Current().ShowPhase
                   ? QStringLiteral(
                         "Show the probability density without the sign of the wave "
                         "function")
                   : QStringLiteral(
                         "Colour the lobes by the sign of the wave function (+ and "
                         "\u2212)");
      },
      [this, viewer] { return viewer() && Current().ShowPhase; });
  // For a subshell average the toggle stays greyed, under the pointer too,
  // and its hint says why.
  for (auto signal : {&RollOverImage::MouseOver, &RollOverImage::MouseOut}) {
    connect(eePhase, signal, this, [this] {
      if (!PhaseAvailable()) ShowPhasePicture();
    });
  }
  eePhase->setAccessibleName(QStringLiteral("Phase"));
  connect(eePhase, &RollOverImage::Click, this, &frmMain::eePhase_Click);
  const QString mainModeHints[2] = {QStringLiteral("Set main mode to 3D"),
                                    QStringLiteral("Set main mode to 2D transects")};
  for (int i = 0; i < 2; ++i) {
    eeMainMode[i] = NewButton(Layout::eeMainMode[i], QStringLiteral("eeMainMode%1").arg(i));
    const QString hint = mainModeHints[i];
    AddRollOver(
        eeMainMode[i], i == 0 ? QStringLiteral("EE3DON") : QStringLiteral("EE2DON"),
        i == 0 ? QStringLiteral("EE3DOFF") : QStringLiteral("EE2DOFF"), [hint] { return hint; },
        [this, i, viewer] { return viewer() && Current().Swapped == i; });
    connect(eeMainMode[i], &RollOverImage::Click, this, [this, i] { eeMainMode_Click(i); });
  }
  eeSwap = NewButton(Layout::eeSwap, QStringLiteral("eeSwap"));
  AddRollOver(
      eeSwap, QStringLiteral("EESWAPON"), QStringLiteral("EESWAPOFF"),
      [] { return QStringLiteral("Swap the main and nano views"); }, nullptr);
  connect(eeSwap, &RollOverImage::Click, this, &frmMain::eeSwap_Click);

  const char axis[3] = {'X', 'Y', 'Z'};
  for (int i = 0; i < 3; ++i) {
    eeTDir[i] = NewButton(Layout::eeTDir(i), QStringLiteral("eeTDir%1").arg(i));
    const QString hint =
        QStringLiteral("Transect orbital down %1-axis").arg(QChar(axis[i]).toLower());
    AddRollOver(
        eeTDir[i], QStringLiteral("EETDIR%1ON").arg(QChar(axis[i])),
        QStringLiteral("EETDIR%1OFF").arg(QChar(axis[i])), [hint] { return hint; },
        [this, i, viewer] { return viewer() && Current().TransectDir == i; });
    connect(eeTDir[i], &RollOverImage::Click, this, [this, i] { eeTDir_Click(i); });
  }
  eeShowTrans = NewButton(Layout::eeShowTrans, QStringLiteral("eeShowTrans"));
  AddRollOver(
      eeShowTrans, QStringLiteral("EETRANSON"), QStringLiteral("EETRANSOFF"),
      [this, viewer] {
        return viewer() && Current().Transector
                   ? QStringLiteral("Hide the transect area on the 3D view")
                   : QStringLiteral("Show the current transect area on the 3D view");
      },
      [this, viewer] { return viewer() && Current().Transector; });
  connect(eeShowTrans, &RollOverImage::Click, this, &frmMain::eeShowTrans_Click);

  eeTrackBall = NewButton(Layout::eeTrackBall, QStringLiteral("eeTrackBall"));
  AddRollOver(
      eeTrackBall, QStringLiteral("EEBALLON"), QStringLiteral("EEBALLOFF"),
      [] { return QStringLiteral("Click and drag to use the trackball to rotate the 3D view"); },
      nullptr);
  eeAutoRotate = NewButton(Layout::eeAutoRotate, QStringLiteral("eeAutoRotate"));
  AddRollOver(
      eeAutoRotate, QStringLiteral("EEAUTOROTATEON"), QStringLiteral("EEAUTOROTATEOFF"),
      [] { return QStringLiteral("Enable auto-rotation and transection of the orbital"); },
      [this, viewer] { return viewer() && Current().AutoRotating; });
  eeFurtherOptions = NewButton(Layout::eeFurtherOptions, QStringLiteral("eeFurtherOptions"));
  AddRollOver(
      eeFurtherOptions, QStringLiteral("EEFURTHERON"), QStringLiteral("EEFURTHEROFF"),
      [this] {
        return OptionsShown ? QStringLiteral("Hide further view options")
                            : QStringLiteral("Show further view options");
      },
      [this] { return OptionsShown; });

  eeGraphs = NewButton(Layout::eeGraphs, QStringLiteral("eeGraphs"));
  AddRollOver(
      eeGraphs, QStringLiteral("EEGRAPHSON"), QStringLiteral("EEGRAPHSOFF"),
      [this] {
        return GraphsShown() ? QStringLiteral("Hide the graphs")
                             : QStringLiteral("Show the radial and angular graphs of the orbital");
      },
      [this] { return GraphsShown(); });
  connect(eeGraphs, &RollOverImage::Click, this, [this] { ShowGraphs(!GraphsShown()); });

  eeTSlider = NewButton(Layout::eeTSlider, QStringLiteral("eeTSlider"));
  eeTSlider->setPicture(Menus->eeTSliderOff);
  eeTSlider->setAccessibleName(QStringLiteral("Transect position"));
  // Under the slider's caption, in its dim colour and a pixel smaller, so
  // that the longest position ("slice at x = −32.0 a₀") fits.
  labSlicePosition = new QLabel(this);
  labSlicePosition->setObjectName(QStringLiteral("labSlicePosition"));
  labSlicePosition->setGeometry(Layout::labSlicePosition);
  labSlicePosition->setFont(PixelFont(9));
  labSlicePosition->setStyleSheet(QStringLiteral("color: rgb(156, 155, 164);"));
  labSlicePosition->setAccessibleName(QStringLiteral("Slice position"));
}

void frmMain::ConnectMenus() {
  frmMenus* m = Menus;
  connect(m->mnuFileDelete, &QAction::triggered, this, [this] { DeleteOrbital(CurrentOrbital); });
  connect(m->mnuTreeDelete, &QAction::triggered, this, [this] { DeleteOrbital(CurrentOrbital); });
  connect(m->mnuFileExit, &QAction::triggered, this, &frmMain::EndProgram);
  connect(m->mnuFileFullScreen, &QAction::triggered, this, &frmMain::cbSize_Click);
  connect(m->mnuFileMinimise, &QAction::triggered, this, &frmMain::cbMin_Click);
  connect(m->mnuGoBack, &QAction::triggered, this, [this] { modHistory::HistoryBack(*this); });
  connect(m->mnuGoForward, &QAction::triggered, this,
          [this] { modHistory::HistoryForward(*this); });
  connect(m->mnuGoHome, &QAction::triggered, this,
          [this] { SetMode(1, HomePage, QString(), 0, true, true); });
  connect(m->mnuGoRef, &QAction::triggered, this,
          [this] { SetMode(1, RefIndex, QString(), 0, true, true); });
  connect(m->mnuGoView, &QAction::triggered, this,
          [this] { SetMode(2, QString(), QString(), 0, true, true); });
  connect(m->mnuGoGraphs, &QAction::triggered, this, [this] { ShowGraphs(true); });
  connect(m->mnuHelpContents, &QAction::triggered, this,
          [this] { SetMode(1, HelpIndex, QString(), 0, true, true); });
  // The web address is chosen when the program is built; without one the
  // entry stays disabled.
  const QString web = QStringLiteral(WL_WEB_ADDRESS);
  m->mnuGoWeb->setEnabled(!web.isEmpty());
  connect(m->mnuGoWeb, &QAction::triggered, this, [web] { modHTML::OpenDocument(web); });
  connect(m->mnuHelpAbout, &QAction::triggered, this, [this] {
    auto* about = new frmAbout(*this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
  });
}

void frmMain::SetMainBackground(const QString& bitmap) {
  WLmainBG->setPixmap(Bitmaps::Get(bitmap));
}

void frmMain::ScaleControls() {
  setFixedSize(Layout::kWidth, Layout::kHeight);
  ScaleFactor = 375.0 / eeMainView->width();
  // Qt lays the window out in device-independent pixels, so positions and
  // sizes need no correction; fonts are set in pixels and keep their size.
  osRadius->FontSizeAdjust(ScaleFactor);
  osThreshold->FontSizeAdjust(ScaleFactor);
  osRadius->setGeometry(Layout::osRadius);
  osThreshold->setGeometry(Layout::osThreshold);
}

void frmMain::FormSetup(const QString& pagesFolder) {
  ScaleControls();
  OrbitalViews.assign(1, OrbitalView{});
  ViewModeChoice = 2;
  RefreshSetupButtons();
  RefreshChromeButtons();
  RefreshViewerButtons();
  BuildHelpTree(*this, WLtree, pagesFolder);
  FormReady = true;
  SetMode(1, HomePage, QString(), 0, false, true);
  modHistory::HistoryInit(*this, HomePage);
  SetStatus(QStringLiteral("Welcome to Wavelore"), true);
  if (!PageFiles.contains(HomePage)) {
    // Without its pages the program still calculates and shows orbitals.
    WLtext->ShowNote(
        QStringLiteral("The help pages are missing"),
        QStringLiteral("Wavelore looked for its pages (WL.HTM with the folders HELP "
                       "and REFERENCE) in %1 and in %2, and found none there. "
                       "Everything else works: choose an orbital to view.")
            .arg(pagesFolder.toHtmlEscaped(),
                 QDir(pagesFolder).filePath(QStringLiteral("../share/wavelore")).toHtmlEscaped()));
    SetStatus(QStringLiteral("The help pages are missing"), true);
  }
}

void frmMain::ShowHelpControls(bool Visible) {
  WLtextCont->setVisible(Visible);
  Menus->mnuEditCopyText->setEnabled(Visible);
  Menus->mnuFilePrint->setEnabled(Visible);
  Menus->mnuFileSave->setEnabled(Visible);
}

void frmMain::ShowSetupControls(bool Visible) {
  for (QWidget* w :
       std::initializer_list<QWidget*>{osListN, osListL, osListM, osListOrbs, osRadius, osThreshold,
                                       osViewMode[0], osViewMode[1], osCalc, osCharge,
                                       labChargeName, osForm[0], osForm[1], osHybrid,
                                       osHybridMember, osHybridShell, labCombination}) {
    w->setVisible(Visible);
  }
}

void frmMain::ShowViewerControls(bool Visible) {
  for (QWidget* w : std::initializer_list<QWidget*>{
           eeMainView,    eeNanoView,    eeAxes,       eeTSlider,    ee3Dmodes[0],
           ee3Dmodes[1],  ee3Dmodes[2],  ee3Dmodes[3], ee3Dmodes[4], eePhase,
           eeMainMode[0], eeMainMode[1], eeTDir[0],    eeTDir[1],    eeTDir[2],
           eeShowTrans,   eeSwap,        eeTrackBall,  eeAutoRotate, eeFurtherOptions,
           eeGraphs,      labSlicePosition}) {
    w->setVisible(Visible);
  }
  if (OptionsShown && ViewOptions) ViewOptions->setVisible(Visible);
  if (Visible && OptionsShown && ViewOptions && std::exchange(OptionsToPlace_, false))
    PlaceOptionsWindow();
  Menus->mnuGoGraphs->setEnabled(Visible);
  for (QAction* a : Menus->mnuEditCopy) a->setEnabled(Visible);
  Menus->mnuFileDelete->setEnabled(Visible);
  Menus->mnuFileProps->setEnabled(Visible);
  Menus->mnuFilePrint->setEnabled(Visible);
  Menus->mnuFileSave->setEnabled(Visible);
  Menus->mnuFileSaveView->setEnabled(Visible);
  Menus->mnuFileSaveAnimation->setEnabled(Visible);
}

void frmMain::SetMode(Long NewMode, const QString& URL, const QString& BookMark, Integer OrbIndex,
                      bool UpdateHistory, bool SyncTree) {
  // When the page change hides the control with the keyboard focus, the
  // keyboard goes to the page tree rather than wherever Qt moves it next.
  const QPointer<QWidget> focused = focusWidget();  // also while the window is not active
  const auto keepFocus = qScopeGuard([&] {
    if (focused && focused->window() == this && !focused->isVisible()) WLtree->setFocus();
  });
  if (NewMode != CurrentMode) {
    if (NewMode == 1) {
      ShowViewerControls(false);
      ShowSetupControls(false);
      SetMainBackground(QStringLiteral("WLMAINVIEW"));
      ShowHelpControls(true);
    } else if (NewMode == 2) {
      ShowHelpControls(false);
      ShowViewerControls(false);
      SetMainBackground(QStringLiteral("WLORBSETUP"));
      ShowSetupControls(true);
    } else if (NewMode == 3) {
      ShowHelpControls(false);
      ShowSetupControls(false);
      SetMainBackground(QStringLiteral("WLORBVIEWER"));
      ShowViewerControls(true);
    }
  }

  if (NewMode == 1) {
    QTreeWidgetItem* node = Node(URL);
    // The selected row follows the page shown, also when the page stays.
    if (node && SyncTree) {
      WLtree->setCurrentItem(node);
      WLtree->scrollToItem(node);
    }
    if (URL == CurrentPage && BookMark == CurrentAnchor && NewMode == CurrentMode) return;
    if (node) {
      CurrentPage = URL;
      CurrentAnchor = BookMark;
      AllowNavigate = true;
      WLtext->Navigate(BookMark.isEmpty() ? URL : URL + QLatin1Char('#') + BookMark);
      SetStatus(modHTML::GetHTMLTitle(URL), true);
    }
  } else if (NewMode == 2) {
    const QSignalBlocker blockN(osListN), blockL(osListL), blockM(osListM), blockO(osListOrbs);
    osListN->clear();
    osListL->clear();
    osListM->clear();
    osListL->addItem(QStringLiteral("Select energy first"));
    osListM->addItem(QStringLiteral("Select Angular Momentum"));
    for (Integer n = 1; n <= Engine.HighestN(); ++n)
      osListN->addItem(QStringLiteral("n = %1").arg(n));
    osListOrbs->clear();
    for (const OrbInfo& info : OrbInfoTable) osListOrbs->addItem(SelectorName(info));
    osListOrbs->setCurrentIndex(-1);
    if (SyncTree) {
      if (QTreeWidgetItem* node = Node(kOrbitalsKey)) {
        WLtree->setCurrentItem(node);
        WLtree->scrollToItem(node);
      }
    }
    SetStatus(QStringLiteral("Select an orbital to view"), true);
  } else if (NewMode == 3) {
    if (NewMode == CurrentMode && OrbIndex == CurrentOrbital) return;
    if (SyncTree) {
      if (QTreeWidgetItem* node = Node(QStringLiteral("ORB%1").arg(OrbIndex))) {
        WLtree->setCurrentItem(node);
        WLtree->scrollToItem(node);
      }
    }
    CurrentMode = 3;
    CurrentOrbital = OrbIndex;
    RefreshViewerButtons();
    if (OptionsShown && ViewOptions) ViewOptions->LoadOptions();
    GraphsFollow();
    if (Current().AutoRotating) AutoRotate();
    ShowViewerStatus();
  }

  CurrentMode = NewMode;
  if (UpdateHistory) modHistory::HistoryAdd(*this, NewMode, URL, BookMark, OrbIndex);
}

void frmMain::SetStatus(const QString& Text, bool Remember) {
  labStatus->setText(Text);
  if (Remember) StatusText = Text;
}

void frmMain::RestoreStatus() {
  labStatus->setText(StatusText);
}

void frmMain::RefreshSetupButtons() {
  osViewMode[0]->setPicture(
      Bitmaps::Get(ViewModeChoice == 0 ? QStringLiteral("OSPDFON") : QStringLiteral("OSPDFOFF")));
  osViewMode[1]->setPicture(Bitmaps::Get(ViewModeChoice == 1 ? QStringLiteral("OSDRPDFON")
                                                             : QStringLiteral("OSDRPDFOFF")));
  osCalc->setPicture(Bitmaps::Get(QStringLiteral("OSCALCOFF")));
}

void frmMain::RefreshChromeButtons() {
  const char* tb[5] = {"TBBACKOFF", "TBFORWARDOFF", "TBREFOFF", "TBELECOFF", "TBHELPOFF"};
  for (int i = 0; i < 5; ++i) ToolBarImage[i]->setPicture(Bitmaps::Get(QLatin1String(tb[i])));
  cbClose->setPicture(Bitmaps::Get(QStringLiteral("CBCLOSEOFF")));
  cbMin->setPicture(Bitmaps::Get(QStringLiteral("CBMINOFF")));
  cbSize->setPicture(Bitmaps::Get(FullScreen ? QStringLiteral("CBRESTOREOFF")
                                             : QStringLiteral("CBFULLSCREENOFF")));
}

void frmMain::ContextHelp() {
  if (CurrentMode == 1) SetMode(1, HelpIndex, QString(), 0, true, true);
  if (CurrentMode == 2) SetMode(1, HelpSelectorPage, QString(), 0, true, true);
  if (CurrentMode == 3) SetMode(1, HelpViewerPage, QString(), 0, true, true);
}

QTreeWidgetItem* frmMain::Node(const QString& key) const {
  return Nodes_.value(key, nullptr);
}

QTreeWidgetItem* frmMain::AddNode(const QString& parentKey, const QString& key,
                                  const QString& text) {
  QTreeWidgetItem* parent = parentKey.isEmpty() ? nullptr : Node(parentKey);
  if (!parentKey.isEmpty() && !parent) return nullptr;
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(WLtree);
  node->setText(0, text);
  node->setData(0, Qt::UserRole, key);
  node->setToolTip(0, text);
  Nodes_.insert(key, node);
  return node;
}

void frmMain::RemoveNode(const QString& key) {
  delete Nodes_.take(key);
}

void frmMain::ClearNodes() {
  WLtree->clear();
  Nodes_.clear();
}

void frmMain::WLtree_NodeClick(QTreeWidgetItem* node) {
  const QString key = node->data(0, Qt::UserRole).toString();
  node->setExpanded(true);  // a folder's pages come into sight with its index
  if (key == kOrbitalsKey) {
    SetStatus(QStringLiteral("Select an Orbital to View"), false);
    SetMode(2, QString(), QString(), 0, true, false);
  } else if (IsOrbitalKey(key)) {
    SetMode(3, QString(), QString(), static_cast<Integer>(key.mid(3).toInt()), true, false);
  } else {
    SetMode(1, key, QString(), 0, true, false);
  }
  if (LastTreeButton == 2 && IsOrbitalKey(key)) {
    const QRect r = WLtree->visualItemRect(node);
    Menus->mnuTree->popup(WLtree->viewport()->mapToGlobal(r.center()));
  }
}

void frmMain::WLtext_BeforeNavigate(const QString& address, bool* cancel) {
  if (!FormReady) return;
  if (AllowNavigate) {
    AllowNavigate = false;
    return;
  }
  *cancel = true;
  // A link to a lesson file beside the pages opens it in the viewer.
  if (address.endsWith(QLatin1Char('.') + LessonExtension(), Qt::CaseInsensitive)) {
    if (const std::optional<QString> file = cFileSys::RealPath(address)) {
      OpenLesson(*file);
    } else {
      SetStatus(QStringLiteral("The lesson file %1 is missing").arg(address), false);
    }
    return;
  }
  const auto hash = address.indexOf(QLatin1Char('#'));
  if (hash >= 0) {
    QString url = address.mid(8, hash - 8).toUpper();
    url.replace(QLatin1Char('/'), QLatin1Char('\\'))
        .replace(QLatin1String("%20"), QLatin1String(" "));
    SetMode(1, url, address.mid(hash + 1), 0, true, true);
  } else {
    SetMode(1, address.toUpper(), QString(), 0, true, true);
  }
}

void frmMain::WLtext_StatusTextChange(const QString& text) {
  if (text.startsWith(QLatin1String("OV"))) {
    OpenOrbitalFromPage(text.mid(2));
  } else if (text.startsWith(QLatin1String("OS"))) {
    SetMode(2, QString(), QString(), 0, true, true);
  } else if (text.startsWith(QLatin1String("ST"))) {
    SetStatus(text.mid(2), false);
  } else if (text.startsWith(QLatin1String("RS"))) {
    RestoreStatus();
  }
}

void frmMain::PopUpMenu(QLabel* label, QMenu* menu) {
  SetMenuLabelLit(label, true);
  menu->popup(mapToGlobal(QPoint(label->x(), label->y() + label->height())));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sysTitleBar) TitleBar_Mouse(event);
  if (event->type() == QEvent::Move && watched == ViewOptions && ViewOptions->isVisible() &&
      ViewOptions->pos() != OptionsPlacedAt_) {
    OptionsOffset_ = ViewOptions->pos() - pos();
    ProgramSettings().setValue(QStringLiteral("FurtherOptions/Offset"), *OptionsOffset_);
  }
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
      for (QLabel* label : {labMnuFile, labMnuEdit, labMnuGo, labMnuHelp}) {
        if (watched == label) SetMenuLabelLit(label, event->type() == QEvent::Enter);
      }
      break;
    case QEvent::KeyRelease: {
      // The finished volume image follows the last arrow key, as it follows a drag.
      auto* key = static_cast<QKeyEvent*>(event);
      if ((watched == eeMainView || watched == eeNanoView) && CurrentMode == 3 &&
          !key->isAutoRepeat() && key->key() >= Qt::Key_Left && key->key() <= Qt::Key_Down) {
        EngineGuard([&] { FinalVolumeIfStill(); });
      }
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (MenuKey(watched, key)) return true;
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget || widget->window() != this || !isEnabled()) break;
      if (HandleKey(watched, key)) return true;
      if (key->key() == Qt::Key_F1) {
        ContextHelp();
        return true;
      }
      if (key->key() == Qt::Key_F4 && (key->modifiers() & Qt::AltModifier)) {
        EndProgram();
        return true;
      }
      if (watched == WLtree && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (QTreeWidgetItem* node = WLtree->currentItem()) {
          LastTreeButton = 1;
          WLtree_NodeClick(node);
          return true;
        }
      }
      break;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (watched == WLtree->viewport()) {
        LastTreeButton = mouse->button() == Qt::RightButton ? 2 : 1;
        PressedNode_ = WLtree->itemAt(mouse->position().toPoint());
        // A press on a folder's arrow only opens or closes the folder.
        if (PressedNode_ && mouse->position().x() < WLtree->visualItemRect(PressedNode_).left()) {
          PressedNode_ = nullptr;
        }
      } else if (watched == WLmainBG && mouse->button() == Qt::LeftButton) {
        if (SliderTrack_Click(WLmainBG->mapTo(this, mouse->position().toPoint()))) return true;
      } else if (watched == labMnuFile) {
        PopUpMenu(labMnuFile, Menus->mnuFile);
      } else if (watched == labMnuEdit) {
        PopUpMenu(labMnuEdit, Menus->mnuEdit);
      } else if (watched == labMnuGo) {
        PopUpMenu(labMnuGo, Menus->mnuGo);
      } else if (watched == labMnuHelp) {
        PopUpMenu(labMnuHelp, Menus->mnuHelp);
      }
      break;
    }
    case QEvent::MouseButtonRelease: {
      if (watched != WLtree->viewport()) break;
      auto* mouse = static_cast<QMouseEvent*>(event);
      QTreeWidgetItem* node = WLtree->itemAt(mouse->position().toPoint());
      if (node && node == PressedNode_) {
        PressedNode_ = nullptr;
        if (mouse->button() == Qt::RightButton) WLtree->setCurrentItem(node);
        // Let the tree finish its own handling (selection, expansion) first.
        QMetaObject::invokeMethod(
            this, [this, node] { WLtree_NodeClick(node); }, Qt::QueuedConnection);
      }
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!Ending_) EndProgram();
  event->accept();
}

void frmMain::EndProgram() {
  if (Ending_) return;
  Ending_ = true;
  OwnerHwnd = modWindows::FindOwnerWindow(this);
  modWindows::UnhookOwner(*this);
  if (DisplayChanged) FullScreenZoom(false);
  if (DisplayChanged) modDisplay::ChangeDisplay(StartMode);
  if (FullScreen) modWindows::SetTaskbarTopmost(true);
  if (ViewOptions) ViewOptions->close();
  if (Graphs) Graphs->close();
  hide();
  emit ProgramEnded();
  QCoreApplication::exit(0);
}

void frmMain::ShowFurtherOptions() {
  if (!OptionsShown) {
    if (ViewOptions) {
      modWindows::SetWindowTopMost(ViewOptions, false);
      ViewOptions->close();
    }
    return;
  }
  if (!ViewOptions) {
    ViewOptions = new frmViewOptions(*this);
    PlaceOptionsWindow();
  }
  ViewOptions->show();
  ViewOptions->LoadOptions();
  modWindows::SetWindowTopMost(ViewOptions, true);
}

void frmMain::OptionsWindowClosed() {
  OptionsShown = false;
  ShowPicture(eeFurtherOptions, false);
}

void frmMain::MoveOptionsWindowForFullScreen(bool) {
  if (!OptionsShown || !ViewOptions) return;
  PlaceOptionsWindow();
}

void frmMain::PlaceOptionsWindow() {
  if (!ViewOptions) return;
  QScreen* shown = screen();
  const QRect available = shown ? shown->availableGeometry() : QRect(QPoint(), size());
  const QSize tool = ViewOptions->frameGeometry().size();
  const QRect mainView(mapToGlobal(Layout::eeMainView.topLeft()), Layout::eeMainView.size());
  // Where the user moved the window last (in this run or an earlier one),
  // kept relative to the main window.
  if (!OptionsOffset_) {
    const QVariant kept = ProgramSettings().value(QStringLiteral("FurtherOptions/Offset"));
    if (kept.isValid()) OptionsOffset_ = kept.toPoint();
  }
  OptionsPlacedAt_ = OptionsOffset_
                         ? ToolPlacement::OnScreen(pos() + *OptionsOffset_, tool, available)
                         : ToolPlacement::Beside(frameGeometry(), mainView, tool, available);
  ViewOptions->move(OptionsPlacedAt_);
}

bool frmMain::EngineGuard(const std::function<void()>& action) {
  QString description;
  try {
    action();
    return true;
  } catch (const WLError& e) {
    description = QStringLiteral("%1 (error %2)")
                      .arg(QString::fromStdString(e.Description()))
                      .arg(e.Number());
  } catch (const std::bad_alloc&) {
    description = QStringLiteral("Out of memory");
  } catch (const std::exception& e) {
    description = QString::fromLocal8Bit(e.what());
  }
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  setEnabled(true);
  // The drag under way ends, and a rotation stops rather than fail again.
  DragCancelled_ = true;
  RotationTimer_->stop();
  if (static_cast<size_t>(CurrentOrbital) < OrbitalViews.size() && Current().AutoRotating) {
    Current().AutoRotating = false;
    ShowPicture(eeAutoRotate, false);
  }
  MsgBox(this, QStringLiteral("Wavelore could not complete this step: ") + description,
         QStringLiteral("Wavelore"), MsgIcon::Critical);
  return false;
}

}  // namespace wl
