// Lesson files: the document read and written on its own, then opened and
// saved by the program (File > Open View... and Save View..., WL FILE, the
// command line's view), and the standard views on their keys.
#include <QFile>
#include <QMenu>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <numbers>

#include "AppTestSupport.h"
#include "NoFocusCont.h"
#include "graphs/frmGraphs.h"
#include "help/HelpBrowser.h"
#include "help/frmMenus.h"
#include "lessons/LessonFile.h"
#include "orbitals/OrbitalCatalog.h"
#include "orbitals/OrbitalTable.h"

using namespace wltest;

namespace {

// A lesson with a value other than the default in every field.
wl::Lesson EveryField() {
  wl::LessonOrbital a = wl::DefaultLessonOrbital(9, wl::DRPDF);  // 3Dz²
  a.AtomRadius = 25;
  a.DotThreshold = 77;
  a.Mode = wl::Anaglyph;
  a.Theta = -1.25;
  a.Phi = 0.1 + 0.2;  // not exactly representable: written to full precision
  a.TransectDir = wl::Alongz;
  a.TransectNo = -40;
  a.Transector = false;
  a.Swapped = true;
  a.DotTarget = 9000;
  a.ShowProbLevelOnDots = true;
  a.ShowProbLevelOnTrans = false;
  a.VolQuality = 8;
  a.CameraPos = -500;
  a.ProjectionPlane = 100;
  a.StereoFactor = 12;
  a.Glasses = wl::RedCyan;
  a.ShowPhase = true;
  a.Palette = wl::ColourSafe;
  a.EnclosedShare = 0.75;
  a.SurfaceNested = true;
  a.SurfaceCutaway = true;
  a.ShowScaleBar = false;
  a.MarkerRadius = 7.5;
  a.MarkerInSlice = false;
  a.MarkerIn3D = false;
  wl::LessonOrbital b = wl::DefaultLessonOrbital(1, wl::PDF);  // 2S
  b.Mode = wl::BoundarySurface;
  b.MarkerRadius = 3;  // shown with the Graphs window: a marker of 0 would be placed anew
  wl::Lesson lesson;
  lesson.Orbitals = {a, b};
  lesson.Shown = 1;
  lesson.Graphs = true;
  lesson.Tab = wl::GraphsTab::Angular;
  return lesson;
}

TEST(LessonFile, EveryFieldReadsBackAsWritten) {
  const wl::Lesson lesson = EveryField();
  const wl::LessonReading two = wl::ReadLesson(wl::WriteLesson(lesson));
  ASSERT_TRUE(two.Lesson) << two.Error.toStdString();
  EXPECT_TRUE(two.Warnings.isEmpty()) << two.Warnings.join(';').toStdString();
  EXPECT_TRUE(*two.Lesson == lesson);
  // One orbital is written flat, with the keys of the example.
  wl::Lesson one = lesson;
  one.Orbitals.resize(1);
  one.Shown = 0;
  const QByteArray text = wl::WriteLesson(one);
  EXPECT_FALSE(text.contains("\"orbitals\"")) << text.constData();
  EXPECT_TRUE(text.contains("\"orbital\": \"3Dz2\"")) << text.constData();
  const wl::LessonReading flat = wl::ReadLesson(text);
  ASSERT_TRUE(flat.Lesson) << flat.Error.toStdString();
  EXPECT_TRUE(*flat.Lesson == one);
}

TEST(LessonFile, TheShortFormTakesDefaultsAndCommandLineNames) {
  const wl::LessonReading r = wl::ReadLesson(
      R"({"wavelore": 1, "orbital": "3dz²", "view": "drpdf", "mode": "volume",
          "theta": 0.5, "phi": 0.3, "transect": "X:12", "later": [1]})");
  ASSERT_TRUE(r.Lesson) << r.Error.toStdString();
  ASSERT_EQ(r.Lesson->Orbitals.size(), 1u);
  const wl::LessonOrbital& o = r.Lesson->Orbitals[0];
  EXPECT_EQ(o.OrbitalIndex, 9);
  EXPECT_EQ(o.AtomRadius, 20);  // the table's DRPDF radius of 3Dz²
  EXPECT_EQ(o.DotThreshold, 50);
  EXPECT_EQ(o.Mode, wl::Volumetric);
  EXPECT_EQ(o.Theta, 0.5);
  EXPECT_EQ(o.TransectDir, wl::AlongX);
  EXPECT_EQ(o.TransectNo, 12);
  EXPECT_EQ(o.CameraPos, -300);
  EXPECT_EQ(o.ProjectionPlane, 15);
  EXPECT_EQ(r.Warnings, QStringList{QStringLiteral("unknown key \"later\" ignored")});
  // An averaged subshell by name and the flag, an orbital by its index.
  const wl::LessonReading avg =
      wl::ReadLesson(R"({"wavelore": 1, "orbitals": [{"orbital": "4F", "average": true},
                                                     {"orbital": 0, "camrea": 1}]})");
  ASSERT_TRUE(avg.Lesson) << avg.Error.toStdString();
  EXPECT_EQ(wl::kOrbitalTable[avg.Lesson->Orbitals[0].OrbitalIndex].OrbType, wl::AverageOrbs);
  EXPECT_EQ(avg.Lesson->Orbitals[1].OrbitalIndex, 0);
  EXPECT_EQ(avg.Warnings,
            QStringList{QStringLiteral("unknown key \"orbitals[1].camrea\" ignored")});
}

// Each kind of bad input is refused as a whole, the message naming the key.
TEST(LessonFile, BadValuesAreRefusedNamingTheKey) {
  const struct {
    const char* text;
    const char* named;
  } cases[] = {
      {R"({"wavelore": 1, "orbital": "2Pz", )", "not JSON"},
      {R"([1])", "not a lesson"},
      {R"({"orbital": "2Pz"})", "\"wavelore\""},
      {R"({"wavelore": 2, "orbital": "2Pz"})", "\"wavelore\""},
      {R"({"wavelore": 1, "view": "pdf"})", "\"orbital\" is missing"},
      {R"({"wavelore": 1, "orbital": "5Q"})", "\"orbital\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "mode": "glow"})", "\"mode\" must be orthographic|"},
      {R"({"wavelore": 1, "orbital": "2Pz", "mode": "transect"})", "\"mode\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "theta": 7})", "\"theta\" must be a number"},
      {R"({"wavelore": 1, "orbital": "2Pz", "phi": "0.3"})", "\"phi\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "radius": 0})", "\"radius\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "threshold": 12.5})", "\"threshold\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "transect": "w:3"})", "\"transect\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "camera": -300, "projection_plane": -295})",
       "\"projection_plane\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "phase": 1})", "\"phase\" must be true or false"},
      {R"({"wavelore": 1, "orbitals": [{"orbital": "2S"}, {"orbital": "2Pz", "enclosed": 1}]})",
       "\"orbitals[1].enclosed\""},
      {R"({"wavelore": 1, "orbitals": [{"orbital": "2S"}], "shown": 1})", "\"shown\""},
      {R"({"wavelore": 1, "orbitals": []})", "\"orbitals\""},
      {R"({"wavelore": 1, "orbital": "2S", "graphs_tab": "pie"})", "\"graphs_tab\""},
  };
  for (const auto& c : cases) {
    const wl::LessonReading r = wl::ReadLesson(c.text);
    EXPECT_FALSE(r.Lesson) << c.text;
    EXPECT_TRUE(r.Error.contains(QLatin1String(c.named)))
        << c.text << " -> " << r.Error.toStdString();
  }
}

// Ions, complex orbitals, hybrid members and combinations are kept with the
// rest; files without those keys read as before (hydrogen's real orbital).
TEST(LessonFile, ChargeComplexHybridsAndCombinationsReadBackAsWritten) {
  wl::OrbitalSetup ionSetup;
  ionSetup.OrbitalIndex = 2;  // 2Px
  ionSetup.Charge = 3;
  ionSetup.Complex = wl::kTrue;
  const wl::LessonOrbital ion = wl::DefaultLessonOrbital(ionSetup, wl::PDF);
  EXPECT_EQ(ion.Charge, 3);
  EXPECT_TRUE(ion.Complex);
  wl::OrbitalSetup hybridSetup;
  hybridSetup.Hybrid = wl::HybridSp3d;
  hybridSetup.HybridMember = 4;
  hybridSetup.HybridShell = 4;
  hybridSetup.Charge = 2;
  wl::LessonOrbital hybrid = wl::DefaultLessonOrbital(hybridSetup, wl::DRPDF);
  wl::OrbitalSetup comboSetup;
  comboSetup.Hybrid = wl::CustomCombination;
  comboSetup.TermCount = 3;
  comboSetup.Terms[0] = {1, 0.6};
  comboSetup.Terms[1] = {4, -0.8};
  comboSetup.Terms[2] = {2, 0.1 + 0.2};  // written to full precision
  wl::LessonOrbital combo = wl::DefaultLessonOrbital(comboSetup, wl::PDF);
  wl::LessonOrbital g = wl::DefaultLessonOrbital(
      static_cast<wl::Integer>(wl::IndexOfOrbital(7, 6, -5, false)), wl::PDF);
  // The defaults are the setup's own: an ion's cloud is smaller.
  EXPECT_EQ(hybrid.AtomRadius, wl::InfoOf(hybridSetup).DefaultDRPDFAtomRadius);
  EXPECT_LT(ion.AtomRadius, wl::DefaultLessonOrbital(2, wl::PDF).AtomRadius);

  wl::Lesson lesson;
  lesson.Orbitals = {ion, hybrid, combo, g};
  const QByteArray text = wl::WriteLesson(lesson);
  const wl::LessonReading back = wl::ReadLesson(text);
  ASSERT_TRUE(back.Lesson) << back.Error.toStdString() << "\n" << text.constData();
  EXPECT_TRUE(back.Warnings.isEmpty()) << back.Warnings.join(';').toStdString();
  EXPECT_TRUE(*back.Lesson == lesson) << text.constData();
  ASSERT_EQ(back.Lesson->Orbitals.size(), 4u);
  EXPECT_EQ(back.Lesson->Orbitals[2].Terms, combo.Terms);
  // A hybrid or a combination names no row, so an older program refuses it.
  EXPECT_TRUE(text.contains("\"hybrid\": \"sp3d\",\n      \"member\": 4,\n      \"shell\": 4"))
      << text.constData();
  EXPECT_TRUE(text.contains("\"combination\": \"2S:0.59999999999999998,2Pz:-0.80000000000000004,"
                            "2Px:0.30000000000000004\""))
      << text.constData();
  EXPECT_EQ(text.count("\"orbital\""), 2);
  EXPECT_TRUE(text.contains("\"orbital\": \"7I (m = -5)\"")) << text.constData();

  const wl::LessonReading old = wl::ReadLesson(R"({"wavelore": 1, "orbital": "2Pz"})");
  ASSERT_TRUE(old.Lesson);
  const wl::LessonOrbital& o = old.Lesson->Orbitals[0];
  EXPECT_EQ(o.Charge, 1);
  EXPECT_FALSE(o.Complex);
  EXPECT_EQ(o.Hybrid, wl::NoHybrid);
  EXPECT_TRUE(o.Terms.empty());
  EXPECT_TRUE(o == wl::DefaultLessonOrbital(4, wl::PDF));
  // And what a lesson's orbital is calculated with.
  const wl::OrbitalSetup s = wl::SetupOf(back.Lesson->Orbitals[1]);
  EXPECT_EQ(s.Hybrid, wl::HybridSp3d);
  EXPECT_EQ(s.HybridMember, 4);
  EXPECT_EQ(s.Charge, 2);
  EXPECT_EQ(s.OrbitalViewMode, wl::DRPDF);
  EXPECT_EQ(wl::SetupOf(back.Lesson->Orbitals[2]).TermCount, 3);
}

TEST(LessonFile, BadChoicesAreRefusedNamingTheKey) {
  const struct {
    const char* text;
    const char* named;
  } cases[] = {
      {R"({"wavelore": 1, "orbital": "2Pz", "charge": 11})", "\"charge\" must be a whole number"},
      {R"({"wavelore": 1, "orbital": "2Pz", "charge": 1.5})", "\"charge\""},
      {R"({"wavelore": 1, "orbital": "2Pz", "complex": "yes"})", "\"complex\" must be true"},
      {R"({"wavelore": 1, "orbital": "2P", "average": true, "complex": true})",
       "\"complex\" is refused: a subshell average has no complex form"},
      {R"({"wavelore": 1, "orbital": 168})", "\"orbital\" must be an orbital name or an index 0 "
                                             "to 167"},
      {R"({"wavelore": 1, "hybrid": "sp4"})", "\"hybrid\" must be sp|sp2|sp3|sp3d|sp3d2"},
      {R"({"wavelore": 1, "hybrid": "sp3", "member": 5})", "\"member\" must be a whole number "
                                                           "from 1 to 4"},
      {R"({"wavelore": 1, "hybrid": "sp3d", "shell": 2})", "\"shell\" must be a whole number "
                                                           "from 3 to 7"},
      {R"({"wavelore": 1, "hybrid": "sp", "complex": true})", "\"hybrid\" is refused: hybrids"},
      {R"({"wavelore": 1, "hybrid": "sp3", "orbital": "2S"})", "\"hybrid\" and \"orbital\""},
      {R"({"wavelore": 1, "combination": "2S:1", "hybrid": "sp"})",
       "\"hybrid\" and \"combination\""},
      {R"({"wavelore": 1, "combination": "2S:1,3S:1"})",
       "\"combination\" is refused: a combination takes orbitals of one shell n"},
      {R"({"wavelore": 1, "combination": "2S:x"})", "\"combination\" takes up to four terms"},
      {R"({"wavelore": 1, "combination": 3})", "\"combination\" must be a text"},
  };
  for (const auto& c : cases) {
    const wl::LessonReading r = wl::ReadLesson(c.text);
    EXPECT_FALSE(r.Lesson) << c.text;
    EXPECT_TRUE(r.Error.contains(QString::fromUtf8(c.named)))
        << c.text << " -> " << r.Error.toStdString();
  }
}

class Lessons : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(4);
    ASSERT_TRUE(folder.isValid());
  }
  QString Write(const QString& name, const QByteArray& text) const {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
  }
  QTemporaryDir folder;
};

// Opened by the program, every field lands in the views; saved again, the
// document is the same.
TEST_F(Lessons, OpenedAndSavedByTheProgramEveryFieldSurvives) {
  wl::frmMain& w = Started();
  const wl::Lesson lesson = EveryField();
  files->answer = Write(QStringLiteral("class.wavelore"), wl::WriteLesson(lesson));
  w.Menus->mnuFileOpenView->trigger();
  ASSERT_TRUE(messages->asked.empty()) << messages->asked[0].text.toStdString();
  EXPECT_EQ(w.CurrentMode, 3);
  ASSERT_TRUE(w.CurrentLesson());
  EXPECT_TRUE(*w.CurrentLesson() == lesson);
  // What the viewer shows is the second orbital, with the Graphs window on its tab.
  EXPECT_EQ(w.OrbitalViews[static_cast<size_t>(w.CurrentOrbital)].Mode, wl::BoundarySurface);
  ASSERT_TRUE(w.Graphs && w.GraphsShown());
  EXPECT_EQ(w.Graphs->Tab(), static_cast<int>(wl::GraphsTab::Angular));
  // The orbital not shown was drawn with its own choices too: going to it
  // shows its anaglyph (red and green apart) in the small view.
  w.SetMode(3, QString(), QString(), 0, true, true);
  const QImage small = w.eeNanoView->View();
  bool coloured = false;
  for (int y = 0; y < small.height() && !coloured; ++y)
    for (int x = 0; x < small.width() && !coloured; ++x)
      coloured = qRed(small.pixel(x, y)) != qGreen(small.pixel(x, y));
  EXPECT_TRUE(coloured);
  w.SetMode(3, QString(), QString(), 1, true, true);
  // The first orbital's dots were drawn again for its dot target.
  EXPECT_EQ(w.OrbitalViews[0].Stats.DotTarget, 9000);
  EXPECT_EQ(w.OrbitalViews[1].Stats.DotTarget, 16000);

  files->answer = folder.filePath(QStringLiteral("again"));  // typed without the extension
  w.Menus->mnuFileSaveView->trigger();
  QFile saved(folder.filePath(QStringLiteral("again.wavelore")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), wl::WriteLesson(lesson));
  // Both files are the recent views, newest first; the folders are kept.
  ASSERT_EQ(w.RecentViews().size(), 2);
  EXPECT_TRUE(w.RecentViews()[0].endsWith(QLatin1String("again.wavelore")));
  EXPECT_EQ(w.Menus->mnuFileRecent->actions().size(), 2);
  files->answer.reset();
  w.Menus->mnuFileOpenView->trigger();
  EXPECT_EQ(files->asked.back().startPath, folder.path());
}

// A refused file changes nothing: no orbital, no page change, the key named.
TEST_F(Lessons, ARefusedFileLeavesEverythingAsItWas) {
  wl::frmMain& w = Started();
  ASSERT_TRUE(w.Calculate(4, 8, 50, 0));
  const auto before = w.CurrentLesson();
  for (const char* text :
       {"not json at all", R"({"wavelore": 1, "orbital": "2Pz", "mode": "sparkle"})",
        R"({"wavelore": 1, "orbital": "2Pz", "theta": -9})",
        R"({"wavelore": 1, "orbitals": [{"orbital": "1S"}, {"mode": "volume"}]})"}) {
    messages->asked.clear();
    EXPECT_FALSE(w.OpenLesson(Write(QStringLiteral("bad.wavelore"), text))) << text;
    ASSERT_EQ(messages->asked.size(), 1u) << text;
    EXPECT_EQ(messages->asked[0].title, QStringLiteral("Open View"));
    EXPECT_TRUE(w.CurrentLesson() == before) << text;
  }
  EXPECT_TRUE(messages->asked[0].text.contains(QLatin1String("\"orbitals[1].orbital\" is missing")))
      << messages->asked[0].text.toStdString();
  EXPECT_TRUE(w.RecentViews().isEmpty());
  // An orbital the engine refuses after another was calculated: the first goes again.
  wl::Lesson failing;
  failing.Orbitals = {wl::DefaultLessonOrbital(2, wl::PDF), wl::DefaultLessonOrbital(4, wl::PDF)};
  failing.Orbitals[1].OrbitalIndex = wl::kOrbitalCount;  // names no orbital
  messages->asked.clear();
  EXPECT_FALSE(w.ApplyLesson(failing));
  EXPECT_EQ(messages->asked.size(), 1u);
  EXPECT_TRUE(w.CurrentLesson() == before);
  EXPECT_EQ(w.Node(QStringLiteral("ORB1")), nullptr);
}

// WL FILE opens the lesson; the command line's view is the same view.
TEST_F(Lessons, StartedWithAFileOrTheSameViewOnTheCommandLine) {
  wl::StartOptions byFile;
  byFile.LessonFile = Write(QStringLiteral("one.wavelore"),
                            R"({"wavelore": 1, "orbital": "3Dz2", "mode": "volume",
                                "theta": 0.5, "phi": 0.3, "transect": "z:40"})");
  window = wl::modMain::Main(byFile).Window;
  ASSERT_TRUE(window);
  const auto fromFile = window->CurrentLesson();
  ASSERT_TRUE(fromFile);
  window.reset();

  wl::StartOptions byOptions;
  byOptions.Orbital = wl::OrbitalSetup{};
  byOptions.Orbital->OrbitalIndex = 9;
  byOptions.Orbital->AtomRadius = 18;
  byOptions.Orbital->DotThreshold = 30;
  byOptions.Mode = wl::Volumetric;
  byOptions.Theta = 0.5;
  byOptions.Phi = 0.3;
  byOptions.TransectDir = wl::Alongz;
  byOptions.TransectNo = 40;
  window = wl::modMain::Main(byOptions).Window;
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->CurrentLesson() == fromFile);
  const wl::OrbitalView& v = window->OrbitalViews[static_cast<size_t>(window->CurrentOrbital)];
  EXPECT_EQ(v.Theta, 0.5);
  EXPECT_EQ(v.TransectNo, 40);
  EXPECT_EQ(v.SliderLeft, wl::frmMain::SliderLeftFor(40));
}

// The start options' ion and complex form reach the viewer and the lesson it
// saves, and that lesson opens the same orbital again.
TEST_F(Lessons, StartedWithAnIonsComplexOrbitalItIsKept) {
  wl::StartOptions options;
  options.Orbital = wl::OrbitalSetup{};
  options.Orbital->OrbitalIndex = 2;  // 2Px: m = +1
  options.Orbital->Charge = 2;
  options.Orbital->Complex = wl::kTrue;
  const wl::OrbInfo info = wl::InfoOf(*options.Orbital);
  options.Orbital->AtomRadius = info.DefaultPDFAtomRadius;
  options.Orbital->DotThreshold = static_cast<wl::Byte>(info.DefaultPDFDotThreshold);
  window = wl::modMain::Main(options).Window;
  ASSERT_TRUE(window);
  const auto lesson = window->CurrentLesson();
  ASSERT_TRUE(lesson);
  ASSERT_EQ(lesson->Orbitals.size(), 1u);
  const wl::LessonOrbital& o = lesson->Orbitals[0];
  EXPECT_EQ(o.OrbitalIndex, 2);
  EXPECT_EQ(o.Charge, 2);
  EXPECT_TRUE(o.Complex);
  EXPECT_EQ(o.AtomRadius, 4);  // hydrogen's 8, halved
  const wl::OrbitalView& v = window->OrbitalViews[static_cast<size_t>(window->CurrentOrbital)];
  EXPECT_EQ(v.Setup.Charge, 2);
  EXPECT_EQ(QString::fromStdU16String(v.Info.Name), QStringLiteral("2P m=+1 (complex), He\u207a"));

  const QString path = Write(QStringLiteral("ion.wavelore"), wl::WriteLesson(*lesson));
  window.reset();
  wl::StartOptions byFile;
  byFile.LessonFile = path;
  window = wl::modMain::Main(byFile).Window;
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->CurrentLesson() == lesson);
}

// A file with a hybrid member and a combination opens both, named as such,
// and saves them back unchanged.
TEST_F(Lessons, AHybridAndACombinationOpenFromAFile) {
  wl::frmMain& w = Started();
  const QByteArray text = R"({"wavelore": 1, "orbitals": [
      {"hybrid": "sp3", "member": 2, "phase": true},
      {"combination": "2s:1,2pz:-1", "charge": 2}]})";
  ASSERT_TRUE(w.OpenLesson(Write(QStringLiteral("hybrids.wavelore"), text)));
  const auto lesson = w.CurrentLesson();
  ASSERT_TRUE(lesson);
  ASSERT_EQ(lesson->Orbitals.size(), 2u);
  EXPECT_EQ(lesson->Orbitals[0].Hybrid, wl::HybridSp3);
  EXPECT_EQ(lesson->Orbitals[0].HybridMember, 2);
  EXPECT_TRUE(lesson->Orbitals[0].ShowPhase);  // a hybrid has a sign
  EXPECT_EQ(lesson->Orbitals[1].Hybrid, wl::CustomCombination);
  EXPECT_EQ(lesson->Orbitals[1].Terms.size(), 2u);
  EXPECT_EQ(lesson->Orbitals[1].Charge, 2);
  const auto name = [&](size_t i) {
    return QString::fromStdU16String(w.OrbitalViews.at(i).Info.Name);
  };
  EXPECT_EQ(name(0), QStringLiteral("sp\u00b3 hybrid 2 of 4"));
  EXPECT_EQ(name(1), QStringLiteral("0.71 2S \u2212 0.71 2Pz, He\u207a"));
  const wl::LessonReading again = wl::ReadLesson(wl::WriteLesson(*lesson));
  ASSERT_TRUE(again.Lesson);
  EXPECT_TRUE(*again.Lesson == *lesson);
}

// A link on a page to a lesson file beside it opens the lesson.
TEST_F(Lessons, APageLinkOpensTheLessonBesideIt) {
  wl::frmMain& w = Started();
  w.SetMode(1, w.AppPath + QStringLiteral("HELP\\F_MOUSEANDKEYS.HTM"), QString(), 0, true, true);
  ASSERT_TRUE(w.WLtext->source().isLocalFile());
  emit w.WLtext->anchorClicked(QUrl(QStringLiteral("NODES.WAVELORE")));
  EXPECT_TRUE(messages->asked.empty());
  EXPECT_EQ(w.CurrentMode, 3);
  const auto opened = w.CurrentLesson();
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->Orbitals.size(), 3u);
  EXPECT_TRUE(w.GraphsShown());
}

// Keys 0, X, Y and Z in a focused view choose the standard views.
TEST_F(Lessons, PresetsByKeys) {
  wl::frmMain& w = Started();
  ASSERT_TRUE(w.Calculate(4, 8, 50, 0));
  wl::OrbitalView& v = w.OrbitalViews[static_cast<size_t>(w.CurrentOrbital)];
  w.eeMainView->setFocus();
  QTest::keyClick(w.eeMainView, Qt::Key_Left);
  QTest::keyClick(w.eeMainView, Qt::Key_Up);
  ASSERT_NE(v.Phi, 0);
  QTest::keyClick(w.eeMainView, Qt::Key_Z);
  EXPECT_DOUBLE_EQ(v.Theta, -std::numbers::pi / 2);
  EXPECT_EQ(v.Phi, 0);
  QTest::keyClick(w.eeMainView, Qt::Key_X);
  EXPECT_EQ(v.Theta, 0);
  EXPECT_DOUBLE_EQ(v.Phi, std::numbers::pi / 2);
  v.CameraPos = -700;
  v.TransectNo = 60;
  QTest::keyClick(w.eeMainView, Qt::Key_0);
  EXPECT_EQ(v.Theta, 0);
  EXPECT_EQ(v.Phi, 0);
  EXPECT_EQ(v.CameraPos, -300);
  EXPECT_EQ(v.TransectNo, 0);
  EXPECT_EQ(v.SliderLeft, wl::frmMain::SliderLeftFor(0));
  // The keys are the view's: typed in the page tree they do nothing.
  v.Phi = 1;
  w.WLtree->setFocus();
  QTest::keyClick(w.WLtree, Qt::Key_Y);
  EXPECT_EQ(v.Phi, 1);
}

}  // namespace
