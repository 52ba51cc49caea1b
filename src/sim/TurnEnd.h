/** @file TurnEnd.h The week driver: one press of the next-week button runs TurnEnd.
 *
 * Where the steps live:
 *  - TurnEnd, TurnEnd_OccupationCheck: TurnEnd.cpp
 *  - LoadPeopleData, SavePeopleData, TurnEnd_Tax: Economy.{h,cpp}
 *  - the status panels refreshed at the week's end: StatusPanels.{h,cpp}
 *  - food, recruitment, construction, facilities, unlocks, staffing: TurnEnd_People.h,
 *    implemented in People*.cpp, Construction*.cpp, Facilities*.cpp, Unlock*.cpp
 *  - continuing orders, trade, exploration, research, production, price decay: TurnEnd_Market.h,
 *    implemented in Market*.cpp, Storage*.cpp, Production*.cpp, Exploration*.cpp, Research*.cpp,
 *    Trade*.cpp
 *  - the conquest: the army, through IArmy (GameScreen.h)
 */
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/GameState.h"
#include "sim/TurnLog.h"

namespace sim {

/// The steps the driver calls, in a table so that a test can record their order.
/// DefaultWeekSteps() holds the game's own steps.
struct WeekSteps {
  std::function<void(WeekContext&)> LoadPeopleData;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_ContinueItem;
  std::function<void(WeekContext&)> TurnEnd_OccupationCheck;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_Conquest;
  std::function<void(WeekContext&, TurnLog&, bool&)> TurnEnd_Consuming;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_Recruitment;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_Tax;
  std::function<void(WeekContext&, TurnLog&, bool&)> TurnEnd_Trade;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_OpenCountry;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_AreaResearch;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_ItemResearchAll;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_Construct;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_ItemProduction;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_ItemProcess;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_ItemResearch;
  std::function<void(WeekContext&)> TurnEnd_DecreaseWeek;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_Facility;
  std::function<void(WeekContext&, TurnLog&)> TurnEnd_ConstructOpen;
  std::function<void(WeekContext&)> WeekClose;   ///< save people and money, refresh the panels
};
const WeekSteps& DefaultWeekSteps();

/// One game week. The main screen's next-week button calls it (after clearing mQuitAfterTurn).
/// Closing the window is refused for its whole duration (GameState::CloseRefused).
void TurnEnd(WeekContext& ctx, const WeekSteps& steps = DefaultWeekSteps());

/// A week cut short by the program's end (the display lost, a signal while the week waits):
/// what it wrote is rolled back and the figures in memory are put back as they stood when it
/// began, so that what a close saves is the state of before the week. Nothing when no week runs.
void AbandonWeek(WeekContext& ctx);

/// Puts idle constructors, merchants and soldiers to work.
void TurnEnd_OccupationCheck(WeekContext& ctx);
/// Who the occupation check places: (occupation, people - employed) for Constructor, Merchant,
/// Soldier in this order, where soldiers marching with an army count as employed.
std::vector<std::pair<std::string, int16_t>> OccupationShortfall(WeekContext& ctx);

/// Runs one step; a runtime error inside it (conversion, overflow, ...) shows the step's error
/// message in the standard message box and the week goes on.
void RunStep(WeekContext& ctx, const char* name, const std::function<void()>& step);

/// The progress text with n dots: "処理中", "処理中･", ...
std::string ProgressText(int dots);

}  // namespace sim
