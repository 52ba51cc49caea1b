/** @file TextCodec.h Conversions between UTF-8 and the Japanese code page (CP932), through iconv. */
#pragma once
#include <string>
#include <string_view>

namespace plat {

/// UTF-8 to CP932 bytes. A character CP932 lacks becomes "?".
std::string Utf8ToCp932(std::string_view utf8);
/// CP932 bytes to UTF-8. A byte sequence that is not CP932 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace plat
