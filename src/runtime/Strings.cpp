/** @file Strings.cpp Character-counting string functions over UTF-8 text. */
#include "runtime/Strings.h"

#include "runtime/VbError.h"

namespace rt {
namespace {

// Length in bytes of the UTF-8 sequence that starts with byte c (1 for a stray byte).
size_t SeqLen(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

// Byte offset of character index `chars` (0-based), clamped to the end.
size_t ByteOffset(std::string_view s, long chars) {
  size_t i = 0;
  while (chars > 0 && i < s.size()) {
    i += SeqLen(static_cast<unsigned char>(s[i]));
    --chars;
  }
  return i < s.size() ? i : s.size();
}

bool IsSpace(char c) { return c == ' '; }

}  // namespace

long Len(std::string_view s) {
  long n = 0;
  for (size_t i = 0; i < s.size(); i += SeqLen(static_cast<unsigned char>(s[i]))) ++n;
  return n;
}

std::string Left(std::string_view s, long count) {
  if (count < 0) throw VbError(kErrInvalidCall);
  return std::string(s.substr(0, ByteOffset(s, count)));
}

std::string Right(std::string_view s, long count) {
  if (count < 0) throw VbError(kErrInvalidCall);
  long len = Len(s);
  if (count >= len) return std::string(s);
  return std::string(s.substr(ByteOffset(s, len - count)));
}

std::string Mid(std::string_view s, long start) {
  if (start < 1) throw VbError(kErrInvalidCall);
  return std::string(s.substr(ByteOffset(s, start - 1)));
}

std::string Mid(std::string_view s, long start, long count) {
  if (start < 1 || count < 0) throw VbError(kErrInvalidCall);
  size_t b = ByteOffset(s, start - 1);
  std::string_view rest = s.substr(b);
  return std::string(rest.substr(0, ByteOffset(rest, count)));
}

long InStr(std::string_view s, std::string_view what, long start) {
  if (start < 1) throw VbError(kErrInvalidCall);
  long len = Len(s);
  if (start > len) return 0;
  if (what.empty()) return start;
  size_t b = ByteOffset(s, start - 1);
  size_t pos = s.find(what, b);
  if (pos == std::string_view::npos) return 0;
  return Len(s.substr(0, pos)) + 1;
}

std::vector<std::string> Split(std::string_view s, std::string_view delimiter) {
  std::vector<std::string> out;
  if (s.empty()) return out;
  if (delimiter.empty()) {
    out.emplace_back(s);
    return out;
  }
  size_t b = 0;
  for (;;) {
    size_t p = s.find(delimiter, b);
    if (p == std::string_view::npos) {
      out.emplace_back(s.substr(b));
      return out;
    }
    out.emplace_back(s.substr(b, p - b));
    b = p + delimiter.size();
  }
}

std::vector<std::string> SplitLines(std::string_view s) {
  std::vector<std::string> out;
  size_t b = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n') {
      out.emplace_back(s.substr(b, i - b));
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      b = i + 1;
    }
  }
  if (b < s.size()) out.emplace_back(s.substr(b));
  return out;
}

std::string Join(const std::vector<std::string>& parts, std::string_view delimiter) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += delimiter;
    out += parts[i];
  }
  return out;
}

std::string Replace(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  size_t b = 0;
  for (;;) {
    size_t p = s.find(from, b);
    if (p == std::string_view::npos) break;
    out.append(s.substr(b, p - b));
    out.append(to);
    b = p + from.size();
  }
  out.append(s.substr(b));
  return out;
}

std::string LTrim(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsSpace(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string RTrim(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && IsSpace(s[e - 1])) --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string UCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string LCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::u32string ToU32(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = SeqLen(c);
    if (i + n > s.size()) n = 1;
    char32_t cp;
    if (n == 1) cp = c < 0x80 ? c : 0xFFFD;
    else {
      cp = c & (0x7F >> n);
      for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    out += cp;
    i += n;
  }
  return out;
}

std::string FromU32(std::u32string_view s) {
  std::string out;
  for (char32_t cp : s) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n;
    char32_t cp;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { n = 2; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 3; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 4; cp = c & 0x07; }
    else return false;
    if (i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
      return false;
    i += n;
  }
  return true;
}

}  // namespace rt
