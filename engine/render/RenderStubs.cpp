// Placeholder bodies of the renderers until they are written.
#include "render/cOrbital.h"
#include "core/WLError.h"

namespace wl {
RenderDCinfo cOrbitalObject::GetRender(const RenderRequest&) { RaiseError(kInvalidCall, "rendering is not built yet"); }
}  // namespace wl
