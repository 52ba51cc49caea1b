/** @file FakeArmy.h A recording stand-in for the army: counts conquests, keeps the battle units handed over, may end the game. */
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "sim/GameScreen.h"
#include "sim/GameState.h"
#include "sim/TurnLog.h"

namespace fake {

class FakeArmy : public sim::IArmy {
 public:
  void TurnEnd_Conquest(sim::WeekContext&, sim::TurnLog& Log) override {
    ++conquests;
    if (loseTrust) Log.GameOver();
  }
  void UnitAdd(const sim::BattleUnitSetup& unit, const std::string& name) override { units.emplace_back(name, unit); }

  int conquests = 0;
  bool loseTrust = false;
  std::vector<std::pair<std::string, sim::BattleUnitSetup>> units;
};

}  // namespace fake
