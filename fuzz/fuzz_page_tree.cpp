// The page-tree walk over folder trees made from the input: each line is a
// path of folders and a file (letters, spaces, dots and any bytes), with an
// optional title; a line starting with '@' makes a link from a folder back to
// the pages' folder. The walk must finish and give every key one node.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "main/frmMain.h"
#include "shell/BuildHelpTree.h"

namespace {
QApplication* app = nullptr;
}

// The application lives for the whole run and goes before Qt's own state at
// exit, so that the libraries it set up (fonts among them) are released.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  app = new QApplication(*argc, *argv);
  std::atexit([] { delete app; });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  QTemporaryDir dir;
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
  int made = 0;
  for (const QByteArray& raw : input.split('\n')) {
    if (++made > 40) break;
    QString line = QString::fromUtf8(raw).remove(QChar(0));
    const bool link = line.startsWith(QLatin1Char('@'));
    if (link) line.remove(0, 1);
    line.replace(QLatin1String(".."), QLatin1String("_"));
    const QString path = QDir::cleanPath(QStringLiteral("HELP/") + line);
    if (!path.startsWith(QLatin1String("HELP"))) continue;
    if (link) {
      QDir().mkpath(dir.filePath(path));
      QFile::link(dir.path(), dir.filePath(path + QStringLiteral("/LOOP")));
    } else {
      QDir().mkpath(QFileInfo(dir.filePath(path)).path());
      QFile page(dir.filePath(path));
      if (page.open(QIODevice::WriteOnly)) page.write("<TITLE>" + raw + "</TITLE>\n");
    }
  }
  wl::frmMain form;
  wl::BuildHelpTree(form, form.WLtree, dir.path());
  if (!form.Node(form.HomePage)) std::abort();
  return 0;
}
