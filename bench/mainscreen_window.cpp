// The main window of a new game: its load (without the title's pauses), a full redraw (every
// control draws itself again and the window is composed and shown), and the window shown as it is.
// Run under xvfb-run with SDL_VIDEODRIVER=x11 for a real X server; headless otherwise.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/basQz.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"
#include "support/FreshGameDb.h"

namespace fs = std::filesystem;

namespace {

// The program's resident memory now and at its highest, in MB (Linux).
void MemoryCounters(benchmark::State& state) {
  const std::string status = plat::ReadWholeFile("/proc/self/status").value_or("");
  for (const char* key : {"VmRSS:", "VmHWM:"}) {
    const size_t at = status.find(key);
    if (at != std::string::npos)
      state.counters[std::string(key, 5) + "_MB"] = std::stod(status.substr(at + 6)) / 1024.0;
  }
}

// A fresh game folder with the game's pictures and sounds, started as the program starts.
struct Game {
  Game() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    // The load opens the sound: where there is no sound device its message box would wait for
    // an answer that nobody gives.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    for (const char* sub : {"image", "sound"})
      fs::copy(fs::path(VESK_GAME_DIR) / sub, folder.Folder() / sub, fs::copy_options::recursive);
    Hooks().MakeDB = [] { gDB = std::make_shared<clsDB>(); };
    Hooks().MakeObjects = [] {
      gBattle = std::make_shared<clsBattle>();
      gMngUnitItems = std::make_shared<clsMngUnitItems>();
    };
  }
  std::unique_ptr<frmMain2> Load() {
    if (Main() != StartResult::Started) return nullptr;
    auto main = std::make_unique<frmMain2>();
    if (!main->Form_Load()) return nullptr;
    return main;
  }
  void End(std::unique_ptr<frmMain2>& main) {
    main.reset();
    AppEnd();
  }
  GameDbFolder folder;
};

void BM_MainWindowLoad(benchmark::State& state) {
  Game game;
  for (auto _ : state) {
    state.PauseTiming();
    if (Main() != StartResult::Started) return state.SkipWithError("start-up failed");
    auto main = std::make_unique<frmMain2>();
    state.ResumeTiming();
    if (!main->Form_Load()) return state.SkipWithError("load failed");
    state.PauseTiming();
    game.End(main);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MainWindowLoad)->Unit(benchmark::kMillisecond);

void BM_MainWindowFullRedraw(benchmark::State& state) {
  Game game;
  auto main = game.Load();
  if (!main) return state.SkipWithError("load failed");
  main->Show();
  plat::DoEvents();
  for (auto _ : state) {
    for (ctrGraphicalView* v : {&main->GVKingdom, &main->GVPeople}) v->RePaint();
    for (ctrGraphicalLabel* l : {&main->GLAreaResearch, &main->GLItemResearch, &main->GLConstruct}) l->RePaint();
    main->GLTurnEnd.SetText(main->GLTurnEnd.Text());
    main->Disp.Refresh();
    main->Present();
    benchmark::DoNotOptimize(main->BackBuffer().Bits());
  }
  game.End(main);
}
BENCHMARK(BM_MainWindowFullRedraw)->Unit(benchmark::kMicrosecond);

void BM_MainWindowPresent(benchmark::State& state) {
  Game game;
  auto main = game.Load();
  if (!main) return state.SkipWithError("load failed");
  main->Show();
  plat::DoEvents();
  for (auto _ : state) {
    main->Present();
    benchmark::DoNotOptimize(main->BackBuffer().Bits());
  }
  MemoryCounters(state);
  game.End(main);
}
BENCHMARK(BM_MainWindowPresent)->Unit(benchmark::kMicrosecond);

}  // namespace
