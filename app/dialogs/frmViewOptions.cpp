#include "frmViewOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTabBar>
#include <cmath>

#include "CameraView.h"
#include "NoFocusCont.h"
#include "SpinButton.h"
#include "main/Fonts.h"
#include "main/frmMain.h"
#include "render/Phase.h"
#include "shell/modWindows.h"

namespace wl {

namespace {
constexpr int kWidth = 430;
constexpr int kPageTop = 30;
constexpr int kPageHeight = 300;
constexpr int kTabs = 5;
const char* const kAnchors[kTabs] = {"ProbabilityShading", "CameraSettings", "DotDensity",
                                     "VolumetricQuality", "SurfaceOptions"};

QLabel* Text(QWidget* parent, const QString& text, const QRect& place, bool wrap = false) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(place);
  label->setWordWrap(wrap);
  label->setAlignment(Qt::AlignLeft | (wrap ? Qt::AlignTop : Qt::AlignVCenter));
  return label;
}

QLabel* Footnote(QWidget* parent, const QString& text) {
  QLabel* label = Text(parent, text, {10, kPageHeight - 26, kWidth - 20, 18});
  label->setStyleSheet(QStringLiteral("color: #ffc450;"));
  return label;
}

QSlider* Slider(QWidget* parent, int min, int max, int page, const QRect& place,
                const QString& left, const QString& right, const QString& role) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(min, max);
  slider->setSingleStep(1);
  slider->setPageStep(page);
  slider->setTickPosition(QSlider::NoTicks);
  slider->setGeometry(place.x() + 40, place.y(), place.width() - 80, place.height());
  slider->setAccessibleName(role);
  Text(parent, left, {place.x(), place.y(), 38, place.height()});
  QLabel* r = Text(parent, right, {place.right() - 37, place.y(), 38, place.height()});
  r->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return slider;
}

// The example pictures beside the two shading modes: the same little dot
// cloud, plain grey and coloured by probability (green dense, red sparse).
QPixmap ShadingExample(bool enhanced) {
  QImage image(90, 90, QImage::Format_RGB32);
  image.fill(Qt::black);
  QRandomGenerator rng(90);
  for (int k = 0; k < 2600; ++k) {
    const double x = rng.generateDouble() * 2 - 1, y = rng.generateDouble() * 2 - 1;
    const double lobe = std::exp(-((std::abs(y) - 0.45) * (std::abs(y) - 0.45) + x * x) * 9);
    const double ring = std::exp(-(y * y * 60 + (std::abs(x) - 0.6) * (std::abs(x) - 0.6) * 40));
    const double p = std::max(lobe, ring * 0.7);
    if (rng.generateDouble() > p) continue;
    const int px = static_cast<int>((x + 1) * 44.5), py = static_cast<int>((y + 1) * 44.5);
    QRgb colour = qRgb(235, 235, 235);
    if (enhanced) colour = p > 0.45 ? qRgb(40, 235, 60) : qRgb(235, 50, 40);
    image.setPixel(px, py, colour);
  }
  return QPixmap::fromImage(image);
}

// The legend of a phase palette: a swatch of each sign's colour with its sign.
QPixmap PaletteSwatch(PhasePalette palette) {
  QImage image(92, 20, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(PixelFont(12, true));
  for (int k = 0; k < 2; ++k) {
    const bool positive = k == 0;
    const PhaseRgb c = PhaseColour(palette, positive);
    const QRectF box(1 + k * 46, 1, 40, 18);
    p.setPen(QPen(QColor(30, 29, 34), 1));
    p.setBrush(QColor(c.R, c.G, c.B));
    p.drawRoundedRect(box, 3, 3);
    p.setPen(qGray(c.R, c.G, c.B) > 150 ? Qt::black : Qt::white);
    p.drawText(box, Qt::AlignCenter, positive ? QStringLiteral("+") : QStringLiteral("\u2212"));
  }
  p.end();
  return QPixmap::fromImage(image);
}
}  // namespace

frmViewOptions::frmViewOptions(frmMain& main) : QWidget(&main, Qt::Tool), Main_(main) {
  setObjectName(QStringLiteral("frmViewOptions"));
  setWindowTitle(QStringLiteral("Further Options"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWidth, kPageTop + kPageHeight + 44);
  setFont(PixelFont(11));
  setStyleSheet(
      QStringLiteral("frmViewOptions, QLabel { color: #e8e8ec; }"
                     "QPushButton { background: #4a4950; color: #e8e8ec; border: 1px solid #77757c;"
                     " border-radius: 3px; padding: 3px 10px; }"
                     "QPushButton:hover { border-color: #ffc450; }"
                     "QTabBar::tab { background: #4a4950; color: #e8e8ec; padding: 4px 4px; "
                     "border: 1px solid #66646c; }"
                     "QTabBar::tab:selected { background: #6a6872; color: white; "
                     "border-bottom-color: #ffc450; }"));
  // Option and check boxes take their captions from WindowText and their
  // marks from Text: light captions on the dark panel, dark marks on the
  // white boxes (one light colour for both left the marks nearly invisible).
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(58, 57, 62));
  pal.setColor(QPalette::WindowText, QColor(232, 232, 236));
  pal.setColor(QPalette::Text, QColor(32, 32, 36));
  setPalette(pal);
  setAutoFillBackground(true);

  Tabs = new QTabBar(this);
  Tabs->setObjectName(QStringLiteral("Tabs"));
  for (const char* t :
       {"Probability Shading", "Camera Settings", "Dot Density", "Volumetric Quality", "Surface"})
    Tabs->addTab(QString::fromLatin1(t));
  Tabs->setExpanding(false);
  Tabs->setGeometry(4, 4, kWidth - 8, kPageTop - 4);
  Tabs->setFont(PixelFont(10));
  for (int i = 0; i < kTabs; ++i) {
    TabCont[i] = new NoFocusCont(this);
    TabCont[i]->setObjectName(QStringLiteral("TabCont%1").arg(i));
    TabCont[i]->setBackColor(QColor(74, 73, 80));
    TabCont[i]->setGeometry(4, kPageTop, kWidth - 8, kPageHeight);
    TabCont[i]->setVisible(i == 0);
  }
  BuildShadingTab();
  BuildCameraTab();
  BuildDensityTab();
  BuildQualityTab();
  BuildSurfaceTab();
  // The buttons take the palette themselves: under the window's style sheet
  // they would not inherit it, and drew black captions on the dark panel.
  for (QAbstractButton* box : findChildren<QAbstractButton*>()) {
    if (qobject_cast<QCheckBox*>(box) || qobject_cast<QRadioButton*>(box)) box->setPalette(pal);
  }

  cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
  cmdHelp->setGeometry(kWidth - 170, kPageTop + kPageHeight + 10, 76, 26);
  cmdClose = new QPushButton(QStringLiteral("&Close"), this);
  cmdClose->setGeometry(kWidth - 86, kPageTop + kPageHeight + 10, 76, 26);
  connect(Tabs, &QTabBar::currentChanged, this, &frmViewOptions::Tabs_Click);
  connect(cmdHelp, &QPushButton::clicked, this, &frmViewOptions::cmdHelp_Click);
  connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

  // The window sees its keys before its controls do (Ctrl+Tab, F1).
  qApp->installEventFilter(this);
  modWindows::SetWindowTopMost(this, true);
}

frmViewOptions::~frmViewOptions() {
  qApp->removeEventFilter(this);
}

OrbitalView& frmViewOptions::R() {
  return Main_.OrbitalViews[static_cast<size_t>(Main_.CurrentOrbital)];
}

void frmViewOptions::BuildShadingTab() {
  QWidget* page = TabCont[0];
  Text(page,
       QStringLiteral("Choose the shading mode for othographic and perspective modes. Enhanced "
                      "makes high probability regions green and low red."),
       {10, 8, kWidth - 28, 44}, true);
  const QString names[2] = {QStringLiteral("Standard"), QStringLiteral("Enhanced")};
  for (int i = 0; i < 2; ++i) {
    ShadeModes[i] = new QRadioButton(names[i], page);
    ShadeModes[i]->setGeometry(40 + i * 200, 60, 120, 20);
    ShadeModesImg[i] = new QLabel(page);
    ShadeModesImg[i]->setGeometry(54 + i * 200, 86, 90, 90);
    ShadeModesImg[i]->setPixmap(ShadingExample(i == 1));
    ShadeModesImg[i]->setAccessibleName(names[i] + QStringLiteral(" example"));
    connect(ShadeModes[i], &QRadioButton::clicked, this, [this, i] { ShadeModes_Click(i); });
  }
  chkColourTrans = new QCheckBox(QStringLiteral("Also enhance 2D transect views"), page);
  chkColourTrans->setGeometry(16, 192, kWidth - 40, 20);
  connect(chkColourTrans, &QCheckBox::clicked, this, &frmViewOptions::chkColourTrans_Click);
  // Sizes in every view, drawn over the pictures.
  chkScaleBar = new QCheckBox(QStringLiteral("Scale bar"), page);
  chkScaleBar->setGeometry(16, 228, 80, 20);
  Text(page, QStringLiteral("in both views and every mode; ticks along the slice"),
       {96, 228, kWidth - 112, 20});
  connect(chkScaleBar, &QCheckBox::clicked, this, &frmViewOptions::chkScaleBar_Click);
  Footnote(page, QStringLiteral("Applies to: Othographic & Perspective"));
}

void frmViewOptions::BuildCameraTab() {
  QWidget* page = TabCont[1];
  Text(page, QStringLiteral("Distance of camera to orbital:"), {10, 6, kWidth - 28, 16});
  CPosSlider = Slider(page, -1000, -222, 5, {10, 22, kWidth - 28, 20}, QStringLiteral("far"),
                      QStringLiteral("near"), QStringLiteral("Distance of camera to orbital"));
  Text(page, QStringLiteral("Camera-Projection Plane distance:"), {10, 48, kWidth - 28, 16});
  PPosSlider = Slider(page, 10, 900, 5, {10, 64, kWidth - 28, 20}, QStringLiteral("short"),
                      QStringLiteral("long"), QStringLiteral("Camera-Projection Plane distance"));
  Text(page, QStringLiteral("Steroscopic separation (anaglyphs)"), {10, 90, kWidth - 28, 16});
  StereoFactorSlider = Slider(page, 10, 40, 5, {10, 106, kWidth - 28, 20}, QStringLiteral("high"),
                              QStringLiteral("low"), QStringLiteral("Stereoscopic separation"));
  CView1 = new CameraView(page);
  CView1->move((kWidth - 8 - CView1->width()) / 2, 140);
  CView1->setAccessibleName(QStringLiteral("Perspective camera"));
  CView2 = new CameraView(page);
  CView2->move((kWidth - 8 - CView2->width()) / 2, 140 + CView1->height() + 12);
  CView2->setAccessibleName(QStringLiteral("Anaglyph cameras"));
  connect(CPosSlider, &QSlider::valueChanged, this, &frmViewOptions::CPosSlider_Scroll);
  connect(PPosSlider, &QSlider::valueChanged, this, &frmViewOptions::PPosSlider_Scroll);
  connect(StereoFactorSlider, &QSlider::valueChanged, this,
          &frmViewOptions::StereoFactorSlider_Scroll);
  // The anaglyph's colours, for the glasses the class has; in a box of their
  // own so that they exclude only each other.
  auto* glasses = new QWidget(page);
  glasses->setGeometry(10, 248, kWidth - 28, 20);
  Text(glasses, QStringLiteral("Anaglyph glasses:"), {0, 0, 120, 20});
  const char* const names[2] = {"Red/green", "Red/cyan"};
  for (int i = 0; i < 2; ++i) {
    GlassesChoice[i] = new QRadioButton(QString::fromLatin1(names[i]), glasses);
    GlassesChoice[i]->setGeometry(124 + i * 110, 0, 104, 20);
    connect(GlassesChoice[i], &QRadioButton::clicked, this, [this, i] { GlassesChoice_Click(i); });
  }
  Footnote(page, QStringLiteral("Applies to: Perspective & Anaglyph"));
}

void frmViewOptions::BuildDensityTab() {
  QWidget* page = TabCont[2];
  Text(page, QStringLiteral("Dot total target:"), {10, 10, 150, 22});
  spinDotTarget = new SpinButton(page);
  spinDotTarget->setGeometry(170, 10, 100, 22);
  spinDotTarget->setMin(50);
  spinDotTarget->setMax(32000);
  spinDotTarget->setAccessibleName(QStringLiteral("Dot total target"));
  Text(page, QStringLiteral("Probability threshold: "), {10, 42, 150, 22});
  spinPThreshold = new SpinButton(page);
  spinPThreshold->setGeometry(170, 42, 100, 22);
  spinPThreshold->setMax(250);
  spinPThreshold->setAccessibleName(QStringLiteral("Probability threshold"));
  Text(page,
       QStringLiteral("Enter a value between 0 and 250. Higher values result in crisper images "
                      "but may cause low probability regions not to be drawn."),
       {10, 72, kWidth - 28, 44}, true);
  labDotTotal = Text(page, QString(), {10, 124, kWidth - 28, 58}, true);
  labDotTotal->setObjectName(QStringLiteral("labDotTotal"));
  labRefillDotMatrix = new QPushButton(QStringLiteral("Apply Changes"), page);
  labRefillDotMatrix->setGeometry(10, 196, 120, 26);
  connect(spinDotTarget, &SpinButton::Change, this,
          [this] { R().DotTarget = spinDotTarget->Value(); });
  connect(spinPThreshold, &SpinButton::Change, this,
          [this] { R().DotThreshold = static_cast<Byte>(spinPThreshold->Value()); });
  connect(labRefillDotMatrix, &QPushButton::clicked, this,
          &frmViewOptions::labRefillDotMatrix_Click);
  Footnote(page, QStringLiteral("Applies to: Dot density views"));
}

void frmViewOptions::BuildQualityTab() {
  QWidget* page = TabCont[3];
  Text(page, QStringLiteral("Sample points per ray:"), {10, 6, kWidth - 28, 16});
  SlideVolQuality = Slider(page, 5, 10, 1, {10, 24, kWidth - 28, 20}, QStringLiteral("few"),
                           QStringLiteral("many"), QStringLiteral("Sample points per ray"));
  // Acts once the value has changed, not while the thumb is dragged.
  SlideVolQuality->setTracking(false);
  Text(page,
       QStringLiteral("This adjusts the number of sample points along each ray traced through "
                      "the electron orbital probability cloud. Higher values may show more "
                      "structure but would also increase drawing time."),
       {10, 56, kWidth - 28, 72}, true);
  QLabel* warning =
      Text(page, QStringLiteral("Note: This option is recommended for advanced users only."),
           {10, 136, kWidth - 28, 34}, true);
  warning->setStyleSheet(QStringLiteral("font-weight: bold;"));
  connect(SlideVolQuality, &QSlider::valueChanged, this, &frmViewOptions::SlideVolQuality_Change);
  Footnote(page, QStringLiteral("Applies to: Volumetric mode"));
}

void frmViewOptions::BuildSurfaceTab() {
  QWidget* page = TabCont[4];
  Text(page, QStringLiteral("Enclosed probability:"), {10, 6, 150, 16});
  labEnclosed = Text(page, QString(), {160, 6, 60, 16});
  labEnclosed->setObjectName(QStringLiteral("labEnclosed"));
  labEnclosed->setStyleSheet(QStringLiteral("font-weight: bold;"));
  SlideEnclosed = Slider(page, 50, 99, 5, {10, 24, kWidth - 28, 20}, QStringLiteral("50%"),
                         QStringLiteral("99%"), QStringLiteral("Enclosed probability"));
  // The surface is drawn again once the thumb is let go; the label follows it.
  SlideEnclosed->setTracking(false);
  Text(page,
       QStringLiteral("The surface encloses this share of the probability of finding the "
                      "electron; the density is higher everywhere inside it."),
       {10, 48, kWidth - 28, 30}, true);
  chkNested = new QCheckBox(QStringLiteral("Nested shells: an opaque 50% surface inside"), page);
  chkNested->setGeometry(16, 84, kWidth - 40, 20);
  chkCutaway = new QCheckBox(QStringLiteral("Cutaway: remove the half facing you"), page);
  chkCutaway->setGeometry(16, 108, kWidth - 40, 20);
  Text(page, QStringLiteral("Phase colours (+ and \u2212 lobes of the wave function):"),
       {10, 140, kWidth - 28, 16});
  const QString names[3] = {QStringLiteral("Orange and blue"), QStringLiteral("Red and blue"),
                            QStringLiteral("Colour-blind safe")};
  for (int i = 0; i < 3; ++i) {
    PaletteChoice[i] = new QRadioButton(names[i], page);
    PaletteChoice[i]->setGeometry(16, 162 + i * 26, 170, 20);
    auto* swatch = new QLabel(page);
    swatch->setGeometry(200, 162 + i * 26, 92, 20);
    swatch->setPixmap(PaletteSwatch(static_cast<PhasePalette>(i)));
    swatch->setAccessibleName(names[i] + QStringLiteral(" legend"));
    connect(PaletteChoice[i], &QRadioButton::clicked, this, [this, i] { PaletteChoice_Click(i); });
  }
  connect(SlideEnclosed, &QSlider::valueChanged, this, &frmViewOptions::SlideEnclosed_Change);
  connect(SlideEnclosed, &QSlider::sliderMoved, this,
          [this](int value) { labEnclosed->setText(QStringLiteral("%1%").arg(value)); });
  connect(chkNested, &QCheckBox::clicked, this, &frmViewOptions::SurfaceOption_Click);
  connect(chkCutaway, &QCheckBox::clicked, this, &frmViewOptions::SurfaceOption_Click);
  Footnote(page, QStringLiteral("Applies to: Surface mode; the colours to every view with phase"));
}

void frmViewOptions::ShowDotTotal() {
  labDotTotal->setText(QStringLiteral("Currently there are %1 dots. The higher the value the "
                                      "clearer the outline of the orbital is, but the internal "
                                      "detail may be lost.")
                           .arg(R().Stats.DotTotal));
}

void frmViewOptions::DrawCameraViews() {
  const OrbitalView& v = R();
  Main_.EngineGuard([&] {
    CView1->Draw(v.CameraPos, v.ProjectionPlane, Perspective, v.StereoFactor);
    CView2->Draw(v.CameraPos, v.ProjectionPlane, Anaglyph, v.StereoFactor, v.Glasses);
  });
}

void frmViewOptions::LoadOptions() {
  const OrbitalView& v = R();
  ShowDotTotal();
  {
    // Setting a control in code is not a user's move: the controls store
    // the same values again at most, the camera sliders not at all.
    const QSignalBlocker b1(CPosSlider), b2(PPosSlider), b3(StereoFactorSlider);
    spinDotTarget->setValue(static_cast<Integer>(v.DotTarget));
    spinPThreshold->setValue(v.DotThreshold);
    CPosSlider->setValue(v.CameraPos);
    PPosSlider->setValue(v.ProjectionPlane - v.CameraPos);
    StereoFactorSlider->setValue(v.StereoFactor);
  }
  DrawCameraViews();
  ShadeModes[v.ShowProbLevelOnDots ? 1 : 0]->setChecked(true);
  chkColourTrans->setChecked(v.ShowProbLevelOnTrans);
  chkColourTrans->setEnabled(v.ShowProbLevelOnDots);
  chkScaleBar->setChecked(v.ShowScaleBar);
  SlideVolQuality->setValue(v.VolQuality);
  {
    const QSignalBlocker b(SlideEnclosed);
    SlideEnclosed->setValue(static_cast<int>(std::lround(v.EnclosedShare * 100)));
  }
  labEnclosed->setText(QStringLiteral("%1%").arg(SlideEnclosed->value()));
  chkNested->setChecked(v.SurfaceNested);
  chkCutaway->setChecked(v.SurfaceCutaway);
  PaletteChoice[static_cast<size_t>(v.Palette)]->setChecked(true);
  GlassesChoice[v.Glasses == RedCyan ? 1 : 0]->setChecked(true);
}

void frmViewOptions::Tabs_Click() {
  for (int i = 0; i < kTabs; ++i) TabCont[i]->setVisible(i == Tabs->currentIndex());
}

void frmViewOptions::cmdHelp_Click() {
  Main_.SetMode(1, Main_.HelpOptionsPage, QLatin1String(kAnchors[Tabs->currentIndex()]), 0, true,
                true);
}

void frmViewOptions::ShadeModes_Click(int i) {
  chkColourTrans->setEnabled(i > 0);
  OrbitalView& v = R();
  const bool enhanced = i > 0;
  if (enhanced == v.ShowProbLevelOnDots) return;
  v.ShowProbLevelOnDots = enhanced;
  if (v.Mode != Orthographic && v.Mode != Perspective) return;
  Main_.EngineGuard([&] {
    if (v.ShowProbLevelOnTrans) {
      Main_.FrameUpdateBoth(false);
    } else {
      Main_.FrameUpdate3D(true, false);
    }
  });
}

void frmViewOptions::chkColourTrans_Click() {
  OrbitalView& v = R();
  const bool on = chkColourTrans->isChecked();
  if (on == v.ShowProbLevelOnTrans) return;
  v.ShowProbLevelOnTrans = on;
  if (v.Mode == Orthographic || v.Mode == Perspective)
    Main_.EngineGuard([&] { Main_.FrameUpdate2D(true); });
}

void frmViewOptions::chkScaleBar_Click() {
  OrbitalView& v = R();
  const bool on = chkScaleBar->isChecked();
  if (on == v.ShowScaleBar) return;
  v.ShowScaleBar = on;
  Main_.RefreshOverlays();
}

void frmViewOptions::CPosSlider_Scroll() {
  OrbitalView& v = R();
  v.CameraPos = static_cast<Integer>(CPosSlider->value());
  v.ProjectionPlane = static_cast<Integer>(PPosSlider->value() + v.CameraPos);
  DrawCameraViews();
  if (v.Mode == Perspective || v.Mode == Anaglyph)
    Main_.EngineGuard([&] { Main_.FrameUpdate3D(true, false); });
}

void frmViewOptions::PPosSlider_Scroll() {
  OrbitalView& v = R();
  v.ProjectionPlane = static_cast<Integer>(PPosSlider->value() + v.CameraPos);
  DrawCameraViews();
  if (v.Mode == Perspective || v.Mode == Anaglyph)
    Main_.EngineGuard([&] { Main_.FrameUpdate3D(true, false); });
}

void frmViewOptions::StereoFactorSlider_Scroll() {
  OrbitalView& v = R();
  v.StereoFactor = static_cast<Integer>(StereoFactorSlider->value());
  DrawCameraViews();
  if (v.Mode == Anaglyph) Main_.EngineGuard([&] { Main_.FrameUpdate3D(true, false); });
}

void frmViewOptions::GlassesChoice_Click(int i) {
  OrbitalView& v = R();
  const AnaglyphGlasses glasses = i == 1 ? RedCyan : RedGreen;
  if (glasses == v.Glasses) return;
  v.Glasses = glasses;
  DrawCameraViews();
  if (v.Mode == Anaglyph) Main_.EngineGuard([&] { Main_.FrameUpdate3D(true, false); });
}

void frmViewOptions::SlideVolQuality_Change() {
  OrbitalView& v = R();
  v.VolQuality = static_cast<Integer>(SlideVolQuality->value());
  if (v.Mode == Volumetric && !v.AutoRotating)
    Main_.EngineGuard([&] { Main_.FrameUpdate3D(true, true); });
}

void frmViewOptions::RedrawSurface() {
  const OrbitalView& v = R();
  if (v.Mode == BoundarySurface)
    Main_.EngineGuard([&] { Main_.FrameUpdate3D(true, !v.AutoRotating); });
}

void frmViewOptions::SlideEnclosed_Change() {
  const int percent = SlideEnclosed->value();
  labEnclosed->setText(QStringLiteral("%1%").arg(percent));
  OrbitalView& v = R();
  const double share = percent / 100.0;
  if (share == v.EnclosedShare) return;
  v.EnclosedShare = share;
  RedrawSurface();
  Main_.ShowViewerStatus();
}

void frmViewOptions::SurfaceOption_Click() {
  OrbitalView& v = R();
  const bool nested = chkNested->isChecked(), cutaway = chkCutaway->isChecked();
  if (nested == v.SurfaceNested && cutaway == v.SurfaceCutaway) return;
  v.SurfaceNested = nested;
  v.SurfaceCutaway = cutaway;
  RedrawSurface();
}

void frmViewOptions::PaletteChoice_Click(int i) {
  OrbitalView& v = R();
  const auto palette = static_cast<PhasePalette>(i);
  if (palette == v.Palette) return;
  v.Palette = palette;
  // Both pictures carry the phase colours (the transect too).
  if (v.ShowPhase || v.Mode == BoundarySurface)
    Main_.EngineGuard([&] { Main_.FrameUpdateBoth(!v.AutoRotating); });
}

void frmViewOptions::labRefillDotMatrix_Click() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Main_.EngineGuard([&] {
    OrbitalView& v = R();
    Main_.Engine.Orbitals().ReFillDotMatrix(Main_.CurrentOrbital, v.DotThreshold, v.DotTarget);
    v.Stats = Main_.Engine.Orbitals().GetStats(Main_.CurrentOrbital);
    ShowDotTotal();
    if (!frmMain::HasFinalImage(v.Mode)) Main_.FrameUpdate3D(true, false);
    Main_.ShowViewerStatus();
  });
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

bool frmViewOptions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 0; i < 2; ++i) {
      if (watched == ShadeModesImg[i]) {
        ShadeModes[i]->setChecked(true);
        ShadeModes[i]->setFocus();
        ShadeModes_Click(i);
        return true;
      }
    }
  }
  if (event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
      Tabs->setCurrentIndex((Tabs->currentIndex() + 1) % Tabs->count());
      return true;
    }
    if (key->key() == Qt::Key_F1) {
      cmdHelp_Click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmViewOptions::closeEvent(QCloseEvent* event) {
  Main_.OptionsWindowClosed();
  QWidget::closeEvent(event);
}

}  // namespace wl
