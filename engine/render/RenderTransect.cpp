// The transect renderer: one plane of the probability grid, perpendicular to
// the x, y or z axis, drawn as a flat image. The grid holds one octant, so each
// slice is a quarter plane mirrored into four quadrants about the view's centre.
#include <cstdlib>
#include <vector>

#include "core/Numeric.h"
#include "render/Phase.h"
#include "render/cOrbital.h"

namespace wl {

void cOrbitalObject::RenderTransect() {
  const bool main = Request.Size == Main;
  if (!main && Request.Size != Nano) return;
  // Slices at -t and t are equal; one outside the grid is refused before the
  // view's bitmap is touched, so the last image stays valid.
  const int t = std::abs(static_cast<int>(Request.TransectNo));
  if (t >= kGridSize) RaiseError(kSubscriptRange, "transect number outside -127 to 127");
  if (ProbGrid.size() != static_cast<size_t>(kGridCells)) RaiseError(kObjectNotSet, "no grid");

  // Probability colours only while the other view shows probability-coloured dots.
  const RenderMode other = main ? LastNanoRequest.Mode : LastMainRequest.Mode;
  const bool coloured = Request.ShowProbLevelOnDots && Request.ShowProbLevelOnTrans &&
                        (other == Orthographic || other == Perspective);

  const Long side = main ? 375 : 127;
  const int e = main ? 187 : 63;      // the view's centre
  const int cells = main ? 128 : 64;  // grid cells per half side
  const int stride = main ? 1 : 2;    // the nano view reads every second cell
  cMemoryDCEx& dc = NewViewBitmap(Request.Size);
  std::vector<RGBA> row(static_cast<size_t>(side));

  auto cell = [&](int j, int i) -> Byte {
    switch (Request.TransectDir) {
      case AlongX:
        return ProbGrid[GridIndex(t, j, i)];
      case Alongy:
        return ProbGrid[GridIndex(j, t, i)];
      case Alongz:
        return ProbGrid[GridIndex(j, i, t)];
    }
    return 0;
  };

  if (PhaseShown()) {
    // The slice of ψ: each quadrant's cells in the colour of ψ's sign there
    // (the grid holds one octant; the sign comes from the wave function at the
    // cell's mirrored position), as bright as the grey slice, so nodes stay dark.
    const double h = GridStep();
    const double slice = Request.TransectNo * h;
    const PhaseRgb colour[2] = {PhaseColour(Request.Palette, false),
                                PhaseColour(Request.Palette, true)};
    auto tint = [&](int p, double across, double up) {
      if (p == 0) return RGBA{};
      const COORDdouble at = Request.TransectDir == AlongX   ? COORDdouble{slice, across, up}
                             : Request.TransectDir == Alongy ? COORDdouble{across, slice, up}
                                                             : COORDdouble{across, up, slice};
      const PhaseRgb& c = colour[Electron->GetPsiSign(at) >= 0];
      return RGBA{static_cast<Byte>(c.B * p / 255), static_cast<Byte>(c.G * p / 255),
                  static_cast<Byte>(c.R * p / 255), 0};
    };
    std::vector<RGBA> lower(static_cast<size_t>(side));
    for (int i = 0; i < cells; ++i) {
      const double v = stride * i * h;
      for (int j = 0; j < cells; ++j) {
        const int p = cell(stride * j, stride * i);
        const double u = stride * j * h;
        row[e + j] = tint(p, u, v);
        row[e - j] = tint(p, -u, v);
        lower[e + j] = tint(p, u, -v);
        lower[e - j] = tint(p, -u, -v);
      }
      dc.SetBits(row, 0, e - i, 1);  // upward: the second free axis grows
      dc.SetBits(lower, 0, e + i, 1);
    }
    PublishView(Request.Size);
    return;
  }

  for (int i = 0; i < cells; ++i) {
    for (int j = 0; j < cells; ++j) {
      const int p = cell(stride * j, stride * i);
      RGBA c;
      if (coloured) {
        c.G = static_cast<Byte>((p * p) / 255);
        c.R = static_cast<Byte>(((255 - p) * p) / 255);
      } else {
        c.B = c.G = c.R = static_cast<Byte>(p);
      }
      row[e + j] = c;
      row[e - j] = c;
    }
    dc.SetBits(row, 0, e - i, 1);
    dc.SetBits(row, 0, e + i, 1);
  }
  PublishView(Request.Size);
}

}  // namespace wl
