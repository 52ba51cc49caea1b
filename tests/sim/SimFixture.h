/** @file SimFixture.h A fresh new-game database with a week context over it and a recording screen, for the week's tests. */
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "sim/GameState.h"
#include "sim/IniSettings.h"
#include "sim/SimDb.h"
#include "support/FakeScreen.h"
#include "support/FreshGameDb.h"

namespace simtest {

/// The buildings and areas of a new game, added only where the catalogue lacks them, so that
/// the week's joins see the starting kingdom whatever the content holds.
inline void EnsureStartingCatalogue(clsDB& db) {
  const char* construct[][3] = {{"みすぼらしい王宮", "王宮", ""},        {"小さな住宅地", "市街", ""},
                                {"小さな畑", "平原", "Producer"},        {"小さな工房", "市街", "Engineer"},
                                {"小規模商店街", "市街", "Merchant"},    {"ボロボロの兵舎", "市街", "Soldier"},
                                {"小さな牧場", "平原", "Producer"}};
  for (auto& r : construct)
    ASSERT_TRUE(db.Excute(std::string("INSERT INTO construct (Name,Type,Area,Land,Price,Men,Work,Occupation,"
                                      "Succession,Open) SELECT ") + SqlText(r[0]) + ",''," + SqlText(r[1]) +
                          ",1,100,10,100," + SqlText(r[2]) + ",'',True WHERE NOT EXISTS " +
                          "(SELECT * FROM construct WHERE Name=" + SqlText(r[0]) + ")"));
  const char* area[][4] = {{"王宮", "王宮", "10", "1100"}, {"中央市街", "市街", "10", "1100"},
                           {"リュシーレ平原", "平原", "0", "50"}};
  for (auto& r : area)
    ASSERT_TRUE(db.Excute(std::string("INSERT INTO area (Name,Type,AreaLevel,Research,Development,Tips,Open) SELECT ") +
                          SqlText(r[0]) + "," + SqlText(r[1]) + "," + r[2] + "," + r[3] + ",0,'',True " +
                          "WHERE NOT EXISTS (SELECT * FROM area WHERE Name=" + SqlText(r[0]) + ")"));
}

/// The shared fresh game, with this fixture's own connection `db` that the context holds.
class SimTest : public FreshGameDb {
 protected:
  void SetUp() override {
    FreshGameDb::SetUp();
    CloseDb();
    ASSERT_TRUE(CreateDB::DBConnect(db));
    EnsureStartingCatalogue(db);
    dir = game->Folder();
    ctx.appDir = dir.string();
  }
  void TearDown() override {
    owned_.reset();  // close before the folder goes
    FreshGameDb::TearDown();
  }

  /// Runs a statement that must succeed.
  void Exec(const std::string& sql) { ASSERT_TRUE(db.Excute(sql)) << sql << " " << db.GetErrMSG(); }
  /// The first field of a query, "" without a row.
  std::string Value(const std::string& sql) { return sim::QueryRow(db, sql) ? db.Data(0) : std::string(); }

  std::unique_ptr<clsDB> owned_ = std::make_unique<clsDB>();
  clsDB& db = *owned_;
  std::filesystem::path dir;
  sim::clsData data;
  sim::GameState state;
  sim::MemorySettings settings;
  fake::FakeScreen screen;
  sim::WeekContext ctx{db, data, state, settings, screen, nullptr, ""};
};

}  // namespace simtest
