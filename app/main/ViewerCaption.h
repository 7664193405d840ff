// What the viewer says about the picture it shows: the share of the
// probability a boundary surface encloses, or the share the dots stand for
// and the share the box holds. The numbers come from the engine; the words
// are made here.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "OrbitalView.h"
#include "analysis/Shares.h"
#include "wlapp_export.h"

class QFontMetrics;

namespace wl {

class cWL;

// The engine's shares of the probability for the dot cloud of the orbital at
// `index`: above the dot threshold and inside the box.
WLAPP_EXPORT ProbabilityShares EngineDotShares(cWL& engine, Integer index);

// Half the side of the box the orbital's surface of `share` was computed on,
// in Bohr radii, when the atom radius would have cut the surface; none otherwise.
WLAPP_EXPORT std::optional<double> EngineEnlargedSurfaceBox(cWL& engine, Integer index,
                                                            double share);

// A share as a whole percentage ("90%"); a share just short of all of it
// keeps a decimal ("99.7%") rather than reading as "100%".
WLAPP_EXPORT QString SharePercent(double share);

// What the 3D view shows, in words: "90% boundary surface" (and "; box
// enlarged to 24 a₀"), for dots "dots show the 11% of the probability above
// level 30; the box holds 99%" when the shares are known; empty otherwise.
WLAPP_EXPORT QString ShownCaption(const OrbitalView& view, std::optional<ProbabilityShares> shares,
                                  std::optional<double> enlargedBox);

// The first of `candidates` that fits into `width` pixels, else the last.
WLAPP_EXPORT QString FirstThatFits(const QStringList& candidates, const QFontMetrics& metrics,
                                   int width);

}  // namespace wl
