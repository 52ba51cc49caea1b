/** @file clsCountry.cpp A trade partner read from its country row. */
#include "commands/clsCountry.h"

#include "sim/SimDb.h"

std::optional<clsCountry> clsCountry::FromRow(const std::vector<std::string>& row,
                                              const sim::UnreadableField& unreadable) {
  auto at = [&](size_t i) { return i < row.size() ? row[i] : std::string(); };
  const std::string distance = at(2), population = at(3), soldier = at(4), trust = at(6), friendship = at(7),
                    affluence = at(8), education = at(9);
  const auto d = sim::Figure16(distance), s = sim::Figure16(soldier), t = sim::Figure16(trust),
             f = sim::Figure16(friendship), a = sim::Figure16(affluence), e = sim::Figure16(education);
  const auto p = sim::Figure(population);
  if (!sim::AllRead(unreadable, {{d.has_value(), "country.Distance", distance},
                                 {p.has_value(), "country.Population", population},
                                 {s.has_value(), "country.Soldier", soldier},
                                 {t.has_value(), "country.Trust", trust},
                                 {f.has_value(), "country.Friendship", friendship},
                                 {a.has_value(), "country.Affluence", affluence},
                                 {e.has_value(), "country.Education", education}}))
    return std::nullopt;
  clsCountry c;
  c.Nation = at(0);
  c.Distance = *d;
  c.Population = *p;
  c.Soldier = *s;
  c.Trust = *t;
  c.Friendship = *f;
  c.Affluence = *a;
  c.Education = *e;
  c.Character = at(10);
  c.Ability = at(11);
  c.Mania = at(12);
  c.Tips = at(13);
  return c;
}
