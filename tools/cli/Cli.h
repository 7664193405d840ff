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

// Resolves --orbital (index or name, case-insensitive, ² and ³ as 2 and 3) with
// --average to an orbital index 0 to 39. Raises UsageError naming the choices.
int ResolveOrbital(const std::string& text, bool average);

// The orbital options --orbital (required), --average, --view pdf|drpdf,
// --radius 1..32767 and --threshold 0..maxThreshold, the last two defaulting
// to the orbital's table row; --dots 0..32767 (16000) when `withDots`.
// Raises UsageError.
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
