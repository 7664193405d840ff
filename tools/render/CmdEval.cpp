#include <cmath>
#include <iostream>
#include <string>

#include "Cli.h"
#include "Commands.h"
#include "core/modOrbitals.h"

namespace wlrender {

int CmdEval(const ArgList& argv) {
  Args args(argv, {{"--orbital", "--x", "--y", "--z"}, {"--average"}}, "eval");
  for (const char* required : {"--orbital", "--x", "--y", "--z"}) {
    if (!args.Has(required)) throw UsageError(std::string("eval needs ") + required);
  }
  const int index = ResolveOrbital(*args.Get("--orbital"), args.Flag("--average"));
  const double x = args.Real("--x", 0), y = args.Real("--y", 0), z = args.Real("--z", 0);
  const wl::COORDdoubleParams c{x * x, y * y, z * z};
  auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index));
  std::cout << "{\"NonScaledPDF\": " << Number17(e->GetNonScaledPDF(c))
            << ", \"RealPDF\": " << Number17(e->GetRealPDF(c))
            << ", \"NonScaledDRPDF\": " << Number17(e->GetNonScaledDRPDF(c))
            << ", \"RealDRPDF\": " << Number17(e->GetRealDRPDF(c));
  // The signed wave function; subshell averages have none.
  const double psi = e->GetPsi({x, y, z});
  std::cout << ", \"Psi\": " << (std::isnan(psi) ? std::string("null") : Number17(psi)) << "}\n";
  return 0;
}

}  // namespace wlrender
