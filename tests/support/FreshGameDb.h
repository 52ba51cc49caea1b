/** @file FreshGameDb.h The shared test fixture: a fresh new-game database in a temporary game folder. */
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "db/clsDB.h"

/// The whole file as it is on disk ("" when it cannot be read), and a file written anew.
std::string ReadFileText(const std::filesystem::path& file);
void WriteFileText(const std::filesystem::path& file, std::string_view text);
/// Writes over `count` pages (4096 bytes) of a closed database from page `first` (1-based), as a
/// disk error or a bad copy leaves them. Pages 4 to 9 of a new game are the first pages of the
/// game-state tables, page 10 the first of the building kinds.
void DamagePages(const std::filesystem::path& file, size_t first, size_t count);

/// A temporary game folder holding a vesk.mdb built from data/ (schema, catalogue, new-game
/// reset) exactly as tools/mkdb builds it. While it lives, plat::ProgramFolder() is this
/// folder, so DBerr.log, DBSQL.txt and MSG.log land here. The database is built once per test
/// program and copied for each folder, so every test starts from the same new game.
class GameDbFolder {
 public:
  GameDbFolder();
  ~GameDbFolder();  ///< closes nothing (owners close their clsDB first), removes the folder
  GameDbFolder(const GameDbFolder&) = delete;
  GameDbFolder& operator=(const GameDbFolder&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  std::filesystem::path DbPath() const { return folder_ / "vesk.mdb"; }

 private:
  std::filesystem::path folder_;
};

/// Fixture: a GameDbFolder and `db`, a clsDB connected to its vesk.mdb (as gDB would be).
///
/// #include "support/FreshGameDb.h"
///   class MyTest : public FreshGameDb {};
///   TEST_F(MyTest, Something) {
///     ASSERT_TRUE(db->Excute("UPDATE home SET [Money]=100"));
///     EXPECT_EQ(Value("SELECT [Money] FROM home"), "100");
///   }
///
/// The file is held exclusively: call CloseDb() before anything else opens it (the reset,
/// compaction, a second process), and ReopenDb() to connect again.
class FreshGameDb : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// Field 0 of the first row of a query on db, "" when the query fails or has no rows.
  std::string Value(std::string_view sql);
  /// The row count of a query on db, -1 when it fails.
  long Rows(std::string_view sql);
  void CloseDb();
  void ReopenDb();

  std::unique_ptr<GameDbFolder> game;
  std::shared_ptr<clsDB> db;
};
