// Tests of item research: levels at (L + 1) x 100 points up to 10 with 1100, the shared effort, and recipes revealed by the target's level.
#include <gtest/gtest.h>

#include "MarketTestSupport.h"
#include "sim/Research.h"
#include "sim/TurnEnd_Market.h"

using namespace sim;

namespace {

class MarketResearchTest : public simtest::MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    Exec("DELETE FROM itemdata");
    for (const char* occ : {"Producer", "Merchant", "Constructor", "Engineer", "Soldier"}) data.Education(occ, 10);
    data.Population(110);
  }
  std::string Row(const std::string& name) {
    return Value("SELECT ItemLevel||','||Research FROM itemdata WHERE Name=" + Q(name));
  }
};

TEST_F(MarketResearchTest, LevelRisesAtItsThresholdAndStopsAtTen) {
  // The target's research is capped at 75 a week, the general research at 25.
  struct Case { int level, research, points, value; bool capped; const char* after; const char* entry; };
  const Case cases[] = {
      {3, 390, 20, 1, true, "4,10", "itemresearch:試験品の研究レベルが上がって4になりました,"},
      {9, 950, 60, 1, true, "10,1100", "itemresearch:試験品の研究レベルが上がって10になりました,"},
      {10, 1100, 75, 1, true, "10,1100", ""},
      {0, 90, 30, 3, true, "1,0", "itemresearch:試験品の研究レベルが上がって1になりました,"},
      {1, 190, 500, 1, false, "2,100", "itemresearch:試験品の研究レベルが上がって2になりました,"},  // carries 100 at most
      {2, 10, 10000000, 1, true, "2,35", ""},  // wide points are capped, not overflowed
      {2, 10, 100, 0, true, "2,10", ""},       // no difficulty in the catalogue: no research
  };
  for (const Case& c : cases) {
    PutStock("試験品", 0, c.level, c.research);
    clsItemResearch item{"試験品", static_cast<int16_t>(c.value), static_cast<int16_t>(c.level),
                         static_cast<int16_t>(c.research)};
    Log = {};
    ItemResearchAdd(ctx, item, c.points, Log, c.capped, c.points == 10000000 ? 25 : 75);
    EXPECT_EQ(Row("試験品"), c.after) << c.level << "/" << c.research << "+" << c.points;
    EXPECT_EQ(Log.Text(), c.entry) << c.level << "/" << c.research << "+" << c.points;
    EXPECT_EQ(std::to_string(item.ItemLevel), std::string(c.after).substr(0, std::string(c.after).find(',')));
  }
}

TEST_F(MarketResearchTest, GeneralEffortIsSharedByPublicItems) {
  PutItem("易しい品", 10, 1);
  PutItem("難しい品", 10, 3);
  PutItem("秘密品", 10, 1);
  PutStock("易しい品", 0, 0, 0);
  PutStock("難しい品", 0, 0, 0);
  PutStock("秘密品", 0, 0, 0, false);
  // 10 / 30 x 110 x sqrt(10) / 2 = 57.98: 58 points, 25 at most after dividing by the difficulty.
  TurnEnd_ItemResearchAll(ctx, Log);
  EXPECT_EQ(Row("易しい品"), "0,25");
  EXPECT_EQ(Row("難しい品"), "0,19");
  EXPECT_EQ(Row("秘密品"), "0,0");
}

TEST_F(MarketResearchTest, TargetRevealsRecipesOnceItsIngredientsQualify) {
  PutItem("素材A", 10, 1);
  PutItem("素材B", 10, 1);
  PutStock("素材A", 0, 2, 290);
  PutStock("素材B", 0, 1, 0);
  PutStock("製品Y", 4, 0, 0, false);
  Exec("UPDATE itemdata SET Synthesis=False WHERE Name='製品Y'");
  Exec("DELETE FROM synthesisitem WHERE Name IN ('製品X','製品Y','製品Z')");
  Exec("INSERT INTO synthesisitem VALUES('製品X','素材A',1,3)");
  Exec("INSERT INTO synthesisitem VALUES('製品X','素材B',1,2)");
  Exec("INSERT INTO synthesisitem VALUES('製品Y','素材A',1,3)");
  Exec("INSERT INTO synthesisitem VALUES('製品Z','素材A',1,4)");
  state.panels.itemResearch = "素材A";

  TurnEnd_ItemResearch(ctx, Log);  // education 10: A reaches level 3; B is still too low for X
  EXPECT_EQ(Row("素材A"), "3,0");
  EXPECT_EQ(Log.Text(), "itemresearch:素材Aの研究レベルが上がって3になりました,"
                        "newitem:素材Aから\r\n【製品Y】の生産方法を発見しました,");
  EXPECT_EQ(Value("SELECT Storage||Synthesis FROM itemdata WHERE Name='製品Y'"), "41");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM itemdata WHERE Name='製品X'"), "0");

  Exec("UPDATE itemdata SET ItemLevel=2 WHERE Name='素材B'");
  Log = {};
  TurnEnd_ItemResearch(ctx, Log);
  EXPECT_EQ(Log.Text(), "newitem:素材Bと素材Aから\r\n【製品X】の生産方法を発見しました,");
  EXPECT_EQ(Value("SELECT Storage||ItemLevel||Open||DecreaseWeek||Synthesis FROM itemdata WHERE Name='製品X'"),
            "00非公開211");

  Log = {};
  TurnEnd_ItemResearch(ctx, Log);  // known recipes are not reported again
  EXPECT_TRUE(Log.Empty());

  state.panels.itemResearch = "目録に無い品";
  TurnEnd_ItemResearch(ctx, Log);
  EXPECT_EQ(screen.errors, std::vector<std::string>{"研究アイテム取得エラー:TurnEnd_ItemResearch"});
}

}  // namespace
