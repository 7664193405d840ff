#include "modIsNumeric.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace wl {

namespace {
bool IsDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// "&H..." or "&O..." after the blanks are gone.
std::optional<double> RadixValue(const QString& s) {
  if (s.size() < 3 || s[0] != u'&') return std::nullopt;
  const QChar kind = s[1].toUpper();
  const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
  if (radix == 0) return std::nullopt;
  const QString digits = s.mid(2);
  const int shortLimit = radix == 16 ? 4 : 6;
  const int longLimit = radix == 16 ? 8 : 11;
  if (digits.size() > longLimit) return std::nullopt;
  bool ok = false;
  const qulonglong v = digits.toULongLong(&ok, radix);
  if (!ok) return std::nullopt;
  if (digits.size() <= shortLimit && v <= 0xFFFF) return static_cast<std::int16_t>(v);
  if (v > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}
}  // namespace

std::optional<double> NumericValue(const QString& text) {
  QString s = text.trimmed();
  if (s.isEmpty()) return std::nullopt;
  if (auto radix = RadixValue(s)) return radix;

  bool negative = false;
  if (s.startsWith(u'(') && s.endsWith(u')')) {
    negative = true;
    s = s.mid(1, s.size() - 2).trimmed();
  } else if (s[0] == u'+' || s[0] == u'-') {
    negative = s[0] == u'-';
    s = s.mid(1).trimmed();
  }

  // Whole part (with separators), fraction, exponent.
  std::string plain;
  int i = 0, digits = 0;
  const int n = static_cast<int>(s.size());
  for (; i < n; ++i) {
    if (IsDigit(s[i])) {
      plain += static_cast<char>(s[i].unicode());
      ++digits;
    } else if (s[i] == u',' && digits > 0) {
      continue;
    } else {
      break;
    }
  }
  if (i < n && s[i] == u'.') {
    plain += '.';
    for (++i; i < n && IsDigit(s[i]); ++i) {
      plain += static_cast<char>(s[i].unicode());
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
    plain += 'e';
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) plain += static_cast<char>(s[i++].unicode());
    int expDigits = 0;
    for (; i < n && IsDigit(s[i]); ++i, ++expDigits) plain += static_cast<char>(s[i].unicode());
    if (expDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  // Independent of the process locale; out of range gives infinity or zero.
  double v = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
  if (error == std::errc::result_out_of_range) {
    v = plain.find("e-") != std::string::npos ? 0.0 : HUGE_VAL;
  } else if (error != std::errc() || end != plain.data() + plain.size()) {
    return std::nullopt;
  }
  return negative ? -v : v;
}

}  // namespace wl
