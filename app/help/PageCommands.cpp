#include "PageCommands.h"

#include <QStringList>

#include "core/OrbitalLookup.h"
#include "orbitals/OrbitalTable.h"

namespace wl {

OrbitalLink ParseOrbitalLink(const QString& words) {
  OrbitalLink link;
  QStringList parts = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.isEmpty()) {
    link.Error = QStringLiteral("the link names no orbital");
    return link;
  }
  const QString name = parts.takeFirst();
  bool average = false;
  for (const QString& word : parts) {
    const QString w = word.toLower();
    if (w == QLatin1String("average")) {
      average = true;
    } else if (w == QLatin1String("pdf") || w == QLatin1String("drpdf")) {
      link.Drpdf = w == QLatin1String("drpdf");
    } else {
      link.Error = QStringLiteral("unknown word '%1' (average, pdf or drpdf)").arg(word);
      return link;
    }
  }
  const OrbitalChoice choice = LookupOrbital(name.toStdString(), average);
  if (choice.Index < 0) {
    link.Error = QString::fromStdString(choice.Error);
    return link;
  }
  link.Index = choice.Index;
  return link;
}

QString OrbitalLinkHint(const OrbitalLink& link) {
  if (link.Index < 0) return QStringLiteral("This link names no orbital: ") + link.Error;
  return QStringLiteral("Calculate %1 (%2) and show it in the viewer")
      .arg(QString::fromStdU16String(kOrbitalTable[link.Index].Name),
           link.Drpdf ? QStringLiteral("DRPDF") : QStringLiteral("PDF"));
}

}  // namespace wl
