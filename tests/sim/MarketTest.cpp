// Tests of the market and the warehouse: prices through the database, continuing orders, the storage caps, the novelty counter, production and processing.
#include <gtest/gtest.h>

#include "MarketTestSupport.h"
#include "runtime/Random.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_Market.h"

using namespace sim;

namespace {

using MarketStorageTest = simtest::MarketTest;

TEST_F(MarketStorageTest, PricesFollowNoveltyWhichOnlyPublicItemsLose) {
  struct Case { int price, week, buy, sell; };
  for (const Case c : {Case{100, 21, 226, 134}, {100, 0, 100, 50}, {25, 0, 25, 12}, {35, 0, 35, 18}, {25, 5, 32, 18}}) {
    PutItem("試験品", c.price);
    PutStock("試験品", 0, 0, 0, true, c.week);
    const std::string from = " FROM item,itemdata WHERE item.Name=itemdata.Name AND itemdata.Name='試験品'";
    EXPECT_EQ(Value("SELECT " + std::string(kBuyPriceSql) + from), N(c.buy)) << c.price << "@" << c.week;
    EXPECT_EQ(Value("SELECT " + std::string(kSellPriceSql) + from), N(c.sell)) << c.price << "@" << c.week;
  }
  // Only public items lose novelty, down to 0; an item without a catalogue row is never lowered.
  PutStock("試験品", 0, 0, 0, true, 1);
  PutStock("秘密品", 0, 0, 0, false, 21);
  PutStock("目録に無い品", 0, 0, 0, true, 5);
  for (int week = 0; week < 2; ++week) TurnEnd_DecreaseWeek(ctx);
  EXPECT_EQ(Value("SELECT group_concat(DecreaseWeek) FROM (SELECT * FROM itemdata WHERE Name IN "
                  "('試験品','秘密品','目録に無い品') ORDER BY DecreaseWeek)"), "0,5,21");
}

TEST_F(MarketStorageTest, OrdersRunInTableOrderCountDownAndAreRemovedWhenSpent) {
  PutItem("麦", 10);
  PutStock("麦", 5);
  data.Money(1000);
  Exec("DELETE FROM continueitem");
  Exec("INSERT INTO continueitem VALUES(1,'麦','購入',3,1)");      // costs 30, last run
  Exec("INSERT INTO continueitem VALUES(2,'麦','売却',8,3)");      // sees the 8 left by the purchase
  Exec("INSERT INTO continueitem VALUES(3,'麦','売却',1,2)");      // nothing left: fails, still counts down
  Exec("INSERT INTO continueitem VALUES(4,'幻の品','購入',1,2)");  // no catalogue row: silent
  Exec("INSERT INTO continueitem VALUES(5,'麦','購入',200,2)");    // 2000 against 1010: refused, money kept
  Exec("INSERT INTO continueitem VALUES(6,'麦','購入',101,2)");    // 1010 against 1010: bought, nothing left
  TurnEnd_ContinueItem(ctx, Log);
  EXPECT_EQ(Log.Text(),
            "continueitem:【麦】を3、30で購入しました\r\n残り購入回数は0回です,"
            "continueitem:【麦】を8、40で売却しました\r\n残り売却回数は2回です,"
            "continueitem:【麦】が倉庫に1ないため、売却を実行できませんでした\r\n残り売却回数は1回です,"
            "continueitem:【麦】を200、購入する資金がないため実行できませんでした\r\n残り購入回数は1回です,"
            "continueitem:【麦】を101、1010で購入しました\r\n残り購入回数は1回です,");
  EXPECT_EQ(std::pair(data.Money(), Stock("麦")), std::pair(0, 101));
  EXPECT_EQ(Value("SELECT group_concat(ID||':'||Count) FROM (SELECT * FROM continueitem ORDER BY ID)"),
            "2:2,3:1,4:1,5:1,6:1");
}

TEST_F(MarketStorageTest, StorageRoutinesKeepTheirCaps) {
  ItemStorageAdd(db, "新しい品", 7);  // purchases and spoils: not public, novelty 21, recipe unknown, no cap
  PutStock("鉄", 999990);
  ItemStorageAdd(db, "鉄", 20);
  EXPECT_FALSE(ItemStorageDif(db, "鉄", 1000011));
  EXPECT_TRUE(ItemStorageDif(db, "鉄", 1000000));
  PutStock("布", 999989);  // production and imports stop at 999999
  ItemProductAdd(db, "布", 20);
  PutStock("綿", 999000);
  ItemImport(db, "綿", 5000);
  ItemImport(db, "輸入品", 12);
  PutStock("羊毛", 3);  // consuming beyond the stock says so and leaves 0
  TurnEnd_ItemConsume(ctx, "羊毛", 5);
  EXPECT_EQ(Value("SELECT group_concat(Name||Storage||Open||DecreaseWeek||Synthesis) FROM (SELECT * FROM itemdata "
                  "WHERE Name IN ('新しい品','鉄','布','綿','輸入品','羊毛') ORDER BY Storage)"),
            "羊毛0公開01,新しい品7非公開210,鉄10公開01,輸入品12非公開210,布999999公開01,綿999999公開01");
  EXPECT_EQ(screen.errors, std::vector<std::string>{"アイテム消費計算ミス:TurnEnd_ItemConsume"});
}

class MarketProductionTest : public simtest::MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    Exec("DELETE FROM construction");
    PutArea("試験平原", 0, 0);
    Exec("UPDATE area SET Type='試験地' WHERE Name='試験平原'");
    Exec("DELETE FROM construct WHERE Name IN ('試験畑','試験工房')");
    Exec("INSERT INTO construct (Name,Type,Area,Occupation,Open) VALUES('試験畑','','試験地','Producer',True),"
         "('試験工房','','試験地','Engineer',True)");
  }
  void Build(int id, const std::string& kind, const std::string& product, int workers, int startWeek) {
    Exec("INSERT INTO construction VALUES(" + N(id) + "," + Q(kind) + ",'試験平原'," + Q(product) + "," + N(workers) +
         "," + N(startWeek) + ",0,'')");
  }
};

TEST_F(MarketProductionTest, HarvestsComeOnTheirCycleAndDirectProductsDrawTheirFraction) {
  PutItem("試験麦", 0, 1, 0, "穀物");
  PutItem("試験羊", 0, 1, 0, "動物");
  PutItem("試験木材", 10, 1, 3);
  Exec("DELETE FROM grain WHERE Name='試験麦'");
  Exec("DELETE FROM animal WHERE Name='試験羊'");
  const std::string cols = " (Name,Type,Cycle,Growth,Fallow,Education,Product,Coefficient) VALUES";
  Exec("INSERT INTO grain" + cols + "('試験麦','',4,0,0,0,'試験小麦',30)");
  Exec("INSERT INTO animal" + cols + "('試験羊','',3,0,0,0,'試験羊肉',25),('試験羊','',3,0,0,0,'試験羊毛',10)");
  Build(1, "試験畑", "試験麦", 50, 10);
  Build(2, "試験畑", "試験羊", 30, 10);
  Build(3, "試験畑", "試験木材", 50, 10);  // 1.5 a week: a second one when the draw is 50 or less
  rt::ScriptedRandom draws({0.50, 0.51}, true);
  std::vector<int> wheatWeeks;
  for (int week = 11; week <= 22; ++week) {
    state.mTurn = week;
    const int wheat = Stock("試験小麦");
    TurnEnd_ItemProduction(ctx, Log);
    if (Stock("試験小麦") != wheat) wheatWeeks.push_back(week);
  }
  EXPECT_EQ(wheatWeeks, (std::vector<int>{14, 18, 22}));
  // 50 x 30 / 100 of wheat three times; 30 x 25 / 100 = 7.5, truncated, of mutton four times
  EXPECT_EQ(std::pair(Stock("試験小麦"), Stock("試験羊肉")), std::pair(3 * 15, 4 * 7));
  EXPECT_EQ(Value("SELECT Storage||Synthesis FROM itemdata WHERE Name='試験木材'"), "181");  // 2 and 1 in turn
  for (const char* entry : {"itemproduct:試験平原の試験畑で\r\n試験羊肉を7個、試験羊毛を3個生産しました,",
                            "itemproduct:試験平原の試験畑で\r\n試験木材を1個生産しました,"})
    EXPECT_NE(Log.Text().find(entry), std::string::npos) << entry;

  Exec("UPDATE grain SET Cycle=0 WHERE Name='試験麦'");  // a cycle of 0 harvests nothing and does not fail
  state.mTurn = 26;
  TurnEnd_ItemProduction(ctx, Log);
  EXPECT_EQ(Stock("試験小麦"), 45);
  EXPECT_TRUE(screen.errors.empty());
}

TEST_F(MarketProductionTest, ProcessingUsesExactlyItsRecipeWithinTheStock) {
  PutItem("試験布", 10, 1, 4);
  Exec("DELETE FROM synthesisitem WHERE Name='試験布'");
  Exec("INSERT INTO synthesisitem VALUES('試験布','糸A',2,0),('試験布','糸B',1,0),('試験布','飾り',0,0)");
  PutStock("糸A", 1);
  PutStock("糸B", 10);
  Build(1, "試験工房", "試験布", 100, 1);
  TurnEnd_ItemProcess(ctx, Log);  // F = min(1, 1/2, 10) = 0.5: two made; A uses 1, B 0.5 -> 0 (to even)
  EXPECT_EQ(Log.Text(), "itemproduct:試験平原の試験工房で\r\n糸Aを1個、糸Bを0個消費し、試験布を2個生産しました,");
  PutStock("糸A", 101);  // half a staff with stock enough: F = 0.5
  Exec("UPDATE construction SET NofProduction=50");
  TurnEnd_ItemProcess(ctx, Log);
  EXPECT_EQ(Stock("試験布") * 10000 + Stock("糸A") * 100 + Stock("糸B"), 4 * 10000 + 100 * 100 + 10);
  EXPECT_TRUE(screen.errors.empty());
}

}  // namespace
