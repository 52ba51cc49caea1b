/** @file basEnc.cpp The password de-scrambler, over the characters' CP932 codes. */
#include "db/basEnc.h"

#include <cstdint>
#include <vector>

#include "platform/TextCodec.h"
#include "runtime/Convert.h"
#include "runtime/Strings.h"

namespace {

// The old runtime's Asc: a single-byte code 0..255, a double-byte code as a signed 16-bit number.
std::vector<int32_t> Codes(std::string_view text) {
  std::vector<int32_t> codes;
  for (char32_t ch : rt::ToU32(text)) {
    std::string bytes = plat::Utf8ToCp932(rt::FromU32(std::u32string(1, ch)));
    auto b = [&](size_t i) { return static_cast<int32_t>(static_cast<unsigned char>(bytes[i])); };
    codes.push_back(bytes.size() >= 2 ? static_cast<int16_t>(static_cast<uint16_t>((b(0) << 8) | b(1))) : b(0));
  }
  return codes;
}

// The old runtime's Chr for a CP932 code.
std::string Character(int32_t code) {
  auto u = static_cast<uint16_t>(code);
  std::string bytes;
  if (u > 0xFF) bytes += static_cast<char>(u >> 8);
  bytes += static_cast<char>(u & 0xFF);
  return plat::Cp932ToUtf8(bytes);
}

}  // namespace

namespace basEnc {

std::string Descramble(std::string_view Text) {
  std::string out;
  int32_t key = kInitialKey;
  int32_t i = 0;
  for (int32_t code : Codes(Text)) {
    ++i;
    int16_t value = rt::SubI(rt::SubI(code, key), i);
    out += Character(value);
    key = value - kStepKey;
  }
  return out;
}

std::string Scramble(std::string_view Text) {
  std::string out;
  int32_t key = kInitialKey;
  int32_t i = 0;
  for (int32_t value : Codes(Text)) {
    ++i;
    out += Character(rt::AddI(rt::AddI(value, key), i));
    key = value - kStepKey;
  }
  return out;
}

}  // namespace basEnc
