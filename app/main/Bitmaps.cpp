#include "Bitmaps.h"

#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <algorithm>

namespace wl::Bitmaps {

QPixmap Get(const QString& name) {
  // Both drawings are kept apart: the ratio changes when the window zooms.
  static QHash<QString, QPixmap> cache;
  // The screens' density now (the application's own figure is not updated
  // when the zoom changes).
  qreal ratio = 1.0;
  if (qApp) {
    for (const QScreen* screen : QGuiApplication::screens())
      ratio = std::max(ratio, screen->devicePixelRatio());
  }
  const QString key = ratio > 1.0 ? name + QStringLiteral("@2x") : name;
  if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  QPixmap pixmap;
  if (ratio > 1.0 && pixmap.load(QStringLiteral(":/bitmaps/%1@2x.png").arg(name))) {
    pixmap.setDevicePixelRatio(2.0);
  } else if (!pixmap.load(QStringLiteral(":/bitmaps/%1.png").arg(name))) {
    qWarning("Wavelore: the bitmap %s is missing", qPrintable(name));
  }
  cache.insert(key, pixmap);
  return pixmap;
}

}  // namespace wl::Bitmaps
