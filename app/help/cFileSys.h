// Listing the page folders. Paths are in the program's page-key form: the
// folders of an absolute path joined by "\" without a leading separator
// ("HOME\ANN\WAVELORE\HELP\"), any letter case. Linux names are
// case-sensitive, so every folder of a path is found case-insensitively.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "wlapp_export.h"

namespace wl {

class WLAPP_EXPORT cFileSys {
 public:
  // sPath with a "\" appended unless it already ends with one.
  static QString NormalizePath(const QString& sPath);
  // Names of the sub-folders of sParentPath matching SearchCriteria ("*.*"
  // matches every name), leaving out names that begin with ".".
  QStringList EnumFolders(const QString& sParentPath, const QString& SearchCriteria) const;
  // Names of the entries of DirPath matching SearchCriteria that are not folders.
  QStringList EnumFiles(const QString& DirPath, const QString& SearchCriteria) const;

  // The real file-system path named by a key-form path, found folder by
  // folder without regard to letter case; none when some part is missing.
  static std::optional<QString> RealPath(const QString& keyPath);
  // The key form of a real absolute path ("/home/ann/x.htm" -> "home\ann\x.htm").
  static QString KeyForm(const QString& realPath);
  // Whether a name matches a pattern of "*" and "?" (letter case ignored).
  static bool Matches(const QString& name, const QString& pattern);
};

}  // namespace wl
