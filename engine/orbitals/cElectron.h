// The wave-function interface. Every orbital the engine offers is one class
// that evaluates its density in closed form from the squared coordinates of a
// point (x², y², z² in Bohr radii squared).
#pragma once

#include <complex>

#include "core/Records.h"
#include "wlengine_export.h"

namespace wl {

class WLENGINE_EXPORT cElectron {
 public:
  virtual ~cElectron();

  void SetPDFScaleFactor(double NewPDFScaleFactor) { PDFScaleFactor_ = NewPDFScaleFactor; }
  void SetDRPDFScaleFactor(double NewDRPDFScaleFactor) { DRPDFScaleFactor_ = NewDRPDFScaleFactor; }

  // The orbital's row of the orbital table.
  virtual OrbInfo GetInfo() const = 0;

  // Probability density: scaled to a byte (raises overflow above 255), the
  // normalised density in Bohr radii^-3, and the unscaled density.
  virtual Byte GetPDF(const COORDdoubleParams& COORDS) = 0;
  virtual double GetRealPDF(const COORDdoubleParams& COORDS) = 0;
  virtual double GetNonScaledPDF(const COORDdoubleParams& COORDS) = 0;

  // The density weighted by the volume factor: the same three forms.
  virtual Byte GetDRPDF(const COORDdoubleParams& COORDS) = 0;
  virtual double GetRealDRPDF(const COORDdoubleParams& COORDS) = 0;
  virtual double GetNonScaledDRPDF(const COORDdoubleParams& COORDS) = 0;

  // Probability levels of n points for the sampler: the scaled PDF or DRPDF
  // rounded half to even, saturated at 255 instead of raising. Equal to the
  // byte operations above point by point. Writes no member, so several
  // threads may call it on one object at once.
  virtual void GetLevels(ViewMode Mode, const double* Xs, const double* Ys, const double* Zs, int n,
                         Byte* Out) const = 0;

  // The signed wave function ψ at a point (Bohr radii), normalised so that
  // ψ² equals GetRealPDF. Subshell averages have no sign: NaN. May be called
  // from several threads at once.
  virtual double GetPsi(const COORDdouble& point) const;
  // The sign of ψ at a point without its magnitude (cheap: no exponential):
  // +1 or -1, 0 on a node and for subshell averages. Thread-safe like GetPsi.
  virtual int GetPsiSign(const COORDdouble& point) const;
  // True for complex orbitals with definite m: ψ has a phase angle arg ψ
  // rather than a sign. Their GetPsi is NaN and GetPsiSign 0 (no sign), like
  // subshell averages, so that code which knows only signs treats them as
  // unsigned; GetPsiComplex gives ψ itself.
  virtual bool IsComplex() const { return false; }
  // ψ as a complex number, |ψ|² equal to GetRealPDF: real orbitals give
  // (GetPsi, 0), subshell averages NaN. Thread-safe like GetPsi.
  virtual std::complex<double> GetPsiComplex(const COORDdouble& point) const {
    return {GetPsi(point), 0.0};
  }
  // Levels, the unscaled and the normalised density at signed points (Bohr
  // radii), for densities without mirror symmetry (sampled over the whole
  // cube), whose forms above read the first octant. The defaults square the
  // coordinates and use the forms above.
  virtual void GetLevelsAt(ViewMode Mode, const double* X, const double* Y, const double* Z, int n,
                           Byte* Out) const;
  virtual double GetNonScaledAt(ViewMode Mode, const COORDdouble& point);
  virtual double GetRealAt(ViewMode Mode, const COORDdouble& point);
  double PDFScaleFactor() const { return PDFScaleFactor_; }
  double DRPDFScaleFactor() const { return DRPDFScaleFactor_; }

 protected:
  double PDFScaleFactor_ = 0;
  double DRPDFScaleFactor_ = 0;
};

}  // namespace wl
