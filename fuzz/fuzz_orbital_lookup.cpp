// The orbital-name lookup on any text: an index or a name, with and without
// "average". It must answer with an index of the catalogue or an error line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/OrbitalLookup.h"
#include "orbitals/OrbitalCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (bool average : {false, true}) {
    const wl::OrbitalChoice c = wl::LookupOrbital(text, average);
    if ((c.Index < 0) == c.Error.empty() || c.Index >= wl::kOrbitalCount) std::abort();
  }
  return 0;
}
