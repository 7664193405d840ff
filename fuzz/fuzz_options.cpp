// The command-line options of WL and wavelore-render: any list of words
// (split at zero bytes) is either read into an orbital set-up within its
// ranges or refused with a usage error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Cli.h"
#include "orbitals/OrbitalCatalog.h"

namespace {
void Check(const std::vector<std::string>& words, int maxThreshold, bool withDots) {
  try {
    std::vector<std::string> valued = wlcli::OrbitalValued(), flags = wlcli::OrbitalFlags();
    valued.insert(valued.end(), {"--view", "--radius", "--threshold", "--dots"});
    flags.emplace_back("--help");
    const wlcli::Args args(words, {valued, flags}, "fuzz");
    const wl::OrbitalSetup s = wlcli::ReadOrbitalSetup(args, maxThreshold, withDots);
    // Whatever is read is a setup the engine accepts.
    if (!wl::CheckSetup(s).empty() || s.AtomRadius < 1 || s.DotThreshold > maxThreshold ||
        s.DotTarget < 0)
      std::abort();
  } catch (const wlcli::UsageError&) {
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      words.emplace_back();
    } else {
      words.back() += static_cast<char>(data[i]);
    }
  }
  Check(words, 250, false);  // WL
  Check(words, 255, true);   // wavelore-render
  return 0;
}
