// Every orbital the engine offers and how it is named.
//
// Rows of the orbital table: 0 to 39 are the original table (kOrbitalTable,
// exact closed forms); 40 to 149 the single real orbitals of n = 5 to 7,
// ordered by n, l, then m from -l to +l; 150 to 167 the subshell averages of
// n = 5 to 7, ordered by n, l. Real orbitals with M > 0 are the cos(Mφ)
// combination of Y_l^±M, M < 0 the sin(|M|φ) one (the seed's px is M = +1,
// py M = -1).
//
// A calculation (OrbitalSetup) adds to a row the nuclear charge, the complex
// form, or replaces it by a hybrid member or a custom combination; InfoOf
// gives the OrbInfo of any setup, CheckSetup its refusal.
//
// All functions are pure and safe to call from several threads.
#pragma once

#include <string>

#include "core/Records.h"
#include "orbitals/OrbitalTable.h"
#include "wlengine_export.h"

namespace wl {

inline constexpr int kSeedOrbitalCount = 40;
inline constexpr int kOrbitalCount = 168;
inline constexpr int kHighestN = 7;
inline constexpr int kHighestCharge = 10;

// The row of an index 0 to kOrbitalCount - 1; raises subscript out of range (9)
// outside. Names live as long as the program.
WLENGINE_EXPORT const OrbitalRow& OrbitalRowAt(int index);

// The row of (n, l, M) (M ignored for averages), -1 when there is none.
WLENGINE_EXPORT int IndexOfOrbital(int n, int l, int M, bool average);

// The letter of a subshell l = 0 to 6: s, p, d, f, g, h, i (upper case when asked).
WLENGINE_EXPORT char16_t SubshellLetter(int l, bool upper = false);

// "H", "He⁺", "Li²⁺" ... "Ne⁹⁺" for Z = 1 to 10; empty outside.
WLENGINE_EXPORT std::u16string ChargeName(int Z);

// The number of members of a hybrid set (0 for NoHybrid and the custom combination).
WLENGINE_EXPORT int HybridSize(HybridSet set);
// "sp", "sp²", "sp³", "sp³d", "sp³d²"; empty for others.
WLENGINE_EXPORT std::u16string HybridName(HybridSet set);
// The smallest shell n a set can be made from: 2, or 3 for sp³d and sp³d².
WLENGINE_EXPORT int HybridLowestShell(HybridSet set);

// Why a setup cannot be calculated, in one line for a message box or the
// command line; empty when it can. Checks the row, the charge, the complex
// form (single rows only), the hybrid set, member and shell, and the custom
// combination (1 to 4 distinct single real orbitals of one n, finite
// coefficients not all zero). Atom radius, dots and view mode are not checked.
WLENGINE_EXPORT std::string CheckSetup(const OrbitalSetup& setup);

// The OrbInfo of a setup that CheckSetup accepts:
// - a table row with Z = 1, real: the row itself (the seed's names unchanged);
// - the charge: ", He⁺" after the name, the default radii divided by Z;
// - complex: "3P m=+1 (complex)", round about z (F16xy);
// - a hybrid: "sp³ hybrid 2 of 4" (" (n = 3)" after it for other shells than
//   the lowest), n the shell, l -1, M the member, no symmetry (F1);
// - a combination: "0.71 2S + 0.71 2Px" (normalised coefficients, two
//   decimals), n the shell, l -1, M 0, F1.
WLENGINE_EXPORT OrbInfo InfoOf(const OrbitalSetup& setup);

// A setup's name with the charge and complex words, as InfoOf gives it.
WLENGINE_EXPORT std::u16string SetupName(const OrbitalSetup& setup);

// The default atom radius and dot threshold of a row of the table for PDF or
// DRPDF (the original rows keep their table values); for new rows by the rule
// stated in OrbitalCatalog.cpp.
struct OrbitalDefaults {
  Integer Radius = 0;
  Integer Threshold = 0;
};
WLENGINE_EXPORT OrbitalDefaults DefaultsOf(int index, ViewMode view);
// The same for a whole choice (charge, complex form, hybrid), as InfoOf gives
// them.
WLENGINE_EXPORT OrbitalDefaults DefaultsOf(const OrbitalSetup& setup, ViewMode view);

}  // namespace wl
