/** @file clsAppInfo.h The program's version as text. */
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class clsAppInfo {
 public:
  static constexpr int Major = 1;
  static constexpr int Minor = 9;
  static constexpr int Revision = 37;

  /// 0: "1.09.0037" with separator "."; 1: "1"; 2: "09"; 3: "37"; 4: "1.09"; any other: "".
  std::string Version(int32_t InfoNum = 0, std::string_view strSeparator = "") const;
};
