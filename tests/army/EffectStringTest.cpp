// Reading effect strings into a battle unit's lists, well-formed and damaged.
#include <gtest/gtest.h>

#include "army/clsCommonEffect.h"
#include "army/clsUnitver2.h"

namespace {

using List = std::vector<std::pair<std::string, int>>;

List Entries(const EffectList& list) {
  List out;
  for (const auto& e : list) out.emplace_back(e.Effect, e.EffectPower);
  return out;
}

clsUnitver2 Saber() {
  clsUnitver2 u;
  u.SetUnit("1", "国王軍", "セイバー", 100, 50);
  return u;
}

}  // namespace

TEST(EffectString, AttackAndDefenceReaders) {
  clsUnitver2 u = Saber();
  u.SetAttackEffects("速度:3:退却");
  EXPECT_EQ(u.SpeedBonus(), 3);
  EXPECT_TRUE(u.Retreat());  // the unpaired "退却" is not read
  u.SetAttackEffects("毒:30:毒:50:毒:40:獣:20:獣:10:体力:5:属性:炎:特殊:雷:遠距離:2:退却:0:謎:9");
  EXPECT_EQ(Entries(u.AttackEffectList()), (List{{"毒", 50}, {"体力", 5}}));  // the larger power wins
  EXPECT_EQ(Entries(u.RaceBonusList()), (List{{"獣", 20}}));
  EXPECT_EQ(u.AttackElement() + u.SpecialElement() + std::to_string(u.RangeofAttack()), "炎雷2");
  EXPECT_FALSE(u.Retreat());

  clsUnitver2 d = Saber();
  d.SetDefenceEffects("毒:30:毒:50:速度:5:耐性:氷");
  EXPECT_EQ(Entries(d.ToleranceList()), (List{{"毒", 30}}));  // the first one stays
  EXPECT_EQ(d.UnitMaterialTolerance() + std::to_string(d.SpeedBonus()), "氷5");
  clsUnitver2 all = Saber();
  all.SetDefenceEffects("万能:0");
  EXPECT_EQ(all.ToleranceList().size(), 6u);
  EXPECT_EQ(effectstr::Find(all.ToleranceList(), "魅了"), nullptr);
  clsUnitver2 charm;
  charm.SetMonster("2", "サキュバス", "悪魔", "ランサー", 10, 10, 10, "", "魅了:100", 50, 50, 1, 1, 1);
  EXPECT_TRUE(charm.ToleranceList().empty());
}

TEST(EffectString, AccessoryAndItemReaders) {
  clsUnitver2 u = Saber();
  u.SetAccessory("お守り", 2, 1, "万能:0:毒:10:速度:5:獣:15:獣:25:幽霊:10");
  EXPECT_EQ(Entries(u.ToleranceList()),
            (List{{"毒", 100}, {"猛毒", 100}, {"暗闇", 100}, {"睡眠", 100}, {"麻痺", 100}, {"混乱", 100}, {"魅了", 100}}));
  EXPECT_EQ(u.SpeedBonus(), 5);
  EXPECT_EQ(Entries(u.RaceBonusList()), (List{{"獣", 25}, {"幽霊", 10}}));

  clsUnitver2 rider;
  rider.SetUnit("1", "国王軍", "ライダー", 100, 50);
  rider.SetAccessory("拍車", 0, 1, "速度:5");
  rider.SetDefenceEffects("速度:5");
  EXPECT_EQ(rider.SpeedBonus(), 5);  // only the armour's

  clsUnitver2 item = Saber();
  item.SetItem1("万能薬", 1, "万能:0:毒:50:体力:20");
  EXPECT_EQ(item.Item1List().size(), 8u);  // the repeated "毒" is skipped
  EXPECT_EQ(item.Item1List().back().Effect, "体力");
}

TEST(EffectString, SpeedReaderAndMalformedPairs) {
  // The first pair decides; a bad value reads 0.
  EXPECT_EQ((std::vector<int>{effectstr::RetSpeedEffect("遠距離:2:速度:-3"), effectstr::RetSpeedEffect("毒:20"),
                              effectstr::RetSpeedEffect("速度:x:速度:4")}), (std::vector<int>{-3, 0, 0}));

  // A missing or bad value, an unknown element, an out-of-range number: the pair is skipped.
  clsUnitver2 u = Saber();
  u.SetAttackEffects("毒::速度:abc:属性:光:遠距離:70000:麻痺:20:");
  u.SetDefenceEffects("睡眠::耐性:::速度");
  u.SetAccessory("指輪", 1, 1, "属性:炎:獣:x:::混乱:15");
  u.SetItem1("薬", 1, "体力::体力:10:体力:30:疲労");
  EXPECT_EQ(Entries(u.AttackEffectList()), (List{{"麻痺", 20}}));
  EXPECT_EQ(u.AttackElement() + u.UnitMaterialTolerance() + std::to_string(u.SpeedBonus()) + std::to_string(u.RangeofAttack()), "00");
  EXPECT_EQ(Entries(u.ToleranceList()), (List{{"混乱", 15}}));
  EXPECT_TRUE(u.RaceBonusList().empty());
  EXPECT_EQ(Entries(u.Item1List()), (List{{"体力", 10}}));
}
