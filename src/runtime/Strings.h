/** @file Strings.h String functions that count characters (UTF-8 code points), not bytes. */
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rt {

/// Number of characters: Len("国王軍") is 3.
long Len(std::string_view s);
std::string Left(std::string_view s, long count);
std::string Right(std::string_view s, long count);
/// Mid(s, start) and Mid(s, start, count) with a 1-based start; start < 1 throws kErrInvalidCall.
std::string Mid(std::string_view s, long start);
std::string Mid(std::string_view s, long start, long count);
/// 1-based character position of what in s from character `start`, 0 when absent.
long InStr(std::string_view s, std::string_view what, long start = 1);
/// Split on a delimiter. Like the old runtime, an empty text gives no elements at all,
/// and an empty delimiter gives the whole text as one element.
std::vector<std::string> Split(std::string_view s, std::string_view delimiter);
/// Split a text into lines on CR LF, a lone LF or a lone CR; no trailing empty line.
std::vector<std::string> SplitLines(std::string_view s);
std::string Join(const std::vector<std::string>& parts, std::string_view delimiter);
std::string Replace(std::string_view s, std::string_view from, std::string_view to);
std::string Trim(std::string_view s);   ///< spaces only, as the old Trim
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);  ///< ASCII letters only
std::string LCase(std::string_view s);
/// Case-insensitive (ASCII) equality, for keys and names.
bool EqualsNoCase(std::string_view a, std::string_view b);
/// The characters of a UTF-8 text as code points, and back.
std::u32string ToU32(std::string_view s);
std::string FromU32(std::u32string_view s);
/// True when s is well-formed UTF-8.
bool IsValidUtf8(std::string_view s);
// Conversions to and from the Japanese code page go through iconv, so they live in the
// platform layer: platform/TextCodec.h.

}  // namespace rt
