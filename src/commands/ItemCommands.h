/** @file ItemCommands.h The item commands: the warehouse, research, publish, sell, supply and buy lists, what choosing an item does, the count and maximum buttons, and the commits of supplying, selling and buying. */
#pragma once
#include <cstdint>
#include <string>

#include "commands/CommandHost.h"

namespace cmd {

/// The item list of 倉庫, 研究, 公開, 売却, 供給 or 購入 in GGMain; for 購入 and 売却 also the
/// standing orders of that kind in GGSub1. When there is no item to list it gives a notice and
/// is false, unless standing orders are shown: the panel then opens with the empty list.
bool ShowItemList(CommandContext& c, const std::string& Command);

/// An item of the list chosen: 公開 and 研究 act at once; 供給, 購入 and 売却 set up the slider
/// and the buttons for the execute button.
void ItemCommand(CommandContext& c);

/// The execute button under 供給: the slider's amount of grain or meat from the warehouse into
/// the kingdom's food store.
void SupplyCommit(CommandContext& c);
/// The execute button under 売却 or 購入: this week's deal, or a standing order when the count
/// button shows 2 or more.
void DealCommit(CommandContext& c);

/// The slider moved under 売却 or 購入: the amount of money on the execute button, red when a
/// purchase costs more than the treasury.
void DealSliderMoved(CommandContext& c, int32_t pValue);

/// The number after the colon of the count button ("回数:3", "交易回数:3"); 1 when there is none.
int16_t RepeatCount(CommandContext& c);

}  // namespace cmd
