// Tests of the kingdom's economy values, the tax, and the form state kept in home.
#include <gtest/gtest.h>

#include "SimFixture.h"
#include "runtime/VbError.h"
#include "sim/Economy.h"

using namespace sim;

namespace {

TEST(ClsDataTest, MoneyIsCappedWhenRaisedAndEmptiedWhenAPaymentFails) {
  clsData d;
  d.Money(999000);
  d.MoneyAdd(5000);
  EXPECT_EQ(d.Money(), 999999);
  d.Money(50);
  d.MoneyAdd(-100);
  EXPECT_EQ(d.Money(), -50);
  d.Money(100);
  EXPECT_TRUE(d.MoneyDif(100));
  EXPECT_EQ(d.Money(), 0);
  d.Money(99);
  EXPECT_FALSE(d.MoneyDif(100));
  EXPECT_EQ(d.Money(), 99);
}

TEST(ClsDataTest, AttributesAreClampedAndTheTwoOccupationNumberingsNeverMix) {
  clsData d;
  d.Trust("Merchant", 150);
  EXPECT_EQ(d.Trust("Merchant"), 100);
  d.Trust("Merchant", -3);
  d.Trust("merchant", 40);  // not an occupation name
  EXPECT_EQ(d.Trust("Merchant"), 0);
  d.Education("Engineer", 100);
  EXPECT_EQ(d.EducationAverage(), 37);
  d.Affluence("Soldier", 100);
  d.AffluenceADD(4);
  EXPECT_EQ(d.AffluenceASNumber(4), 100);
  EXPECT_THROW(d.CreateSQL(5), rt::VbError);

  // clsData: 2 is Constructor, 3 Engineer; the panels: 2 Engineer, 3 Constructor.
  d.Education("Constructor", 20);
  EXPECT_EQ(d.EducationASNumber(2), 20);
  EXPECT_EQ(d.EducationASNumber(3), 100);
  EXPECT_EQ(d.EducationASNumber(DataNumber(PanelOcc::Constructor)), 20);
  EXPECT_EQ(d.CreateSQL(2), "UPDATE people SET Affluence=0,Education=20,Trust=0  WHERE Occupation='Constructor'");
}

class EconomyTest : public simtest::SimTest {};

TEST_F(EconomyTest, TaxComesEveryThirteenthWeekFromTheMerchantsShownAtTheWeeksStart) {
  LoadPeopleData(ctx);  // merchants at 10/10/10
  state.panels.people[Index(PanelOcc::Merchant)] = 10;
  for (int32_t week : {12, 14}) {
    TurnLog log;
    state.mTurn = week;
    TurnEnd_Tax(ctx, log);
    EXPECT_TRUE(log.Empty()) << week;
  }
  TurnLog log;
  state.mTurn = 13;
  TurnEnd_Tax(ctx, log);
  EXPECT_EQ(log.Text(), "tax:税金が4入りました,");
  EXPECT_EQ(data.Money(), 504);

  state.panels.people[Index(PanelOcc::Merchant)] = 0;  // no merchants: the entry still comes
  state.mTurn = 26;
  TurnLog none;
  TurnEnd_Tax(ctx, none);
  EXPECT_EQ(none.Text(), "tax:税金が0入りました,");
  state.panels.people[Index(PanelOcc::Merchant)] = 500;  // the cap holds
  data.Money(999990);
  TurnEnd_Tax(ctx, none);
  EXPECT_EQ(data.Money(), 999999);
}

TEST_F(EconomyTest, TreasuryIsReadOnceAndSavedByTheWeekAndAtUnload) {
  LoadPeopleData(ctx);
  EXPECT_EQ(data.Population(), 110);
  EXPECT_EQ(data.Trust("Soldier"), 10);
  Exec("UPDATE home SET [Money]=900");
  LoadPeopleData(ctx);
  EXPECT_EQ(data.Money(), 500);  // memory is the master copy once loaded

  // A command pays between weeks; quitting then must not lose the payment.
  ASSERT_TRUE(data.MoneyDif(120));
  SaveHomeSetting(ctx);
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "380");
  data.Trust("Merchant", 55);
  SavePeopleData(ctx);
  EXPECT_EQ(Value("SELECT Trust FROM people WHERE Occupation='Merchant'"), "55");

  // Unload before anything was loaded keeps the saved treasury.
  GameState fresh;
  clsData empty;
  WeekContext other{db, empty, fresh, settings, screen, nullptr, ""};
  SaveHomeSetting(other);
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "380");
}

TEST_F(EconomyTest, MarketMarksAndRecruitingSetRoundTripThroughHome) {
  Exec("UPDATE home SET TurnBuy=True,TurnSell=False,Recruitment=10");
  InitGameData(ctx);
  EXPECT_TRUE(state.mTurnBuy && !state.mTurnSell);
  EXPECT_TRUE(state.panels.Recruiting(PanelOcc::Merchant));
  EXPECT_TRUE(state.panels.Recruiting(PanelOcc::Constructor));
  EXPECT_FALSE(state.panels.Recruiting(PanelOcc::Engineer));
  EXPECT_EQ(screen.view(ViewId::People).HeaderText(5, 3), "募集中");
  EXPECT_EQ(screen.view(ViewId::People).HeaderText(4, 3), "");
  EXPECT_EQ(screen.view(ViewId::Constructor).HeaderText(4, 3), "募集中");

  SetRecruiting(ctx, PanelOcc::Soldier, true);
  SetRecruiting(ctx, PanelOcc::Merchant, false);
  EXPECT_EQ(screen.view(ViewId::People).HeaderText(3, 3), "");
  state.mTurnSell = true;
  SaveHomeSetting(ctx);
  EXPECT_EQ(Value("SELECT Recruitment FROM home"), "24");
  EXPECT_EQ(Value("SELECT TurnSell FROM home"), "True");

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
  EXPECT_EQ(sword.Power, 12);
  EXPECT_EQ(sword.Effect, "攻撃:5");
  clsItemValues missing = RetclsItem(ctx, "存在しない剣");
  EXPECT_EQ(missing.Power, 0);
  EXPECT_EQ(missing.Effect, "");
  EXPECT_EQ(screen.errors, (std::vector<std::string>{"アイテム情報取得エラー:RetclsItem:Name=存在しない剣"}));
}

}  // namespace
