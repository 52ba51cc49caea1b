// Tests of the week driver: step order, report grouping and switches, game over, errors inside a
// step, the occupation check, and the close refused for the whole week.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimFixture.h"
#include "runtime/VbError.h"
#include "sim/TurnEnd.h"

using namespace sim;

namespace {

class WeekDriverTest : public simtest::SimTest {
 protected:
  /// Steps that only record their names, and where a close would not have been refused.
  WeekSteps Recorders() {
    auto rec = [this](const char* name) {
      return [this, name](auto&&...) {
        trace.push_back(name);
        if (!state.CloseRefused()) closeAllowedIn.push_back(name);
      };
    };
    WeekSteps s;
    s.LoadPeopleData = rec("LoadPeopleData");
    s.TurnEnd_ContinueItem = rec("ContinueItem");
    s.TurnEnd_OccupationCheck = rec("OccupationCheck");
    s.TurnEnd_Conquest = [this, r = rec("Conquest")](WeekContext&, TurnLog&) {
      r();
      conquestFlag = state.mTurnRunning;
      turnAtConquest = state.mTurn;
    };
    s.TurnEnd_Consuming = [this, r = rec("Consuming")](WeekContext&, TurnLog&, bool& fed) {
      r();
      turnAtConsuming = state.mTurn;
      fed = feed;
    };
    s.TurnEnd_Recruitment = rec("Recruitment");
    s.TurnEnd_Tax = rec("Tax");
    s.TurnEnd_Trade = [this, r = rec("Trade")](WeekContext&, TurnLog&, bool& open) {
      r();
      open = openCountry;
    };
    s.TurnEnd_OpenCountry = rec("OpenCountry");
    s.TurnEnd_AreaResearch = rec("AreaResearch");
    s.TurnEnd_ItemResearchAll = rec("ItemResearchAll");
    s.TurnEnd_Construct = rec("Construct");
    s.TurnEnd_ItemProduction = rec("ItemProduction");
    s.TurnEnd_ItemProcess = rec("ItemProcess");
    s.TurnEnd_ItemResearch = rec("ItemResearch");
    s.TurnEnd_DecreaseWeek = rec("DecreaseWeek");
    s.TurnEnd_Facility = rec("Facility");
    s.TurnEnd_ConstructOpen = rec("ConstructOpen");
    s.WeekClose = rec("WeekClose");
    return s;
  }
  void AllReportsOn() {
    for (int i = 0; i < 18; ++i) settings.Set("Report" + std::to_string(i), "1");
  }

  std::vector<std::string> trace, closeAllowedIn;
  bool feed = true, openCountry = true, conquestFlag = false;
  int32_t turnAtConquest = -1, turnAtConsuming = -1;
};

TEST_F(WeekDriverTest, StepsRunInTheirFixedOrderWithTheCloseRefusedThroughout) {
  screen.onShow = [this](const fake::Shown& s) {
    if (s.buttons == kMsgNoButton) trace.push_back("[" + s.msg + "]");
    if (!state.CloseRefused()) closeAllowedIn.push_back("box " + s.msg);
  };
  state.mTurn = 1;
  TurnEnd(ctx, Recorders());
  const std::vector<std::string> expected = {
      "LoadPeopleData", "ContinueItem", "OccupationCheck", "Conquest", "[処理中]", "Consuming", "Recruitment",
      "[処理中･]", "Tax", "Trade", "OpenCountry", "[処理中･･]", "AreaResearch", "[処理中･･･]", "ItemResearchAll",
      "[処理中････]", "Construct", "[処理中･････]", "ItemProduction", "[処理中･･････]", "ItemProcess",
      "[処理中･･･････]", "ItemResearch", "[処理中････････]", "DecreaseWeek", "[処理中･････････]", "Facility",
      "[処理中･･････････]", "ConstructOpen", "[処理中･･･････････]", "WeekClose"};
  EXPECT_EQ(trace, expected);
  // The week counter rises after the conquest and before food, in memory and in home.
  EXPECT_EQ(std::to_string(turnAtConquest) + std::to_string(turnAtConsuming) + Value("SELECT Turn FROM home"), "122");
  EXPECT_TRUE(conquestFlag && !state.CloseRefused());
  EXPECT_TRUE(closeAllowedIn.empty()) << closeAllowedIn.front();

  // Hungry people recruit nobody; no new partners unless the trade step asks.
  trace.clear();
  feed = openCountry = false;
  TurnEnd(ctx, Recorders());
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "Recruitment") + std::count(trace.begin(), trace.end(), "OpenCountry"), 0);
}

TEST_F(WeekDriverTest, ReportIsGroupedByKindInIndexOrderAndFollowsTheSwitches) {
  WeekSteps s = Recorders();
  s.TurnEnd_ContinueItem = [](WeekContext&, TurnLog& log) {
    log.Add("trade", "交易A:小麦,10");  // separators inside a text must not split the entry
    log.Add("tax", "税1");
  };
  s.TurnEnd_ConstructOpen = [](WeekContext&, TurnLog& log) {
    log.Add("tax", "税2");
    log.Add("newarea", "発見");
    log.Add("unknownkind", "出ない");
  };
  AllReportsOn();
  state.mTurnBuy = state.mTurnSell = true;
  TurnEnd(ctx, s);
  EXPECT_EQ(screen.Waited(), (std::vector<std::string>{"発見", "税1", "税2", "交易A：小麦，10"}));
  EXPECT_FALSE(state.mTurnBuy || state.mTurnSell || screen.panelSentBack != 1);

  // Only the exact text "1" switches a kind on.
  screen.shown.clear();
  settings.Set("Report11", "True");
  settings.Set("Report14", " 1");
  settings.Set("Report0", "0");
  TurnEnd(ctx, s);
  EXPECT_TRUE(screen.Waited().empty());

  // An empty report shows nothing and still closes the week.
  trace.clear();
  TurnEnd(ctx, Recorders());
  EXPECT_TRUE(screen.Waited().empty() && trace.back() == "WeekClose");
}

TEST_F(WeekDriverTest, TheFoodWarningComesOnlyBelowFiveWeeksOfFood) {
  const std::vector<std::string> warning{"食料が不足しています\r\n領土から供給を選択してください"};
  struct Case { int16_t population; int32_t meat, grain; bool warned; };
  for (const Case c : {Case{1200, 6000, 6000, false}, Case{1200, 5999, 6000, true}, Case{0, 0, 0, false}}) {
    data.Population(c.population);
    Exec("UPDATE home SET Meat=" + std::to_string(c.meat) + ",Grain=" + std::to_string(c.grain));
    screen.shown.clear();
    TurnEnd(ctx, Recorders());
    EXPECT_EQ(screen.Waited(), c.warned ? warning : std::vector<std::string>{}) << c.population << " " << c.meat;
  }
}

TEST_F(WeekDriverTest, GameOverEndsTheWeekAndMarksTheDatabaseForReset) {
  WeekSteps s = Recorders();
  s.TurnEnd_ContinueItem = [](WeekContext&, TurnLog& log) { log.Add("tax", "税"); };
  s.TurnEnd_Consuming = [](WeekContext&, TurnLog& log, bool&) { log.GameOver(); };
  AllReportsOn();
  data.Population(2000);  // 5 x 2000 > 6000: the food warning comes first
  state.mTurnBuy = true;
  TurnEnd(ctx, s);
  EXPECT_EQ(screen.Waited(), (std::vector<std::string>{"食料が不足しています\r\n領土から供給を選択してください",
                                                        "国民の信頼を失いました"}));
  EXPECT_EQ(settings.Get("DBInit"), "True");
  EXPECT_TRUE(state.mQuitAfterTurn && screen.gameOverLocks == 1);
  // nothing saved or refreshed, the market marks kept
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "WeekClose") + screen.panelSentBack, 0);
  EXPECT_TRUE(state.mTurnBuy && !state.CloseRefused());
}

TEST_F(WeekDriverTest, ARuntimeErrorIsReportedAndTheWeekGoesOn) {
  WeekSteps s = Recorders();
  s.TurnEnd_Tax = [](WeekContext&, TurnLog& log) {
    log.Add("tax", "前半");
    throw rt::VbError(rt::kErrOverflow);
  };
  s.TurnEnd_AreaResearch = [](WeekContext&, TurnLog& log) { log.Add("tax", "後半"); };
  s.WeekClose = DefaultWeekSteps().WeekClose;
  // A people row the panel cannot read: the save and the other panels still happen.
  Exec("UPDATE people SET Number='多数' WHERE Occupation='Merchant'");
  data.Money(777);
  state.moneyLoaded = true;  // as the main window's load has read it
  AllReportsOn();
  TurnEnd(ctx, s);
  ASSERT_EQ(screen.errors.size(), 2u);
  // Named in Japanese: the runtime's "Overflow" is no word for the player.
  EXPECT_EQ(screen.errors[0], "週の処理でエラーが発生しました:TurnEnd_Tax\r\nエラー 6 数値が扱える範囲を超えました");
  EXPECT_EQ(screen.errors[1], "職種別人口取得エラー:ShowOccupation\r\npeople.Number=多数");
  EXPECT_EQ(screen.Waited(), (std::vector<std::string>{"前半", "後半"}));
  EXPECT_EQ(Value("SELECT [Money] FROM home") + screen.label(LabelId::Construct).mainText, "777建設:なし");
  EXPECT_FALSE(state.CloseRefused());
}

TEST_F(WeekDriverTest, OccupationCheckPlacesOnlyTheIdleOfItsThreeOccupations) {
  EXPECT_TRUE(OccupationShortfall(ctx).empty());  // a new game has everyone placed
  Exec("UPDATE people SET Number=5 WHERE Occupation='Constructor'");
  Exec("UPDATE people SET Number=90 WHERE Occupation='Producer'");  // producers are the player's to place
  Exec("UPDATE people SET Number=8 WHERE Occupation='Merchant'");   // fewer than placed: nobody to add
  Exec("UPDATE people SET Number=30 WHERE Occupation='Soldier'");
  Exec("INSERT INTO unit VALUES(1,'国王軍','Ally','巣',2,'セイバー',10,6,6,'','','','','',100,1,0,0,0,'')");
  using Need = std::vector<std::pair<std::string, int16_t>>;
  EXPECT_EQ(OccupationShortfall(ctx), (Need{{"Constructor", 5}, {"Soldier", 4}}));  // 6 march with the army
}

}  // namespace
