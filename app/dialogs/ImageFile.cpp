#include "ImageFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <array>

#include "shell/Services.h"
#include "shell/Settings.h"
#include "shell/WholeFile.h"

namespace wl {

namespace {

struct Format {
  const char* Name;    // Qt's name of the format
  const char* Filter;  // the file type offered in the dialog
  QStringList Extensions;
};

const std::array<Format, 3>& Formats() {
  static const std::array<Format, 3> formats{{
      {"BMP", "Bitmap images (*.bmp)", {QStringLiteral("bmp")}},
      {"PNG", "PNG images (*.png)", {QStringLiteral("png")}},
      {"JPEG", "JPEG images (*.jpg *.jpeg)", {QStringLiteral("jpg"), QStringLiteral("jpeg")}},
  }};
  return formats;
}

const Format* FormatOfExtension(const QString& extension) {
  for (const Format& f : Formats()) {
    if (f.Extensions.contains(extension, Qt::CaseInsensitive)) return &f;
  }
  return nullptr;
}

QString Refusal(const QString& extension) {
  return QStringLiteral(
             "Pictures cannot be saved as .%1 files. Please use a name ending in .bmp, .png, "
             ".jpg or .jpeg, or no extension to take the one of the chosen file type.")
      .arg(extension);
}

// The program's own settings: organisation and application "Wavelore".
const char kFolderKey[] = "Save/PictureFolder";

}  // namespace

QString FileNameExtension(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return {};
  const QString tail = fileName.mid(dot + 1);
  bool letter = false;
  for (const QChar c : tail) {
    if (c.unicode() > 127 || !c.isLetterOrNumber()) return {};
    letter = letter || c.isLetter();
  }
  return letter ? tail : QString();
}

QStringList ImageFileFilters() {
  QStringList filters;
  for (const Format& f : Formats()) filters << QString::fromLatin1(f.Filter);
  return filters;
}

ImageTarget ResolveImageTarget(const QString& name, const QString& filter) {
  const QString extension = FileNameExtension(QFileInfo(name).fileName());
  if (extension.isEmpty()) {
    const Format* chosen = &Formats()[0];
    for (const Format& f : Formats()) {
      if (filter == QLatin1String(f.Filter)) chosen = &f;
    }
    QString path = name;
    if (!path.endsWith(QLatin1Char('.'))) path += QLatin1Char('.');
    return {path + chosen->Extensions.first(), chosen->Name, {}};
  }
  if (const Format* f = FormatOfExtension(extension)) return {name, f->Name, {}};
  return {name, {}, Refusal(extension)};
}

std::optional<QString> WriteImageFile(const QImage& image, const QString& path) {
  const QString extension = FileNameExtension(QFileInfo(path).fileName());
  const Format* format = FormatOfExtension(extension);
  if (!format) {
    return CannotWrite(path, extension.isEmpty()
                                 ? QStringLiteral("the name has no picture extension")
                                 : Refusal(extension));
  }
  const QByteArray name = format->Name;
  // Bitmaps and JPEG files carry no alpha channel.
  const QImage data = name == "PNG" ? image : image.convertToFormat(QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // JPEG at a quality that keeps the dots and the text of the captions crisp.
  if (!data.save(&buffer, name.constData(), name == "JPEG" ? 95 : -1)) {
    return CannotWrite(path, QStringLiteral("the picture could not be encoded"));
  }
  return WriteWholeFile(path, bytes);
}

bool MayReplace(QWidget* parent, const QString& name, const QString& path) {
  return path == name || !QFileInfo::exists(path) ||
         MsgBox(parent,
                QStringLiteral("%1 already exists.\nDo you want to replace it?")
                    .arg(QDir::toNativeSeparators(path)),
                QStringLiteral("Save..."), MsgIcon::Exclamation,
                MsgButtons::YesNo) == MsgAnswer::Yes;
}

QString PictureFolder() {
  const QString remembered =
      ProgramSettings().value(QLatin1String(kFolderKey)).toString();
  QStringList candidates{remembered,
                         QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                         QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
  for (const QString& folder : candidates) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return QDir::cleanPath(folder);
  }
  return QDir::homePath();
}

void RememberPictureFolder(const QString& folder) {
  QSettings settings = ProgramSettings();
  settings.setValue(QLatin1String(kFolderKey), QDir(folder).absolutePath());
  settings.sync();
}

}  // namespace wl
