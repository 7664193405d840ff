// Command-line parsing shared by wavelore-render and WL: a list of "--name value"
// options, bad input reported as UsageError with one line of text.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/Records.h"
#include "core/Utf8.h"

namespace wlcli {

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Options of one command: which names take a value and which are flags.
struct OptionSpec {
  std::vector<std::string> valued;
  std::vector<std::string> flags;
};

class Args {
 public:
  // Parses argv after the command word. Raises UsageError for an unknown
  // option, a missing value or a stray argument. "-h" stands for "--help"
  // wherever "--help" is a flag.
  Args(const std::vector<std::string>& argv, const OptionSpec& options, const std::string& command);

  bool Has(const std::string& name) const { return values_.count(name) > 0; }
  bool Flag(const std::string& name) const { return Has(name); }
  std::optional<std::string> Get(const std::string& name) const;

  // A number option within [lo, hi]; the default when absent.
  long long Integer(const std::string& name, long long lo, long long hi, long long def) const;
  double Real(const std::string& name, double def) const;

 private:
  std::map<std::string, std::string> values_;
};

// A word option that names one of `choices`; `def` when absent. Anything
// else raises UsageError listing the words ("--plane must be xz|yz|xy, not 'q'").
template <class T>
T Choice(const Args& args, const std::string& name,
         const std::vector<std::pair<std::string, T>>& choices, T def) {
  const auto v = args.Get(name);
  if (!v) return def;
  std::string names;
  for (const auto& [text, value] : choices) {
    if (*v == text) return value;
    names += (names.empty() ? "" : "|") + text;
  }
  throw UsageError(name + " must be " + names + ", not '" + *v + "'");
}

using wl::ToUtf8;

// Resolves --orbital (an index 0 to 167 or a catalogue name, see
// LookupOrbital) with --average to an orbital index. Raises UsageError naming
// the choices.
int ResolveOrbital(const std::string& text, bool average);

// The options that choose what is calculated, the same in both tools:
//   --orbital O | --nlm N,L,M    one orbital of the table (with --average its
//                                subshell average; --nlm then takes N,L and
//                                refuses an M)
//   --complex                    the complex orbital with definite m = M
//   --charge Z                   nuclear charge 1 to 10
//   --hybrid SET --member K [--n N]   a member of an sp .. sp3d2 hybrid set
//   --combine "2s:0.5,2px:0.5"   up to four single orbitals of one n with real
//                                coefficients (names or indices; a bare name
//                                has coefficient 1)
// (Functions, so that other files' option lists may be built from them
// before main.)
const std::vector<std::string>& OrbitalValued();
const std::vector<std::string>& OrbitalFlags();

// Reads those options into the choice fields of a setup (OrbitalIndex,
// Charge, Complex, Hybrid, HybridMember, HybridShell, Terms, TermCount; the
// rest default). Exactly one of --orbital, --nlm, --hybrid and --combine is
// needed; options that belong to another choice are refused, and the setup's
// own refusal (CheckSetup) is raised as the UsageError text.
wl::OrbitalSetup ReadOrbitalChoice(const Args& args);

// A hybrid set by its word: sp, sp2, sp3, sp3d or sp3d2 (² and ³ may be
// typed as such). Raises UsageError naming `option` and the words.
wl::HybridSet ParseHybrid(const std::string& option, const std::string& text);
// The word ParseHybrid reads back; empty for no hybrid set.
std::string HybridWord(wl::HybridSet set);

// A custom combination "2s:0.5,2px:0.5" into `s` (Hybrid, Terms, TermCount),
// not yet checked: CheckSetup refuses more than four terms, averages, mixed
// shells and repeats. Raises UsageError naming `option` for text that is no
// such list.
void ParseCombination(const std::string& option, const std::string& text, wl::OrbitalSetup& s);

// Raises CheckSetup's refusal of `setup` as a UsageError.
void CheckChoice(const wl::OrbitalSetup& setup);

// The orbital choice above, then --view pdf|drpdf, --radius 1..32767 and
// --threshold 0..maxThreshold, the last two defaulting to InfoOf(setup);
// --dots 0..32767 (16000) when `withDots`. Raises UsageError.
wl::OrbitalSetup ReadOrbitalSetup(const Args& args, int maxThreshold, bool withDots);

// A 3D render mode by name, the same for both tools: orthographic (or ortho),
// perspective, anaglyph, volumetric (or volume), surface, and transect where
// `withTransect`. Raises UsageError naming the choices for `option`.
wl::RenderMode ParseMode(const std::string& option, const std::string& text, bool withTransect);

// The name ParseMode reads back for a 3D mode: orthographic, perspective,
// anaglyph, volume, surface, transect.
std::string ModeName(wl::RenderMode mode);

// Where a slice lies: "x|y|z:N" with N from -127 to 127 ("z:40"). Raises
// UsageError naming `option`.
struct SlicePlace {
  wl::TransectDirection Direction = wl::Alongy;
  wl::Integer Number = 0;
};
SlicePlace ParseTransect(const std::string& option, const std::string& text);
std::string TransectName(const SlicePlace& place);

}  // namespace wlcli
