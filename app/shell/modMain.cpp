#include "modMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTreeWidget>

#include "dialogs/EngineAboutBox.h"
#include "frmSplash.h"
#include "help/frmMenus.h"
#include "main/Zoom.h"
#include "main/frmMain.h"
#include "modDisplay.h"
#include "modWindows.h"

namespace wl {

namespace {
StartResult Refused() {
  return StartResult{nullptr, 1};
}

bool HasHomePage(const QString& folder) {
  const QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Files)) {
    if (name.compare(QLatin1String("WL.HTM"), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}
}  // namespace

QString FindPagesFolder(const QString& programFolder) {
  const QString installed = QDir(programFolder).filePath(QStringLiteral("../share/wavelore"));
  if (!HasHomePage(programFolder) && HasHomePage(installed)) return QDir::cleanPath(installed);
  return programFolder;
}

Long GetIEVersion() {
  const auto& version = AppServices().BrowserVersion;
  return version ? version() : 0;
}

StartResult modMain::Main(const StartOptions& options) {
  Zoom::ApplyAtStart(options.Scale);
  frmSplash splash;
  splash.show();
  QCoreApplication::processEvents();

  if (GetIEVersion() < 4) {
    MsgBox(nullptr,
           QStringLiteral("Wavelore can not run because it requires Internet Explorer 4 or greater "
                          "to be installed. Please upgrade Internet Explorer before running "
                          "Wavelore."),
           QStringLiteral("Old Version of Internet Explorer"), MsgIcon::Critical);
    return Refused();
  }

  auto form = std::make_unique<frmMain>();
  form->OwnerHwnd = modWindows::SetAppIcon(form.get());
  modWindows::HookOwner(*form);

  form->OrbInfoTable = form->Engine.EnumOrbitals();
  EngineAboutBox::Install();

  form->StartMode = modDisplay::GetCurrentMode();
  const auto best = modDisplay::FindBestMode(modDisplay::EnumDisplayModes());
  if (!best) {
    MsgBox(nullptr,
           QStringLiteral("Your system is not able to display Wavelore. Wavelore requires 800x600 "
                          "in at least 16bit colour"),
           QStringLiteral("Display Error"), MsgIcon::Critical);
    modWindows::UnhookOwner(*form);
    return Refused();
  }
  form->BestMode = *best;

  const Long W = form->StartMode.dmPelsWidth;
  const Long H = form->StartMode.dmPelsHeight;
  const Long B = form->StartMode.dmBitsPerPel;
  const Long Bbest = form->BestMode.dmBitsPerPel;
  if (H == 600 && W == 800 && B >= 16) {
    if (Bbest > 16 && B == 16 &&
        MsgBox(nullptr,
               QStringLiteral("Your bit depth is currently 16 bits per pixel. Wavelore can run in "
                              "16bit mode but for best results it is recomended that you change to "
                              "24bit or higher. Would you like Wavelore to do this now?"),
               QStringLiteral("Increase bit depth?"), MsgIcon::None,
               MsgButtons::YesNo) == MsgAnswer::Yes) {
      modDisplay::SetFullScreen(*form, true);
    }
    form->WindowedAllowed = false;
    form->FullScreen = true;
  } else if ((H >= 600 || W >= 800) && B >= 16) {
    form->WindowedAllowed = true;
    form->FullScreen = false;
  } else {
    const MsgAnswer answer = MsgBox(
        nullptr,
        QStringLiteral("Wavelore needs to run in a resolution of 800 x 600 in at least 16bit. "
                       "Would you like Wavelore to increase your screen's resolution so that you "
                       "can run Wavelore? (clicking No will quit Wavelore)"),
        QStringLiteral("Higher resolution required"), MsgIcon::None, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes) {
      modWindows::UnhookOwner(*form);
      return Refused();
    }
    if (!modDisplay::SetFullScreen(*form, true)) {
      MsgBox(nullptr,
             QStringLiteral("Wavelore could not automatically change your resolution. Please "
                            "change the resolution using display properties in control panel to "
                            "800 x 600, 24bit colour and then run Wavelore again."),
             QStringLiteral("Resolution change failed"), MsgIcon::Critical);
      modWindows::UnhookOwner(*form);
      return Refused();
    }
    form->WindowedAllowed = false;
    form->FullScreen = true;
  }

  form->Menus->mnuFileFullScreen->setChecked(form->FullScreen);
  form->Menus->mnuFileFullScreen->setEnabled(form->WindowedAllowed);

  splash.SetStatusText(QStringLiteral("Please wait... Loading data"));
  QCoreApplication::processEvents();

  const QString programFolder = options.ProgramFolder.isEmpty()
                                    ? QCoreApplication::applicationDirPath()
                                    : options.ProgramFolder;
  form->FormSetup(FindPagesFolder(programFolder));

  splash.SetStatusText(QStringLiteral("Loading Wavelore..."));
  QCoreApplication::processEvents();

  modWindows::SetTaskbarTopmost(!form->FullScreen);

  // A window that fills the screen sits at its corner; otherwise it is centred.
  if (form->FullScreen) {
    form->move(AppServices().Display->Origin());
  } else {
    form->move((W - form->width()) / 2, (H - form->height()) / 2);
  }
  form->show();
  // Under a window manager the program stays above a full-screen backdrop.
  if (form->FullScreen) AppServices().Display->PresentAbove(form.get());
  // The keyboard starts in the page tree rather than on the title bar's buttons.
  form->WLtree->setFocus();
  splash.close();

  if (options.Orbital) {
    // The view the options describe, opened as a lesson of one orbital.
    const OrbitalSetup& o = *options.Orbital;
    Lesson lesson;
    LessonOrbital view = DefaultLessonOrbital(o, o.OrbitalViewMode);
    view.AtomRadius = o.AtomRadius;
    view.DotThreshold = o.DotThreshold;
    view.Mode = options.Mode.value_or(view.Mode);
    view.ShowPhase = options.Phase;
    view.Theta = options.Theta.value_or(view.Theta);
    view.Phi = options.Phi.value_or(view.Phi);
    view.TransectDir = options.TransectDir.value_or(view.TransectDir);
    if (options.TransectDir) view.TransectNo = options.TransectNo;
    lesson.Orbitals.push_back(view);
    lesson.Graphs = options.Graphs;
    form->ApplyLesson(lesson);
  } else if (!options.LessonFile.isEmpty()) {
    form->OpenLesson(options.LessonFile);
  }
  return StartResult{std::move(form), 0};
}

}  // namespace wl
