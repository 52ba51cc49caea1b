/** @file ArmyFixture.h A fresh game with the formation and the conquest over fake window parts, on a virtual clock. */
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "army/Conquest.h"
#include "army/UnitFormation.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/SqliteConnection.h"
#include "runtime/Clock.h"
#include "sim/Economy.h"
#include "sim/SimFixture.h"

namespace armytest {

/// The formation's window: lists keep their rows, the slider a value the test sets.
struct FakeFormationHost : army::IFormationHost {
  FakeFormationHost() { army::WriteSlotLabels(unit); }
  sim::IView& UnitView() override { return unit; }
  void ShowList(army::FormationGrid g, army::FormationColumns, int, int, int, int,
                std::shared_ptr<RecordSet> rows) override {
    lists[g] = rows;
  }
  void HideList(army::FormationGrid g) override { lists.erase(g); }
  void ShowSlider(int, int, int, int, int32_t, const std::string&) override { slider = 0; }
  int32_t SliderValue() override { return slider; }
  void ShowCountButton(const std::string&) override {}
  void HideCommandPanel(const std::string& command, bool flag) override { panels.push_back(command + (flag ? "+" : "-")); }

  fake::FakeView unit;
  std::map<army::FormationGrid, std::shared_ptr<RecordSet>> lists;
  int32_t slider = 0;
  std::vector<std::string> panels;
};

struct FakeConquestHost : army::IConquestHost {
  void BattleMusic(bool battle) override { music.push_back(battle ? "battle" : "map"); }
  void PlaySound(int32_t type) override { sounds.push_back(type); }
  void HideBattleDisp() override { ++hidden; }
  std::vector<std::string> music;
  std::vector<int32_t> sounds;
  int hidden = 0;
};

class ArmyTest : public simtest::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    rt::SetClock(&clock);
    ctx.army = &army;
    battle.Effect(true);
    sim::LoadPeopleData(ctx);
    Exec("UPDATE nest SET Open=True WHERE Name='ゴブリンの巣'");
  }
  void TearDown() override {
    rt::SetClock(nullptr);
    SimTest::TearDown();
  }

  /// Forms an army of `soldiers` of a class with items by slot and sends it to `nest`
  /// (answering yes); the formation's message, "" when it left.
  std::string Form(const std::string& cls, const std::map<std::string, std::string>& items, int soldiers,
                   const std::string& nest = "ゴブリンの巣") {
    if (!formation.ShowNestList("討伐")) return "no list";
    formation.ShowStandardEquipment({cls});
    for (const auto& [slot, name] : items) Equip(slot, name);
    host.slider = soldiers;
    screen.answers.push_back(sim::kAnsYes);
    return formation.SetBattle(NestRow(nest));
  }
  /// Puts an item into a slot through the slot's list.
  void Equip(const std::string& slot, const std::string& name) {
    formation.GVUnit_Click(static_cast<int16_t>(army::RetSlotRow(slot)), 2);
    auto it = host.lists.find(army::FormationGrid::Main);
    ASSERT_NE(it, host.lists.end()) << slot << " " << name;
    for (long r = 0; r < it->second->RowCount(); ++r)
      if (it->second->Value(r, 0) == name) return formation.SetUnitEquipment(it->second->Row(r));
    FAIL() << name << " is not in the list for " << slot;
  }
  std::vector<std::string> NestRow(const std::string& nest) {
    return sim::QueryRows(db, "SELECT Name,Coefficient,Distance,Times,Treasure FROM nest WHERE Name='" + nest + "'")
        .at(0);
  }
  int Stock(const std::string& item) { return std::stoi("0" + Value("SELECT Storage FROM itemdata WHERE Name='" + item + "'")); }
  int Barracks() {
    return std::stoi("0" + Value("SELECT SUM(NofProduction) FROM construction,construct WHERE "
                                 "construction.Name=construct.Name AND construct.Occupation='Soldier'"));
  }

  rt::VirtualClock clock;
  clsBattle battle;
  FakeConquestHost music;
  army::Army army{battle, &music};
  clsMngUnitItems unitItems;
  FakeFormationHost host;
  army::clsUnitFormation formation{ctx, host, battle, unitItems};
};

}  // namespace armytest
