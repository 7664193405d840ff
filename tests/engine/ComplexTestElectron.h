// A complex orbital for tests, made from the exact 2Px and 2Py: 2p with
// m = +1, ψ = −(2Px + i·2Py)/√2 (Condon–Shortley phase). Its density is
// round about z and its phase runs once around the z axis: arg ψ = π on +x,
// −π/2 on +y, 0 on −x, π/2 on −y.
#pragma once

#include <cmath>
#include <complex>
#include <limits>
#include <memory>

#include "core/Numeric.h"
#include "core/modOrbitals.h"
#include "orbitals/cElectron.h"

namespace wltest {

class Complex2p1 final : public wl::cElectron {
 public:
  Complex2p1()
      : x_(wl::modOrbitals::CreateElectron(2)),
        y_(wl::modOrbitals::CreateElectron(3)),
        z_(wl::modOrbitals::CreateElectron(4)) {}

  // 2Pz's row: n = 2, l = 1 and the same symmetry of the density (even in
  // each axis, unchanged when x and y swap).
  wl::OrbInfo GetInfo() const override {
    wl::OrbInfo info = z_->GetInfo();
    info.Name = u"2p+1";
    info.M = 1;
    return info;
  }
  double GetNonScaledPDF(const wl::COORDdoubleParams& c) override {
    return (x_->GetNonScaledPDF(c) + y_->GetNonScaledPDF(c)) / 2;
  }
  double GetRealPDF(const wl::COORDdoubleParams& c) override {
    return (x_->GetRealPDF(c) + y_->GetRealPDF(c)) / 2;
  }
  wl::Byte GetPDF(const wl::COORDdoubleParams& c) override {
    return wl::CByte(GetNonScaledPDF(c) * PDFScaleFactor_);
  }
  double GetNonScaledDRPDF(const wl::COORDdoubleParams& c) override {
    return (x_->GetNonScaledDRPDF(c) + y_->GetNonScaledDRPDF(c)) / 2;
  }
  double GetRealDRPDF(const wl::COORDdoubleParams& c) override {
    return (x_->GetRealDRPDF(c) + y_->GetRealDRPDF(c)) / 2;
  }
  wl::Byte GetDRPDF(const wl::COORDdoubleParams& c) override {
    return wl::CByte(GetNonScaledDRPDF(c) * DRPDFScaleFactor_);
  }
  void GetLevels(wl::ViewMode mode, const double* xs, const double* ys, const double* zs, int n,
                 wl::Byte* out) const override {
    const bool dr = mode == wl::DRPDF;
    for (int i = 0; i < n; ++i) {
      const wl::COORDdoubleParams c{xs[i], ys[i], zs[i]};
      const double v = dr ? (x_->GetNonScaledDRPDF(c) + y_->GetNonScaledDRPDF(c)) / 2
                          : (x_->GetNonScaledPDF(c) + y_->GetNonScaledPDF(c)) / 2;
      const double level = wl::RoundHalfEven(v * (dr ? DRPDFScaleFactor_ : PDFScaleFactor_));
      out[i] = level > 255 ? wl::Byte{255} : static_cast<wl::Byte>(level);
    }
  }
  double GetPsi(const wl::COORDdouble&) const override {
    return std::numeric_limits<double>::quiet_NaN();
  }
  int GetPsiSign(const wl::COORDdouble&) const override { return 0; }
  bool IsComplex() const override { return true; }
  std::complex<double> GetPsiComplex(const wl::COORDdouble& p) const override {
    return -std::complex<double>(x_->GetPsi(p), y_->GetPsi(p)) / std::sqrt(2.0);
  }

 private:
  std::unique_ptr<wl::cElectron> x_, y_, z_;
};

}  // namespace wltest
