// The save and print dialog, driven with real clicks: the texts and file
// names it proposes, the pictures it writes and prints, cancelling and
// failures.
#include "dialogs/frmSavePrint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "AppTestSupport.h"
#include "Axes.h"
#include "NoFocusCont.h"
#include "core/Platform.h"
#include "dialogs/ImageFile.h"
#include "dialogs/SavePrintTexts.h"

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

TEST(ImageFile, FormatFollowsTheExtensionAndFailuresLeaveNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage image(7, 5, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 30));
  image.setPixel(3, 2, qRgb(250, 5, 90));
  auto header = [](const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(4) : QByteArray();
  };
  for (const char* name : {"a.bmp", "b.BMP", "c.txt", "d"}) {
    const QString path = dir.filePath(QLatin1String(name));
    EXPECT_EQ(wl::WriteImageFile(image, path), std::nullopt) << name;
    EXPECT_TRUE(header(path).startsWith("BM")) << name;
    EXPECT_EQ(QImage(path, "BMP").convertToFormat(QImage::Format_RGB32), image) << name;
  }
  for (const char* name : {"e.png", "f.Png"}) {
    const QString path = dir.filePath(QLatin1String(name));
    EXPECT_EQ(wl::WriteImageFile(image, path), std::nullopt) << name;
    EXPECT_EQ(header(path), QByteArray("\x89PNG")) << name;
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), image) << name;
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
  Run(false, 3);

  ASSERT_EQ(files->asked.size(), 1u);
  const AskedFile& asked = files->asked[0];
  EXPECT_EQ(asked.caption, QStringLiteral("Save..."));
  EXPECT_EQ(asked.startPath,
            wl::GetDocumentsFolder() + QStringLiteral("/2Px (2,1,1) PDF, radius = 20.bmp"));
  EXPECT_EQ(asked.filters, (QStringList{QStringLiteral("Bitmap images (*.bmp)"),
                                        QStringLiteral("PNG images (*.png)")}));
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
  EXPECT_TRUE(error->contains(QStringLiteral("space"), Qt::CaseInsensitive)) << error->toStdString();
  EXPECT_FALSE(QFileInfo::exists(small));
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

}  // namespace
