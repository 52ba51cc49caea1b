// Tests of the kingdom's economy values, the tax, and the form state kept in home.
#include <gtest/gtest.h>

#include "SimFixture.h"
#include "runtime/VbError.h"
#include "sim/Economy.h"

using namespace sim;

namespace {

TEST(ClsDataTest, MoneyIsCappedWhenRaisedAndEmptiedWhenAPaymentFails) {
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
  EXPECT_EQ(log.Text() + std::to_string(data.Money()), "tax:税金が4入りました,504");

  state.panels.people[Index(PanelOcc::Merchant)] = 0;  // no merchants: the entry still comes
  state.mTurn = 26;
  TurnLog none;
  TurnEnd_Tax(ctx, none);
  EXPECT_EQ(none.Text(), "tax:税金が0入りました,");
}

TEST_F(EconomyTest, TreasuryIsReadOnceAndSavedByTheWeekAndAtUnload) {
  LoadPeopleData(ctx);
  EXPECT_EQ((std::vector<int>{data.Population(), data.Trust("Soldier")}), (std::vector<int>{110, 10}));
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
  EXPECT_TRUE(state.panels.Recruiting(PanelOcc::Merchant) && state.panels.Recruiting(PanelOcc::Constructor) &&
              !state.panels.Recruiting(PanelOcc::Engineer));
  EXPECT_EQ(screen.view(ViewId::People).HeaderText(5, 3) + "/" + screen.view(ViewId::People).HeaderText(4, 3) + "/" +
                screen.view(ViewId::Constructor).HeaderText(4, 3), "募集中//募集中");

  SetRecruiting(ctx, PanelOcc::Soldier, true);
  SetRecruiting(ctx, PanelOcc::Merchant, false);
  EXPECT_EQ(screen.view(ViewId::People).HeaderText(3, 3), "募集する");
  state.mTurnSell = true;
  SaveHomeSetting(ctx);
  EXPECT_EQ(Value("SELECT Recruitment FROM home") + Value("SELECT TurnSell FROM home"), "24True");

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
