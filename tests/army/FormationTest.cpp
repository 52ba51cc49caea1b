// Forming an army: the lists, the slots and status line, the checks, and the departure's writes.
#include <gtest/gtest.h>

#include "ArmyFixture.h"
#include "sim/Storage.h"

using armytest::ArmyTest;
using army::FormationGrid;

namespace {

class FormationTest : public ArmyTest {
 protected:
  /// Everything a refused or failed departure must leave as it was.
  std::string Snapshot() {
    return Value("SELECT COUNT(*) FROM unit") + "/" + std::to_string(Barracks()) + "/" +
           Value("SELECT GROUP_CONCAT(Name||Storage) FROM itemdata") + "/" + std::to_string(battle.UnitCount()) +
           "/" + unitItems.GetUnitItemData();
  }
};

}  // namespace

TEST_F(FormationTest, RefusalsComeInOrderAndChangeNothing) {
  for (const char* item : {"鉄の鎧", "鉄の兜", "鉄の全身鎧", "干し肉"}) sim::ItemStorageAdd(db, item, 30);
  sim::ItemStorageDif(db, "木の矢", 90);
  const std::string before = Snapshot();
  ASSERT_TRUE(formation.ShowNestList("討伐"));
  host.slider = 20;
  const auto nest = NestRow("ゴブリンの巣");
  std::vector<std::string> got;
  got.push_back(formation.SetBattle(nest));
  formation.ShowStandardEquipment({"アーチャー"});
  got.push_back(formation.SetBattle(nest));
  Equip("武器", "木弓");
  got.push_back(formation.SetBattle(nest));
  Equip("防具", "布の服");
  got.push_back(formation.SetBattle(nest));
  Equip("矢", "木の矢");
  got.push_back(formation.SetBattle(nest));  // 10 arrows for 20 soldiers

  formation.ShowStandardEquipment({"セイバー"});  // no row-3 slot to fill
  Equip("武器", "木刀");
  Equip("防具", "鉄の鎧");
  Equip("アイテム1", "干し肉");
  Equip("アイテム2", "干し肉");
  got.push_back(formation.SetBattle(nest));
  formation.GVUnit_RightClick(7, 2);
  host.slider = 0;
  got.push_back(formation.SetBattle(nest));  // 5 + 14 + 1 = 20 fits: on to the soldiers
  host.slider = 20;
  Equip("アクセサリ", "鉄の兜");
  got.push_back(formation.SetBattle(nest));  // 5 + 14 + 1 + 4 > 20

  Exec("UPDATE people SET Education=100 WHERE Occupation='Soldier'");
  sim::LoadPeopleData(ctx);
  ASSERT_TRUE(formation.ShowNestList("討伐"));
  formation.ShowStandardEquipment({"ランサー"});
  Equip("武器", "木の槍");
  Equip("防具", "鉄の全身鎧");
  Equip("アクセサリ", "鉄の兜");
  got.push_back(formation.SetBattle(nest));  // the slider was reset by the new list
  host.slider = 5;
  got.push_back(formation.SetBattle(nest));
  got.push_back(formation.ShowNestList("編成") ? "listed" : formation.SetBattle(nest));

  EXPECT_EQ(got, (std::vector<std::string>{
                     "ユニットのクラスが決まっていません", "武器が設定されていません", "防具が設定されていません",
                     "矢が設定されていません", "木の矢の数量が足りません",
                     "アイテム1とアイテム2が同じです。違うものを選択してください", "兵士がいません",
                     "装備が重量オーバーです",
                     "兵士がいません", "全身鎧を装備しているので兜は装備できません",
                     "討伐先を選んでから出陣してください"}));
  EXPECT_TRUE(screen.Waited().empty());
  EXPECT_EQ(Snapshot(), before);

  // The nest list itself needs soldiers, a barracks and an open nest.
  Exec("UPDATE construction SET NofProduction=0 WHERE Name='ボロボロの兵舎'");
  EXPECT_FALSE(formation.ShowNestList("討伐"));
  Exec("DELETE FROM construction WHERE Name='ボロボロの兵舎'");
  EXPECT_FALSE(formation.ShowNestList("討伐"));
  Exec("UPDATE nest SET Open=False");
  EXPECT_FALSE(formation.ShowNestList("討伐"));
  EXPECT_EQ(screen.Waited(), (std::vector<std::string>{"兵士がいません", "兵舎がありません",
                                                        "討伐できるモンスターの巣がありません"}));
}

TEST_F(FormationTest, StatusLineStrongestEquipmentAndTheRememberedSet) {
  ASSERT_TRUE(formation.ShowNestList("討伐"));
  formation.ShowStandardEquipment({"セイバー"});
  Equip("武器", "木刀");
  Equip("防具", "布の服");
  EXPECT_EQ(host.unit.HeaderText(1, 1), "セイバー(5/3/9/20/22)");  // at most 1.5 times the base 15

  sim::ItemStorageAdd(db, "軍馬", 30);
  sim::ItemStorageAdd(db, "鉄の剣", 30);
  formation.ShowStandardEquipment({"ライダー"});
  EXPECT_EQ(host.unit.HeaderText(3, 1), "馬");
  formation.SetBestEquipment();
  // The horse (26 power, 30 weight) carries: its weight is the capacity, not part of the load.
  EXPECT_EQ((std::vector<std::string>{host.unit.HeaderText(2, 2), host.unit.HeaderText(3, 2),
                                      host.unit.HeaderText(4, 2), host.unit.HeaderText(1, 1)}),
            (std::vector<std::string>{"鉄の剣", "軍馬", "布の服", "ライダー(20/3/13/30/26)"}));

  host.slider = 10;
  screen.answers.push_back(sim::kAnsYes);
  ASSERT_EQ(formation.SetBattle(NestRow("ゴブリンの巣")), "");
  Exec("UPDATE nest SET Open=True WHERE Name='湿った洞窟'");
  ASSERT_TRUE(formation.ShowNestList("討伐"));
  EXPECT_EQ(host.lists.at(FormationGrid::Sub2)->Value(0, 0), "湿った洞窟");  // an army already marches on the other
  formation.ShowStandardEquipment({"ライダー"});
  EXPECT_EQ(host.unit.HeaderText(2, 2) + host.unit.HeaderText(2, 4) + host.unit.HeaderText(3, 2),
            "鉄の剣20軍馬");
  formation.GVUnit_RightClick(3, 2);
  EXPECT_EQ(host.unit.HeaderText(1, 1), "ライダー(20/3/13/0/0)");
}

TEST_F(FormationTest, DepartureWritesTheArmyAndANoLeavesAllAsItWas) {
  const std::string before = Snapshot();
  screen.answers.push_back(sim::kAnsNo);
  ASSERT_TRUE(formation.ShowNestList("討伐"));
  formation.ShowStandardEquipment({"アーチャー"});
  Equip("武器", "木弓");
  Equip("防具", "布の服");
  Equip("矢", "木の矢");
  host.slider = 12;
  EXPECT_EQ(formation.SetBattle(NestRow("ゴブリンの巣")), "");
  EXPECT_EQ(Snapshot(), before);

  sim::ItemStorageDif(db, "木弓", 18);  // exactly one bow a soldier
  EXPECT_EQ(Form("アーチャー", {{"武器", "木弓"}, {"防具", "布の服"}, {"矢", "木の矢"}}, 12), "");
  EXPECT_EQ(sim::QueryRows(db, "SELECT * FROM unit").at(0),
            (std::vector<std::string>{"1", "国王軍", "Ally", "ゴブリンの巣", "1", "アーチャー", "10", "12", "12",
                                      "木弓", "布の服", "", "", "", "100", "1", "0", "0", "0", "木の矢"}));
  EXPECT_EQ((std::vector<int>{Stock("木弓"), Stock("布の服"), Stock("木の矢"), Barracks()}),
            (std::vector<int>{0, 18, 88, 8}));
  auto unit = battle.UnitGet("国王軍1");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->Soldiers() * 100 + unit->RangeofAttack(), 1201);
  EXPECT_EQ(screen.view(sim::ViewId::People).HeaderText(6, 2), "8/20");
}

TEST_F(FormationTest, AFailingInsertRollsBackTheSoldiersAndItems) {
  Exec("CREATE TRIGGER no_army BEFORE INSERT ON unit BEGIN SELECT RAISE(ABORT, 'unit table is read-only'); END");
  const std::string before = Snapshot();
  const std::string message = Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 20);
  // The engine's own sentence ("unit table is read-only") stays in DBerr.log.
  EXPECT_EQ(message, "軍を送り出せませんでした:19:データベースの処理に失敗しました");
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(host.panels.empty());
}

// An item whose figures cannot be read is named and never put into a slot: 最強装備 takes the
// strongest one it can read, a remembered item is left out, and a stock that is no count sends
// no army. The soldiers' sum of a barracks beyond 32 bits opens no list.
TEST_F(FormationTest, FiguresTheFormationCannotReadAreNamedAndNothingIsTaken) {
  sim::ItemStorageAdd(db, "鉄の剣", 30);
  Exec("UPDATE item SET Weight=32768 WHERE Name='鉄の剣'");  // the strongest sword, past 16 bits
  unitItems.SetUnitItem("セイバー", "防具", "布の服");
  Exec("UPDATE item SET Power='abc' WHERE Name='布の服'");
  ASSERT_TRUE(formation.ShowNestList("討伐"));
  formation.ShowStandardEquipment({"セイバー"});
  formation.SetBestEquipment();
  Equip("武器", "鉄の剣");
  EXPECT_EQ(host.unit.HeaderText(2, 2) + "/" + host.unit.HeaderText(4, 2) + "/" + host.unit.HeaderText(1, 1),
            "木刀//セイバー(5/0/5/20/22)");
  EXPECT_EQ(screen.errors, (std::vector<std::string>{"アイテム情報取得エラー:ShowStandardEquipment\r\nitem.Power=abc",
                                                     "アイテム情報取得エラー:SetBestEquipment\r\nitem.Weight=32768",
                                                     "アイテム情報取得エラー:SetBestEquipment\r\nitem.Power=abc",
                                                     "アイテム情報取得エラー:SetUnitEquipment\r\nitem.Weight=32768"}));

  Exec("UPDATE item SET Power=3 WHERE Name='布の服'");
  Equip("防具", "布の服");
  Exec("UPDATE itemdata SET Storage='abc' WHERE Name='木刀'");
  const std::string before = Snapshot();
  screen.errors.clear();
  host.slider = 5;
  EXPECT_EQ(formation.SetBattle(NestRow("ゴブリンの巣")), "木刀の数量が足りません");
  EXPECT_EQ(screen.errors, std::vector<std::string>{"倉庫取得エラー:HasStock\r\nitemdata.Storage(木刀)=abc"});
  EXPECT_EQ(Snapshot(), before);

  screen.errors.clear();
  Exec("UPDATE construction SET NofProduction=2147483648 WHERE Name='ボロボロの兵舎'");
  EXPECT_FALSE(formation.ShowNestList("討伐"));
  EXPECT_EQ(screen.errors,
            std::vector<std::string>{"兵士数取得エラー:ShowNestList\r\nSUM(construction.NofProduction)=2147483648"});
}
