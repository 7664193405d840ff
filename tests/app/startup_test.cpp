// Start-up: the browser check, every branch of the display checks, the choice
// of the best mode and the state the main window starts in.
#include <QAction>

#include "AppTestSupport.h"
#include "help/frmMenus.h"
#include "shell/modDisplay.h"

using namespace wltest;
using wl::MsgAnswer;

namespace {

class Startup : public ProgramTest {
 protected:
  QStringList Titles() const {
    QStringList t;
    for (const auto& b : messages->asked) t << b.title;
    return t;
  }
};

TEST_F(Startup, RoomyDesktopStartsWindowedWithoutQuestions) {
  wl::frmMain& w = Started();
  EXPECT_TRUE(messages->asked.empty());
  EXPECT_TRUE(w.WindowedAllowed);
  EXPECT_FALSE(w.FullScreen);
  EXPECT_FALSE(w.Menus->mnuFileFullScreen->isChecked());
  EXPECT_TRUE(w.Menus->mnuFileFullScreen->isEnabled());
  EXPECT_TRUE(display->changes.empty());
  EXPECT_EQ(w.size(), QSize(800, 600));
  EXPECT_EQ(w.OrbInfoTable.size(), 168u);
  EXPECT_EQ(w.CurrentMode, 1);
  EXPECT_EQ(w.CurrentPage, w.HomePage);
  EXPECT_EQ(w.StatusText, QStringLiteral("Welcome to Wavelore"));
}

TEST_F(Startup, SixteenBitDesktopOfExactSizeOffersMoreColours) {
  display->current = Mode(800, 600, 16);
  display->modes = {Mode(800, 600, 16), Mode(800, 600, 24)};
  for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
    messages->asked.clear();
    display->changes.clear();
    display->current = Mode(800, 600, 16);
    messages->answers = {answer};
    Start();
    ASSERT_TRUE(window);
    ASSERT_EQ(messages->asked.size(), 1u);
    EXPECT_EQ(messages->asked[0].title, QStringLiteral("Increase bit depth?"));
    EXPECT_EQ(messages->asked[0].buttons, wl::MsgButtons::YesNo);
    EXPECT_EQ(messages->asked[0].icon, wl::MsgIcon::None);
    if (answer == MsgAnswer::Yes) {
      ASSERT_EQ(display->changes.size(), 1u);
      EXPECT_EQ(display->changes[0].dmBitsPerPel, 24);
      EXPECT_TRUE(window->DisplayChanged);
    } else {
      EXPECT_TRUE(display->changes.empty());
    }
    EXPECT_TRUE(window->FullScreen);
    EXPECT_FALSE(window->WindowedAllowed);
    EXPECT_TRUE(window->Menus->mnuFileFullScreen->isChecked());
    EXPECT_FALSE(window->Menus->mnuFileFullScreen->isEnabled());
  }
}

TEST_F(Startup, SmallDesktopAsksToSwitchAndEndsOnNoOrFailure) {
  display->current = Mode(640, 480, 32);
  messages->answers = {MsgAnswer::No};
  EXPECT_EQ(Start().ExitCode, 1);
  EXPECT_FALSE(window);
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("Higher resolution required")});
  EXPECT_TRUE(display->changes.empty());

  messages->asked.clear();
  messages->answers = {MsgAnswer::Yes};
  display->changeResult = -1;
  EXPECT_EQ(Start().ExitCode, 1);
  EXPECT_FALSE(window);
  EXPECT_EQ(Titles(), (QStringList{QStringLiteral("Higher resolution required"),
                                   QStringLiteral("Resolution change failed")}));
  EXPECT_EQ(messages->asked[1].icon, wl::MsgIcon::Critical);
  ASSERT_EQ(display->changes.size(), 1u);
  EXPECT_EQ(display->changes[0].dmPelsWidth, 800);

  messages->asked.clear();
  messages->answers = {MsgAnswer::Yes};
  display->changeResult = 0;
  Start();
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->FullScreen);
  EXPECT_FALSE(window->WindowedAllowed);
  EXPECT_EQ(display->current.dmPelsWidth, 800);
}

TEST_F(Startup, EightBitDesktopIsTreatedAsTooSmall) {
  display->current = Mode(800, 600, 8);
  messages->answers = {MsgAnswer::No};
  EXPECT_EQ(Start().ExitCode, 1);
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("Higher resolution required")});
}

TEST_F(Startup, NoUsableModeEndsWhateverTheDesktop) {
  display->current = Mode(1920, 1080, 32);
  display->modes = {Mode(1920, 1080, 32), Mode(800, 600, 8), Mode(1024, 768, 16)};
  EXPECT_EQ(Start().ExitCode, 1);
  EXPECT_FALSE(window);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Display Error"));
  EXPECT_EQ(messages->asked[0].text,
            QStringLiteral("Your system is not able to display Wavelore. Wavelore requires "
                           "800x600 in at least 16bit colour"));
}

TEST_F(Startup, BrowserVersionFourPassesThreeIsRefused) {
  browserVersion = 4;
  Start();
  EXPECT_TRUE(window);
  EXPECT_TRUE(messages->asked.empty());

  browserVersion = 3;
  EXPECT_EQ(Start().ExitCode, 1);
  EXPECT_FALSE(window);
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("Old Version of Internet Explorer"));
}

TEST_F(Startup, BestModePrefersDepthThenFrequencyThenTheLaterMode) {
  using wl::modDisplay::FindBestMode;
  auto best =
      FindBestMode({Mode(800, 600, 32, 60), Mode(800, 600, 32, 75), Mode(800, 600, 24, 85)});
  ASSERT_TRUE(best);
  EXPECT_EQ(best->dmDisplayFrequency, 75);
  EXPECT_EQ(best->dmBitsPerPel, 32);

  wl::DEVMODE first = Mode(800, 600, 24, 60), second = first;
  first.dmFields = 1;
  second.dmFields = 2;
  auto tie = FindBestMode({first, second, Mode(640, 480, 24, 60)});
  ASSERT_TRUE(tie);
  EXPECT_EQ(tie->dmFields, 2);

  auto sixteen = FindBestMode({Mode(800, 600, 16, 70), Mode(1024, 768, 32, 85)});
  ASSERT_TRUE(sixteen);
  EXPECT_EQ(sixteen->dmBitsPerPel, 16);
  EXPECT_FALSE(FindBestMode({Mode(800, 600, 15), Mode(640, 480, 32)}));
}

TEST_F(Startup, ModeListEndsWithTheBufferOfTheFailedCall) {
  display->modes = {Mode(1024, 768, 32), Mode(800, 600, 16)};
  const auto modes = wl::modDisplay::EnumDisplayModes();
  ASSERT_EQ(modes.size(), 3u);
  EXPECT_EQ(modes[2], modes[1]);
}

TEST_F(Startup, DpiScaleIsNinetySixOverThePixelsPerInch) {
  display->dpi = 120;
  EXPECT_DOUBLE_EQ(wl::modDisplay::GetDpiScale(), 0.8);
  display->dpi = 96;
  EXPECT_DOUBLE_EQ(wl::modDisplay::GetDpiScale(), 1.0);
}

TEST_F(Startup, FullScreenSwitchKeepsAndRestoresThePlace) {
  wl::frmMain& w = Started();
  w.move(100, 50);
  EXPECT_TRUE(wl::modDisplay::SetFullScreen(w, true));
  EXPECT_EQ(display->current.dmPelsWidth, 800);
  EXPECT_EQ(w.pos(), QPoint(0, 0));
  EXPECT_TRUE(wl::modDisplay::SetFullScreen(w, false));
  EXPECT_EQ(display->current.dmPelsWidth, 1024);
  EXPECT_EQ(w.pos(), QPoint(100, 50));

  display->changeResult = 1;
  EXPECT_FALSE(wl::modDisplay::SetFullScreen(w, true));
  EXPECT_TRUE(w.DisplayChanged);  // set before trying, so that the exit restores the start mode
  EXPECT_EQ(w.pos(), QPoint(100, 50));
}

}  // namespace
