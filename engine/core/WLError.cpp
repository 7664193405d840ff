#include "core/WLError.h"

namespace wl {

std::string ErrorDescription(int number) {
  switch (number) {
    case kInvalidCall:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case kSubscriptRange:
      return "Subscript out of range";
    case kDivisionByZero:
      return "Division by zero";
    case kObjectNotSet:
      return "Object variable or With block variable not set";
    default:
      return "Application-defined or object-defined error";
  }
}

WLError::WLError(int number, const std::string& description)
    : std::runtime_error("Error " + std::to_string(number) + ": " + description),
      number_(number),
      description_(description) {}

void RaiseError(int number, const std::string& detail) {
  std::string text = ErrorDescription(number);
  if (!detail.empty()) text += ": " + detail;
  throw WLError(number, text);
}

}  // namespace wl
