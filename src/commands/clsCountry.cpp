/** @file clsCountry.cpp A trade partner read from its country row. */
#include "commands/clsCountry.h"

#include "sim/SimDb.h"

clsCountry clsCountry::FromRow(const std::vector<std::string>& row) {
  auto at = [&](size_t i) { return i < row.size() ? row[i] : std::string(); };
  clsCountry c;
  c.Nation = at(0);
  c.Distance = sim::TextI(at(2));
  c.Population = sim::TextL(at(3));
  c.Soldier = sim::TextI(at(4));
  c.Trust = sim::TextI(at(6));
  c.Friendship = sim::TextI(at(7));
  c.Affluence = sim::TextI(at(8));
  c.Education = sim::TextI(at(9));
  c.Character = at(10);
  c.Ability = at(11);
  c.Mania = at(12);
  c.Tips = at(13);
  return c;
}
