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

/// The shared fresh game, with this fixture's own connection `db` that the context holds.
class SimTest : public FreshGameDb {
 protected:
  void SetUp() override {
    FreshGameDb::SetUp();
    CloseDb();
    ASSERT_TRUE(CreateDB::DBConnect(db));
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
