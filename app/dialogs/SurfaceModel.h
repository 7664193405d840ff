// Saving the boundary surface of an orbital as a 3D model file: the file
// types offered, the name and type chosen from what the user typed and
// picked, and the file itself.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "main/OrbitalView.h"
#include "render/SurfaceMesh.h"
#include "wlapp_export.h"

namespace wl {

class cWL;

// The model file types in Qt's filter form; the first, glTF binary, is the
// default.
WLAPP_EXPORT QStringList ModelFileFilters();

// A model file to write: its full name and format, or why the name is refused.
struct ModelTarget {
  QString Path;
  std::optional<MeshFormat> Format;  // none when refused
  QString Refusal;
};

// A name ending in .glb, .obj, .stl or .ply (any case) keeps it and is
// written in that format; a name without an extension gets the one of the
// picked file type (of the default when `filter` is none of
// ModelFileFilters()); any other extension is refused.
WLAPP_EXPORT ModelTarget ResolveModelTarget(const QString& name, const QString& filter);

// Writes the boundary surface that holds `share` of the probability of the
// calculated orbital at engine index `index` (ψ² of a single orbital, split
// by phase; the average density of a subshell), as the viewer draws it, to
// `path`, in the format its extension names, in Bohr radii with z up,
// through a temporary file. Returns what went wrong, or none. Engine errors
// pass on to the caller.
WLAPP_EXPORT std::optional<QString> WriteSurfaceModel(cWL& engine, Integer index, double share,
                                                      const QString& path);

}  // namespace wl
