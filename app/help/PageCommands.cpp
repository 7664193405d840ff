#include "PageCommands.h"

#include <QStringList>
#include <algorithm>

#include "core/OrbitalLookup.h"
#include "core/Utf8.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

namespace {
// The hybrid set a word names ("sp3" or "sp³"), NoHybrid for none.
HybridSet HybridOfWord(const QString& word) {
  const std::string typed = TypedName(word.toLower().toStdString());
  for (HybridSet set : {HybridSp, HybridSp2, HybridSp3, HybridSp3d, HybridSp3d2}) {
    if (typed == TypedName(ToUtf8(HybridName(set)))) return set;
  }
  return NoHybrid;
}

// "Z=3" or "n=3": the number 0 to 99 after the key, or -1 when the word is
// another.
int Keyed(const QString& word, QChar key) {
  if (word.size() < 3 || word[0].toLower() != key.toLower() || word[1] != QLatin1Char('='))
    return -1;
  bool ok = false;
  const int n = word.mid(2).toInt(&ok);
  return ok && n >= 0 && n <= 99 ? n : -1;
}
}  // namespace

OrbitalLink ParseOrbitalLink(const QString& words) {
  OrbitalLink link;
  QStringList parts = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.isEmpty()) {
    link.Error = QStringLiteral("the link names no orbital");
    return link;
  }
  OrbitalSetup& s = link.Setup;
  const QString name = parts.takeFirst();
  s.Hybrid = name.compare(QLatin1String("combine"), Qt::CaseInsensitive) == 0 ? CustomCombination
                                                                              : HybridOfWord(name);
  if (s.Hybrid == CustomCombination) {
    const QString terms = parts.isEmpty() ? QString() : parts.takeFirst();
    const CombinationReading read = ReadCombination(terms.toStdString(), s);
    if (read.Form) {
      link.Error = QStringLiteral(
          "a combination link names its terms after 'combine', as 'combine 2s:0.71,2pz:0.71'");
      return link;
    }
    if (!read.Error.empty()) {
      link.Error = QString::fromStdString(read.Error);
      return link;
    }
  } else if (s.Hybrid != NoHybrid) {
    bool ok = false;
    const int member = parts.isEmpty() ? 0 : parts.takeFirst().toInt(&ok);
    if (!ok) {
      link.Error = QStringLiteral("a hybrid link names the member after the set, as 'sp3 2'");
      return link;
    }
    s.HybridMember = static_cast<Integer>(std::clamp(member, -1, 99));
    s.HybridShell = static_cast<Integer>(HybridLowestShell(s.Hybrid));
  }
  bool average = false;
  for (const QString& word : parts) {
    const QString w = word.toLower();
    const int charge = Keyed(w, QLatin1Char('z')), shell = Keyed(w, QLatin1Char('n'));
    if (w == QLatin1String("average") && s.Hybrid == NoHybrid) {
      average = true;
    } else if (w == QLatin1String("complex")) {
      s.Complex = kTrue;
    } else if (w == QLatin1String("pdf") || w == QLatin1String("drpdf")) {
      link.Drpdf = w == QLatin1String("drpdf");
    } else if (charge >= 0) {
      s.Charge = static_cast<Integer>(charge);
    } else if (shell >= 0 && s.Hybrid != NoHybrid && s.Hybrid != CustomCombination) {
      s.HybridShell = static_cast<Integer>(shell);
    } else {
      link.Error = QStringLiteral("unknown word '%1' (%2)")
                       .arg(word, s.Hybrid == NoHybrid
                                      ? QStringLiteral("average, complex, Z=N, pdf or drpdf")
                                  : s.Hybrid == CustomCombination
                                      ? QStringLiteral("Z=N, pdf or drpdf")
                                      : QStringLiteral("n=N, Z=N, pdf or drpdf"));
      return link;
    }
  }
  if (s.Hybrid == NoHybrid) {
    const OrbitalChoice choice = LookupOrbital(name.toStdString(), average);
    if (choice.Index < 0) {
      link.Error = QString::fromStdString(choice.Error);
      return link;
    }
    s.OrbitalIndex = static_cast<Integer>(choice.Index);
  }
  const std::string refusal = CheckSetup(s);
  if (!refusal.empty()) {
    link.Error = QString::fromStdString(refusal);
    return link;
  }
  s.OrbitalViewMode = link.Drpdf ? DRPDF : PDF;
  link.Index = s.OrbitalIndex;
  return link;
}

QString OrbitalLinkHint(const OrbitalLink& link) {
  if (link.Index < 0) return QStringLiteral("This link names no orbital: ") + link.Error;
  return QStringLiteral("Calculate %1 (%2) and show it in the viewer")
      .arg(QString::fromStdU16String(SetupName(link.Setup)),
           link.Drpdf ? QStringLiteral("DRPDF") : QStringLiteral("PDF"));
}

}  // namespace wl
