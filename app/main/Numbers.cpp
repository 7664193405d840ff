#include "Numbers.h"

#include <charconv>

namespace wl {

QString ShortestSingle(float v) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return QString::fromLatin1(buffer, static_cast<int>(end - buffer));
}

}  // namespace wl
