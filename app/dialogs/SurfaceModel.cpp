#include "SurfaceModel.h"

#include <QByteArray>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "ImageFile.h"
#include "core/cOrbitalCol.h"
#include "core/cWL.h"
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

std::optional<QString> WriteSurfaceModel(cWL& engine, Integer index, double share,
                                         const QString& path) {
  const ModelTarget target = ResolveModelTarget(path, QString());
  if (!target.Format || target.Path != path) {
    return CannotWrite(path, target.Refusal.isEmpty()
                                 ? QStringLiteral("the name has no 3D model extension")
                                 : target.Refusal);
  }
  // The surface the viewer draws: the orbital's own field and level.
  const std::string bytes = MeshFile(engine.Orbitals().SurfaceMeshFor(index, share), *target.Format);
  return WriteWholeFile(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace wl
