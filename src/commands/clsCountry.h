/** @file clsCountry.h The nation a trade is being put together with, as read from its country row. */
#pragma once
#include <cstdint>
#include <string>

class clsCountry {
 public:
  int16_t Distance = 0;
  std::string Nation;
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
