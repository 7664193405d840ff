// Writing a picture to a file: the formats a picture can be saved in, the
// name and format chosen from what the user typed and the file type picked,
// and the folder the save dialog starts in.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

#include "wlapp_export.h"

class QWidget;

namespace wl {

// The extension of a file name: what follows its last dot, if that is a word
// of letters and digits with at least one letter ("png", "glb"; not the "5"
// of "radius = 10.5"); empty otherwise.
WLAPP_EXPORT QString FileNameExtension(const QString& fileName);

// The file types offered when saving a picture, in Qt's filter form; the
// first, Windows bitmaps, is the default.
WLAPP_EXPORT QStringList ImageFileFilters();

// A picture file to write: its full name and the Qt format that matches it,
// or why the name is refused.
struct ImageTarget {
  QString Path;
  QByteArray Format;  // "BMP", "PNG" or "JPEG"; empty when refused
  QString Refusal;    // a sentence naming the extension and the ones that work
};

// Decides where and how a picture is saved. A name whose extension names a
// format the program writes (.bmp, .png, .jpg, .jpeg, in any case) keeps it
// and is written in that format, whatever file type was picked. A name
// without an extension gets the one of the picked file type (of the default
// when `filter` is none of ImageFileFilters()). Any other extension is
// refused. A dot followed by digits or spaces (a radius of "10.5") starts
// no extension.
WLAPP_EXPORT ImageTarget ResolveImageTarget(const QString& name, const QString& filter);

// Writes `image` to `path` in the format its extension names (see
// ResolveImageTarget); a name with another or no extension is refused and
// nothing is written. The data goes to a temporary file in the same folder
// that takes the name only once it is complete, so a failed write leaves
// nothing under the name. Returns what went wrong, or none.
WLAPP_EXPORT std::optional<QString> WriteImageFile(const QImage& image, const QString& path);

// Asks before an extension added to the typed `name` makes `path` name
// another file that is already there (the file dialog asked about the name
// as typed only); true to go on.
WLAPP_EXPORT bool MayReplace(QWidget* parent, const QString& name, const QString& path);

// The folder the picture save dialog starts in: the one a picture was last
// saved to while it still exists (kept between runs), else the user's
// pictures folder, else the documents folder, else the home folder.
WLAPP_EXPORT QString PictureFolder();
// Remembers `folder` as the one the next picture save dialog starts in.
WLAPP_EXPORT void RememberPictureFolder(const QString& folder);

}  // namespace wl
