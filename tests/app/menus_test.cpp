// The File and Edit menu entries: properties, save and print on the viewer
// and on the help page, the picture copies and the text copy.
#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>

#include "AppTestSupport.h"
#include "Axes.h"
#include "NoFocusCont.h"
#include "core/Platform.h"
#include "dialogs/frmSavePrint.h"
#include "dialogs/frmStats.h"
#include "help/HelpBrowser.h"
#include "help/frmMenus.h"

using namespace wltest;

namespace {

class Menus : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(4);
    w = &Started();
  }
  template <class T>
  T* Open() const {
    return w->findChild<T*>(QString(), Qt::FindDirectChildrenOnly);
  }
  wl::frmMain* w = nullptr;
};

TEST_F(Menus, PicturesGoToTheClipboard) {
  ASSERT_TRUE(w->Calculate(2, 8, 50, 0));
  QClipboard* clipboard = QApplication::clipboard();
  w->Menus->mnuEditCopy[1]->trigger();
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32),
            w->eeMainView->Image().convertToFormat(QImage::Format_RGB32));
  w->Menus->mnuEditCopy[2]->trigger();
  EXPECT_EQ(clipboard->image().size(), QSize(128, 128));
  w->Menus->mnuEditCopy[0]->trigger();
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32),
            w->eeAxes->Image().convertToFormat(QImage::Format_RGB32));
  w->Menus->mnuEditCopy[3]->trigger();
  EXPECT_EQ(clipboard->image().size(), QSize(530, 425));
}

TEST_F(Menus, SelectedPageTextIsCopied) {
  QTextCursor cursor = w->WLtext->textCursor();
  cursor.movePosition(QTextCursor::Start);
  cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
  w->WLtext->setTextCursor(cursor);
  w->Menus->mnuEditCopyText->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Wavelore"));
}

TEST_F(Menus, PropertiesOpenTheStatisticsOfTheOrbitalShown) {
  ASSERT_TRUE(w->Calculate(9, 18, 30, 0));
  w->Menus->mnuFileProps->trigger();
  wl::frmStats* stats = Open<wl::frmStats>();
  ASSERT_NE(stats, nullptr);
  EXPECT_TRUE(stats->isVisible());
  EXPECT_TRUE(stats->isModal());
  stats->close();
  QApplication::processEvents();
  w->Menus->mnuTreeProps->trigger();
  EXPECT_NE(Open<wl::frmStats>(), nullptr);
}

TEST_F(Menus, SaveAndPrintDoNothingOnTheSelector) {
  w->SetMode(2, QString(), QString(), 0, true, true);
  EXPECT_FALSE(w->Menus->mnuFilePrint->isEnabled());
  EXPECT_FALSE(w->Menus->mnuFileSave->isEnabled());
  w->Menus->mnuFilePrint->trigger();  // even when asked, nothing opens
  w->Menus->mnuFileSave->trigger();
  EXPECT_EQ(Open<wl::frmSavePrint>(), nullptr);
  EXPECT_EQ(printer->dialogs, 0);
  EXPECT_TRUE(files->asked.empty());
  EXPECT_TRUE(messages->asked.empty());
}

TEST_F(Menus, SaveAndPrintOnTheViewerOpenTheDialog) {
  ASSERT_TRUE(w->Calculate(9, 18, 30, 0));
  w->Menus->mnuFileSave->trigger();
  wl::frmSavePrint* save = Open<wl::frmSavePrint>();
  ASSERT_NE(save, nullptr);
  EXPECT_FALSE(save->IsPrint);
  save->close();
  QApplication::processEvents();

  printer->present = false;
  w->Menus->mnuFilePrint->trigger();
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_EQ(messages->asked[0].title, QStringLiteral("No Printer Found"));
  EXPECT_EQ(messages->asked[0].text,
            QStringLiteral("No printers were found. Please install a printer before clicking "
                           "on print."));
  EXPECT_EQ(Open<wl::frmSavePrint>(), nullptr);
  printer->present = true;
  w->Menus->mnuFilePrint->trigger();
  ASSERT_NE(Open<wl::frmSavePrint>(), nullptr);
  EXPECT_TRUE(Open<wl::frmSavePrint>()->IsPrint);
}

TEST_F(Menus, TheHelpPageIsSavedAndPrintedAsItIs) {
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("home.htm"));
  files->answer = target;
  w->Menus->mnuFileSave->trigger();
  ASSERT_EQ(files->asked.size(), 1u);
  EXPECT_TRUE(files->asked[0].startPath.endsWith(QStringLiteral("WL.HTM")));
  QFile saved(target), page(w->PageFiles.value(w->HomePage));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), page.readAll());
  EXPECT_TRUE(messages->asked.empty());

  // A page that cannot be written is reported once, and nothing is left.
  const QString nowhere = dir.filePath(QStringLiteral("missing folder/home.htm"));
  files->answer = nowhere;
  w->Menus->mnuFileSave->trigger();
  ASSERT_EQ(messages->asked.size(), 1u);
  EXPECT_TRUE(messages->asked[0].text.startsWith(QStringLiteral("Error: Cannot write ")))
      << messages->asked[0].text.toStdString();
  EXPECT_EQ(messages->asked[0].icon, wl::MsgIcon::Critical);
  EXPECT_FALSE(QFile::exists(nowhere));
  messages->asked.clear();

  w->Menus->mnuFilePrint->trigger();
  EXPECT_TRUE(printer->printedText.startsWith(QStringLiteral("Wavelore")));
  // A cancelled or failed print of a page says nothing.
  printer->outcome = wl::DialogOutcome::Failed;
  w->Menus->mnuFilePrint->trigger();
  EXPECT_TRUE(messages->asked.empty());
}

}  // namespace
