#include "ImageFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace wl {

std::optional<QString> WriteImageFile(const QImage& image, const QString& path) {
  const auto failure = [&](const QString& reason) {
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
  };
  const bool png = QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return failure(file.errorString());
  // Bitmaps carry no alpha channel: 24 bits a pixel.
  const QImage data = png ? image : image.convertToFormat(QImage::Format_RGB32);
  if (!data.save(&file, png ? "PNG" : "BMP")) {
    const QString reason = file.error() != QFileDevice::NoError
                               ? file.errorString()
                               : QStringLiteral("the picture could not be encoded");
    file.cancelWriting();
    return failure(reason);
  }
  if (!file.commit()) return failure(file.errorString());
  return std::nullopt;
}

}  // namespace wl
