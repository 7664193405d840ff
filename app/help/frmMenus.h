// The menu window: never shown, it holds the main window's pop-up menus
// (File, Edit, Go, Help and the page tree's menu) and the slider thumb's
// two pictures.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

#include "wlapp_export.h"

class QAction;
class QMenu;

namespace wl {

class WLAPP_EXPORT frmMenus : public QWidget {
  Q_OBJECT

 public:
  explicit frmMenus(QWidget* parent = nullptr);

  QMenu* mnuFile;
  QAction* mnuFileSave;
  QAction* mnuFileSaveAnimation;  // a turn of the camera or a sweep of the slice
  QAction* mnuFilePrint;
  QAction* mnuFileOpenView;  // lesson files (.wavelore)
  QAction* mnuFileSaveView;
  QMenu* mnuFileRecent;      // the lesson files opened or saved last
  QAction* mnuFileDelete;
  QAction* mnuFileProps;
  QAction* mnuFileFullScreen;
  QAction* mnuFileMinimise;
  QAction* mnuFileExit;

  QMenu* mnuEdit;
  QAction* mnuEditCopyText;
  std::array<QAction*, 4> mnuEditCopy{};

  QMenu* mnuGo;
  QAction* mnuGoBack;
  QAction* mnuGoForward;
  QAction* mnuGoHome;
  QAction* mnuGoRef;
  QAction* mnuGoView;
  QAction* mnuGoGraphs;  // the Graphs window of the orbital shown
  QAction* mnuGoWeb;
  // The whole window larger or smaller (Ctrl++, Ctrl+-, Ctrl+0).
  QAction* mnuGoZoomIn;
  QAction* mnuGoZoomOut;
  QAction* mnuGoZoomReset;

  QMenu* mnuHelp;
  QAction* mnuHelpContents;
  QAction* mnuHelpAbout;

  QMenu* mnuTree;
  QAction* mnuTreeDelete;
  QAction* mnuTreeProps;

  // The slider thumb released and pressed.
  QPixmap eeTSliderOff;
  QPixmap eeTSliderOn;

 private:
  QAction* Entry(QMenu* menu, const char* name, const QString& caption);
};

}  // namespace wl
