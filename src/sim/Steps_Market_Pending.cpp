/** @file Steps_Market_Pending.cpp Stand-ins for the market steps until their own files land; those replace this file. */
#include "sim/TurnEnd_Market.h"

namespace sim {

[[gnu::weak]] void TurnEnd_ContinueItem(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_Trade(WeekContext&, TurnLog&, bool&) {}
[[gnu::weak]] void TurnEnd_OpenCountry(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_AreaResearch(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_ItemResearchAll(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_ItemProduction(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_ItemProcess(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_ItemResearch(WeekContext&, TurnLog&) {}
[[gnu::weak]] void TurnEnd_DecreaseWeek(WeekContext&) {}

}  // namespace sim
