// The transect renderer: one plane of the probability grid, perpendicular to
// the x, y or z axis, drawn as a flat image. The grid holds one octant, so each
// slice is a quarter plane mirrored into four quadrants about the view's centre;
// a whole-cube grid gives each quadrant its own cells.
#include <cmath>
#include <complex>
#include <cstdlib>
#include <optional>
#include <vector>

#include "core/Numeric.h"
#include "render/Phase.h"
#include "render/ViewGeometry.h"
#include "render/cOrbital.h"

namespace wl {

namespace {

// The colour of ψ at a point of a slice: that of its sign, or for a complex
// orbital (a wheel given) the hue of its phase.
PhaseRgb PhaseAt(const cElectron& electron, const COORDdouble& at, const PhaseRgb (&signs)[2],
                 const std::optional<PhaseWheel>& wheel) {
  if (wheel) return (*wheel)(std::arg(electron.GetPsiComplex(at)));
  return signs[electron.GetPsiSign(at) >= 0];
}

std::optional<PhaseWheel> WheelIf(bool complex, PhasePalette palette) {
  std::optional<PhaseWheel> wheel;
  if (complex) wheel.emplace(palette);
  return wheel;
}

}  // namespace

void cOrbitalObject::RenderTransect() {
  const bool main = Request.Size == Main;
  if (!main && Request.Size != Nano) return;
  // Slices at -t and t are equal unless the grid holds the whole cube; one
  // outside the grid is refused before the view's bitmap is touched, so the
  // last image stays valid.
  const int t = WholeCube_ ? static_cast<int>(Request.TransectNo)
                           : std::abs(static_cast<int>(Request.TransectNo));
  if (std::abs(t) >= kGridSize) RaiseError(kSubscriptRange, "transect number outside -127 to 127");
  if (!HasGrid()) RaiseError(kObjectNotSet, "no grid");

  // Probability colours only while the other view shows probability-coloured dots.
  const RenderMode other = main ? LastNanoRequest.Mode : LastMainRequest.Mode;
  const bool coloured = Request.ShowProbLevelOnDots && Request.ShowProbLevelOnTrans &&
                        (other == Orthographic || other == Perspective);

  if (Frame().Scaled) return RenderScaledTransect(coloured);

  const Long side = main ? 375 : 127;
  const int e = main ? 187 : 63;      // the view's centre
  const int cells = main ? 128 : 64;  // grid cells per half side
  const int stride = main ? 1 : 2;    // the nano view reads every second cell
  cMemoryDCEx& dc = NewViewBitmap(Request.Size);
  std::vector<RGBA> row(static_cast<size_t>(side));

  // The cell at signed offsets (j across, i up) of the slice.
  auto cell = [&](int j, int i) -> Byte {
    if (WholeCube_) {
      switch (Request.TransectDir) {
        case AlongX:
          return CellAt(t, j, i);
        case Alongy:
          return CellAt(j, t, i);
        case Alongz:
          return CellAt(j, i, t);
      }
      return 0;
    }
    j = std::abs(j);
    i = std::abs(i);
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
    // The slice of ψ: each quadrant's cells in the colour of ψ's sign there,
    // or of its phase for a complex orbital (the grid holds one octant; the
    // colour comes from the wave function at the cell's mirrored position), as
    // bright as the grey slice, so nodes stay dark.
    const double h = GridStep();
    const double slice = Request.TransectNo * h;
    const PhaseRgb colour[2] = {PhaseColour(Request.Palette, false),
                                PhaseColour(Request.Palette, true)};
    const std::optional<PhaseWheel> wheel = WheelIf(PhaseComplex(), Request.Palette);
    auto tint = [&](int p, double across, double up) {
      if (p == 0) return RGBA{};
      const COORDdouble at = Request.TransectDir == AlongX   ? COORDdouble{slice, across, up}
                             : Request.TransectDir == Alongy ? COORDdouble{across, slice, up}
                                                             : COORDdouble{across, up, slice};
      const PhaseRgb c = PhaseAt(*Electron, at, colour, wheel);
      return RGBA{static_cast<Byte>(c.B * p / 255), static_cast<Byte>(c.G * p / 255),
                  static_cast<Byte>(c.R * p / 255), 0};
    };
    std::vector<RGBA> lower(static_cast<size_t>(side));
    for (int i = 0; i < cells; ++i) {
      const double v = stride * i * h;
      for (int j = 0; j < cells; ++j) {
        const int a = stride * j, b = stride * i;
        const double u = a * h;
        row[e + j] = tint(cell(a, b), u, v);
        row[e - j] = tint(cell(-a, b), -u, v);
        lower[e + j] = tint(cell(a, -b), u, -v);
        lower[e - j] = tint(cell(-a, -b), -u, -v);
      }
      dc.SetBits(row, 0, e - i, 1);  // upward: the second free axis grows
      dc.SetBits(lower, 0, e + i, 1);
    }
    PublishView(Request.Size);
    return;
  }

  auto shade = [&](int p) {
    RGBA c;
    if (coloured) {
      c.G = static_cast<Byte>((p * p) / 255);
      c.R = static_cast<Byte>(((255 - p) * p) / 255);
    } else {
      c.B = c.G = c.R = static_cast<Byte>(p);
    }
    return c;
  };
  if (WholeCube_) {
    // Row e - i shows the second free axis at +i, as the mirrored slice does.
    for (int i = -(cells - 1); i < cells; ++i) {
      for (int j = -(cells - 1); j < cells; ++j) row[e + j] = shade(cell(stride * j, stride * i));
      dc.SetBits(row, 0, e - i, 1);
    }
    PublishView(Request.Size);
    return;
  }
  for (int i = 0; i < cells; ++i) {
    for (int j = 0; j < cells; ++j) {
      const RGBA c = shade(cell(stride * j, stride * i));
      row[e + j] = c;
      row[e - j] = c;
    }
    dc.SetBits(row, 0, e - i, 1);
    dc.SetBits(row, 0, e + i, 1);
  }
  PublishView(Request.Size);
}

// A slice of another size than the view's own: the level evaluated at each
// pixel's own point of the plane, so that the picture has the detail of its
// resolution (nodes stay sharp lines, curves stay smooth) where interpolating
// the grid would show its cells. The level is the grid's (the same function
// of the density), so pixels on grid points show the grid's values. Pixels
// beyond the sampled cube stay black, as in the view's own picture. The
// density is even in each coordinate: one quadrant is evaluated and mirrored;
// a whole-cube orbital's pixels are each evaluated at their own signed point.
void cOrbitalObject::RenderScaledTransect(bool coloured) {
  if (!Electron) RaiseError(kObjectNotSet, "no wave function");
  const PictureFrame frame = Frame();
  const int side = frame.Side;
  const double h = GridStep();
  const double c = side / 2.0;
  const double slice = Request.TransectNo * h;
  const bool phase = PhaseShown();
  const PhaseRgb colour[2] = {PhaseColour(Request.Palette, false),
                              PhaseColour(Request.Palette, true)};
  const std::optional<PhaseWheel> wheel = WheelIf(phase && PhaseComplex(), Request.Palette);
  auto planePoint = [&](double across, double up) {
    return Request.TransectDir == AlongX   ? COORDdouble{slice, across, up}
           : Request.TransectDir == Alongy ? COORDdouble{across, slice, up}
                                           : COORDdouble{across, up, slice};
  };
  auto paint = [&](int p, double across, double up) {
    RGBA out;
    if (phase) {
      if (p == 0) return out;
      const PhaseRgb pc = PhaseAt(*Electron, planePoint(across, up), colour, wheel);
      return RGBA{static_cast<Byte>(pc.B * p / 255), static_cast<Byte>(pc.G * p / 255),
                  static_cast<Byte>(pc.R * p / 255), 0};
    }
    if (coloured) {
      out.G = static_cast<Byte>((p * p) / 255);
      out.R = static_cast<Byte>(((255 - p) * p) / 255);
    } else {
      out.B = out.G = out.R = static_cast<Byte>(p);
    }
    return out;
  };

  cMemoryDCEx& dc = NewViewBitmap(Request.Size);
  PixelArray& pixels = PreparePixels(Request.Size);  // y = 0 the bottom row
  const double reach = 127.5;                        // grid steps shown from the centre
  const int first = side / 2;                        // the first pixel at or right of the middle
  const int count = side - first;
  if (WholeCube_) {
    std::vector<double> px(static_cast<size_t>(side)), py(px.size()), pz(px.size()), us(px.size());
    std::vector<int> column(px.size());
    std::vector<Byte> out(px.size());
    for (int y = 0; y < side; ++y) {
      const double v = (y + 0.5 - c) / frame.PerStep;  // grid steps up
      if (std::abs(v) > reach) continue;
      int n = 0;
      for (int x = 0; x < side; ++x) {
        const double u = (x + 0.5 - c) / frame.PerStep;
        if (std::abs(u) > reach) continue;
        const COORDdouble q = planePoint(u * h, v * h);
        px[n] = q.X;
        py[n] = q.Y;
        pz[n] = q.Z;
        us[n] = u * h;
        column[n++] = x;
      }
      Electron->GetLevelsAt(View_, px.data(), py.data(), pz.data(), n, out.data());
      for (int i = 0; i < n; ++i) pixels(column[i], y) = paint(out[i], us[i], v * h);
    }
    dc.SetAllBits(pixels);
    PublishView(Request.Size);
    return;
  }
  std::vector<double> xs(static_cast<size_t>(count)), ys(xs.size()), zs(xs.size());
  std::vector<Byte> levels(xs.size());
  const double s2 = slice * slice;
  for (int y = first; y < side; ++y) {
    const double v = (y + 0.5 - c) / frame.PerStep;  // grid steps up
    if (v > reach) break;
    int n = 0;
    for (int x = first; x < side; ++x, ++n) {
      const double u = (x + 0.5 - c) / frame.PerStep;
      if (u > reach) break;
      const double a = u * h, b = v * h;
      const COORDdouble q = planePoint(a * a, b * b);  // squares, the slice's replaced below
      xs[n] = Request.TransectDir == AlongX ? s2 : q.X;
      ys[n] = Request.TransectDir == Alongy ? s2 : q.Y;
      zs[n] = Request.TransectDir == Alongz ? s2 : q.Z;
    }
    Electron->GetLevels(View_, xs.data(), ys.data(), zs.data(), n, levels.data());
    for (int i = 0; i < n; ++i) {
      const int x = first + i;
      const double a = (x + 0.5 - c) / frame.PerStep * h, b = (y + 0.5 - c) / frame.PerStep * h;
      const int p = levels[i];
      pixels(x, y) = paint(p, a, b);
      pixels(side - 1 - x, y) = paint(p, -a, b);
      pixels(x, side - 1 - y) = paint(p, a, -b);
      pixels(side - 1 - x, side - 1 - y) = paint(p, -a, -b);
    }
  }
  dc.SetAllBits(pixels);
  PublishView(Request.Size);
}

}  // namespace wl
