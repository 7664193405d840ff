#include "ToolPlacement.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace wl::ToolPlacement {

namespace {
constexpr int kGap = 8;  // between the main window and a window beside it

long long Covered(const QRect& window, const QRect& keepClear) {
  const QRect common = window.intersected(keepClear);
  return common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
}
}  // namespace

QPoint OnScreen(QPoint place, const QSize& tool, const QRect& screen) {
  place.setX(std::max(std::min(place.x(), screen.right() + 1 - tool.width()), screen.left()));
  place.setY(std::max(std::min(place.y(), screen.bottom() + 1 - tool.height()), screen.top()));
  return place;
}

QPoint Beside(const QRect& main, const QRect& keepClear, const QSize& tool, const QRect& screen) {
  const std::array<QPoint, 3> wanted = {
      QPoint(main.right() + 1 + kGap, main.top()),
      QPoint(main.left() - kGap - tool.width(), main.top()),
      QPoint(keepClear.left() - tool.width(), main.bottom() + 1 - tool.height()),
  };
  // Hiding the clear area counts first, hiding the main window next, except
  // for the column left of the clear area and below its top (the page tree
  // and the status line), which a tool window may cover.
  const QRect mayCover(QPoint(main.left(), keepClear.top()),
                       QPoint(keepClear.left() - 1, main.bottom()));
  QPoint best;
  std::pair<long long, long long> bestCost{std::numeric_limits<long long>::max(), 0};
  for (const QPoint& w : wanted) {
    const QPoint place = OnScreen(w, tool, screen);
    const QRect window(place, tool);
    const std::pair<long long, long long> cost{Covered(window, keepClear),
                                               Covered(window, main) - Covered(window, mayCover)};
    if (cost < bestCost) {
      best = place;
      bestCost = cost;
    }
    if (cost.first == 0 && cost.second == 0) break;
  }
  return best;
}

}  // namespace wl::ToolPlacement
