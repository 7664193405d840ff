#include "SurfaceModel.h"

#include <QByteArray>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "ImageFile.h"
#include "analysis/EnclosedShare.h"
#include "core/modOrbitals.h"
#include "shell/WholeFile.h"

namespace wl {

namespace {

struct ModelFormat {
  MeshFormat Format;
  const char* Filter;
  const char* Extension;
};

const std::array<ModelFormat, 4> kFormats{{
    {MeshFormat::Glb, "glTF binary, for slides and Blender (*.glb)", "glb"},
    {MeshFormat::Obj, "OBJ, a group per phase (*.obj)", "obj"},
    {MeshFormat::Stl, "STL for 3D printing, all lobes one solid (*.stl)", "stl"},
    {MeshFormat::Ply, "PLY with the phase colours (*.ply)", "ply"},
}};

QString Refusal(const QString& extension) {
  return QStringLiteral(
             "3D models cannot be saved as .%1 files. Please use a name ending in .glb, .obj, "
             ".stl or .ply, or no extension to take the one of the chosen file type.")
      .arg(extension);
}

#ifdef WL_HAVE_SURFACE_MESH
// The surface is cut from ψ sampled on 129 nodes per axis over a cube of one
// and a half times the orbital's default atom radius (that of its density
// view), which holds nearly all of the probability; the share is taken of the
// whole probability, what lies beyond the cube counting as outside. This is
// the surface the command-line tool's 'mesh' writes.
std::string ModelBytes(const OrbitalView& view, MeshFormat format) {
  const auto electron = modOrbitals::CreateElectron(view.OrbitalIndex);
  const ScalarField field =
      SampleField(*electron, 1.5 * electron->GetInfo().DefaultPDFAtomRadius, 129);
  const double inCube = DensityForShare(field, view.EnclosedShare).Total;
  const double ofCube =
      inCube < 1 ? std::min(view.EnclosedShare / inCube, 0.999) : view.EnclosedShare;
  return MeshFile(ExtractSurface(field, DensityForShare(field, ofCube).Density), format);
}
#endif

}  // namespace

QStringList ModelFileFilters() {
  QStringList filters;
  for (const ModelFormat& f : kFormats) filters << QString::fromLatin1(f.Filter);
  return filters;
}

ModelTarget ResolveModelTarget(const QString& name, const QString& filter) {
  const QString extension = FileNameExtension(QFileInfo(name).fileName());
  if (extension.isEmpty()) {
    const ModelFormat* chosen = &kFormats[0];
    for (const ModelFormat& f : kFormats) {
      if (filter == QLatin1String(f.Filter)) chosen = &f;
    }
    QString path = name;
    if (!path.endsWith(QLatin1Char('.'))) path += QLatin1Char('.');
    return {path + QLatin1String(chosen->Extension), chosen->Format, {}};
  }
  for (const ModelFormat& f : kFormats) {
    if (extension.compare(QLatin1String(f.Extension), Qt::CaseInsensitive) == 0)
      return {name, f.Format, {}};
  }
  return {name, std::nullopt, Refusal(extension)};
}

bool CanSaveSurfaceModel() {
#ifdef WL_HAVE_SURFACE_MESH
  return true;
#else
  return false;
#endif
}

std::optional<QString> WriteSurfaceModel(const OrbitalView& view, const QString& path) {
  const ModelTarget target = ResolveModelTarget(path, QString());
  if (!target.Format || target.Path != path) {
    return CannotWrite(path, target.Refusal.isEmpty()
                                 ? QStringLiteral("the name has no 3D model extension")
                                 : target.Refusal);
  }
#ifdef WL_HAVE_SURFACE_MESH
  const std::string bytes = ModelBytes(view, *target.Format);
  return WriteWholeFile(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
#else
  (void)view;
  return CannotWrite(path, QStringLiteral("this build of Wavelore cannot make 3D models"));
#endif
}

}  // namespace wl
