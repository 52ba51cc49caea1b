/** @file clsAppInfo.cpp The program's version as text. */
#include "app/clsAppInfo.h"

#include <cstdio>

namespace {
std::string Digits(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}
}  // namespace

std::string clsAppInfo::Version(int32_t InfoNum, std::string_view strSeparator) const {
  std::string sep(strSeparator);
  switch (InfoNum) {
    case 0: return Digits(Major, 1) + sep + Digits(Minor, 2) + sep + Digits(Revision, 4);
    case 1: return Digits(Major, 1);
    case 2: return Digits(Minor, 2);
    case 3: return Digits(Revision, 1);
    case 4: return Digits(Major, 1) + sep + Digits(Minor, 2);
    default: return "";
  }
}
