/** @file Steps_People_Pending.cpp Stand-ins for the population steps until their own files land; those replace this file. */
#include "sim/TurnEnd_People.h"

namespace sim {

[[gnu::weak]] void TurnEnd_Consuming(WeekContext&, TurnLog&, bool& Fed) { Fed = true; }
[[gnu::weak]] void TurnEnd_Recruitment(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_Construct(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_Facility(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_ConstructOpen(WeekContext&, TurnLog&) {}
[[gnu::weak]] void OccupationAdd(WeekContext&, const std::string&, int16_t) {}
[[gnu::weak]] void SoldierAdd(WeekContext&, int16_t) {}
[[gnu::weak]] void SoldierDif(WeekContext&, int16_t) {}
[[gnu::weak]] void TurnEnd_ResidentialDif(WeekContext&, int16_t&) {}

}  // namespace sim
