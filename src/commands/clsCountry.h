/** @file clsCountry.h The nation a trade is being put together with, as read from its country row. */
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/SimDb.h"

class clsCountry {
 public:
  /// A nation from its "SELECT * FROM country" row, by position (1 and 5 are not read; AofT is
  /// 0). Nothing when a figure is no whole number of its size (NULL counts 0); `unreadable`
  /// then hears the first such.
  static std::optional<clsCountry> FromRow(const std::vector<std::string>& row,
                                           const sim::UnreadableField& unreadable = {});

  int16_t Distance = 0;     ///< weeks between deliveries
  std::string Nation;       ///< "" for no partner
  int32_t Population = 0;
  int16_t Soldier = 0;
  int16_t AofT = 0;
  int16_t Trust = 0;
  int16_t Friendship = 0;
  int16_t Affluence = 0;
  int16_t Education = 0;
  std::string Character;
  std::string Ability;
  std::string Mania;
  std::string Tips;
};
