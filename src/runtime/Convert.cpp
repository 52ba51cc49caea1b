/** @file Convert.cpp Numeric conversions and checked arithmetic of the old runtime. */
#include "runtime/Convert.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace rt {
namespace {

// Rounds half to even; the default floating-point rounding mode does exactly that.
double RoundEven(double v) { return std::nearbyint(v); }

template <typename T>
T ToInteger(double value) {
  if (std::isnan(value)) throw VbError(kErrOverflow);
  double r = RoundEven(value);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max()))
    throw VbError(kErrOverflow);
  return static_cast<T>(r);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Parses a whole text as a number: blanks around, sign, digits, point, exponent.
bool ParseNumber(std::string_view text, double& out) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  if (b == e) return false;
  std::string s(text.substr(b, e - b));
  // Only plain decimal numbers: no hex floats, no inf or nan.
  bool digit = false;
  for (char c : s) {
    if (c >= '0' && c <= '9') digit = true;
    else if (!(c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E')) return false;
  }
  if (!digit) return false;
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size()) return false;
  if (errno == ERANGE && std::isinf(v)) throw VbError(kErrOverflow);
  out = v;
  return true;
}

}  // namespace

double CDbl(std::string_view text) {
  double v = 0;
  if (!ParseNumber(text, v)) throw VbError(kErrTypeMismatch);
  return v;
}

bool IsNumeric(std::string_view text) {
  double v = 0;
  try {
    return ParseNumber(text, v);
  } catch (const VbError&) {
    return false;
  }
}

int16_t CInt(double value) { return ToInteger<int16_t>(value); }
int16_t CInt(std::string_view text) { return ToInteger<int16_t>(CDbl(text)); }
int32_t CLng(double value) { return ToInteger<int32_t>(value); }
int32_t CLng(std::string_view text) { return ToInteger<int32_t>(CDbl(text)); }

bool CBool(std::string_view text) {
  std::string t = Trim(text);
  if (EqualsNoCase(t, "True")) return true;
  if (EqualsNoCase(t, "False")) return false;
  return CDbl(t) != 0;
}

double Val(std::string_view text) {
  // The longest leading part that reads as a number, skipping blanks as the old Val did.
  std::string s;
  for (char c : text)
    if (!IsBlank(c)) s += c;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; digits = true; }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; digits = true; }
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      i = j;
    }
  }
  return std::strtod(s.substr(0, i).c_str(), nullptr);
}

double Round(double value, int digits) {
  if (digits <= 0) return RoundEven(value);
  const double scaled = value * std::pow(10.0, digits);
  // Beyond the range of doubles there is no fraction left to round (and no inf or NaN to make).
  if (!std::isfinite(scaled)) return value;
  return RoundEven(scaled) / std::pow(10.0, digits);
}

double Int(double value) { return std::floor(value); }
double Fix(double value) { return std::trunc(value); }

int16_t CheckI(int64_t value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
    throw VbError(kErrOverflow);
  return static_cast<int16_t>(value);
}

int32_t CheckL(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    throw VbError(kErrOverflow);
  return static_cast<int32_t>(value);
}

int16_t AddI(int32_t a, int32_t b) { return CheckI(static_cast<int64_t>(a) + b); }
int16_t SubI(int32_t a, int32_t b) { return CheckI(static_cast<int64_t>(a) - b); }
int16_t MulI(int32_t a, int32_t b) { return CheckI(static_cast<int64_t>(a) * b); }

namespace {
int32_t CheckedWide(__int128 v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    throw VbError(kErrOverflow);
  return static_cast<int32_t>(v);
}
}  // namespace

int32_t AddL(int64_t a, int64_t b) { return CheckedWide(static_cast<__int128>(a) + b); }
int32_t SubL(int64_t a, int64_t b) { return CheckedWide(static_cast<__int128>(a) - b); }
int32_t MulL(int64_t a, int64_t b) { return CheckedWide(static_cast<__int128>(a) * b); }

int32_t IntDiv(double a, double b) {
  int32_t x = CLng(a), y = CLng(b);
  if (y == 0) throw VbError(kErrDivisionByZero);
  return CheckL(static_cast<int64_t>(x) / y);
}

int32_t Mod(double a, double b) {
  int32_t x = CLng(a), y = CLng(b);
  if (y == 0) throw VbError(kErrDivisionByZero);
  return static_cast<int32_t>(static_cast<int64_t>(x) % y);
}

std::string CStr(double value) {
  if (value == 0) return "0";  // also -0
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  // %G: 15 significant digits, trailing zeros dropped, exponent form below 1E-4 and from 1E+15.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string s(buf);
  // The old runtime writes a bare mantissa with "E+15", "E-05": %G gives the same digits,
  // but keeps a trailing "." in no case and already drops trailing zeros.
  return s;
}

std::string CStr(int64_t value) { return std::to_string(value); }

}  // namespace rt
