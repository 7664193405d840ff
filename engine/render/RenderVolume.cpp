// The volume renderer: every pixel is a depth-weighted sum of the unscaled
// density along a ray through the atom. Only pixels with even x and y are
// traced, each ray serving its pixel and the mirror pixel (densities are
// unchanged when all three coordinates change sign); the rest is interpolated.
// A density without mirror symmetry (F1) has every traced pixel its own ray.
// The preview's resolution adapts so that a frame takes about 50 ms.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Numeric.h"
#include "core/Platform.h"
#include "core/modMaths.h"
#include "render/Phase.h"
#include "render/Surfaces.h"
#include "render/ViewGeometry.h"
#include "render/cOrbital.h"

namespace wl {

namespace {

// The front and back sums of one ray.
struct RaySums {
  float front = 0;  // weights 1, 1/2, ... 1/q from the front: the pixel's value
  float back = 0;   // weights 1/q, ... 1 from the front: the mirror pixel's value
};

// Rays across the view: q samples from the front to the back of the atom.
template <class Density>
class RayCaster {
 public:
  RayCaster(int q, const COORDdouble& across, const COORDdouble& depth, const COORDdouble& down,
            Density density)
      : q_(q), A_(across), W_(depth), D_(down), density_(density) {}

  // The ray through the pixel at offset (a, b) from the image's centre.
  RaySums Trace(int a, int b) const {
    const COORDdouble S = Start(a, b);
    RaySums sums;
    for (int s = 0; s < q_; ++s) {
      const double x = S.X + s * W_.X, y = S.Y + s * W_.Y, z = S.Z + s * W_.Z;
      const double f = density_(x, y, z);
      sums.front = static_cast<float>(sums.front + f / (s + 1));
      sums.back = static_cast<float>(sums.back + f / (q_ - s));
    }
    return sums;
  }

  // The same ray with the samples where ψ is negative summed apart from the
  // rest. Image rows grow with the sample frame's z, so the picture is the dot
  // views' picture of the atom mirrored in z; no density tells the two apart,
  // but ψ's sign does, so it is read at the mirrored point and the lobes show
  // on the same side as the dots'.
  void TraceSigned(int a, int b, const cElectron& electron, RaySums& pos, RaySums& neg) const {
    const COORDdouble S = Start(a, b);
    for (int s = 0; s < q_; ++s) {
      const double x = S.X + s * W_.X, y = S.Y + s * W_.Y, z = S.Z + s * W_.Z;
      const double f = density_(x, y, z);
      RaySums& sums = electron.GetPsiSign({x, y, -z}) < 0 ? neg : pos;
      sums.front = static_cast<float>(sums.front + f / (s + 1));
      sums.back = static_cast<float>(sums.back + f / (q_ - s));
    }
  }

  // The same ray for a complex ψ: the density, and the density times the cosine
  // and the sine of arg ψ (read at the mirrored point, as TraceSigned reads
  // the sign), so that the pixel's hue is the density-weighted mean phase.
  void TraceComplex(int a, int b, const cElectron& electron, RaySums& f, RaySums& c,
                    RaySums& sn) const {
    const COORDdouble S = Start(a, b);
    for (int s = 0; s < q_; ++s) {
      const double x = S.X + s * W_.X, y = S.Y + s * W_.Y, z = S.Z + s * W_.Z;
      const double d = density_(x, y, z);
      const std::complex<double> psi = electron.GetPsiComplex({x, y, -z});
      const double m = std::abs(psi);
      const double cs = m > 0 ? psi.real() / m : 0, sn1 = m > 0 ? psi.imag() / m : 0;
      auto add = [&](RaySums& sums, double v) {
        sums.front = static_cast<float>(sums.front + v / (s + 1));
        sums.back = static_cast<float>(sums.back + v / (q_ - s));
      };
      add(f, d);
      add(c, d * cs);
      add(sn, d * sn1);
    }
  }

 private:
  COORDdouble Start(int a, int b) const {
    const double lead = (q_ - 1) / 2.0;
    return {a * A_.X + b * D_.X - lead * W_.X, a * A_.Y + b * D_.Y - lead * W_.Y,
            a * A_.Z + b * D_.Z - lead * W_.Z};
  }

  int q_;
  COORDdouble A_, W_, D_;
  Density density_;
};

// An N by N image of Singles, x across and y down, and the largest value traced.
struct VolumeImage {
  int N;
  std::vector<float> I;
  float peak = 0;

  explicit VolumeImage(int n) : N(n), I(static_cast<size_t>(n) * n, 0.0f) {}
  float& operator()(int x, int y) { return I[static_cast<size_t>(y) * N + x]; }
  void Store(int x, int y, float v) {
    (*this)(x, y) = v;
    peak = std::max(peak, v);
  }

  // Fills the pixels between the traced ones: odd x of even rows from their
  // row neighbours, then every pixel of odd rows from the rows above and below.
  void Interpolate() {
    for (int y = 0; y < N; y += 2) {
      for (int x = 1; x <= N - 2; x += 2)
        (*this)(x, y) = ((*this)(x - 1, y) + (*this)(x + 1, y)) / 2;
    }
    for (int y = 1; y <= N - 2; y += 2) {
      for (int x = 0; x < N; ++x) (*this)(x, y) = ((*this)(x, y - 1) + (*this)(x, y + 1)) / 2;
    }
  }
};

// The two phases of a volume image: the density of the positive and of the
// negative samples; the peak is that of their sum, the plain image's value.
struct PhaseImages {
  VolumeImage pos, neg;
  float peak = 0;
  explicit PhaseImages(int n) : pos(n), neg(n) {}
  void Store(int x, int y, const RaySums& p, const RaySums& n, bool front) {
    const float vp = front ? p.front : p.back, vn = front ? n.front : n.back;
    pos(x, y) = vp;
    neg(x, y) = vn;
    peak = std::max(peak, vp + vn);
  }
};

// The phase of a complex volume image: the density and the density times the
// cosine and the sine of arg ψ; the peak is the density's.
struct HueImages {
  VolumeImage f, c, s;
  float peak = 0;
  explicit HueImages(int n) : f(n), c(n), s(n) {}
  // `turn`: the phase turned by π (the mirror ray of an odd orbital).
  void Store(int x, int y, const RaySums (&sums)[3], bool front, bool turn) {
    auto pick = [front](const RaySums& r) { return front ? r.front : r.back; };
    const float k = turn ? -1.0f : 1.0f;
    f(x, y) = pick(sums[0]);
    c(x, y) = k * pick(sums[1]);
    s(x, y) = k * pick(sums[2]);
    peak = std::max(peak, f(x, y));
  }
};

// The traced pixels of an N by N image, c = N / 2 its centre: visit(a, b,
// mirror) for every ray at offset (a, b) from the centre. First the centre
// row, every pixel; then rows of the same parity as c below the centre, every
// second pixel, each ray also giving the mirror pixel (-a, -b) above (mirror).
// Without mirror symmetry (whole) the rows above are traced as well.
template <class Visit>
void ForEachTracedRay(int N, Visit&& visit, bool whole = false) {
  const int c = N / 2;
  for (int a = -c; a <= c; ++a) visit(a, 0, false);
  for (int b = c % 2 == 1 ? 1 : 2; b <= c; b += 2) {
    for (int a = -c; a <= c; a += 2) {
      visit(a, b, !whole);
      if (whole) visit(a, -b, false);
    }
  }
}

template <class Density>
void TraceImage(VolumeImage& img, const RayCaster<Density>& rays, bool whole) {
  const int c = img.N / 2;
  ForEachTracedRay(
      img.N,
      [&](int a, int b, bool mirror) {
        const RaySums sums = rays.Trace(a, b);
        img.Store(c + a, c + b, sums.front);
        if (mirror) img.Store(c - a, c - b, sums.back);
      },
      whole);
}

// TraceImage with the phases apart. The mirror pixel's ray meets the points of
// the ray turned through the nucleus, where ψ has the sign times (-1)^l.
template <class Density>
void TraceImageSigned(PhaseImages& img, const RayCaster<Density>& rays, const cElectron& electron,
                      bool oddParity, bool whole) {
  const int c = img.pos.N / 2;
  ForEachTracedRay(img.pos.N, [&](int a, int b, bool mirror) {
    RaySums pos, neg;
    rays.TraceSigned(a, b, electron, pos, neg);
    img.Store(c + a, c + b, pos, neg, true);
    if (mirror) {
      if (oddParity) {
        img.Store(c - a, c - b, neg, pos, false);
      } else {
        img.Store(c - a, c - b, pos, neg, false);
      }
    }
  }, whole);
  img.pos.Interpolate();
  img.neg.Interpolate();
}

// TraceImage for a complex ψ. The mirror pixel's ray meets the points of the
// ray turned through the nucleus, where ψ is multiplied by (-1)^l.
template <class Density>
void TraceImageComplex(HueImages& img, const RayCaster<Density>& rays, const cElectron& electron,
                       bool oddParity) {
  const int c = img.f.N / 2;
  ForEachTracedRay(img.f.N, [&](int a, int b, bool mirror) {
    RaySums sums[3];
    rays.TraceComplex(a, b, electron, sums[0], sums[1], sums[2]);
    img.Store(c + a, c + b, sums, true, false);
    if (mirror) img.Store(c - a, c - b, sums, false, oddParity);
  });
  img.f.Interpolate();
  img.c.Interpolate();
  img.s.Interpolate();
}

// A pixel of a complex volume: as bright as the plain image, in the hue of the
// mean phase along its ray, paler (towards the wheel's grey) where phases
// along the ray cancel.
RGBA HuePixel(const PhaseWheel& wheel, float f, float c, float s, float scale) {
  if (f <= 0) return RGBA{};
  const float bright = scale * f / 255;
  const float k = std::min(1.0f, std::hypot(c, s) / f);
  const PhaseRgb& hue = wheel(std::atan2(s, c));
  const PhaseRgb& grey = wheel.Grey();
  auto channel = [&](int h, int g) {
    return static_cast<Byte>(std::min(255.0f, std::round(bright * (k * h + (1 - k) * g))));
  };
  return RGBA{channel(hue.B, grey.B), channel(hue.G, grey.G), channel(hue.R, grey.R), 0};
}

}  // namespace

void cOrbitalObject::RenderVolume() {
  const std::uint32_t t0 = timeGetTime();
  const Byte qByte = CByte(Request.VolQuality);
  const int q = qByte == 0 ? 5 : qByte;
  if (q < 5 || q > 10) RaiseError(kSubscriptRange, "volume quality outside 5 to 10");
  const bool main = Request.Size == Main;
  if (!main && Request.Size != Nano) return;
  if (!Electron) RaiseError(kObjectNotSet, "no wave function");

  // Resolution: full for the final image, else steered by VolumeParam; always
  // odd. A picture of another size traces at its own resolution.
  const PictureFrame frame = Frame();
  const VolumeFrame place = VolumeFrameOf(frame, Request.Size);
  const int maxN = place.Traced;
  int N = maxN;
  if (!Request.VolFinal) {
    const double wanted = Int(static_cast<float>(q * VolumeParam));
    N = wanted >= 16 ? (wanted <= maxN ? static_cast<int>(wanted) : maxN) : 16;
    if (N % 2 == 0) --N;
  }
  const int c = N / 2;
  const double R = SetupInfo.AtomRadius;
  const double h = R / c;            // world units per image pixel
  const double d = 2 * R / (q - 1);  // distance between samples along a ray
  const COORDdouble A = modMaths::RotatePoint({h, 0, 0}, Request.Theta, Request.Phi);
  const COORDdouble W = modMaths::RotatePoint({0, d, 0}, Request.Theta, Request.Phi);
  const COORDdouble D = modMaths::RotatePoint({0, 0, h}, Request.Theta, Request.Phi);

  const bool hues = PhaseComplex();
  const bool phase = PhaseShown() && !hues;
  VolumeImage img(phase || hues ? 0 : N);
  PhaseImages phases(phase ? N : 0);
  HueImages complexImg(hues ? N : 0);
  cElectron& electron = *Electron;
  const OrbInfo info = electron.GetInfo();
  const bool whole = (View_ == PDF ? info.PDFOptFactor : info.DRPDFOptFactor) == F1;
  auto trace = [&](auto density) {
    const RayCaster rays(q, A, W, D, density);
    if (hues) {  // complex orbitals are round about z, never whole-cube
      TraceImageComplex(complexImg, rays, electron, info.l % 2 == 1);
    } else if (phase) {
      TraceImageSigned(phases, rays, electron, info.l % 2 == 1, whole);
    } else {
      TraceImage(img, rays, whole);
      img.Interpolate();
    }
  };
  if (whole) {
    // Read at the point mirrored in z, as the signed tracing reads ψ's sign,
    // so that the picture shows the atom as the dot views do.
    const ViewMode view = View_;
    trace([&electron, view](double x, double y, double z) {
      return electron.GetNonScaledAt(view, {x, y, -z});
    });
  } else if (View_ == PDF) {
    trace([&electron](double x, double y, double z) {
      return electron.GetNonScaledPDF(COORDdoubleParams{x * x, y * y, z * z});
    });
  } else {
    trace([&electron](double x, double y, double z) {
      return electron.GetNonScaledDRPDF(COORDdoubleParams{x * x, y * y, z * z});
    });
  }

  // Brightness: the largest value per quality only grows, so a turning view keeps its scale.
  float m = hues ? complexImg.peak : phase ? phases.peak : img.peak;
  float& p = VolumePeaks[q - 5];
  if (m < p) {
    m = p;
  } else {
    p = m;
  }
  if (m == 0) m = 1;
  const float scale = 255.0f / m;

  cMemoryDCEx image;
  image.Create(N, N);
  std::vector<RGBA> row(static_cast<size_t>(N));
  const PhaseRgb cp = PhaseColour(Request.Palette, true), cn = PhaseColour(Request.Palette, false);
  std::optional<PhaseWheel> wheel;
  if (hues) wheel.emplace(Request.Palette);
  for (int y = 0; y < N; ++y) {
    for (int x = 0; x < N; ++x) {
      if (hues) {
        row[x] =
            HuePixel(*wheel, complexImg.f(x, y), complexImg.c(x, y), complexImg.s(x, y), scale);
      } else if (phase) {
        // Each phase glows in its colour; where both lie on one ray the colours add.
        const float fp = scale * phases.pos(x, y) / 255, fn = scale * phases.neg(x, y) / 255;
        auto channel = [&](int a, int b) {
          return static_cast<Byte>(std::min(255.0f, std::round(fp * a + fn * b)));
        };
        row[x] = RGBA{channel(cp.B, cn.B), channel(cp.G, cn.G), channel(cp.R, cn.R), 0};
      } else {
        const Byte g = CByte(scale * img(x, y));
        row[x] = RGBA{g, g, g, 0};
      }
    }
    image.SetBits(row, 0, y, 1);
  }

  // The main view shows the volume in a black 60-pixel frame, the nano view
  // fills its bitmap (pictures of other sizes in proportion).
  cMemoryDCEx& dc = NewViewBitmap(Request.Size);
  StretchBlt(dc.hdc(), place.Margin, place.Margin, place.Inner, place.Inner, image.hdc(), 0, 0, N,
             N);

  // A final image (or one with the outline) is kept in the view's buffer.
  if (Request.Transector || Request.VolFinal) {
    PixelArray& pixels = PreparePixels(Request.Size);
    dc.GetAllBits(pixels);
    if (Request.Transector) {
      DrawTransector();
      dc.SetAllBits(pixels);
    }
  }
  PublishView(Request.Size);

  // Steer the next preview's resolution towards 50 ms a frame, smoothed by
  // averaging with the old factor. A clock that did not advance (or went back)
  // counts as 50 ms.
  if (!Request.VolFinal) {
    Long elapsed = static_cast<Long>(timeGetTime() - t0);
    if (elapsed <= 0) elapsed = 50;
    VolumeParam = static_cast<float>((N * std::sqrt(50.0 / elapsed) / q + VolumeParam) / 2);
  }
}

}  // namespace wl
