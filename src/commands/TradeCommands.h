/** @file TradeCommands.h Trade with the nations: the partner and running-trade lists, composing a deal in the trade view, concluding and cancelling contracts. */
#pragma once
#include <cstdint>
#include <string>

#include "commands/CommandHost.h"

namespace cmd {

/// 開始: empties the deal and the trade view and lists the acquainted nations without a
/// contract in GGSub1. False, after a notice, when there is no pier, the port is full or no
/// nation is open.
bool ShowTradeCountryList(CommandContext& c, const std::string& Command);
/// 中止: the running contracts in GGSub1; False, after a notice, when there is none.
bool ShowTradeList(CommandContext& c);

/// A nation chosen under 開始: it becomes the partner and the deal starts empty.
void TradeStart(CommandContext& c);
/// A contract chosen under 中止: its goods in GGMain and the button that stops it.
void GetTradeData(CommandContext& c);

/// A slot of the trade view clicked: goods (rows 2 to 4) or money (row 5) of the export
/// (column 1) or import (column 5) side. Nothing happens before a partner is chosen.
void GVTrade_Click(CommandContext& c, int16_t Row, int16_t Col);
/// A slot right-clicked: its line leaves the deal.
void GVTrade_RightClick(CommandContext& c, int16_t Row, int16_t Col);
/// Goods chosen for the slot: the slider from 0 to what the weight limit and the stock allow.
void TradeItemSelect(CommandContext& c);
/// "アイテム確定" (GLSubMenu) under 開始: the slider's amount of the goods or money into the slot.
void TradeLineAdd(CommandContext& c);
/// The header's weights, the two price totals and the execute button, from all lines.
void ShowTradeTotals(CommandContext& c);

/// The execute button under 開始: the balance and weight rules, then the contract.
void TradeCommit(CommandContext& c);
/// The execute button under 中止: the contract ends and the friendship falls by 3 for every
/// delivery left.
void TradeCancel(CommandContext& c);

}  // namespace cmd
