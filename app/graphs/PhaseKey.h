// The colour wheel key of arg ψ in the Graphs window: for complex orbitals a
// small wheel in the top-right corner of a chart's view.
#pragma once

#include "ChartKit.h"

class QPainter;
class QSize;
class QWidget;

namespace wl {

// Shows the key over `view`'s top-right corner when `complex`, else hides it.
// The key is a child of the view and follows it when it is resized.
WLGRAPHS_EXPORT void ShowPhaseKey(QWidget* view, bool complex);
// Paints the key `view` shows, if any, where it stands, on a picture of the
// view's chart of `size`: exported pictures carry it as the window does.
WLGRAPHS_EXPORT void PaintShownPhaseKey(const QWidget* view, QPainter& painter, QSize size);

}  // namespace wl
