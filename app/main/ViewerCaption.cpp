#include "ViewerCaption.h"

#include <QFontMetrics>
#include <cmath>

#include "analysis/SurfaceLevel.h"
#include "core/cOrbitalCol.h"
#include "core/cWL.h"

namespace wl {

ProbabilityShares EngineDotShares(cWL& engine, Integer index) {
  return engine.Orbitals().GetShares(index);
}

std::optional<double> EngineEnlargedSurfaceBox(cWL& engine, Integer index, double share) {
  const SurfaceLevel level = engine.Orbitals().SurfaceFor(index, share);
  if (!level.BeyondAtomRadius || !level.Field) return std::nullopt;
  return level.Field->Half;
}

QString SharePercent(double share) {
  const double percent = share * 100;
  const long whole = std::lround(percent);
  if (whole >= 100 && percent < 99.95) return QStringLiteral("%1%").arg(percent, 0, 'f', 1);
  return QStringLiteral("%1%").arg(whole);
}

QString ShownCaption(const OrbitalView& view, std::optional<ProbabilityShares> shares,
                     std::optional<double> enlargedBox) {
  switch (view.Mode) {
    case BoundarySurface: {
      QString text = SharePercent(view.EnclosedShare) + QStringLiteral(" boundary surface");
      if (enlargedBox) {
        text += QStringLiteral("; box enlarged to %1 a\u2080").arg(std::lround(*enlargedBox));
      }
      return text;
    }
    case Orthographic:
    case Perspective:
    case Anaglyph:
      if (!shares) return {};
      return QStringLiteral("dots show the %1 of the probability above level %2; the box holds %3")
          .arg(SharePercent(shares->AboveThreshold))
          .arg(view.DotThreshold)
          .arg(SharePercent(shares->InBox));
    case Volumetric:
    case Transect:
      break;
  }
  return {};
}

QString FirstThatFits(const QStringList& candidates, const QFontMetrics& metrics, int width) {
  for (const QString& text : candidates) {
    if (metrics.horizontalAdvance(text) <= width) return text;
  }
  return candidates.isEmpty() ? QString() : candidates.last();
}

}  // namespace wl
