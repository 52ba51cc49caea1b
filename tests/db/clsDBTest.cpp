/** @file clsDBTest.cpp The database object: value texts, ROUND, the current row, failures and the logs. */
#include <gtest/gtest.h>

#include <filesystem>

#include "db/SqliteConnection.h"
#include "runtime/Strings.h"
#include "support/FreshGameDb.h"

namespace fs = std::filesystem;

class ClsDbTest : public FreshGameDb {
 protected:
  /// The current row's fields joined with "|".
  std::string Fields() {
    std::string out;
    for (int32_t i = 0; i < db->GetFieldCount(); ++i) out += (i ? "|" : "") + db->Data(i);
    return out;
  }
  /// The first row of a query, joined.
  std::string RowOf(std::string_view sql) {
    EXPECT_TRUE(db->GetData(sql)) << sql;
    return Fields();
  }
};

TEST_F(ClsDbTest, ValuesReadBackAsTheGamePrintsThem) {
  // A Boolean column reads by its declared type; NULL reads "".
  EXPECT_EQ(RowOf("SELECT TurnBuy, Turn, Itemresearch FROM home"), "False|1|");
  // An old save holds True as -1.
  ASSERT_TRUE(db->Excute("UPDATE home SET TurnBuy=-1"));
  EXPECT_EQ(RowOf("SELECT TurnBuy FROM home"), "True");

  // Reals: no trailing ".0", 15 significant digits; "/" written as a*1.0/b divides as reals.
  EXPECT_EQ(RowOf("SELECT 3.0, 7*1.0/2, 1*1.0/3"), "3|3.5|0.333333333333333");
  ASSERT_TRUE(db->Excute("INSERT INTO tradecategory VALUES('テスト国','剣',12)"));
  EXPECT_EQ(Value("SELECT Coefficient FROM tradecategory WHERE Nation='テスト国'"), "12");  // REAL column

  // A SUM over no rows reads "", in a row that is there.
  EXPECT_EQ(RowOf("SELECT SUM([Number]) FROM unit"), "");
  EXPECT_EQ(db->GetRowCount(), 1);

  // A whole-number column reads what it holds: a fraction keeps its fraction (an ID of 2.4 is
  // no row 2), a blob reads as a literal that no number reader takes; a text column reads a
  // blob as its text.
  ASSERT_TRUE(db->Excute("UPDATE home SET [Money]=[Money]*1.005,Grain=3.5,Meat=X'32',Itemresearch=X'32'"));
  EXPECT_EQ(RowOf("SELECT [Money],Grain,Meat,Itemresearch FROM home"), "502.5|3.5|X'32'|2");
}

TEST_F(ClsDbTest, RoundGoesHalfToEvenOnTheComputedDouble) {
  EXPECT_EQ(RowOf("SELECT ROUND(2.5,0), ROUND(3.5,0), ROUND(-2.5,0), ROUND(12.5,0), ROUND(13.5), "
                  "ROUND(25*(0.5+2*0.04),0), ROUND(0.125,2), ROUND(NULL,0)"),
            "2|4|-2|12|14|14|0.12|");
  EXPECT_FALSE(db->GetData("SELECT ROUND(1234.5,-2)"));  // refused, never a silent 1234
  // The game's ROUND also works inside a statement that writes.
  ASSERT_TRUE(db->Excute("UPDATE home SET [Money]=ROUND(1002.5*1.0,0)"));
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "1002");
}

TEST_F(ClsDbTest, CurrentRowSurvivesEmptyQueriesAndTheEnd) {
  ASSERT_TRUE(db->GetData("SELECT ID, Name FROM construction ORDER BY ID"));
  ASSERT_EQ(db->GetRowCount(), 7);
  for (int i = 1; i < 7; ++i) ASSERT_TRUE(db->MoveNext());
  EXPECT_TRUE(db->MoveNext());  // past the end: the last row stays
  EXPECT_EQ(Fields(), "7|小さな牧場");

  // A query without rows succeeds and leaves the previous row readable.
  ASSERT_TRUE(db->GetData("SELECT ID, Name FROM construction WHERE ID=99"));
  EXPECT_EQ(db->GetRowCount(), 0);
  EXPECT_EQ(Fields(), "7|小さな牧場");

  // An UPDATE that matches nothing is a success and logs nothing.
  EXPECT_TRUE(db->Excute("UPDATE home SET Turn=2 WHERE Turn=999"));
  EXPECT_FALSE(fs::exists(game->Folder() / "DBerr.log"));

  // GetMax: the largest ID, 0 for an empty table or a failed query.
  EXPECT_EQ(db->GetMax("construction", "ID"), 7);
  EXPECT_EQ(std::pair(db->GetMax("unit", "ID"), db->GetMax("nowhere", "ID")), std::pair(0, 0));

  // After a failed query everything reads empty.
  EXPECT_FALSE(db->GetData("SELECT Nothing FROM nowhere", "Caller"));
  EXPECT_EQ(db->Data(0), "");
  EXPECT_EQ(std::pair(db->GetRowCount(), db->GetFieldCount()), std::pair(0, 0));
  EXPECT_FALSE(db->MoveNext());
  EXPECT_EQ(db->GetRecordSet(), nullptr);
}

TEST_F(ClsDbTest, FailuresReturnFalseAndAppendTheErrorRecord) {
  EXPECT_FALSE(db->Excute("UPDATE nowhere SET x=1"));
  EXPECT_EQ(db->GetErrMSG(), "1:テーブルがありません: nowhere");
  EXPECT_FALSE(db->GetData("SELECT * FROM nowhere"));
  EXPECT_FALSE(db->DBSet(nullptr));
  EXPECT_TRUE(db->LoadFLG());  // a failed DBSet keeps the database it had

  const std::string log = ReadFileText(game->Folder() / "DBerr.log");
  auto lines = rt::SplitLines(log);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(log.substr(19, 2), "\r\n");  // yyyy/mm/dd hh:mm:ss, lines end with CR LF
  EXPECT_EQ((std::vector<std::string>(lines.begin() + 1, lines.begin() + 5)),
            (std::vector<std::string>{"関数名:Excute", "1:no such table: nowhere", "SQL:UPDATE nowhere SET x=1",
                                      std::string(38, '-')}));
  EXPECT_EQ(lines[6] + "/" + lines[11] + "/" + lines[13], "関数名:GetData/関数名:DBSet/SQL:Not SQL");
}

// What a player can meet of the engine reads in Japanese; DBerr.log keeps the engine's words.
TEST_F(ClsDbTest, FileFailuresReadInJapaneseAndAreLoggedInTheEnginesWords) {
  // A full disk, for real: the file may not grow past its pages.
  ASSERT_TRUE(db->GetData("PRAGMA page_count"));
  ASSERT_TRUE(db->Excute("PRAGMA max_page_count=" + db->Data(0)));
  bool full = false;
  for (int i = 0; i < 200 && !full; ++i)
    full = !db->Excute("INSERT INTO itemdata VALUES('品" + std::to_string(i) + "',1,0,0,'" + std::string(3000, 'x') +
                       "',21,False)");
  ASSERT_TRUE(full);
  EXPECT_EQ(db->GetErrMSG(), "13:ディスクの空き容量が足りません");
  EXPECT_NE(ReadFileText(game->Folder() / "DBerr.log").find("\r\n13:database or disk is full\r\n"), std::string::npos);

  // (The file in use: the reset test.) The engine's other failures read as a failure of the
  // database; the game's own texts stay as they are, also under a number that the engine uses.
  EXPECT_EQ(DbError(26, "file is not a database", true).PlayerText(), "26:データベースファイルが壊れています");
  EXPECT_EQ(DbError(1, "no such column: Nothing", true).PlayerText(), "1:列がありません: Nothing");
  EXPECT_EQ(DbError(1, "near \"FROM\": syntax error", true).PlayerText(), "1:データベースの処理に失敗しました");
  EXPECT_EQ(DbError(11, "最適化したデータベースが壊れています").PlayerText(), "11:最適化したデータベースが壊れています");
}

TEST_F(ClsDbTest, ApostrophesAndNulsInNamesNeitherBreakNorChangeStatements) {
  for (const std::string& name : {std::string("O'Neil's 剣"), std::string("x',0,0,0,'',0,0); DELETE FROM home; --"),
                                 std::string("毒\0消し'", 10)}) {
    ASSERT_TRUE(db->Excute("INSERT INTO itemdata VALUES(" + SqlText(name) + ",1,0,0,'非公開',21,False)"));
    EXPECT_EQ(Value("SELECT Name FROM itemdata WHERE Name=" + SqlText(name)), name);
  }
  EXPECT_EQ(Rows("SELECT * FROM home"), 1);
  // A second statement never rides along, not even behind a NUL.
  EXPECT_FALSE(db->Excute("UPDATE home SET Turn=5; DELETE FROM home"));
  EXPECT_FALSE(db->Excute(std::string("UPDATE home SET Turn=5\0; DELETE FROM home", 41)));
  EXPECT_NE(db->GetErrMSG().find("文字コード 0"), std::string::npos) << db->GetErrMSG();
  EXPECT_EQ(Value("SELECT Turn FROM home"), "1");
}

TEST_F(ClsDbTest, SqlLogInDebugModeWithSizeLimitAndRename) {
  const fs::path log = game->Folder() / "DBSQL.txt";
  db->GetData("SELECT 1");
  EXPECT_FALSE(fs::exists(log));  // off by default

  db->DebugMode(true);  // (the game never switches it on)
  ASSERT_TRUE(db->GetData("SELECT Occupation FROM people WHERE [Number]>=20 ORDER BY [Number]", "Proc1"));
  const std::string sep(39, '-');
  auto lines = rt::SplitLines(ReadFileText(log));  // a stamped START line, then the statements
  EXPECT_EQ((std::vector<std::string>(lines.begin() + 2, lines.end())),
            (std::vector<std::string>{"SELECT Occupation FROM people WHERE [Number]>=20 ORDER BY [Number]:Proc1", sep,
                                      "Soldier", "Producer", sep}));

  // Exactly at the limit the log stays; one byte over and it moves to DBSQL<stamp>.log.
  auto moved = [&] {
    int n = 0;
    for (const auto& e : fs::directory_iterator(game->Folder()))
      n += e.path().extension() == ".log" && e.path().filename().string().rfind("DBSQL", 0) == 0;
    return n;
  };
  db->LimitFileSize(static_cast<int32_t>(fs::file_size(log)));
  db->Excute("UPDATE home SET Turn=3");
  EXPECT_EQ(moved(), 0);
  db->LimitFileSize(static_cast<int32_t>(fs::file_size(log)) - 1);
  db->Excute("UPDATE home SET Turn=4");
  EXPECT_EQ(moved(), 1);
  EXPECT_EQ(rt::SplitLines(ReadFileText(log)), (std::vector<std::string>{"UPDATE home SET Turn=4", sep}));
}
