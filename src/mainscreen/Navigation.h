/** @file Navigation.h What the main window's lists and buttons do by the current command word: which procedure a chosen row reaches, the tooltip of a hovered row, the count button's caption. */
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandHost.h"

class clsDB;

namespace mainscreen {

/// Every field of a list row, from 0 in the list query's order.
using Row = std::vector<std::string>;

/// The procedure a chosen row reaches.
enum class RowAction {
  None,
  ItemCommand,            ///< GGMain: 研究 購入 売却 公開 供給
  AreaCommand,            ///< GGMain: 探索 建設 解体 配分 改修
  SetUnitEquipment,       ///< GGMain: 討伐 (then CalcUnitStatus)
  TradeItemSelect,        ///< GGMain: 開始
  ConstructCommand,       ///< GGSub1: 解体 建設 配分 改修
  ShowStandardEquipment,  ///< GGSub1: 討伐 (GVUnit shown first)
  TradeStart,             ///< GGSub1: 開始
  GetTradeData,           ///< GGSub1: 中止
  SetBattle,              ///< GGSub2: 討伐
  ChooseProduct,          ///< GGSub2: 配分 (the product goes onto GLClear)
};
RowAction RowActionOf(cmd::GridId grid, std::string_view command);

/// The tooltip of a hovered GGMain row: item figures, effect and stock, or an area's text.
/// "" hides the tooltip.
std::string GGMainToolTip(clsDB& db, std::string_view command, const Row& row);
/// The tooltip of a hovered GGSub1 row: a nation's friendship, the weeks a building job takes
/// (at `power` work per week), or when a farm's or ranch's product is due (`turn` the week).
/// "" hides the tooltip.
std::string GGSub1ToolTip(clsDB& db, std::string_view command, const Row& row, int32_t turn, int16_t power);
/// The tooltip of a hovered GGSub2 row: a nest's conquests and monsters, or a workshop
/// product's figures and materials in stock (`allotOccupation` "Engineer"). "" hides the
/// tooltip; nothing leaves it as it is.
std::optional<std::string> GGSub2ToolTip(clsDB& db, std::string_view command, std::string_view allotOccupation,
                                         const Row& row);

/// The count button's caption after a left (`up`) or right click under `command`: 1 to 10,
/// wrapping, for 購入 and 売却 ("回数:") and 開始 ("交易回数:"); nothing for other commands.
std::optional<std::string> CountCaption(std::string_view caption, std::string_view command, bool up);

}  // namespace mainscreen
