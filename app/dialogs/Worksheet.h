// A one-page worksheet of the orbital shown, for a class: its name and what
// the views show, its pictures, its radial graph and the figures of its
// Orbital Properties. Written as a PDF (vector text, the pictures at the full
// resolution they were drawn at) or painted onto a printer's page.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "ImageFile.h"
#include "frmStats.h"
#include "wlapp_export.h"

class QPainter;
class QWidget;
QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace wl {

class frmMain;

// What goes on the page.
struct WorksheetChoice {
  bool Views = true;        // the main and the small view, side by side
  bool RadialGraph = true;  // R(r) and P(r) from the Graphs window
  int Pixels = 1024;        // the views' pictures, pixels a side
};

// Everything the page shows, gathered before anything is painted.
struct WorksheetContent {
  QString Heading;   // the composite's first caption line
  QString Subtitle;  // what the views show, when they are not on the page
  QImage MainPicture, SmallPicture;
  QString MainCaption, SmallCaption;
  std::shared_ptr<QChart> Graph;  // none without a graph
  std::vector<StatsFigure> Figures;
  QString ModeLine;  // the most frequent probability level
};

// Gathers the worksheet of the orbital shown (an empty one when none is).
// Renders the views through the engine and takes its statistics; raises what
// the engine raises.
WLAPP_EXPORT WorksheetContent GatherWorksheet(frmMain& main, const WorksheetChoice& choice);

// Paints the worksheet onto the page of `painter`'s device (A4 or whatever
// paper it is), with margins of 15 mm.
WLAPP_EXPORT void PaintWorksheet(QPainter& painter, const WorksheetContent& content);

// The worksheet as the bytes of a one-page A4 PDF document.
WLAPP_EXPORT QByteArray WorksheetPdf(const WorksheetContent& content, const QString& title);

// The file type offered when saving a worksheet.
WLAPP_EXPORT QStringList WorksheetFileFilters();

// The worksheet's file: a name without an extension gets ".pdf", a name
// ending in .pdf (any case) is kept, any other extension is refused.
WLAPP_EXPORT ImageTarget ResolveWorksheetTarget(const QString& name);

// Asks for a file name with the file dialog titled `caption` (starting in the
// picture folder, proposing the orbital's name) and writes the worksheet of
// the orbital shown there. Returns what went wrong, or none (also when the
// user cancelled, and when the engine failed: the user has been told).
WLAPP_EXPORT std::optional<QString> SaveWorksheet(frmMain& main, QWidget* parent,
                                                  const QString& caption,
                                                  const WorksheetChoice& choice);

}  // namespace wl
