#include <cstdio>
#include <iostream>

#include "Cli.h"
#include "Commands.h"
#include "core/cWL.h"

namespace wlrender {

namespace {
const char* TypeName(wl::OrbitalType t) {
  return t == wl::SingleOrb ? "SingleOrb" : "AverageOrbs";
}
const char* FactorName(wl::OptFactor f) {
  switch (f) {
    case wl::F8:
      return "F8";
    case wl::F16xy:
      return "F16xy";
    case wl::F16yz:
      return "F16yz";
    case wl::F16xz:
      return "F16xz";
    case wl::F32:
      return "F32";
    case wl::F1:
      return "F1";
  }
  return "?";
}
}  // namespace

std::string Number17(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

int CmdList(const ArgList& argv) {
  Args args(argv, {{}, {"--json"}}, "list");
  wl::cWL engine;
  const auto table = engine.EnumOrbitals();
  if (args.Flag("--json")) {
    std::cout << "[\n";
    for (size_t i = 0; i < table.size(); ++i) {
      const auto& o = table[i];
      std::cout << "  {\"Name\": " << JsonString(ToUtf8(o.Name))
                << ", \"DefaultPDFAtomRadius\": " << o.DefaultPDFAtomRadius
                << ", \"DefaultDRPDFAtomRadius\": " << o.DefaultDRPDFAtomRadius
                << ", \"DefaultPDFDotThreshold\": " << o.DefaultPDFDotThreshold
                << ", \"DefaultDRPDFDotThreshold\": " << o.DefaultDRPDFDotThreshold
                << ", \"n\": " << o.n << ", \"l\": " << o.l << ", \"M\": " << o.M
                << ", \"OrbType\": \"" << TypeName(o.OrbType) << "\", \"PDFOptFactor\": \""
                << FactorName(o.PDFOptFactor) << "\", \"DRPDFOptFactor\": \""
                << FactorName(o.DRPDFOptFactor) << "\"}" << (i + 1 < table.size() ? "," : "")
                << "\n";
    }
    std::cout << "]\n";
    return 0;
  }
  for (size_t i = 0; i < table.size(); ++i) {
    const auto& o = table[i];
    std::cout << i << '\t' << ToUtf8(o.Name) << '\t' << o.n << '\t' << o.l << '\t' << o.M << '\t'
              << TypeName(o.OrbType) << '\t' << o.DefaultPDFAtomRadius << '\t'
              << o.DefaultPDFDotThreshold << '\t' << FactorName(o.PDFOptFactor) << '\t'
              << o.DefaultDRPDFAtomRadius << '\t' << o.DefaultDRPDFDotThreshold << '\t'
              << FactorName(o.DRPDFOptFactor) << '\n';
  }
  return 0;
}

}  // namespace wlrender
