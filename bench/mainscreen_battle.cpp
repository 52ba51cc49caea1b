// A whole battle drawn with its animation on a virtual clock: the drawing time per shown frame.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "army/clsBattle.h"
#include "controls/ctrGraphicalLabelEX.h"
#include "mainscreen/BattleScreen.h"
#include "runtime/Clock.h"
#include "runtime/Random.h"

namespace {

void BM_AnimatedBattle(benchmark::State& state) {
  plat::Surface ws(800, 600), tmp(800, 600), unit(720, 128), effect(1152, 1312), status(140, 40);
  std::array<plat::Surface, 4> monsters = {plat::Surface(576, 320), plat::Surface(576, 384), plat::Surface(192, 128),
                                           plat::Surface(420, 170)};
  plat::Control display;
  display.Resize(800, 600);
  BattlePictures pics{&ws, &display, &tmp, nullptr, &unit, {}, &effect, &status, {}, nullptr};
  for (int i = 0; i < 4; ++i) pics.Monster[i] = &monsters[i];
  // The eight gauges as the battle shows them, repainted by every status panel.
  std::array<ctrGraphicalLabelEX, 8> gauges;
  for (int i = 0; i < 8; ++i) {
    gauges[i].SetParent(&display);
    gauges[i].SetBounds(i % 2 ? 500 : 100, 50 + 25 * (i / 2), 200, 16);
    gauges[i].SetImageNum(i / 2 == 2 ? 4 : 1);
    gauges[i].BackImageCopy(ws, gauges[i].Left(), gauges[i].Top());
  }
  int64_t frames = 0;
  double seconds = 0;
  for (auto _ : state) {
    rt::VirtualClock clock;
    rt::SetClock(&clock);
    rt::RandomizeSeed(7);
    clsBattle battle;
    BattleControls controls;
    for (int i = 0; i < 8; ++i) controls.Gauges[i] = &gauges[i];
    BattleScreen screen(battle, pics, controls);
    std::vector<BattleBlit> trace;
    screen.Trace = &trace;
    battle.Init(&screen, nullptr);
    battle.Effect(true);
    battle.Sound = [](int) {};
    auto army = std::make_shared<clsUnitver2>();
    army->SetUnit("1", "国王軍", "セイバー", 301, 60);
    army->SetArms("鉄の剣", 12, 3);
    army->SetProtector("革鎧", 8, 4);
    auto monster = std::make_shared<clsUnitver2>();
    monster->SetMonster("7", "火蜥蜴", "両棲", "ランサー", 14, 10, 13, "属性:炎:毒:60", "耐性:炎", 200, 50, 2, 2, 3);
    battle.UnitAdd(army, "国王軍1");
    battle.UnitAdd(monster, "火蜥蜴7");
    const auto start = std::chrono::steady_clock::now();
    battle.StartBattle("国王軍1", "火蜥蜴7");
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const auto& b : trace) frames += b.kind == BattleBlit::Refresh;
    rt::SetClock(nullptr);
  }
  state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
  state.counters["ms_per_frame"] = seconds * 1000 / static_cast<double>(frames);
}
BENCHMARK(BM_AnimatedBattle)->Unit(benchmark::kMillisecond);

}  // namespace
