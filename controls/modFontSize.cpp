#include "modFontSize.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace wl {

namespace {
double LogicalDpi(bool alongX) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96.0;
  const double dpi = alongX ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
  return dpi > 0 ? dpi : 96.0;
}
}  // namespace

double FontScaleFactor() {
  return 96.0 / LogicalDpi(true);
}
double TwipsPerPixelX() {
  return 1440.0 / LogicalDpi(true);
}
double TwipsPerPixelY() {
  return 1440.0 / LogicalDpi(false);
}
int TwipsToPixelsX(double twips) {
  return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}
int TwipsToPixelsY(double twips) {
  return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}

}  // namespace wl
