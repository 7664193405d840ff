#include "frmSaveAnimation.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "ImageFile.h"
#include "SavePrintTexts.h"
#include "main/frmMain.h"
#include "overlays/ViewOverlays.h"
#include "render/Surfaces.h"
#include "shell/Services.h"

namespace wl {

namespace {
const QString kTitle = QStringLiteral("Save Animation");
}  // namespace

frmSaveAnimation::frmSaveAnimation(frmMain& main) : QDialog(&main), Main_(main) {
  setWindowTitle(kTitle);
  setWindowModality(Qt::WindowModal);
  cboKind = new QComboBox(this);
  cboKind->setObjectName(QStringLiteral("cboKind"));
  cboKind->addItems({QStringLiteral("A full turn of the camera"),
                     QStringLiteral("A sweep of the slice")});
  spnFrames = new QSpinBox(this);
  spnFrames->setObjectName(QStringLiteral("spnFrames"));
  spnFrames->setRange(2, 1000);
  spnFrames->setValue(120);
  cboSize = new QComboBox(this);
  cboSize->setObjectName(QStringLiteral("cboSize"));
  for (int size : kSizes) {
    cboSize->addItem(size == kSizes[0] ? QStringLiteral("%1 × %1 (as in the view)").arg(size)
                                       : QStringLiteral("%1 × %1").arg(size),
                     size);
  }
  cboFormat = new QComboBox(this);
  cboFormat->setObjectName(QStringLiteral("cboFormat"));
  cboFormat->addItem(QStringLiteral("Animated GIF"));
  cboFormat->addItem(QStringLiteral("MP4 video"));
  labInfo = new QLabel(this);
  labInfo->setWordWrap(true);
  barProgress = new QProgressBar(this);
  barProgress->setVisible(false);
  cmdSave = new QPushButton(QStringLiteral("&Save..."), this);
  cmdSave->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Animation:"), cboKind);
  form->addRow(QStringLiteral("&Frames:"), spnFrames);
  form->addRow(QStringLiteral("Si&ze:"), cboSize);
  form->addRow(QStringLiteral("F&ormat:"), cboFormat);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdSave);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(labInfo);
  layout->addWidget(barProgress);
  layout->addLayout(buttons);
  setMinimumWidth(360);

  // A format this build cannot write stays listed, greyed, and says why.
  const bool gif = anim::FormatAvailable(anim::AnimationFormat::Gif);
  const bool mp4 = anim::FormatAvailable(anim::AnimationFormat::Mp4);
  if (!gif) cboFormat->setItemData(0, 0, Qt::UserRole - 1);
  if (!mp4) cboFormat->setItemData(1, 0, Qt::UserRole - 1);
  if (!gif && mp4) cboFormat->setCurrentIndex(1);
  cmdSave->setEnabled(gif || mp4);

  Ticker_ = new QTimer(this);
  Ticker_->setInterval(0);
  connect(Ticker_, &QTimer::timeout, this, [this] { NextFrame(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cboKind, &QComboBox::currentIndexChanged, this, [this] { Describe(); });
  connect(spnFrames, &QSpinBox::valueChanged, this, [this] { Describe(); });
  connect(cboFormat, &QComboBox::currentIndexChanged, this, [this] { Describe(); });
  Describe();
}

frmSaveAnimation::~frmSaveAnimation() = default;

bool frmSaveAnimation::Writing() const {
  return Writer_ != nullptr;
}

anim::AnimationFormat frmSaveAnimation::ChosenFormat() const {
  return cboFormat->currentIndex() == 1 ? anim::AnimationFormat::Mp4 : anim::AnimationFormat::Gif;
}

anim::AnimationKind frmSaveAnimation::ChosenKind() const {
  return cboKind->currentIndex() == 1 ? anim::AnimationKind::Sweep : anim::AnimationKind::Turn;
}

void frmSaveAnimation::Describe() {
  const anim::AnimationFormat format = ChosenFormat();
  if (!anim::FormatAvailable(format)) {
    labInfo->setText(QString::fromStdString(anim::FormatMissing(format)));
    cmdSave->setEnabled(false);
    return;
  }
  cmdSave->setEnabled(true);
  const int frames = spnFrames->value();
  const double seconds = frames * anim::FrameDelay(frames) / 100.0;
  const QString what = ChosenKind() == anim::AnimationKind::Turn
                           ? QStringLiteral("The 3D view turns once round")
                           : QStringLiteral("The slice moves from one side to the other");
  labInfo->setText(QStringLiteral("%1 in %2 seconds%3.")
                       .arg(what, QString::number(seconds, 'f', 1),
                            format == anim::AnimationFormat::Gif
                                ? QStringLiteral(", again and again")
                                : QString()));
}

void frmSaveAnimation::cmdSave_Click() {
  if (Writing() || Main_.OrbitalViews.empty()) return;
  const anim::AnimationKind kind = ChosenKind();
  anim::AnimationFormat format = ChosenFormat();
  const QString ext = format == anim::AnimationFormat::Gif ? QStringLiteral(".gif")
                                                           : QStringLiteral(".mp4");
  const QString filter = format == anim::AnimationFormat::Gif
                             ? QStringLiteral("Animated GIF (*.gif)")
                             : QStringLiteral("MP4 video (*.mp4)");
  const OrbitalView& view = Main_.OrbitalViews[static_cast<size_t>(Main_.CurrentOrbital)];
  const QString start = PictureFolder() + QLatin1Char('/') + DefaultFileName(view, 1) +
                        (kind == anim::AnimationKind::Turn ? QStringLiteral(", turn")
                                                           : QStringLiteral(", sweep")) +
                        ext;
  const std::optional<QString> name =
      AppServices().Files->SaveFileName(this, QStringLiteral("Save Animation..."), start, {filter});
  if (!name) return;
  // The name's own extension decides the format; a name without one gets it.
  QString path = *name;
  if (const auto byName = anim::FormatOfFile(path.toStdString())) {
    format = *byName;
    cboFormat->setCurrentIndex(format == anim::AnimationFormat::Mp4 ? 1 : 0);
  } else {
    path += ext;
  }
  Base_ = Main_.PictureRequest(kind == anim::AnimationKind::Sweep);
  Base_.Size = Main;
  const int size = cboSize->currentData().toInt();
  Base_.Pixels = static_cast<Integer>(size == Main ? 0 : size);
  Kind_ = kind;
  Frames_ = spnFrames->value();
  Next_ = 0;
  Target_ = path;
  try {
    Writer_ = anim::AnimationWriter::Open(format, path.toStdString(), anim::FrameDelay(Frames_));
  } catch (const anim::AnimationError& e) {
    MsgBox(this, QString::fromStdString(e.what()), kTitle, MsgIcon::Critical);
    return;
  }
  for (QWidget* w : std::initializer_list<QWidget*>{cboKind, spnFrames, cboSize, cboFormat, cmdSave})
    w->setEnabled(false);
  barProgress->setRange(0, Frames_);
  barProgress->setValue(0);
  barProgress->setVisible(true);
  labInfo->setText(QStringLiteral("Writing %1...").arg(QFileInfo(path).fileName()));
  Ticker_->start();
}

QImage frmSaveAnimation::Frame(int i) {
  const RenderRequest request = anim::FrameRequest(Base_, Kind_, i, Frames_);
  const RenderDCinfo dc = Main_.Engine.Orbitals().GetRender(Main_.CurrentOrbital, request);
  const Surface* s = LookupSurface(dc.MainHDC);
  if (!s) return {};
  QImage picture = QImage(reinterpret_cast<const uchar*>(s->Pixels.data()), s->Width, s->Rows - 1,
                          s->Width * 4, QImage::Format_RGB32)
                       .copy();
  // The scale bar (and a complex orbital's colour wheel) as the view shows
  // them; their lengths are laid out for the view's own size.
  const OrbitalView& view = Main_.OrbitalViews[static_cast<size_t>(Main_.CurrentOrbital)];
  if ((view.ShowScaleBar || view.Setup.Complex != kFalse) && picture.width() == Main) {
    OverlayChoice choice;
    choice.ScaleBar = view.ShowScaleBar;
    choice.ComplexPhase = view.Setup.Complex != kFalse;
    choice.MarkerRadius = 0;
    DrawOverlays(picture, request, view.AtomRadius, choice);
  }
  return picture;
}

void frmSaveAnimation::NextFrame() {
  if (!Writer_) return;
  QImage picture;
  if (!Main_.EngineGuard([&] { picture = Frame(Next_); }) || picture.isNull()) {
    StopWriting();
    return;
  }
  try {
    Writer_->Add({picture.constBits(), picture.width(), picture.height(),
                  static_cast<int>(picture.bytesPerLine())});
    barProgress->setValue(++Next_);
    if (Next_ < Frames_) return;
    Writer_->Finish();
  } catch (const anim::AnimationError& e) {
    StopWriting();
    MsgBox(this, QString::fromStdString(e.what()), kTitle, MsgIcon::Critical);
    return;
  }
  SavedFile = Target_;
  RememberPictureFolder(QFileInfo(Target_).absolutePath());
  StopWriting();
  accept();
}

void frmSaveAnimation::StopWriting() {
  Ticker_->stop();
  const bool wrote = Writer_ != nullptr;
  Writer_.reset();  // removes an unfinished file
  for (QWidget* w : std::initializer_list<QWidget*>{cboKind, spnFrames, cboSize, cboFormat})
    w->setEnabled(true);
  barProgress->setVisible(false);
  Describe();
  // Each frame replaced the orbital's picture (and its handle): the view
  // renders its own again, so that it can redraw from it.
  if (wrote && !Main_.OrbitalViews.empty()) {
    Main_.EngineGuard([&] {
      Main_.FrameUpdateBoth(false);
      const OrbitalView& view = Main_.OrbitalViews[static_cast<size_t>(Main_.CurrentOrbital)];
      if (frmMain::HasFinalImage(view.Mode) && !view.AutoRotating) Main_.FrameUpdate3D(true, true);
    });
  }
}

void frmSaveAnimation::cmdCancel_Click() {
  if (Writing()) {
    StopWriting();
  } else {
    reject();
  }
}

void frmSaveAnimation::reject() {
  // Escape while writing stops the animation; otherwise it closes the dialog.
  if (Writing()) {
    StopWriting();
    return;
  }
  QDialog::reject();
}

void frmSaveAnimation::closeEvent(QCloseEvent* event) {
  if (Writing()) StopWriting();
  QDialog::closeEvent(event);
}

}  // namespace wl
