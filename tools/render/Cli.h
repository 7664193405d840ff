// Command-line parsing helpers of wavelore-render: a list of "--name value"
// options, bad input reported as UsageError with one line of text.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Utf8.h"

namespace wlrender {

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
  // option, a missing value or a stray argument.
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

using wl::ToUtf8;

// Resolves --orbital (index or name, case-insensitive, ² and ³ as 2 and 3) with
// --average to an orbital index 0 to 39. Raises UsageError naming the choices.
int ResolveOrbital(const std::string& text, bool average);

}  // namespace wlrender
