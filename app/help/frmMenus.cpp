#include "frmMenus.h"

#include <QAction>
#include <QMenu>

#include "main/Bitmaps.h"

namespace wl {

namespace {
// Dark menus that match the window.
const char* kMenuStyle =
    "QMenu { background: #2e2d32; color: #e8e8ec; border: 1px solid #77757c; padding: 3px; }"
    "QMenu::item { padding: 4px 22px 4px 22px; }"
    "QMenu::item:selected { background: #ffc450; color: black; }"
    "QMenu::item:disabled { color: #807e86; }"
    "QMenu::separator { height: 1px; background: #55535a; margin: 4px 6px; }"
    "QMenu::indicator { left: 4px; width: 12px; height: 12px; }";

QMenu* NewMenu(QWidget* owner, const char* name, const QString& title) {
  auto* menu = new QMenu(title, owner);
  menu->setObjectName(QString::fromLatin1(name));
  menu->setStyleSheet(QString::fromLatin1(kMenuStyle));
  return menu;
}
}  // namespace

QAction* frmMenus::Entry(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

frmMenus::frmMenus(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Wavelore Menu System"));
  setObjectName(QStringLiteral("frmMenus"));

  mnuFile = NewMenu(this, "mnuFile", QStringLiteral("&File"));
  mnuFileSave = Entry(mnuFile, "mnuFileSave", QStringLiteral("&Save..."));
  mnuFileSaveAnimation =
      Entry(mnuFile, "mnuFileSaveAnimation", QStringLiteral("Save &Animation..."));
  mnuFileSaveAnimation->setEnabled(false);
  mnuFilePrint = Entry(mnuFile, "mnuFilePrint", QStringLiteral("&Print..."));
  mnuFile->addSeparator();
  mnuFileOpenView = Entry(mnuFile, "mnuFileOpenView", QStringLiteral("&Open View..."));
  mnuFileSaveView = Entry(mnuFile, "mnuFileSaveView", QStringLiteral("Save &View..."));
  mnuFileSaveView->setEnabled(false);
  mnuFileRecent = NewMenu(this, "mnuFileRecent", QStringLiteral("Recent Vie&ws"));
  mnuFile->addMenu(mnuFileRecent);
  mnuFileRecent->setEnabled(false);
  mnuFile->addSeparator();
  mnuFileDelete = Entry(mnuFile, "mnuFileDelete", QStringLiteral("&Delete Orbital"));
  mnuFileProps = Entry(mnuFile, "mnuFileProps", QStringLiteral("P&roperties..."));
  mnuFile->addSeparator();
  mnuFileFullScreen = Entry(mnuFile, "mnuFileFullScreen", QStringLiteral("Run  &Full-Screen"));
  mnuFileFullScreen->setCheckable(true);
  mnuFileMinimise = Entry(mnuFile, "mnuFileMinimise", QStringLiteral("&Minimise"));
  mnuFile->addSeparator();
  mnuFileExit = Entry(mnuFile, "mnuFileExit", QStringLiteral("E&xit"));

  mnuEdit = NewMenu(this, "mnuEdit", QStringLiteral("&Edit"));
  mnuEditCopyText = Entry(mnuEdit, "mnuEditCopyText", QStringLiteral("Copy &Selection"));
  mnuEdit->addSeparator();
  const QString copyCaptions[4] = {QStringLiteral("Copy A&xes"), QStringLiteral("Copy &Main View"),
                                   QStringLiteral("Copy &Nano View"),
                                   QStringLiteral("Copy &Composite Image")};
  for (int i = 0; i < 4; ++i) {
    mnuEditCopy[i] = Entry(mnuEdit, "mnuEditCopy", copyCaptions[i]);
    mnuEditCopy[i]->setData(i);
  }

  mnuGo = NewMenu(this, "mnuGo", QStringLiteral("&Go"));
  mnuGoBack = Entry(mnuGo, "mnuGoBack", QStringLiteral("&Back"));
  mnuGoForward = Entry(mnuGo, "mnuGoForward", QStringLiteral("&Forward"));
  mnuGoBack->setEnabled(false);
  mnuGoForward->setEnabled(false);
  mnuGo->addSeparator();
  mnuGoHome = Entry(mnuGo, "mnuGoHome", QStringLiteral("&Home"));
  mnuGoRef = Entry(mnuGo, "mnuGoRef", QStringLiteral("&Reference"));
  mnuGoView = Entry(mnuGo, "mnuGoView", QStringLiteral("&View an Orbital"));
  mnuGoGraphs = Entry(mnuGo, "mnuGoGraphs", QStringLiteral("&Graphs"));
  mnuGoGraphs->setEnabled(false);
  mnuGoWeb = Entry(mnuGo, "mnuGoWeb", QStringLiteral("&Wavelore on the Web"));
  mnuGo->addSeparator();
  mnuGoZoomIn = Entry(mnuGo, "mnuGoZoomIn", QStringLiteral("Zoom &In"));
  mnuGoZoomOut = Entry(mnuGo, "mnuGoZoomOut", QStringLiteral("Zoom &Out"));
  mnuGoZoomReset = Entry(mnuGo, "mnuGoZoomReset", QStringLiteral("&Actual Size"));

  mnuHelp = NewMenu(this, "mnuHelp", QStringLiteral("&Help"));
  mnuHelpContents = Entry(mnuHelp, "mnuHelpContents", QStringLiteral("Help &Contents"));
  mnuHelp->addSeparator();
  mnuHelpAbout = Entry(mnuHelp, "mnuHelpAbout", QStringLiteral("&About..."));

  mnuTree = NewMenu(this, "mnuTree", QStringLiteral("TreeView"));
  mnuTreeDelete = Entry(mnuTree, "mnuTreeDelete", QStringLiteral("&Delete Orbital"));
  mnuTree->addSeparator();
  mnuTreeProps = Entry(mnuTree, "mnuTreeProps", QStringLiteral("P&roperties..."));

  eeTSliderOff = Bitmaps::Get(QStringLiteral("EETSLIDEROFF"));
  eeTSliderOn = Bitmaps::Get(QStringLiteral("EETSLIDERON"));
}

}  // namespace wl
