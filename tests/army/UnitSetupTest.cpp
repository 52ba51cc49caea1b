// Setting up battle units and reading them back: effect strings (well-formed and damaged),
// equipment, sprite geometry, carrying capacity, and units read from the game database.
#include <gtest/gtest.h>

#include <vector>

#include "army/BattleSetup.h"
#include "army/clsCommonEffect.h"
#include "army/clsUnitver2.h"
#include "support/FreshGameDb.h"

namespace {

using Ints = std::vector<int>;
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
  clsUnitver2 charm;
  charm.SetMonster("2", "サキュバス", "悪魔", "ランサー", 10, 10, 10, "", "魅了:100", 50, 50, 1, 1, 1);
  EXPECT_TRUE(charm.ToleranceList().empty());
}

TEST(EffectString, AccessoryReader) {
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

class BattleSetupDb : public FreshGameDb {};

TEST_F(BattleSetupDb, MonstersNestsAndItems) {
  ASSERT_TRUE(db->Excute("INSERT INTO monster VALUES('O''Brien','悪魔','ランサー',21,17,9,'毒:40:特殊:雷','耐性:氷:万能:0',4,1,2)"));
  ASSERT_TRUE(db->Excute("INSERT INTO monster VALUES('壊れた像','無機','セイバー','x',NULL,5,'','',1,1,1)"));
  ASSERT_TRUE(db->Excute("INSERT INTO nest (Name,Coefficient,Distance,AM1,AM2,AM3,Soldier,Extra1,Extra2,BattleField,Times,Treasure,Open) "
                         "VALUES('試しの巣',1,1,'O''Brien','','壊れた像',75,0,0,'塔',0,'',1)"));

  auto nest = LoadNest(*db, "試しの巣");
  ASSERT_TRUE(nest);
  EXPECT_EQ(nest->Monsters, std::vector<std::string>{"O'Brien"});  // an empty name ends the list
  EXPECT_EQ(nest->BattleField + std::to_string(nest->Soldiers), "塔75");
  EXPECT_FALSE(LoadNest(*db, "ない巣"));

  auto m = LoadMonster(*db, "O'Brien", "8", 75);
  ASSERT_TRUE(m);
  // Read by position: name, race, attack, defence, both effect strings, sprite sheet.
  EXPECT_EQ((std::vector<std::string>{m->UnitName() + m->UnitID(), m->UnitRace(), m->SpecialElement(),
                                      m->UnitMaterialTolerance()}),
            (std::vector<std::string>{"O'Brien8", "悪魔", "雷", "氷"}));
  EXPECT_EQ((std::vector<int>{m->Arms(), m->Protects(), int(m->ToleranceList().size()), m->ImageTable()}),
            (std::vector<int>{21, 17, 6, 4}));
  EXPECT_FALSE(LoadMonster(*db, "いない", "8", 75));

  auto damaged = LoadMonster(*db, "壊れた像", "9", 10);  // bad numbers read as 0, no crash
  ASSERT_TRUE(damaged);
  EXPECT_EQ(damaged->Arms() + damaged->Protects(), 0);

  ASSERT_TRUE(db->Excute("INSERT INTO item (Name,Class,Category,Power,Weight,Effect) VALUES('試しの弓','武器','弓',13,5,'遠距離:2')"));
  auto bow = LoadItem(*db, "試しの弓", "武器");
  ASSERT_TRUE(bow);
  EXPECT_EQ(bow->Category + std::to_string(bow->Power) + "/" + std::to_string(bow->Weight) + bow->Effect, "弓13/5遠距離:2");
  EXPECT_FALSE(LoadItem(*db, "ない物", "武器"));
}
