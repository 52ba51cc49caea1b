// Setting up battle units and reading them back: equipment, sprite geometry, carrying capacity.
#include <gtest/gtest.h>

#include "army/BattleSetup.h"
#include "army/clsUnitver2.h"

TEST(UnitSetup, PlayerArmyAndEquipment) {
  clsUnitver2 u;
  u.SetUnit("12", "国王軍", "アーチャー", 301, 40);
  EquipUnit(u, clsItem{0, "弓", "武器", "速度:2", 3, "長弓", 10});
  EquipUnit(u, clsItem{0, "矢", "矢", "毒:20", 1, "毒矢", 4});
  EquipUnit(u, clsItem{0, "軽鎧", "防具", "暗闇:40", 4, "革鎧", 6});
  EquipUnit(u, clsItem{0, "兜", "アクセサリ", "獣:10", 1, "革兜", 2});
  EquipUnit(u, clsItem{0, "回復薬", "アイテム1", "体力:30", 1, "薬草", 0});
  EXPECT_EQ(u.Arms(), 14);  // arrows count for an archer
  EXPECT_EQ(u.Protects(), 8);
  EXPECT_EQ(u.SpeedBonus(), 2);
  EXPECT_EQ(u.AttackEffectList().size(), 1u);  // each slot read by its own reader
  EXPECT_EQ(u.ToleranceList().size(), 1u);
  EXPECT_EQ(u.RaceBonusList().size(), 1u);
  EXPECT_EQ(u.Item1List().size(), 1u);

  // Sprite: 6 frames in column 4; 301 soldiers stand in 2 columns, the second with 1 figure.
  EXPECT_EQ(u.UnitMove(), 0);
  EXPECT_EQ(u.ImageUnitCols(), 2);
  EXPECT_EQ(u.ImageUnitRows(2), 1);
  EXPECT_EQ(u.ImageLeft(1), 48 * 9);
  EXPECT_EQ(u.ImageLeft(9), 48 * 14);  // index lowered to the frame count

  clsUnitver2 rider;
  rider.SetUnit("3", "国王軍", "ライダー", 50, 50);
  rider.SetArms("剣", 10, 3);
  rider.SetSubArms("馬", 4, 30);
  EXPECT_EQ(rider.Arms(), 10);
}

TEST(UnitSetup, MonsterSprites) {
  clsUnitver2 m;
  m.SetMonster("7", "オーク", "獣人", "アーチャー", 12, 8, 9, "", "", 400, 50, 2, 3, 2);
  EXPECT_EQ(m.UnitMove(), 3);
  EXPECT_EQ(m.ImageLeft(2), 48 * (3 + 1));
  EXPECT_EQ(m.ImageTop(1), 2 * 2 * 64 + 64);
  EXPECT_EQ(m.MaskImageTop(1), 2 * 2 * 64);

  clsUnitver2 big;  // sheet 4: fewer, bigger figures of one frame
  big.SetMonster("8", "ドラゴン", "無機", "ランサー", 30, 30, 5, "", "", 1000, 50, 4, 1, 3);
  EXPECT_EQ(big.ImageUnitCols(), 2);
  EXPECT_EQ(big.ImageUnitRows(2), 3);
  EXPECT_EQ(big.ImageLeft(5), 105 * 2);
  EXPECT_EQ(big.ImageTop(1), 85);
}

TEST(UnitSetup, SpareCarryingCapacity) {
  clsUnitver2 saber;
  saber.SetUnit("1", "国王軍", "セイバー", 100, 50);  // allowance CInt(1*11+20) = 31
  saber.SetArms("剣", 10, 5);
  saber.SetProtector("鎧", 8, 6);
  EXPECT_EQ(saber.GetWeight(), (31 - 11) * 100 + 7);

  clsUnitver2 rider;
  rider.SetUnit("1", "国王軍", "ライダー", 10, 50);
  rider.SetArms("剣", 10, 5);
  rider.SetSubArms("馬", 20, 40);  // the horse carries: allowance 40, its own weight not loaded
  EXPECT_EQ(rider.GetWeight(), (40 - 5) * 10 + 5);

  clsUnitver2 lancer;  // a large army's spare capacity passes 16 bits
  lancer.SetUnit("1", "国王軍", "ランサー", 30000, 100);  // allowance CInt(4*15+25) = 85
  EXPECT_EQ(lancer.GetWeight(), 85 * 30000 + 10);
}
