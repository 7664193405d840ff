// The File and Edit menu entries that save, print, copy and show the
// orbital's properties. On the viewer page they work on the orbital's
// pictures, on the help page on the page shown.
#include <QAction>
#include <QApplication>
#include <QClipboard>

#include "Axes.h"
#include "NoFocusCont.h"
#include "dialogs/SavePrintTexts.h"
#include "dialogs/Worksheet.h"
#include "dialogs/frmSaveAnimation.h"
#include "dialogs/frmSavePrint.h"
#include "dialogs/frmStats.h"
#include "frmMenus.h"
#include "help/HelpBrowser.h"
#include "main/frmMain.h"

namespace wl {

void frmMain::ConnectFileCommands() {
  frmMenus* m = Menus;
  connect(m->mnuFileSave, &QAction::triggered, this, [this] { mnuFileSave_Click(); });
  connect(m->mnuFilePrint, &QAction::triggered, this, [this] { mnuFilePrint_Click(); });
  connect(m->mnuFileSaveAnimation, &QAction::triggered, this, [this] { OpenSaveAnimation(); });
  connect(m->mnuFileProps, &QAction::triggered, this, [this] { ShowProperties(); });
  connect(m->mnuTreeProps, &QAction::triggered, this, [this] { ShowProperties(); });
  connect(m->mnuEditCopyText, &QAction::triggered, this, [this] { WLtext->copy(); });
  for (int i = 0; i < 4; ++i) {
    connect(m->mnuEditCopy[i], &QAction::triggered, this, [this, i] { mnuEditCopy_Click(i); });
  }
}

// The save and print dialog of the viewer, window-modal.
void frmMain::OpenSavePrint(bool print) {
  auto* dialog = new frmSavePrint(*this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->SetUpDialog(print);
  dialog->open();
}

void frmMain::OpenSaveAnimation() {
  if (CurrentMode != 3) return;
  auto* dialog = new frmSaveAnimation(*this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
}

void frmMain::mnuFileSave_Click() {
  if (CurrentMode == 3) {
    OpenSavePrint(false);
  } else if (CurrentMode == 1) {
    WLtext->SavePage(GetDocumentsFolder());
  }
}

void frmMain::mnuFilePrint_Click() {
  if (!AppServices().Printer->HasPrinter()) {
    // In the viewer the orbital's worksheet can go to a PDF file instead.
    const bool sheet = CurrentMode == 3 && !OrbitalViews.empty();
    const MsgAnswer answer =
        MsgBox(this,
               QStringLiteral("No printers were found. Please install a printer before clicking "
                              "on print."),
               QStringLiteral("No Printer Found"), MsgIcon::Critical,
               sheet ? MsgButtons::OKSaveAsPdf : MsgButtons::OK);
    if (answer == MsgAnswer::SaveAsPdf) {
      const std::optional<QString> error =
          SaveWorksheet(*this, this, QStringLiteral("Save as PDF..."), WorksheetChoice{});
      if (error) {
        MsgBox(this, QStringLiteral("Error: ") + *error, QStringLiteral("Error"),
               MsgIcon::Critical);
      }
    }
    return;
  }
  if (CurrentMode == 3) {
    OpenSavePrint(true);
  } else if (CurrentMode == 1) {
    WLtext->PrintPage();
  }
}

void frmMain::ShowProperties() {
  if (CurrentMode != 3) return;
  auto* window = new frmStats(*this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  EngineGuard([&] { window->ShowStats(CurrentOrbital); });
  window->open();
}

void frmMain::mnuEditCopy_Click(int i) {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  QImage picture;
  switch (i) {
    case 0:
      picture = eeAxes->Image();
      break;
    case 1:
      picture = eeMainView->Image();
      break;
    case 2:
      picture = eeNanoView->Image();
      break;
    default:
      picture = ComposeImage(*this);
      break;
  }
  clipboard->setImage(picture);
}

}  // namespace wl
