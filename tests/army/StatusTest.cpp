// Statuses given, checked before acting and recovered; consumables and the attacker's own effects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "army/clsUnitver2.h"
#include "runtime/Random.h"

namespace {

using Lines = std::vector<std::string>;

struct Unit {
  clsUnitver2 u;
  Lines lines;
  explicit Unit(const std::string& defence = "") {
    u.SetMonster("2", "ゴブリン", "獣人", "セイバー", 10, 6, 12, "", defence, 100, 50, 1, 1, 2);
    u.Notification = [this](const std::string& s) { lines.push_back(s); };
  }
  /// Inflict statuses for sure (draw 1 against threshold Int(1.01 * power)).
  void Give(const EffectList& effects) {
    rt::ScriptedRandom r({0.0});
    u.DamegeEffect(effects);
  }
};

}  // namespace

TEST(Status, OnsetToleranceAndStrength) {
  Unit a;
  a.Give({{"毒", 100}, {"暗闇", 100}, {"睡眠", 100}});
  EXPECT_EQ(a.lines, (Lines{"ゴブリンは毒に冒された", "ゴブリンは暗闇に包まれた", "ゴブリンは睡眠になった"}));
  a.lines.clear();
  a.Give({{"毒", 100}, {"猛毒", 100}, {"麻痺", 100}, {"睡眠", 100}, {"魅了", 100}, {"混乱", 100}});
  EXPECT_EQ(a.u.StatusPoison() + a.u.StatusAbnormal(), "猛毒魅了");  // a second poison changes nothing; strong poison replaces it
  EXPECT_EQ(a.lines, (Lines{"ゴブリンは猛毒に冒された", "ゴブリンは麻痺した", "ゴブリンは魅了された"}));

  Unit tolerant("毒:1:睡眠:1");
  tolerant.Give({{"毒", 100}, {"睡眠", 100}, {"混乱", 100}, {"体力", 100}});
  EXPECT_EQ(tolerant.u.StatusPoison() + tolerant.u.StatusAbnormal(), "混乱");
  EXPECT_EQ(tolerant.lines, Lines{"ゴブリンは混乱になった"});  // the weapon's own words do nothing here

  // The chance: t = 1 for a fresh unit, threshold Int(1.01 * 50) = 50; d must be below it.
  for (auto [draw, status] : {std::pair{0.49, ""}, std::pair{0.48, "毒"}}) {
    Unit fresh;
    rt::ScriptedRandom r({draw});
    fresh.u.DamegeEffect({{"毒", 50}});
    EXPECT_EQ(fresh.u.StatusPoison(), status);
  }
}

TEST(Status, ChecksBeforeActing) {
  struct Row {
    const char* status;
    double draw;
    bool ready, ownSide;
    const char* line;
  };
  for (const Row& r : {Row{"睡眠", 0.99, false, false, "ゴブリンは眠っていて攻撃できない"},
                       Row{"麻痺", 0.65, false, false, "ゴブリンは麻痺で攻撃できない"},
                       Row{"麻痺", 0.66, true, false, nullptr}, Row{"混乱", 0.32, false, false, "ゴブリンは混乱して攻撃できない"},
                       Row{"混乱", 0.33, true, true, nullptr}, Row{"混乱", 0.65, true, true, nullptr},
                       Row{"混乱", 0.66, true, false, nullptr}, Row{"魅了", 0.75, false, false, "ゴブリンは相手に魅了されている"},
                       Row{"魅了", 0.74, true, true, nullptr}}) {
    Unit a;
    a.Give({{r.status, 100}});
    a.lines.clear();
    a.u.BattleFLG(true);
    rt::ScriptedRandom draw({r.draw, 0.99});  // the second draw keeps the status on recovery
    EXPECT_EQ(a.u.StatusCheckAbnormal(), r.ownSide) << r.status << r.draw;
    EXPECT_EQ(a.u.BattleFLG(), r.ready) << r.status << r.draw;
    EXPECT_EQ(a.lines, r.line ? Lines{r.line} : Lines{}) << r.status << r.draw;
  }

  // The own-side mark belongs to the confused action alone, not to a later shot without a check.
  Unit confused;
  confused.Give({{"混乱", 100}});
  std::vector<bool> own;
  confused.u.AttackAnime = [&](const std::string&, bool o) { own.push_back(o); };
  rt::ScriptedRandom draws({0.5, 0.99});
  confused.u.BattleFLG(true);
  ASSERT_TRUE(confused.u.StatusCheckAbnormal());
  confused.u.Attack(100, 6, "");
  confused.u.Attack(100, 6, "");
  EXPECT_EQ(own, (std::vector<bool>{true, false}));

  Unit blind;  // d = 34 attacks; d = 33 misses and then recovers at once
  blind.Give({{"暗闇", 100}});
  blind.lines.clear();
  rt::ScriptedRandom blindDraws({0.33, 0.32, 0.0});
  blind.u.BattleFLG(true);
  EXPECT_FALSE(blind.u.StatusCheckBlindness());
  EXPECT_TRUE(blind.u.StatusCheckBlindness() && !blind.u.BattleFLG());
  EXPECT_EQ(blind.lines, (Lines{"ゴブリンは暗闇で攻撃をはずした", "ゴブリンの暗闇が回復した"}));
}

TEST(Status, RecoveryAndPoisonDamage) {
  Unit a;
  a.Give({{"暗闇", 100}, {"混乱", 100}, {"猛毒", 100}});
  a.lines.clear();
  {
    rt::ScriptedRandom r({0.25, 0.32});  // blindness stays (26 > 25); confusion clears (33)
    a.u.StatusRecover();
  }
  EXPECT_EQ(a.lines, (Lines{"ゴブリンの混乱が回復した", "ゴブリンは猛毒で10のダメージ"}));
  EXPECT_EQ(a.u.Physical(), 90);

  struct Row {
    const char* status;
    double keep, clear;
  };
  for (const Row& r : {Row{"睡眠", 0.50, 0.49}, Row{"麻痺", 0.33, 0.32}, Row{"魅了", 0.25, 0.24}}) {
    Unit u;
    u.Give({{r.status, 100}});
    rt::ScriptedRandom draws({r.keep, r.clear});
    u.u.StatusRecover();
    EXPECT_EQ(u.u.StatusAbnormal(), r.status);
    u.u.StatusRecover();
    EXPECT_EQ(u.u.StatusAbnormal() + u.lines.back(), std::string("ゴブリンの") + r.status + "が回復した");
  }

  Unit dying;  // 5 a step from 100: the twentieth step knocks it out
  dying.Give({{"毒", 100}});
  for (int i = 0; i < 19; ++i) dying.u.StatusRecover();
  EXPECT_FALSE(dying.u.GiveUp());
  dying.u.StatusRecover();
  EXPECT_TRUE(dying.u.GiveUp() && dying.lines.back() == "ゴブリンは体力が0になり、戦闘不能になった");
}

TEST(Status, ItemsAndOwnEffects) {
  clsUnitver2 u;
  u.SetUnit("1", "国王軍", "セイバー", 200, 50);
  Lines lines;
  u.Notification = [&](const std::string& s) { lines.push_back(s); };
  u.SetArms("吸血剣", 10, 3);
  u.SetAttackEffects("体力:30:疲労:50:毒:20");
  u.SetItem1("万能薬", 1, "万能:0:軽傷:10:死者:50");
  u.SetItem2("空箱", 1, "");
  {
    rt::ScriptedRandom r({0.0});
    u.DamegeEffect({{"毒", 100}, {"暗闇", 100}, {"睡眠", 100}});
    u.CalcInjury(4.0, 200);  // every trial a casualty: 24 dead, 50 serious, 100 light
    u.Damege(0, 0, 0);        // costs 1 strength and adds fatigue
  }
  // The weapon's own list: strength and fatigue back, and its "毒" cures the wielder's poison.
  lines.clear();
  EXPECT_EQ(u.AttackEffect().size(), 3u);
  EXPECT_EQ((std::vector<int>{u.Physical(), u.Tiredness()}), (std::vector<int>{100, 0}));
  EXPECT_EQ(lines, (Lines{"吸血剣の効果で体力が30回復した", "吸血剣の効果で疲労が50回復した",
                          "吸血剣の効果で国王軍の毒が治った"}));

  lines.clear();
  u.UseItem1();
  EXPECT_FALSE(u.GetUseItem1());
  EXPECT_EQ((std::vector<long>{u.Injury(), u.Soldiers()}), (std::vector<long>{80, 26 + 20 + 24}));
  EXPECT_EQ(lines, (Lines{"国王軍は万能薬を使った", "万能薬の効果で国王軍の暗闇が治った", "万能薬の効果で国王軍は目覚めた",
                          "万能薬の効果で軽傷者が20人回復した", "万能薬の効果で死者が24人回復した"}));
  lines.clear();
  u.UseItem2();  // nothing in it: nothing happens, still usable
  EXPECT_TRUE(lines.empty() && u.GetUseItem2());
}
