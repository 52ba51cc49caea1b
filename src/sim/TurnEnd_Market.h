/** @file TurnEnd_Market.h The market steps of the week: continuing orders, trade, exploration, research, production, price decay. */
#pragma once

#include "sim/GameState.h"
#include "sim/TurnLog.h"

namespace sim {

/// The continuing weekly purchases and sales.
void TurnEnd_ContinueItem(WeekContext& ctx, TurnLog& Log);
/// Trade deliveries; Result := look for new partners (the driver sets it False first).
void TurnEnd_Trade(WeekContext& ctx, TurnLog& Log, bool& Result);
/// New trade partners; runs only when TurnEnd_Trade asked for it.
void TurnEnd_OpenCountry(WeekContext& ctx, TurnLog& Log);
/// Exploration of the target area and its discoveries.
void TurnEnd_AreaResearch(WeekContext& ctx, TurnLog& Log);
/// The background research of every item.
void TurnEnd_ItemResearchAll(WeekContext& ctx, TurnLog& Log);
/// Production of the farms, ranches and workshops.
void TurnEnd_ItemProduction(WeekContext& ctx, TurnLog& Log);
/// Processing of ingredients into products.
void TurnEnd_ItemProcess(WeekContext& ctx, TurnLog& Log);
/// The research of the target item.
void TurnEnd_ItemResearch(WeekContext& ctx, TurnLog& Log);
/// The novelty counters of published items count down.
void TurnEnd_DecreaseWeek(WeekContext& ctx);

}  // namespace sim
