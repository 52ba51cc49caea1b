// Tests of trade: deliveries every Distance weeks, stopped contracts, friendship within its bounds, and new partners only after a clean week with their gift.
#include <gtest/gtest.h>

#include "MarketTestSupport.h"
#include "sim/Trade.h"
#include "sim/TurnEnd.h"
#include "sim/TurnEnd_Market.h"

using namespace sim;

namespace {

class MarketTradeTest : public simtest::MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    Exec("DELETE FROM trade");
    Exec("DELETE FROM tradedata");
    Exec("UPDATE country SET Acquaintance=False,Friendship=0");
  }
  void Contract(const std::string& nation, int count, int startWeek) {
    Exec("INSERT INTO trade VALUES(" + Q(nation) + "," + std::to_string(count) + "," + std::to_string(startWeek) + ")");
  }
  void Goods(const std::string& nation, const std::string& type, const std::string& item, int amount) {
    Exec("INSERT INTO tradedata VALUES(" + Q(nation) + "," + Q(type) + "," + Q(item) + "," + std::to_string(amount) + ")");
  }
  bool Trade(int week) {
    state.mTurn = week;
    bool open = false;
    TurnEnd_Trade(ctx, Log, open);
    return open;
  }
  std::string Friendship(const std::string& nation) {
    return Value("SELECT Friendship FROM country WHERE Nation=" + Q(nation));
  }
};

TEST_F(MarketTradeTest, DeliveryEveryDistanceWeeksMovesGoodsAndRaisesFriendship) {
  PutCountry("試験国", 3, 10, true);
  Contract("試験国", 3, 10);
  Goods("試験国", "輸出", "麦", 5);
  Goods("試験国", "輸出", "お金", 20);
  Goods("試験国", "輸入", "塩", 7);
  Goods("試験国", "輸入", "お金", 100);
  PutStock("麦", 100);
  data.Money(50);  // the palace of a new game gives 1 a delivery

  std::vector<int> due;
  for (int week = 11; week <= 19; ++week) {
    const std::string before = Log.Text();
    const bool open = Trade(week);
    if (Log.Text() != before) due.push_back(week);
    EXPECT_EQ(open, Log.Text() != before) << week;
  }
  EXPECT_EQ(due, (std::vector<int>{13, 16, 19}));
  EXPECT_EQ(Log.Text(), "trade:試験国と交易をしました。残り2回です\r\n塩を7、お金を100輸入しました,"
                        "trade:試験国と交易をしました。残り1回です\r\n塩を7、お金を100輸入しました,"
                        "trade:試験国と交易をしました。残り0回です\r\n塩を7、お金を100輸入しました,");
  EXPECT_EQ(Stock("麦"), 85);
  EXPECT_EQ(Value("SELECT Storage||Synthesis FROM itemdata WHERE Name='塩'"), "210");
  EXPECT_EQ(data.Money(), 50 + 3 * 80);
  EXPECT_EQ(Friendship("試験国"), "13");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM trade") + Value("SELECT COUNT(*) FROM tradedata"), "00");
  EXPECT_FALSE(Trade(22));  // the contract is over

  // A nation with no distance in the catalogue never delivers (and does not fail).
  PutCountry("近い国", 0, 0, true);
  Contract("近い国", 2, 1);
  Goods("近い国", "輸入", "塩", 1);
  EXPECT_FALSE(Trade(30));
  EXPECT_TRUE(screen.errors.empty());
}

TEST_F(MarketTradeTest, UncoveredExportStopsTheContractAndCostsFriendship) {
  PutCountry("甲国", 2, 20, true);
  PutCountry("乙国", 2, -390, true);
  Contract("甲国", 2, 0);
  Goods("甲国", "輸入", "お金", 10);
  Contract("乙国", 5, 0);
  Goods("乙国", "輸出", "麦", 50);
  Goods("乙国", "輸入", "塩", 9);
  PutStock("麦", 49);
  EXPECT_FALSE(Trade(2));  // one delivery and one stop: no new partners this week
  EXPECT_EQ(Log.Text(), "trade:甲国と交易をしました。残り1回です\r\nお金を10輸入しました,"
                        "trade:乙国との交易を中止しました,");
  EXPECT_EQ(Stock("麦"), 49);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM itemdata WHERE Name='塩'"), "0");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM trade WHERE Nation='乙国'"), "0");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM tradedata WHERE Nation='乙国'"), "0");
  EXPECT_EQ(Friendship("乙国"), "-399");  // -390 - 3 x 5, bounded
  EXPECT_EQ(Friendship("甲国"), "21");

  // The bounds of friendship.
  EXPECT_EQ(SetFriendship(db, "甲国", 398 + 5), 400);
  EXPECT_EQ(Friendship("甲国"), "400");
  EXPECT_EQ(SetFriendship(db, "甲国", -400), -399);
  EXPECT_EQ(SetFriendship(db, "甲国", 123), 123);
}

TEST_F(MarketTradeTest, NewNationOpensOnlyAfterACleanDeliveryWeek) {
  // The real week driver with only the trade steps left in it.
  WeekSteps steps = DefaultWeekSteps();
  auto none = [](WeekContext&, TurnLog&) {};
  steps.LoadPeopleData = steps.TurnEnd_OccupationCheck = steps.TurnEnd_DecreaseWeek = steps.WeekClose =
      [](WeekContext&) {};
  steps.TurnEnd_ContinueItem = steps.TurnEnd_Conquest = steps.TurnEnd_Recruitment = steps.TurnEnd_Tax = none;
  steps.TurnEnd_AreaResearch = steps.TurnEnd_ItemResearchAll = steps.TurnEnd_Construct = none;
  steps.TurnEnd_ItemProduction = steps.TurnEnd_ItemProcess = steps.TurnEnd_ItemResearch = none;
  steps.TurnEnd_Facility = steps.TurnEnd_ConstructOpen = none;
  steps.TurnEnd_Consuming = [](WeekContext&, TurnLog&, bool& fed) { fed = true; };
  auto acquainted = [&](const std::string& n) { return Value("SELECT Acquaintance FROM country WHERE Nation=" + Q(n)); };

  PutCountry("カルセーダス王国", 2, 149, true);  // reaches 150 with the next delivery: opens アロイス王国
  Contract("カルセーダス王国", 5, 1);
  Goods("カルセーダス王国", "輸入", "お金", 1);
  PutCountry("アードラー共和国", 2, 0, true);
  Contract("アードラー共和国", 5, 1);
  Goods("アードラー共和国", "輸出", "麦", 10);  // not in stock: stopped in week 3
  Exec("DELETE FROM itemdata WHERE Name IN ('麦','貧しい稲')");
  Exec("UPDATE home SET Turn=2");
  state.mTurn = 2;
  TurnEnd(ctx, steps);  // week 3: one delivery, one stop
  EXPECT_EQ(Friendship("カルセーダス王国"), "150");
  EXPECT_EQ(acquainted("アロイス王国"), "False");

  TurnEnd(ctx, steps);  // week 4: nothing due
  EXPECT_EQ(acquainted("アロイス王国"), "False");

  TurnEnd(ctx, steps);  // week 5: a clean delivery week
  EXPECT_EQ(acquainted("アロイス王国"), "True");
  EXPECT_EQ(acquainted("バイクーゼ王国"), "False");  // アロイス王国's friendship is still 0
  EXPECT_EQ(Value("SELECT Storage||Synthesis FROM itemdata WHERE Name='貧しい稲'"), "01");
  EXPECT_NE(state.lastTurnLog.find("newcountry:アロイス王国と交易できるようになりました,"
                                   "newcountry:アロイス王国から友好の印に\r\n貧しい稲をもらいました,"),
            std::string::npos);
}

}  // namespace
