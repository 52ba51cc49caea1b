/** @file QzDataInit.cpp The new-game reset: the game-state tables back to week 1. */
#include "db/QzDataInit.h"

#include <iterator>

#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "platform/FileSystem.h"
#include "runtime/Strings.h"

namespace fs = std::filesystem;

namespace {

// In this order; the first that fails ends the reset and undoes the ones before.
const char* const kResetStatements[] = {
    "UPDATE country SET Acquaintance=False,Friendship=0",
    "UPDATE construct SET Open=False",
    "UPDATE construct SET Open=True WHERE Name='頼りない建設場'",
    "UPDATE construct SET Open=True WHERE Name='小規模商店街'",
    "UPDATE construct SET Open=True WHERE Name='小さな畑'",
    "UPDATE construct SET Open=True WHERE Name='小さな牧場'",
    "UPDATE construct SET Open=True WHERE Name='小さな工房'",
    "UPDATE construct SET Open=True WHERE Name='小さな住宅地'",
    "UPDATE construct SET Open=True WHERE Name='ぼろぼろの兵舎'",
    "UPDATE construct SET Open=True WHERE Name='みすぼらしい王宮'",
    "DELETE FROM construction",
    "INSERT INTO construction VALUES(1,'みすぼらしい王宮','王宮','',0,1,0,'')",
    "INSERT INTO construction VALUES(2,'小さな住宅地','中央市街','',110,1,0,'')",
    "INSERT INTO construction VALUES(3,'小さな畑','リュシーレ平原','貧しい麦',50,1,0,'')",
    "INSERT INTO construction VALUES(4,'小さな工房','中央市街','',10,1,0,'')",
    "INSERT INTO construction VALUES(5,'小規模商店街','中央市街','',10,1,0,'')",
    "INSERT INTO construction VALUES(6,'ボロボロの兵舎','中央市街','',20,1,0,'')",
    "INSERT INTO construction VALUES(7,'小さな牧場','リュシーレ平原','貧弱羊',20,1,0,'')",
    "UPDATE nest SET Open=False,Times=0",
    "DELETE FROM unit",
    "UPDATE area SET Open=False,AreaLevel=0,Research=0,Development=0",
    "UPDATE area SET Open=True,AreaLevel=10,Research=1100,Development=11 WHERE Name='中央市街'",
    "UPDATE area SET Open=True,AreaLevel=0,Research=50,Development=3 WHERE Name='リュシーレ平原'",
    "UPDATE area SET Open=True,AreaLevel=10,Research=1100,Development=15 WHERE Name='王宮'",
    "DELETE FROM itemdata",
    "INSERT INTO itemdata VALUES('木弓',30,1,0,'公開',0,True)",
    "INSERT INTO itemdata VALUES('布の服',30,1,50,'公開',0,True)",
    "INSERT INTO itemdata VALUES('木刀',30,1,100,'公開',0,True)",
    "INSERT INTO itemdata VALUES('木の槍',25,1,80,'公開',0,True)",
    "INSERT INTO itemdata VALUES('布',20,2,30,'公開',0,True)",
    "INSERT INTO itemdata VALUES('羊毛',20,2,150,'公開',0,True)",
    "INSERT INTO itemdata VALUES('木の矢',100,1,0,'公開',0,True)",
    "INSERT INTO itemdata VALUES('貧しい麦',0,1,0,'公開',0,True)",
    "INSERT INTO itemdata VALUES('貧弱羊',0,1,0,'公開',0,True)",
    "INSERT INTO itemdata VALUES('木材',0,1,0,'公開',0,True)",
    "INSERT INTO itemdata VALUES('羊肉',0,1,0,'公開',0,True)",
    "INSERT INTO itemdata VALUES('小麦',0,1,0,'公開',0,True)",
    "DELETE FROM people",
    "INSERT INTO people VALUES('Producer',70,10,10,10)",
    "INSERT INTO people VALUES('Merchant',10,10,10,10)",
    "INSERT INTO people VALUES('Engineer',10,10,10,10)",
    "INSERT INTO people VALUES('Constructor',0,10,10,10)",
    "INSERT INTO people VALUES('Soldier',20,10,10,10)",
    "DELETE FROM home",
    "INSERT INTO home VALUES(110,500,6000,6000,1,'','',0,False,False,0)",
    "UPDATE areaitem SET Open=False",
    "DELETE FROM trade",
    "DELETE FROM tradedata",
    "DELETE FROM continueitem",
};
static_assert(std::size(kResetStatements) == 49);

// The tables the reset empties and fills anew: a new game needs nothing of them but their columns.
const char* const kGameStateTables[] = {"home", "people", "construction", "itemdata",
                                        "unit", "trade",  "tradedata",    "continueitem"};

bool IsGameState(const std::string& table) {
  for (const char* name : kGameStateTables)
    if (rt::EqualsNoCase(table, name)) return true;
  return false;
}

std::string QuotedName(const std::string& name) { return "\"" + rt::Replace(name, "\"", "\"\"") + "\""; }

// The 49 statements on an open database, all or nothing.
bool RunReset(clsDB& db, std::string* why) {
  bool done = db.BeginTrans();
  for (size_t i = 0; done && i < std::size(kResetStatements); ++i) done = db.Excute(kResetStatements[i]);
  if (done) done = db.CommitTrans();  // a failed commit rolls back
  if (!done) {
    const std::string failure = db.GetErrMSG();
    db.Rollback();
    if (why) *why = failure;
  }
  return done;
}

// A new game for a save with damaged pages, which no statement may rely on: built beside it
// with the save's own tables, indexes, views and triggers, the rows of every table but the game
// state copied (the catalogue the reset keeps), the reset run on it and the check passed; only
// then does it take the save's place. When any of that fails the save stays as it was.
bool RebuildNewGame(const fs::path& save, std::string* why) {
  const fs::path temp = save.string() + ".new";
  RemoveWithWal(temp);  // left by a rebuild that stopped halfway
  std::string table;
  try {
    {
      auto copy = SqliteConnection::Create(temp);
      copy->Execute("ATTACH DATABASE " + SqlText(save.string()) + " AS old");
      // The tables first, each filled before the next; the triggers last, so that none fires.
      auto objects = copy->Query(
          "SELECT type,name,sql FROM old.sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite!_%' ESCAPE '!' "
          "ORDER BY type<>'table',type='trigger',rowid");
      for (long r = 0; r < objects->RowCount(); ++r) {
        copy->Execute(objects->Value(r, 2));
        if (objects->Value(r, 0) != "table" || IsGameState(objects->Value(r, 1))) continue;
        table = objects->Value(r, 1);
        copy->Execute("INSERT INTO main." + QuotedName(table) + " SELECT * FROM old." + QuotedName(table));
        table.clear();
      }
      copy->Execute("DETACH DATABASE old");
      copy->Close();
    }
    {
      clsDB db;
      db.DBSet(CreateDB::OpenDBOrThrow(temp, CreateDB::kScrambledPassword));
      if (!RunReset(db, why)) throw DbError(0, why ? *why : "");
    }
    // The save's log would be applied to the new file: it goes with the save's close, else refuse.
    std::error_code ec;
    if (fs::exists(save.string() + "-wal", ec)) throw DbError(5, "データベースの書き込みログが残っています");
    fs::rename(temp, save, ec);
    if (ec) throw DbError(ec.value(), "新しいデータベースに置き換えられません（" + plat::SystemErrorText(ec.value()) + "）");
    return true;
  } catch (const std::exception& e) {
    RemoveWithWal(temp);
    if (why)
      *why = table.empty() ? CreateDB::FailureMessage(e, save)
                           : "データベースファイルが壊れていて、新しい王国に要るデータも読めません: " + table;
  }
  return false;
}

}  // namespace

namespace QzDataInit {

bool ResetGameDataAt(const fs::path& path, std::string* why) {
  clsDB db;  // its own object, released (closing the file) before we return
  try {
    db.DBSet(CreateDB::OpenDBOrThrow(path, CreateDB::kScrambledPassword));
  } catch (const DbOpenError& e) {
    db.DBSetFailed(e);
    // Starting over is the way out of a damaged save: it must not need the damaged pages.
    if (e.Kind() == DbOpenFailure::Damaged) return RebuildNewGame(path, why);
    if (why) *why = CreateDB::OpenFailureMessage(e, path);
    return false;
  }
  // All or nothing: a reset that stops halfway would leave a saved game nobody can play.
  return RunReset(db, why);
}

bool ResetGameData(std::string* why) { return ResetGameDataAt(plat::ProgramFolder() / "vesk.mdb", why); }

}  // namespace QzDataInit
