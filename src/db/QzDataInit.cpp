/** @file QzDataInit.cpp The new-game reset: the game-state tables back to week 1. */
#include "db/QzDataInit.h"

#include <iterator>

#include "db/CreateDB.h"
#include "platform/FileSystem.h"
#include "db/clsDB.h"

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

}  // namespace

namespace QzDataInit {

bool ResetGameDataAt(const std::filesystem::path& path, std::string* why) {
  clsDB db;  // its own object, released (closing the file) before we return
  try {
    db.DBSet(CreateDB::OpenDBOrThrow(path, CreateDB::kScrambledPassword));
  } catch (const DbOpenError& e) {
    db.DBSetFailed(e);
    if (why) *why = CreateDB::OpenFailureMessage(e, path);
    return false;
  }
  // All or nothing: a reset that stops halfway would leave a saved game nobody can play.
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

bool ResetGameData(std::string* why) { return ResetGameDataAt(plat::ProgramFolder() / "vesk.mdb", why); }

}  // namespace QzDataInit
