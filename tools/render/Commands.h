// The commands of wavelore-render. Each takes the arguments after its name and
// returns the process exit status; bad input raises UsageError.
#pragma once

#include <string>
#include <vector>

namespace wlcli {}

namespace wlrender {

using namespace wlcli;

using ArgList = std::vector<std::string>;

int CmdList(const ArgList& args);
int CmdEval(const ArgList& args);
int CmdStats(const ArgList& args);
int CmdRender(const ArgList& args);
int CmdMesh(const ArgList& args);
int CmdPlot(const ArgList& args);

// "%.17g": enough digits to give back the same double.
std::string Number17(double v);
std::string JsonString(const std::string& utf8);

}  // namespace wlrender
