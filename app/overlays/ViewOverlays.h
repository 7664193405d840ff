// Sizes drawn over the engine's pictures: a scale bar, ticks in Bohr radii
// along a slice's edges, the marker of a radius a (its circle in a slice,
// its sphere's dashed outline in the 3D views), and for complex orbitals the
// colour wheel key of the phase. The program paints them into
// its views (so they go into saved, copied and printed pictures) and
// wavelore-render into its pictures on request. The picture is the square at
// the image's top-left corner, 375 or 127 pixels as the request's size says
// (or its Pixels: bars, text, ticks and lines then grow in proportion);
// nothing outside it is touched. Lengths come from the engine's view geometry.
#pragma once

#include <QRectF>
#include <QString>

#include "core/Records.h"
#include "wloverlays_export.h"

class QImage;
class QPainter;

namespace wl {

// What to draw over one picture.
struct OverlayChoice {
  bool ScaleBar = true;      // the scale bar, and a slice's ticks
  double MarkerRadius = 0;   // Bohr radii; 0: no marker
  bool MarkerInSlice = true;
  bool MarkerIn3D = true;
  double ClearLeft = 0;      // pixels at the bottom-left the scale bar keeps clear of
  // The orbital is complex: a picture coloured by phase carries the colour
  // wheel key of arg ψ in its bottom-right corner.
  bool ComplexPhase = false;
};

// The round length (1, 2 or 5 times a power of ten, Bohr radii) whose bar is
// nearest to `wanted` pixels at `pixelsPerBohr`; 0 without a scale.
WLOVERLAYS_EXPORT double RoundLength(double pixelsPerBohr, double wanted);

// A length in Bohr radii as the views write it: "5 a₀", "0.2 a₀", "20 a₀".
WLOVERLAYS_EXPORT QString BohrLength(double bohr);

// Where a slice lies, as the viewer writes it beside its slider:
// "slice at y = +3.2 a₀" (the slicing axis, signed, one decimal).
WLOVERLAYS_EXPORT QString SlicePosition(TransectDirection direction, Integer transectNo, double atomRadius);

// The scale bar of a picture: its length in Bohr radii and its label, the
// bar's line from Left to Left + Length in pixels at height Y.
struct ScaleBar {
  double Bohr = 0;
  QString Label;
  double Left = 0, Y = 0, Length = 0;
  QRectF Area;  // everything the bar and its label (with their halo) may paint
};
WLOVERLAYS_EXPORT ScaleBar ScaleBarOf(const RenderRequest& request, double atomRadius, double clearLeft = 0);

// The ticks' step along a slice's edges, Bohr radii (0: none).
WLOVERLAYS_EXPORT double TickStep(const RenderRequest& request, double atomRadius);

// The colour wheel key of arg ψ centred at `centre`, `radius` pixels to the
// ring's outer edge: the ring in the phase hues of `palette`, 0 at the right
// and growing anticlockwise, marks at the quarters. With `fontPixels` > 0 the
// marks are labelled "0", "π/2", "π", "3π/2" and the ring is titled "arg ψ".
// Light ink on a dark halo, like the other overlays, or with `darkInk` dark
// ink on a light halo for light backgrounds.
WLOVERLAYS_EXPORT void PaintPhaseWheel(QPainter& p, const QPointF& centre, double radius, PhasePalette palette,
                     double fontPixels, bool darkInk = false);
// The rectangle PaintPhaseWheel may paint (labels and halo included).
WLOVERLAYS_EXPORT QRectF PhaseWheelBounds(const QPointF& centre, double radius, double fontPixels);

// Where a picture's colour wheel key lies (labels and halo included); empty
// when the picture carries none: the orbital is not complex, or the picture
// is not coloured by phase (anaglyph dots never are).
WLOVERLAYS_EXPORT QRectF PhaseWheelArea(const RenderRequest& request, const OverlayChoice& choice);

// Paints the overlays `choice` asks for onto the picture in `image`.
WLOVERLAYS_EXPORT void DrawOverlays(QImage& image, const RenderRequest& request, double atomRadius,
                  const OverlayChoice& choice);

}  // namespace wl
