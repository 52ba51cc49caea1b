// The battle driver: whole battles headless on a virtual clock, compared message by message.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "army/clsBattle.h"
#include "runtime/Clock.h"
#include "runtime/Random.h"

namespace {

using Lines = std::vector<std::string>;

/// The event loop of a test: counts its turns and runs a scripted click at a chosen one.
struct TestPump : BattleEventPump {
  int turns = 0;
  std::function<void(int)> onTurn;
  void DoEvents() override {
    ++turns;
    if (onTurn) onTurn(turns);
  }
};

/// The cycling draws of every golden fight.
const std::vector<double> kDraws = {0.13, 0.72, 0.45, 0.91, 0.05, 0.58, 0.33, 0.84, 0.27, 0.66, 0.39};

class BattleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetClock(&clock);
    battle.Init(&display, &pump);
    battle.Anime(false);
    battle.Sound = [this](int s) { sounds.push_back(s); };
    battle.Notification = [this](const std::string& s) { notes.push_back(s); };
  }
  void TearDown() override { rt::SetClock(nullptr); }

  std::shared_ptr<clsUnitver2> Army(const std::string& cls, int soldiers, int education) {
    auto u = std::make_shared<clsUnitver2>();
    u->SetUnit("1", "国王軍", cls, soldiers, education);
    battle.UnitAdd(u, "国王軍1");
    return u;
  }
  std::shared_ptr<clsUnitver2> Monster(const std::string& name, const std::string& race, const std::string& cls,
                                       int attack, int defence, int speed, const std::string& attackEffect,
                                       const std::string& defenceEffect, int soldiers, int table = 1) {
    auto m = std::make_shared<clsUnitver2>();
    m->SetMonster("2", name, race, cls, attack, defence, speed, attackEffect, defenceEffect, soldiers, 50, table, 1, 1);
    battle.UnitAdd(m, name + "2");
    return m;
  }
  bool Fight(const std::string& monster, const std::string& msg = "") {
    return battle.StartBattle("国王軍1", monster + "2", msg);
  }
  /// Brings a unit down to `physical` with weak poison ticks, the poison staying on.
  static void Weaken(clsUnitver2& u, int physical) {
    rt::ScriptedRandom r({0.0});
    u.DamegeEffect({{"毒", 100}});
    while (u.Physical() > physical) u.StatusRecover();
  }

  rt::VirtualClock clock;
  RecordingBattleDisplay display;
  TestPump pump;
  clsBattle battle;
  std::vector<int> sounds;
  Lines notes;
};

}  // namespace

TEST_F(BattleTest, GoldenSaberWinsAgainstPoisonedBlades) {
  auto army = Army("セイバー", 300, 70);
  army->SetArms("鋼の剣", 18, 6);
  army->SetProtector("鎖帷子", 12, 8);
  army->SetDefenceEffects("麻痺:30");
  Monster("ゴブリン", "獣人", "ランサー", 9, 5, 14, "毒:60", "", 150);
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("ゴブリン"));
  EXPECT_EQ(display.Messages, (Lines{
      "戦闘開始",
      "国王軍の攻撃。",
      "国王軍は疲労が4増えた",
      "ゴブリンの体力が31減った",
      "ゴブリンは疲労が7増えた",
      "ゴブリンから軽症者が18人出た",
      "ゴブリンから重傷者が9人出た",
      "ゴブリンから死者が4人出た",
      "ゴブリンの兵士が150人から119人になった",
      "ゴブリンの兵士が119人になった",
      "ゴブリンの攻撃。",
      "ゴブリンは疲労が5増えた",
      "国王軍の体力が1減った",
      "国王軍は疲労が5増えた",
      "国王軍から軽症者が2人出た",
      "国王軍の兵士が300人から298人になった",
      "国王軍の兵士が298人になった",
      "国王軍の攻撃。",
      "国王軍は疲労が5増えた",
      "ゴブリンの体力が59減った",
      "ゴブリンは疲労が7増えた",
      "ゴブリンから軽症者が18人出た",
      "ゴブリンから重傷者が9人出た",
      "ゴブリンから死者が5人出た",
      "ゴブリンの兵士が119人から87人になった",
      "ゴブリンの兵士が87人になった",
      "国王軍の攻撃。",
      "国王軍は疲労が6増えた",
      "ゴブリンの体力が10減った",
      "ゴブリンは疲労が7増えた",
      "ゴブリンから軽症者が17人出た",
      "ゴブリンから重傷者が9人出た",
      "ゴブリンから死者が4人出た",
      "ゴブリンの兵士が87人から57人になった",
      "ゴブリンの兵士が57人になった",
      "ゴブリンは体力が0になり、戦闘不能になった",
  }));
  EXPECT_EQ(battle.Result(), BattleResult::Win);
  EXPECT_EQ(battle.Winner(), "国王軍");
  EXPECT_FALSE(battle.IsBattle());
  EXPECT_EQ(notes, Lines{"BattleEND"});
  EXPECT_EQ(army->Soldiers(), 298);
}

TEST_F(BattleTest, GoldenArchersShootFirstAgainstAnIceLizard) {
  auto army = Army("アーチャー", 400, 50);
  army->SetArms("長弓", 10, 3);
  army->SetSubArms("火矢", 6, 2);
  army->SetAttackEffects("遠距離:2:属性:炎");
  army->SetProtector("革鎧", 5, 4);
  Monster("フロストリザード", "両棲", "ランサー", 14, 10, 8, "属性:氷:暗闇:40", "耐性:氷", 180, 2);
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("フロストリザード"));
  EXPECT_EQ(display.Messages, (Lines{
      "戦闘開始",
      "1回目の国王軍の遠距離攻撃",
      "国王軍の攻撃。",
      "国王軍は疲労が5増えた",
      "フロストリザードの体力が8減った",
      "フロストリザードは疲労が5増えた",
      "フロストリザードから軽症者が17人出た",
      "フロストリザードから重傷者が9人出た",
      "フロストリザードから死者が4人出た",
      "フロストリザードの兵士が180人から150人になった",
      "フロストリザードの兵士が150人になった",
      "2回目の国王軍の遠距離攻撃",
      "国王軍の攻撃。",
      "国王軍は疲労が5増えた",
      "フロストリザードの体力が10減った",
      "フロストリザードは疲労が5増えた",
      "フロストリザードから軽症者が18人出た",
      "フロストリザードから重傷者が8人出た",
      "フロストリザードから死者が4人出た",
      "フロストリザードの兵士が150人から120人になった",
      "フロストリザードの兵士が120人になった",
      "国王軍の攻撃。",
      "国王軍は疲労が6増えた",
      "フロストリザードの体力が16減った",
      "フロストリザードは疲労が5増えた",
      "フロストリザードから軽症者が18人出た",
      "フロストリザードから重傷者が9人出た",
      "フロストリザードから死者が4人出た",
      "フロストリザードの兵士が120人から89人になった",
      "フロストリザードの兵士が89人になった",
      "国王軍の攻撃。",
      "国王軍は疲労が8増えた",
      "フロストリザードの体力が28減った",
      "フロストリザードは疲労が5増えた",
      "フロストリザードから軽症者が18人出た",
      "フロストリザードから重傷者が9人出た",
      "フロストリザードから死者が4人出た",
      "フロストリザードの兵士が89人から58人になった",
      "フロストリザードの兵士が58人になった",
      "国王軍の攻撃。",
      "国王軍は疲労が10増えた",
      "フロストリザードの体力が38減った",
      "フロストリザードは疲労が5増えた",
      "フロストリザードから軽症者が17人出た",
      "フロストリザードから重傷者が9人出た",
      "フロストリザードから死者が4人出た",
      "フロストリザードの兵士が58人から28人になった",
      "フロストリザードの兵士が28人になった",
      "フロストリザードは体力が0になり、戦闘不能になった",
  }));
  EXPECT_EQ(battle.Result(), BattleResult::Win);
}

TEST_F(BattleTest, GoldenRidersUseAnItemAndFallToConfusion) {
  auto army = Army("ライダー", 120, 80);
  army->SetArms("槍", 14, 5);
  army->SetSubArms("軍馬", 30, 50);
  army->SetProtector("鎧", 9, 6);
  army->SetItem1("薬草", 1, "体力:30");
  auto harpy = Monster("ハーピー", "鳥", "アーチャー", 30, 6, 20, "混乱:70:特殊:雷", "", 160, 3);
  pump.onTurn = [this](int turn) {
    if (turn == 1) battle.Item1_Click();
  };
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("ハーピー"));
  EXPECT_EQ(display.Messages, (Lines{
      "戦闘開始",
      "国王軍は薬草を使った",
      "薬草の効果で体力が30回復した",
      "ハーピーの攻撃。",
      "ハーピーは疲労が4増えた",
      "国王軍の体力が10減った",
      "国王軍は疲労が8増えた",
      "国王軍から軽症者が11人出た",
      "国王軍から重傷者が5人出た",
      "国王軍から死者が2人出た",
      "国王軍の兵士が120人から102人になった",
      "国王軍の兵士が102人になった",
      "国王軍の攻撃。",
      "国王軍は疲労が4増えた",
      "ハーピーの体力が4減った",
      "ハーピーは疲労が6増えた",
      "ハーピーから軽症者が5人出た",
      "ハーピーから重傷者が3人出た",
      "ハーピーから死者が1人出た",
      "ハーピーの兵士が160人から151人になった",
      "ハーピーの兵士が151人になった",
      "ハーピーの攻撃。雷を呼び寄せた",
      "ハーピーは疲労が4増えた",
      "国王軍の体力が18減った",
      "国王軍は疲労が8増えた",
      "国王軍から軽症者が10人出た",
      "国王軍から重傷者が5人出た",
      "国王軍から死者が3人出た",
      "国王軍の兵士が102人から84人になった",
      "国王軍の兵士が84人になった",
      "国王軍は混乱になった",
      "国王軍は混乱して自分たちを攻撃した",
      "国王軍は混乱で同士討ち。",
      "国王軍は疲労が4増えた",
      "国王軍の混乱が回復した",
      "国王軍の体力が7減った",
      "国王軍は疲労が5増えた",
      "国王軍から軽症者が2人出た",
      "国王軍から重傷者が1人出た",
      "国王軍の兵士が84人から81人になった",
      "国王軍の兵士が81人になった",
      "国王軍の攻撃。",
      "国王軍は疲労が4増えた",
      "ハーピーの体力が3減った",
      "ハーピーは疲労が7増えた",
      "ハーピーから軽症者が4人出た",
      "ハーピーから重傷者が2人出た",
      "ハーピーから死者が1人出た",
      "ハーピーの兵士が151人から144人になった",
      "ハーピーの兵士が144人になった",
      "ハーピーの攻撃。雷を呼び寄せた",
      "ハーピーは疲労が4増えた",
      "国王軍の体力が30減った",
      "国王軍は疲労が8増えた",
      "国王軍から軽症者が9人出た",
      "国王軍から重傷者が5人出た",
      "国王軍から死者が2人出た",
      "国王軍の兵士が81人から65人になった",
      "国王軍の兵士が65人になった",
      "国王軍は混乱になった",
      "国王軍は混乱して自分たちを攻撃した",
      "国王軍は混乱で同士討ち。",
      "国王軍は疲労が4増えた",
      "国王軍の体力が7減った",
      "国王軍は疲労が5増えた",
      "国王軍から軽症者が2人出た",
      "国王軍から死者が1人出た",
      "国王軍の兵士が65人から62人になった",
      "国王軍の兵士が62人になった",
      "ハーピーの攻撃。雷を呼び寄せた",
      "ハーピーは疲労が4増えた",
      "国王軍の体力が28減った",
      "国王軍は疲労が8増えた",
      "国王軍から軽症者が8人出た",
      "国王軍から重傷者が5人出た",
      "国王軍から死者が3人出た",
      "国王軍の兵士が62人から46人になった",
      "国王軍の兵士が46人になった",
      "国王軍は体力が0になり、戦闘不能になった",
  }));
  EXPECT_EQ(battle.Result(), BattleResult::Lose);
  EXPECT_EQ(battle.Winner(), "ハーピー");
  EXPECT_FALSE(army->GetUseItem1());
  EXPECT_EQ(display.ButtonOf(BattleCommand::Item1).Text, "空");
  EXPECT_FALSE(display.ButtonOf(BattleCommand::Item1).Enable);
  EXPECT_EQ(battle.PendingCommand(), "");
}

TEST_F(BattleTest, RangedPhase) {
  auto shots = [this] {
    Lines out;
    for (const auto& m : display.Messages)
      if (m.find("遠距離攻撃") != std::string::npos) out.push_back(m);
    return out;
  };
  auto army = Army("アーチャー", 200, 50);
  army->SetArms("弓", 10, 3);
  army->SetAttackEffects("遠距離:3");
  Monster("スライム", "水棲", "セイバー", 5, 5, 1, "", "", 100);
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("スライム"));
  EXPECT_EQ(shots(), (Lines{"1回目の国王軍の遠距離攻撃", "2回目の国王軍の遠距離攻撃", "3回目の国王軍の遠距離攻撃"}));

  // "draw" skips the phase; so do equal ranges.
  display.Messages.clear();
  ASSERT_TRUE(Fight("スライム", "draw"));
  EXPECT_EQ(shots(), Lines{});
  Monster("ゴーレム", "無機", "セイバー", 5, 5, 1, "遠距離:3", "", 100);
  display.Messages.clear();
  ASSERT_TRUE(Fight("ゴーレム"));
  EXPECT_EQ(shots(), Lines{});

  // A defender that falls ends the phase and the battle, without a round.
  auto frail = Monster("コウモリ", "鳥", "セイバー", 5, 0, 90, "", "", 100);
  display.Messages.clear();
  ASSERT_TRUE(Fight("コウモリ"));
  EXPECT_EQ(display.Messages.at(1), "1回目の国王軍の遠距離攻撃");
  EXPECT_EQ(display.Messages.back(), "コウモリは体力が0になり、戦闘不能になった");
  EXPECT_EQ(frail->Counter(), 0);
  EXPECT_EQ(battle.Result(), BattleResult::Win);

  // The longer reach may be the monster's.
  auto fresh = Army("セイバー", 200, 50);
  fresh->SetArms("剣", 10, 3);
  Monster("ケンタウロス", "獣人", "アーチャー", 5, 5, 1, "遠距離:1", "", 100);
  display.Messages.clear();
  ASSERT_TRUE(Fight("ケンタウロス"));
  EXPECT_EQ(display.Messages.at(1), "1回目のケンタウロスの遠距離攻撃");
}

TEST_F(BattleTest, ShooterFallingToAnOldPoisonDecidesTheBattle) {
  // Poisoned and worn down in an earlier battle, the archers fall to the poison on their first shot.
  auto army = Army("アーチャー", 200, 50);
  army->SetArms("弓", 10, 3);
  army->SetAttackEffects("遠距離:2");
  Weaken(*army, 5);
  auto monster = Monster("オーク", "獣人", "ランサー", 10, 8, 10, "", "", 150);
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("オーク"));
  EXPECT_TRUE(army->GiveUp());
  EXPECT_FALSE(battle.IsBattle());
  EXPECT_EQ(battle.Winner(), "オーク");
  EXPECT_EQ(battle.Result(), BattleResult::Lose);
  int shots = 0;
  for (const auto& m : display.Messages) shots += m.find("遠距離攻撃") != std::string::npos;
  EXPECT_EQ(shots, 1);
}

TEST_F(BattleTest, RetreatAndCommandButtons) {
  auto army = Army("セイバー", 200, 50);
  army->SetArms("剣", 10, 3);
  army->SetItem2("薬草", 1, "体力:30");
  Monster("オーク", "獣人", "ランサー", 10, 8, 10, "", "", 150);
  Lines pendingSeen;
  pump.onTurn = [&](int turn) {
    if (turn == 1) {
      EXPECT_EQ(display.ButtonOf(BattleCommand::Item1).Text, "空");
      EXPECT_FALSE(display.ButtonOf(BattleCommand::Item1).Enable);
      EXPECT_EQ(display.ButtonOf(BattleCommand::Item2).Text, "薬草");
      EXPECT_TRUE(display.ButtonOf(BattleCommand::Item2).Enable);
      EXPECT_EQ(display.ButtonOf(BattleCommand::Retreat).Text, "退却");
      battle.Item2_Click();
      battle.Item2_Click();  // a second click takes the command back
      pendingSeen.push_back(battle.PendingCommand());
      battle.Item1_Click();
      battle.Retreat_Click();  // the last choice wins and deselects the others
      pendingSeen.push_back(battle.PendingCommand());
    }
  };
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("オーク"));
  EXPECT_EQ(pendingSeen, (Lines{"", "retreat"}));
  EXPECT_FALSE(display.ButtonOf(BattleCommand::Item1).Selected);
  EXPECT_TRUE(battle.IsRetreat());
  EXPECT_TRUE(battle.IsBattle());
  EXPECT_EQ(battle.Result(), BattleResult::Retreat);
  EXPECT_EQ(battle.Winner(), "");
  EXPECT_EQ(battle.PendingCommand(), "");
  EXPECT_EQ(notes, Lines{"BattleEND"});

  // An army that may not retreat: the button reads "退却不可" and ignores clicks.
  auto stubborn = Army("セイバー", 200, 50);
  stubborn->SetArms("狂戦士の斧", 10, 3);
  stubborn->SetAttackEffects("退却:0");
  battle.EndMSG("end");
  pump.onTurn = [&](int) { battle.Retreat_Click(); };
  ASSERT_TRUE(Fight("オーク"));
  EXPECT_EQ(display.ButtonOf(BattleCommand::Retreat).Text, "退却不可");
  EXPECT_FALSE(display.ButtonOf(BattleCommand::Retreat).Enable);
  EXPECT_EQ(battle.PendingCommand(), "");
  EXPECT_FALSE(battle.IsRetreat());
}

TEST_F(BattleTest, ItemWaitsForTheArmysTurn) {
  auto army = Army("ランサー", 200, 50);
  army->SetArms("槍", 10, 40);  // heavy: slow
  army->SetProtector("重鎧", 20, 10);
  army->SetItem1("薬草", 1, "体力:30");
  Monster("ウルフ", "獣", "セイバー", 5, 8, 60, "", "", 150);
  pump.onTurn = [this](int turn) {
    if (turn == 1) battle.Item1_Click();
  };
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("ウルフ"));
  const auto& m = display.Messages;
  auto at = [&](const std::string& s) { return std::find(m.begin(), m.end(), s) - m.begin(); };
  ASSERT_LT(at("国王軍は薬草を使った"), static_cast<long>(m.size()));
  EXPECT_LT(at("ウルフの攻撃。"), at("国王軍は薬草を使った"));
  EXPECT_LT(at("国王軍は薬草を使った"), at("国王軍の攻撃。"));
  EXPECT_EQ(std::count(m.begin(), m.end(), "国王軍は薬草を使った"), 1);
}

TEST_F(BattleTest, UndecidedTurnOrderAndMutualKnockOut) {
  // Nobody reaches a turn in 30 cycles: undecided, no winner; fought again with the same units.
  auto army = Army("セイバー", 200, 50);
  army->SetAccessory("鉛の靴", 0, 0, "速度:-100");
  Monster("カメ", "水棲", "セイバー", 5, 5, 1, "", "", 100);
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(Fight("カメ"));
    EXPECT_TRUE(battle.IsBattle());
    EXPECT_EQ(battle.Winner(), "");
    EXPECT_EQ(battle.Result(), BattleResult::Undecided);
    EXPECT_EQ(army->Counter(), 30);
  }

  // Equal speed and equal rest: the draw decides who strikes first.
  for (auto [draw, first] : {std::pair{0.1, "国王軍の攻撃。"}, std::pair{0.0, "トカゲの攻撃。"}}) {
    auto saber = Army("セイバー", 200, 50);  // nothing carried: speed 15
    Monster("トカゲ", "両棲", "セイバー", 5, 5, 15, "", "", 200);
    display.Messages.clear();
    rt::ScriptedRandom r({draw});
    battle.EndMSG("");
    ASSERT_TRUE(Fight("トカゲ"));
    auto it = std::find_if(display.Messages.begin(), display.Messages.end(),
                           [](const std::string& s) { return s.ends_with("の攻撃。"); });
    ASSERT_NE(it, display.Messages.end());
    EXPECT_EQ(*it, first);
  }

  // The army's blow fells the monster while its own poison fells the army.
  auto dying = Army("セイバー", 200, 50);
  dying->SetArms("剣", 20, 3);
  Weaken(*dying, 5);
  Monster("ゾンビ", "ゾンビ", "セイバー", 5, 0, 1, "", "", 50);
  display.Messages.clear();
  rt::ScriptedRandom r(kDraws, true);
  ASSERT_TRUE(Fight("ゾンビ"));
  EXPECT_EQ(display.Messages.back(), "共に倒れた");
  EXPECT_EQ(battle.Winner(), "");
  EXPECT_FALSE(battle.IsBattle());
  EXPECT_EQ(battle.Result(), BattleResult::Lose);
}

TEST_F(BattleTest, SoundsAnimationAndPacing) {
  auto army = Army("アーチャー", 300, 50);
  army->SetArms("弓", 10, 3);
  army->SetSubArms("矢", 5, 1);
  Monster("サラマンダー", "両棲", "ランサー", 8, 20, 15, "属性:炎", "", 300);
  battle.Effect(true);
  battle.BattleSpeed(0.2f);
  std::vector<int64_t> at;
  battle.Sound = [&](int s) {
    sounds.push_back(s);
    at.push_back(clock.NowMs());
  };
  rt::ScriptedRandom draws(kDraws, true);
  int64_t start = clock.NowMs();
  ASSERT_TRUE(Fight("サラマンダー"));
  ASSERT_FALSE(sounds.empty());
  for (size_t i = 0; i < sounds.size(); ++i) {
    if (sounds[i] == 5) {
      ASSERT_LT(i + 1, sounds.size());
      EXPECT_EQ(sounds[i + 1], 13);
      EXPECT_GE(at[i + 1] - at[i], 200);
    }
  }
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), 7), sounds.end());
  // Every message stays BattleSpeed seconds, the loop turning meanwhile.
  EXPECT_GE(clock.NowMs() - start, static_cast<int64_t>(display.Messages.size()) * 200);
  EXPECT_GT(pump.turns, static_cast<int>(display.Messages.size()) * 10);
  EXPECT_TRUE(display.FieldShown);
  EXPECT_EQ(display.AnimeCalls, 0);

  // With the animation on, the drawing makes the sounds, not the driver.
  sounds.clear();
  battle.Anime(true);
  Army("アーチャー", 300, 50)->SetArms("弓", 10, 3);
  Monster("サラマンダー", "両棲", "ランサー", 8, 20, 15, "属性:炎", "", 300);
  ASSERT_TRUE(Fight("サラマンダー"));
  EXPECT_TRUE(sounds.empty());
  EXPECT_GT(display.AnimeCalls, 0);
}

TEST_F(BattleTest, StatusPanelCounterStaysOnTheGauge) {
  auto army = Army("セイバー", 200, 50);
  army->SetAccessory("鉛の靴", 0, 0, "速度:-100");
  {
    rt::ScriptedRandom r({0.0});
    army->DamegeEffect({{"猛毒", 100}});
  }
  Monster("カメ", "水棲", "セイバー", 5, 5, 1, "", "", 100);
  battle.SetBattleField("草原");
  ASSERT_TRUE(Fight("カメ"));
  EXPECT_LT(army->Counter(), 0);
  EXPECT_EQ(display.LastStatus.Party1.Counter, 0);
  EXPECT_EQ(display.LastStatus.Party2.Counter, 30);
  EXPECT_EQ(display.LastStatus.Party1.StatusPoison, "猛毒");
  EXPECT_EQ(display.LastStatus.BattleField, "草原");
  EXPECT_EQ(display.FieldPainted, "草原");
}

TEST_F(BattleTest, UnitCollection) {
  auto first = Army("セイバー", 100, 50);
  auto second = Army("ランサー", 150, 50);  // same name and ID: replaces the first
  EXPECT_EQ(battle.UnitCount(), 1);
  EXPECT_EQ(battle.UnitGet("国王軍1"), second);
  second->SetItem1("薬草", 1, "体力:30");
  EXPECT_EQ(battle.GetItemName("1"), "薬草:");
  EXPECT_EQ(battle.GetItemName("9"), "");
  EXPECT_EQ(battle.UnitGet("国王軍9"), nullptr);
  battle.UnitRemove("国王軍9");
  EXPECT_EQ(battle.UnitCount(), 1);
  // A key naming no unit starts nothing.
  EXPECT_FALSE(Fight("いない"));
  EXPECT_TRUE(notes.empty());
  battle.UnitRemove("国王軍1");
  EXPECT_EQ(battle.UnitCount(), 0);
}
