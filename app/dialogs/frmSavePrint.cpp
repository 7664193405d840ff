#include "frmSavePrint.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "Axes.h"
#include "ImageFile.h"
#include "Line3D.h"
#include "NoFocusCont.h"
#include "PictureSizes.h"
#include "SavePrintTexts.h"
#include "SurfaceModel.h"
#include "Worksheet.h"
#include "core/Numeric.h"
#include "main/DarkLook.h"
#include "main/Fonts.h"
#include "main/frmMain.h"
#include "shell/Services.h"

namespace wl {

namespace {

// The two caption lines of the composite as bars in its small drawing.
const QRect kCaptionPlace(5, 7, 430, 7);
const QRect kViewsPlace(10, 22, 340, 6);

// A transparent area that acts as a button: a click on it selects the view
// under it.
class ClickArea : public QAbstractButton {
 public:
  using QAbstractButton::QAbstractButton;

 protected:
  void paintEvent(QPaintEvent*) override {}
  // The layout picture under it marks the area the pointer is over.
  void enterEvent(QEnterEvent* event) override {
    QAbstractButton::enterEvent(event);
    parentWidget()->update();
  }
  void leaveEvent(QEvent* event) override {
    QAbstractButton::leaveEvent(event);
    parentWidget()->update();
  }
};

// A small page in the shape of the composite: the caption lines, the main
// view, the axes and the nano view, with the parts of the chosen picture lit.
class LayoutPicture : public QWidget {
 public:
  explicit LayoutPicture(QWidget* parent) : QWidget(parent) {}

  int Mode = 3;
  std::array<QWidget*, 3> Areas{};  // over the axes, main and nano squares

  // A place in the composite mapped onto this picture.
  QRect Map(const QRect& place) const {
    const double sx = width() / double(kCompositeWidth), sy = height() / double(kCompositeHeight);
    return QRectF(place.x() * sx, place.y() * sy, place.width() * sx, place.height() * sy)
        .toAlignedRect()
        .intersected(rect());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(rect(), Qt::white);
    const QColor bar(200, 199, 204);
    const bool all = Mode == 3;
    p.fillRect(Map(kCaptionPlace), all ? kDarkAccent.darker(115) : bar);
    p.fillRect(Map(kViewsPlace), all ? kDarkAccent : bar);

    const QRect places[3] = {kCompositeAxes, kCompositeMain, kCompositeNano};
    const QString names[3] = {QStringLiteral("Axes"), QStringLiteral("Main view"),
                              QStringLiteral("Nano")};
    p.setFont(PixelFont(height() * 9.0 / 128));
    for (int i = 0; i < 3; ++i) {
      const QRect r = Map(places[i]);
      const bool lit = all || Mode == i;
      const bool hover =
          Areas[static_cast<size_t>(i)] && Areas[static_cast<size_t>(i)]->underMouse();
      QColor fill = lit ? kDarkAccent : QColor(128, 126, 134);
      if (hover) fill = fill.lighter(112);
      p.fillRect(r, fill);
      p.setPen(lit ? QColor(46, 45, 50) : Qt::white);
      p.drawText(r, Qt::AlignCenter, names[i]);
      if (hover) {
        p.setPen(QColor(46, 45, 50));
        p.drawRect(r.adjusted(0, 0, -1, -1));
      }
    }
    p.setPen(QColor(119, 117, 124));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

}  // namespace

frmSavePrint::frmSavePrint(frmMain& main)
    : QDialog(&main, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      Main_(main),
      picTemp_(kCompositeWidth, kCompositeHeight, QImage::Format_RGB32) {
  setObjectName(QStringLiteral("frmSavePrint"));
  setWindowModality(Qt::WindowModal);
  picTemp_.fill(Qt::white);

  const double scale = main.ScaleFactor > 0 ? main.ScaleFactor : 1.0;
  const auto S = [scale](int v) { return static_cast<int>(RoundHalfEven(v * scale)); };
  const auto Place = [&](QWidget* w, int x, int y, int width, int height) {
    w->setGeometry(S(x), S(y), S(width), S(height));
  };

  // The program's dark look; controls that do not apply to the chosen type
  // are greyed.
  setPalette(DarkPalette(palette()));
  setAutoFillBackground(true);
  setFont(PixelFont(11 * scale));

  // Flat buttons that light up like the program's menus.
  const QString buttonStyle = DarkButtonStyle(S(10));

  constexpr int kWidth = 492, kHeight = 300;
  setFixedSize(S(kWidth), S(kHeight));

  labInfo = new QLabel(QStringLiteral("Please select which type of image you want:"), this);
  labInfo->setObjectName(QStringLiteral("labInfo"));
  Place(labInfo, 14, 14, 300, 16);

  const QString modeNames[6] = {QStringLiteral("Axes view only"),
                                QStringLiteral("Main-view only"),
                                QStringLiteral("Nano-view only"),
                                QStringLiteral("Composite image of all views (recommended)"),
                                QStringLiteral("3D model of the surface"),
                                QStringLiteral("Worksheet (PDF) with the orbital's properties")};
  for (int i = 0; i < 6; ++i) {
    auto* option = new QRadioButton(modeNames[i], this);
    option->setObjectName(QStringLiteral("chkMode%1").arg(i));
    Place(option, 24, 50 + 26 * i, 290, 20);
    connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) SelectMode(i);
    });
    chkMode[static_cast<size_t>(i)] = option;
  }

  auto* picture = new LayoutPicture(this);
  View1 = picture;
  View1->setObjectName(QStringLiteral("View1"));
  Place(View1, 318, 40, 160, 128);
  View1->setAccessibleName(QStringLiteral("Layout of the composite image"));
  const QRect places[3] = {kCompositeAxes, kCompositeMain, kCompositeNano};
  for (int i = 0; i < 3; ++i) {
    auto* area = new ClickArea(View1);
    area->setObjectName(QStringLiteral("labModes%1").arg(i));
    area->setGeometry(picture->Map(places[i]));
    area->setFocusPolicy(Qt::NoFocus);
    area->setCursor(Qt::PointingHandCursor);
    area->setToolTip(modeNames[i]);
    area->setAccessibleName(modeNames[i]);
    connect(area, &QAbstractButton::clicked, this, [this, i] {
      QRadioButton* option = chkMode[static_cast<size_t>(i)];
      option->setChecked(true);
      option->setFocus();
      SelectMode(i);
    });
    labModes[static_cast<size_t>(i)] = area;
    picture->Areas[static_cast<size_t>(i)] = area;
  }

  // The worksheet's pictures, under its option.
  chkSheetViews = new QCheckBox(QStringLiteral("Both views"), this);
  chkSheetViews->setObjectName(QStringLiteral("chkSheetViews"));
  Place(chkSheetViews, 44, 204, 110, 20);
  chkSheetGraph = new QCheckBox(QStringLiteral("Radial graph"), this);
  chkSheetGraph->setObjectName(QStringLiteral("chkSheetGraph"));
  Place(chkSheetGraph, 160, 204, 120, 20);
  for (QCheckBox* box : {chkSheetViews, chkSheetGraph}) box->setChecked(true);

  // The size of the picture, under the layout drawing.
  labSizeTitle = new QLabel(QStringLiteral("Size:"), this);
  labSizeTitle->setObjectName(QStringLiteral("labSizeTitle"));
  Place(labSizeTitle, 318, 180, 40, 20);
  cboSize = new QComboBox(this);
  cboSize->setObjectName(QStringLiteral("cboSize"));
  for (const int size : PresetPictureSizes()) {
    cboSize->addItem(
        size == kScreenSize ? QStringLiteral("Screen size") : QStringLiteral("%1 pixels").arg(size),
        size);
  }
  cboSize->addItem(QStringLiteral("Custom"), -1);
  Place(cboSize, 358, 178, 120, 22);
  labSizeTitle->setBuddy(cboSize);
  spnSize = new QSpinBox(this);
  spnSize->setObjectName(QStringLiteral("spnSize"));
  spnSize->setRange(kSmallestPicture, kLargestPicture);
  spnSize->setValue(1600);
  spnSize->setSuffix(QStringLiteral(" pixels"));
  spnSize->setAccessibleName(QStringLiteral("Custom size"));
  Place(spnSize, 358, 204, 120, 22);
  labSize = new QLabel(this);
  labSize->setObjectName(QStringLiteral("labSize"));
  labSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Place(labSize, 300, 230, 178, 16);
  connect(cboSize, &QComboBox::currentIndexChanged, this, [this] { ShowSizeChoice(); });
  connect(spnSize, &QSpinBox::valueChanged, this, [this] { ShowSizeChoice(); });

  auto* line = new Line3D(this);
  line->setObjectName(QStringLiteral("Line3D1"));
  Place(line, 14, 254, kWidth - 28, 2);

  cmdGo = new QPushButton(QStringLiteral("Save"), this);
  cmdGo->setObjectName(QStringLiteral("cmdGo"));
  Place(cmdGo, kWidth - 14 - 84 - 10 - 84, 266, 84, 24);
  cmdGo->setDefault(true);
  cmdGo->setStyleSheet(buttonStyle);
  connect(cmdGo, &QPushButton::clicked, this, &frmSavePrint::cmdGo_Click);

  cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setStyleSheet(buttonStyle);
  Place(cmdCancel, kWidth - 14 - 84, 266, 84, 24);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  SetUpDialog(false);
}

void frmSavePrint::SetUpDialog(bool PrintDialog) {
  IsPrint = PrintDialog;
  chkMode[3]->setChecked(true);
  SelectMode(3);
  // A model is saved, never printed.
  chkMode[4]->setVisible(!PrintDialog);
  chkMode[5]->setToolTip(QStringLiteral(
      "One A4 page: the orbital's name, its views, its radial graph and the figures of its "
      "Orbital Properties"));
  chkMode[4]->setToolTip(
      QStringLiteral("The boundary surface as glTF, OBJ, STL or PLY, in Bohr radii"));
  cmdGo->setText(PrintDialog ? QStringLiteral("Print") : QStringLiteral("Save"));
  setWindowTitle(PrintDialog ? QStringLiteral("Print...") : QStringLiteral("Save..."));
  chkMode[3]->setFocus();
}

void frmSavePrint::SelectMode(int Index) {
  ImageMode = static_cast<Integer>(Index);
  static_cast<LayoutPicture*>(View1)->Mode = Index;
  View1->update();
  ShowSizeChoice();
}

int frmSavePrint::PictureSize() const {
  const int preset = cboSize->currentData().toInt();
  return preset < 0 ? spnSize->value() : preset;
}

void frmSavePrint::ShowSizeChoice() {
  // Models have no pixels; the worksheet draws its pictures at a size fit
  // for paper.
  const bool picture = ImageMode <= 3;
  for (QWidget* w : {static_cast<QWidget*>(labSizeTitle), static_cast<QWidget*>(cboSize)})
    w->setEnabled(picture);
  spnSize->setEnabled(picture && cboSize->currentData().toInt() < 0);
  for (QCheckBox* box : {chkSheetViews, chkSheetGraph}) box->setEnabled(ImageMode == 5);
  if (!picture) {
    labSize->clear();
    return;
  }
  const QSize size = PictureDimensions(Main_, ImageMode, PictureSize());
  labSize->setText(QStringLiteral("%1 \u00d7 %2 pixels").arg(size.width()).arg(size.height()));
}

void frmSavePrint::CreateComposite() {
  picTemp_ = ComposeImage(Main_);
}

QImage frmSavePrint::ChosenImage() {
  const int size = PictureSize();
  if (ImageMode == 3 && size == kScreenSize) {
    CreateComposite();
    return picTemp_;
  }
  QImage picture;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Main_.EngineGuard([&] { picture = PictureAtSize(Main_, ImageMode, size); });
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  return picture;
}

void frmSavePrint::cmdGo_Click() {
  hide();
  const std::optional<QString> error = IsPrint ? PrintImage() : SaveImage();
  if (error) {
    MsgBox(&Main_, QStringLiteral("Error: ") + *error, QStringLiteral("Error"), MsgIcon::Critical);
  }
  accept();
}

std::optional<QString> frmSavePrint::PrintImage() {
  // The picture as it is now, whatever happens in the views while the
  // printer dialog is open.
  QString error;
  DialogOutcome outcome;
  if (ImageMode == 5) {
    WorksheetContent content;
    WorksheetChoice choice;
    choice.Views = chkSheetViews->isChecked();
    choice.RadialGraph = chkSheetGraph->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool gathered = Main_.EngineGuard([&] { content = GatherWorksheet(Main_, choice); });
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (!gathered) return std::nullopt;  // the user has been told
    outcome = AppServices().Printer->Print(
        this, [&content](QPainter& p) { PaintWorksheet(p, content); }, error);
  } else {
    const QImage picture = ChosenImage();
    if (picture.isNull()) return std::nullopt;  // the engine failed and said so
    outcome = AppServices().Printer->Print(
        this, [&picture](QPainter& p) { p.drawImage(QPoint(0, 0), picture); }, error);
  }
  if (outcome != DialogOutcome::Failed) return std::nullopt;
  return error.isEmpty() ? QStringLiteral("The picture could not be printed") : error;
}

std::optional<QString> frmSavePrint::SaveModel() {
  static const OrbitalView kNoOrbital;
  const auto index = static_cast<size_t>(Main_.CurrentOrbital);
  const OrbitalView& view = Main_.CurrentOrbital >= 0 && index < Main_.OrbitalViews.size()
                                ? Main_.OrbitalViews[index]
                                : kNoOrbital;
  const QStringList filters = ModelFileFilters();
  const QString start =
      PictureFolder() + QLatin1Char('/') + DefaultFileName(view, 3) +
      QStringLiteral(", %1% surface.glb").arg(std::lround(view.EnclosedShare * 100));
  QString filter = filters.first();
  const std::optional<QString> name =
      AppServices().Files->SaveFileName(this, QStringLiteral("Save..."), start, filters, &filter);
  if (!name) return std::nullopt;
  const ModelTarget target = ResolveModelTarget(*name, filter);
  if (!target.Format) return target.Refusal;
  if (!MayReplace(&Main_, *name, target.Path)) return std::nullopt;
  SaveFileName = target.Path;
  std::optional<QString> error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool made = Main_.EngineGuard([&] {
    error = WriteSurfaceModel(Main_.Engine, Main_.CurrentOrbital, view.EnclosedShare, SaveFileName);
  });
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (made && !error) RememberPictureFolder(QFileInfo(SaveFileName).absolutePath());
  return error;
}

std::optional<QString> frmSavePrint::SaveImage() {
  if (ImageMode == 4) return SaveModel();
  if (ImageMode == 5) {
    WorksheetChoice choice;
    choice.Views = chkSheetViews->isChecked();
    choice.RadialGraph = chkSheetGraph->isChecked();
    return SaveWorksheet(Main_, this, QStringLiteral("Save..."), choice);
  }
  // The picture as it is now, whatever happens in the views while the file
  // dialog is open.
  const QImage picture = ChosenImage();
  if (picture.isNull()) return std::nullopt;  // the engine failed and said so
  static const OrbitalView kNoOrbital;
  const auto index = static_cast<size_t>(Main_.CurrentOrbital);
  const OrbitalView& view = Main_.CurrentOrbital >= 0 && index < Main_.OrbitalViews.size()
                                ? Main_.OrbitalViews[index]
                                : kNoOrbital;
  const QStringList filters = ImageFileFilters();
  const QString start = PictureFolder() + QLatin1Char('/') + DefaultFileName(view, ImageMode) +
                        QStringLiteral(".bmp");
  QString filter = filters.first();
  const std::optional<QString> name =
      AppServices().Files->SaveFileName(this, QStringLiteral("Save..."), start, filters, &filter);
  if (!name) return std::nullopt;
  const ImageTarget target = ResolveImageTarget(*name, filter);
  if (!target.Refusal.isEmpty()) return target.Refusal;
  if (!MayReplace(&Main_, *name, target.Path)) return std::nullopt;
  SaveFileName = target.Path;
  std::optional<QString> error = WriteImageFile(picture, SaveFileName);
  if (!error) RememberPictureFolder(QFileInfo(SaveFileName).absolutePath());
  return error;
}

}  // namespace wl
