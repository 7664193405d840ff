// The page-title reader on any file content.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "help/cFileSys.h"
#include "help/modHTML.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("PAGE.HTM"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.close();
  wl::modHTML::GetHTMLTitle(wl::cFileSys::KeyForm(path).toUpper());
  return 0;
}
