#include "Fonts.h"

#include <algorithm>

#include "core/Numeric.h"

namespace wl {

QFont PixelFont(double pixels, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(std::max(1, static_cast<int>(RoundHalfEven(pixels))));
  font.setBold(bold);
  return font;
}

}  // namespace wl
