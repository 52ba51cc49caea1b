/** @file db_statements.cpp The statements a week runs, one at a time through clsDB: microseconds per statement. */
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "support/FreshGameDb.h"

namespace {

// A new game in a temporary folder with gDB-like access; each statement is its own transaction.
struct Game {
  GameDbFolder folder;
  clsDB db;
  Game() {
    if (!CreateDB::DBConnect(db)) throw std::runtime_error("cannot open the game database");
  }
};

void BM_SelectRow(benchmark::State& state) {
  Game g;
  for (auto _ : state) {
    g.db.GetData("SELECT Storage,ItemLevel,Research FROM itemdata WHERE Name='木刀'");
    benchmark::DoNotOptimize(g.db.Data(0));
  }
}
BENCHMARK(BM_SelectRow)->Unit(benchmark::kMicrosecond);

void BM_UpdateRow(benchmark::State& state) {
  Game g;
  long n = 0;
  for (auto _ : state) g.db.Excute("UPDATE home SET [Money]=" + std::to_string(++n % 999999));
}
BENCHMARK(BM_UpdateRow)->Unit(benchmark::kMicrosecond);

void BM_InsertRow(benchmark::State& state) {
  Game g;
  long n = 0;
  for (auto _ : state) {
    g.db.Excute("INSERT INTO itemdata VALUES(" + SqlText("品" + std::to_string(++n)) + ",1,0,0,'非公開',21,False)");
  }
}
BENCHMARK(BM_InsertRow)->Unit(benchmark::kMicrosecond);

// One typical step: read the people, count the employed, raise a stock, write back the home row.
void BM_WeekStepMix(benchmark::State& state) {
  Game g;
  long n = 0;
  for (auto _ : state) {
    g.db.GetData("SELECT * FROM people");
    for (int i = 0; i < g.db.GetRowCount(); ++i) g.db.MoveNext();
    g.db.GetData("SELECT SUM(construction.NofProduction) FROM construct,construction,area "
                 "WHERE construct.Name=construction.Name AND construct.Occupation='Soldier' "
                 "AND area.Name=construction.Area AND construct.Area=area.Type");
    g.db.Excute("UPDATE itemdata SET Storage=" + std::to_string(++n % 1000) + " WHERE Name='木材'");
    g.db.Excute("UPDATE home SET Grain=6000,Meat=6000");
  }
  state.counters["statements"] = benchmark::Counter(4.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WeekStepMix)->Unit(benchmark::kMicrosecond);

// For comparison: the same UPDATE with SQLite's default rollback journal and full syncing.
void BM_UpdateRowRollbackJournal(benchmark::State& state) {
  GameDbFolder folder;
  sqlite3* db = nullptr;
  sqlite3_open(folder.DbPath().c_str(), &db);
  sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  long n = 0;
  for (auto _ : state) {
    std::string sql = "UPDATE home SET Money=" + std::to_string(++n);
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
}
BENCHMARK(BM_UpdateRowRollbackJournal)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
