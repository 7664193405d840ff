#include "Cli.h"
#include "Commands.h"

namespace wlrender {

int CmdRender(const ArgList&) { throw UsageError("render is not built yet"); }

}  // namespace wlrender
