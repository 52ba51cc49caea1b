/** @file TextCodec.cpp UTF-8 and CP932 through iconv, one character at a time on failure. */
#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace plat {
namespace {

// Converts with iconv; on an unconvertible or invalid sequence writes `replacement` and skips
// `skip(in)` bytes of input.
template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    Skip skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
  std::string out;
  char buf[256];
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    int err = errno;  // before the append can change it
    out.append(buf, static_cast<size_t>(dst - buf));
    if (r == static_cast<size_t>(-1) && err != E2BIG) {
      out.append(replacement);
      size_t n = skip(std::string_view(src, left));
      src += n;
      left -= n;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

size_t Utf8SeqLen(std::string_view s) {
  unsigned char c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
  return n <= s.size() ? n : s.size();
}

size_t Cp932SeqLen(std::string_view s) {
  unsigned char c = static_cast<unsigned char>(s[0]);
  bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  return lead && s.size() >= 2 ? 2 : 1;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8, "?", Utf8SeqLen);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", Cp932SeqLen);
}

}  // namespace plat
