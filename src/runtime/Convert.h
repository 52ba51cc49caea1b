/** @file Convert.h Numeric conversions, checked integer arithmetic and number printing as the old runtime did them. */
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Conversions to 16/32-bit integers round halves to even and are range checked:
// out of range throws VbError(kErrOverflow), text that is not a number VbError(kErrTypeMismatch).
// Text may have surrounding blanks, a sign, a decimal point and an exponent; "" is a type mismatch.
int16_t CInt(double value);
int16_t CInt(std::string_view text);
int32_t CLng(double value);
int32_t CLng(std::string_view text);
double CDbl(std::string_view text);      ///< type mismatch if not a number
bool IsNumeric(std::string_view text);   ///< true when CDbl would succeed
/// "True"/"False" (any case) or a number (non-zero is true); anything else is a type mismatch.
bool CBool(std::string_view text);
/// The leading number of a text, 0 when there is none; never fails.
double Val(std::string_view text);

/// Round to `digits` decimals with halves to even, on the double as computed.
double Round(double value, int digits = 0);
/// Int: the largest integer not above value. Fix: the integer part (towards zero).
double Int(double value);
double Fix(double value);

// Checked arithmetic: the result out of range throws VbError(kErrOverflow).
int16_t AddI(int32_t a, int32_t b);
int16_t SubI(int32_t a, int32_t b);
int16_t MulI(int32_t a, int32_t b);
int32_t AddL(int64_t a, int64_t b);
int32_t SubL(int64_t a, int64_t b);
int32_t MulL(int64_t a, int64_t b);
/// Range checks of a wide result.
int16_t CheckI(int64_t value);
int32_t CheckL(int64_t value);

/// a \ b and a Mod b on 32-bit integers: operands rounded half to even first, truncating
/// division, the remainder takes the sign of a; b = 0 throws VbError(kErrDivisionByZero).
int32_t IntDiv(double a, double b);
int32_t Mod(double a, double b);

/// A double printed as the old runtime printed it: up to 15 significant digits, no trailing
/// zeros, no trailing "." (3.0 -> "3", 0.1 -> "0.1", -0.0 -> "0"), exponent form "1E+15" and
/// "1E-05" outside the plain range.
std::string CStr(double value);
std::string CStr(int64_t value);
inline std::string CStr(int32_t value) { return CStr(static_cast<int64_t>(value)); }
inline std::string CStr(int16_t value) { return CStr(static_cast<int64_t>(value)); }
inline std::string CStr(bool value) { return value ? "True" : "False"; }

}  // namespace rt
