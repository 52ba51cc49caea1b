// 1,000 seeded battles on a virtual clock: how long the engine takes for a balancing run.
#include <benchmark/benchmark.h>

#include <memory>

#include "army/clsBattle.h"
#include "runtime/Clock.h"
#include "runtime/Random.h"

namespace {

BattleResult OneBattle(uint64_t seed) {
  rt::VirtualClock clock;
  rt::SetClock(&clock);
  rt::RandomizeSeed(seed);
  clsBattle battle;
  RecordingBattleDisplay display;
  battle.Init(&display, nullptr);
  battle.Anime(false);
  auto army = std::make_shared<clsUnitver2>();
  army->SetUnit("1", "国王軍", "アーチャー", 300, 60);
  army->SetArms("長弓", 12, 3);
  army->SetSubArms("火矢", 6, 2);
  army->SetAttackEffects("遠距離:2:属性:炎");
  army->SetProtector("革鎧", 8, 4);
  army->SetDefenceEffects("毒:30");
  army->SetItem1("薬草", 1, "体力:30");
  auto monster = std::make_shared<clsUnitver2>();
  monster->SetMonster("2", "オーク", "獣人", "ランサー", 14, 9, 14, "毒:50:混乱:20", "耐性:氷", 250, 50, 1, 1, 2);
  battle.UnitAdd(army, "国王軍1");
  battle.UnitAdd(monster, "オーク2");
  battle.StartBattle("国王軍1", "オーク2");
  rt::SetClock(nullptr);
  return battle.Result();
}

void BM_ThousandBattles(benchmark::State& state) {
  int64_t wins = 0, battles = 0;
  for (auto _ : state) {
    for (uint64_t seed = 1; seed <= 1000; ++seed) wins += OneBattle(seed) == BattleResult::Win;
    battles += 1000;
  }
  state.counters["win_rate"] = static_cast<double>(wins) / static_cast<double>(battles);
  state.SetItemsProcessed(battles);
}
BENCHMARK(BM_ThousandBattles)->Unit(benchmark::kMillisecond);

}  // namespace
