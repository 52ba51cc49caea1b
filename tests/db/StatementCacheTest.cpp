/** @file StatementCacheTest.cpp Kept statements and results: a repeated query is answered from memory only while nothing it read has changed. */
#include <gtest/gtest.h>

#include "support/FreshGameDb.h"

class StatementCacheTest : public FreshGameDb {
 protected:
  void Run(const std::string& sql) { ASSERT_TRUE(db->Excute(sql)) << sql << ": " << db->GetErrMSG(); }
};

TEST_F(StatementCacheTest, AKeptResultNeverOutlivesAChangeOfWhatItReadOrOfTheSchema) {
  const std::string turn = "SELECT Turn FROM home", soldiers = "SELECT [Number] FROM people WHERE Occupation='Soldier'";
  Run("UPDATE home SET Turn=Turn+1");
  Run("UPDATE home SET Turn=Turn+1");  // the same text runs again
  EXPECT_EQ(Value(turn), "3");
  // Another table written by a trigger added after the writing statement was first run.
  const long before = std::stol(Value(soldiers));
  Run("UPDATE home SET [Money]=7");
  Run("CREATE TRIGGER bump AFTER UPDATE OF [Money] ON home "
      "BEGIN UPDATE people SET [Number]=[Number]+1 WHERE Occupation='Soldier'; END");
  Run("UPDATE home SET [Money]=7");
  EXPECT_EQ(std::stol(Value(soldiers)), before + 1);
  // Changes taken back by a savepoint and by a transaction.
  Run("SAVEPOINT s");
  Run("UPDATE home SET Turn=10");
  EXPECT_EQ(Value(turn), "10");
  Run("ROLLBACK TO s");
  Run("RELEASE s");
  EXPECT_EQ(Value(turn), "3");
  ASSERT_TRUE(db->BeginTrans());
  Run("UPDATE home SET Turn=20");
  EXPECT_EQ(Value(turn), "20");
  db->Rollback();
  EXPECT_EQ(Value(turn), "3");
  // A changing function is asked anew; a new column is seen by a text read before.
  EXPECT_NE(Value("SELECT random()"), Value("SELECT random()"));
  const long fields = (db->GetData("SELECT * FROM home"), db->GetFieldCount());
  Run("ALTER TABLE home ADD COLUMN Extra INTEGER DEFAULT 4");
  EXPECT_EQ((db->GetData("SELECT * FROM home"), db->GetFieldCount()), fields + 1);
}
