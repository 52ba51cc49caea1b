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
#include "runtime/VbError.h"

namespace {

using Lines = std::vector<std::string>;

/// The event loop of a test: counts its turns and runs a scripted click at a chosen one.
struct TestPump : BattleEventPump {
  int turns = 0;
  std::function<void(int)> onTurn;
  void DoEvents() override {
    if (onTurn) onTurn(++turns);
    else ++turns;
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
    battle.Notification = [this](const std::string& s) { notes.push_back(s); };
  }
  void TearDown() override { rt::SetClock(nullptr); }

  std::shared_ptr<clsUnitver2> Army(const std::string& cls, int soldiers, int education, int arms = 0) {
    auto u = std::make_shared<clsUnitver2>();
    u->SetUnit("1", "国王軍", cls, soldiers, education);
    if (arms) u->SetArms("剣", arms, 3);
    battle.UnitAdd(u, "国王軍1");
    return u;
  }
  std::shared_ptr<clsUnitver2> Monster(const std::string& name, const std::string& cls, int attack, int defence,
                                       int speed, const std::string& attackEffect, const std::string& defenceEffect,
                                       int soldiers) {
    auto m = std::make_shared<clsUnitver2>();
    m->SetMonster("2", name, "獣人", cls, attack, defence, speed, attackEffect, defenceEffect, soldiers, 50, 1, 1, 1);
    battle.UnitAdd(m, name + "2");
    return m;
  }
  bool Fight(const std::string& monster, const std::string& msg = "") {
    display.Messages.clear();
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
  Lines notes;
};

}  // namespace

TEST_F(BattleTest, GoldenSaberWinsAgainstPoisonedBlades) {
  auto army = Army("セイバー", 300, 70, 18);
  army->SetProtector("鎖帷子", 12, 8);
  army->SetDefenceEffects("麻痺:30");
  Monster("ゴブリン", "ランサー", 9, 5, 14, "毒:60", "", 150);
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("ゴブリン"));
  EXPECT_EQ(display.Messages, (Lines{
      "戦闘開始", "国王軍の攻撃。", "国王軍は疲労が4増えた",
      "ゴブリンの体力が31減った", "ゴブリンは疲労が7増えた", "ゴブリンから軽症者が18人出た",
      "ゴブリンから重傷者が9人出た", "ゴブリンから死者が4人出た", "ゴブリンの兵士が150人から119人になった",
      "ゴブリンの兵士が119人になった", "ゴブリンの攻撃。", "ゴブリンは疲労が5増えた",
      "国王軍の体力が1減った", "国王軍は疲労が5増えた", "国王軍から軽症者が2人出た",
      "国王軍の兵士が300人から298人になった", "国王軍の兵士が298人になった", "国王軍の攻撃。",
      "国王軍は疲労が5増えた", "ゴブリンの体力が59減った", "ゴブリンは疲労が7増えた",
      "ゴブリンから軽症者が18人出た", "ゴブリンから重傷者が9人出た", "ゴブリンから死者が5人出た",
      "ゴブリンの兵士が119人から87人になった", "ゴブリンの兵士が87人になった", "国王軍の攻撃。",
      "国王軍は疲労が6増えた", "ゴブリンの体力が10減った", "ゴブリンは疲労が7増えた",
      "ゴブリンから軽症者が17人出た", "ゴブリンから重傷者が9人出た", "ゴブリンから死者が4人出た",
      "ゴブリンの兵士が87人から57人になった", "ゴブリンの兵士が57人になった",
      "ゴブリンは体力が0になり、戦闘不能になった"}));
  EXPECT_EQ(battle.Result(), BattleResult::Win);
  EXPECT_EQ(battle.Winner() + notes.at(0), "国王軍BattleEND");
}

TEST_F(BattleTest, GoldenRidersUseAnItemAndFallToConfusion) {
  auto army = Army("ライダー", 120, 80, 14);
  army->SetSubArms("軍馬", 30, 50);
  army->SetProtector("鎧", 9, 6);
  army->SetItem1("薬草", 1, "体力:30");
  Monster("ハーピー", "アーチャー", 30, 6, 20, "混乱:70:特殊:雷", "", 160);
  pump.onTurn = [this](int turn) {
    if (turn == 1) battle.Item1_Click();
  };
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("ハーピー"));
  // The transcript at the turns that matter: the item, the elemental breath, the confusion.
  const std::vector<std::pair<size_t, std::string>> golden = {
      {1, "国王軍は薬草を使った"}, {2, "薬草の効果で体力が30回復した"}, {3, "ハーピーの攻撃。"},
      {5, "国王軍の体力が10減った"}, {21, "ハーピーの攻撃。雷を呼び寄せた"}, {23, "国王軍の体力が18減った"},
      {30, "国王軍は混乱になった"}, {31, "国王軍は混乱して自分たちを攻撃した"}, {32, "国王軍は混乱で同士討ち。"},
      {33, "国王軍は疲労が4増えた"}, {34, "国王軍の混乱が回復した"}, {35, "国王軍の体力が7減った"},
      {40, "国王軍の兵士が81人になった"}, {41, "国王軍の攻撃。"}, {78, "国王軍は体力が0になり、戦闘不能になった"}};
  ASSERT_EQ(display.Messages.size(), 79u);
  for (const auto& [i, line] : golden) EXPECT_EQ(display.Messages[i], line) << i;
  EXPECT_EQ(battle.Result(), BattleResult::Lose);
  EXPECT_EQ(battle.Winner(), "ハーピー");
}

TEST_F(BattleTest, RangedPhase) {
  auto army = Army("アーチャー", 400, 50, 10);
  army->SetSubArms("火矢", 6, 2);
  army->SetAttackEffects("遠距離:2:属性:炎");
  army->SetProtector("革鎧", 5, 4);
  Monster("フロストリザード", "ランサー", 14, 10, 8, "属性:氷:暗闇:40", "耐性:氷", 180);
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("フロストリザード"));
  // Two numbered shots, the fire arrows halved by the lizard's ice.
  ASSERT_GT(display.Messages.size(), 12u);
  EXPECT_EQ(display.Messages[1] + "/" + display.Messages[4] + "/" + display.Messages[11],
            "1回目の国王軍の遠距離攻撃/フロストリザードの体力が8減った/2回目の国王軍の遠距離攻撃");
  EXPECT_EQ(battle.Result(), BattleResult::Win);

  auto shots = [this] {
    return std::count_if(display.Messages.begin(), display.Messages.end(),
                         [](const std::string& m) { return m.ends_with("の遠距離攻撃"); });
  };
  // "draw" skips the phase; so do equal ranges.
  Monster("ゴーレム", "セイバー", 5, 5, 1, "遠距離:2", "", 100);
  ASSERT_TRUE(Fight("ゴーレム"));
  const auto equalReach = shots();
  Monster("スライム", "セイバー", 5, 5, 1, "遠距離:9", "", 100);
  ASSERT_TRUE(Fight("スライム", "draw"));
  EXPECT_EQ(equalReach + shots(), 0);

  // A defender that falls ends the phase and the battle, without a round.
  auto frail = Monster("コウモリ", "セイバー", 5, 0, 90, "", "", 100);
  ASSERT_TRUE(Fight("コウモリ"));
  EXPECT_EQ((std::vector<long>{shots(), frail->Counter()}), (std::vector<long>{1, 0}));
  EXPECT_EQ(display.Messages.back(), "コウモリは体力が0になり、戦闘不能になった");
  EXPECT_EQ(battle.Result(), BattleResult::Win);

  // The longer reach may be the monster's.
  Army("セイバー", 200, 50, 10);
  Monster("ケンタウロス", "アーチャー", 5, 5, 1, "遠距離:1", "", 100);
  ASSERT_TRUE(Fight("ケンタウロス"));
  EXPECT_EQ(display.Messages.at(1), "1回目のケンタウロスの遠距離攻撃");

  // Poisoned and worn down in an earlier battle, the archers fall to the poison on their first shot.
  auto worn = Army("アーチャー", 200, 50, 10);
  worn->SetAttackEffects("遠距離:2");
  Weaken(*worn, 5);
  Monster("オーク", "ランサー", 10, 8, 10, "", "", 150);
  ASSERT_TRUE(Fight("オーク"));
  EXPECT_FALSE(battle.IsBattle());
  EXPECT_EQ(battle.Result(), BattleResult::Lose);
  EXPECT_EQ(shots(), 1);
}

TEST_F(BattleTest, CommandsRetreatAndItems) {
  auto army = Army("セイバー", 200, 50, 10);
  army->SetItem2("薬草", 1, "体力:30");
  Monster("オーク", "ランサー", 10, 8, 10, "", "", 150);
  Lines pendingSeen;
  pump.onTurn = [&](int turn) {
    if (turn != 1) return;
    EXPECT_FALSE(display.ButtonOf(BattleCommand::Item1).Enable);  // no item: "空"
    EXPECT_EQ(display.ButtonOf(BattleCommand::Item2).Text, "薬草");
    battle.Item2_Click();
    battle.Item2_Click();  // a second click takes the command back
    pendingSeen.push_back(battle.PendingCommand());
    battle.Item1_Click();
    battle.Retreat_Click();  // the last choice wins and deselects the others
    pendingSeen.push_back(battle.PendingCommand());
  };
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("オーク"));
  EXPECT_EQ(pendingSeen, (Lines{"", "retreat"}));
  EXPECT_TRUE(!display.ButtonOf(BattleCommand::Item1).Selected && battle.IsBattle() && battle.PendingCommand().empty());
  EXPECT_EQ(battle.Result(), BattleResult::Retreat);

  // An army that may not retreat: the button reads "退却不可" and ignores clicks.
  Army("セイバー", 200, 50, 10)->SetAttackEffects("退却:0");
  battle.EndMSG("end");
  pump.onTurn = [&](int) { battle.Retreat_Click(); };
  ASSERT_TRUE(Fight("オーク"));
  EXPECT_EQ(display.ButtonOf(BattleCommand::Retreat).Text + battle.PendingCommand(), "退却不可");
  EXPECT_FALSE(battle.IsRetreat());
  battle.EndMSG("");

  // An item chosen while only the monster is ready waits for the army's own turn, once.
  auto slow = Army("ランサー", 200, 50);
  slow->SetArms("槍", 10, 40);
  slow->SetProtector("重鎧", 20, 10);
  slow->SetItem1("薬草", 1, "体力:30");
  Monster("ウルフ", "セイバー", 5, 8, 60, "", "", 150);
  pump.onTurn = [this](int turn) {
    if (turn == 1) battle.Item1_Click();
  };
  pump.turns = 0;
  rt::ScriptedRandom again(kDraws, true);
  ASSERT_TRUE(Fight("ウルフ"));
  const auto& m = display.Messages;
  auto at = [&](const std::string& s) { return std::find(m.begin(), m.end(), s) - m.begin(); };
  ASSERT_LT(at("国王軍は薬草を使った"), static_cast<long>(m.size()));
  EXPECT_LT(at("ウルフの攻撃。"), at("国王軍は薬草を使った"));
  EXPECT_LT(at("国王軍は薬草を使った"), at("国王軍の攻撃。"));
  EXPECT_EQ(std::count(m.begin(), m.end(), "国王軍は薬草を使った"), 1);
}

TEST_F(BattleTest, UndecidedAndMutualKnockOut) {
  // Nobody reaches a turn in 30 cycles: undecided, no winner; the strong poison's counter stays on the gauge.
  auto army = Army("セイバー", 200, 50);
  army->SetAccessory("鉛の靴", 0, 0, "速度:-100");
  {
    rt::ScriptedRandom r({0.0});
    army->DamegeEffect({{"猛毒", 100}});
  }
  Monster("カメ", "セイバー", 5, 5, 1, "", "", 100);
  ASSERT_TRUE(Fight("カメ"));
  EXPECT_EQ(battle.Result(), BattleResult::Undecided);
  EXPECT_EQ((std::vector<long>{display.LastStatus.Party1.Counter, display.LastStatus.Party2.Counter}), (std::vector<long>{0, 30}));

  // The army's blow fells the monster while its own poison fells the army.
  Weaken(*Army("セイバー", 200, 50, 20), 5);
  Monster("ゾンビ", "セイバー", 5, 0, 1, "", "", 50);
  rt::ScriptedRandom r(kDraws, true);
  ASSERT_TRUE(Fight("ゾンビ"));
  EXPECT_EQ(display.Messages.back() + battle.Winner(), "共に倒れた");
  EXPECT_EQ(battle.Result(), BattleResult::Lose);
}

TEST_F(BattleTest, SoundsAnimationAndPacing) {
  Army("アーチャー", 300, 50, 10);
  Monster("サラマンダー", "ランサー", 8, 20, 15, "属性:炎", "", 300);
  battle.Effect(true);
  battle.BattleSpeed(0.2f);
  std::vector<std::pair<int, int64_t>> heard;
  battle.Sound = [&](int s) { heard.emplace_back(s, clock.NowMs()); };
  rt::ScriptedRandom draws(kDraws, true);
  ASSERT_TRUE(Fight("サラマンダー"));
  // The bow twangs and 0.2 s later the arrow flies; the monster breathes fire.
  ASSERT_GE(heard.size(), 3u);
  EXPECT_EQ((std::vector<long>{heard[0].first, heard[1].first}), (std::vector<long>{5, 13}));
  EXPECT_GE(heard[1].second - heard[0].second, 200);
  EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](auto& h) { return h.first == 7; }));
  // Every message stays BattleSpeed seconds, the loop turning meanwhile.
  EXPECT_GE(clock.NowMs(), static_cast<int64_t>(display.Messages.size()) * 200);
  EXPECT_GT(pump.turns, static_cast<int>(display.Messages.size()) * 10);

  // With the animation on, the drawing makes the sounds, not the driver.
  heard.clear();
  battle.Anime(true);
  Army("アーチャー", 300, 50, 10);
  Monster("サラマンダー", "ランサー", 8, 20, 15, "属性:炎", "", 300);
  ASSERT_TRUE(Fight("サラマンダー"));
  EXPECT_TRUE(heard.empty() && display.AnimeCalls > 0);
}

TEST_F(BattleTest, AnErrorInsideTheBattleEndsItAsARetreat) {
  struct FailingDisplay : RecordingBattleDisplay {
    void DrawStatus(const BattleStatusView&) override { throw rt::VbError(rt::kErrOverflow); }
  } failing;
  battle.Init(&failing, &pump);
  Army("セイバー", 100, 50, 10);
  EXPECT_FALSE(Fight("ゴブリン"));  // no such unit yet: nothing starts
  Monster("ゴブリン", "セイバー", 10, 6, 12, "", "", 100);
  EXPECT_TRUE(Fight("ゴブリン"));  // returns, with no error escaping
  EXPECT_EQ(battle.Result(), BattleResult::Retreat);
  EXPECT_EQ(notes, (Lines{"BattleEND"}));
  // Said in the player's words: the runtime's "Overflow" stays in standard error.
  ASSERT_GE(failing.Messages.size(), 2u);
  EXPECT_EQ(Lines(failing.Messages.end() - 2, failing.Messages.end()),
            (Lines{"国王軍は戦闘を続けられず退却した", "エラー 6 数値が扱える範囲を超えました"}));
}
