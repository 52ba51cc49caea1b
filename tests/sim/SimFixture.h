/** @file SimFixture.h A fresh new-game database with a context over it and a recording screen, for the week's tests. */
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "support/FakeScreen.h"
#include "db/GameDbBuilder.h"
#include "db/SqliteConnection.h"
#include "db/clsDB.h"
#include "platform/FileSystem.h"
#include "sim/GameState.h"
#include "sim/IniSettings.h"
#include "sim/SimDb.h"

namespace simtest {

/// The buildings and areas of a new game, added only where the catalogue lacks them, so that
/// the week's joins see the starting kingdom whatever the content holds.
inline void EnsureStartingCatalogue(SqliteConnection& c) {
  // A catalogue row given twice would count the kingdom's people twice in the joins.
  c.Execute("DELETE FROM area WHERE rowid NOT IN (SELECT MIN(rowid) FROM area GROUP BY Name)");
  c.Execute("DELETE FROM construct WHERE rowid NOT IN (SELECT MIN(rowid) FROM construct GROUP BY Name,Area)");
  const char* construct[][4] = {
      {"みすぼらしい王宮", "王宮", "", "0"},        {"小さな住宅地", "市街", "", "0"},
      {"小さな畑", "平原", "Producer", "0"},        {"小さな工房", "市街", "Engineer", "0"},
      {"小規模商店街", "市街", "Merchant", "0"},    {"ボロボロの兵舎", "市街", "Soldier", "0"},
      {"小さな牧場", "平原", "Producer", "0"}};
  for (auto& r : construct)
    c.Execute(std::string("INSERT INTO construct (Name,Type,Area,Land,Price,Men,Work,Occupation,Succession,Open) "
                          "SELECT ") + SqlText(r[0]) + ",''," + SqlText(r[1]) + ",1,100,10,100," + SqlText(r[2]) +
              ",'',True WHERE NOT EXISTS (SELECT * FROM construct WHERE Name=" + SqlText(r[0]) + ")");
  const char* area[][4] = {{"王宮", "王宮", "10", "1100"}, {"中央市街", "市街", "10", "1100"},
                           {"リュシーレ平原", "平原", "0", "50"}};
  for (auto& r : area)
    c.Execute(std::string("INSERT INTO area (Name,Type,AreaLevel,Research,Development,Tips,Open) SELECT ") +
              SqlText(r[0]) + "," + SqlText(r[1]) + "," + r[2] + "," + r[3] + ",0,'',True " +
              "WHERE NOT EXISTS (SELECT * FROM area WHERE Name=" + SqlText(r[0]) + ")");
}

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("vesk_sim_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    platform::SetProgramFolder(dir);  // DBerr.log and the other logs land here
    BuildGameDatabase(std::filesystem::path(VESK_SOURCE_DIR) / "data", dir / "vesk.mdb");
    auto conn = SqliteConnection::Open(dir / "vesk.mdb");
    EnsureStartingCatalogue(*conn);
    ASSERT_TRUE(db.DBSet(conn));
    ctx.appDir = dir.string();
  }
  void TearDown() override {
    platform::SetProgramFolder({});
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  /// Runs a statement that must succeed.
  void Exec(const std::string& sql) { ASSERT_TRUE(db.Excute(sql)) << sql << " " << db.GetErrMSG(); }
  /// The first field of a query, "" without a row.
  std::string Value(const std::string& sql) { return sim::QueryRow(db, sql) ? db.Data(0) : std::string(); }

  std::filesystem::path dir;
  clsDB db;
  sim::clsData data;
  sim::GameState state;
  sim::MemorySettings settings;
  fake::FakeScreen screen;
  sim::WeekContext ctx{db, data, state, settings, screen, nullptr, ""};
};

}  // namespace simtest
