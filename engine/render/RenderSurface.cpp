#include "render/RenderSurface.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <complex>
#include <cstdint>
#include <exception>
#include <limits>
#include <optional>
#include <thread>
#include <utility>

#include "core/WLError.h"
#include "render/Phase.h"
#include "render/ViewGeometry.h"
#include "render/cOrbital.h"

namespace wl {

// ---- Camera -----------------------------------------------------------------

SurfaceCamera::SurfaceCamera(double theta, double phi, double atomRadius, RenderSize size,
                             int pixels) {
  RenderRequest request;
  request.Size = size;
  request.Pixels = static_cast<Integer>(std::clamp(pixels, -1, 32767));
  const PictureFrame frame = FrameOf(request);
  if (frame.Side == 0) RaiseError(5);
  nano_ = size == Nano;
  side_ = frame.Side;
  edge_ = nano_ ? 63 : 187;
  if (frame.Scaled) perStep_ = frame.PerStep;
  unit_ = atomRadius / 127;
  const double cT = std::cos(theta), sT = std::sin(theta), cP = std::cos(phi), sP = std::sin(phi);
  // The rows of DotRotation: u = U·P, w = W·P, v = V·P.
  U = {cP, sP * cT, sP * sT};
  W = {-sP, cP * cT, cP * sT};
  V = {0, -sT, cT};
}

double SurfaceCamera::ScreenOffset(double p) const {
  // Another size: the pixel's middle, about the picture's middle.
  if (perStep_ > 0) return (p + 0.5 - side_ / 2.0) / perStep_;
  const double a = p - edge_;
  if (!nano_) return a + 0.5;  // the main view puts a dot at floor(u)
  // The nano view at CLng(u) / 2: pixel a holds u in [2a - 0.5, 2a + 1.5) for
  // a > 0, mirrored for a < 0, and (-1.5, 1.5) for a = 0.
  return 2 * a + (a > 0 ? 0.5 : a < 0 ? -0.5 : 0);
}

SurfaceRay SurfaceCamera::RayAt(double x, double y, double radius, bool cutaway) const {
  SurfaceRay ray;
  const double u = ScreenOffset(x) * unit_, v = ScreenOffset(y) * unit_;
  ray.Origin = u * U + v * V;
  ray.Dir = W;
  const double s2 = radius * radius - u * u - v * v;
  if (s2 <= 0) return ray;  // misses
  const double s = std::sqrt(s2);
  ray.Near = cutaway ? 0 : -s;
  ray.Far = s;
  return ray;
}

// ---- Bricks -----------------------------------------------------------------

void FieldBricks::Build(const ScalarField& f) {
  Of = &f;
  const int cells = f.N - 1;
  PerAxis = (cells + kCells - 1) / kCells;
  const size_t count = static_cast<size_t>(PerAxis) * PerAxis * PerAxis;
  MaxAbs.assign(count, 0.0f);
  MinAbs.assign(count, std::numeric_limits<float>::infinity());
  Peak = 0;
  for (int k = 0; k < f.N; ++k) {
    // A node on a brick's face is a corner of the neighbouring brick too.
    const int k0 = std::max(0, (k - 1) / kCells), k1 = std::min(PerAxis - 1, k / kCells);
    for (int j = 0; j < f.N; ++j) {
      const int j0 = std::max(0, (j - 1) / kCells), j1 = std::min(PerAxis - 1, j / kCells);
      for (int i = 0; i < f.N; ++i) {
        const float a = std::abs(f.At(i, j, k));
        Peak = std::max(Peak, a);
        const int i0 = std::max(0, (i - 1) / kCells), i1 = std::min(PerAxis - 1, i / kCells);
        for (int bk = k0; bk <= k1; ++bk)
          for (int bj = j0; bj <= j1; ++bj)
            for (int bi = i0; bi <= i1; ++bi) {
              const size_t b = Index(bi, bj, bk);
              MaxAbs[b] = std::max(MaxAbs[b], a);
              MinAbs[b] = std::min(MinAbs[b], a);
            }
      }
    }
  }
}

namespace {

// ---- Field access -------------------------------------------------------------

// The trilinear field at world points, and the normals of its level sets.
struct FieldProbe {
  const ScalarField& f;
  const FieldBricks& bricks;
  double half, h, inv;
  int last;  // N - 2: the last cell

  FieldProbe(const ScalarField& field, const FieldBricks& b)
      : f(field),
        bricks(b),
        half(field.Half),
        h(field.Step()),
        inv(1 / field.Step()),
        last(field.N - 2) {}

  // As ScalarField::Sample, without its divisions.
  float Value(Vec3 p) const {
    const double fx = (p.x + half) * inv, fy = (p.y + half) * inv, fz = (p.z + half) * inv;
    if (!(fx >= 0 && fy >= 0 && fz >= 0 && fx <= last + 1 && fy <= last + 1 && fz <= last + 1))
      return 0;
    const int i = std::min(static_cast<int>(fx), last), j = std::min(static_cast<int>(fy), last),
              k = std::min(static_cast<int>(fz), last);
    const float tx = static_cast<float>(fx - i), ty = static_cast<float>(fy - j),
                tz = static_cast<float>(fz - k);
    const size_t sy = static_cast<size_t>(f.N), sz = sy * sy;
    const float* c = f.Value.data() + f.Index(i, j, k);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    const float c00 = lerp(c[0], c[1], tx), c10 = lerp(c[sy], c[sy + 1], tx);
    const float c01 = lerp(c[sz], c[sz + 1], tx), c11 = lerp(c[sz + sy], c[sz + sy + 1], tx);
    return lerp(lerp(c00, c10, ty), lerp(c01, c11, ty), tz);
  }

  // The outward normal of the level set of |ψ| at p (|ψ| falls outwards):
  // the gradient from four samples at the corners of a tetrahedron around p.
  Vec3 Normal(Vec3 p) const {
    const double d = 0.5 * h;
    auto a = [&](double x, double y, double z) {
      return std::abs(Value({p.x + x, p.y + y, p.z + z}));
    };
    const double f1 = a(d, -d, -d), f2 = a(-d, -d, d), f3 = a(-d, d, -d), f4 = a(d, d, d);
    Vec3 g{f1 - f2 - f3 + f4, -f1 - f2 + f3 + f4, -f1 + f2 - f3 + f4};
    const double len = std::sqrt(Dot(g, g));
    if (len == 0) return {0, 0, 0};
    return (-1 / len) * g;
  }
};

// ---- March --------------------------------------------------------------------

// Classes of |ψ| along a ray: 0 outside the outer surface, 1 between the
// surfaces, 2 inside the inner one.
struct Levels {
  float outer, inner;  // |ψ| = √t of each surface; inner is +∞ without one
  int ClassOf(float a) const { return a < outer ? 0 : (a < inner ? 1 : 2); }
};

struct SurfaceHit {
  double T = 0;
  Vec3 Point;
  int From = 0, To = 0;  // the classes before and after the crossing
  float Level = 0;       // the |ψ| crossed
};

// Steps along the ray until the class of |ψ| changes; the crossing is then
// refined by regula falsi on |ψ| - level, kept bracketed (bisection when it
// stalls). Bricks where no crossing can happen from the present class (all
// corners below the outer level, or all between the two levels) are skipped
// whole; steps start afresh in each brick.
class SurfaceMarch {
 public:
  SurfaceMarch(const FieldProbe& probe, Levels levels, double step)
      : probe_(probe), levels_(levels), step_(step) {}

  int ClassAt(const SurfaceRay& ray, double t) const {
    return levels_.ClassOf(std::abs(probe_.Value(ray.At(t))));
  }

  // The ray must lie inside the cube (see ClipToCube). Bricks are walked one
  // after the other along the ray (a 3D DDA).
  bool Next(const SurfaceRay& ray, double t, int cls, SurfaceHit& hit) const {
    const FieldBricks& bricks = probe_.bricks;
    const int B = FieldBricks::kCells, P = bricks.PerAxis;
    const double brickSide = B * probe_.h;
    const Vec3 p = ray.At(t);
    const double c[3] = {(p.x + probe_.half) / brickSide, (p.y + probe_.half) / brickSide,
                         (p.z + probe_.half) / brickSide};
    const double d[3] = {ray.Dir.x, ray.Dir.y, ray.Dir.z};
    int b[3], stepDir[3];
    double tMax[3], tDelta[3];
    for (int a = 0; a < 3; ++a) {
      b[a] = std::clamp(static_cast<int>(c[a]), 0, P - 1);
      if (d[a] > 0) {
        stepDir[a] = 1;
        tDelta[a] = brickSide / d[a];
        tMax[a] = t + (b[a] + 1 - c[a]) * tDelta[a];
      } else if (d[a] < 0) {
        stepDir[a] = -1;
        tDelta[a] = -brickSide / d[a];
        tMax[a] = t + (c[a] - b[a]) * tDelta[a];
      } else {
        stepDir[a] = 0;
        tDelta[a] = tMax[a] = std::numeric_limits<double>::infinity();
      }
    }
    while (t < ray.Far) {
      const int a = tMax[0] < tMax[1] ? (tMax[0] < tMax[2] ? 0 : 2) : (tMax[1] < tMax[2] ? 1 : 2);
      const double end = std::min(ray.Far, tMax[a]);
      const size_t i = bricks.Index(b[0], b[1], b[2]);
      const bool empty =
          (cls == 0 && bricks.MaxAbs[i] < levels_.outer) ||
          (cls == 1 && bricks.MaxAbs[i] < levels_.inner && bricks.MinAbs[i] >= levels_.outer);
      if (!empty) {
        float a = std::abs(probe_.Value(ray.At(t)));
        // Inside the translucent outer shell three times the step: the inner shell
        // and the shell's far wall are large and smooth.
        const double step = cls == 0 ? step_ : 3 * step_;
        for (double tn; t < end; t = tn) {
          tn = std::min(t + step, end);
          const float an = std::abs(probe_.Value(ray.At(tn)));
          const int cn = levels_.ClassOf(an);
          if (cn == cls) {
            a = an;
            continue;
          }
          // Crossing the outer level unless moving between 1 and 2.
          const bool inner = cls >= 1 && cn >= 1;
          hit.Level = inner ? levels_.inner : levels_.outer;
          hit.From = cls;
          hit.To = inner ? cn : (cn > cls ? 1 : 0);
          hit.T = Refine(ray, t, tn, a - hit.Level, an - hit.Level, hit.Level);
          hit.Point = ray.At(hit.T);
          return true;
        }
      }
      t = end;
      b[a] += stepDir[a];
      if (b[a] < 0 || b[a] >= P) return false;  // out of the cube, where ψ is 0
      tMax[a] += tDelta[a];
    }
    return false;
  }

 private:
  // Regula falsi between a and b, where |ψ| - level is ga and gb (of
  // opposite signs): three steps, kept bracketed (bisection when one stalls).
  double Refine(const SurfaceRay& ray, double a, double b, double ga, double gb,
                float level) const {
    for (int it = 0; it < 3; ++it) {
      double m = (ga != gb) ? a + (b - a) * ga / (ga - gb) : (a + b) / 2;
      if (!(m > a && m < b)) m = (a + b) / 2;
      const double gm = std::abs(probe_.Value(ray.At(m))) - level;
      if ((gm < 0) == (ga < 0)) {
        a = m;
        ga = gm;
      } else {
        b = m;
        gb = gm;
      }
    }
    return ga != gb ? a + (b - a) * ga / (ga - gb) : (a + b) / 2;
  }

  const FieldProbe& probe_;
  Levels levels_;
  double step_;
};

// ---- Shading -------------------------------------------------------------------

struct Rgb {
  float r = 0, g = 0, b = 0;
  friend Rgb operator+(Rgb a, Rgb c) { return {a.r + c.r, a.g + c.g, a.b + c.b}; }
  friend Rgb operator*(float s, Rgb a) { return {s * a.r, s * a.g, s * a.b}; }
};

Rgb FromPhase(PhaseRgb c) {
  return {c.R / 255.0f, c.G / 255.0f, c.B / 255.0f};
}

// The lights, fixed to the camera: a key light from the upper left in front
// and a weaker fill from the lower right.
struct Lighting {
  Vec3 key, fill, eye, half;

  explicit Lighting(const SurfaceCamera& cam) {
    auto unit = [](Vec3 a) { return (1 / std::sqrt(Dot(a, a))) * a; };
    key = unit(-0.45 * cam.U + 0.6 * cam.V - 0.75 * cam.W);
    fill = unit(0.6 * cam.U - 0.3 * cam.V - 0.6 * cam.W);
    eye = -1 * cam.W;
    half = unit(key + eye);
  }

  // A lit surface: ambient and diffuse in its colour, a soft white highlight,
  // and a rim that brightens the silhouette so it reads on black.
  Rgb Surface(Rgb base, Vec3 n) const {
    const float diffuse = static_cast<float>(std::max(0.0, Dot(n, key)));
    const float filled = static_cast<float>(std::max(0.0, Dot(n, fill)));
    const float facing = static_cast<float>(std::clamp(Dot(n, eye), 0.0, 1.0));
    const float h1 = static_cast<float>(std::max(0.0, Dot(n, half)));
    const float h4 = (h1 * h1) * (h1 * h1), h32 = h4 * h4 * h4 * h4 * h4 * h4 * h4 * h4;
    const float highlight = h32 * h4 * 0.35f;  // (n·h)^36
    const float rim = (1 - facing) * (1 - facing) * (1 - facing) * 0.45f;
    const Rgb white{1, 1, 1};
    return (0.14f + 0.72f * diffuse + 0.14f * filled) * base + highlight * white +
           rim * (0.5f * base + 0.5f * white);
  }
};

// The cut face: the colour of ψ's sign, brighter where |ψ| is larger (on a
// logarithmic scale from the surface's level to the peak, so that every
// shell shows its crest) and lightened a little so it reads as a cut.
Rgb CutFace(Rgb base, float a, float level, float peak) {
  const float m = peak > level && a > level ? std::log(a / level) / std::log(peak / level) : 0.0f;
  const float k = 0.45f + 0.55f * std::sqrt(std::clamp(m, 0.0f, 1.0f));
  const Rgb white{1, 1, 1};
  return k * (0.8f * base + 0.2f * white);
}

inline RGBA ToPixel(Rgb c) {
  auto byte = [](float v) {
    const int i = static_cast<int>(v * 255 + 0.5f);
    return static_cast<Byte>(i < 0 ? 0 : (i > 255 ? 255 : i));
  };
  return RGBA{byte(c.b), byte(c.g), byte(c.r), 0};
}

// ---- The picture ---------------------------------------------------------------

// Limits the ray to the field's cube (slightly inside it), where the march
// can walk its bricks.
void ClipToCube(SurfaceRay& ray, double half) {
  const double lim = half * (1 - 1e-9);
  const double o[3] = {ray.Origin.x, ray.Origin.y, ray.Origin.z};
  const double d[3] = {ray.Dir.x, ray.Dir.y, ray.Dir.z};
  for (int a = 0; a < 3; ++a) {
    if (d[a] == 0) {
      if (std::abs(o[a]) > lim) ray.Far = ray.Near - 1;
      continue;
    }
    double t0 = (-lim - o[a]) / d[a], t1 = (lim - o[a]) / d[a];
    if (t0 > t1) std::swap(t0, t1);
    ray.Near = std::max(ray.Near, t0);
    ray.Far = std::min(ray.Far, t1);
  }
}

// Everything a ray needs, shared by all rows.
struct Tracer {
  const SurfaceCamera& cam;
  const FieldProbe& probe;
  const SurfaceMarch& march;
  const Lighting& light;
  Levels levels;
  bool nested, cutaway, phase;
  PhasePalette palette;
  double radius;
  const cElectron* complex;  // with `wheel`: colours by the hue of arg ψ
  const PhaseWheel* wheel;

  Rgb BaseAt(Vec3 p) const {
    if (!phase) return FromPhase(kUnsignedSurface);
    if (complex) return FromPhase((*wheel)(std::arg(complex->GetPsiComplex({p.x, p.y, p.z}))));
    return FromPhase(PhaseColour(palette, probe.Value(p) >= 0));
  }

  // What a ray met, for the final image's interpolation (see RenderFinal).
  struct Result {
    Rgb colour;
    float depth = 0;         // t of the first hit or cut
    Vec3 normal;             // of the first hit; zero for a cut face
    std::uint32_t path = 0;  // the crossings met and their signs, in order; 0: nothing
  };

  Rgb Trace(double x, double y) const { return TraceFull(x, y).colour; }

  // `from`: where the march may start, when the pixel's neighbours show that
  // nothing lies in front of it (only for plain surfaces).
  Result TraceFull(double x, double y,
                   double from = -std::numeric_limits<double>::infinity()) const {
    Result r;
    SurfaceRay ray = cam.RayAt(x, y, radius, cutaway);
    ClipToCube(ray, probe.half);
    if (ray.Near > ray.Far) return r;
    if (from > ray.Near && from < ray.Far && march.ClassAt(ray, from) == 0) ray.Near = from;
    auto note = [&](std::uint32_t code, Vec3 p, bool first, double t, Vec3 n) {
      r.path = (r.path << 5) | code | (probe.Value(p) >= 0 ? 16u : 0u);
      if (first) {
        r.depth = static_cast<float>(t);
        r.normal = n;
      }
    };
    r.path = 1;
    float through = 1;  // what still shows through the translucent layers
    double t = ray.Near;
    int cls = march.ClassAt(ray, t);
    if (cutaway && cls > 0) {
      const Vec3 p = ray.At(t);
      const float a = std::abs(probe.Value(p));
      const float level = cls == 2 ? levels.inner : levels.outer;
      const Rgb c = CutFace(BaseAt(p), a, level, probe.bricks.Peak);
      note(10u + static_cast<std::uint32_t>(cls), p, true, t, {});
      if (!nested || cls == 2) {
        r.colour = c;
        return r;
      }
      r.colour = 0.5f * c;
      through = 0.5f;
    }
    const double nudge = 1e-3 * probe.h;
    SurfaceHit hit;
    for (int hits = 0; hits < 5 && through > 0.03f && march.Next(ray, t, cls, hit); ++hits) {
      Vec3 n = probe.Normal(hit.Point);
      note(static_cast<std::uint32_t>(hit.From * 3 + hit.To + 1), hit.Point, r.path == 1, hit.T, n);
      const Rgb base = BaseAt(hit.Point);
      if (hit.To > hit.From) {
        const Rgb c = light.Surface(base, n);
        if (!nested || hit.To == 2) {
          r.colour = r.colour + through * c;
          return r;
        }
        // The translucent outer shell, more opaque where it turns away.
        const float facing = static_cast<float>(std::clamp(Dot(n, light.eye), 0.0, 1.0));
        const float alpha = 0.25f + 0.5f * (1 - facing) * (1 - facing);
        r.colour = r.colour + (through * alpha) * c;
        through *= 1 - alpha;
      } else {
        // Leaving the outer shell: its back wall, seen from inside.
        n = -1 * n;
        const float alpha = 0.18f;
        r.colour = r.colour + (through * alpha) * light.Surface(base, n);
        through *= 1 - alpha;
      }
      t = hit.T + nudge;
      cls = hit.To;
    }
    if (r.path == 1) r.path = 0;
    return r;
  }

  // Whether the rays around a pixel met the same surfaces at nearly the same
  // depth and slope, so that the pixel is their average.
  bool Agree(const Result* const* around, int n) const {
    const Result& a = *around[0];
    for (int i = 1; i < n; ++i) {
      const Result& b = *around[i];
      if (b.path != a.path) return false;
      if (a.path == 0) continue;
      if (std::abs(b.depth - a.depth) > probe.h) return false;
      const bool flat = Dot(a.normal, a.normal) == 0 && Dot(b.normal, b.normal) == 0;
      if (!flat && Dot(a.normal, b.normal) < 0.95) return false;
    }
    return true;
  }
};

// Runs rows [0, rows) on up to two threads, in chunks taken in turn.
template <class Row>
void ForRows(int rows, Row&& row) {
  const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
  std::atomic<int> next{0};
  constexpr int kChunk = 4;
  std::exception_ptr errors[2];
  auto work = [&](int w) {
    try {
      for (int r; (r = next.fetch_add(kChunk)) < rows;) {
        for (int y = r; y < std::min(rows, r + kChunk); ++y) row(y);
      }
    } catch (...) {
      errors[w] = std::current_exception();
    }
  };
  if (threads > 1) {
    std::thread helper(work, 1);
    work(0);
    helper.join();
  } else {
    work(0);
  }
  for (auto& e : errors) {
    if (e) std::rethrow_exception(e);
  }
}

// The radius of a sphere around the nucleus holding every node above the
// outer level, plus a cell's diagonal.
double BoundingRadius(const ScalarField& f, const FieldBricks& bricks, float level) {
  const int B = FieldBricks::kCells, P = bricks.PerAxis;
  const double h = f.Step();
  double r2 = 0;
  for (int bk = 0; bk < P; ++bk)
    for (int bj = 0; bj < P; ++bj)
      for (int bi = 0; bi < P; ++bi) {
        if (bricks.MaxAbs[bricks.Index(bi, bj, bk)] < level) continue;
        // The brick's farthest corner from the nucleus.
        auto far = [&](int b) {
          const double lo = -f.Half + b * B * h, hi = std::min(f.Half, lo + B * h);
          return std::max(std::abs(lo), std::abs(hi));
        };
        const double x = far(bi), y = far(bj), z = far(bk);
        r2 = std::max(r2, x * x + y * y + z * z);
      }
  return std::sqrt(r2) + h;
}

// The final image, coarse to fine: rays through every fourth pixel each way
// first, then the pixels halfway between them (x and y even), then the rest.
// A pixel of a finer pass is the average of its neighbours of the coarser
// one (two along a row or column, or four diagonal) where those agree, else
// traced itself; so silhouettes, edges and every change of surface are traced
// at full resolution. The result does not depend on how rows are shared out.
void RenderFinal(const Tracer& tracer, int side, PixelArray& out) {
  const int half = side / 2 + 1;  // pixels of even x (or y) per row (or column)
  std::vector<Tracer::Result> even(static_cast<size_t>(half) * half);
  auto at = [&](int x, int y) -> Tracer::Result& {
    return even[static_cast<size_t>(y / 2) * half + x / 2];
  };
  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < side && y < side; };

  // The pixel (x, y) of the grid of spacing `s`: from its neighbours at
  // distance d = s / 2 on the grid of spacing 2d, or traced.
  auto fill = [&](int x, int y, int d, Tracer::Result* keep) {
    const bool oddX = (x / d) % 2 != 0, oddY = (y / d) % 2 != 0;
    const Tracer::Result* around[4];
    int n = 0;
    bool complete = true;
    auto add = [&](int u, int v) {
      if (!inside(u, v)) {
        complete = false;
        return;
      }
      around[n++] = &at(u, v);
    };
    if (oddX && oddY) {
      add(x - d, y - d), add(x + d, y - d), add(x - d, y + d), add(x + d, y + d);
    } else if (oddX) {
      add(x - d, y), add(x + d, y);
    } else {
      add(x, y - d), add(x, y + d);
    }
    Tracer::Result r;
    if (complete && tracer.Agree(around, n)) {
      Vec3 normal;
      float depth = 0;
      for (int i = 0; i < n; ++i) {
        r.colour = r.colour + around[i]->colour;
        normal = normal + around[i]->normal;
        depth += around[i]->depth;
      }
      r.colour = (1.0f / n) * r.colour;
      r.depth = depth / n;
      const double len = std::sqrt(Dot(normal, normal));
      r.normal = len > 0 ? (1 / len) * normal : normal;
      r.path = around[0]->path;
    } else {
      // Where all neighbours met the same plain surface, nothing lies much
      // in front of their nearest hit.
      double from = -std::numeric_limits<double>::infinity();
      if (complete && !tracer.nested && !tracer.cutaway && around[0]->path != 0) {
        bool same = true;
        float nearest = around[0]->depth;
        for (int i = 1; i < n; ++i) {
          same = same && around[i]->path == around[0]->path;
          nearest = std::min(nearest, around[i]->depth);
        }
        if (same) from = nearest - 2 * tracer.probe.h;
      }
      r = tracer.TraceFull(x, y, from);
    }
    out.Row(y)[x] = ToPixel(r.colour);
    if (keep) *keep = r;
  };

  ForRows((side + 3) / 4, [&](int j) {
    for (int x = 0; x < side; x += 4) {
      Tracer::Result& r = at(x, 4 * j);
      r = tracer.TraceFull(x, 4 * j);
      out.Row(4 * j)[x] = ToPixel(r.colour);
    }
  });
  ForRows((side + 1) / 2, [&](int j) {
    const int y = 2 * j;
    for (int x = (y % 4 == 0) ? 2 : 0; x < side; x += (y % 4 == 0) ? 4 : 2)
      fill(x, y, 2, &at(x, y));
  });
  ForRows(side, [&](int y) {
    for (int x = (y % 2 == 0) ? 1 : 0; x < side; x += (y % 2 == 0) ? 2 : 1) fill(x, y, 1, nullptr);
  });
}

}  // namespace

ScalarField EverySecondNode(const ScalarField& f) {
  ScalarField c;
  c.N = (f.N + 1) / 2;
  c.Half = f.Half;
  c.Signed = f.Signed;
  c.Value.resize(static_cast<size_t>(c.N) * c.N * c.N);
  for (int k = 0; k < c.N; ++k)
    for (int j = 0; j < c.N; ++j)
      for (int i = 0; i < c.N; ++i) c.Value[c.Index(i, j, k)] = f.At(2 * i, 2 * j, 2 * k);
  return c;
}

void RenderSurfaceImage(const SurfaceLevel& outer, const SurfaceLevel* inner,
                        const ScalarField& field, FieldBricks& bricks, const SurfaceView& view,
                        PixelArray& out) {
  if (!outer.Field || field.Half != outer.Field->Half) RaiseError(5);
  if (bricks.Of != &field) bricks.Build(field);
  const SurfaceCamera cam(view.Theta, view.Phi, outer.AtomRadius, view.Size, view.Pixels);
  const int side = cam.Side();
  if (out.Width != side || out.Height != side) out.Allocate(side, side);

  Levels levels{static_cast<float>(std::sqrt(outer.Density)),
                std::numeric_limits<float>::infinity()};
  if (inner && inner->Field == outer.Field && inner->Density > outer.Density) {
    levels.inner = static_cast<float>(std::sqrt(inner->Density));
  }
  const FieldProbe probe(field, bricks);
  // The final image steps a cell at a time, the preview two.
  const SurfaceMarch march(probe, levels, (view.Final ? 1.0 : 2.0) * probe.h);
  const Lighting light(cam);
  const bool complex = view.Phase && view.Complex;
  std::optional<PhaseWheel> wheel;
  if (complex) wheel.emplace(view.Palette);
  const Tracer tracer{cam,
                      probe,
                      march,
                      light,
                      levels,
                      inner != nullptr && std::isfinite(levels.inner),
                      view.Cutaway,
                      view.Phase && (field.Signed || complex),
                      view.Palette,
                      BoundingRadius(field, bricks, levels.outer),
                      complex ? view.Complex : nullptr,
                      complex ? &*wheel : nullptr};

  if (view.Final) {
    RenderFinal(tracer, side, out);
    return;
  }
  // The preview: one ray every fourth pixel each way (every second in the
  // nano view), bilinear in between.
  // A picture of another size keeps about as many rays as the view's own.
  const int own = view.Size == Main ? 375 : 127;
  const int stride =
      (view.Size == Main ? 4 : 2) * std::max(1, static_cast<int>(std::lround(1.0 * side / own)));
  const int coarse = (side - 1) / stride + 2;
  std::vector<Rgb> grid(static_cast<size_t>(coarse) * coarse);
  ForRows(coarse, [&](int j) {
    for (int i = 0; i < coarse; ++i)
      grid[static_cast<size_t>(j) * coarse + i] = tracer.Trace(i * stride, j * stride);
  });
  ForRows(side, [&](int y) {
    const int j = y / stride;
    const float fy = static_cast<float>(y - j * stride) / stride;
    // The row between the two coarse rows, then across it.
    std::vector<Rgb> between(static_cast<size_t>(coarse));
    const Rgb* g0 = &grid[static_cast<size_t>(j) * coarse];
    const Rgb* g1 = g0 + coarse;
    for (int i = 0; i < coarse; ++i) between[i] = (1 - fy) * g0[i] + fy * g1[i];
    RGBA* row = out.Row(y);
    for (int x = 0; x < side; ++x) {
      const int i = x / stride;
      const float fx = static_cast<float>(x - i * stride) / stride;
      row[x] = ToPixel((1 - fx) * between[i] + fx * between[i + 1]);
    }
  });
}

// ---- The orbital's Surface mode --------------------------------------------------

SurfaceLevel cOrbitalObject::SurfaceFor(double share) {
  if (!Electron) RaiseError(kObjectNotSet, "no wave function");
  if (!Surface_) Surface_ = std::make_shared<SurfaceCache>();
  if (!Surface_->Levels) {
    Surface_->Levels = std::make_unique<SurfaceLevels>(*Electron, SetupInfo.AtomRadius);
  }
  return Surface_->Levels->For(share);
}

SurfaceMesh cOrbitalObject::SurfaceMeshFor(double share) {
  const SurfaceLevel level = SurfaceFor(share);
  SurfaceMesh mesh = ExtractSurface(*level.Field, level.Density);
  AddPhaseAngles(mesh, *Electron);
  return mesh;
}

void cOrbitalObject::RenderSurface() {
  const bool main = Request.Size == Main;
  if (!main && Request.Size != Nano) return;
  const double share = Request.EnclosedShare;
  if (!(share >= 0.05 && share <= 0.999)) RaiseError(5, "enclosed share outside 0.05 to 0.999");
  const SurfaceLevel outer = SurfaceFor(share);
  // The inner shell is found on the outer one's field, which holds it too.
  SurfaceLevel inner;
  if (Request.SurfaceNested) inner = Surface_->Levels->Within(outer, InnerShare(share));
  // The bricks and the coarse field follow the field drawn; the cache keeps
  // that field alive.
  SurfaceCache& cache = *Surface_;
  if (cache.Drawn != outer.Field) {
    cache.Drawn = outer.Field;
    cache.Bricks.Build(*outer.Field);
    cache.Coarse = EverySecondNode(*outer.Field);
    cache.CoarseBricks.Build(cache.Coarse);
  }

  SurfaceView view;
  view.Theta = Request.Theta;
  view.Phi = Request.Phi;
  view.Size = Request.Size;
  view.Pixels = Request.Pixels;
  view.Final = Request.VolFinal != kFalse;
  view.Phase = Request.ShowPhase != kFalse;
  view.Palette = Request.Palette;
  if (PhaseComplex()) view.Complex = Electron.get();
  view.Cutaway = Request.SurfaceCutaway != kFalse;

  cMemoryDCEx& dc = NewViewBitmap(Request.Size);
  PixelArray& pixels = PreparePixels(Request.Size);
  // The preview traces the coarse field, which stays in the processor's cache.
  const bool coarse = !view.Final;
  RenderSurfaceImage(outer, Request.SurfaceNested ? &inner : nullptr,
                     coarse ? cache.Coarse : *outer.Field,
                     coarse ? cache.CoarseBricks : cache.Bricks, view, pixels);
  if (main && Request.Transector) DrawTransector();
  dc.SetAllBits(pixels);
  PublishView(Request.Size);
}

}  // namespace wl
