/** @file StatementCacheTest.cpp Kept statements and results: a repeated query is answered from memory only while nothing it read has changed. */
#include <gtest/gtest.h>

#include "support/FreshGameDb.h"

namespace {

class StatementCacheTest : public FreshGameDb {
 protected:
  void Run(const std::string& sql) { ASSERT_TRUE(db->Excute(sql)) << sql << ": " << db->GetErrMSG(); }
  std::string Turn() { return Value("SELECT Turn FROM home"); }
};

TEST_F(StatementCacheTest, AKeptResultNeverOutlivesAChangeOfWhatItRead) {
  EXPECT_EQ(Turn(), "1");
  Run("UPDATE home SET Turn=2");
  EXPECT_EQ(Turn(), "2");
  // Written by a trigger (added after the statement was first run), under a savepoint rolled
  // back, in a transaction rolled back.
  const std::string soldiers = "SELECT [Number] FROM people WHERE Occupation='Soldier'";
  const std::string soldiersBefore = Value(soldiers);
  Run("UPDATE home SET [Money]=7");
  Run("CREATE TRIGGER bump AFTER UPDATE OF [Money] ON home "
      "BEGIN UPDATE people SET [Number]=[Number]+1 WHERE Occupation='Soldier'; END");
  EXPECT_EQ(Value(soldiers), soldiersBefore);
  Run("UPDATE home SET [Money]=7");
  EXPECT_EQ(std::stol(Value(soldiers)), std::stol(soldiersBefore) + 1);
  Run("UPDATE home SET Turn=3");
  Run("SAVEPOINT s");
  Run("UPDATE home SET Turn=10");
  EXPECT_EQ(Turn(), "10");
  Run("ROLLBACK TO s");
  EXPECT_EQ(Turn(), "3");
  Run("RELEASE s");
  ASSERT_TRUE(db->BeginTrans());
  Run("UPDATE home SET Turn=20");
  EXPECT_EQ(Turn(), "20");
  db->Rollback();
  EXPECT_EQ(Turn(), "3");

  // A count over a join follows an insert into either table; a changing function is asked anew.
  const std::string counted = "SELECT COUNT(*) FROM construction,construct WHERE construct.Name=construction.Name";
  const long before = std::stol(Value(counted));
  Run("INSERT INTO construction SELECT 99,Name,Area,Product,0,1,0,'' FROM construction WHERE ID=1");
  EXPECT_EQ(std::stol(Value(counted)), before + 1);
  EXPECT_NE(Value("SELECT random()"), Value("SELECT random()"));
}

TEST_F(StatementCacheTest, ARepeatedStatementRunsEachTimeAndFollowsTheSchema) {
  Run("UPDATE home SET Turn=Turn+1");
  Run("UPDATE home SET Turn=Turn+1");
  EXPECT_EQ(Turn(), "3");
  // A failed run leaves the statement usable; a new column is seen by the same text.
  Run("CREATE TRIGGER stop BEFORE UPDATE OF Turn ON home WHEN NEW.Turn > 3 BEGIN SELECT RAISE(ABORT,'no'); END");
  EXPECT_FALSE(db->Excute("UPDATE home SET Turn=Turn+1"));
  Run("DROP TRIGGER stop");
  Run("UPDATE home SET Turn=Turn+1");
  EXPECT_EQ(Turn(), "4");
  const long fields = (db->GetData("SELECT * FROM home"), db->GetFieldCount());
  Run("ALTER TABLE home ADD COLUMN Extra INTEGER DEFAULT 4");
  EXPECT_EQ((db->GetData("SELECT * FROM home"), db->GetFieldCount()), fields + 1);
  EXPECT_EQ(db->Data(fields), "4");
}

}  // namespace
