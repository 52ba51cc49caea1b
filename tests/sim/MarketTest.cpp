// Tests of the market: unit prices through the database, continuing orders, the storage routines and their caps, and the novelty counter.
#include <gtest/gtest.h>

#include "MarketTestSupport.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_Market.h"

using namespace sim;

namespace {

class MarketStorageTest : public simtest::MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    Exec("DELETE FROM continueitem");
  }
  void Order(int id, const std::string& item, const std::string& type, int amount, int count) {
    Exec("INSERT INTO continueitem VALUES(" + std::to_string(id) + "," + Q(item) + "," + Q(type) + "," +
         std::to_string(amount) + "," + std::to_string(count) + ")");
  }
};

TEST_F(MarketStorageTest, PricesFollowNoveltyAndRoundHalvesToEven) {
  struct Case { int price, week, buy, sell; };
  const Case cases[] = {
      {100, 21, 226, 134}, {100, 0, 100, 50}, {25, 0, 25, 12}, {35, 0, 35, 18},
      {25, 1, 26, 14},     {25, 5, 32, 18},   {15, 5, 20, 10},
  };
  for (const Case& c : cases) {
    PutItem("試験品", c.price);
    PutStock("試験品", 0, 0, 0, true, c.week);
    const std::string from = " FROM item,itemdata WHERE item.Name=itemdata.Name AND itemdata.Name='試験品'";
    EXPECT_EQ(Value("SELECT " + std::string(kBuyPriceSql) + from), std::to_string(c.buy)) << c.price << "@" << c.week;
    EXPECT_EQ(Value("SELECT " + std::string(kSellPriceSql) + from), std::to_string(c.sell)) << c.price << "@" << c.week;
  }
}

TEST_F(MarketStorageTest, OrdersRunCountDownAndAreRemovedWhenSpent) {
  PutItem("麦", 10);
  PutStock("麦", 5);
  data.Money(1000);
  Order(1, "麦", "購入", 3, 1);   // costs 30, last run
  Order(2, "麦", "売却", 8, 3);   // sees the 8 left by the purchase: sells all
  Order(3, "麦", "売却", 1, 2);   // nothing left: fails, still counts down
  Order(4, "幻の品", "購入", 1, 2);  // no catalogue row: silent, still counts down
  Order(5, "麦", "購入", 200, 2);     // 2000 against the 1010 left: treasury emptied, nothing bought
  TurnEnd_ContinueItem(ctx, Log);

  EXPECT_EQ(Log.Text(),
            "continueitem:【麦】を3、30で購入しました\r\n残り購入回数は0回です,"
            "continueitem:【麦】を8、40で売却しました\r\n残り売却回数は2回です,"
            "continueitem:【麦】が倉庫に1ないため、売却を実行できませんでした\r\n残り売却回数は1回です,"
            "continueitem:【麦】を200、購入する資金がないため実行できませんでした\r\n残り購入回数は1回です,");
  EXPECT_EQ(data.Money(), 0);
  EXPECT_EQ(Stock("麦"), 0);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM continueitem WHERE ID=1"), "0");
  EXPECT_EQ(Value("SELECT Count FROM continueitem WHERE ID=2"), "2");
  EXPECT_EQ(Value("SELECT Count FROM continueitem WHERE ID=3"), "1");
  EXPECT_EQ(Value("SELECT Count FROM continueitem WHERE ID=4") + Value("SELECT Count FROM continueitem WHERE ID=5"), "11");
}

TEST_F(MarketStorageTest, StorageRoutinesKeepTheirCaps) {
  // Purchases and spoils: no cap, new rows not public with novelty 21 and no recipe.
  ItemStorageAdd(db, "新しい品", 7);
  EXPECT_EQ(Value("SELECT Storage||','||ItemLevel||','||Research||','||Open||','||DecreaseWeek||','||Synthesis "
                  "FROM itemdata WHERE Name='新しい品'"),
            "7,0,0,非公開,21,0");
  PutStock("鉄", 999990);
  ItemStorageAdd(db, "鉄", 20);
  EXPECT_EQ(Stock("鉄"), 1000010);

  // Taking out: all or nothing; a row emptied stays.
  EXPECT_FALSE(ItemStorageDif(db, "鉄", 1000011));
  EXPECT_TRUE(ItemStorageDif(db, "鉄", 1000010));
  EXPECT_EQ(Value("SELECT Storage FROM itemdata WHERE Name='鉄'"), "0");
  EXPECT_FALSE(ItemStorageDif(db, "無い品", 0));

  // Production and imports stop at 999999, also on a new row; production marks the recipe known.
  PutStock("布", 999989);
  ItemProductAdd(db, "布", 20);
  EXPECT_EQ(Stock("布"), 999999);
  ItemProductAdd(db, "作った品", 1000005);
  EXPECT_EQ(Value("SELECT Storage||','||Synthesis FROM itemdata WHERE Name='作った品'"), "999999,1");
  PutStock("綿", 999000);
  ItemImport(db, "綿", 5000);
  EXPECT_EQ(Stock("綿"), 999999);
  ItemImport(db, "輸入品", 12);
  EXPECT_EQ(Value("SELECT Storage||','||Synthesis FROM itemdata WHERE Name='輸入品'"), "12,0");

  // Consuming beyond the stock says so and leaves 0; a missing row changes nothing.
  PutStock("羊毛", 3);
  TurnEnd_ItemConsume(ctx, "羊毛", 2);
  EXPECT_EQ(Stock("羊毛"), 1);
  TurnEnd_ItemConsume(ctx, "羊毛", 5);
  EXPECT_EQ(Stock("羊毛"), 0);
  TurnEnd_ItemConsume(ctx, "無い品", 1);
  EXPECT_EQ(screen.errors, (std::vector<std::string>{"アイテム消費計算ミス:TurnEnd_ItemConsume",
                                                      "アイテム消費取得エラー:TurnEnd_ItemConsume"}));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM itemdata WHERE Name='無い品'"), "0");
}

TEST_F(MarketStorageTest, OnlyPublicItemsLoseNoveltyDownToZero) {
  PutItem("公開品", 10);
  PutItem("秘密品", 10);
  PutStock("公開品", 0, 0, 0, true, 1);
  PutStock("秘密品", 0, 0, 0, false, 21);
  PutStock("目録に無い品", 0, 0, 0, true, 5);
  TurnEnd_DecreaseWeek(ctx);
  TurnEnd_DecreaseWeek(ctx);
  EXPECT_EQ(Value("SELECT DecreaseWeek FROM itemdata WHERE Name='公開品'"), "0");
  EXPECT_EQ(Value("SELECT DecreaseWeek FROM itemdata WHERE Name='秘密品'"), "21");
  EXPECT_EQ(Value("SELECT DecreaseWeek FROM itemdata WHERE Name='目録に無い品'"), "5");
}

}  // namespace
