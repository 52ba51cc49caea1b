// The remembered equipment sets (their settings text and catalogue look-up) and the tooltip words.
#include <gtest/gtest.h>

#include "army/ItemTexts.h"
#include "army/UnitFormation.h"
#include "army/clsMngUnitItems.h"
#include "support/FreshGameDb.h"

using itemtext::RetItemEffectText;
using itemtext::RetMonsterEffectText;

TEST(UnitItemData, EditedTextsParseIntoOneEntryPerClassAndSlotAndWriteBackStably) {
  clsMngUnitItems m;
  m.SetUnitItemData("");
  EXPECT_EQ(m.GetUnitItemData(), "");
  // Empty elements, short or empty fields and a repeated (class, slot) from an edited file.
  m.SetUnitItemData("セイバー:武器:木刀//ランサー:武器:木の槍/壊れた/セイバー:防具/:武器:木刀/セイバー:武器:骨の剣/");
  const std::string text = m.GetUnitItemData();
  EXPECT_EQ(text, "セイバー:武器:骨の剣/ランサー:武器:木の槍");
  m.SetUnitItem("セイバー", "防具", "布の服");
  m.SetUnitItem("セイバー", "武器", "鉄の剣");  // keeps its place
  m.SetUnitItem("セイバー", "アイテム1", "傷:薬");  // would split the text: not remembered
  EXPECT_EQ(m.GetUnitItemData(), "セイバー:武器:鉄の剣/ランサー:武器:木の槍/セイバー:防具:布の服");

  clsMngUnitItems again;
  again.SetUnitItemData(m.GetUnitItemData());
  EXPECT_EQ(again.GetUnitItemData(), m.GetUnitItemData());
}

class UnitItemDb : public FreshGameDb {};

TEST_F(UnitItemDb, RememberedItemsComeWithTheirStockAndUnknownOnesAreSkipped) {
  clsMngUnitItems m;
  m.SetUnitItemData("セイバー:武器:木刀/セイバー:防具:消えた鎧/セイバー:アクセサリ:O'Neil/ランサー:武器:木の槍");
  auto items = m.GetUnitItem(*db, "セイバー");
  ASSERT_EQ(items.Count(), 1);
  EXPECT_EQ(items.Item("武器").Name, "木刀");
  EXPECT_EQ(m.GetUnitItem(*db, "アーチャー").Count(), 0);
}

TEST(ItemTexts, DescriptionsByCategoryAndForMonsters) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {RetItemEffectText("剣", "毒:30:速度:-2:遠距離:2"), "効果:追加:毒/速度:2ダウン/遠距離:2回"},
      {RetItemEffectText("剣", "属性:炎"), ""},  // only element words used as pair words
      {RetItemEffectText("矢", "炎:1:雷:1:退却:1"), "効果:属性:炎:雷/退却不可"},
      {RetItemEffectText("靴", "万能:0:毒:100:氷:1:速度:6"), "効果:無効:万能:毒/属性:氷/速度:6アップ"},
      {RetItemEffectText("回復薬", "体力:50:軽傷:20:麻痺:100:疲労:5:死者:1:重傷:2"),
       "効果:回復:体力50/疲労5/状態:麻痺/軽傷者20人/重傷者2人/死者1人"},
      {RetItemEffectText("食料", "満腹:10"), ""},
      {RetItemEffectText("木材", "毒:30"), ""},
      {RetMonsterEffectText("遠距離:1:属性:炎:暗闇:15", "耐性:炎:耐性:氷"),
       "効果:遠距離:1回/特殊攻撃:炎/状態異常:暗闇/耐性:炎:氷"},
      {RetMonsterEffectText("", "毒:100"), ""},
      {RetMonsterEffectText("", ""), ""},
  };
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

TEST_F(UnitItemDb, FormationToolTipsForEquipmentAndNests) {
  EXPECT_EQ(army::EquipmentToolTip({"毒の矢", "矢", "5", "1", "80", "毒:30", "毒を塗った矢。"}),
            "攻撃力:5\r\n重量:1\r\n効果:追加:毒\r\n毒を塗った矢。");
  EXPECT_EQ(army::EquipmentToolTip({"軍馬", "馬", "26", "30", "3", "", ""}), "速度:26\r\n搭載可能重量:30");
  EXPECT_EQ(army::NestToolTip(*db, {"湿った洞窟", "1", "1", "2", ""}).value_or("none"),
            "討伐2回:財宝=なし\r\n"
            "スライム(無機:ランサー)\r\n攻撃力:3/防御力:5/速さ:8\r\n\r\n"
            "大ネズミ(獣:セイバー)\r\n攻撃力:5/防御力:2/速さ:16\r\n効果:状態異常:毒\r\n");
  EXPECT_FALSE(army::NestToolTip(*db, {"ない巣", "1", "1", "0", ""}));
}
