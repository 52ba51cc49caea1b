// Tests of the week driver: step order, report grouping and switches, game over, the food warning,
// errors inside a step, and the close refused for the whole week.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "SimFixture.h"
#include "runtime/VbError.h"
#include "sim/TurnEnd.h"

using namespace sim;

namespace {

class WeekDriverTest : public simtest::SimTest {
 protected:
  /// Steps that only record their names (and whether a close would have been refused).
  WeekSteps Recorders() {
    WeekSteps s;
    auto rec = [this](const char* name) {
      trace.push_back(name);
      if (!state.CloseRefused()) closeAllowedIn.push_back(name);
    };
    s.LoadPeopleData = [=](WeekContext&) { rec("LoadPeopleData"); };
    s.TurnEnd_ContinueItem = [=](WeekContext&, TurnLog&) { rec("ContinueItem"); };
    s.TurnEnd_OccupationCheck = [=](WeekContext&) { rec("OccupationCheck"); };
    s.TurnEnd_Conquest = [=, this](WeekContext&, TurnLog&) {
      rec("Conquest");
      conquestFlag = state.mTurnRunning;
      turnAtConquest = state.mTurn;
    };
    s.TurnEnd_Consuming = [=, this](WeekContext&, TurnLog&, bool& fed) {
      rec("Consuming");
      turnAtConsuming = state.mTurn;
      fed = feed;
    };
    s.TurnEnd_Recruitment = [=](WeekContext&, TurnLog&) { rec("Recruitment"); };
    s.TurnEnd_Tax = [=](WeekContext&, TurnLog&) { rec("Tax"); };
    s.TurnEnd_Trade = [=, this](WeekContext&, TurnLog&, bool& open) {
      rec("Trade");
      open = openCountry;
    };
    s.TurnEnd_OpenCountry = [=](WeekContext&, TurnLog&) { rec("OpenCountry"); };
    s.TurnEnd_AreaResearch = [=](WeekContext&, TurnLog&) { rec("AreaResearch"); };
    s.TurnEnd_ItemResearchAll = [=](WeekContext&, TurnLog&) { rec("ItemResearchAll"); };
    s.TurnEnd_Construct = [=](WeekContext&, TurnLog&) { rec("Construct"); };
    s.TurnEnd_ItemProduction = [=](WeekContext&, TurnLog&) { rec("ItemProduction"); };
    s.TurnEnd_ItemProcess = [=](WeekContext&, TurnLog&) { rec("ItemProcess"); };
    s.TurnEnd_ItemResearch = [=](WeekContext&, TurnLog&) { rec("ItemResearch"); };
    s.TurnEnd_DecreaseWeek = [=](WeekContext&) { rec("DecreaseWeek"); };
    s.TurnEnd_Facility = [=](WeekContext&, TurnLog&) { rec("Facility"); };
    s.TurnEnd_ConstructOpen = [=](WeekContext&, TurnLog&) { rec("ConstructOpen"); };
    s.WeekClose = [=](WeekContext&) { rec("WeekClose"); };
    return s;
  }
  void AllReportsOn() {
    for (int i = 0; i < 18; ++i) settings.Set("Report" + std::to_string(i), "1");
  }

  std::vector<std::string> trace, closeAllowedIn;
  bool feed = true, openCountry = false, conquestFlag = false;
  int32_t turnAtConquest = -1, turnAtConsuming = -1;
};

TEST_F(WeekDriverTest, StepsRunInTheirFixedOrderWithProgressBetween) {
  screen.onShow = [this](const fake::Shown& s) {
    if (s.buttons == kMsgNoButton) trace.push_back("[" + s.msg + "]");
    if (!state.CloseRefused()) closeAllowedIn.push_back("box " + s.msg);
  };
  state.mTurn = 1;
  feed = true;
  openCountry = true;
  TurnEnd(ctx, Recorders());
  const std::vector<std::string> expected = {
      "LoadPeopleData", "ContinueItem", "OccupationCheck", "Conquest", "[処理中]", "Consuming", "Recruitment",
      "[処理中･]", "Tax", "Trade", "OpenCountry", "[処理中･･]", "AreaResearch", "[処理中･･･]", "ItemResearchAll",
      "[処理中････]", "Construct", "[処理中･････]", "ItemProduction", "[処理中･･････]", "ItemProcess",
      "[処理中･･･････]", "ItemResearch", "[処理中････････]", "DecreaseWeek", "[処理中･････････]", "Facility",
      "[処理中･･････････]", "ConstructOpen", "[処理中･･･････････]", "WeekClose"};
  EXPECT_EQ(trace, expected);
  // The week counter rises after the conquest and before food, in memory and in home.
  EXPECT_EQ(turnAtConquest, 1);
  EXPECT_EQ(turnAtConsuming, 2);
  EXPECT_EQ(Value("SELECT Turn FROM home"), "2");
  // A close is refused in every step and every message box, and allowed again afterwards.
  EXPECT_TRUE(conquestFlag);
  EXPECT_TRUE(closeAllowedIn.empty()) << closeAllowedIn.front();
  EXPECT_FALSE(state.CloseRefused());
  EXPECT_FALSE(state.mTurnRunning);

  // Hungry people recruit nobody; no new partners unless the trade step asks.
  trace.clear();
  feed = false;
  openCountry = false;
  TurnEnd(ctx, Recorders());
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "Recruitment"), 0);
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "OpenCountry"), 0);
  EXPECT_EQ(Value("SELECT Turn FROM home"), "3");

  // A question between weeks also holds the close off while it waits.
  bool refusedInBox = false;
  screen.onShow = [&](const fake::Shown&) { refusedInBox = state.CloseRefused(); };
  EXPECT_EQ(ctx.ShowMSGBox("よろしいですか", kMsgYesNo, true), kAnsNo);
  EXPECT_TRUE(refusedInBox);
  EXPECT_FALSE(state.CloseRefused());
}

TEST_F(WeekDriverTest, ReportIsGroupedByKindInIndexOrderAndFollowsTheSwitches) {
  WeekSteps s = Recorders();
  s.TurnEnd_ContinueItem = [](WeekContext&, TurnLog& log) {
    log.Add("trade", "交易A");
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
  EXPECT_EQ(screen.Waited(), (std::vector<std::string>{"発見", "税1", "税2", "交易A"}));
  EXPECT_FALSE(state.mTurnBuy);
  EXPECT_FALSE(state.mTurnSell);
  EXPECT_EQ(screen.panelSentBack, 1);

  // Only the exact text "1" switches a kind on.
  screen.shown.clear();
  settings.Set("Report11", "True");
  settings.Set("Report14", " 1");
  settings.Set("Report0", "0");
  TurnEnd(ctx, s);
  EXPECT_TRUE(screen.Waited().empty());

  // An empty report shows nothing and still closes the week.
  screen.shown.clear();
  trace.clear();
  TurnEnd(ctx, Recorders());
  EXPECT_TRUE(screen.Waited().empty());
  EXPECT_EQ(trace.back(), "WeekClose");
}

TEST_F(WeekDriverTest, GameOverEndsTheWeekAndMarksTheDatabaseForReset) {
  WeekSteps s = Recorders();
  s.TurnEnd_ContinueItem = [](WeekContext&, TurnLog& log) { log.Add("tax", "税"); };
  s.TurnEnd_Consuming = [](WeekContext&, TurnLog& log, bool& fed) {
    log.GameOver();
    fed = false;
  };
  AllReportsOn();
  settings.Set("DBInit", "False");
  data.Population(2000);  // 5 x 2000 > 6000: the food warning comes first
  state.mTurnBuy = true;
  TurnEnd(ctx, s);
  const auto waited = screen.Waited();
  ASSERT_EQ(waited.size(), 2u);
  EXPECT_EQ(waited[0], "食料が不足しています\r\n領土から供給を選択してください");
  EXPECT_EQ(waited[1], "国民の信頼を失いました");
  EXPECT_EQ(settings.Get("DBInit"), "True");
  EXPECT_TRUE(state.mQuitAfterTurn);
  EXPECT_EQ(screen.gameOverLocks, 1);
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "WeekClose"), 0);  // nothing saved or refreshed
  EXPECT_TRUE(state.mTurnBuy);
  EXPECT_EQ(screen.panelSentBack, 0);
  EXPECT_FALSE(state.CloseRefused());
}

TEST_F(WeekDriverTest, ARuntimeErrorInAStepIsReportedAndTheWeekGoesOn) {
  WeekSteps s = Recorders();
  s.TurnEnd_Tax = [](WeekContext&, TurnLog& log) {
    log.Add("tax", "前半");
    throw rt::VbError(rt::kErrOverflow);
  };
  s.TurnEnd_AreaResearch = [](WeekContext&, TurnLog& log) { log.Add("tax", "後半"); };
  AllReportsOn();
  TurnEnd(ctx, s);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_NE(screen.errors[0].find("TurnEnd_Tax"), std::string::npos);
  EXPECT_NE(screen.errors[0].find("6:"), std::string::npos);
  EXPECT_EQ(screen.Waited(), (std::vector<std::string>{"前半", "後半"}));
  EXPECT_EQ(trace.back(), "WeekClose");
  EXPECT_FALSE(state.CloseRefused());
}

TEST_F(WeekDriverTest, DebugModeKeepsTheWeeksMessageLog) {
  WeekSteps s = Recorders();
  s.TurnEnd_Tax = [](WeekContext&, TurnLog& log) { log.Add("tax", "税金が4入りました"); };
  state.mTurn = 12;
  TurnEnd(ctx, s);
  EXPECT_FALSE(std::filesystem::exists(dir / "MSG.log"));  // only in debug mode
  db.DebugMode(true);
  TurnEnd(ctx, s);
  db.DebugMode(false);
  std::ifstream in(dir / "MSG.log", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("\r\n14\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\ntax:税金が4入りました,\r\n"), std::string::npos) << text;
}

TEST_F(WeekDriverTest, OccupationCheckPlacesOnlyTheIdleOfItsThreeOccupations) {
  EXPECT_TRUE(OccupationShortfall(ctx).empty());  // a new game has everyone placed
  Exec("UPDATE people SET Number=5 WHERE Occupation='Constructor'");
  Exec("UPDATE people SET Number=90 WHERE Occupation='Producer'");  // producers are the player's to place
  Exec("UPDATE people SET Number=30 WHERE Occupation='Soldier'");
  Exec("INSERT INTO unit VALUES(1,'国王軍','Ally','巣',2,'セイバー',10,6,6,'','','','','',100,1,0,0,0,'')");
  using Need = std::vector<std::pair<std::string, int16_t>>;
  EXPECT_EQ(OccupationShortfall(ctx), (Need{{"Constructor", 5}, {"Soldier", 4}}));
  Exec("UPDATE people SET Number=8 WHERE Occupation='Merchant'");  // fewer than placed: nobody to add
  EXPECT_EQ(OccupationShortfall(ctx), (Need{{"Constructor", 5}, {"Soldier", 4}}));
}

TEST(TurnLogTest, EntriesKeepTheirShapeEvenWithSeparatorsInTheText) {
  TurnLog log;
  log.Add("trade", "A国と交易:小麦,10");
  log.Add("tax", "税金が4入りました");
  EXPECT_EQ(log.Text(), "trade:A国と交易：小麦，10,tax:税金が4入りました,");
  auto e = log.Entries();
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].first, "trade");
  EXPECT_EQ(e[1].second, "税金が4入りました");
  EXPECT_FALSE(log.HasGameOver());
  log.GameOver();
  EXPECT_TRUE(log.HasGameOver());
  EXPECT_EQ(ProgressText(2), "処理中･･");
}

}  // namespace
