/** @file Economy.h The kingdom's economy around clsData: loading and saving the people and money, the quarterly tax, the form state kept in home, and item look-up for the battle units. */
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/VbError.h"
#include "sim/GameState.h"
#include "sim/TurnLog.h"

namespace sim {

/// An affluence, education or trust as mData holds it: a whole number brought into 0..100, NULL
/// counting 0; nothing for any other value.
std::optional<int16_t> AttributeValue(std::string_view text);

/// The people rows into mData; the treasury only on the first call after load; the population.
/// A value that cannot be read is shown as a data error and left as mData holds it.
void LoadPeopleData(WeekContext& ctx);
/// mData's attributes and the treasury back into people and home.
void SavePeopleData(WeekContext& ctx);
/// The quarterly tax of the merchants (weeks 13, 26, ...), with its "tax" entry.
void TurnEnd_Tax(WeekContext& ctx, TurnLog& Log);
/// At load: the market marks, the recruiting set (and its panel cells) and the battle units.
void InitGameData(WeekContext& ctx);
/// A number of a stored row that cannot be read, with its column: what UnitSetupFromRow throws.
class UnreadableValue : public rt::VbError {
 public:
  UnreadableValue(std::string column, std::string value);
  std::string column;
  std::string value;
};
/// A row of `unit` ("SELECT * FROM unit") with its equipment or its monster looked up, ready
/// for the army to turn into a battle unit. A number of the row, or of its monster, that the
/// battle unit cannot take throws UnreadableValue.
BattleUnitSetup UnitSetupFromRow(WeekContext& ctx, const std::vector<std::string>& row);
/// Whether the saved game has what no week can do without: the kingdom's row with a week number
/// that can be read, and people. False after a message naming what is damaged; the caller then
/// ends the game without writing anything.
bool CanLoadGame(WeekContext& ctx);
/// What the main screen does at load after the people and money: the four status panels (whose
/// figures the first week reads) and InitGameData. `progress` (when given) hears "GVデータ取得中"
/// before the views, "GLデータ取得中" before the labels and "ゲームのプロパティを設定中" before
/// InitGameData. An older saved game first gets the catalogue rows the rules of this version name.
void ShowGameState(WeekContext& ctx, const std::function<void(std::string_view)>& progress = {});
/// The whole load without a window: CanLoadGame, LoadPeopleData and ShowGameState. False (with
/// nothing written) when the game cannot go on.
bool LoadGameState(WeekContext& ctx, const std::function<void(std::string_view)>& progress = {});
/// At unload: the market marks, the recruiting set and the treasury into home, in a transaction
/// of their own.
void SaveHomeSetting(WeekContext& ctx);
/// Power, Weight and Effect of an item; an unknown item shows an error and gives an empty item.
/// A number that cannot be read is shown as a data error and counts 0: the item keeps its name.
clsItemValues RetclsItem(WeekContext& ctx, const std::string& Name);
/// The player's switch of an occupation's recruiting state: the state and its two panel cells.
void SetRecruiting(WeekContext& ctx, PanelOcc occupation, bool on);

/// The recruitment switch as the panels show it: recruiting, and not (the switch's caption).
inline constexpr const char* kRecruitingText = "募集中";
inline constexpr const char* kNotRecruitingText = "募集する";

}  // namespace sim
