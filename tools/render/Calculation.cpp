#include "Calculation.h"

#include "Commands.h"
#include "core/Platform.h"
#include "orbitals/OrbitalTable.h"

namespace wlrender {

const std::vector<std::string> kCalcValued = {"--orbital",   "--view", "--radius",
                                              "--threshold", "--dots", "--seed"};
const std::vector<std::string> kCalcFlags = {"--average"};

std::unique_ptr<Calculation> Calculate(const Args& args) {
  if (!args.Has("--orbital"))
    throw UsageError("--orbital is required (an index 0 to 39 or a name)");
  const int orbital = ResolveOrbital(*args.Get("--orbital"), args.Flag("--average"));
  const std::string view = args.Get("--view").value_or("pdf");
  if (view != "pdf" && view != "drpdf") {
    throw UsageError("--view must be pdf or drpdf, not '" + view + "'");
  }
  const bool drpdf = view == "drpdf";
  const wl::OrbitalRow& row = wl::kOrbitalTable[orbital];

  auto calc = std::make_unique<Calculation>();
  wl::OrbitalSetup& s = calc->setup;
  s.OrbitalIndex = static_cast<wl::Integer>(orbital);
  s.OrbitalViewMode = drpdf ? wl::DRPDF : wl::PDF;
  s.AtomRadius = static_cast<wl::Integer>(
      args.Integer("--radius", 1, 32767, drpdf ? row.DRPDFRadius : row.PDFRadius));
  s.DotThreshold = static_cast<wl::Byte>(
      args.Integer("--threshold", 0, 255, drpdf ? row.DRPDFThreshold : row.PDFThreshold));
  s.DotTarget = static_cast<wl::Integer>(args.Integer("--dots", 0, 32767, 16000));
  if (args.Has("--seed")) {
    wl::SetSeedHook(static_cast<std::int32_t>(args.Integer("--seed", 0, 2147483647, 0)));
  }
  calc->index = calc->engine.Orbitals().Add(s);
  return calc;
}

std::string StatsJson(Calculation& calc) {
  const wl::OrbitalStats st = calc.engine.Orbitals().GetStats(calc.index);
  const wl::cOrbitalObject& orb = calc.Orbital();
  std::string j =
      "{\"FramesRendered\": " + std::to_string(st.FramesRendered) + ", \"ProbFreqs\": [";
  for (int p = 0; p < 256; ++p) j += (p ? ", " : "") + std::to_string(st.ProbFreqs[p]);
  j += "], \"TotalSamples\": " + std::to_string(st.TotalSamples);
  j += ", \"Mode\": " + std::to_string(st.Mode);
  j += ", \"CalcTime\": " + std::to_string(st.CalcTime);
  j += ", \"CalcRate\": " + std::to_string(st.CalcRate);
  j += ", \"DotTarget\": " + std::to_string(st.DotTarget);
  j += ", \"DotTotal\": " + std::to_string(st.DotTotal);
  j += ", \"DotTime\": " + std::to_string(st.DotTime);
  j += ", \"Peak\": " + Number17(orb.Peak());
  j += ", \"DotScale\": " + Number17(orb.GetDotScale());
  j += ", \"Seed\": " + std::to_string(orb.Seed()) + "}";
  return j;
}

}  // namespace wlrender
