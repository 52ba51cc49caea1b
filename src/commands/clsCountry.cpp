/** @file clsCountry.cpp A trade partner read from its country row. */
#include "commands/clsCountry.h"

#include "sim/SimDb.h"

std::optional<clsCountry> clsCountry::FromRow(const std::vector<std::string>& row,
                                              const sim::UnreadableField& unreadable) {
  using sim::Col;
  const std::string distance = Col(row, 2), population = Col(row, 3), soldier = Col(row, 4), trust = Col(row, 6),
                    friendship = Col(row, 7), affluence = Col(row, 8), education = Col(row, 9);
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
  c.Nation = Col(row, 0);
  c.Distance = *d;
  c.Population = *p;
  c.Soldier = *s;
  c.Trust = *t;
  c.Friendship = *f;
  c.Affluence = *a;
  c.Education = *e;
  c.Character = Col(row, 10);
  c.Ability = Col(row, 11);
  c.Mania = Col(row, 12);
  c.Tips = Col(row, 13);
  return c;
}
