#include "Calculation.h"

#include "Commands.h"
#include "core/Platform.h"

namespace wlrender {

namespace {
std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
}  // namespace

const std::vector<std::string> kCalcValued =
    Joined(OrbitalValued(), {"--view", "--radius", "--threshold", "--dots", "--seed"});
const std::vector<std::string> kCalcFlags = OrbitalFlags();

std::unique_ptr<Calculation> Calculate(const Args& args) {
  auto calc = std::make_unique<Calculation>();
  calc->setup = ReadOrbitalSetup(args, 255, true);
  if (args.Has("--seed")) {
    wl::SetSeedHook(static_cast<std::int32_t>(args.Integer("--seed", 0, 2147483647, 0)));
  }
  calc->index = calc->engine.Orbitals().Add(calc->setup);
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
