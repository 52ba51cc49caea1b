// A damaged save keeps its damage to itself: an ID that is no number never reaches a statement,
// and an amount below 0 or beyond 32 bits is a data error of its step, never carried out.
#include <gtest/gtest.h>

#include <algorithm>

#include "MarketTestSupport.h"
#include "sim/Economy.h"
#include "sim/People.h"
#include "sim/TurnEnd.h"
#include "sim/TurnEnd_Market.h"
#include "sim/TurnEnd_People.h"

using namespace sim;

namespace {

class DamagedSaveTest : public simtest::MarketTest {
 protected:
  bool Said(const std::string& text) {
    return std::any_of(screen.errors.begin(), screen.errors.end(), [&](const std::string& e) { return e == text; });
  }
};

TEST_F(DamagedSaveTest, ABuildingWhoseIdIsNoNumberIsLeftAloneThroughThirtyWeeksOfRecruitment) {
  LoadGameState(ctx);
  for (PanelOcc o : kAllPanelOcc) SetRecruiting(ctx, o, true);
  Exec("UPDATE construction SET ID='2 OR 1=1' WHERE ID=2");  // the house
  for (int week = 0; week < 30 && !state.mQuitAfterTurn; ++week) TurnEnd(ctx);
  // Pasted into "... WHERE ID=2 OR 1=1" the newcomers' count went to every building alike.
  EXPECT_EQ(Value("SELECT group_concat(ID||':'||NofProduction) FROM construction WHERE ID IN (1,3,7,'2 OR 1=1')"),
            "1:0,2 OR 1=1:110,3:50,7:20");
  EXPECT_TRUE(Said("住宅地数取得エラー:TurnEnd_ResidentialAdd\r\nconstruction.ID=2 OR 1=1"));
}

TEST_F(DamagedSaveTest, StandingOrdersThatCannotBeReadDoNothing) {
  PutItem("麦", 10);
  PutStock("麦", 5);
  data.Money(500);
  Exec("DELETE FROM continueitem");
  Exec("INSERT INTO continueitem VALUES(1,'麦','売却',-1,3)");           // a sale of -1 took money
  Exec("INSERT INTO continueitem VALUES(2,'麦','購入',-1,3)");           // a purchase of -1 gave it
  Exec("INSERT INTO continueitem VALUES(3,'麦','購入',1,-4)");
  Exec("INSERT INTO continueitem VALUES(4,'麦','購入',1e15,2)");
  Exec("INSERT INTO continueitem VALUES('5 OR 1=1','麦','購入',1,1)");  // its deletion took every order
  Exec("INSERT INTO continueitem VALUES(6,'麦','購入',2,2)");            // a sound one still runs
  TurnEnd_ContinueItem(ctx, Log);
  EXPECT_EQ(Log.Text(), "continueitem:【麦】を2、20で購入しました\r\n残り購入回数は1回です,");
  EXPECT_EQ(std::pair(data.Money(), Stock("麦")), std::pair(480, 7));
  EXPECT_EQ(Value("SELECT group_concat(ID||':'||Count) FROM continueitem"), "1:3,2:3,3:-4,4:2,5 OR 1=1:1,6:1");
  const std::string e = "継続売買取得エラー:TurnEnd_ContinueItem\r\n";
  EXPECT_EQ(screen.errors, (std::vector<std::string>{e + "continueitem.Amount=-1", e + "continueitem.Amount=-1",
                                                     e + "continueitem.Count=-4", e + "continueitem.Amount=1000000000000000",
                                                     e + "continueitem.ID=5 OR 1=1"}));
}

TEST_F(DamagedSaveTest, TradeHarvestAndFoodKeepTheirStocksWithinBounds) {
  PutCountry("試験国", 1, 10, true);
  PutCountry("大国", 1, 10, true);
  Exec("INSERT INTO trade VALUES('試験国',3,0),('大国',3,0)");
  // An import of -2147483648 left a stock of -4294967296, an export of it raised one past 32 bits.
  Exec("INSERT INTO tradedata VALUES('試験国','輸入','塩',-2147483648),('試験国','輸出','麦',-2147483648)");
  // The largest imports stop at the cap.
  Exec("INSERT INTO tradedata VALUES('大国','輸入','塩',2147483647),('大国','輸入','お金',2147483647)");
  PutStock("塩", 5);
  PutStock("麦", 20);
  data.Money(500);
  state.mTurn = 7;
  bool open = false;
  TurnEnd_Trade(ctx, Log, open);
  EXPECT_EQ(Log.Text(), "trade:大国と交易をしました。残り2回です\r\n塩を2147483647、お金を2147483647輸入しました,");
  EXPECT_EQ(N(Stock("塩")) + "/" + N(Stock("麦")) + "/" + N(data.Money()), "999999/20/999999");
  EXPECT_EQ(Value("SELECT Count FROM trade WHERE Nation='試験国'"), "3");  // waits, neither delivered nor stopped
  EXPECT_TRUE(Said("交易データ取得エラー:TurnEnd_Trade\r\ntradedata.Amount=-2147483648"));

  // A crop coefficient of -2147483648 reported "小麦を-1073741824個生産しました".
  Exec("UPDATE grain SET Coefficient=-2147483648 WHERE Name='貧しい麦'");
  state.mTurn = 5;  // the field was sown in week 1 with a cycle of 4
  Log = TurnLog();
  TurnEnd_ItemProduction(ctx, Log);
  EXPECT_EQ(Log.Text().find("小麦"), std::string::npos) << Log.Text();
  EXPECT_TRUE(Said("アイテム生産数取得エラー:TurnEnd_ItemProduction\r\ngrain.Coefficient=-2147483648"));

  // A head count of -1 made the food grow; the 80 others and 20 soldiers eat 120 of each.
  Exec("UPDATE people SET Number=-1 WHERE Occupation='Engineer'");
  bool fed = false;
  TurnEnd_Consuming(ctx, Log, fed);
  EXPECT_EQ(Value("SELECT Grain||'/'||Meat FROM home"), "5880/5880");
  EXPECT_TRUE(fed && Said("職種別人口取得エラー:TurnEnd_Consuming\r\npeople.Number=-1"));
}

}  // namespace

// An ID stored as a fraction or a blob read as the whole number near it ("2.4", X'32' as 2): the
// statements made for it acted on row 2, and its own row was never matched.
TEST_F(DamagedSaveTest, AnIdThatIsAFractionOrABlobActsOnNoOtherRow) {
  PutItem("麦", 10);
  PutStock("麦", 100);
  Exec("UPDATE construction SET NofProduction=160 WHERE ID=2");  // the first house is full
  for (const std::string id : {"2.4", "1.5", "X'32'"}) {
    SCOPED_TRACE(id);
    screen.errors.clear();
    Exec("DELETE FROM continueitem");
    Exec("INSERT INTO continueitem VALUES(2,'麦','売却',1,30),(" + id + ",'麦','売却',1,1)");
    TurnEnd_ContinueItem(ctx, Log);
    // Its single run deleted order 2, and it stayed to run every week.
    EXPECT_EQ(Value("SELECT group_concat(quote(ID)||':'||Count,' ') FROM continueitem"), "2:29 " + id + ":1");

    Exec("DELETE FROM construction WHERE ID NOT IN (1,2,3,4,5,6,7)");
    Exec("INSERT INTO construction VALUES(" + id + ",'小さな住宅地','中央市街','',40,0,0,'')");
    int16_t newcomers = 8;
    TurnEnd_ResidentialAdd(ctx, newcomers);
    // Its 40 and the newcomers were written into house 2: 48 in place of 160.
    EXPECT_EQ(Value("SELECT group_concat(NofProduction,' ') FROM construction WHERE Name='小さな住宅地'"), "160 40");
    EXPECT_EQ(screen.errors, (std::vector<std::string>{"継続売買取得エラー:TurnEnd_ContinueItem\r\ncontinueitem.ID=" + id,
                                                       "住宅地数取得エラー:TurnEnd_ResidentialAdd\r\nconstruction.ID=" + id,
                                                       "住宅地不足エラー:TurnEnd_ResidentialAdd\r\n不足人数＝8"}));
  }
}

// A standing order or a contract with no run left ran once more and reported "残り…-1回です".
TEST_F(DamagedSaveTest, AnOrderOrContractWithNoRunLeftDoesNotRun) {
  PutItem("麦", 10);
  PutStock("麦", 100);
  PutCountry("試験国", 1, 10, true);
  Exec("INSERT INTO tradedata VALUES('試験国','輸入','麦',5)");
  state.mTurn = 7;
  for (const std::string count : {"0", "NULL", "0.4"}) {
    SCOPED_TRACE(count);
    screen.errors.clear();
    Log = TurnLog();
    Exec("DELETE FROM continueitem");
    Exec("INSERT INTO continueitem VALUES(1,'麦','売却',1," + count + "),(2,'麦','売却',1,1)");
    Exec("DELETE FROM trade");
    Exec("INSERT INTO trade VALUES('試験国'," + count + ",1)");
    bool open = false;
    TurnEnd_ContinueItem(ctx, Log);
    TurnEnd_Trade(ctx, Log, open);
    // Only the order with one run left runs; nothing is deleted but what it ended.
    EXPECT_EQ(Log.Text(), "continueitem:【麦】を1、5で売却しました\r\n残り売却回数は0回です,");
    EXPECT_EQ(Value("SELECT group_concat(ID) FROM continueitem") + "/" + Value("SELECT COUNT(*) FROM trade"), "1/1");
    const std::string shown = count == "NULL" ? "" : count;
    EXPECT_EQ(screen.errors, (std::vector<std::string>{"継続売買取得エラー:TurnEnd_ContinueItem\r\ncontinueitem.Count=" + shown,
                                                       "交易データ取得エラー:TurnEnd_Trade\r\ntrade.Count=" + shown}));
  }
}

// Figures within their bits whose sum passes them stopped the step: "週の処理でエラーが発生しました:
// TurnEnd_OccupationCheck / 6:Overflow". Counted wide where the rule only compares or caps them.
TEST_F(DamagedSaveTest, SumsPastTheirBitsAreCountedWideAndTheLastWeekIsNamed) {
  using Need = std::vector<std::pair<std::string, int16_t>>;
  Exec("UPDATE people SET Number=5 WHERE Occupation='Constructor'");
  Exec("UPDATE people SET Number=30 WHERE Occupation='Soldier'");
  // 20 soldiers in the barracks and an army of 32767 (or of 40000) in the field: enough soldiers.
  for (const char* army : {"32767", "40000"}) {
    Exec("DELETE FROM unit");
    Exec(std::string("INSERT INTO unit VALUES(1,'国王軍','Ally','巣',2,'セイバー',10,6,") + army +
         ",'','','','','',100,1,0,0,0,'')");
    EXPECT_EQ(OccupationShortfall(ctx), (Need{{"Constructor", 5}})) << army;
  }
  // A sum that is no count is named; the other occupations are still checked.
  Exec("UPDATE construction SET NofProduction=1e15 WHERE ID=6");  // the barracks
  EXPECT_EQ(OccupationShortfall(ctx), (Need{{"Constructor", 5}}));
  EXPECT_EQ(screen.errors, std::vector<std::string>{"職種別従事数取得エラー:TurnEnd_OccupationCheck\r\n"
                                                    "SUM(construction.NofProduction)=1000000000000000"});

  // The construction power: the others' help is at most 100, the power one 16-bit number.
  PanelState& p = state.panels;
  p.employed = p.people = {32767, 1, 0, 0, 0};
  EXPECT_EQ(RetConstructPower(ctx), 100);
  p.employed[3] = p.people[3] = 32767;
  data.Education("Constructor", 100);
  EXPECT_EQ(RetConstructPower(ctx), 32767);

  // The last week there is has no week after it: said, and the rest of the week still runs.
  Exec("UPDATE construction SET NofProduction=20 WHERE ID=6");
  screen.errors.clear();
  state.mTurn = 2147483647;
  Exec("UPDATE home SET Turn=2147483647");
  TurnEnd(ctx);
  EXPECT_EQ(std::to_string(state.mTurn) + "/" + Value("SELECT Turn FROM home"), "2147483647/2147483647");
  EXPECT_EQ(screen.errors, std::vector<std::string>{"週数取得エラー:TurnEnd\r\nhome.Turn=2147483647"});
}
