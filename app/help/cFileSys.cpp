#include "cFileSys.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace wl {

QString cFileSys::NormalizePath(const QString& sPath) {
  return sPath.endsWith(QLatin1Char('\\')) ? sPath : sPath + QLatin1Char('\\');
}

QString cFileSys::KeyForm(const QString& realPath) {
  QString s = QDir::cleanPath(realPath);
  while (s.startsWith(QLatin1Char('/'))) s.remove(0, 1);
  s.replace(QLatin1Char('/'), QLatin1Char('\\'));
  return s;
}

std::optional<QString> cFileSys::RealPath(const QString& keyPath) {
  const QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  QString real = QStringLiteral("/");
  for (const QString& part : parts) {
    QDir dir(real);
    QString next = dir.filePath(part);
    if (!QFileInfo::exists(next)) {
      const QStringList names =
          dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
      auto it = std::find_if(names.begin(), names.end(), [&](const QString& n) {
        return n.compare(part, Qt::CaseInsensitive) == 0;
      });
      if (it == names.end()) return std::nullopt;
      next = dir.filePath(*it);
    }
    real = next;
  }
  return real;
}

bool cFileSys::Matches(const QString& name, const QString& pattern) {
  if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) return true;
  const QString rx = QRegularExpression::wildcardToRegularExpression(
      pattern, QRegularExpression::UnanchoredWildcardConversion);
  return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                            QRegularExpression::CaseInsensitiveOption)
      .match(name)
      .hasMatch();
}

namespace {
// Names are cut at their first zero character, as the system hands them over.
QString CutAtZero(const QString& name) {
  const auto zero = name.indexOf(QChar(0));
  return zero < 0 ? name : name.left(zero);
}

QStringList Entries(const QString& keyPath, const QString& pattern, bool folders) {
  QStringList out;
  const auto real = cFileSys::RealPath(cFileSys::NormalizePath(keyPath));
  if (!real) return out;
  const QDir dir(*real);
  const QDir::Filters filter =
      (folders ? QDir::Dirs : QDir::Files | QDir::System) | QDir::Hidden | QDir::NoDotAndDotDot;
  for (const QString& entry : dir.entryList(filter, QDir::Name)) {
    const QString name = CutAtZero(entry);
    if (folders && name.startsWith(QLatin1Char('.'))) continue;
    if (cFileSys::Matches(name, pattern)) out << name;
  }
  return out;
}
}  // namespace

QStringList cFileSys::EnumFolders(const QString& sParentPath, const QString& SearchCriteria) const {
  return Entries(sParentPath, SearchCriteria, true);
}

QStringList cFileSys::EnumFiles(const QString& DirPath, const QString& SearchCriteria) const {
  return Entries(DirPath, SearchCriteria, false);
}

}  // namespace wl
