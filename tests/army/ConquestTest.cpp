// Whole conquests on a fresh game with a scripted random generator: the march, the battles, and
// what comes home.
#include <gtest/gtest.h>

#include "ArmyFixture.h"
#include "runtime/Random.h"
#include "runtime/VbError.h"
#include "sim/Storage.h"
#include "sim/TurnEnd.h"

using armytest::ArmyTest;

namespace {

const std::vector<double> kDraws = {0.13, 0.72, 0.45, 0.91, 0.05, 0.58, 0.33, 0.84, 0.27, 0.66, 0.39};

class ConquestTest : public ArmyTest {
 protected:
  int Soldiers() { return std::stoi(Value("SELECT Number FROM people WHERE Occupation='Soldier'")); }
  bool Shown(const std::string& text) {
    for (const auto& m : screen.Waited())
      if (m.find(text) != std::string::npos) return true;
    return false;
  }
  void Conquest() {
    sim::TurnLog log;
    army.TurnEnd_Conquest(ctx, log);
    logText = log.Text();
  }
  void AddNest(const std::string& name, const std::string& m1, const std::string& m2, int soldiers) {
    Exec("INSERT INTO nest VALUES('" + name + "',1,1,'" + m1 + "','" + m2 + "','',"
         + std::to_string(soldiers) + ",0,0,'森',0,'錆びた短剣',True)");
  }
  std::string logText;
};

}  // namespace

TEST_F(ConquestTest, VictoryBringsTreasureEquipmentAndSoldiersHome) {
  rt::ScriptedRandom draws(kDraws, true);
  Exec("UPDATE item SET Weight=0 WHERE Name='錆びた短剣'");  // no division by zero: the limit holds
  sim::ItemStorageAdd(db, "干し肉", 30);
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}, {"アイテム1", "干し肉"}}, 20), "");
  auto u = battle.UnitGet("国王軍1");
  Conquest();
  EXPECT_TRUE(Shown("ゴブリンの巣から錆びた短剣を2個、入手しました"));
  EXPECT_EQ(Stock("錆びた短剣"), 2);
  EXPECT_EQ(Value("SELECT Times FROM nest WHERE Name='ゴブリンの巣'"), "1");
  // Each surviving soldier brings his weapon and armour home; the wounded come back or are lost.
  const int back = u->Soldiers(), lost = 20 - Soldiers();
  EXPECT_EQ((std::vector<int>{Stock("木刀"), Stock("布の服")}), (std::vector<int>{10 + back, 10 + back}));
  EXPECT_EQ(Barracks() + lost, 20);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM unit") + std::to_string(battle.UnitCount()), "00");
  EXPECT_EQ(music.music, (std::vector<std::string>{"battle", "map"}));
  EXPECT_EQ(music.hidden, 1);
  EXPECT_FALSE(music.sounds.empty());

  // A second army to a nest of greater worth: the spare capacity of the 19 who come back,
  // (20 - 10) x 19 + 7 = 197, over the treasure's weight of 7.
  Exec("UPDATE nest SET Coefficient=50 WHERE Name='ゴブリンの巣'");
  Exec("UPDATE item SET Weight=7 WHERE Name='錆びた短剣'");
  ASSERT_EQ(Form("セイバー", {}, Barracks()), "");  // the remembered set
  Conquest();
  EXPECT_TRUE(Shown("ゴブリンの巣から錆びた短剣を28個、入手しました"));
  EXPECT_EQ(Stock("錆びた短剣"), 2 + 28);

  // A lone goblin whose treasure outweighs the whole spare capacity: still one. A full storehouse
  // keeps its stock within 32 bits, and the army is disbanded all the same.
  ASSERT_EQ(Form("セイバー", {}, Barracks()), "");
  Exec("UPDATE nest SET Soldier=1 WHERE Name='ゴブリンの巣'");
  Exec("UPDATE item SET Weight=1000 WHERE Name='錆びた短剣'");
  Exec("UPDATE itemdata SET Storage=2147483647 WHERE Name='布の服'");
  EXPECT_NO_THROW(Conquest());
  EXPECT_TRUE(Shown("ゴブリンの巣から錆びた短剣を1個、入手しました"));
  EXPECT_EQ(Stock("錆びた短剣"), 2 + 28 + 1);
  EXPECT_EQ(Stock("布の服"), 2147483647);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM unit") + std::to_string(battle.UnitCount()), "00");
}

TEST_F(ConquestTest, DefeatAndTurningBackEndWithoutTreasure) {
  rt::ScriptedRandom draws(kDraws, true);
  AddNest("オークの砦", "オーク隊長", "", 200);
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 3, "オークの砦"), "");
  Conquest();
  EXPECT_TRUE(Shown("国王軍は敗れました"));
  EXPECT_TRUE(Shown("オークの砦から帰還した負傷兵3人は"));
  EXPECT_FALSE(Shown("入手しました"));
  EXPECT_EQ(Value("SELECT Times FROM nest WHERE Name='オークの砦'") + Value("SELECT COUNT(*) FROM unit"), "00");

  // Winning the first of two battles and answering no: no second battle, no treasure.
  AddNest("ゴブリンの群れ", "ゴブリン", "ゴブリン", 5);
  screen.shown.clear();
  ASSERT_EQ(Form("セイバー", {}, 15, "ゴブリンの群れ"), "");
  // Undecided battles are fought on; the question after the first win is answered no.
  screen.onShow = [&](const fake::Shown& s) {
    if (s.buttons == sim::kMsgYesNo) screen.answers.push_front(s.msg.rfind("戦闘に勝利", 0) == 0 ? sim::kAnsNo : sim::kAnsYes);
  };
  const int sentBack = screen.panelSentBack;
  Conquest();
  EXPECT_TRUE(Shown("戦闘に勝利しました。軍を先に進めますか?\r\nいいえを押すと退却します"));
  EXPECT_FALSE(Shown("入手しました"));
  EXPECT_EQ(Value("SELECT Times FROM nest WHERE Name='ゴブリンの群れ'"), "0");
  EXPECT_EQ(screen.panelSentBack - sentBack, 2);  // after the answer and after the fights
  EXPECT_EQ(battle.UnitCount(), 0);

  // An undecided battle: はい fights it again with the same units, いいえ turns the army back.
  Exec("UPDATE nest SET Open=True WHERE Name='湿った洞窟'");
  ASSERT_EQ(Form("セイバー", {}, 10, "湿った洞窟"), "");
  screen.shown.clear();
  int asked = 0;
  screen.onShow = [&](const fake::Shown& s) {
    if (s.msg == "決着がつきませんでした。続けますか？\r\nいいえを押すと退却します" && s.buttons == sim::kMsgYesNo)
      screen.answers.push_front(++asked == 1 ? sim::kAnsYes : sim::kAnsNo);
  };
  Conquest();
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(Shown("国王軍は退却しました"));
  EXPECT_FALSE(Shown("入手しました"));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM unit") + std::to_string(battle.UnitCount()), "00");
}

TEST_F(ConquestTest, TheArmyMarchesWeekByWeekAndIsRebuiltWhenTheEngineLostIt) {
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 20), "");
  Exec("UPDATE unit SET Position=3");
  // A row the army can make nothing of neither stops the load nor stays: the load names the
  // value, and its army is removed, with a message, when it arrives.
  Exec("INSERT INTO unit VALUES(7,'国王軍','Ally','ゴブリンの巣',1,'',10,5,'五','','','','','',100,1,0,0,0,'')");
  sim::InitGameData(ctx);
  battle.UnitRemove("国王軍1");  // as after a load that could not rebuild it
  std::vector<std::string> positions;
  for (int week = 0; week < 3; ++week) {
    sim::TurnEnd(ctx);
    positions.push_back(Value("SELECT GROUP_CONCAT(Position) FROM unit"));
  }
  EXPECT_EQ(positions, (std::vector<std::string>{"2", "1", ""}));
  EXPECT_EQ(screen.errors, (std::vector<std::string>{"軍データ取得エラー:InitGameData\r\nunit.Number=五",
                                                     "国王軍7の記録が壊れていたため、この軍を解散しました:TurnEnd_Conquest"}));
  EXPECT_TRUE(Shown("ゴブリンの巣から錆びた短剣を"));
  EXPECT_FALSE(state.mTurnRunning);

  // The nest's monster gone from the catalogue: said under the title "Error", no fight, and the
  // army still comes home with its soldiers.
  const int home = Soldiers();
  ASSERT_EQ(Form("セイバー", {}, 10), "");
  Exec("UPDATE unit SET Position=1");
  Exec("DELETE FROM monster WHERE Name=(SELECT AM1 FROM nest WHERE Name='ゴブリンの巣')");
  screen.errors.clear();
  sim::TurnEnd(ctx);
  EXPECT_EQ(screen.errors, std::vector<std::string>{"Error: モンスター取得エラー:TurnEnd_ConquestBattle"});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM unit"), "0");
  EXPECT_EQ(Soldiers(), home);
}

TEST_F(ConquestTest, AnArmyWhoseIdIsNoNumberStaysAndTheOtherComesHome) {
  rt::ScriptedRandom draws(kDraws, true);
  Exec("UPDATE nest SET Open=True WHERE Name='妖しく蠢く森'");
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 10, "妖しく蠢く森"), "");
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 10), "");
  Exec("UPDATE unit SET ID='1 OR 1=1' WHERE ID=1");
  Exec("UPDATE unit SET Position=1");
  const int swords = Stock("木刀");
  Conquest();
  // Pasted into "DELETE FROM unit WHERE ID=1 OR 1=1" its return took the other army with it.
  EXPECT_EQ(screen.errors, std::vector<std::string>{"Error: ルート取得エラー:TurnEnd_Conquest\r\nunit.ID=1 OR 1=1"});
  EXPECT_EQ(Value("SELECT group_concat(ID||':'||RootName) FROM unit"), "1 OR 1=1:妖しく蠢く森");
  EXPECT_EQ(music.music, (std::vector<std::string>{"battle", "map"}));  // one army fought
  EXPECT_GT(Stock("木刀"), swords);  // the second army's swords came home
}

// Read as army 2, an army whose ID is a fraction or a blob fought in army 2's place, and its
// return deleted army 2 three stages from its nest.
TEST_F(ConquestTest, AnArmyWhoseIdIsAFractionOrABlobIsNoOtherArmy) {
  rt::ScriptedRandom draws(kDraws, true);
  Exec("UPDATE nest SET Open=True WHERE Name='妖しく蠢く森'");
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 10, "妖しく蠢く森"), "");
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 10), "");
  Exec("UPDATE unit SET Position=1 WHERE ID=1");
  for (const std::string id : {"2.4", "1.5", "X'32'"}) {
    SCOPED_TRACE(id);
    screen.errors.clear();
    Exec("UPDATE unit SET ID=" + id + " WHERE RootName='妖しく蠢く森'");
    Exec("UPDATE unit SET Position=3 WHERE ID=2");
    Conquest();
    EXPECT_EQ(Value("SELECT group_concat(quote(ID)||':'||Position,' ') FROM unit"), id + ":1 2:2");
    EXPECT_EQ(screen.errors, std::vector<std::string>{"Error: ルート取得エラー:TurnEnd_Conquest\r\nunit.ID=" + id});
  }
  EXPECT_TRUE(music.music.empty());  // nobody fought
}

// An army whose nest or side cannot be read was skipped by the conquest's query: it never
// marched, fought or came home, and nothing was said.
TEST_F(ConquestTest, AnArmyWithoutANestOrSideIsNamedEachWeekAndLeftAsItIs) {
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_EQ(Form("セイバー", {{"武器", "木刀"}, {"防具", "布の服"}}, 10), "");
  const std::string nest = "\r\nunit.RootName=";
  const std::string side = "国王軍1の所属取得エラー:TurnEnd_Conquest\r\nunit.Distinction=";
  const struct {
    const char* damage;
    const char* repair;
    std::string error;
  } cases[] = {
      {"UPDATE unit SET RootName='どこにも無い巣'", "UPDATE unit SET RootName='ゴブリンの巣'",
       "国王軍1のモンスターの巣取得エラー:TurnEnd_Conquest" + nest + "どこにも無い巣"},
      {"UPDATE nest SET Name='消えた巣' WHERE Name='ゴブリンの巣'", "UPDATE nest SET Name='ゴブリンの巣' WHERE Name='消えた巣'",
       "国王軍1のモンスターの巣取得エラー:TurnEnd_Conquest" + nest + "ゴブリンの巣"},
      {"UPDATE unit SET Distinction=NULL", "UPDATE unit SET Distinction='Ally'", side},
      {"UPDATE unit SET Distinction=1.5", "UPDATE unit SET Distinction='Ally'", side + "1.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.damage);
    screen.errors.clear();
    Exec("UPDATE unit SET Position=2");
    Exec(c.damage);
    Conquest();
    Conquest();
    EXPECT_EQ(screen.errors, std::vector<std::string>(2, "Error: " + c.error));
    EXPECT_EQ(Value("SELECT Position FROM unit WHERE ID=1"), "2");
    Exec(c.repair);
  }
  // A monster's row is no army of ours: the conquest leaves it to the load, without a word.
  screen.errors.clear();
  Exec("DELETE FROM unit");
  Exec("INSERT INTO unit (ID,UnitName,Distinction,Position) VALUES(5,'ゴブリン','Enemy',1)");
  Conquest();
  EXPECT_TRUE(screen.errors.empty());
  EXPECT_TRUE(music.music.empty());
}

TEST_F(ConquestTest, WoundedAreHealedRetiredOrLostAndCostTrust) {
  sim::TurnLog log;
  army.TurnEnd_WoundedReturn(ctx, log, 0, 0, 0, "巣");
  EXPECT_TRUE(screen.shown.empty());

  Exec("UPDATE construction SET NofProduction=10 WHERE Name='ボロボロの兵舎'");
  Exec("INSERT INTO construction (ID,Name,Area,NofProduction,Work) VALUES(90,'信頼される大病院','中央市街',0,0)");
  {
    rt::ScriptedRandom draws({0.99});
    army.TurnEnd_WoundedReturn(ctx, log, 4, 0, 0, "巣");  // a level-3 hospital heals every light wound
  }
  EXPECT_EQ(screen.Waited().back(), "巣から帰還した負傷兵4人は\r\n4人が回復し、0人がリタイアし、0人が死亡しました");
  EXPECT_EQ(Barracks(), 14);

  // Without church or hospital: 50 retires a light wound. Three retired cost the soldiers
  // 0.75 (rounded to 1) twice and the others 1.5 (rounded to 2).
  Exec("DELETE FROM construction WHERE ID=90");
  data.Trust("Producer", 2);
  data.Trust("Soldier", 2);  // 1 after the first loss, 0 after the second, which ends nothing
  {
    rt::ScriptedRandom draws({0.5, 0.5, 0.5});
    army.TurnEnd_WoundedReturn(ctx, log, 3, 0, 0, "巣");
  }
  EXPECT_EQ(screen.Waited().back(), "巣から帰還した負傷兵3人は\r\n0人が回復し、3人がリタイアし、0人が死亡しました");
  EXPECT_EQ(Soldiers(), 17);
  EXPECT_EQ((std::vector<int>{data.Trust("Producer"), data.Trust("Merchant"), data.Trust("Soldier")}),
            (std::vector<int>{0, 8, 0}));
  EXPECT_EQ(log.Text(), "gameover:国民の信頼を失いました,");

  // Each wounded soldier draws his own fate; 40 still heals and 70 still retires (40 + 30).
  rt::ScriptedRandom draws({0.40, 0.70, 0.71});
  army.TurnEnd_WoundedReturn(ctx, log, 3, 0, 2, "巣");
  EXPECT_EQ(screen.Waited().back(), "巣から帰還した負傷兵5人は\r\n1人が回復し、1人がリタイアし、3人が死亡しました");

  // A loss of trust past 16 bits empties it, no more.
  data.Trust("Merchant", 100);
  army.TurnEnd_WoundedReturn(ctx, log, 0, 0, 20000, "巣");
  EXPECT_EQ(data.Trust("Merchant") + data.Trust("Soldier"), 0);
}
