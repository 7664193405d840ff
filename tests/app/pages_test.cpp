// Page titles, the folder lister and the page tree built from a folder tree
// written for each test.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "AppTestSupport.h"
#include "help/HelpBrowser.h"
#include "help/PageCommands.h"
#include "orbitals/OrbitalCatalog.h"
#include "help/cFileSys.h"
#include "help/modHTML.h"
#include "shell/BuildHelpTree.h"
#include "shell/modMain.h"

using namespace wltest;
using wl::cFileSys;
using wl::modHTML::GetHTMLTitle;

namespace {

class Pages : public ProgramTest {
 protected:
  void Write(const QString& relative, const QByteArray& text) {
    const QString path = dir.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QString Key(const QString& relative) const { return cFileSys::KeyForm(dir.filePath(relative)); }
  QTemporaryDir dir;
};

TEST_F(Pages, TitleReaderFindsTheTitleLine) {
  Write("a.htm",
        "<html>\n   <title>Nodes &AMP; Planes &amp; more &lt;x&gt;</TITLE>  "
        "\n<TITLE>Second</TITLE>\n");
  EXPECT_EQ(GetHTMLTitle(Key("a.htm")), QStringLiteral("Nodes & Planes & more &lt;x&gt;"));
  Write("b.htm", "<html><TITLE>Not at the start</TITLE>\n");
  EXPECT_EQ(GetHTMLTitle(Key("b.htm")), QString());
  Write("c.htm", "<TITLE>No closing tag\n<p>text</p>\n");
  EXPECT_EQ(GetHTMLTitle(Key("c.htm")), QStringLiteral("No closing tag"));
  Write("d.htm", "<TITLE></TITLE>\n");
  EXPECT_EQ(GetHTMLTitle(Key("d.htm")), QString());
  EXPECT_EQ(GetHTMLTitle(Key("missing.htm")), QString());
  // Keys are upper case; the file is found whatever its letter case.
  EXPECT_EQ(GetHTMLTitle(Key("a.htm").toUpper()),
            QStringLiteral("Nodes & Planes & more &lt;x&gt;"));
}

TEST_F(Pages, FolderListerMatchesPatternsAndSkipsDotFolders) {
  EXPECT_EQ(cFileSys::NormalizePath(QStringLiteral("A\\B\\")), QStringLiteral("A\\B\\"));
  EXPECT_EQ(cFileSys::NormalizePath(QStringLiteral("A\\B")), QStringLiteral("A\\B\\"));
  Write("Sub/x.htm", "");
  Write(".hidden/y.htm", "");
  Write("Page.HTM", "");
  Write("notes.txt", "");
  Write("page two.htm", "");
  cFileSys fs;
  const QString root = Key(QString()).toUpper();
  EXPECT_EQ(fs.EnumFolders(root, QStringLiteral("*.*")), QStringList{QStringLiteral("Sub")});
  QStringList files = fs.EnumFiles(root, QStringLiteral("*.htm"));
  files.sort();
  EXPECT_EQ(files, (QStringList{QStringLiteral("Page.HTM"), QStringLiteral("page two.htm")}));
  EXPECT_EQ(fs.EnumFiles(root, QStringLiteral("*.*")).size(), 3);
  EXPECT_TRUE(fs.EnumFolders(root + QStringLiteral("NOPE\\"), QStringLiteral("*.*")).isEmpty());
}

TEST_F(Pages, TreeWalksBreadthFirstWithSortedUpperCaseKeys) {
  Write("wl.htm", "<TITLE>Home</TITLE>\n");
  Write("Help/Index.htm", "<TITLE>Help</TITLE>\n");
  Write("Help/b_second.htm", "<TITLE>Second</TITLE>\n");
  Write("Help/A_first.HTM", "<TITLE>First</TITLE>\n");
  Write("Reference/INDEX.HTM", "<TITLE>Reference</TITLE>\n");
  Write("Reference/Orbitals/index.htm", "<TITLE>Orbitals</TITLE>\n");
  Write("Reference/Orbitals/Nodes.htm", "<TITLE>Nodes &amp; Planes</TITLE>\n");
  Write("Reference/Orbitals/untitled.htm", "<p>no title</p>\n");
  Write("Reference/Atoms/INDEX.HTM", "<TITLE>Atoms</TITLE>\n");

  wl::frmMain form;
  wl::BuildHelpTree(form, form.WLtree, dir.path());
  const QString app = form.AppPath;
  EXPECT_EQ(app, cFileSys::NormalizePath(cFileSys::KeyForm(dir.path())).toUpper());
  EXPECT_EQ(form.HomePage, app + "WL.HTM");
  EXPECT_EQ(form.HelpSelectorPage, app + "HELP\\A_ORBITALSELECTOR.HTM");

  auto children = [&](const QString& key) {
    QStringList texts;
    QTreeWidgetItem* node = form.Node(key);
    if (!node) return QStringList{QStringLiteral("<missing>")};
    for (int i = 0; i < node->childCount(); ++i)
      texts << node->child(i)->text(0) + "=" +
                   node->child(i)->data(0, Qt::UserRole).toString().mid(app.size());
    return texts;
  };
  EXPECT_EQ(
      children(form.HomePage),
      (QStringList{"View an Orbital=", "Reference=REFERENCE\\INDEX.HTM", "Help=HELP\\INDEX.HTM"}));
  EXPECT_EQ(form.Node(QStringLiteral("Orbitals"))->data(0, Qt::UserRole).toString(),
            QStringLiteral("Orbitals"));
  EXPECT_EQ(children(form.RefIndex), (QStringList{"Atoms=REFERENCE\\ATOMS\\INDEX.HTM",
                                                  "Orbitals=REFERENCE\\ORBITALS\\INDEX.HTM"}));
  EXPECT_EQ(children(app + "REFERENCE\\ORBITALS\\INDEX.HTM"),
            (QStringList{"Nodes & Planes=REFERENCE\\ORBITALS\\NODES.HTM",
                         "untitled.htm=REFERENCE\\ORBITALS\\UNTITLED.HTM"}));
  EXPECT_EQ(children(form.HelpIndex),
            (QStringList{"First=HELP\\A_FIRST.HTM", "Second=HELP\\B_SECOND.HTM"}));
  EXPECT_TRUE(form.Node(form.HomePage)->isExpanded());
  // Every key maps to the real file with its own letter case.
  EXPECT_EQ(form.PageFiles.value(app + "HELP\\A_FIRST.HTM"), dir.filePath("Help/A_first.HTM"));
  EXPECT_EQ(form.PageFiles.value(form.HomePage), dir.filePath("wl.htm"));
}

TEST_F(Pages, FolderLoopIsWalkedOnce) {
  Write("WL.HTM", "<TITLE>Home</TITLE>\n");
  Write("HELP/INDEX.HTM", "<TITLE>Help</TITLE>\n");
  ASSERT_TRUE(QFile::link(dir.filePath("HELP"), dir.filePath("HELP/LOOP")));
  wl::frmMain form;
  wl::BuildHelpTree(form, form.WLtree, dir.path());
  EXPECT_NE(form.Node(form.HelpIndex), nullptr);
  EXPECT_NE(form.Node(form.AppPath + "HELP\\LOOP\\INDEX.HTM"), nullptr);
  EXPECT_EQ(form.Node(form.AppPath + "HELP\\LOOP\\LOOP\\LOOP\\INDEX.HTM"), nullptr);
}

// Pages with spaces and letters beyond ASCII in their names, an unreadable
// page, a huge one and a title far down a big file: the tree still forms,
// links find the pages, and nothing holds the program up.
TEST_F(Pages, OddPagesAreShownOrExplained) {
  Write("WL.HTM", "<TITLE>Home</TITLE>\n");
  Write("HELP/INDEX.HTM", "<TITLE>Help</TITLE>\n");
  Write(QString::fromUtf8("HELP/Ünïcode Folder/INDEX.HTM"), "<TITLE>Unicode</TITLE>\n");
  Write(QString::fromUtf8("HELP/Ünïcode Folder/page two.htm"), "<TITLE>Two words</TITLE>\n");
  Write("HELP/BIG.HTM",
        QByteArray("<p>x</p>\n").repeated(2 * 1024 * 1024) + "<TITLE>Late</TITLE>\n");
  Write("HELP/LOCKED.HTM", "<TITLE>Locked</TITLE>\n");
  wl::frmMain& w = Started();
  wl::BuildHelpTree(w, w.WLtree, dir.path());
  w.FormReady = true;
  const QString folder = w.AppPath + QString::fromUtf8("HELP\\ÜNÏCODE FOLDER\\");
  ASSERT_NE(w.Node(folder + "INDEX.HTM"), nullptr);
  ASSERT_NE(w.Node(folder + "PAGE TWO.HTM"), nullptr);
  EXPECT_EQ(w.Node(folder + "PAGE TWO.HTM")->text(0), QStringLiteral("Two words"));
  EXPECT_EQ(w.Node(w.AppPath + "HELP\\BIG.HTM")->text(0), QStringLiteral("BIG.HTM"));

  // A link with an anchor to the page with a space in its name.
  QUrl link =
      QUrl::fromLocalFile(dir.filePath(QString::fromUtf8("HELP/Ünïcode Folder/page two.htm")));
  link.setFragment(QStringLiteral("top"));
  emit w.WLtext->anchorClicked(link);
  EXPECT_EQ(w.CurrentPage, folder + "PAGE TWO.HTM");
  EXPECT_EQ(w.CurrentAnchor, QStringLiteral("top"));

  // A page that cannot be read is explained, not shown blank.
  QFile locked(dir.filePath("HELP/LOCKED.HTM"));
  locked.remove();
  w.SetMode(1, w.AppPath + "HELP\\LOCKED.HTM", QString(), 0, true, true);
  EXPECT_TRUE(w.WLtext->toPlainText().contains(QStringLiteral("cannot be read")));
}

TEST_F(Pages, MissingPagesAreExplainedAndOrbitalsStillWork) {
  wl::frmMain form;
  form.OrbInfoTable = form.Engine.EnumOrbitals();
  form.FormSetup(dir.path());  // an empty folder: no pages at all
  EXPECT_TRUE(form.WLtext->toPlainText().contains(QStringLiteral("help pages are missing")));
  EXPECT_EQ(form.StatusText, QStringLiteral("The help pages are missing"));
  EXPECT_TRUE(form.Calculate(0, 2, 30, 0));
  EXPECT_EQ(form.CurrentMode, 3);
}

TEST_F(Pages, InstalledProgramsFindThePagesInShare) {
  Write("bin/WL", "");
  Write("share/wavelore/WL.HTM", "<TITLE>Home</TITLE>\n");
  EXPECT_EQ(wl::FindPagesFolder(dir.filePath("bin")), dir.filePath("share/wavelore"));
  // Pages beside the program come first.
  Write("bin/wl.htm", "<TITLE>Home</TITLE>\n");
  EXPECT_EQ(wl::FindPagesFolder(dir.filePath("bin")), dir.filePath("bin"));
}

TEST_F(Pages, ShippedPagesFormTheTree) {
  wl::frmMain& w = Started();
  for (const QString& key : {w.HomePage, w.HelpIndex, w.RefIndex, w.HelpSelectorPage,
                             w.HelpViewerPage, w.HelpOptionsPage}) {
    EXPECT_NE(w.Node(key), nullptr) << key.toStdString();
    EXPECT_TRUE(w.PageFiles.contains(key)) << key.toStdString();
    EXPECT_FALSE(GetHTMLTitle(key).isEmpty()) << key.toStdString();
  }
  const QString options = QString::fromUtf8([&] {
    QFile f(w.PageFiles.value(w.HelpOptionsPage));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }());
  for (const char* anchor : {"ProbabilityShading", "CameraSettings", "DotDensity",
                             "VolumetricQuality", "SurfaceOptions"})
    EXPECT_TRUE(options.contains(QStringLiteral("name=\"%1\"").arg(QLatin1String(anchor))))
        << anchor;
}

// Links that ask for an ion, a complex orbital or a hybrid member, beside the
// old forms; what cannot be calculated is refused with the setup's own words.
TEST(PageLinks, OrbitalLinksTakeChargeComplexFormAndHybrids) {
  const wl::OrbitalLink old = wl::ParseOrbitalLink(QStringLiteral(" 4F average drpdf"));
  EXPECT_EQ(old.Index, 39);
  EXPECT_TRUE(old.Drpdf);
  EXPECT_EQ(old.Setup.Charge, 1);
  EXPECT_FALSE(old.Setup.Complex);

  const wl::OrbitalLink ion = wl::ParseOrbitalLink(QStringLiteral("2Pz pdf Z=2"));
  EXPECT_EQ(ion.Index, 4) << ion.Error.toStdString();
  EXPECT_EQ(ion.Setup.Charge, 2);
  EXPECT_FALSE(ion.Drpdf);
  EXPECT_EQ(wl::OrbitalLinkHint(ion),
            QStringLiteral("Calculate 2Pz, He\u207a (PDF) and show it in the viewer"));

  const wl::OrbitalLink complex = wl::ParseOrbitalLink(QStringLiteral("2Px complex drpdf"));
  EXPECT_EQ(complex.Index, 2);
  EXPECT_TRUE(complex.Setup.Complex);
  EXPECT_TRUE(complex.Drpdf);
  EXPECT_EQ(complex.Setup.OrbitalViewMode, wl::DRPDF);

  const wl::OrbitalLink g = wl::ParseOrbitalLink(QStringLiteral("5g(m=-4)"));
  EXPECT_EQ(g.Index, wl::IndexOfOrbital(5, 4, -4, false));

  const wl::OrbitalLink sp3 = wl::ParseOrbitalLink(QStringLiteral("sp3 2"));
  ASSERT_GE(sp3.Index, 0) << sp3.Error.toStdString();
  EXPECT_EQ(sp3.Setup.Hybrid, wl::HybridSp3);
  EXPECT_EQ(sp3.Setup.HybridMember, 2);
  EXPECT_EQ(sp3.Setup.HybridShell, 2);
  const wl::OrbitalLink sp3d = wl::ParseOrbitalLink(QStringLiteral("SP\u00b3D 5 n=4 Z=3 drpdf"));
  ASSERT_GE(sp3d.Index, 0) << sp3d.Error.toStdString();
  EXPECT_EQ(sp3d.Setup.Hybrid, wl::HybridSp3d);
  EXPECT_EQ(sp3d.Setup.HybridMember, 5);
  EXPECT_EQ(sp3d.Setup.HybridShell, 4);
  EXPECT_EQ(sp3d.Setup.Charge, 3);
  EXPECT_TRUE(sp3d.Drpdf);
  // A custom combination, as the command line and lessons write it.
  const wl::OrbitalLink mix =
      wl::ParseOrbitalLink(QStringLiteral("combine 2s:0.71,2pz:-0.71 Z=2 drpdf"));
  ASSERT_GE(mix.Index, 0) << mix.Error.toStdString();
  EXPECT_EQ(mix.Setup.Hybrid, wl::CustomCombination);
  ASSERT_EQ(mix.Setup.TermCount, 2);
  EXPECT_EQ(mix.Setup.Terms[1].OrbitalIndex, 4);
  EXPECT_EQ(mix.Setup.Terms[1].Coefficient, -0.71);
  EXPECT_EQ(mix.Setup.Charge, 2);
  EXPECT_TRUE(mix.Drpdf);
  EXPECT_TRUE(wl::OrbitalLinkHint(mix).startsWith(
      QStringLiteral("Calculate ") + QString::fromStdU16String(wl::SetupName(mix.Setup))));

  // Refused: the message is the setup's own where it has one.
  const std::vector<std::pair<const char*, std::string>> refused = {
      {"2Pz Z=11", "the nuclear charge Z must be 1 to 10, not 11"},
      {"2P average complex",
       "a subshell average has no complex form; choose one orbital of the subshell"},
      {"sp3 5", "sp\u00b3 hybrids have members 1 to 4"},
      {"sp3d 1 n=2", "sp\u00b3d hybrids are made from the shells n = 3 to 7"},
      {"sp2 1 complex", "hybrids and combinations are real; the complex form is for single orbitals"},
      {"sp2", "as 'sp3 2'"},
      {"sp2 two", "as 'sp3 2'"},
      {"2Pz n=3", "unknown word 'n=3'"},
      {"sp2 1 average", "unknown word 'average'"},
      {"2Pz Z=x", "unknown word 'Z=x'"},
      {"combine", "as 'combine 2s:0.71,2pz:0.71'"},
      {"combine 2s:x", "as 'combine 2s:0.71,2pz:0.71'"},
      {"combine 2s:1,,2pz:1", "as 'combine 2s:0.71,2pz:0.71'"},
      {"combine 2s:1,9q:1", "unknown orbital '9q'"},
      {"combine 2s:1,3pz:1", "a combination takes orbitals of one shell n"},
      {"combine 2s:1 n=2", "unknown word 'n=2' (Z=N, pdf or drpdf)"},
  };
  for (const auto& [words, error] : refused) {
    const wl::OrbitalLink link = wl::ParseOrbitalLink(QString::fromUtf8(words));
    EXPECT_EQ(link.Index, -1) << words;
    EXPECT_TRUE(link.Error.toStdString().find(error) != std::string::npos)
        << words << ": " << link.Error.toStdString();
  }
}

}  // namespace
