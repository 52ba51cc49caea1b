// Battle units from the game database: monsters, nests and items read by position.
#include <gtest/gtest.h>

#include "army/BattleSetup.h"
#include "support/FreshGameDb.h"

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
  EXPECT_EQ((std::vector<long>{bow->Power, bow->Weight}), (std::vector<long>{13, 5}));
  clsUnitver2 archer;
  archer.SetUnit("1", "国王軍", "アーチャー", 100, 50);
  EquipUnit(archer, *bow);
  EXPECT_EQ(archer.RangeofAttack(), 2);
  EXPECT_FALSE(LoadItem(*db, "ない物", "武器"));
}
