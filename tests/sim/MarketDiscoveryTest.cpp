// Tests of exploration, item research and trade: levels up to 10 with 1100, each discovery at its level, resources of the explored area only, recipes revealed by the target, deliveries and new partners.
#include <gtest/gtest.h>

#include <tuple>

#include "MarketTestSupport.h"
#include "runtime/Random.h"
#include "sim/Research.h"
#include "sim/Trade.h"
#include "sim/TurnEnd_Market.h"

using namespace sim;

namespace {

class MarketExplorationTest : public simtest::MarketTest {
 protected:
  // Figures of 25 and draws of 0 give 3 x 5 = 15 points a week.
  void Explore(const std::string& area, int16_t a = 25, int16_t e = 25, int16_t t = 25) {
    state.panels.areaResearch = area;
    std::tie(state.panels.affluence, state.panels.education, state.panels.trust) = std::tie(a, e, t);
    rt::ScriptedRandom draws({0.0});
    TurnEnd_AreaResearch(ctx, Log);
  }
};

TEST_F(MarketExplorationTest, EachDiscoveryComesAtItsLevelAndLevelsStopAtTen) {
  struct Case { const char *area; int level; const char *entry, *check; };
  const Case cases[] = {  // (the goblins' nest found on the plain: the play scenario)
      {"ウーリーの森", 8, "newarea:新しいエリア、バシュラール山を発見しました,",
       "SELECT Open||Development FROM area WHERE Name='バシュラール山'"},
      {"ナハムルト海岸", 1, "newcountry:探索中、難破船を発見し救助しました\r\nカルセーダス王国と交易できるようになりました,",
       "SELECT Acquaintance FROM country WHERE Nation='カルセーダス王国'"},
      {"試験の地", 10, "", "SELECT AreaLevel||Research FROM area WHERE Name='試験の地'"},
  };
  for (const Case& c : cases) {
    PutArea(c.area, c.level - 1, c.level * 100 - 30, 2);  // 15 points: one week short, then the level
    PutArea("バシュラール山", 0, 0, 0, false);
    PutCountry("カルセーダス王国", 2, 0, false);
    Exec("UPDATE areaitem SET Open=True");
    Exec("UPDATE nest SET Open=True");  // the follow-up rules stay quiet
    Log = {};
    Explore(c.area);
    const std::string before = Value(c.check);
    EXPECT_EQ(Log.Text(), "") << c.area;
    Explore(c.area);
    EXPECT_EQ(Log.Text(), std::string("arealevelup:") + c.area + "の探索レベルが" + N(c.level) + "になりました," + c.entry);
    EXPECT_NE(Value(c.check), before) << c.area;
    Explore(c.area, 100, 100, 100);
    EXPECT_EQ(Value("SELECT AreaLevel||','||Research||','||Development FROM area WHERE Name=" + Q(c.area)), N(c.level) + "," + (c.level == 10 ? "1100" : "30") + ",3") << c.area;
  }
  Explore("無いエリア");
  EXPECT_EQ(screen.errors, std::vector<std::string>{"エリア情報取得エラー:TurnEnd_AreaResearch"});
}

TEST_F(MarketExplorationTest, ResourcesOpenInTheExploredAreaOnlyAndOresByTheirRules) {
  PutArea("試験の地", 1, 190);
  PutArea("ルイン平原", 3, 0);
  Exec("DELETE FROM areaitem WHERE Name IN ('試験草','試験石','ミスリル')");
  Exec("INSERT INTO areaitem VALUES('試験草','試験の地','',1,False),('試験石','試験の地','',2,False),"
       "('試験石','ルイン平原','',0,False),('ミスリル','試験の地','',0,False),('ミスリル','ルイン平原','',3,False)");
  Exec("DELETE FROM itemdata WHERE Name='試験石'");
  Exec("UPDATE nest SET Open=True");
  PutNest("ミスリルの坑道", true, 9);
  Explore("試験の地");  // level 2: both resources of this area, never the ore, never the neighbour's
  Exec("UPDATE nest SET Times=10 WHERE Name='ミスリルの坑道'");
  Explore("試験の地");  // the mithril of ルイン平原 (level 3, mine conquered 10 times), not of this area
  EXPECT_EQ(Value("SELECT group_concat(Area||Name||Open) FROM (SELECT * FROM areaitem WHERE Name IN "
                  "('試験草','試験石','ミスリル') ORDER BY Area,Name)"),
            "ルイン平原ミスリル1,ルイン平原試験石0,試験の地ミスリル0,試験の地試験石1,試験の地試験草1");
  EXPECT_EQ(Value("SELECT Storage||Open FROM itemdata WHERE Name='試験石'"), "0非公開");
  EXPECT_EQ(Log.Text(), "arealevelup:試験の地の探索レベルが2になりました,areaitem:試験の地で試験草を発見しました,"
                        "areaitem:試験の地で試験石を発見しました,areaitem:ルイン平原でミスリルを発見しました,");
}

class MarketResearchTest : public simtest::MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    Exec("DELETE FROM itemdata");
    for (const char* occ : {"Producer", "Merchant", "Constructor", "Engineer", "Soldier"}) data.Education(occ, 10);
    data.Population(110);
  }
  std::string Row(const std::string& name) { return Value("SELECT ItemLevel||','||Research FROM itemdata WHERE Name=" + Q(name)); }
};

TEST_F(MarketResearchTest, ItemLevelRisesAtItsThresholdAndStopsAtTen) {
  struct Case { int level, research, points, value; bool capped; const char *after, *entry; };
  const Case cases[] = {
      {9, 950, 60, 1, true, "10,1100", "itemresearch:試験品の研究レベルが上がって10になりました,"},
      {10, 1100, 75, 1, true, "10,1100", ""},
      {0, 90, 30, 3, true, "1,0", "itemresearch:試験品の研究レベルが上がって1になりました,"},
      {1, 190, 500, 1, false, "2,100", "itemresearch:試験品の研究レベルが上がって2になりました,"},  // carries 100 at most
      {2, 10, 10000000, 1, true, "2,85", ""},  // wide points are capped, not overflowed
      {2, 10, 100, 0, true, "2,10", ""},       // no difficulty in the catalogue: no research
  };
  for (const Case& c : cases) {
    PutStock("試験品", 0, c.level, c.research);
    clsItemResearch item{"試験品", int16_t(c.value), int16_t(c.level), int16_t(c.research)};
    Log = {};
    ItemResearchAdd(ctx, item, c.points, Log, c.capped, 75);
    EXPECT_EQ(Row("試験品") + Log.Text(), std::string(c.after) + c.entry) << c.level << "/" << c.research;
  }
}

TEST_F(MarketResearchTest, GeneralEffortIsSharedByPublicItems) {
  PutItem("易しい品", 10, 1);
  PutItem("難しい品", 10, 3);
  PutItem("秘密品", 10, 1);
  PutStock("易しい品", 0);
  PutStock("難しい品", 0);
  PutStock("秘密品", 0, 0, 0, false);
  TurnEnd_ItemResearchAll(ctx, Log);  // 10 / 30 x 110 x sqrt(10) / 2 = 57.98: 58, at most 25 after the difficulty
  EXPECT_EQ(Row("易しい品") + "/" + Row("難しい品") + "/" + Row("秘密品"), "0,25/0,19/0,0");
}

TEST_F(MarketResearchTest, TargetRevealsRecipesOnceItsIngredientsQualify) {
  PutItem("素材A", 10, 1);
  PutStock("素材A", 0, 2, 290);
  PutStock("素材B", 0, 1, 0);
  PutStock("製品Y", 4, 0, 0, false);
  Exec("UPDATE itemdata SET Synthesis=False WHERE Name='製品Y'");
  Exec("DELETE FROM synthesisitem WHERE Name IN ('製品X','製品Y','製品Z')");
  Exec("INSERT INTO synthesisitem VALUES('製品X','素材A',1,3),('製品X','素材B',1,2),('製品Y','素材A',1,3),"
       "('製品Z','素材A',1,4)");
  state.panels.itemResearch = "素材A";
  TurnEnd_ItemResearch(ctx, Log);  // education 10: A reaches level 3; B is still too low for X
  EXPECT_EQ(Log.Text(), "itemresearch:素材Aの研究レベルが上がって3になりました,"
                        "newitem:素材Aから\r\n【製品Y】の生産方法を発見しました,");
  EXPECT_EQ(Value("SELECT Storage||Synthesis FROM itemdata WHERE Name='製品Y'"), "41");

  Exec("UPDATE itemdata SET ItemLevel=2 WHERE Name='素材B'");
  Log = {};
  TurnEnd_ItemResearch(ctx, Log);
  TurnEnd_ItemResearch(ctx, Log);  // known recipes are not reported again
  EXPECT_EQ(Log.Text(), "newitem:素材Bと素材Aから\r\n【製品X】の生産方法を発見しました,");
  EXPECT_EQ(Value("SELECT Storage||ItemLevel||Open||DecreaseWeek||Synthesis FROM itemdata WHERE Name='製品X'"),
            "00非公開211");
}

class MarketTradeTest : public simtest::MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    Exec("DELETE FROM trade");
    Exec("DELETE FROM tradedata");
    Exec("UPDATE country SET Acquaintance=False,Friendship=0");
  }
  void Contract(const std::string& nation, int count, int startWeek, const std::string& goods) {
    Exec("INSERT INTO trade VALUES(" + Q(nation) + "," + N(count) + "," + N(startWeek) + ")");
    Exec("INSERT INTO tradedata VALUES" + goods);
  }
  bool Trade(int week) {  // the driver looks for new partners only when this is true
    state.mTurn = week;
    bool open = false;
    TurnEnd_Trade(ctx, Log, open);
    return open;
  }
  std::string Friendship(const std::string& nation) { return Value("SELECT Friendship FROM country WHERE Nation=" + Q(nation)); }
};

TEST_F(MarketTradeTest, DeliveryEveryDistanceWeeksMovesGoodsAndRaisesFriendship) {
  PutCountry("試験国", 3, 10, true);
  Contract("試験国", 3, 10, "('試験国','輸出','麦',5),('試験国','輸出','お金',20),('試験国','輸入','塩',7),"
                            "('試験国','輸入','お金',100)");
  PutCountry("遠くない国", 0, 0, true);  // no distance in the catalogue: never due, no failure
  Contract("遠くない国", 2, 1, "('遠くない国','輸入','塩',1)");
  PutStock("麦", 100);
  data.Money(50);  // the palace of a new game gives 1 a delivery
  std::vector<int> due;
  for (int week = 11; week <= 22; ++week) {
    const std::string before = Log.Text();
    const bool open = Trade(week);
    EXPECT_EQ(open, Log.Text() != before) << week;
    if (open) due.push_back(week);
  }
  EXPECT_EQ(due, (std::vector<int>{13, 16, 19}));
  EXPECT_EQ(Log.Text(), "trade:試験国と交易をしました。残り2回です\r\n塩を7、お金を100輸入しました,"
                        "trade:試験国と交易をしました。残り1回です\r\n塩を7、お金を100輸入しました,"
                        "trade:試験国と交易をしました。残り0回です\r\n塩を7、お金を100輸入しました,");
  EXPECT_EQ(N(Stock("麦")) + "/" + Value("SELECT Storage||Synthesis FROM itemdata WHERE Name='塩'") + "/" + N(data.Money()) +
                "/" + Friendship("試験国"), "85/210/290/13");  // money 50 + 3 x 80
  EXPECT_EQ(Value("SELECT group_concat(Nation) FROM trade") + Value("SELECT COUNT(*) FROM tradedata"), "遠くない国1");
  EXPECT_TRUE(screen.errors.empty());
}

TEST_F(MarketTradeTest, UncoveredExportStopsTheContractAndCostsFriendshipWithinBounds) {
  PutCountry("甲国", 2, 398, true);
  PutCountry("乙国", 2, -390, true);
  // 甲国 asks for exactly the stock and the money held: covered. 乙国 asks for one more than the stock.
  Contract("甲国", 2, 0, "('甲国','輸出','布',8),('甲国','輸出','お金',60),('甲国','輸入','お金',10)");
  Contract("乙国", 5, 0, "('乙国','輸出','麦',50),('乙国','輸入','塩',9)");
  PutStock("布", 8);
  PutStock("麦", 49);
  data.Money(60);
  Exec("UPDATE construction SET Name='豪華絢爛な王宮' WHERE Area='王宮'");  // 5 a delivery
  EXPECT_FALSE(Trade(2));  // one delivery and one stop: no new partners this week
  EXPECT_EQ(Log.Text(), "trade:甲国と交易をしました。残り1回です\r\nお金を10輸入しました,"
                        "trade:乙国との交易を中止しました,");
  EXPECT_EQ(N(Stock("布")) + "/" + N(data.Money()), "0/10");
  EXPECT_EQ(N(Stock("麦")) + Value("SELECT COUNT(*) FROM itemdata WHERE Name='塩'") +
                Value("SELECT COUNT(*) FROM trade WHERE Nation='乙国'") + Value("SELECT COUNT(*) FROM tradedata WHERE Nation='乙国'"), "49000");
  EXPECT_EQ(Friendship("甲国") + "/" + Friendship("乙国"), "400/-399");  // 398 + 5 and -390 - 3 x 5, bounded
}

TEST_F(MarketTradeTest, NationsOpenByTheirRulesWithTheirGiftsOnce) {
  PutCountry("カルセーダス王国", 2, 150, true);  // at the bound: アードラー共和国 and アロイス王国
  PutStock("貧しい稲", 3);                       // held already: no gift
  PutCountry("ホーフェン共和国", 2, 160, true);  // ルリエン公国, then ヤマナコ公国 with its gift
  PutCountry("デザランス王国", 2, 80, true);     // finds ヤマナコ公国 open: no second gift
  Exec("DELETE FROM itemdata WHERE Name='貧弱牛'");
  TurnEnd_OpenCountry(ctx, Log);
  EXPECT_EQ(Log.Text(), "newcountry:アードラー共和国と交易できるようになりました,"
                        "newcountry:アロイス王国と交易できるようになりました,"
                        "newcountry:ルリエン公国と交易できるようになりました,"
                        "newcountry:ヤマナコ公国と交易できるようになりました,"
                        "newcountry:ヤマナコ公国から友好の印に\r\n貧弱牛をもらいました,");
  EXPECT_EQ(Value("SELECT group_concat(Nation) FROM (SELECT * FROM country WHERE Acquaintance ORDER BY Nation)"),
            "アロイス王国,アードラー共和国,カルセーダス王国,デザランス王国,ホーフェン共和国,ヤマナコ公国,ルリエン公国");
  EXPECT_EQ(Value("SELECT Storage||Synthesis FROM itemdata WHERE Name='貧弱牛'") + "/" + N(Stock("貧しい稲")), "01/3");
}

}  // namespace
