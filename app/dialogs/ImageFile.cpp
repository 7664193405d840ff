#include "ImageFile.h"

#include <QBuffer>
#include <QFileInfo>

#include "shell/WholeFile.h"

namespace wl {

std::optional<QString> WriteImageFile(const QImage& image, const QString& path) {
  const bool png = QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
  // Bitmaps carry no alpha channel: 24 bits a pixel.
  const QImage data = png ? image : image.convertToFormat(QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!data.save(&buffer, png ? "PNG" : "BMP")) {
    return CannotWrite(path, QStringLiteral("the picture could not be encoded"));
  }
  return WriteWholeFile(path, bytes);
}

}  // namespace wl
