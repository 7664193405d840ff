// Lesson files in the program: File > Open View..., Save View..., the Recent
// Views submenu, and turning a lesson into calculated orbitals and back.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTreeWidgetItem>

#include "dialogs/frmViewOptions.h"
#include "frmMain.h"
#include "graphs/frmGraphs.h"
#include "help/frmMenus.h"
#include "help/modHistory.h"
#include "shell/Settings.h"
#include "shell/WholeFile.h"

namespace wl {

namespace {
const char kRecentKey[] = "Lessons/Recent";
const char kOpenFolderKey[] = "Lessons/OpenFolder";
const char kSaveFolderKey[] = "Lessons/SaveFolder";
constexpr int kRecentCount = 8;
constexpr Long kStartDots = 16000;  // the dot target every calculation starts with

QString OpenTitle() {
  return QStringLiteral("Open View");
}

QStringList LessonFilters() {
  return {QStringLiteral("Wavelore lessons (*.%1)").arg(LessonExtension()),
          QStringLiteral("All files (*)")};
}

QString Folder(const char* key) {
  const QString folder = ProgramSettings().value(QLatin1String(key)).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : GetDocumentsFolder();
}

// The view of a calculated orbital as a lesson keeps it, and back.
LessonOrbital ToLesson(const OrbitalView& v) {
  LessonOrbital o = DefaultLessonOrbital(v.Setup, v.ViewMode);
  o.AtomRadius = static_cast<Integer>(v.AtomRadius);
  o.DotThreshold = v.DotThreshold;
  o.Mode = v.Mode;
  o.Theta = v.Theta;
  o.Phi = v.Phi;
  o.TransectDir = v.TransectDir;
  o.TransectNo = v.TransectNo;
  o.Transector = v.Transector;
  o.Swapped = v.Swapped != 0;
  o.DotTarget = v.DotTarget;
  o.ShowProbLevelOnDots = v.ShowProbLevelOnDots;
  o.ShowProbLevelOnTrans = v.ShowProbLevelOnTrans;
  o.VolQuality = v.VolQuality;
  o.CameraPos = v.CameraPos;
  o.ProjectionPlane = v.ProjectionPlane;
  o.StereoFactor = v.StereoFactor;
  o.Glasses = v.Glasses;
  o.ShowPhase = v.ShowPhase;
  o.Palette = v.Palette;
  o.EnclosedShare = v.EnclosedShare;
  o.SurfaceNested = v.SurfaceNested;
  o.SurfaceCutaway = v.SurfaceCutaway;
  o.ShowScaleBar = v.ShowScaleBar;
  o.MarkerRadius = v.MarkerRadius;
  o.MarkerInSlice = v.MarkerInSlice;
  o.MarkerIn3D = v.MarkerIn3D;
  return o;
}

// The choices of a lesson on a freshly calculated orbital's view.
void ApplyTo(const LessonOrbital& o, OrbitalView& v) {
  v.Mode = o.Mode;
  v.Theta = o.Theta;
  v.Phi = o.Phi;
  v.TransectDir = o.TransectDir;
  v.TransectNo = o.TransectNo;
  v.SliderLeft = frmMain::SliderLeftFor(o.TransectNo);
  v.Transector = o.Transector;
  v.Swapped = o.Swapped ? 1 : 0;
  v.DotTarget = o.DotTarget;
  v.ShowProbLevelOnDots = o.ShowProbLevelOnDots;
  v.ShowProbLevelOnTrans = o.ShowProbLevelOnTrans;
  v.VolQuality = o.VolQuality;
  v.CameraPos = o.CameraPos;
  v.ProjectionPlane = o.ProjectionPlane;
  v.StereoFactor = o.StereoFactor;
  v.Glasses = o.Glasses;
  v.ShowPhase = o.ShowPhase && v.Info.OrbType != AverageOrbs;  // averages have no sign
  v.Palette = o.Palette;
  v.EnclosedShare = o.EnclosedShare;
  v.SurfaceNested = o.SurfaceNested;
  v.SurfaceCutaway = o.SurfaceCutaway;
  v.ShowScaleBar = o.ShowScaleBar;
  v.MarkerRadius = o.MarkerRadius;
  v.MarkerInSlice = o.MarkerInSlice;
  v.MarkerIn3D = o.MarkerIn3D;
}
}  // namespace

void frmMain::ConnectLessonCommands() {
  Menus->mnuFileOpenView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  addAction(Menus->mnuFileOpenView);
  connect(Menus->mnuFileOpenView, &QAction::triggered, this, [this] { mnuFileOpenView_Click(); });
  connect(Menus->mnuFileSaveView, &QAction::triggered, this, [this] { mnuFileSaveView_Click(); });
  FillRecentViews();
}

void frmMain::mnuFileOpenView_Click() {
  const std::optional<QString> name = AppServices().Files->OpenFileName(
      this, QStringLiteral("Open View..."), Folder(kOpenFolderKey), LessonFilters());
  if (!name) return;
  ProgramSettings().setValue(QLatin1String(kOpenFolderKey), QFileInfo(*name).absolutePath());
  OpenLesson(*name);
}

void frmMain::mnuFileSaveView_Click() {
  if (CurrentMode != 3 || OrbitalViews.empty()) return;
  QString stem = QString::fromStdU16String(Current().Info.Name);
  stem.replace(QChar(0x00B2), QLatin1Char('2')).replace(QChar(0x00B3), QLatin1Char('3'));
  const QString start =
      Folder(kSaveFolderKey) + QLatin1Char('/') + stem + QLatin1Char('.') + LessonExtension();
  const std::optional<QString> name = AppServices().Files->SaveFileName(
      this, QStringLiteral("Save View..."), start, LessonFilters());
  if (!name) return;
  QString path = *name;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + LessonExtension();
  if (SaveLesson(path))
    ProgramSettings().setValue(QLatin1String(kSaveFolderKey), QFileInfo(path).absolutePath());
}

std::optional<Lesson> frmMain::CurrentLesson() const {
  Lesson lesson;
  for (size_t i = 0; i < OrbitalViews.size(); ++i) {
    if (!Node(QStringLiteral("ORB%1").arg(i))) continue;  // deleted, or never calculated
    if (static_cast<Integer>(i) == CurrentOrbital) lesson.Shown = lesson.Orbitals.size();
    lesson.Orbitals.push_back(ToLesson(OrbitalViews[i]));
  }
  if (lesson.Orbitals.empty()) return std::nullopt;
  lesson.Graphs = GraphsShown();
  if (Graphs) lesson.Tab = static_cast<GraphsTab>(Graphs->Tab());
  return lesson;
}

bool frmMain::SaveLesson(const QString& path) {
  const std::optional<Lesson> lesson = CurrentLesson();
  if (!lesson) return false;
  if (const std::optional<QString> error = WriteWholeFile(path, WriteLesson(*lesson))) {
    MsgBox(this, *error, QStringLiteral("Save View"), MsgIcon::Exclamation);
    return false;
  }
  RememberRecentView(path);
  SetStatus(QStringLiteral("Saved the view in %1").arg(QFileInfo(path).fileName()), false);
  return true;
}

bool frmMain::OpenLesson(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    MsgBox(this,
           QStringLiteral("Cannot open %1: %2")
               .arg(QDir::toNativeSeparators(path), file.errorString()),
           OpenTitle(), MsgIcon::Exclamation);
    return false;
  }
  // A lesson is a few kilobytes; anything far larger is not one.
  const QByteArray text = file.read(1 << 20);
  const LessonReading reading = ReadLesson(text);
  if (!reading.Lesson) {
    MsgBox(
        this,
        QStringLiteral("%1 was not opened.\n\n%2").arg(QFileInfo(path).fileName(), reading.Error),
        OpenTitle(), MsgIcon::Exclamation);
    return false;
  }
  if (!ApplyLesson(*reading.Lesson)) return false;
  RememberRecentView(path);
  if (!reading.Warnings.isEmpty()) {
    // Keys of a newer program, or typing slips: the lesson opens without them.
    for (const QString& w : reading.Warnings) qWarning("%s: %s", qPrintable(path), qPrintable(w));
    SetStatus(QStringLiteral("%1 opened; %2")
                  .arg(QFileInfo(path).fileName(), reading.Warnings.join(QStringLiteral("; "))),
              false);
  }
  return true;
}

bool frmMain::ApplyLesson(const Lesson& lesson) {
  std::vector<Integer> added;
  const auto undo = [&] {
    for (auto it = added.rbegin(); it != added.rend(); ++it) DropOrbital(*it);
    return false;
  };
  for (const LessonOrbital& o : lesson.Orbitals) {
    if (!Calculate(SetupOf(o))) return undo();
    const Integer I = CurrentOrbital;  // the orbital just calculated is shown
    added.push_back(I);
    OrbitalView& v = OrbitalViews[static_cast<size_t>(I)];
    ApplyTo(o, v);
    // Its pictures as the lesson has them, ready for when it is shown.
    if (!EngineGuard([&] {
          if (o.DotTarget != kStartDots) {
            Engine.Orbitals().ReFillDotMatrix(I, v.DotThreshold, v.DotTarget);
            v.Stats = Engine.Orbitals().GetStats(I);
          }
          FrameUpdateBoth(true);
        }))
      return undo();
  }
  // The orbital shown, with its buttons, slider and options.
  SetMode(3, QString(), QString(), added.at(lesson.Shown), true, true);
  RefreshViewerButtons();
  if (OptionsShown && ViewOptions) ViewOptions->LoadOptions();
  ShowViewerStatus();
  if (lesson.Graphs) {
    ShowGraphs(true);
    if (Graphs) Graphs->SetTab(static_cast<int>(lesson.Tab));
  } else {
    ShowGraphs(false);
  }
  GraphsFollow();
  RefreshOverlays();
  return true;
}

void frmMain::DropOrbital(Integer OrbIndex) {
  EngineGuard([&] { Engine.Orbitals().Delete(OrbIndex); });
  RemoveNode(QStringLiteral("ORB%1").arg(OrbIndex));
  OrbitalViews[static_cast<size_t>(OrbIndex)] = OrbitalView{};
  modHistory::HistoryRemoveOrbital(*this, OrbIndex);
  GraphsFollow();
}

QStringList frmMain::RecentViews() const {
  return ProgramSettings().value(QLatin1String(kRecentKey)).toStringList();
}

void frmMain::RememberRecentView(const QString& path) {
  QStringList recent = RecentViews();
  const QString full = QFileInfo(path).absoluteFilePath();
  recent.removeAll(full);
  recent.prepend(full);
  while (recent.size() > kRecentCount) recent.removeLast();
  ProgramSettings().setValue(QLatin1String(kRecentKey), recent);
  FillRecentViews();
}

void frmMain::FillRecentViews() {
  QMenu* menu = Menus->mnuFileRecent;
  menu->clear();
  const QStringList recent = RecentViews();
  for (int i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
        QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
    entry->setToolTip(QDir::toNativeSeparators(path));
    connect(entry, &QAction::triggered, this, [this, path] {
      if (!QFileInfo::exists(path)) {
        // Moved or deleted since: it leaves the list.
        QStringList kept = RecentViews();
        kept.removeAll(path);
        ProgramSettings().setValue(QLatin1String(kRecentKey), kept);
        FillRecentViews();
      }
      OpenLesson(path);
    });
  }
  menu->setEnabled(!recent.isEmpty());
}

}  // namespace wl
