/** @file clsColor.h The colour numbers (1 to 147) that every control stores, turned into colour values. */
#pragma once
#include <cstdint>

/// Colour numbers to colour values (red + 256 x green + 65536 x blue). 4 and every number
/// outside the table give black. No state; each control keeps its own instance.
class clsColor {
 public:
  int32_t ColorAsLong(int32_t pCN) const;
};
