// Tests of the status panels: their texts on a new game, the edge values, and that the week uses
// the figures of their last refresh.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

#include "SimFixture.h"
#include "sim/Economy.h"
#include "sim/StatusPanels.h"
#include "sim/TurnEnd.h"

using namespace sim;

namespace {

// The army's side of the load: keeps the battle units handed over.
struct UnitsHandedOver : sim::IArmy {
  void TurnEnd_Conquest(WeekContext&, TurnLog&) override {}
  void UnitAdd(const BattleUnitSetup& unit, const std::string& name) override { units.emplace_back(name, unit); }
  std::vector<std::pair<std::string, BattleUnitSetup>> units;
};

class PanelsTest : public simtest::SimTest {
 protected:
  void Refresh() {
    LoadPeopleData(ctx);
    ShowPeopleAll(ctx, true);
    ShowAreaResearch(ctx);
    ShowItemResearch(ctx);
    ShowConstruct(ctx);
  }
  std::string Cell(ViewId v, int16_t r, int16_t c) { return screen.view(v).HeaderText(r, c); }
  std::string MainText(LabelId l) { return screen.label(l).mainText; }
};

TEST_F(PanelsTest, NewGameShowsTheStartingKingdom) {
  Refresh();
  using V = ViewId;
  const std::tuple<ViewId, int16_t, int16_t, const char*> cells[] = {
      {V::People, 2, 2, "70/70"}, {V::People, 5, 2, "0/0"},   {V::Merchant, 2, 4, "10"},    {V::Merchant, 3, 4, "0"},
      {V::Kingdom, 1, 2, "人口:110"}, {V::Kingdom, 2, 1, "みすぼらしい王宮"}, {V::Kingdom, 2, 4, "信頼:10"},
      {V::Kingdom, 3, 1, "金:500"}, {V::Kingdom, 3, 2, "穀物:6000"}};
  for (const auto& [view, r, c, text] : cells) EXPECT_EQ(Cell(view, r, c), text) << r << "," << c;
  EXPECT_EQ(MainText(LabelId::AreaResearch) + MainText(LabelId::ItemResearch) + MainText(LabelId::Construct), "探索:なし研究:なし建設:なし");
  EXPECT_EQ(std::to_string(state.mTurn) + "/" + std::to_string(state.panels.population) + "/" + state.panels.palace,
            "1/110/みすぼらしい王宮");
}

TEST_F(PanelsTest, DatesAveragesAndGauges) {
  Exec("UPDATE home SET Turn=104");
  Exec("UPDATE people SET Affluence=40 WHERE Occupation='Soldier'");
  Exec("UPDATE people SET Number=0 WHERE Occupation<>'Soldier'");
  ShowKingdom(ctx);
  EXPECT_EQ(Cell(ViewId::Kingdom, 1, 1) + "/" + Cell(ViewId::Kingdom, 2, 2), "建国2年 第52週/裕福:40");  // only the soldiers count
  Exec("UPDATE home SET Turn=53");
  Exec("UPDATE people SET Number=0");
  ShowKingdom(ctx);
  EXPECT_EQ(Cell(ViewId::Kingdom, 1, 1) + "/" + Cell(ViewId::Kingdom, 2, 2), "建国2年 第1週/裕福:0");  // no people at all
  // The week before the lowest week of 32 bits passed them; \ and Mod truncate towards 0.
  Exec("UPDATE home SET Turn=-2147483648");
  ShowKingdom(ctx);
  EXPECT_EQ(Cell(ViewId::Kingdom, 1, 1) + "/" + std::to_string(state.mTurn), "建国-41297761年 第-24週/-2147483648");

  Exec("UPDATE home SET Arearesearch='リュシーレ平原'");
  Exec("UPDATE area SET AreaLevel=2,Research=150 WHERE Name='リュシーレ平原'");
  ShowAreaResearch(ctx);
  EXPECT_EQ(MainText(LabelId::AreaResearch) + std::to_string(screen.label(LabelId::AreaResearch).value) + state.panels.areaResearch,
            "探索:リュシーレ平原(2)50リュシーレ平原");

  Exec("UPDATE construct SET Work=300 WHERE Name='小さな住宅地'");
  Exec("UPDATE construction SET Work=299 WHERE ID=2");
  Exec("UPDATE home SET Construction=2");
  ShowConstruct(ctx);
  EXPECT_EQ(MainText(LabelId::Construct) + std::to_string(screen.label(LabelId::Construct).value) + state.panels.construction,
            "建設:小さな住宅地(中央市街)1小さな住宅地");

  // A job whose building is gone is no job, not the previous query's row.
  Exec("UPDATE home SET Construction=99");
  ShowConstruct(ctx);
  Exec("UPDATE home SET Itemresearch='幻の剣'");  // likewise an item the kingdom does not know
  ShowItemResearch(ctx);
  EXPECT_EQ(MainText(LabelId::Construct) + state.panels.construction + MainText(LabelId::ItemResearch), "建設:なし研究:なし");
}

TEST_F(PanelsTest, TheWeekUsesTheFiguresOfTheLastRefresh) {
  Refresh();
  Exec("UPDATE home SET Turn=12");
  state.mTurn = 12;
  // Between the refresh and the week, the merchants grow in the database only.
  Exec("UPDATE people SET Number=40 WHERE Occupation='Merchant'");
  settings.Set("Report11", "1");
  TurnEnd(ctx);
  EXPECT_EQ(screen.Waited(), (std::vector<std::string>{"税金が4入りました"}));  // 10 merchants, not 40
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "504");
  // The week's end refreshed the panels.
  EXPECT_EQ(std::to_string(state.panels.People(PanelOcc::Merchant)) + Cell(ViewId::Kingdom, 1, 1), "40建国1年 第13週");
  EXPECT_TRUE(screen.errors.empty()) << screen.errors.front();
}

TEST_F(PanelsTest, ArmiesInTheFieldBecomeBattleUnitsAtLoad) {
  Exec("INSERT INTO item (Name,Category,Power,Weight,Effect) VALUES ('短弓','弓',8,2,''),('木の矢束','矢',3,1,'')");
  Exec("INSERT INTO monster (Name,Race,Class,Attack,Defence,Speed) VALUES ('試しの魔物','亜人','セイバー',5,4,3)");
  Exec("INSERT INTO unit VALUES(1,'国王軍','Ally','巣',2,'アーチャー',30,50,45,'短弓','','','','',100,1,0,0,0,'木の矢束')");
  Exec("INSERT INTO unit VALUES(2,'試しの魔物','Enemy','巣',0,'',0,0,0,'','','','','',100,1,0,0,0,'')");
  UnitsHandedOver army;
  ctx.army = &army;
  InitGameData(ctx);
  ASSERT_EQ(army.units.size(), 2u);
  const auto& [key, ally] = army.units[0];
  EXPECT_EQ(key, "国王軍1");
  EXPECT_TRUE(ally.hasSubArms);
  // soldiers, education, arms, arrows; an empty slot is no item, and no error
  EXPECT_EQ((std::vector<int>{ally.soldiers, ally.education, ally.arms.Power, ally.subArms.Power, ally.protector.Power}),
            (std::vector<int>{45, 30, 8, 3, 0}));
  ASSERT_FALSE(army.units[1].second.monsterRow.empty());
  EXPECT_EQ(army.units[1].second.monsterRow[1], "亜人");
  EXPECT_TRUE(screen.errors.empty());
}

// The load reads every number through the week's readers: a value it cannot read is named with
// its column, and the load goes on without it (a figure counts 0, an occupation is left out of
// an average, a job or target shows no progress but stays for the week).
TEST_F(PanelsTest, ValuesTheLoadCannotReadAreNamedAndTheLoadGoesOn) {
  UnitsHandedOver army;
  ctx.army = &army;
  Exec("UPDATE construction SET Work=30 WHERE ID=3");
  Exec("UPDATE home SET Construction=3,Itemresearch='布の服',Arearesearch='リュシーレ平原'");
  Exec("UPDATE people SET Trust=40 WHERE Occupation='Soldier'");
  Exec("INSERT INTO unit VALUES(1,'国王軍','Ally','ゴブリンの巣',2,'セイバー',10,5,5,'木刀','','','','',100,1,0,0,0,'')");
  auto label = [&](LabelId l) { return MainText(l) + " " + std::to_string(screen.label(l).value); };
  auto trust = [&] { return Cell(ViewId::Kingdom, 2, 4); };
  struct Case {
    const char* damage;
    const char* error;  // "" for none
    std::function<std::string()> shown;
    const char* expected;
  };
  const Case cases[] = {
      {"", "", [&] { return label(LabelId::Construct) + "/" + label(LabelId::ItemResearch) + "/" + trust(); },
       "建設:小さな畑(リュシーレ平原) 25/研究:布の服(1) 25/信頼:25"},
      {"UPDATE home SET Construction=2147483648", "建設建物取得エラー:ShowConstruct\r\nhome.Construction=2147483648",
       [&] { return label(LabelId::Construct) + state.panels.construction; }, "建設:なし 0"},
      {"UPDATE construction SET Work='' WHERE ID=3", "", [&] { return label(LabelId::Construct); },
       "建設:小さな畑(リュシーレ平原) 100"},
      {"UPDATE construct SET Work=32768 WHERE Name='小さな畑'", "建設建物取得エラー:ShowConstruct\r\nconstruct.Work=32768",
       [&] { return label(LabelId::Construct) + "/" + state.panels.construction; },
       "建設:小さな畑(リュシーレ平原) 0/小さな畑"},
      {"UPDATE area SET AreaLevel='abc' WHERE Name='リュシーレ平原'",
       "探索エリア取得エラー:ShowAreaResearch\r\narea.AreaLevel=abc",
       [&] { return label(LabelId::AreaResearch) + "/" + state.panels.areaResearch; }, "探索:リュシーレ平原 0/リュシーレ平原"},
      // Merchants left out: (10 + 10 + 3 x 40) / 5; counted as 0 it would be 23.
      {"UPDATE people SET Trust='abc' WHERE Occupation='Merchant'", "職種別人口取得エラー:LoadPeopleData\r\npeople.Trust=abc",
       trust, "信頼:28"},
      {"UPDATE people SET Trust=2147483647 WHERE Occupation='Merchant'", "", trust, "信頼:40"},
      {"UPDATE construction SET NofProduction=32768 WHERE ID=5",
       "職種別雇用数取得エラー:ShowOccupation\r\nSUM(construction.NofProduction)=32768",
       [&] { return Cell(ViewId::People, 3, 2); }, "0/10"},
      {"UPDATE home SET TurnBuy='abc',TurnSell=True", "ゲームの状態取得エラー:InitGameData\r\nhome.TurnBuy=abc",
       [&] { return std::to_string(state.mTurnBuy) + std::to_string(state.mTurnSell); }, "01"},
      // The army's weapon keeps its name, so that it comes home.
      {"UPDATE item SET Weight=32768 WHERE Name='木刀'", "アイテム情報取得エラー:RetclsItem:Name=木刀\r\nitem.Weight=32768",
       [&] { return army.units.back().second.arms.Name + std::to_string(army.units.back().second.arms.Weight); }, "木刀0"},
      {"UPDATE unit SET Education=1e308", "軍データ取得エラー:InitGameData\r\nunit.Education=1E+308",
       [&] { return std::to_string(army.units.size()); }, "0"},
  };
  for (const Case& c : cases) {
    Exec("SAVEPOINT damaged");
    if (*c.damage) Exec(c.damage);
    screen.errors.clear();
    army.units.clear();
    state.moneyLoaded = false;
    EXPECT_TRUE(LoadGameState(ctx)) << c.damage;
    EXPECT_EQ(screen.errors, *c.error ? std::vector<std::string>{c.error} : std::vector<std::string>{}) << c.damage;
    EXPECT_EQ(c.shown(), c.expected) << c.damage;
    Exec("ROLLBACK TO damaged");
    Exec("RELEASE damaged");
  }
}

// Without its week number or its people a saved game cannot be played: the load names what is
// missing and stops before anything is written or shown.
TEST_F(PanelsTest, WithoutAWeekNumberOrPeopleTheLoadStopsWritingNothing) {
  Exec("DELETE FROM construct WHERE Name='建て直した兵舎'");  // the load would add it to an older save
  const std::string stop = "\r\n週数が読めないため、ゲームを終了します";
  const std::pair<const char*, std::string> cases[] = {
      {"UPDATE home SET Turn='abc'", "週数取得エラー:LoadGameState\r\nhome.Turn=abc" + stop},
      {"UPDATE home SET Turn=NULL", "週数取得エラー:LoadGameState\r\nhome.Turn=" + stop},
      {"DELETE FROM home", "週数取得エラー:LoadGameState\r\nhome に行がありません" + stop},
      {"DELETE FROM people", "職種別人口取得エラー:LoadGameState\r\npeople に行がありません\r\n国民がいないため、ゲームを終了します"},
  };
  for (const auto& [damage, error] : cases) {
    Exec("SAVEPOINT damaged");
    Exec(damage);
    screen.errors.clear();
    EXPECT_FALSE(LoadGameState(ctx)) << damage;
    EXPECT_EQ(screen.errors, std::vector<std::string>{error});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM construct WHERE Name='建て直した兵舎'") + std::to_string(screen.views.size()),
              "00")
        << damage;
    Exec("ROLLBACK TO damaged");
    Exec("RELEASE damaged");
  }
  // The last week of 32 bits is a week number.
  Exec("UPDATE home SET Turn=2147483647");
  EXPECT_TRUE(LoadGameState(ctx));
  EXPECT_EQ(state.mTurn, 2147483647);
}

}  // namespace
