#include "WholeFile.h"

#include <QDir>
#include <QSaveFile>

namespace wl {

QString CannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // Unbuffered: a buffered write that fails only when flushed at commit()
  // goes unreported, and an empty file takes the name.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return CannotWrite(path, file.errorString());
  }
  // A write may store only part of the data without an error (the disk
  // filled up); writing the rest then fails with the reason.
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
    if (n <= 0) break;
    written += n;
  }
  if (written < bytes.size()) {
    const QString reason = file.error() != QFileDevice::NoError
                               ? file.errorString()
                               : QStringLiteral("only %1 of %2 bytes could be written")
                                     .arg(written)
                                     .arg(bytes.size());
    file.cancelWriting();
    return CannotWrite(path, reason);
  }
  if (!file.commit()) return CannotWrite(path, file.errorString());
  return std::nullopt;
}

}  // namespace wl
