// The about boxes, and the pages' links that open an orbital.
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "AppTestSupport.h"
#include "core/Platform.h"
#include "dialogs/EngineAboutBox.h"
#include "dialogs/frmAbout.h"
#include "help/HelpBrowser.h"
#include "help/frmMenus.h"
#include "orbitals/OrbitalCatalog.h"

using namespace wltest;

namespace {

class About : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(9);
    w = &Started();
  }
  void TearDown() override {
    wl::EngineAboutBox::Install();  // the real box again after the counting hooks
    ProgramTest::TearDown();
  }
  wl::frmAbout& OpenAbout() {
    w->Menus->mnuHelpAbout->trigger();
    auto* about = w->findChild<wl::frmAbout*>();
    EXPECT_NE(about, nullptr);
    return *about;
  }
  wl::frmMain* w = nullptr;
};

TEST_F(About, TheWordOpensTheEngineBoxOnceWhereverItIsTyped) {
  int shown = 0;
  wl::SetAboutBoxHook([&] { ++shown; });
  wl::frmAbout& about = OpenAbout();
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Wavelore"));
  EXPECT_EQ(about.size(), QSize(565, 346));
  EXPECT_EQ(about.cmdClose->geometry(), QRect(464, 312, 89, 25));
  EXPECT_TRUE(about.isModal() || about.windowModality() != Qt::NonModal);
  QTest::keyClicks(&about, QStringLiteral("hello ZePhY"));
  EXPECT_EQ(shown, 0);
  QTest::keyClicks(&about, QStringLiteral("r"));
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(about.TypedKeys().isEmpty());
  QTest::keyClicks(&about, QStringLiteral("zephyr zephyr"));
  EXPECT_EQ(shown, 3);
}

TEST_F(About, ASequenceSplitByTheResetIsNotRecognised) {
  int shown = 0;
  wl::SetAboutBoxHook([&] { ++shown; });
  wl::frmAbout& about = OpenAbout();
  QTest::keyClicks(&about, QString(97, QLatin1Char('x')) + QStringLiteral("zep"));
  EXPECT_EQ(about.TypedKeys().size(), 100);
  QTest::keyClicks(&about, QStringLiteral("hyr"));
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(about.TypedKeys(), QStringLiteral("yr"));
  QTest::mouseClick(about.cmdClose, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(w->findChild<wl::frmAbout*>(), nullptr);
}

TEST_F(About, EngineAboutReturnsOnlyWhenItsWindowIsClosed) {
  bool closedByTimer = false;
  QTimer::singleShot(100, [&] {
    wl::EngineAboutBox* box = wl::EngineAboutBox::Instance();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About: Veltrum"));
    EXPECT_EQ(box->message->text(),
              QStringLiteral("Veltrum - Wavelore core component. Have a nice day."));
    closedByTimer = true;
    box->close();
  });
  QElapsedTimer clock;
  clock.start();
  w->Engine.About();
  EXPECT_TRUE(closedByTimer);
  EXPECT_GE(clock.elapsed(), 90);
  wl::EngineAboutBox* box = wl::EngineAboutBox::Instance();
  EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);  // made topmost after closing
  EXPECT_EQ(box->SetTopMost(1), 0);
  EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_NE(box->SetTopMost(wl::kFalse), 0);
  EXPECT_FALSE(box->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(About, OrbitalLinksOpenTheirOrbitalOrSayWhyNot) {
  emit w->WLtext->highlighted(QUrl(QStringLiteral("status:OV 3Dz2 drpdf")));
  EXPECT_EQ(w->labStatus->text(),
            QString::fromUtf8("Calculate 3Dz² (DRPDF) and show it in the viewer"));
  emit w->WLtext->highlighted(QUrl());
  emit w->WLtext->anchorClicked(QUrl(QStringLiteral("status:OV 3Dz2 drpdf")));
  EXPECT_EQ(w->CurrentMode, 3);
  const wl::OrbitalView& v = w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)];
  EXPECT_EQ(v.Info.Name, u"3Dz²");
  EXPECT_EQ(v.ViewMode, wl::DRPDF);
  EXPECT_EQ(v.AtomRadius, 20.0f);

  emit w->WLtext->anchorClicked(QUrl(QStringLiteral("status:OV 3D average")));
  EXPECT_EQ(w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)].Info.OrbType, wl::AverageOrbs);

  // An ion's orbital, with the defaults of the ion.
  emit w->WLtext->anchorClicked(QUrl(QStringLiteral("status:OV 2Pz pdf Z=2")));
  const wl::OrbitalView& ion = w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)];
  EXPECT_EQ(ion.Setup.Charge, 2);
  EXPECT_EQ(ion.Info.Name, u"2Pz, He⁺");
  EXPECT_EQ(ion.AtomRadius, 4.0f);

  // A custom combination, calculated over the whole cube.
  emit w->WLtext->anchorClicked(QUrl(QStringLiteral("status:OV combine 2s:1,2pz:-1")));
  const wl::OrbitalView& mix = w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)];
  EXPECT_EQ(mix.Setup.Hybrid, wl::CustomCombination);
  EXPECT_EQ(mix.Setup.TermCount, 2);
  EXPECT_EQ(mix.AtomRadius, static_cast<float>(wl::InfoOf(mix.Setup).DefaultPDFAtomRadius));

  const wl::Integer before = w->CurrentOrbital;
  emit w->WLtext->anchorClicked(QUrl(QStringLiteral("status:OV 9Zq")));
  EXPECT_EQ(w->CurrentOrbital, before);
  EXPECT_TRUE(w->labStatus->text().startsWith(QStringLiteral("Cannot open the orbital '9Zq'")));
  EXPECT_TRUE(messages->asked.empty());
}

TEST_F(About, TheWebEntryWaitsForAnAddress) {
  EXPECT_FALSE(w->Menus->mnuGoWeb->isEnabled());
}

}  // namespace
