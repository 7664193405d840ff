#include "ToolPlacement.h"

#include <algorithm>
#include <array>
#include <cstdlib>
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

std::optional<SideBySide> MakeRoom(const QRect& main, const QSize& tool, const QRect& screen) {
  if (main.width() + kGap + tool.width() > screen.width()) return std::nullopt;
  const int top = OnScreen(main.topLeft(), tool, screen).y();
  // On the right: the main window ends where the tool window still fits.
  const int rightMain =
      std::max(std::min(main.left(), screen.right() + 1 - tool.width() - kGap - main.width()),
               screen.left());
  // On the left: the main window starts after the tool window.
  const int leftMain = std::min(std::max(main.left(), screen.left() + tool.width() + kGap),
                                screen.right() + 1 - main.width());
  if (std::abs(rightMain - main.left()) <= std::abs(leftMain - main.left())) {
    return SideBySide{{rightMain, main.top()}, {rightMain + main.width() + kGap, top}};
  }
  return SideBySide{{leftMain, main.top()}, {leftMain - kGap - tool.width(), top}};
}

std::optional<SideBySide> OverTheLeftColumn(const QRect& main, const QRect& keepClear,
                                            const QSize& tool, const QRect& screen) {
  const int mainLeft = std::max(screen.right() + 1 - main.width(), screen.left());
  const int clearLeft = keepClear.left() - main.left() + mainLeft;
  if (screen.left() + tool.width() > clearLeft) return std::nullopt;
  const int top = OnScreen(main.topLeft(), tool, screen).y();
  return SideBySide{{mainLeft, main.top()}, {screen.left(), top}};
}

}  // namespace wl::ToolPlacement
