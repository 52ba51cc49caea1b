/** @file sim_week.cpp The time and the SQL statements of one game week, on a new game and on kingdoms of 100 and 1,000 buildings. */
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "db/GameDbBuilder.h"
#include "db/SqliteConnection.h"
#include "db/clsDB.h"
#include "sim/Economy.h"
#include "sim/IniSettings.h"
#include "sim/TurnEnd.h"
#include "support/FakeScreen.h"

namespace {

int CountStatement(unsigned, void* counter, void*, void*) {
  ++*static_cast<long*>(counter);
  return 0;
}

/// A new game in a temporary folder, loaded as the main screen loads it.
class Game {
 public:
  explicit Game(int buildings) {
    dir_ = std::filesystem::temp_directory_path() / ("vesk_bench_week_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    BuildGameDatabase(std::filesystem::path(VESK_SOURCE_DIR) / "data", dir_ / "vesk.mdb");
    auto conn = SqliteConnection::Open(dir_ / "vesk.mdb");
    // More finished buildings of the starting kinds in the starting areas: farms worked by
    // five producers each, and houses.
    int farmers = 0;
    for (int id = 8; id <= buildings; ++id) {
      const bool farm = id % 2;
      conn->Execute("INSERT INTO construction VALUES(" + std::to_string(id) +
                    (farm ? ",'小さな畑','リュシーレ平原','貧しい麦',5,1,0,'')" : ",'小さな住宅地','中央市街','',0,1,0,'')"));
      farmers += farm ? 5 : 0;
    }
    conn->Execute("UPDATE people SET Number=Number+" + std::to_string(farmers) + " WHERE Occupation='Producer'");
    // Full stores, so that a large kingdom keeps going instead of starving in its first weeks.
    if (buildings > 7) conn->Execute("UPDATE home SET Grain=900000,Meat=900000,Money=900000");
    sqlite3_trace_v2(conn->Handle(), SQLITE_TRACE_STMT, CountStatement, &statements);
    db.DBSet(conn);
    sim::LoadGameState(ctx);
  }
  ~Game() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  long statements = 0;
  clsDB db;
  sim::clsData data;
  sim::GameState state;
  sim::MemorySettings settings;
  fake::FakeScreen screen;
  sim::WeekContext ctx{db, data, state, settings, screen, nullptr, ""};

 private:
  std::filesystem::path dir_;
};

void RunWeeks(benchmark::State& st, int buildings) {
  auto game = std::make_unique<Game>(buildings);
  long statements = 0, weeks = 0;
  for (auto _ : st) {
    if (game->state.mQuitAfterTurn) {  // a lost game starts again
      st.PauseTiming();
      game.reset();
      game = std::make_unique<Game>(buildings);
      st.ResumeTiming();
    }
    const long before = game->statements;
    sim::TurnEnd(game->ctx);
    statements += game->statements - before;
    ++weeks;
    game->screen.shown.clear();
  }
  st.counters["SQL/week"] = benchmark::Counter(static_cast<double>(statements) / static_cast<double>(weeks));
}

void BM_WeekNewGame(benchmark::State& st) { RunWeeks(st, 7); }
void BM_Week100Buildings(benchmark::State& st) { RunWeeks(st, 100); }
void BM_Week1000Buildings(benchmark::State& st) { RunWeeks(st, 1000); }

}  // namespace

BENCHMARK(BM_WeekNewGame)->Unit(benchmark::kMillisecond)->Iterations(52);
BENCHMARK(BM_Week100Buildings)->Unit(benchmark::kMillisecond)->Iterations(52);
BENCHMARK(BM_Week1000Buildings)->Unit(benchmark::kMillisecond)->Iterations(52);
