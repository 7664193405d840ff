// The engine's one error type: a run-time error number with its description.
#pragma once

#include <stdexcept>
#include <string>

#include "wlengine_export.h"

namespace wl {

enum ErrorNumber : int {
  kInvalidCall = 5,      // "Invalid procedure call or argument"
  kOverflow = 6,         // "Overflow"
  kSubscriptRange = 9,   // "Subscript out of range"
  kDivisionByZero = 11,  // "Division by zero"
  kObjectNotSet = 91,    // "Object variable or With block variable not set"
};

class WLENGINE_EXPORT WLError : public std::runtime_error {
 public:
  WLError(int number, const std::string& description);
  int Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }

 private:
  int number_;
  std::string description_;
};

// The standard description of an error number.
WLENGINE_EXPORT std::string ErrorDescription(int number);

// The one place where engine errors are raised. `detail`, when given, is added
// to the standard description after a colon.
[[noreturn]] WLENGINE_EXPORT void RaiseError(int number, const std::string& detail = {});

}  // namespace wl
