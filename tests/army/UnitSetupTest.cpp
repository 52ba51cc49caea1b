// Setting up battle units and reading them back: equipment, sprite geometry, carrying capacity.
#include <gtest/gtest.h>

#include <vector>

#include "army/BattleSetup.h"
#include "army/clsUnitver2.h"

using Ints = std::vector<int>;

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
  // Each slot is read by its own reader: speed, attack effect, tolerance, race bonus, item.
  EXPECT_EQ((Ints{u.SpeedBonus(), int(u.AttackEffectList().size()), int(u.ToleranceList().size()),
                  int(u.RaceBonusList().size()), int(u.Item1List().size())}),
            (Ints{2, 1, 1, 1, 1}));
  // Sprite: column 4 of 6 frames, no advance; 301 soldiers stand in 2 columns, the second with
  // 1 figure; a frame index past the last is lowered to it.
  EXPECT_EQ((Ints{u.UnitMove(), u.ImageUnitCols(), u.ImageUnitRows(2), u.ImageLeft(1), u.ImageLeft(9)}),
            (Ints{0, 2, 1, 48 * 9, 48 * 14}));

  clsUnitver2 rider;
  rider.SetUnit("3", "国王軍", "ライダー", 50, 50);
  rider.SetArms("剣", 10, 3);
  rider.SetSubArms("馬", 4, 30);
  EXPECT_EQ(rider.Arms(), 10);
}

TEST(UnitSetup, MonsterSprites) {
  clsUnitver2 m;  // sheet 2, row 3, column 2
  m.SetMonster("7", "オーク", "獣人", "アーチャー", 12, 8, 9, "", "", 400, 50, 2, 3, 2);
  EXPECT_EQ((Ints{m.UnitMove(), m.ImageLeft(2), m.ImageTop(1), m.MaskImageTop(1)}),
            (Ints{3, 48 * (3 + 1), 2 * 2 * 64 + 64, 2 * 2 * 64}));

  clsUnitver2 big;  // sheet 4: fewer, bigger figures of one frame
  big.SetMonster("8", "ドラゴン", "無機", "ランサー", 30, 30, 5, "", "", 1000, 50, 4, 1, 3);
  EXPECT_EQ((Ints{big.ImageUnitCols(), big.ImageUnitRows(2), big.ImageLeft(5), big.ImageTop(1)}),
            (Ints{2, 3, 105 * 2, 85}));
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
