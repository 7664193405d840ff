#include <cmath>
#include <complex>
#include <iostream>
#include <string>

#include "Cli.h"
#include "Commands.h"
#include "core/WLError.h"
#include "core/modOrbitals.h"

namespace wlrender {

int CmdEval(const ArgList& argv) {
  std::vector<std::string> valued = OrbitalValued(), flags = OrbitalFlags();
  valued.insert(valued.end(), {"--x", "--y", "--z"});
  Args args(argv, {valued, flags}, "eval");
  for (const char* required : {"--x", "--y", "--z"}) {
    if (!args.Has(required)) throw UsageError(std::string("eval needs ") + required);
  }
  const wl::OrbitalSetup setup = ReadOrbitalChoice(args);
  const double x = args.Real("--x", 0), y = args.Real("--y", 0), z = args.Real("--z", 0);
  auto e = wl::modOrbitals::CreateElectron(setup);
  if (!e) throw wl::WLError(wl::kSubscriptRange, "this orbital cannot be evaluated yet");
  // At the signed point: hybrids have no mirror symmetry.
  const wl::COORDdouble p{x, y, z};
  std::cout << "{\"NonScaledPDF\": " << Number17(e->GetNonScaledAt(wl::PDF, p))
            << ", \"RealPDF\": " << Number17(e->GetRealAt(wl::PDF, p))
            << ", \"NonScaledDRPDF\": " << Number17(e->GetNonScaledAt(wl::DRPDF, p))
            << ", \"RealDRPDF\": " << Number17(e->GetRealAt(wl::DRPDF, p));
  if (e->IsComplex()) {
    // A complex orbital: its real and imaginary parts.
    const std::complex<double> psi = e->GetPsiComplex({x, y, z});
    std::cout << ", \"PsiRe\": " << Number17(psi.real()) << ", \"PsiIm\": " << Number17(psi.imag())
              << "}\n";
    return 0;
  }
  // The signed wave function; subshell averages have none.
  const double psi = e->GetPsi({x, y, z});
  std::cout << ", \"Psi\": " << (std::isnan(psi) ? std::string("null") : Number17(psi)) << "}\n";
  return 0;
}

}  // namespace wlrender
