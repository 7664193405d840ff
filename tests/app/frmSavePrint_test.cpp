// The save and print dialog, driven with real clicks: the texts and file
// names it proposes, the pictures it writes and prints, cancelling and
// failures.
#include "dialogs/frmSavePrint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cstring>

#include "AppTestSupport.h"
#include "Axes.h"
#include "NoFocusCont.h"
#include "core/Platform.h"
#include "core/modOrbitals.h"
#include "dialogs/ImageFile.h"
#include "dialogs/PictureSizes.h"
#include "dialogs/SavePrintTexts.h"
#include "dialogs/SurfaceModel.h"
#include "help/frmMenus.h"
#include "shell/QtServices.h"

using namespace wltest;

namespace {

wl::OrbitalView Orbital(std::u16string name, wl::Integer n, wl::Integer l, wl::Integer M,
                        wl::OrbitalType type, wl::ViewMode mode, float radius) {
  wl::OrbitalView v;
  v.Info.Name = std::move(name);
  v.Info.n = n;
  v.Info.l = l;
  v.Info.M = M;
  v.Info.OrbType = type;
  v.Info.DefaultPDFAtomRadius = 8;
  v.Info.DefaultDRPDFAtomRadius = 10;
  v.ViewMode = mode;
  v.AtomRadius = radius;
  return v;
}

QString Distance(wl::Integer transectNo, float radius) {
  wl::OrbitalView v;
  v.TransectNo = transectNo;
  v.AtomRadius = radius;
  return wl::TransectDistance(v);
}

TEST(SavePrintTexts, CaptionNamesOrbitalViewModeAndDefaultRadius) {
  const auto px = Orbital(u"2Px", 2, 1, 1, wl::SingleOrb, wl::PDF, 20);
  EXPECT_EQ(wl::OrbitalCaption(px),
            QStringLiteral("2Px (2,1,1) PDF, Atom Radius = 20 Bohr radii (default = 8)"));
  const auto py = Orbital(u"2Py", 2, 1, -1, wl::SingleOrb, wl::DRPDF, 0.1f);
  EXPECT_EQ(wl::OrbitalCaption(py),
            QStringLiteral("2Py (2,1,-1) DRPDF, Atom Radius = 0.1 Bohr radii (default = 10)"));
  auto d = Orbital(u"3D", 3, 2, 0, wl::AverageOrbs, wl::DRPDF, 12.5f);
  EXPECT_EQ(
      wl::OrbitalCaption(d),
      QStringLiteral("3D (3,2,all) Average DRPDF, Atom Radius = 12.5 Bohr radii (default = 10)"));
  d.ViewMode = wl::PDF;
  EXPECT_EQ(
      wl::OrbitalCaption(d),
      QStringLiteral("3D (3,2,all) Average PDF, Atom Radius = 12.5 Bohr radii (default = 8)"));
  // Names keep their superscripts.
  const auto z2 = Orbital(u"3Dz\u00b2", 3, 2, 0, wl::SingleOrb, wl::PDF, 18);
  EXPECT_TRUE(wl::OrbitalCaption(z2).startsWith(QString::fromUtf8("3Dz\u00b2 (3,2,0) PDF")));
}

TEST(SavePrintTexts, TransectDistanceHasOneDecimalTiesToEven) {
  EXPECT_EQ(Distance(0, 20), QStringLiteral("0"));
  EXPECT_EQ(Distance(127, 9), QStringLiteral("9"));
  EXPECT_EQ(Distance(-127, 4.5f), QStringLiteral("-4.5"));
  // At the end of the range the distance is the radius itself: exact ties.
  EXPECT_EQ(Distance(127, 1.25f), QStringLiteral("1.2"));
  EXPECT_EQ(Distance(127, 1.75f), QStringLiteral("1.8"));
  EXPECT_EQ(Distance(-127, 1.25f), QStringLiteral("-1.2"));
  EXPECT_EQ(Distance(-127, 0.25f), QStringLiteral("-0.2"));
  // 10.0787..., -4.5669..., -0.0039...
  EXPECT_EQ(Distance(64, 20), QStringLiteral("10.1"));
  EXPECT_EQ(Distance(-29, 20), QStringLiteral("-4.6"));
  EXPECT_EQ(Distance(-1, 0.5f), QStringLiteral("0"));
}

TEST(SavePrintTexts, ViewsLineFollowsTheSwap) {
  auto v = Orbital(u"2Px", 2, 1, 1, wl::SingleOrb, wl::PDF, 20);
  v.Mode = wl::Perspective;
  v.TransectDir = wl::AlongX;
  EXPECT_EQ(wl::ViewsLine(v), QStringLiteral("Main view: perspective, Small view: transect along "
                                             "X-axis (0 Bohr radii from nucleus)"));
  v.Swapped = 1;
  v.Mode = wl::Volumetric;
  v.TransectDir = wl::Alongz;
  v.TransectNo = -127;
  EXPECT_EQ(wl::ViewsLine(v), QStringLiteral("Main view: transect along Z-axis (-20 Bohr radii "
                                             "from nucleus), Small view: volumetric"));
  v.TransectDir = wl::Alongy;
  v.Mode = wl::Anaglyph;
  EXPECT_TRUE(wl::ViewsLine(v).startsWith(QStringLiteral("Main view: transect along Y-axis (")));
  EXPECT_TRUE(wl::ViewsLine(v).endsWith(QStringLiteral("Small view: anaglyph")));
  v.Mode = wl::Orthographic;
  EXPECT_TRUE(wl::ViewsLine(v).endsWith(QStringLiteral("Small view: orthographic")));
}

TEST(SavePrintTexts, FileNamesForEachPictureType) {
  auto v = Orbital(u"2Px", 2, 1, 1, wl::SingleOrb, wl::PDF, 20);
  v.TransectNo = 64;
  const QString of = QStringLiteral(" of 2Px (2,1,1) PDF, radius = 20");
  EXPECT_EQ(wl::DefaultFileName(v, 0), QStringLiteral("Axes for 2Px (2,1,1) PDF, radius = 20"));
  EXPECT_EQ(wl::DefaultFileName(v, 1), QStringLiteral("Main orthographic render") + of);
  EXPECT_EQ(wl::DefaultFileName(v, 2),
            QStringLiteral("Small transect along Y-axis (10.1 from nucleus)") + of);
  EXPECT_EQ(wl::DefaultFileName(v, 3), QStringLiteral("2Px (2,1,1) PDF, radius = 20"));
  v.Swapped = 1;
  v.Mode = wl::Anaglyph;
  EXPECT_EQ(wl::DefaultFileName(v, 1),
            QStringLiteral("Main transect along Y-axis (10.1 from nucleus)") + of);
  EXPECT_EQ(wl::DefaultFileName(v, 2), QStringLiteral("Small anaglyph render") + of);

  auto avg = Orbital(u"2P", 2, 1, 0, wl::AverageOrbs, wl::DRPDF, 10.5f);
  EXPECT_EQ(wl::DefaultFileName(avg, 3),
            QStringLiteral("2P (2,1,all) Average DRPDF, radius = 10.5"));
  avg.ViewMode = wl::PDF;
  EXPECT_EQ(wl::DefaultFileName(avg, 0),
            QStringLiteral("Axes for 2P (2,1,all) Average PDF, radius = 10.5"));
}

// What is in a folder, hidden files included.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The first bytes of a file.
QByteArray Header(const QString& path, int size = 4) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.read(size) : QByteArray();
}
const QByteArray kBmp("BM"), kPng("\x89PNG"), kJpeg("\xFF\xD8\xFF");

TEST(ImageFile, FormatFollowsTheExtensionAndFailuresLeaveNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage image(7, 5, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 30));
  image.setPixel(3, 2, qRgb(250, 5, 90));
  for (const char* name : {"a.bmp", "b.BMP"}) {
    const QString path = dir.filePath(QLatin1String(name));
    EXPECT_EQ(wl::WriteImageFile(image, path), std::nullopt) << name;
    EXPECT_TRUE(Header(path).startsWith(kBmp)) << name;
    EXPECT_EQ(QImage(path, "BMP").convertToFormat(QImage::Format_RGB32), image) << name;
  }
  for (const char* name : {"e.png", "f.Png"}) {
    const QString path = dir.filePath(QLatin1String(name));
    EXPECT_EQ(wl::WriteImageFile(image, path), std::nullopt) << name;
    EXPECT_EQ(Header(path), kPng) << name;
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), image) << name;
  }
  for (const char* name : {"g.jpg", "h.JPEG"}) {
    const QString path = dir.filePath(QLatin1String(name));
    EXPECT_EQ(wl::WriteImageFile(image, path), std::nullopt) << name;
    EXPECT_TRUE(Header(path).startsWith(kJpeg)) << name;
    const QImage back(path, "JPEG");
    ASSERT_EQ(back.size(), image.size()) << name;
    EXPECT_NEAR(qGreen(back.pixel(0, 0)), 200, 12) << name;  // lossy, but close
  }
  // Names that do not say which format are refused, and nothing is written.
  for (const char* name : {"c.txt", "d"}) {
    const QString path = dir.filePath(QLatin1String(name));
    const std::optional<QString> error = wl::WriteImageFile(image, path);
    ASSERT_TRUE(error) << name;
    EXPECT_TRUE(error->startsWith(QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path)))
        << error->toStdString();
    EXPECT_FALSE(QFileInfo::exists(path)) << name;
  }
  // Replacing a file works.
  image.fill(Qt::black);
  EXPECT_EQ(wl::WriteImageFile(image, dir.filePath("a.bmp")), std::nullopt);
  EXPECT_EQ(QImage(dir.filePath("a.bmp")).pixel(3, 2), qRgb(0, 0, 0));

  const QString missing = dir.filePath("no such folder/x.bmp");
  const std::optional<QString> error = wl::WriteImageFile(image, missing);
  ASSERT_TRUE(error);
  EXPECT_TRUE(error->startsWith(QStringLiteral("Cannot write ") +
                                QDir::toNativeSeparators(missing) + QStringLiteral(": ")))
      << error->toStdString();
  EXPECT_GT(error->size(), QStringLiteral("Cannot write : ").size() + missing.size());
  EXPECT_EQ(Entries(dir.path()).size(), 6);
}

TEST(ImageFile, ChosenFilterAddsItsExtensionAndAKnownExtensionWins) {
  const QString bmp = QStringLiteral("Bitmap images (*.bmp)"),
                png = QStringLiteral("PNG images (*.png)"),
                jpeg = QStringLiteral("JPEG images (*.jpg *.jpeg)");
  EXPECT_EQ(wl::ImageFileFilters(), (QStringList{bmp, png, jpeg}));
  struct Case {
    const char *name, *filter, *path, *format;
  };
  const Case cases[] = {
      {"/p/pic", "PNG images (*.png)", "/p/pic.png", "PNG"},
      {"/p/pic", "JPEG images (*.jpg *.jpeg)", "/p/pic.jpg", "JPEG"},
      {"/p/pic", "Bitmap images (*.bmp)", "/p/pic.bmp", "BMP"},
      {"/p/pic", "", "/p/pic.bmp", "BMP"},  // no filter reported: the default
      {"/p/pic.", "PNG images (*.png)", "/p/pic.png", "PNG"},
      {"/p/pic.jpg", "PNG images (*.png)", "/p/pic.jpg", "JPEG"},
      {"/p/pic.JPEG", "Bitmap images (*.bmp)", "/p/pic.JPEG", "JPEG"},
      {"/p/pic.Png", "Bitmap images (*.bmp)", "/p/pic.Png", "PNG"},
      {"/p/pic.bmp", "JPEG images (*.jpg *.jpeg)", "/p/pic.bmp", "BMP"},
      // Dots that start no extension: a radius, a distance, a folder's name.
      {"/p/2P (2,1,all) Average PDF, radius = 10.5", "PNG images (*.png)",
       "/p/2P (2,1,all) Average PDF, radius = 10.5.png", "PNG"},
      {"/p/Small transect along Y-axis (10.1 from nucleus) of 2Px", "JPEG images (*.jpg *.jpeg)",
       "/p/Small transect along Y-axis (10.1 from nucleus) of 2Px.jpg", "JPEG"},
      {"/p.png/pic", "Bitmap images (*.bmp)", "/p.png/pic.bmp", "BMP"},
  };
  for (const Case& c : cases) {
    const wl::ImageTarget t =
        wl::ResolveImageTarget(QString::fromUtf8(c.name), QString::fromUtf8(c.filter));
    EXPECT_EQ(t.Path, QString::fromUtf8(c.path)) << c.name << " / " << c.filter;
    EXPECT_EQ(t.Format, QByteArray(c.format)) << c.name << " / " << c.filter;
    EXPECT_TRUE(t.Refusal.isEmpty()) << c.name;
  }
  for (const char* name : {"/p/pic.txt", "/p/pic.gif", "/p/pic.v2"}) {
    const wl::ImageTarget t = wl::ResolveImageTarget(QString::fromUtf8(name), png);
    EXPECT_TRUE(t.Format.isEmpty()) << name;
    const QString extension = QFileInfo(QString::fromUtf8(name)).suffix();
    EXPECT_TRUE(t.Refusal.contains(QLatin1Char('.') + extension)) << t.Refusal.toStdString();
    for (const char* works : {".bmp", ".png", ".jpg", ".jpeg"}) {
      EXPECT_TRUE(t.Refusal.contains(QLatin1String(works))) << works;
    }
  }
}

// The Qt file dialog, used the way a user does: another file type picked in
// its list, a name typed without an extension, Enter.
TEST(QtFileDialog, ReportsThePickedFileTypeAndAddsItsExtension) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  wl::QtFileDialogService service;
  bool driven = false;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(d);
    auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(types && name);
    EXPECT_EQ(types->currentText(), QStringLiteral("Bitmap images (*.bmp)"));
    EXPECT_EQ(name->text(), QStringLiteral("proposed.bmp"));
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);  // to "PNG images (*.png)"
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("typed"));
    QTest::keyClick(name, Qt::Key_Return);
    driven = true;
  });
  QString filter;
  const std::optional<QString> picked =
      service.SaveFileName(nullptr, QStringLiteral("Save..."), dir.filePath("proposed.bmp"),
                           wl::ImageFileFilters(), &filter);
  ASSERT_TRUE(driven);
  ASSERT_TRUE(picked);
  EXPECT_EQ(QDir::cleanPath(*picked), QDir::cleanPath(dir.filePath("typed.png")));
  EXPECT_EQ(filter, QStringLiteral("PNG images (*.png)"));
}

class SavePrint : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(5);
    w = &Started();
    ASSERT_TRUE(w->Calculate(2, 20, 50, 0));  // 2Px, PDF
    ASSERT_TRUE(dir.isValid());
  }
  wl::OrbitalView& R() { return w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)]; }

  // Opens the dialog the way the main window does.
  wl::frmSavePrint* Open(bool print) {
    auto* d = new wl::frmSavePrint(*w);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->SetUpDialog(print);
    d->open();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(d));
    return d;
  }
  static void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QApplication::processEvents();
  }
  // An option button takes clicks on its circle and its text only.
  static void Click(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QApplication::processEvents();
  }
  // Runs the dialog for one picture type (chosen with its option button)
  // and checks that it is closed and gone afterwards.
  void Run(bool print, int mode) {
    QPointer<wl::frmSavePrint> d = Open(print);
    Click(d->chkMode[static_cast<size_t>(mode)]);
    ASSERT_EQ(d->ImageMode, mode);
    Click(d->cmdGo);
    ExpectGone(d);
  }
  static void ExpectGone(QPointer<wl::frmSavePrint>& d) {
    for (int i = 0; i < 50 && d; ++i) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QApplication::processEvents();
    }
    EXPECT_TRUE(d.isNull());
  }
  static QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

  wl::frmMain* w = nullptr;
  QTemporaryDir dir;
};

TEST_F(SavePrint, OpensWithTheCompositeChosenAndModesFollowClicks) {
  QPointer<wl::frmSavePrint> d = Open(false);
  EXPECT_EQ(d->parentWidget(), w);
  EXPECT_EQ(d->windowModality(), Qt::WindowModal);
  EXPECT_EQ(d->windowTitle(), QStringLiteral("Save..."));
  EXPECT_EQ(d->cmdGo->text(), QStringLiteral("Save"));
  EXPECT_FALSE(d->IsPrint);
  EXPECT_EQ(d->ImageMode, 3);
  EXPECT_TRUE(d->chkMode[3]->isChecked());

  Click(d->chkMode[1]);
  EXPECT_EQ(d->ImageMode, 1);
  // The areas of the layout picture: axes, main view, nano view.
  for (int i : {0, 2, 1}) {
    Click(d->labModes[static_cast<size_t>(i)]);
    EXPECT_EQ(d->ImageMode, i);
    EXPECT_TRUE(d->chkMode[static_cast<size_t>(i)]->isChecked());
    EXPECT_TRUE(d->chkMode[static_cast<size_t>(i)]->hasFocus());
  }
  // They lie on the picture, apart from each other, the main view's the biggest.
  const QRect areas[3] = {d->labModes[0]->geometry(), d->labModes[1]->geometry(),
                          d->labModes[2]->geometry()};
  for (const QRect& r : areas) EXPECT_TRUE(d->View1->rect().contains(r));
  EXPECT_FALSE(areas[0].intersects(areas[1]) || areas[0].intersects(areas[2]) ||
               areas[1].intersects(areas[2]));
  EXPECT_GT(areas[1].width(), 2 * areas[0].width());
  EXPECT_LT(areas[0].bottom(), areas[2].top());  // the axes above the nano view

  // Set up again, now for printing: the composite is chosen again.
  d->SetUpDialog(true);
  EXPECT_EQ(d->windowTitle(), QStringLiteral("Print..."));
  EXPECT_EQ(d->cmdGo->text(), QStringLiteral("Print"));
  EXPECT_TRUE(d->IsPrint);
  EXPECT_EQ(d->ImageMode, 3);
  EXPECT_TRUE(d->chkMode[3]->isChecked());

  Click(d->cmdCancel);
  ExpectGone(d);
  EXPECT_TRUE(files->asked.empty());
  EXPECT_EQ(printer->dialogs, 0);
  EXPECT_TRUE(messages->asked.empty());
}

TEST_F(SavePrint, WindowGrowsWithTheScaleFactor) {
  QPointer<wl::frmSavePrint> normal = Open(false);
  const QSize size = normal->size();
  const QRect go = normal->cmdGo->geometry();
  normal->close();
  w->ScaleFactor = 1.5;
  QPointer<wl::frmSavePrint> big = Open(false);
  EXPECT_NEAR(big->width(), size.width() * 1.5, 1);
  EXPECT_NEAR(big->height(), size.height() * 1.5, 1);
  EXPECT_NEAR(big->cmdGo->x(), go.x() * 1.5, 1);
  EXPECT_NEAR(big->cmdGo->height(), go.height() * 1.5, 1);
  big->close();
}

TEST_F(SavePrint, CaptionOfTheCalculatedOrbital) {
  EXPECT_EQ(wl::OrbitalCaption(R()),
            QStringLiteral("2Px (2,1,1) PDF, Atom Radius = 20 Bohr radii (default = 8)"));
}

TEST_F(SavePrint, SavedCompositeHoldsTheViewsAndTheCaptions) {
  const QString path = dir.filePath("composite.bmp");
  files->answer = path;
  const QString startFolder = wl::PictureFolder();
  Run(false, 3);

  ASSERT_EQ(files->asked.size(), 1u);
  const AskedFile& asked = files->asked[0];
  EXPECT_EQ(asked.caption, QStringLiteral("Save..."));
  EXPECT_EQ(asked.startPath, startFolder + QStringLiteral("/2Px (2,1,1) PDF, radius = 20.bmp"));
  EXPECT_EQ(asked.filters, (QStringList{QStringLiteral("Bitmap images (*.bmp)"),
                                        QStringLiteral("PNG images (*.png)"),
                                        QStringLiteral("JPEG images (*.jpg *.jpeg)")}));
  EXPECT_TRUE(messages->asked.empty());

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(2), QByteArray("BM"));
  const QImage saved = Rgb(QImage(path));
  ASSERT_EQ(saved.size(), QSize(530, 425));
  EXPECT_EQ(saved.copy(10, 40, 375, 375), Rgb(w->eeMainView->Image()));
  EXPECT_EQ(saved.copy(393, 244, 128, 128), Rgb(w->eeNanoView->Image()));
  EXPECT_EQ(saved.copy(393, 84, 127, 127), Rgb(w->eeAxes->Image()));
  // The views are not blank, so the comparisons above say something.
  auto varied = [](const QImage& image) {
    QImage plain(image.size(), image.format());
    plain.fill(image.pixel(0, 0));
    return image != plain;
  };
  EXPECT_TRUE(varied(saved.copy(10, 40, 375, 375)));
  EXPECT_TRUE(varied(saved.copy(393, 244, 128, 128)));
  EXPECT_TRUE(varied(saved.copy(393, 84, 127, 127)));

  // Black captions on white: the bold line from (5, 5), the other from (10, 20).
  auto firstInk = [&](int top, int bottom) {
    for (int x = 0; x < saved.width(); ++x) {
      for (int y = top; y < bottom; ++y) {
        if (qGray(saved.pixel(x, y)) < 128) return x;
      }
    }
    return -1;
  };
  EXPECT_EQ(firstInk(0, 5), -1);
  const int captionStart = firstInk(5, 18), viewsStart = firstInk(20, 34);
  EXPECT_GE(captionStart, 5);
  EXPECT_LE(captionStart, 7);
  EXPECT_GE(viewsStart, 10);
  EXPECT_LE(viewsStart, 12);
  EXPECT_EQ(firstInk(34, 40), -1);
  EXPECT_EQ(saved.pixel(2, 420), qRgb(255, 255, 255));
  EXPECT_EQ(saved.pixel(450, 230), qRgb(255, 255, 255));
  // The same composite as the dialog made and the main window copies.
  EXPECT_EQ(saved, Rgb(wl::ComposeImage(*w)));
}

TEST_F(SavePrint, SingleViewsSavedByTheirOwnNameAndExtension) {
  struct Case {
    int mode;
    const char* file;
    QImage (*picture)(wl::frmMain&);
    const char* proposed;
  };
  const Case cases[] = {
      {0, "axes.bmp", [](wl::frmMain& m) { return m.eeAxes->Image(); },
       "Axes for 2Px (2,1,1) PDF, radius = 20.bmp"},
      {1, "main.PNG", [](wl::frmMain& m) { return m.eeMainView->Image(); },
       "Main orthographic render of 2Px (2,1,1) PDF, radius = 20.bmp"},
      {2, "nano.png", [](wl::frmMain& m) { return m.eeNanoView->Image(); },
       "Small transect along Y-axis (0 from nucleus) of 2Px (2,1,1) PDF, radius = 20.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    files->asked.clear();
    const QString path = dir.filePath(QLatin1String(c.file));
    files->answer = path;
    Run(false, c.mode);
    ASSERT_EQ(files->asked.size(), 1u);
    EXPECT_TRUE(files->asked[0].startPath.endsWith(QLatin1Char('/') + QLatin1String(c.proposed)))
        << files->asked[0].startPath.toStdString();
    const QString format = QFileInfo(path).suffix().toLower();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), format == QLatin1String("png") ? QByteArray("\x89P") : "BM");
    EXPECT_EQ(Rgb(QImage(path)), Rgb(c.picture(*w)));
  }
  EXPECT_TRUE(messages->asked.empty());

  // With the views swapped the main view shows the transect.
  R().Swapped = 1;
  files->asked.clear();
  files->answer = std::nullopt;
  Run(false, 1);
  ASSERT_EQ(files->asked.size(), 1u);
  EXPECT_TRUE(QFileInfo(files->asked[0].startPath)
                  .fileName()
                  .startsWith(QStringLiteral("Main transect along Y-axis (0 from nucleus) of")));
}

TEST_F(SavePrint, CancelledFileDialogWritesAndSaysNothing) {
  files->answer = std::nullopt;
  Run(false, 3);
  EXPECT_EQ(files->asked.size(), 1u);
  EXPECT_TRUE(messages->asked.empty());
  EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

TEST_F(SavePrint, FailedWriteIsReportedOnceAndLeavesNoFile) {
  const QString folder = dir.filePath("locked");
  ASSERT_TRUE(QDir().mkdir(folder));
  ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                QFileDevice::ReadOther | QFileDevice::ExeOther));
  QString path = folder + QStringLiteral("/picture.bmp");
  {
    // The superuser writes into read-only folders; then the parent given is
    // a plain file instead.
    QFile probe(folder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
      probe.close();
      probe.remove();
      QFile plain(folder + QStringLiteral("/plain"));
      ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
      path = plain.fileName() + QStringLiteral("/picture.bmp");
    }
  }
  const QStringList before = Entries(folder);
  files->answer = path;
  Run(false, 3);

  ASSERT_EQ(messages->asked.size(), 1u);
  const AskedBox& box = messages->asked[0];
  EXPECT_TRUE(
      box.text.startsWith(QStringLiteral("Error: Cannot write ") + QDir::toNativeSeparators(path)))
      << box.text.toStdString();
  EXPECT_EQ(box.title, QStringLiteral("Error"));
  EXPECT_EQ(box.icon, wl::MsgIcon::Critical);
  EXPECT_EQ(box.buttons, wl::MsgButtons::OK);
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_EQ(Entries(folder), before);
  QFile::setPermissions(folder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Saving onto a full disk: WL_FULL_DISK_DIR names a tiny file system (the
// app_save_full_disk entry mounts one of 64 KiB in a private namespace). The
// error is reported, the earlier picture under the chosen name is kept whole
// and no partly written file is left beside it.
TEST_F(SavePrint, FullDiskIsReportedAndKeepsTheEarlierFile) {
  const QByteArray folder = qgetenv("WL_FULL_DISK_DIR");
  if (folder.isEmpty()) GTEST_SKIP() << "needs a small file system (run by app_save_full_disk)";
  const QString path = QString::fromLocal8Bit(folder) + QStringLiteral("/picture.bmp");
  QFile earlier(path);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  const QByteArray earlierBytes(4000, 'e');
  ASSERT_EQ(earlier.write(earlierBytes), earlierBytes.size());
  earlier.close();
  const QStringList before = Entries(QString::fromLocal8Bit(folder));

  files->answer = path;
  Run(false, 3);  // the composite needs far more than the space left

  ASSERT_EQ(messages->asked.size(), 1u);
  const QString text = messages->asked[0].text;
  EXPECT_TRUE(text.startsWith(QStringLiteral("Error: Cannot write ") + path)) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("space"), Qt::CaseInsensitive)) << text.toStdString();
  QFile kept(path);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), earlierBytes);
  EXPECT_EQ(Entries(QString::fromLocal8Bit(folder)), before);

  // With the disk filled to the last byte, even a picture of a few bytes is
  // refused instead of being left as an empty file.
  QFile filler(QString::fromLocal8Bit(folder) + QStringLiteral("/filler"));
  ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
  const QByteArray block(4096, 'f');
  while (filler.write(block) == block.size()) {
  }
  while (filler.write("f", 1) == 1) {
  }
  filler.close();
  const QString small = QString::fromLocal8Bit(folder) + QStringLiteral("/small.bmp");
  QImage tiny(2, 2, QImage::Format_RGB32);
  tiny.fill(Qt::white);
  const std::optional<QString> error = wl::WriteImageFile(tiny, small);
  ASSERT_TRUE(error);
  EXPECT_TRUE(error->contains(QStringLiteral("space"), Qt::CaseInsensitive))
      << error->toStdString();
  EXPECT_FALSE(QFileInfo::exists(small));
}

TEST_F(SavePrint, ChosenFileTypeDecidesTheFormatAndAddsItsExtension) {
  struct Case {
    const char *typed, *filter, *written;
    QByteArray header;
  };
  const Case cases[] = {
      {"plain", "PNG images (*.png)", "plain.png", kPng},
      {"photo", "JPEG images (*.jpg *.jpeg)", "photo.jpg", kJpeg},
      {"bitmap", "Bitmap images (*.bmp)", "bitmap.bmp", kBmp},
      {"named.jpg", "Bitmap images (*.bmp)", "named.jpg", kJpeg},
      {"named.jpeg", "PNG images (*.png)", "named.jpeg", kJpeg},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    files->answer = dir.filePath(QLatin1String(c.typed));
    files->filter = QString::fromLatin1(c.filter);
    Run(false, 1);
    const QString written = dir.filePath(QLatin1String(c.written));
    EXPECT_TRUE(Header(written).startsWith(c.header)) << Header(written).toHex().toStdString();
    const QImage back(written);
    ASSERT_EQ(back.size(), w->eeMainView->Image().size());
  }
  // Only the named files: no picture under the name as typed.
  EXPECT_EQ(Entries(dir.path()),
            (QStringList{"bitmap.bmp", "named.jpeg", "named.jpg", "photo.jpg", "plain.png"}));
  // The lossless formats hold the very pixels.
  EXPECT_EQ(Rgb(QImage(dir.filePath("plain.png"))), Rgb(w->eeMainView->Image()));
  EXPECT_TRUE(messages->asked.empty());
}

TEST_F(SavePrint, UnknownExtensionIsRefusedAndNothingWritten) {
  files->answer = dir.filePath("picture.txt");
  files->filter = QStringLiteral("PNG images (*.png)");
  Run(false, 3);
  ASSERT_EQ(messages->asked.size(), 1u);
  const AskedBox& box = messages->asked[0];
  EXPECT_TRUE(box.text.contains(QStringLiteral(".txt"))) << box.text.toStdString();
  for (const char* works : {".bmp", ".png", ".jpg", ".jpeg"}) {
    EXPECT_TRUE(box.text.contains(QLatin1String(works))) << works;
  }
  EXPECT_EQ(box.icon, wl::MsgIcon::Critical);
  EXPECT_EQ(box.buttons, wl::MsgButtons::OK);
  EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

TEST_F(SavePrint, AddedExtensionAsksBeforeReplacingAnotherFile) {
  const QString existing = dir.filePath("kept.png");
  QFile earlier(existing);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  earlier.write("earlier");
  earlier.close();
  files->answer = dir.filePath("kept");
  files->filter = QStringLiteral("PNG images (*.png)");
  messages->answers = {wl::MsgAnswer::No};
  Run(false, 0);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].buttons, wl::MsgButtons::YesNo);
  EXPECT_TRUE(messages->asked[0].text.contains(QDir::toNativeSeparators(existing)));
  EXPECT_EQ(Header(existing, 7), QByteArray("earlier"));

  messages->answers = {wl::MsgAnswer::Yes};
  Run(false, 0);
  EXPECT_EQ(messages->asked.size(), 2u);
  EXPECT_EQ(Rgb(QImage(existing)), Rgb(w->eeAxes->Image()));
  EXPECT_EQ(Entries(dir.path()), QStringList{"kept.png"});
}

// HOME and the user's folder settings for one test, put back afterwards.
class FakeHome {
 public:
  FakeHome() : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("HOME", dir_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir_.filePath(".config").toLocal8Bit());
  }
  ~FakeHome() {
    qputenv("HOME", home_);
    if (config_.isEmpty()) {
      qunsetenv("XDG_CONFIG_HOME");
    } else {
      qputenv("XDG_CONFIG_HOME", config_);
    }
  }
  QString Make(const char* name) const {
    QDir(dir_.path()).mkpath(QLatin1String(name));
    return QDir::cleanPath(dir_.filePath(QLatin1String(name)));
  }
  QString Path() const { return QDir::cleanPath(dir_.path()); }

 private:
  QTemporaryDir dir_;
  QByteArray home_, config_;
};

TEST_F(SavePrint, StartsInTheLastFolderElsePicturesDocumentsOrHome) {
  FakeHome home;
  const auto startFolder = [this] {
    files->asked.clear();
    files->answer = std::nullopt;
    Run(false, 3);
    return files->asked.empty() ? QString() : QFileInfo(files->asked[0].startPath).path();
  };
  // Nothing remembered, no pictures or documents folder: home, never the
  // program's own folder.
  EXPECT_EQ(startFolder(), home.Path());
  EXPECT_NE(startFolder(), QCoreApplication::applicationDirPath());
  const QString documents = home.Make("Documents");
  EXPECT_EQ(startFolder(), documents);
  const QString pictures = home.Make("Pictures");
  EXPECT_EQ(startFolder(), pictures);

  // A picture saved elsewhere: that folder next time, and in the next run
  // too (a fresh settings object of the program reads it back).
  const QString elsewhere = home.Make("work/orbitals");
  files->answer = elsewhere + QStringLiteral("/first.png");
  Run(false, 3);
  ASSERT_TRUE(QFileInfo::exists(elsewhere + QStringLiteral("/first.png")));
  EXPECT_EQ(startFolder(), elsewhere);
  const QSettings stored(QStringLiteral("Wavelore"), QStringLiteral("Wavelore"));
  EXPECT_EQ(QDir::cleanPath(stored.value(QStringLiteral("Save/PictureFolder")).toString()),
            elsewhere);
  EXPECT_TRUE(stored.fileName().startsWith(QDir::tempPath()));  // the test's own settings
  // Cancelling or failing remembers nothing.
  files->answer = dir.filePath("no such folder/x.png");
  Run(false, 3);
  EXPECT_EQ(startFolder(), elsewhere);
  // The remembered folder is gone: pictures again.
  ASSERT_TRUE(QDir(elsewhere).removeRecursively());
  EXPECT_EQ(startFolder(), pictures);
}

TEST_F(SavePrint, PrintedPageHoldsThePictureAtItsOwnSize) {
  struct Case {
    int mode;
    QImage picture;
  };
  R().Swapped = 1;  // any state of the views will do
  w->RefreshViewerButtons();
  const Case cases[] = {{0, w->eeAxes->Image()},
                        {1, w->eeMainView->Image()},
                        {2, w->eeNanoView->Image()},
                        {3, wl::ComposeImage(*w)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    printer->page = QImage();
    Run(true, c.mode);
    ASSERT_FALSE(printer->page.isNull());
    const QSize size = c.picture.size();
    EXPECT_EQ(printer->page.copy(QRect(QPoint(0, 0), size)), Rgb(c.picture));
    // Unscaled: white just beyond it.
    EXPECT_EQ(printer->page.pixel(size.width(), 0), qRgb(255, 255, 255));
    EXPECT_EQ(printer->page.pixel(0, size.height()), qRgb(255, 255, 255));
  }
  EXPECT_EQ(printer->dialogs, 4);
  EXPECT_TRUE(files->asked.empty());
  EXPECT_TRUE(messages->asked.empty());
}

TEST_F(SavePrint, CancelledPrintSaysNothingAndFailedPrintIsReported) {
  printer->outcome = wl::DialogOutcome::Cancelled;
  Run(true, 1);
  EXPECT_EQ(printer->dialogs, 1);
  EXPECT_TRUE(printer->page.isNull());
  EXPECT_TRUE(messages->asked.empty());

  printer->outcome = wl::DialogOutcome::Failed;
  Run(true, 3);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].text, QStringLiteral("Error: paper jam"));
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Error"));
  EXPECT_EQ(messages->asked[0].icon, wl::MsgIcon::Critical);
  EXPECT_TRUE(files->asked.empty());
}

// The 3D model's name: its extension decides the format, else the file type
// picked does; names of other files are refused with the ones that work.
TEST(SurfaceModelFile, NameAndTypeDecideTheFormat) {
  const QStringList filters = wl::ModelFileFilters();
  ASSERT_EQ(filters.size(), 4);
  EXPECT_TRUE(filters[0].endsWith(QStringLiteral("(*.glb)")));  // the default
  wl::ModelTarget t = wl::ResolveModelTarget(QStringLiteral("/m/cloud"), filters[2]);
  EXPECT_EQ(t.Path, QStringLiteral("/m/cloud.stl"));
  EXPECT_EQ(t.Format, wl::MeshFormat::Stl);
  t = wl::ResolveModelTarget(QStringLiteral("/m/lobes.OBJ"), filters[0]);
  EXPECT_EQ(t.Path, QStringLiteral("/m/lobes.OBJ"));
  EXPECT_EQ(t.Format, wl::MeshFormat::Obj);
  t = wl::ResolveModelTarget(QStringLiteral("/m/radius = 10.5"), QStringLiteral("other"));
  EXPECT_EQ(t.Path, QStringLiteral("/m/radius = 10.5.glb"));
  EXPECT_EQ(t.Format, wl::MeshFormat::Glb);
  t = wl::ResolveModelTarget(QStringLiteral("/m/picture.png"), filters[3]);
  EXPECT_FALSE(t.Format);
  for (const char* works : {".png", ".glb", ".obj", ".stl", ".ply"})
    EXPECT_TRUE(t.Refusal.contains(QLatin1String(works))) << works;
}

// A glTF binary read back: its header, its JSON chunk naming the two phases'
// materials, and a length that matches the file.
TEST_F(SavePrint, SurfaceModelIsSavedAsTheChosenFile) {
  QPointer<wl::frmSavePrint> d = Open(true);
  EXPECT_FALSE(d->chkMode[4]->isVisible());  // a model is not printed
  d->SetUpDialog(false);
  EXPECT_TRUE(d->chkMode[4]->isVisible());
  EXPECT_EQ(d->chkMode[4]->text(), QStringLiteral("3D model of the surface"));
  EXPECT_TRUE(d->chkMode[4]->isEnabled());
  d->close();
  ExpectGone(d);

  R().EnclosedShare = 0.75;
  files->answer = dir.filePath("model");
  files->filter = wl::ModelFileFilters()[0];
  Run(false, 4);
  ASSERT_EQ(files->asked.size(), 1u);
  EXPECT_EQ(files->asked[0].filters, wl::ModelFileFilters());
  EXPECT_TRUE(files->asked[0].startPath.endsWith(QStringLiteral(", 75% surface.glb")))
      << files->asked[0].startPath.toStdString();
  EXPECT_TRUE(messages->asked.empty());
  QFile glb(dir.filePath("model.glb"));
  ASSERT_TRUE(glb.open(QIODevice::ReadOnly));
  const QByteArray bytes = glb.readAll();
  ASSERT_GE(bytes.size(), 28);
  const auto word = [&bytes](int at) {
    quint32 v = 0;
    std::memcpy(&v, bytes.constData() + at, 4);
    return v;
  };
  EXPECT_EQ(bytes.left(4), QByteArray("glTF"));
  EXPECT_EQ(word(4), 2u);
  EXPECT_EQ(word(8), static_cast<quint32>(bytes.size()));
  EXPECT_EQ(word(16), 0x4E4F534Au);  // "JSON"
  const QByteArray json = bytes.mid(20, static_cast<int>(word(12)));
  EXPECT_TRUE(json.contains("\"asset\"")) << json.left(200).toStdString();

  // OBJ by its extension, whatever the type picked: 2Px has two phases
  // where the engine knows the sign of ψ.
  files->answer = dir.filePath("lobes.obj");
  Run(false, 4);
  QFile obj(dir.filePath("lobes.obj"));
  ASSERT_TRUE(obj.open(QIODevice::ReadOnly));
  const QByteArray text = obj.readAll();
  if (std::isfinite(wl::modOrbitals::CreateElectron(2)->GetPsi({1, 0, 0}))) {
    EXPECT_TRUE(text.contains("g positive") && text.contains("g negative"));
  } else {
    EXPECT_TRUE(text.contains("g surface"));
  }
  EXPECT_EQ(Entries(dir.path()), (QStringList{"lobes.obj", "model.glb"}));
}

// ---------------------------------------------------------------------------
// Pictures of any size and the worksheet.

// The output of a poppler tool run on `file`; none when the tool is missing.
std::optional<QString> Poppler(const char* tool, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
  if (program.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The widths of the pictures embedded in a PDF, as pdfimages lists them;
// -1 for a picture stored as JPEG, which loses pixels.
std::vector<int> PdfImageWidths(const QString& path) {
  std::vector<int> widths;
  const std::optional<QString> list = Poppler("pdfimages", {QStringLiteral("-list"), path});
  if (!list) return widths;
  // "page num type width height color ..." after two header lines.
  for (const QString& line : list->split(QLatin1Char('\n')).mid(2)) {
    const QStringList cells = line.simplified().split(QLatin1Char(' '));
    if (cells.size() > 8 && cells[2] == QLatin1String("image"))
      widths.push_back(cells[8] == QLatin1String("jpeg") ? -1 : cells[3].toInt());
  }
  return widths;
}

// The rows of a picture that hold dark ink within columns [0, right).
int InkRows(const QImage& image, int top, int bottom, int right) {
  int rows = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < right; ++x) {
      if (qGray(image.pixel(x, y)) < 128) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

TEST_F(SavePrint, ChosenSizeIsWrittenAndTheViewStaysAsItWas) {
  // The engine's picture alone: the scale bar's letters may be smoothed a
  // little differently once the font has been drawn large.
  w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)].ShowScaleBar = false;
  w->RefreshOverlays();
  const QImage shown = w->eeMainView->Image();
  QPointer<wl::frmSavePrint> d = Open(false);
  Click(d->chkMode[1]);
  EXPECT_EQ(d->labSize->text(), QStringLiteral("375 \u00d7 375 pixels"));
  EXPECT_FALSE(d->spnSize->isEnabled());
  // The list, then the custom size typed in.
  d->cboSize->setFocus();
  QTest::keyClick(d->cboSize, Qt::Key_Down);
  EXPECT_EQ(d->PictureSize(), 1024);
  EXPECT_EQ(d->labSize->text(), QStringLiteral("1024 \u00d7 1024 pixels"));
  for (int i = 0; i < 3; ++i) QTest::keyClick(d->cboSize, Qt::Key_Down);
  ASSERT_TRUE(d->spnSize->isEnabled());
  d->spnSize->setFocus();
  d->spnSize->selectAll();
  QTest::keyClicks(d->spnSize, QStringLiteral("600"));
  EXPECT_EQ(d->PictureSize(), 600);
  // The composite is as wide as asked, its height in proportion.
  Click(d->chkMode[3]);
  EXPECT_EQ(d->labSize->text(), QStringLiteral("600 \u00d7 481 pixels"));
  // Neither the model nor the worksheet takes a size.
  Click(d->chkMode[4]);
  EXPECT_FALSE(d->cboSize->isEnabled());
  EXPECT_TRUE(d->labSize->text().isEmpty());

  Click(d->chkMode[1]);
  files->answer = dir.filePath("big.png");
  Click(d->cmdGo);
  ExpectGone(d);
  EXPECT_TRUE(messages->asked.empty());
  const QImage saved(dir.filePath("big.png"));
  ASSERT_FALSE(saved.isNull());
  // The views were drawn again at their own size: the view and what a later
  // copy from the engine puts there are the picture shown before.
  EXPECT_EQ(Rgb(w->eeMainView->Image()), Rgb(shown));
  w->RefreshOverlays();
  EXPECT_EQ(Rgb(w->eeMainView->Image()), Rgb(shown));
  if (saved.width() == 375) GTEST_SKIP() << "the engine draws the views at their own size only";
  EXPECT_EQ(saved.size(), QSize(600, 600));
}

TEST_F(SavePrint, LargeCompositeIsLaidOutAtItsSizeWithLettersToMatch) {
  const QImage large = Rgb(wl::ComposeImage(*w, 2120));  // four times as wide
  ASSERT_EQ(large.size(), QSize(2120, 1700));
  const QImage small = Rgb(wl::ComposeImage(*w));
  EXPECT_EQ(Rgb(wl::ComposeImage(*w, 530)), small);
  // The captions are four times as tall, not a stretched small picture:
  // their strokes are many rows, on white above and below.
  const int smallRows = InkRows(small, 0, 40, 530), largeRows = InkRows(large, 0, 160, 2120);
  EXPECT_GE(largeRows, 3 * smallRows);
  EXPECT_LE(largeRows, 5 * smallRows);
  EXPECT_EQ(InkRows(large, 0, 18, 2120), 0);
  EXPECT_EQ(large.pixel(1800, 920), qRgb(255, 255, 255));
  // The axes at their place, drawn as lines at this size.
  EXPECT_EQ(large.copy(1572, 336, 508, 508),
            wl::AxesPicture(*w->eeAxes, R().Mode, R().Glasses, 508));
}

// The axes at eight times their size: each end point where the small picture
// has it, lines as wide as its pixels, labels in the glasses' colours.
TEST_F(SavePrint, AxesAreDrawnAsLinesAtAnySize) {
  R().Mode = wl::Anaglyph;
  R().StereoFactor = 7;
  w->RefreshViewerButtons();
  const wl::Axes& axes = *w->eeAxes;
  const QImage small = axes.Image();
  const QImage redGreen = wl::AxesPicture(axes, wl::Anaglyph, wl::RedGreen, 1016);
  const QImage redCyan = wl::AxesPicture(axes, wl::Anaglyph, wl::RedCyan, 1016);
  ASSERT_EQ(redGreen.size(), QSize(1016, 1016));
  int blue = 0, red = 0, cyan = 0;
  for (int y = 0; y < 1016; y += 2) {
    for (int x = 0; x < 1016; x += 2) {
      const QRgb g = redGreen.pixel(x, y), c = redCyan.pixel(x, y);
      blue += qBlue(g) > 0;
      red += qRed(c) > 60 && qGreen(c) == 0;
      cyan += qBlue(c) > 60 && qGreen(c) > 60 && qRed(c) == 0;
    }
  }
  EXPECT_EQ(blue, 0);  // red/green glasses: no blue at all
  EXPECT_GT(red, 100);
  EXPECT_GT(cyan, 100);
  // The right eye's end points, lit in the large picture as in the small one.
  for (int a = 0; a < 3; ++a) {
    const wl::COORDlong& end = axes.EndA()[static_cast<size_t>(a)];
    if (end.X == 63 && end.Z == 63) continue;
    ASSERT_GT(qRed(small.pixel(end.X, end.Z)), 0) << a;
    // Half way along the line, thick: lit across several large pixels.
    const QPointF middle((63.5 + end.X + 0.5) / 2 * 8, (63.5 + end.Z + 0.5) / 2 * 8);
    int lit = 0;
    for (int dy = -3; dy <= 3; ++dy) {
      for (int dx = -3; dx <= 3; ++dx) {
        lit += qRed(redGreen.pixel(int(middle.x()) + dx, int(middle.y()) + dy)) > 40;
      }
    }
    EXPECT_GE(lit, 14) << a;
  }
}

TEST_F(SavePrint, WorksheetIsOnePdfPageWithTextAndFullSizePictures) {
  if (!Poppler("pdftotext", {QStringLiteral("-v")})) GTEST_SKIP() << "needs poppler-utils";
  files->answer = dir.filePath("sheet");
  QPointer<wl::frmSavePrint> d = Open(false);
  Click(d->chkMode[5]);
  EXPECT_TRUE(d->chkSheetViews->isEnabled() && d->chkSheetViews->isChecked());
  EXPECT_FALSE(d->cboSize->isEnabled());
  Click(d->cmdGo);
  ExpectGone(d);
  EXPECT_TRUE(messages->asked.empty());
  ASSERT_EQ(files->asked.size(), 1u);
  EXPECT_EQ(files->asked[0].filters, QStringList{QStringLiteral("PDF documents (*.pdf)")});
  EXPECT_TRUE(files->asked[0].startPath.endsWith(
      QStringLiteral("/2Px (2,1,1) PDF, radius = 20 worksheet.pdf")));
  const QString pdf = dir.filePath("sheet.pdf");
  ASSERT_TRUE(Header(pdf).startsWith("%PDF"));
  // The next save starts where this one went.
  EXPECT_EQ(wl::PictureFolder(), QDir::cleanPath(dir.path()));

  const QString info = *Poppler("pdfinfo", {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
      << info.toStdString();
  EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
  // In the page's layout: each figure's title and number on one line.
  const QString text =
      Poppler("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")})->simplified();
  const wl::OrbitalStats stats = w->Engine.Orbitals().GetStats(w->CurrentOrbital);
  for (const QString& expected :
       {QStringLiteral("2Px (2,1,1) PDF, Atom Radius = 20 Bohr radii (default = 8)"),
        QStringLiteral("Main view: orthographic"), QStringLiteral("Orbital Properties"),
        QStringLiteral("Acheived dot total %1").arg(stats.DotTotal),
        QStringLiteral("Total probabilities sampled %1").arg(stats.TotalSamples),
        QStringLiteral("R(r) and P(r)")}) {
    EXPECT_TRUE(text.contains(expected))
        << expected.toStdString() << "\nin: " << text.toStdString();
  }
  // Both views embedded as drawn: as many pixels as the engine gave them,
  // without loss.
  const int mainSide = w->ViewPicture(wl::Main, 1024).width(),
            smallSide = w->ViewPicture(wl::Nano, 1024).width();
  if (Poppler("pdfimages", {QStringLiteral("-v")})) {
    EXPECT_EQ(PdfImageWidths(pdf), (std::vector<int>{mainSide, smallSide}));
  }

  // Without the graph and the views: text only, still one page.
  files->answer = dir.filePath("plain.pdf");
  d = Open(false);
  Click(d->chkMode[5]);
  Click(d->chkSheetViews);
  Click(d->chkSheetGraph);
  Click(d->cmdGo);
  ExpectGone(d);
  const QString plain =
      Poppler("pdftotext", {dir.filePath("plain.pdf"), QStringLiteral("-")})->simplified();
  EXPECT_TRUE(plain.contains(QStringLiteral("Frames rendered")));
  // Without the pictures a line says what the views show.
  EXPECT_TRUE(plain.contains(QStringLiteral("Main view: orthographic, Small view: transect")))
      << plain.toStdString();
  EXPECT_FALSE(plain.contains(QStringLiteral("R(r)")));
  EXPECT_TRUE(PdfImageWidths(dir.filePath("plain.pdf")).empty());
  EXPECT_EQ(Entries(dir.path()), (QStringList{"plain.pdf", "sheet.pdf"}));
}

// The worksheet on a printer's page: the heading at the top, the two views
// below it, as large as the page allows.
TEST_F(SavePrint, WorksheetIsPrintedOnThePage) {
  Run(true, 5);
  ASSERT_FALSE(printer->page.isNull());
  EXPECT_TRUE(messages->asked.empty());
  const QImage& page = printer->page;
  EXPECT_GT(InkRows(page, 0, 40, page.width()), 8);  // the heading
  // The views' black grounds side by side, each well over a third of the width.
  int darkLeft = 0, darkRight = 0;
  const int y = page.height() / 4;
  for (int x = 0; x < page.width(); ++x) {
    if (qGray(page.pixel(x, y)) > 40) continue;
    (x < page.width() / 2 ? darkLeft : darkRight) += 1;
  }
  EXPECT_GT(darkLeft, page.width() / 3);
  EXPECT_GT(darkRight, page.width() / 3);
  EXPECT_TRUE(files->asked.empty());
}

// Without a printer the box says what it always said and offers the
// worksheet as a PDF: clicked for real in the real message box.
TEST_F(SavePrint, NoPrinterBoxOffersTheWorksheetAsPdf) {
  wl::AppServices().Messages = std::make_shared<wl::QtMessageBoxService>();
  printer->present = false;
  const auto answerBox = [](const QString& button, QString* text, QString* title) {
    QTimer::singleShot(0, [=] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_TRUE(box);
      *text = box->text();
      *title = box->windowTitle();
      for (QAbstractButton* b : box->buttons()) {
        if (b->text().remove(QLatin1Char('&')) == button) {
          QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
          return;
        }
      }
      ADD_FAILURE() << "no button " << button.toStdString();
      box->reject();
    });
  };
  QString text, title;
  // OK: nothing asked, nothing written.
  answerBox(QStringLiteral("OK"), &text, &title);
  w->Menus->mnuFilePrint->trigger();
  EXPECT_EQ(
      text,
      QStringLiteral("No printers were found. Please install a printer before clicking on print."));
  EXPECT_EQ(title, QStringLiteral("No Printer Found"));
  EXPECT_TRUE(files->asked.empty());

  // Save as PDF..., then the file dialog cancelled: nothing written.
  files->answer = std::nullopt;
  answerBox(QStringLiteral("Save as PDF..."), &text, &title);
  w->Menus->mnuFilePrint->trigger();
  ASSERT_EQ(files->asked.size(), 1u);
  EXPECT_EQ(files->asked[0].caption, QStringLiteral("Save as PDF..."));
  EXPECT_TRUE(Entries(dir.path()).isEmpty());

  // And with a name: the worksheet.
  files->answer = dir.filePath("lesson");
  answerBox(QStringLiteral("Save as PDF..."), &text, &title);
  w->Menus->mnuFilePrint->trigger();
  EXPECT_EQ(Entries(dir.path()), QStringList{"lesson.pdf"});
  EXPECT_TRUE(Header(dir.filePath("lesson.pdf")).startsWith("%PDF"));
  if (const auto pages = Poppler("pdfinfo", {dir.filePath("lesson.pdf")})) {
    EXPECT_TRUE(pages->contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    const QString sheet =
        Poppler("pdftotext", {dir.filePath("lesson.pdf"), QStringLiteral("-")})->simplified();
    EXPECT_TRUE(sheet.contains(QStringLiteral("2Px (2,1,1) PDF"))) << sheet.toStdString();
  }
  EXPECT_EQ(printer->dialogs, 0);
}

}  // namespace
