// The commands of wavelore-render. Each takes the arguments after its name and
// returns the process exit status; bad input raises UsageError.
#pragma once

#include <string>
#include <vector>

#include "Cli.h"

namespace wlrender {

using namespace wlcli;

using ArgList = std::vector<std::string>;

int CmdList(const ArgList& args);
int CmdEval(const ArgList& args);
int CmdStats(const ArgList& args);
int CmdRender(const ArgList& args);
int CmdMesh(const ArgList& args);
int CmdPlot(const ArgList& args);
int CmdAnimate(const ArgList& args);

// The render request that the render options (--mode, --theta, --phase, ...)
// in `args` describe; the defaults for those absent. Raises UsageError.
wl::RenderRequest ReadRequest(const Args& args);

// "%.17g": enough digits to give back the same double.
std::string Number17(double v);
std::string JsonString(const std::string& utf8);

}  // namespace wlrender
