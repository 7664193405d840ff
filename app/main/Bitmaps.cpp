#include "Bitmaps.h"

#include <QGuiApplication>
#include <QHash>

namespace wl::Bitmaps {

QPixmap Get(const QString& name) {
  static QHash<QString, QPixmap> cache;
  if (auto it = cache.constFind(name); it != cache.constEnd()) return *it;
  QPixmap pixmap;
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  if (ratio > 1.0 && pixmap.load(QStringLiteral(":/bitmaps/%1@2x.png").arg(name))) {
    pixmap.setDevicePixelRatio(2.0);
  } else if (!pixmap.load(QStringLiteral(":/bitmaps/%1.png").arg(name))) {
    qWarning("Wavelore: the bitmap %s is missing", qPrintable(name));
  }
  cache.insert(name, pixmap);
  return pixmap;
}

}  // namespace wl::Bitmaps
