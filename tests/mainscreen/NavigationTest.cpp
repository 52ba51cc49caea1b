/** @file NavigationTest.cpp The hovered rows' tooltips on the game's own catalogue, and the count button's captions. */
#include <gtest/gtest.h>

#include <string>

#include "mainscreen/Navigation.h"
#include "support/FreshGameDb.h"

using namespace mainscreen;

namespace {

class ToolTipTest : public FreshGameDb {};

TEST_F(ToolTipTest, ItemRowsShowStrengthWeightEffectNoteAndStock) {
  // 購入 rows: name, stock, price, ..., weight 4, value 5, effect 6, note 7, category 8.
  EXPECT_EQ(GGMainToolTip(*db, "購入", {"木弓", "30", "40", "", "4", "5", "遠距離:1", "木の弓。", "弓"}),
            "攻撃力:5\r\n重量:4\r\n効果:遠距離:1回\r\n木の弓。");
  // 研究 rows decide the strength line by the kind (field 2); a horse shows speed and load.
  EXPECT_EQ(GGMainToolTip(*db, "研究", {"軍馬", "", "防具", "馬", "", "", "", "30", "26", "", "", "0"}),
            "防御力:26\r\n速度:26\r\n搭載可能重量:30");
  EXPECT_EQ(GGMainToolTip(*db, "倉庫", {"傷薬", "", "製品", "回復薬", "", "", "", "1", "0", "体力:25", "", "12"}),
            "重量:1\r\n効果:回復:体力25\r\n売却価格:12");

  // 開始 goods end with the stock: the ranch for horses, the warehouse for the rest.
  ASSERT_TRUE(db->Excute("INSERT INTO itemdata (Name,Storage) VALUES ('駄馬',3)"));
  EXPECT_EQ(GGMainToolTip(*db, "開始", {"駄馬", "", "", "22", "馬", "18", "", ""}),
            "速度:18\r\n搭載可能重量:22\r\n牧場に3匹います");
  EXPECT_EQ(GGMainToolTip(*db, "開始", {"羊毛", "", "", "1", "素材", "0", "", ""}), "重量:1\r\n倉庫に20個あります");
  // A name with a quote is looked up as text, not run as SQL.
  EXPECT_EQ(GGMainToolTip(*db, "開始", {"O'Neil", "", "", "0", "素材", "0", "", ""}), "倉庫にありません");
  // A running trade's goods: stock only; money says nothing.
  EXPECT_EQ(GGMainToolTip(*db, "中止", {"", "羊毛", "5"}), "倉庫に20個あります");
  EXPECT_EQ(GGMainToolTip(*db, "中止", {"", "お金", "500"}), "");
  // Area lists show their own text; 倉庫 without figures and unknown words say nothing.
  EXPECT_EQ(GGMainToolTip(*db, "建設", {"", "", "", "", "", "", "未開の平原"}), "未開の平原");
  EXPECT_EQ(GGMainToolTip(*db, "改修", {"", "", "", "", "", "", "未開の平原"}), "");
  EXPECT_EQ(Rows("SELECT * FROM itemdata WHERE Name='O''Neil'"), 0);
  EXPECT_EQ(ReadFileText(game->Folder() / "DBerr.log"), "");
}

TEST_F(ToolTipTest, BuildingJobsAndHarvestsShowWeeksOnlyWhenTheyCanBeCounted) {
  // Work 0, or less than one week's power, still takes a week; no power gives no estimate.
  const Row job{"畑", "", "", "", "35"};
  EXPECT_EQ(GGSub1ToolTip(*db, "建設", {"畑", "", "", "", "0"}, 1, 10), "完成まで約1週かかります");
  EXPECT_EQ(GGSub1ToolTip(*db, "改修", job, 1, 10), "完成まで約4週かかります");
  EXPECT_EQ(GGSub1ToolTip(*db, "建設", job, 1, 0), "");
  EXPECT_EQ(GGSub1ToolTip(*db, "開始", {"リュシーレ", "友好", "交易を望んでいます"}, 1, 0),
            "友好度：友好\r\n交易を望んでいます");

  // 貧しい麦: a cycle of 4 weeks, the first 1 fallow. Fields: workers 2, product 4, start 6, kind 7.
  auto farm = [&](const char* workers, const char* started, int turn) {
    return GGSub1ToolTip(*db, "配分", {"畑", "", workers, "", "貧しい麦", "", started, "畑"}, turn, 10);
  };
  EXPECT_EQ(farm("3", "8", 10), "生産完了まであと2週");
  EXPECT_EQ(farm("0", "8", 10), "");  // nobody works it: it never finishes
  EXPECT_EQ(farm("3", "8", 8), "生産開始まであと1週");
  EXPECT_EQ(GGSub1ToolTip(*db, "配分", {"牧場", "", "1", "", "貧弱羊", "", "0", "牧場"}, 1, 10),
            "生産開始まであと1週");
  EXPECT_EQ(GGSub1ToolTip(*db, "配分", {"工房", "", "1", "", "布", "", "0", "工房"}, 3, 10), "");
  // A crop without a cycle would divide by zero: no estimate.
  ASSERT_TRUE(db->Excute("UPDATE grain SET Cycle=0 WHERE Name='貧しい麦'"));
  EXPECT_EQ(farm("3", "8", 10), "");
}

TEST_F(ToolTipTest, NestsAndWorkshopProductsListMonstersAndMaterials) {
  const std::string goblins = *GGSub2ToolTip(*db, "討伐", "", {"ゴブリンの巣", "1", "2", "0", ""});
  EXPECT_EQ(goblins.rfind("ゴブリン(", 0), 0u) << goblins;  // never conquered: only its monsters
  EXPECT_EQ(GGSub2ToolTip(*db, "討伐", "", {"ゴブリンの巣", "1", "2", "2", ""})->rfind("討伐2回:財宝=なし\r\nゴブリン(", 0), 0u);
  // A nest whose monsters are missing shows its conquests alone, never another nest's monsters.
  ASSERT_TRUE(db->Excute("UPDATE nest SET AM1='',AM2='',AM3='' WHERE Name='湿った洞窟'"));
  EXPECT_EQ(GGSub2ToolTip(*db, "討伐", "", {"湿った洞窟", "1", "2", "3", "スライムの粘液"}), "討伐3回:財宝=スライムの粘液");
  EXPECT_EQ(GGSub2ToolTip(*db, "討伐", "", {"湿った洞窟", "1", "2", "0", ""}), "");

  // A workshop product: its figures, then each material with its stock.
  EXPECT_EQ(GGSub2ToolTip(*db, "配分", "Engineer", {"布の服", "", "", "軽鎧", "3", "2", "", ""}),
            "防御力:3\r\n重量:2\r\n布は20個");
  EXPECT_EQ(GGSub2ToolTip(*db, "配分", "Engineer", {"羊毛", "", "", "素材", "0", "1", "", ""}), "");
  EXPECT_FALSE(GGSub2ToolTip(*db, "配分", "Producer", {"貧しい麦"}));  // a farm's products: left as it is
}

TEST(CountCaptionTest, CountsRunFromOneToTenAndWrap) {
  struct Case {
    const char *caption, *command;
    bool up;
    const char* expected;
  };
  for (const Case& c : {Case{"回数:1", "購入", true, "回数:2"}, Case{"回数:10", "売却", true, "回数:1"},
                        Case{"交易回数:1", "開始", false, "交易回数:10"}, Case{"交易回数:7", "開始", false, "交易回数:6"},
                        Case{"回数:12", "購入", true, "回数:12"}, Case{"回数:0", "購入", false, "回数:0"},
                        // A caption without its number counts as 1.
                        Case{"回数:", "購入", true, "回数:2"}, Case{"回数", "売却", false, "回数:10"}}) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(CountCaption(c.caption, c.command, c.up).value_or("(none)"), c.expected);
  }
  EXPECT_FALSE(CountCaption("最強装備", "討伐", false));
  EXPECT_FALSE(CountCaption("回数:3", "供給", true));
}

}  // namespace
