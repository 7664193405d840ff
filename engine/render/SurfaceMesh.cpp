// Marching tetrahedra over the sampled field.
//
// The lattice is extended by one layer of outside nodes (value 0) on every
// side, so "ext" indices run 0 to N + 1 and ext node e is field node e - 1.
// Each cube of eight nodes is cut into six tetrahedra (the Kuhn split); a
// tetrahedron whose corners are partly inside gives one or two triangles with
// their corners on its crossed edges. Cube corners are numbered by bits:
//
//        6-------7         z
//       /|      /|         |  y
//      4-------5 |         | /
//      | 2-----|-3         |/
//      |/      |/          +---- x
//      0-------1           corner c sits at (c & 1, c >> 1 & 1, c >> 2 & 1)
//
// Tetrahedron (a, b, c) follows the path 0 -> a -> a + b -> 7 along the axes
// in that order, so each of its edges joins a corner p to a corner q whose
// bits hold p's: the edge starts at node p and runs in direction q ^ p (one
// of x, y, xy, z, xz, yz, xyz). Every face diagonal of a cube thus runs from
// the face's lowest corner to its highest, as it does in the neighbour
// sharing the face, so the triangles of neighbours meet edge to edge.
//
// A signed field is cut twice, once around the nodes with ψ >= √t (the
// positive lobes) and once around those with ψ <= -√t, so each sign's
// surface is closed on its own and lobes never merge.
#include "render/SurfaceMesh.h"

#include <array>
#include <cmath>
#include <limits>

#include "core/WLError.h"

namespace wl {

namespace {

// The six tetrahedra as cube corners along their paths.
constexpr int kTets[6][4] = {{0, 1, 3, 7}, {0, 1, 5, 7}, {0, 2, 3, 7},
                             {0, 2, 6, 7}, {0, 4, 5, 7}, {0, 4, 6, 7}};

// A triangle's corners as crossed cube edges: (inside corner, outside corner).
struct EdgeRef {
  std::uint8_t In, Out;
};
struct TetCase {
  int Count = 0;
  EdgeRef Tri[2][3];
};

// The triangles of each tetrahedron for each inside pattern of its four
// corners (bit v set when corner kTets[t][v] is inside), each wound
// counter-clockwise seen from the outside. The winding is found once on the
// unit cube with the edges cut at their midpoints, where no triangle is
// degenerate; it is the same for any cut along the same edges.
struct CaseTable {
  TetCase Case[6][16];

  CaseTable() {
    auto corner = [](int c) {
      return std::array<double, 3>{double(c & 1), double(c >> 1 & 1), double(c >> 2 & 1)};
    };
    auto mid = [&](EdgeRef e) {
      const auto a = corner(e.In), b = corner(e.Out);
      return std::array<double, 3>{(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2};
    };
    for (int t = 0; t < 6; ++t) {
      for (int m = 0; m < 16; ++m) {
        int in[4], out[4], ni = 0, no = 0;
        for (int v = 0; v < 4; ++v) (m >> v & 1 ? in[ni++] : out[no++]) = kTets[t][v];
        TetCase& c = Case[t][m];
        auto e = [](int a, int b) { return EdgeRef{std::uint8_t(a), std::uint8_t(b)}; };
        if (ni == 1) {
          c.Count = 1;
          c.Tri[0][0] = e(in[0], out[0]), c.Tri[0][1] = e(in[0], out[1]),
          c.Tri[0][2] = e(in[0], out[2]);
        } else if (ni == 3) {
          c.Count = 1;
          c.Tri[0][0] = e(in[0], out[0]), c.Tri[0][1] = e(in[1], out[0]),
          c.Tri[0][2] = e(in[2], out[0]);
        } else if (ni == 2) {
          // The quad's corners in order around it; adjacent ones share a face.
          const EdgeRef q[4] = {e(in[0], out[0]), e(in[0], out[1]), e(in[1], out[1]),
                                e(in[1], out[0])};
          c.Count = 2;
          c.Tri[0][0] = q[0], c.Tri[0][1] = q[1], c.Tri[0][2] = q[2];
          c.Tri[1][0] = q[0], c.Tri[1][1] = q[2], c.Tri[1][2] = q[3];
        }
        // Outward: from the inside corners' centre towards the outside ones'.
        std::array<double, 3> ci{}, co{};
        for (int v = 0; v < 4; ++v) {
          const auto p = corner(kTets[t][v]);
          auto& s = m >> v & 1 ? ci : co;
          const double w = m >> v & 1 ? 1.0 / ni : 1.0 / no;
          for (int a = 0; a < 3; ++a) s[a] += p[a] * w;
        }
        for (int k = 0; k < c.Count; ++k) {
          const auto a = mid(c.Tri[k][0]), b = mid(c.Tri[k][1]), d = mid(c.Tri[k][2]);
          const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
          const double w[3] = {d[0] - a[0], d[1] - a[1], d[2] - a[2]};
          const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                               u[0] * w[1] - u[1] * w[0]};
          const double dot =
              n[0] * (co[0] - ci[0]) + n[1] * (co[1] - ci[1]) + n[2] * (co[2] - ci[2]);
          if (dot < 0) std::swap(c.Tri[k][1], c.Tri[k][2]);
        }
      }
    }
  }
};

const CaseTable& Cases() {
  static const CaseTable table;
  return table;
}

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

class Extractor {
 public:
  // The surface ψ = sign · √density around the nodes where sign · ψ >=
  // √density; `phase` is what its faces carry.
  Extractor(const ScalarField& f, double density, int sign, int phase)
      : f_(f),
        n_(f.N),
        m_(f.N + 2),
        h_(f.Step()),
        iso_(std::sqrt(density)),
        sign_(sign),
        phase_(static_cast<std::int8_t>(phase)) {}

  SurfaceMesh Run() {
    MarkInside();
    lower_.assign(size_t(m_) * m_ * 3, kNone);
    upper_.assign(size_t(m_) * m_ * 3, kNone);
    cross_.assign(size_t(m_) * m_ * 4, kNone);
    const TetCase(&cases)[6][16] = Cases().Case;
    for (int ck = 0; ck + 1 < m_; ++ck) {
      for (int cj = 0; cj + 1 < m_; ++cj) {
        // The cells of this row can only be crossed between the first and
        // the last inside node of their four rows of nodes.
        int lo = m_, hi = -1;
        for (int r = 0; r < 4; ++r) {
          const size_t row = size_t(cj + (r & 1)) + size_t(m_) * (ck + (r >> 1));
          lo = std::min(lo, rowLo_[row]);
          hi = std::max(hi, rowHi_[row]);
        }
        if (hi < 0) continue;
        const int first = std::max(lo - 1, 0), last = std::min(hi, m_ - 2);
        for (int ci = first; ci <= last; ++ci) {
          int mask = 0;
          for (int c = 0; c < 8; ++c) {
            mask |= inside_[Ext(ci + (c & 1), cj + (c >> 1 & 1), ck + (c >> 2 & 1))] << c;
          }
          if (mask == 0 || mask == 255) continue;
          for (int t = 0; t < 6; ++t) {
            int m4 = 0;
            for (int v = 0; v < 4; ++v) m4 |= (mask >> kTets[t][v] & 1) << v;
            const TetCase& tc = cases[t][m4];
            for (int k = 0; k < tc.Count; ++k) {
              const std::uint32_t a = Vertex(ci, cj, ck, tc.Tri[k][0]);
              const std::uint32_t b = Vertex(ci, cj, ck, tc.Tri[k][1]);
              const std::uint32_t c = Vertex(ci, cj, ck, tc.Tri[k][2]);
              mesh_.Triangles.insert(mesh_.Triangles.end(), {a, b, c});
              mesh_.Phase.push_back(phase_);
            }
          }
        }
      }
      // The top plane of edges becomes the next slab's bottom one.
      std::swap(lower_, upper_);
      std::swap(lowerUsed_, upperUsed_);
      for (size_t s : upperUsed_) upper_[s] = kNone;
      for (size_t s : crossUsed_) cross_[s] = kNone;
      upperUsed_.clear();
      crossUsed_.clear();
    }
    MendFlatNormals();
    return std::move(mesh_);
  }

 private:
  size_t Ext(int ei, int ej, int ek) const {
    return size_t(ei) + size_t(m_) * (size_t(ej) + size_t(m_) * size_t(ek));
  }
  // The field at an ext node; 0 beyond the field's cube.
  double Value(int ei, int ej, int ek) const {
    if (unsigned(ei - 1) >= unsigned(n_) || unsigned(ej - 1) >= unsigned(n_) ||
        unsigned(ek - 1) >= unsigned(n_)) {
      return 0;
    }
    return f_.At(ei - 1, ej - 1, ek - 1);
  }

  // The inside flags of all ext nodes, and per row of x the first and last
  // inside node (m_ and -1 when there is none).
  void MarkInside() {
    inside_.assign(size_t(m_) * m_ * m_, 0);
    rowLo_.assign(size_t(m_) * m_, m_);
    rowHi_.assign(size_t(m_) * m_, -1);
    for (int k = 0; k < n_; ++k) {
      for (int j = 0; j < n_; ++j) {
        const float* v = &f_.Value[f_.Index(0, j, k)];
        std::uint8_t* in = &inside_[Ext(1, j + 1, k + 1)];
        int lo = m_, hi = -1;
        for (int i = 0; i < n_; ++i) {
          const bool inside = sign_ * double(v[i]) >= iso_;
          in[i] = inside;
          if (inside) {
            lo = std::min(lo, i + 1);
            hi = i + 1;
          }
        }
        rowLo_[size_t(j + 1) + size_t(m_) * (k + 1)] = lo;
        rowHi_[size_t(j + 1) + size_t(m_) * (k + 1)] = hi;
      }
    }
  }

  // The field's gradient at an ext node by central differences.
  std::array<double, 3> Gradient(int ei, int ej, int ek) const {
    return {Value(ei + 1, ej, ek) - Value(ei - 1, ej, ek),
            Value(ei, ej + 1, ek) - Value(ei, ej - 1, ek),
            Value(ei, ej, ek + 1) - Value(ei, ej, ek - 1)};
  }

  // The vertex on the cube edge from corner e.In to e.Out of cell (ci, cj,
  // ck), made the first time any cell asks for that lattice edge.
  std::uint32_t Vertex(int ci, int cj, int ck, EdgeRef e) {
    const int base = e.In & e.Out, dir = e.In ^ e.Out;
    const int bi = ci + (base & 1), bj = cj + (base >> 1 & 1);
    const size_t cell = size_t(bi) + size_t(m_) * size_t(bj);
    std::vector<std::uint32_t>* slots;
    std::vector<size_t>* used;
    size_t s;
    if (dir & 4) {
      slots = &cross_, used = &crossUsed_, s = cell * 4 + size_t(dir - 4);
    } else if (base & 4) {
      slots = &upper_, used = &upperUsed_, s = cell * 3 + size_t(dir - 1);
    } else {
      slots = &lower_, used = &lowerUsed_, s = cell * 3 + size_t(dir - 1);
    }
    std::uint32_t& slot = (*slots)[s];
    if (slot != kNone) return slot;
    used->push_back(s);
    slot = static_cast<std::uint32_t>(mesh_.VertexCount());

    const int ai = ci + (e.In & 1), aj = cj + (e.In >> 1 & 1), ak = ck + (e.In >> 2 & 1);
    const int oi = ci + (e.Out & 1), oj = cj + (e.Out >> 1 & 1), ok = ck + (e.Out >> 2 & 1);
    // sign · ψ runs linearly along the edge from va >= iso to vb < iso.
    const double va = sign_ * Value(ai, aj, ak), vb = sign_ * Value(oi, oj, ok);
    const double t = (iso_ - va) / (vb - va);
    const double x0 = -f_.Half - h_;  // ext node 0
    mesh_.Positions.insert(mesh_.Positions.end(), {float(x0 + (ai + t * (oi - ai)) * h_),
                                                   float(x0 + (aj + t * (oj - aj)) * h_),
                                                   float(x0 + (ak + t * (ok - ak)) * h_)});
    // Outward is where sign · ψ falls.
    const auto ga = Gradient(ai, aj, ak), gb = Gradient(oi, oj, ok);
    double g[3], len = 0;
    for (int a = 0; a < 3; ++a) {
      g[a] = -sign_ * (ga[a] + t * (gb[a] - ga[a]));
      len += g[a] * g[a];
    }
    len = std::sqrt(len);
    if (len > 0) {
      mesh_.Normals.insert(mesh_.Normals.end(),
                           {float(g[0] / len), float(g[1] / len), float(g[2] / len)});
    } else {
      mesh_.Normals.insert(mesh_.Normals.end(), {0.f, 0.f, 0.f});
      flat_.push_back(slot);
    }
    return slot;
  }

  // Where the gradient vanishes (a flat stretch of the field), the normal is
  // the area-weighted mean of the faces around the vertex.
  void MendFlatNormals() {
    if (flat_.empty()) return;
    std::vector<std::uint8_t> isFlat(mesh_.VertexCount(), 0);
    for (auto v : flat_) isFlat[v] = 1;
    const auto& p = mesh_.Positions;
    auto& nrm = mesh_.Normals;
    for (size_t f = 0; f < mesh_.Triangles.size(); f += 3) {
      const std::uint32_t* t = &mesh_.Triangles[f];
      if (!isFlat[t[0]] && !isFlat[t[1]] && !isFlat[t[2]]) continue;
      double u[3], w[3];
      for (int a = 0; a < 3; ++a) {
        u[a] = p[3 * t[1] + a] - p[3 * t[0] + a];
        w[a] = p[3 * t[2] + a] - p[3 * t[0] + a];
      }
      const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                           u[0] * w[1] - u[1] * w[0]};
      for (int k = 0; k < 3; ++k) {
        if (!isFlat[t[k]]) continue;
        for (int a = 0; a < 3; ++a) nrm[3 * t[k] + a] += float(n[a]);
      }
    }
    for (auto v : flat_) {
      float* n = &nrm[3 * v];
      const double len = std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
      if (len > 0) {
        for (int a = 0; a < 3; ++a) n[a] = float(n[a] / len);
      } else {
        n[0] = 0, n[1] = 0, n[2] = 1;  // a vertex of zero-area faces only
      }
    }
  }

  const ScalarField& f_;
  const int n_, m_;
  const double h_, iso_;
  const int sign_;
  const std::int8_t phase_;
  std::vector<std::uint8_t> inside_;
  std::vector<int> rowLo_, rowHi_;
  // Vertex ids of the lattice edges of the current slab of cells: the x, y
  // and xy edges in its bottom and top planes, and the edges that climb
  // from the bottom plane to the top (z, xz, yz, xyz).
  std::vector<std::uint32_t> lower_, upper_, cross_;
  std::vector<size_t> lowerUsed_, upperUsed_, crossUsed_;
  std::vector<std::uint32_t> flat_;
  SurfaceMesh mesh_;
};

}  // namespace

SurfaceMesh ExtractSurface(const ScalarField& field, double density) {
  if (!(density > 0) || !std::isfinite(density) || field.N < 2 ||
      field.Value.size() != size_t(field.N) * field.N * field.N) {
    RaiseError(5);
  }
  if (!field.Signed) return Extractor(field, density, 1, 0).Run();
  // The lobes of each sign on their own, so that lobes of opposite signs
  // closer than a lattice step stay apart: along an edge from ψ >= √t to
  // ψ <= -√t the two surfaces cross it at their own points.
  SurfaceMesh mesh = Extractor(field, density, 1, 1).Run();
  const SurfaceMesh negative = Extractor(field, density, -1, -1).Run();
  const auto offset = static_cast<std::uint32_t>(mesh.VertexCount());
  mesh.Positions.insert(mesh.Positions.end(), negative.Positions.begin(), negative.Positions.end());
  mesh.Normals.insert(mesh.Normals.end(), negative.Normals.begin(), negative.Normals.end());
  for (std::uint32_t v : negative.Triangles) mesh.Triangles.push_back(v + offset);
  mesh.Phase.insert(mesh.Phase.end(), negative.Phase.begin(), negative.Phase.end());
  return mesh;
}

}  // namespace wl
