// File > Save Animation: the menu entry, the dialog writing a GIF one frame
// per timer tick while the program stays responsive, and Cancel.
#include "dialogs/frmSaveAnimation.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "help/frmMenus.h"

using namespace wltest;

namespace {

class SaveAnimation : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(5);
    w = &Started();
    ASSERT_FALSE(w->Menus->mnuFileSaveAnimation->isEnabled()) << "nothing to animate yet";
    ASSERT_TRUE(w->Calculate(2, 20, 50, 0));  // 2Px, PDF: its look changes as it turns
    ASSERT_TRUE(dir.isValid());
  }
  // The dialog as the menu entry opens it.
  wl::frmSaveAnimation* Open() {
    w->Menus->mnuFileSaveAnimation->trigger();
    auto* d = w->findChild<wl::frmSaveAnimation*>();
    EXPECT_TRUE(d && QTest::qWaitForWindowExposed(d));
    return d;
  }
  static void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QApplication::processEvents();
  }
  // Pixels of two pictures further apart than the scale bar's lettering may
  // drift between two drawings of it.
  static int Differing(const QImage& a, const QImage& b, int tolerance = 8) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) {
        const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
        n += std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
             std::abs(qBlue(p) - qBlue(q)) > tolerance;
      }
    return n;
  }
  QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

  wl::frmMain* w = nullptr;
  QTemporaryDir dir;
};

TEST_F(SaveAnimation, WritesATurnFrameByFrameWhileTheProgramRuns) {
  ASSERT_TRUE(w->Menus->mnuFileSaveAnimation->isEnabled());
  QPointer<wl::frmSaveAnimation> d = Open();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->windowModality(), Qt::WindowModal);
  EXPECT_EQ(d->spnFrames->value(), 120);
  d->spnFrames->setValue(6);
  d->cboFormat->setCurrentIndex(0);
  files->answer = dir.filePath(QStringLiteral("turn"));  // the extension comes from the format
  Click(d->cmdSave);
  ASSERT_EQ(files->asked.size(), 1u);
  EXPECT_EQ(files->asked[0].filters, QStringList{QStringLiteral("Animated GIF (*.gif)")});
  // The click has returned with the frames still to come: they follow on a timer.
  EXPECT_TRUE(d->Writing());
  EXPECT_TRUE(d->barProgress->isVisible());
  EXPECT_LT(d->barProgress->value(), 6);
  EXPECT_FALSE(d->cmdSave->isEnabled());
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("turn.gif"))));
  int last = d->barProgress->value();
  for (int i = 0; i < 200 && d && d->Writing(); ++i) {
    QApplication::processEvents();
    if (!d) break;
    EXPECT_GE(d->barProgress->value(), last);
    last = d->barProgress->value();
  }
  for (int i = 0; i < 20 && d; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  EXPECT_TRUE(d.isNull()) << "the dialog closes once the file is complete";
  EXPECT_EQ(Files(), QStringList{QStringLiteral("turn.gif")});

  QImageReader gif(dir.filePath(QStringLiteral("turn.gif")));
  EXPECT_EQ(gif.imageCount(), 6);
  EXPECT_EQ(gif.loopCount(), -1) << "it repeats forever";
  QImage first = gif.read().convertToFormat(QImage::Format_RGB32);
  // The first frame is the view's picture, scale bar included.
  const QImage view = w->eeMainView->Image().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Differing(first, view, 24), 0);
  EXPECT_GT(Differing(gif.read(), first), 1000) << "a sixth of a turn later";

  // On the help page there is nothing to animate.
  w->SetMode(1, w->HomePage, QString(), 0, true, true);
  EXPECT_FALSE(w->Menus->mnuFileSaveAnimation->isEnabled());
}

TEST_F(SaveAnimation, CancelLeavesNoFileAndTheViewsTheirPictures) {
  w->RefreshOverlays();
  const QImage before = w->eeMainView->Image().copy();
  const QString path = dir.filePath(QStringLiteral("lesson.mp4"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("last week's video");
  }
  QPointer<wl::frmSaveAnimation> d = Open();
  ASSERT_TRUE(d);
  d->spnFrames->setValue(40);
  files->answer = path;  // its extension chooses MP4
  Click(d->cmdSave);
  ASSERT_TRUE(d->Writing());
  for (int i = 0; i < 200 && d->barProgress->value() < 3; ++i) QApplication::processEvents();
  ASSERT_GE(d->barProgress->value(), 3);
  Click(d->cmdCancel);
  ASSERT_TRUE(d) << "Cancel stops the writing, not the dialog";
  EXPECT_FALSE(d->Writing());
  EXPECT_FALSE(d->barProgress->isVisible());
  EXPECT_TRUE(d->cmdSave->isEnabled());
  EXPECT_EQ(Files(), QStringList{QStringLiteral("lesson.mp4")}) << "no partial file";
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("last week's video"));
  EXPECT_TRUE(messages->asked.empty());
  // The views still redraw from the orbital's own pictures: hiding the scale
  // bar takes it away and leaves the rest as it was.
  w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)].ShowScaleBar = false;
  w->RefreshOverlays();
  const QImage after = w->eeMainView->Image().convertToFormat(QImage::Format_RGB32);
  const QRect bar(0, 335, 90, 40);
  int lit = 0;
  for (int y = bar.top(); y <= bar.bottom(); ++y)
    for (int x = bar.left(); x <= bar.right(); ++x) lit += qGray(after.pixel(x, y)) > 40;
  EXPECT_EQ(lit, 0) << "the scale bar is gone";
  QImage above = before.convertToFormat(QImage::Format_RGB32).copy(0, 0, 375, 330);
  EXPECT_EQ(Differing(after.copy(0, 0, 375, 330), above), 0);
  // A second Cancel closes the dialog.
  Click(d->cmdCancel);
  EXPECT_TRUE(d.isNull() || !d->isVisible());
}

}  // namespace
