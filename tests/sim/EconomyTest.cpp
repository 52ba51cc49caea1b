// Tests of the kingdom's economy values, the tax, and the form state kept in home.
#include <gtest/gtest.h>

#include "SimFixture.h"
#include "runtime/VbError.h"
#include "sim/Economy.h"

using namespace sim;

namespace {

TEST(ClsDataTest, MoneyIsCappedWhenRaisedAndKeptWhenAPaymentFails) {
  // Raising is capped; a payment the treasury cannot cover is refused and changes nothing.
  struct Case { int32_t start, change; bool payment, accepted; int32_t left; } cases[] = {
      {999000, 5000, false, true, 999999}, {50, -100, false, true, -50}, {100, 100, true, true, 0}, {99, 100, true, false, 99}};
  for (const Case& c : cases) {
    clsData d;
    d.Money(c.start);
    const bool accepted = c.payment ? d.MoneyDif(c.change) : (d.MoneyAdd(c.change), true);
    EXPECT_EQ(std::pair(accepted, d.Money()), std::pair(c.accepted, c.left)) << c.start << " " << c.change;
  }
}

TEST(ClsDataTest, AttributesAreClampedAndTheTwoOccupationNumberingsNeverMix) {
  clsData d;
  d.Trust("Merchant", 150);
  const auto high = d.Trust("Merchant");
  d.Trust("Merchant", -3);
  d.Trust("merchant", 40);  // not an occupation name
  EXPECT_EQ((std::vector<int>{high, d.Trust("Merchant")}), (std::vector<int>{100, 0}));
  d.Education("Engineer", 100);
  EXPECT_EQ(d.EducationAverage(), 37);
  d.Affluence("Soldier", 100);
  d.AffluenceADD(4);
  EXPECT_EQ(d.AffluenceASNumber(4), 100);
  EXPECT_THROW(d.CreateSQL(5), rt::VbError);

  // clsData: 2 is Constructor, 3 Engineer; the panels: 2 Engineer, 3 Constructor.
  d.Education("Constructor", 20);
  EXPECT_EQ((std::vector<int>{d.EducationASNumber(2), d.EducationASNumber(3), d.EducationASNumber(DataNumber(PanelOcc::Constructor))}),
            (std::vector<int>{20, 100, 20}));
}

class EconomyTest : public simtest::SimTest {};

// The tax of week 13 from ten merchants: the panels' test of the week.
TEST_F(EconomyTest, TaxComesOnlyEveryThirteenthWeekAndIsReportedEvenWithoutMerchants) {
  LoadPeopleData(ctx);
  TurnLog log;
  for (int32_t week : {12, 14, 26}) {
    state.panels.people[Index(PanelOcc::Merchant)] = week == 26 ? 0 : 10;
    state.mTurn = week;
    TurnEnd_Tax(ctx, log);
  }
  EXPECT_EQ(log.Text() + std::to_string(data.Money()), "tax:税金が0入りました,500");
}

// Affluence 15, education 10, trust 5: Q = 60 \ 5 = 12 and U = 30, so the tax is exactly half the merchants.
TEST_F(EconomyTest, TaxOfAnExactHalfRoundsToEven) {
  data.Affluence("Merchant", 15);
  data.Education("Merchant", 10);
  data.Trust("Merchant", 5);
  state.mTurn = 13;
  for (const auto& [merchants, tax] : {std::pair{5, 2}, std::pair{7, 4}}) {
    state.panels.people[Index(PanelOcc::Merchant)] = static_cast<int16_t>(merchants);
    TurnLog log;
    TurnEnd_Tax(ctx, log);
    EXPECT_EQ(log.Text(), "tax:税金が" + std::to_string(tax) + "入りました,") << merchants << " merchants";
  }
}

TEST_F(EconomyTest, TreasuryIsReadOnceAndSavedByTheWeekAndAtUnload) {
  LoadPeopleData(ctx);
  EXPECT_EQ((std::vector<int>{data.Population(), data.Trust("Soldier")}), (std::vector<int>{110, 10}));
  Exec("UPDATE home SET [Money]=900");
  LoadPeopleData(ctx);
  EXPECT_EQ(data.Money(), 500);  // memory is the master copy once loaded

  // (A payment between weeks kept at quitting: the main window's unload test.)
  data.Trust("Merchant", 55);
  SavePeopleData(ctx);
  EXPECT_EQ(Value("SELECT Trust FROM people WHERE Occupation='Merchant'"), "55");

  // Unload before anything was loaded keeps the saved treasury.
  GameState fresh;
  clsData empty;
  WeekContext other{db, empty, fresh, settings, screen, nullptr, ""};
  SaveHomeSetting(other);
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "500");
}

// The switches' texts: the main screen's tests; the mask clicked and saved: the play scenario.
TEST_F(EconomyTest, MarketMarksAndRecruitingSetRoundTripThroughHome) {
  Exec("UPDATE home SET TurnBuy=True,TurnSell=False,Recruitment=10");
  InitGameData(ctx);
  EXPECT_TRUE(state.mTurnBuy && !state.mTurnSell);
  EXPECT_TRUE(state.panels.Recruiting(PanelOcc::Merchant) && state.panels.Recruiting(PanelOcc::Constructor) &&
              !state.panels.Recruiting(PanelOcc::Engineer));
  SetRecruiting(ctx, PanelOcc::Soldier, true);
  state.mTurnSell = true;
  SaveHomeSetting(ctx);
  EXPECT_EQ(Value("SELECT Recruitment FROM home") + Value("SELECT TurnSell FROM home"), "26True");

  // A mask of 31 or more turns all five on.
  Exec("UPDATE home SET Recruitment=40");
  GameState again;
  WeekContext ctx2{db, data, again, settings, screen, nullptr, ""};
  InitGameData(ctx2);
  for (PanelOcc o : kAllPanelOcc) EXPECT_TRUE(again.panels.Recruiting(o));
}

TEST_F(EconomyTest, ItemLookUpNeverReturnsAnotherItemsValues) {
  Exec("INSERT INTO item (Name,Class,Category,Power,Weight,Effect) VALUES ('試しの剣','武器','剣',12,3,'攻撃:5')");
  clsItemValues sword = RetclsItem(ctx, "試しの剣");
  clsItemValues missing = RetclsItem(ctx, "存在しない剣");
  EXPECT_EQ(std::to_string(sword.Power) + sword.Effect + "/" + std::to_string(missing.Power) + missing.Effect, "12攻撃:5/0");
  EXPECT_EQ(screen.errors, (std::vector<std::string>{"アイテム情報取得エラー:RetclsItem:Name=存在しない剣"}));
}

}  // namespace
