/** @file basEnc.h The de-scrambler of the stored database password. */
#pragma once
#include <string>
#include <string_view>

namespace basEnc {

inline constexpr int kInitialKey = 3;  ///< key before the first character
inline constexpr int kStepKey = 93;    ///< subtracted from each output code to make the next key

/// Undoes the scrambling over the characters' CP932 codes: out(i) = code(i) - key - i
/// (16-bit checked), key = code of out(i) - kStepKey. "" gives "". Throws rt::VbError on overflow.
std::string Descramble(std::string_view Text);
/// The inverse, for making the stored literal.
std::string Scramble(std::string_view Text);

}  // namespace basEnc
