/** @file DbFileTest.cpp The database file: the new-game reset, compaction and the builder. */
#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/FreshGameDb.h"
#include "db/CreateDB.h"
#include "db/GameDbBuilder.h"
#include "db/QzDataInit.h"
#include "db/SqliteConnection.h"
#include "platform/MessageBox.h"
#include "runtime/Strings.h"

namespace fs = std::filesystem;

class DbFileTest : public FreshGameDb {
 protected:
  // Every table's rows, sorted, to compare whole databases.
  std::string Dump() {
    std::string out;
    EXPECT_TRUE(db->GetData("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
    auto tables = db->GetRecordSet();  // kept alive past the next query
    for (long t = 0; t < tables->RowCount(); ++t) {
      const std::string table = tables->Value(t, 0);
      EXPECT_TRUE(db->GetData("SELECT * FROM [" + table + "]"));
      auto rs = db->GetRecordSet();
      std::vector<std::string> rows;
      for (long r = 0; r < rs->RowCount(); ++r) rows.push_back(rt::Join(rs->Row(r), "|"));
      std::sort(rows.begin(), rows.end());
      out += table + "\n" + rt::Join(rows, "\n") + "\n";
    }
    return out;
  }
};

TEST_F(DbFileTest, ResetTwiceGivesTheSameNewGameAsOnce) {
  const std::string fresh = Dump();

  // Play a little, then reset twice.
  for (const char* sql : {"UPDATE home SET Turn=30,[Money]=9999", "UPDATE country SET Acquaintance=True,Friendship=50",
                          "INSERT INTO construction VALUES(8,'小さな畑','リュシーレ平原','',0,3,40,'')",
                          "INSERT INTO unit VALUES(1,'国王軍','Ally','巣','3','セイバー',10,20,20,'木刀','布の服','','','',"
                          "100,1,0,0,0,'')"})
    ASSERT_TRUE(db->Excute(sql)) << sql;
  CloseDb();
  EXPECT_TRUE(QzDataInit::ResetGameData());
  EXPECT_TRUE(QzDataInit::ResetGameDataAt(game->DbPath()));
  ReopenDb();
  EXPECT_EQ(Dump(), fresh);
  EXPECT_FALSE(fs::exists(game->Folder() / "DBerr.log"));

}

// A reset that fails stops at its first failure: one record in DBerr.log (the engine's own words),
// the file as it was, nothing shown by the reset itself and the reason in Japanese for the one
// message of its caller. A file missing, one held by the game (another copy's data
// initialisation), one whose last statement fails.
TEST_F(DbFileTest, AFailedResetStopsAtItsFirstFailureWithOneRecordAndTheDataAsItWas) {
  ASSERT_TRUE(db->Excute("UPDATE home SET [Money]=4321"));
  const fs::path log = game->Folder() / "DBerr.log";
  auto records = [&] {
    const std::string text = ReadFileText(log);
    fs::remove(log);
    size_t n = 0;
    for (size_t at = text.find("関数名:"); at != std::string::npos; at = text.find("関数名:", at + 1)) ++n;
    return std::pair(n, text);
  };
  plat::ScriptedMessageBox boxes;
  std::string why;
  EXPECT_FALSE(QzDataInit::ResetGameDataAt(game->Folder() / "missing.mdb", &why));
  EXPECT_NE(why.find("見つかりません"), std::string::npos) << why;
  EXPECT_EQ(records().first, 1u);

  EXPECT_FALSE(QzDataInit::ResetGameDataAt(game->DbPath(), &why));  // held by `db`
  EXPECT_EQ(why.rfind("データベースファイルは使用中です。", 0), 0u) << why;
  auto [held, heldText] = records();
  EXPECT_EQ(held, 1u) << heldText;
  EXPECT_NE(heldText.find("関数名:DBSet\r\n5:database is locked\r\nSQL:Not SQL"), std::string::npos) << heldText;
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "4321");

  // The last statement refused.
  ASSERT_TRUE(db->Excute("INSERT INTO continueitem VALUES(1,'布','購入',5,3)"));
  ASSERT_TRUE(db->Excute("CREATE TRIGGER keep BEFORE DELETE ON continueitem BEGIN SELECT RAISE(ABORT,'refused'); END"));
  CloseDb();
  EXPECT_FALSE(QzDataInit::ResetGameDataAt(game->DbPath(), &why));
  EXPECT_EQ(why, "19:データベースの処理に失敗しました");
  auto [last, lastText] = records();
  EXPECT_EQ(last, 1u) << lastText;
  EXPECT_NE(lastText.find("19:refused\r\nSQL:DELETE FROM continueitem"), std::string::npos) << lastText;
  ReopenDb();
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "4321");

  // A table of the game missing: refused at the open, before any statement.
  ASSERT_TRUE(db->Excute("DROP TABLE continueitem"));
  CloseDb();
  EXPECT_FALSE(QzDataInit::ResetGameDataAt(game->DbPath(), &why));
  EXPECT_EQ(why, "データベースにゲームのテーブルがありません: continueitem\n" + game->DbPath().string());
  auto [dropped, droppedText] = records();
  EXPECT_EQ(dropped, 1u) << droppedText;
  EXPECT_TRUE(boxes.shown.empty());
}

// Damaged pages are found when the save is opened, before anything is read or written: the
// compaction refuses it with one record and the file as it was; the reset builds a new game in
// its place from its catalogue, or, with the catalogue damaged too, leaves it as it was.
TEST_F(DbFileTest, ADamagedSaveIsRefusedUntouchedAndTheResetStartsANewGameInItsPlace) {
  const std::string fresh = Dump();
  for (const char* sql : {"UPDATE home SET Turn=30,[Money]=4321", "UPDATE construct SET Open=True",
                          "INSERT INTO construction VALUES(8,'小さな畑','リュシーレ平原','',0,3,40,'')"})
    ASSERT_TRUE(db->Excute(sql)) << sql;
  CloseDb();
  const fs::path save = game->DbPath(), worse = game->Folder() / "worse.mdb";
  DamagePages(save, 4, 6);
  fs::copy_file(save, worse);
  DamagePages(worse, 10, 1);
  const std::string before = ReadFileText(save), worseBefore = ReadFileText(worse);

  clsDB other;
  EXPECT_THROW(other.DBCompact(save.string(), ""), DbOpenError);
  EXPECT_EQ(ReadFileText(save), before);
  const std::string log = ReadFileText(game->Folder() / "DBerr.log");
  EXPECT_NE(log.find("関数名:DBCompact\r\n11:database disk image is malformed\r\n"), std::string::npos) << log;

  std::string why;
  EXPECT_FALSE(QzDataInit::ResetGameDataAt(worse, &why));
  EXPECT_EQ(why, "データベースファイルが壊れていて、新しい王国に要るデータも読めません: construct");
  EXPECT_TRUE(ReadFileText(worse) == worseBefore && !fs::exists(worse.string() + ".new"));

  EXPECT_TRUE(QzDataInit::ResetGameDataAt(save, &why)) << why;
  ReopenDb();
  EXPECT_EQ(Dump(), fresh);
}

// The file's own failures are named as they are, never taken for a damaged or foreign file: a
// folder in its place, a file this user may not read. DBerr.log keeps the system's words.
TEST_F(DbFileTest, AFolderOrAnUnreadableFileIsNamedAsItIs) {
  CloseDb();
  const fs::path save = game->DbPath(), log = game->Folder() / "DBerr.log";
  fs::rename(save, game->Folder() / "kept.mdb");
  fs::create_directory(save);
  plat::ScriptedMessageBox boxes;
  clsDB other;
  DbOpenFailure kind = DbOpenFailure::Other;
  EXPECT_FALSE(CreateDB::DBConnect(other, &kind));
  EXPECT_EQ(kind, DbOpenFailure::Folder);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "データベースファイルの場所にフォルダーがあります。\n" + save.string());
  EXPECT_NE(ReadFileText(log).find("\r\n14:Is a directory\r\n"), std::string::npos) << ReadFileText(log);
  fs::remove(save);
  fs::rename(game->Folder() / "kept.mdb", save);
  fs::remove(log);

  // Unreadable: no permission at all, for a user other than root (who may read anything).
  fs::permissions(game->Folder(), fs::perms::all);
  fs::permissions(save, fs::perms::none);
  GTEST_FLAG_SET(death_test_style, "fast");  // forked as it stands: the same folder
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(2);
        plat::ScriptedMessageBox childBoxes;
        clsDB child;
        DbOpenFailure failure = DbOpenFailure::Other;
        std::string reset;
        const bool opened = CreateDB::DBConnect(child, &failure);
        QzDataInit::ResetGameDataAt(save, &reset);
        std::fprintf(stderr, "%s %d|%s|%s\n", opened ? "opened" : "refused", static_cast<int>(failure),
                     childBoxes.shown.empty() ? "" : childBoxes.shown[0].prompt.c_str(), reset.c_str());
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0),
      "refused 2\\|データベースファイルを使う権限がありません。\n[^|]*vesk.mdb\\|データベースファイルを使う権限がありません。");
  fs::permissions(save, fs::perms::owner_read | fs::perms::owner_write);
  const std::string words = ReadFileText(log);
  EXPECT_NE(words.find("\r\n3:Permission denied\r\n"), std::string::npos) << words;
  EXPECT_EQ(words.find("file is not a database"), std::string::npos) << words;
}

TEST_F(DbFileTest, CompactionKeepsTheDataAndSurvivesAFailure) {
  // (The plain compaction: the title scenario.) Another name, upper-case extension: the temporary
  // file is Save_tmp.mdb beside it. With that name blocked the compaction fails, and the
  // original is left exactly as it was.
  ASSERT_TRUE(db->Excute("UPDATE home SET [Money]=4321"));
  CloseDb();
  const fs::path save = game->Folder() / "Save.MDB";
  fs::copy_file(game->DbPath(), save);
  const std::string before = ReadFileText(save);
  fs::create_directory(game->Folder() / "Save_tmp.mdb");
  WriteFileText(game->Folder() / "Save_tmp.mdb" / "block", "x");
  clsDB other;
  EXPECT_THROW(other.DBCompact(save.string(), ""), DbError);
  EXPECT_EQ(ReadFileText(save), before);
  fs::remove_all(game->Folder() / "Save_tmp.mdb");
  other.DBCompact(save.string(), "");
  EXPECT_FALSE(fs::exists(game->Folder() / "Save_tmp.mdb"));
  EXPECT_EQ(SqliteConnection::Open(save)->Query("SELECT [Money] FROM home")->Value(0, 0), "4321");

  // A file held by the game cannot be compacted from elsewhere; it stays whole.
  ReopenDb();
  EXPECT_THROW(other.DBCompact(game->DbPath().string(), ""), DbOpenError);
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "4321");
}

TEST_F(DbFileTest, BuilderReplacesTheFileOnlyWithAWholeNewGame) {
  const fs::path data = game->Folder() / "data";
  fs::create_directories(data / "content");
  fs::copy_file(fs::path(VESK_SOURCE_DIR) / "data" / "schema.sql", data / "schema.sql");
  for (const auto& file : fs::directory_iterator(fs::path(VESK_SOURCE_DIR) / "data" / "content"))
    fs::copy_file(file.path(), data / "content" / file.path().filename());
  WriteFileText(data / "content" / "50_more.sql", "INSERT INTO class VALUES('It''s');\n");
  const fs::path target = game->Folder() / "built.mdb";
  WriteFileText(target, "the old save");
  const fs::path bare = game->Folder() / "bare";  // a schema without its catalogue
  fs::create_directories(bare);
  fs::copy_file(data / "schema.sql", bare / "schema.sql");
  EXPECT_THROW(BuildGameDatabase(bare, target), DbError);

  WriteFileText(data / "content" / "90_broken.sql", "INSERT INTO nowhere VALUES(1);\n");
  try {
    BuildGameDatabase(data, target);
    ADD_FAILURE() << "a broken catalogue must not build";
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("90_broken.sql"), std::string::npos);
  }
  EXPECT_EQ(ReadFileText(target), "the old save");
  EXPECT_FALSE(fs::exists(target.string() + ".new"));

  fs::remove(data / "content" / "90_broken.sql");
  BuildGameDatabase(data, target);
  auto built = SqliteConnection::Open(target);
  EXPECT_EQ(built->Query("SELECT NameJ FROM class WHERE NameJ LIKE 'It%'")->Value(0, 0) +
                built->Query("SELECT COUNT(*) FROM people")->Value(0, 0), "It's5");
}
