/** @file Research.h Item research: the research record of one item and the routine that adds points and raises its level. */
#pragma once
#include <cstdint>
#include <string>

namespace sim {

struct WeekContext;
class TurnLog;

/// One item's research as read for a week's step.
struct clsItemResearch {
  std::string Name;
  int16_t Value = 0;         ///< research difficulty (item.Value)
  int16_t ItemLevel = 0;
  int16_t ItemResearch = 0;  ///< points within the current level (itemdata.Research)
};

/// Adds Points \ Value (at most Limit when Capped) to the item and raises its level at
/// (L + 1) x 100 points; level 10 is final with 1100 points. A Value below 1 adds nothing.
/// On a level-up Item.ItemLevel becomes the new level and an "itemresearch" entry is written.
void ItemResearchAdd(WeekContext& ctx, clsItemResearch& Item, int32_t Points, TurnLog& Log, bool Capped,
                     int16_t Limit);

}  // namespace sim
