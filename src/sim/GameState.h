/** @file GameState.h The game state the week reads and writes (form state of the main screen), and the WeekContext through which every step reaches the database, the state, the settings and the screen. */
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "sim/GameScreen.h"
#include "sim/Occupations.h"
#include "sim/clsData.h"

class clsDB;

namespace sim {

/// The figures the status panels computed at their last refresh (at load, at the end of every
/// week, and when the player changes a target). The weekly steps read these, never recompute
/// them during the week. Arrays are in the panels' order: index with sim::Index(PanelOcc).
struct PanelState {
  std::array<int16_t, 5> employed{};    ///< people placed in the occupation's buildings
  std::array<int16_t, 5> people{};      ///< people.Number of the occupation
  std::array<bool, 5> recruiting{};     ///< the recruiting set ("募集中"), switched by the player
  int32_t population = 0;               ///< "人口:" of the kingdom panel
  int16_t affluence = 0;                ///< the kingdom's weighted averages ("裕福:", "教育:", "信頼:")
  int16_t education = 0;
  int16_t trust = 0;
  std::string palace;                   ///< the palace building's name; "" when there is none
  std::string areaResearch;             ///< the area under exploration; "" when none
  std::string itemResearch;             ///< the item under research; "" when none
  std::string construction;             ///< the building under construction (an upgrade's target name); "" when none

  int16_t Employed(PanelOcc o) const { return employed[Index(o)]; }
  int16_t People(PanelOcc o) const { return people[Index(o)]; }
  int32_t Idle(PanelOcc o) const { return int32_t{people[Index(o)]} - employed[Index(o)]; }
  bool Recruiting(PanelOcc o) const { return recruiting[Index(o)]; }
};

/// The main screen's form state that the rules share.
struct GameState {
  int32_t mTurn = 0;              ///< the week counter, equal to home.Turn
  bool mTurnRunning = false;      ///< the conquest step is running
  bool mWeekRunning = false;      ///< a week (TurnEnd) is running
  int modalWaits = 0;             ///< message boxes waiting for the player
  bool mQuitAfterTurn = false;    ///< the game is over: the main screen unloads after the week
  bool mTurnBuy = false;          ///< this week's immediate purchase is done
  bool mTurnSell = false;         ///< this week's immediate sale is done
  int16_t mConstructPower = 0;    ///< the week's construction power
  bool moneyLoaded = false;       ///< LoadPeopleData has read the treasury once
  PanelState panels;
  std::string lastTurnLog;        ///< the report string of the last week run (for tools)

  /// Closing the main window is refused while a week runs, the conquest runs, or a message
  /// box waits: a close then would free the database mid-week.
  bool CloseRefused() const { return mWeekRunning || mTurnRunning || modalWaits > 0; }
};

class WeekTransaction;

/// Everything a weekly step, a panel or an economy routine reaches. The main screen owns one;
/// tests and tools build their own over a fresh database and fakes.
struct WeekContext {
  clsDB& db;                 ///< gDB
  clsData& data;             ///< mData
  GameState& state;
  ISettings& settings;       ///< gIni, section "Setting"
  IGameScreen& screen;
  IArmy* army = nullptr;     ///< the army; without one the conquest step is skipped
  std::string appDir;        ///< where MSG.log goes; "" for the program's folder
  WeekTransaction* week = nullptr;  ///< the week under way (TurnEnd.cpp), for AbandonWeek

  /// The main screen's message box, with the close refused while it waits.
  int32_t ShowMSGBox(const std::string& Msg, int32_t Buttons, bool Hide);
  /// The standard message box (OK only), for data errors.
  void MsgBox(const std::string& text, const std::string& title = "");
};

/// Counts a modal wait for its lifetime (the close is refused meanwhile).
class ModalWait {
 public:
  explicit ModalWait(GameState& s) : s_(s) { ++s_.modalWaits; }
  ~ModalWait() { --s_.modalWaits; }
  ModalWait(const ModalWait&) = delete;
  ModalWait& operator=(const ModalWait&) = delete;

 private:
  GameState& s_;
};

}  // namespace sim
