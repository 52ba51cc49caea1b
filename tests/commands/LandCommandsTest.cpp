/** @file LandCommandsTest.cpp The land commands on a new game: their lists, questions, refusals, writes and land bookkeeping. */
#include "CommandFixture.h"
#include "sim/People.h"
#include "sim/StatusPanels.h"

namespace cmdtest {
namespace {

class LandCommandsTest : public CommandTest {
 protected:
  std::string Building(int id) {
    return Value("SELECT ID||','||Name||','||Area||','||Product||','||NofProduction||','||StartWeek||','||Work||','||"
                 "[Update] FROM construction WHERE ID=" + std::to_string(id));
  }
  std::string Free(const std::string& area) { return Value("SELECT Development FROM area WHERE Name='" + area + "'"); }
  // The starting barracks' way up, opened as the unlock ladder opens it.
  void OpenBarracksUpgrade() {
    sim::TurnLog log;
    sim::TurnEnd_ConstructCondition(week, "建て直した兵舎", 0, 0, 0, 0, "ボロボロの兵舎", 1, "Name", log);
  }
  void Build(const std::string& area, const std::string& kind) {
    if (form.mCommand != "建設") {
      ASSERT_TRUE(Menu("建設"));
    }
    Pick(GridId::GGMain, 0, area);
    Pick(GridId::GGSub1, 0, kind);
  }
};

TEST_F(LandCommandsTest, FirstListsFollowTheWordAndTheUpgradeListNeedsAnOpenSuccessor) {
  ASSERT_TRUE(Menu("建設"));
  EXPECT_EQ(Grid(GridId::GGMain).Column(0), (Names{"中央市街", "リュシーレ平原"}));
  EXPECT_EQ(Grid(GridId::GGMain).Column(4), (Names{"4", "2"}));
  EXPECT_EQ(state.mConstructPower, 11) << "the help of the 110 employed people";
  ASSERT_TRUE(Menu("探索"));
  EXPECT_EQ(Grid(GridId::GGMain).Column(0), (Names{"リュシーレ平原"})) << "no town and nothing at level 10";

  // Nothing a new game holds has an open successor yet.
  EXPECT_FALSE(Menu("改修"));
  EXPECT_EQ(LastMessage(), "改修できる建物がありません");
  OpenBarracksUpgrade();
  ASSERT_TRUE(Menu("改修"));
  EXPECT_EQ(Grid(GridId::GGMain).Column(4), (Names{"6"})) << "the starting barracks";
  Pick(GridId::GGMain, 4, "6");
  EXPECT_EQ(Button(ButtonId::GLSubMenu).Text(), "ボロボロの兵舎");
  EXPECT_EQ(Grid(GridId::GGSub1).Column(0), (Names{"建て直した兵舎"}));
  EXPECT_EQ(Grid(GridId::GGSub1).Column(2), (Names{"1000"}));

  // A game saved before this way up existed gets it at load, once.
  Exec("DELETE FROM construct WHERE Name='建て直した兵舎'");
  sim::LoadGameState(week);
  sim::LoadGameState(week);
  EXPECT_EQ(Value("SELECT COUNT(*)||'/'||Land||'/'||Price||'/'||Succession||'/'||Open FROM construct "
                  "WHERE Name='建て直した兵舎'"), "1/2/2000/ボロボロの兵舎/0");
}

TEST_F(LandCommandsTest, BuildingAsksTakesLandPaysAtOnceAndAbandonsTheJobUnderWay) {
  Answer({kNo});
  Build("リュシーレ平原", "小さな畑");
  EXPECT_EQ(Building(8), "");
  EXPECT_EQ(Grid(GridId::GGSub1).Column(0), (Names{"小さな畑", "小さな牧場"}));
  EXPECT_EQ(Grid(GridId::GGSub2).Column(0), (Names{"小さな畑", "小さな牧場"})) << "what already stands there";

  Answer({kYes});
  Pick(GridId::GGSub1, 0, "小さな畑");
  EXPECT_EQ(LastMessage(), "小さな畑を建設していいですか?");
  EXPECT_EQ(Building(8), "8,小さな畑,リュシーレ平原,,0,0,40,");

  // A second job in the same area: the first is deleted and its land counted before the new one takes its own.
  form.mCommand.clear();
  Answer({kYes, kNo});
  Build("リュシーレ平原", "小さな牧場");
  EXPECT_EQ(LastMessage(), "現在小さな畑(リュシーレ平原)を建設中です。破棄してもいいですか");
  EXPECT_EQ(Building(8) + "/" + Free("リュシーレ平原"), "8,小さな畑,リュシーレ平原,,0,0,40,/2");
  Answer({kYes, kYes});
  Pick(GridId::GGSub1, 0, "小さな牧場");
  // The new building takes the ID the abandoned one left free.
  EXPECT_EQ(Building(8) + "/" + Building(9) + "/" + Free("リュシーレ平原") + "/" + Value("SELECT Construction FROM home"),
            "8,小さな牧場,リュシーレ平原,,0,0,50,//2/8");
  EXPECT_EQ(data.Money(), 150) << "the abandoned job is not refunded";

  // Refusals leave the panel open. A count of five on the area's row refuses before the price.
  form.mCommand.clear();
  Build("中央市街", "頼りない建設場");
  EXPECT_EQ(LastMessage(), "お金が足りません");
  EXPECT_TRUE(Grid(GridId::GGSub1).Visible());
  form.subListBuildings = "5";
  SetMoney(200);
  Pick(GridId::GGSub1, 0, "頼りない建設場");
  EXPECT_EQ(LastMessage(), "ひとつの地域に建設できるのは5ヵ所までです");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM construction") + "/" + std::to_string(data.Money()), "8/200");
  form.subListBuildings = "4";
  Answer({kYes, kYes});
  Pick(GridId::GGSub1, 0, "頼りない建設場");
  EXPECT_EQ(data.Money(), 0) << "a price equal to the money is accepted";

  // A gathering hut where none of its produce has been found asks again; a lumber camp does not.
  Exec("UPDATE construct SET Open=True WHERE Name IN ('みすぼらしい採取小屋','みすぼらしい伐採所')");
  SetMoney(1000);
  form.mCommand.clear();
  Answer({kYes, kNo});
  Build("リュシーレ平原", "みすぼらしい採取小屋");
  EXPECT_EQ(LastMessage(), "そのエリアには生産するアイテムがありません\r\nそれでも建設しますか?");
  Answer({kYes, kNo});
  Pick(GridId::GGSub1, 0, "みすぼらしい伐採所");
  EXPECT_EQ(LastMessage(), "現在頼りない建設場(中央市街)を建設中です。破棄してもいいですか");
}

TEST_F(LandCommandsTest, UpgradeTakesHalvesAndExtraLandAndAnAbandonedUpgradeGivesItBack) {
  OpenBarracksUpgrade();
  SetMoney(5000);
  for (const auto& [work, half] : {std::pair{"25", "12"}, std::pair{"27", "14"}}) {
    Exec(std::string("UPDATE construct SET Work=") + work + " WHERE Name='建て直した兵舎'");
    Exec("UPDATE construction SET Work=0,[Update]='' WHERE ID=6");
    Exec("UPDATE area SET Development=11 WHERE Name='中央市街'");
    form.mCommand.clear();
    ASSERT_TRUE(Menu("改修"));
    Pick(GridId::GGMain, 4, "6");
    Answer({kYes});
    Pick(GridId::GGSub1, 0, "建て直した兵舎");
    EXPECT_EQ(Building(6), std::string("6,ボロボロの兵舎,中央市街,,20,1,") + half + ",建て直した兵舎");
  }
  EXPECT_EQ(LastMessage(), "ボロボロの兵舎を建て直した兵舎に改修します");
  EXPECT_EQ(Free("中央市街") + "/" + std::to_string(data.Money()), "10/3000");
  EXPECT_EQ(screen.label(sim::LabelId::Construct).mainText, "改修:建て直した兵舎(中央市街)");

  // Building something else resets the upgrade (the barracks stays as it was) and gives its
  // extra land back before the new building takes its own.
  Answer({kYes, kYes});
  Build("中央市街", "小さな工房");
  EXPECT_EQ(LastMessage(), "現在建て直した兵舎(中央市街)を建設中です。破棄してもいいですか");
  EXPECT_EQ(Building(6), "6,ボロボロの兵舎,中央市街,,20,1,0,");
  EXPECT_EQ(Free("中央市街"), "10");
}

TEST_F(LandCommandsTest, DemolitionReturnsTheLandOfWhatTheBuildingHolds) {
  Exec("UPDATE construct SET Open=True WHERE Name='建て直した兵舎'");
  Exec("UPDATE construction SET Work=150,[Update]='建て直した兵舎' WHERE ID=6");
  Exec("UPDATE home SET Construction=6");
  Exec("UPDATE area SET Development=10 WHERE Name='中央市街'");
  ASSERT_TRUE(Menu("解体"));
  Pick(GridId::GGMain, 0, "中央市街");
  EXPECT_EQ(Sorted(Grid(GridId::GGSub1).Column(0)), Sorted({"小さな住宅地", "小さな工房", "小規模商店街", "ボロボロの兵舎"}));
  Pick(GridId::GGSub1, 0, "小さな住宅地");
  EXPECT_EQ(LastMessage(), "住宅地は解体できません");
  Answer({kYes});
  Pick(GridId::GGSub1, 0, "ボロボロの兵舎");
  EXPECT_EQ(LastMessage(), "ボロボロの兵舎は建て直した兵舎に改修中です。解体していいですか");
  EXPECT_EQ(Building(6) + "/" + Free("中央市街") + "/" + Value("SELECT Construction FROM home"), "/12/0");

  ASSERT_TRUE(Menu("解体"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Answer({kYes});
  Pick(GridId::GGSub1, 0, "小さな牧場");
  EXPECT_EQ(LastMessage(), "小さな牧場を解体していいですか");
  EXPECT_EQ(Building(7) + "/" + Free("リュシーレ平原") + "/" + std::to_string(data.Money()), "/4/500");
}

// A second step that shows nothing hides the previous area's list, so no row of it can act on the new area.
TEST_F(LandCommandsTest, AnAreaWithNothingToOfferLeavesNoListOfAnotherArea) {
  Exec("UPDATE area SET Open=True WHERE Name='ルイン平原'");
  ASSERT_TRUE(Menu("建設"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Pick(GridId::GGMain, 0, "ルイン平原");
  EXPECT_EQ(LastMessage(), "建設用地がありません");
  EXPECT_FALSE(Grid(GridId::GGSub1).Visible() || Grid(GridId::GGSub2).Visible() || Button(ButtonId::GLSubMenu).Visible());
  cmd::ConstructCommand(c);
  EXPECT_EQ(Building(9) + Free("ルイン平原"), "0");
  // Free land equal to a type's land is enough for it.
  Exec("UPDATE area SET Development=1 WHERE Name='ルイン平原'");
  ASSERT_TRUE(Menu("建設"));
  Pick(GridId::GGMain, 0, "ルイン平原");
  EXPECT_TRUE(Grid(GridId::GGSub1).Visible());
  EXPECT_EQ(Sorted(Grid(GridId::GGSub1).Column(0)), Sorted({"小さな畑", "小さな牧場"}));

  Exec("INSERT INTO construction VALUES(9,'小さな畑','リュシーレ平原','',0,0,0,'')");
  Exec("INSERT INTO construction VALUES(10,'小さな畑','リュシーレ平原','',0,0,0,'')");
  Exec("INSERT INTO construction VALUES(11,'小さな畑','リュシーレ平原','',0,0,0,'')");
  ASSERT_TRUE(Menu("建設"));
  screen.shown.clear();
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  EXPECT_FALSE(Grid(GridId::GGSub1).Visible()) << "five buildings: no types";
  EXPECT_EQ(Grid(GridId::GGSub2).Rows(), 5);
  EXPECT_EQ(LastMessage(), "") << "a full area is no lack of land";

  ASSERT_TRUE(Menu("配分"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Pick(GridId::GGMain, 0, "ルイン平原");
  EXPECT_EQ(LastMessage(), "配分できる建物はありません");
  EXPECT_FALSE(Grid(GridId::GGSub1).Visible());
  ASSERT_TRUE(Menu("解体"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Pick(GridId::GGMain, 0, "ルイン平原");
  EXPECT_EQ(LastMessage(), "この地域には何も建設されていません");
  EXPECT_FALSE(Grid(GridId::GGSub1).Visible());

  // A successor that cannot stand on the building's area.
  Exec("UPDATE construct SET Open=True,Area='平原' WHERE Name='建て直した兵舎'");
  ASSERT_TRUE(Menu("改修"));
  Pick(GridId::GGMain, 4, "6");
  EXPECT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors.back().rfind("改修エラー\r\nSELECT", 0), 0u);
  EXPECT_FALSE(Grid(GridId::GGSub1).Visible());
}

// A row a command needs that is gone stops it before it writes anything.
TEST_F(LandCommandsTest, AMissingRowStopsTheCommandBeforeAnyWrite) {
  ASSERT_TRUE(Menu("解体"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Exec("DELETE FROM construct WHERE Name='小さな牧場'");
  Answer({kYes});
  Pick(GridId::GGSub1, 0, "小さな牧場");
  EXPECT_EQ(screen.errors.back().rfind("解体建物の用地取得エラー\r\nSELECT", 0), 0u);
  EXPECT_EQ(Building(7).empty() ? "gone" : Free("リュシーレ平原"), "3");

  OpenBarracksUpgrade();
  SetMoney(5000);
  ASSERT_TRUE(Menu("改修"));
  Pick(GridId::GGMain, 4, "6");
  Exec("UPDATE construct SET Succession='' WHERE Name='建て直した兵舎'");
  Answer({kYes});
  Pick(GridId::GGSub1, 0, "建て直した兵舎");
  EXPECT_EQ(screen.errors.back().rfind("改修費用取得エラー\r\nSELECT", 0), 0u);
  EXPECT_EQ(Building(6) + "/" + Free("中央市街") + "/" + Value("SELECT Construction||'/'||[Money] FROM home"),
            "6,ボロボロの兵舎,中央市街,,20,1,0,/11/0/5000");

  // A write that fails takes the others back with it: the job under way, the land and the money stay.
  Exec("UPDATE construction SET Work=30 WHERE ID=3");
  Exec("UPDATE home SET Construction=3");
  FailWritesTo("construction", "INSERT");
  Answer({kYes, kYes});
  Build("リュシーレ平原", "小さな畑");
  EXPECT_EQ(screen.errors.back().rfind("建設SQLエラー\r\nINSERT", 0), 0u);
  EXPECT_EQ(Building(3) + "/" + Free("リュシーレ平原") + "/" + Value("SELECT Construction||'/'||[Money] FROM home") +
                "/" + std::to_string(data.Money()),
            "3,小さな畑,リュシーレ平原,貧しい麦,50,1,30,/3/3/5000/5000");
}

TEST_F(LandCommandsTest, ADamagedListRowIsADataErrorAndChangesNothing) {
  // An ID that is no number: "DELETE FROM construction WHERE ID=7 OR 1=1" would take every building.
  Exec("UPDATE construction SET ID='7 OR 1=1' WHERE ID=7");
  ASSERT_TRUE(Menu("解体"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Answer({kYes});
  Pick(GridId::GGSub1, 0, "小さな牧場");
  EXPECT_EQ(screen.errors.back(), "解体建物取得エラー\r\nconstruction.ID=7 OR 1=1");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM construction"), "7");

  // A price below 0 in the catalogue was paid backwards.
  SetMoney(500);
  Exec("UPDATE construct SET Price=-1000 WHERE Name='小さな畑'");
  Answer({kYes, kYes});
  Build("リュシーレ平原", "小さな畑");
  EXPECT_EQ(screen.errors.back(), "建設費用取得エラー\r\nconstruct.Price=-1000");
  EXPECT_EQ(Value("SELECT COUNT(*)||'/'||(SELECT [Money] FROM home) FROM construction") + "/" + std::to_string(data.Money()),
            "7/500/500");
}

// New buildings are given IDs of 32 bits: one past 16 bits was read back as no ID and could
// never be staffed, upgraded or demolished.
TEST_F(LandCommandsTest, ABuildingWhoseIdPassesSixteenBitsIsStaffedUpgradedAndDemolished) {
  SetMoney(5000);
  Exec("UPDATE construction SET ID=40000 WHERE ID=6");  // the barracks
  Answer({kYes});
  Build("リュシーレ平原", "小さな畑");
  ASSERT_EQ(Building(40001), "40001,小さな畑,リュシーレ平原,,0,0,40,");
  Exec("UPDATE construction SET Work=0 WHERE ID=40001");

  ASSERT_TRUE(Menu("配分"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Pick(GridId::GGSub1, 5, "40001");
  Pick(GridId::GGSub2, 0, "貧しい麦");
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Building(40001), "40001,小さな畑,リュシーレ平原,貧しい麦,0,1,0,");

  OpenBarracksUpgrade();
  ASSERT_TRUE(Menu("改修"));
  Pick(GridId::GGMain, 4, "40000");
  Answer({kYes});
  Pick(GridId::GGSub1, 0, "建て直した兵舎");
  EXPECT_EQ(Building(40000), "40000,ボロボロの兵舎,中央市街,,20,1,150,建て直した兵舎");

  ASSERT_TRUE(Menu("解体"));
  Pick(GridId::GGMain, 0, "中央市街");
  Answer({kYes});
  Pick(GridId::GGSub1, 0, "ボロボロの兵舎");
  EXPECT_EQ(Building(40000), "");
  EXPECT_TRUE(screen.errors.empty()) << screen.errors.front();
}

TEST_F(LandCommandsTest, AllocationBuildsItsScreenLocksGrowingCropsAndCommitsStaffAndProduct) {
  // Held, and asking the producers' education of 10 or less: 種芋 and 貧弱豚 just so, not 丈夫な麦 or 肥えた豚.
  for (const char* held : {"種芋", "丈夫な麦", "貧弱豚", "肥えた豚"})
    Exec(std::string("INSERT INTO itemdata VALUES('") + held + "',0,0,0,'非公開',21,False)");
  ASSERT_TRUE(Menu("配分"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  EXPECT_EQ(Sorted(Grid(GridId::GGSub1).Column(0)), Sorted({"小さな畑", "小さな牧場"}));
  Pick(GridId::GGSub1, 0, "小さな牧場");
  EXPECT_EQ(Sorted(Grid(GridId::GGSub2).Column(0)), Sorted({"貧弱羊", "貧弱豚"}));
  Pick(GridId::GGSub1, 0, "小さな畑");
  const fake::FakeSlider& slider = host.slider;
  EXPECT_EQ(std::to_string(slider.max) + "/" + std::to_string(slider.value) + "/" + slider.text, "60/50/小さな畑");
  EXPECT_EQ(host.restruct.subText, "0");
  EXPECT_EQ(Sorted(Grid(GridId::GGSub2).Column(0)), Sorted({"貧しい麦", "種芋"}));
  EXPECT_TRUE(slider.enable && Button(ButtonId::GLClear).enable && Button(ButtonId::GLExcute).Visible());

  bool accept = true;
  cmd::PSMain_ValueChenge(c, 51, accept);
  EXPECT_FALSE(accept) << "no producer is free";
  cmd::PSMain_ValueChenge(c, 50, accept);
  EXPECT_TRUE(accept) << "every producer at work";
  cmd::PSMain_ValueChenge(c, 30, accept);
  EXPECT_TRUE(accept);
  EXPECT_EQ(host.restruct.subText, "20");

  // The same product keeps its cycle; releasing it starts a new one this week.
  host.slider.value = 30;
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Building(3), "3,小さな畑,リュシーレ平原,貧しい麦,30,1,0,");
  EXPECT_FALSE(slider.Visible());
  state.mTurn = 5;
  ASSERT_TRUE(Menu("配分"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Pick(GridId::GGSub1, 0, "小さな畑");
  ClearProduct();
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Building(3), "3,小さな畑,リュシーレ平原,,30,5,0,");

  // 貧しい麦: cycle 4, fallow 1. Production runs from week 1 of the cycle on.
  Exec("UPDATE construction SET Product='貧しい麦',StartWeek=1 WHERE ID=3");
  ASSERT_TRUE(Menu("配分"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  for (const auto& [turn, locked] : {std::pair{1, false}, std::pair{2, true}, std::pair{5, false}}) {
    state.mTurn = turn;
    Pick(GridId::GGSub1, 0, "小さな畑");
    EXPECT_EQ(!slider.enable, locked) << "week " << turn;
  }
  Answer({kNo});
  host.slider.value = 10;
  state.mTurn = 2;
  Pick(GridId::GGSub1, 0, "小さな畑");
  cmd::GLExcute_Click(c);
  EXPECT_EQ(LastMessage(), "現在生産しているものを破棄してもいいですか?");
  EXPECT_EQ(Value("SELECT NofProduction FROM construction WHERE ID=3"), "30");
  Exec("UPDATE grain SET Cycle=0 WHERE Name='貧しい麦'");
  Pick(GridId::GGSub1, 0, "小さな畑");
  EXPECT_TRUE(slider.enable) << "a crop without a cycle never locks";

  // A building without products shows no list of the one before.
  Exec("DELETE FROM itemdata WHERE Name IN ('貧弱羊','貧弱豚')");
  Pick(GridId::GGSub1, 0, "小さな牧場");
  EXPECT_FALSE(Grid(GridId::GGSub2).Visible());
  // A workshop lists what it can make with stock and sale price.
  Pick(GridId::GGMain, 0, "中央市街");
  Pick(GridId::GGSub1, 0, "小さな工房");
  EXPECT_TRUE(Grid(GridId::GGSub2).Visible() && Grid(GridId::GGSub2).shownCols == 3 &&
              Grid(GridId::GGSub2).set == cmd::ColumnSet::ItemSell);
}

TEST_F(LandCommandsTest, ThePanelOpensAndClosesByGroup) {
  using cmd::PanelId;
  host.panel(PanelId::GLToolTip).visible = true;
  cmd::HideCommandPanel(c, "", false);
  EXPECT_TRUE(host.panel(PanelId::GLTurnEnd).visible && !host.panel(PanelId::GLToolTip).visible);
  for (auto id : {ButtonId::GLSubMenu, ButtonId::GLSubMenu2, ButtonId::GLSubMenu3, ButtonId::GLExcute})
    Button(id).visible = true;
  host.panel(PanelId::GVTrade).visible = host.slider.visible = true;
  cmd::HideCommandPanel(c, "開始", false);
  EXPECT_FALSE(host.panel(PanelId::GVTrade).visible || host.slider.visible || Button(ButtonId::GLSubMenu3).visible ||
               Button(ButtonId::GLSubMenu).visible);
  form.mCommand = "建設";
  Button(ButtonId::GLExcute).visible = true;
  cmd::GLExcute_Click(c);
  EXPECT_FALSE(Button(ButtonId::GLExcute).visible) << "a word without a commit only closes the panel";
}

}  // namespace
}  // namespace cmdtest
