// The combat rules of a unit: factors, counter, attack, defence, damage and casualties; statuses
// given, checked before acting and recovered; consumables and the attacker's own effects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "army/clsUnitver2.h"
#include "runtime/Random.h"

namespace {

using Lines = std::vector<std::string>;
using Ints = std::vector<int>;

clsUnitver2 Army(const std::string& cls, int soldiers, int education, int arms = 0, int armsWeight = 0) {
  clsUnitver2 u;
  u.SetUnit("1", "国王軍", cls, soldiers, education);
  u.SetArms("武器", arms, armsWeight);
  return u;
}

clsUnitver2 Monster(const std::string& cls, int soldiers, int defence = 6, int speed = 12,
                    const std::string& defenceEffect = "") {
  clsUnitver2 m;
  m.SetMonster("2", "ゴブリン", "獣人", cls, 10, defence, speed, "", defenceEffect, soldiers, 50, 1, 1, 2);
  return m;
}

/// A goblin whose messages are kept.
struct Unit {
  clsUnitver2 u;
  Lines lines;
  explicit Unit(const std::string& defence = "") : u(Monster("セイバー", 100, 6, 12, defence)) {
    u.Notification = [this](const std::string& s) { lines.push_back(s); };
  }
  /// Inflict statuses for sure (draw 1 against threshold Int(1.01 * power)).
  void Give(const EffectList& effects) {
    rt::ScriptedRandom r({0.0});
    u.DamegeEffect(effects);
  }
};

}  // namespace

TEST(CombatRules, CapacityAndSpeed) {
  struct Row {
    const char* cls;
    int education, load, speed;
  };
  // lancer: capacity CInt(1.44*15+25) = 47, CInt(10 * 47/40) = 12; archer capped at 1.5 times;
  // saber 31/62 gives 7.5, rounded to even; nothing carried keeps the base speed (no division);
  // a rider goes at its horse's pace.
  for (const Row& r : {Row{"ランサー", 60, 40, 12}, Row{"アーチャー", 50, 1, 30}, Row{"セイバー", 50, 62, 8},
                       Row{"セイバー", 50, 0, 15}, Row{"ライダー", 50, 0, 25}}) {
    clsUnitver2 u = Army(r.cls, 100, r.education, 1, r.load);
    u.SetSubArms("馬", 25, 0);  // carried by none but the rider
    u.Init("セイバー", "");
    EXPECT_EQ(u.Speed(), r.speed) << r.cls << r.load;
  }
}

TEST(CombatRules, ClassRaceAndSoldierFactors) {
  struct Row {
    const char *me, *op;
    double a;
  };
  // education 50: (e/100)^2 = 0.25; a class outside the table meets on even terms (0 would divide the
  // casualty odds)
  for (const Row& r : {Row{"ランサー", "ランサー", 1.25}, Row{"ライダー", "セイバー", 1.25}, Row{"ランサー", "ライダー", 1.3},
                       Row{"アーチャー", "ランサー", 1.3}, Row{"ライダー", "ランサー", 0.875},
                       Row{"アーチャー", "ライダー", 0.875}, Row{"ドラゴン", "ランサー", 1.25}}) {
    clsUnitver2 u = Monster(r.me, 100);
    u.Init(r.op, "");
    EXPECT_DOUBLE_EQ(u.ClassFactor(), r.a) << r.me << " vs " << r.op;
  }

  clsUnitver2 u = Army("セイバー", 600, 50);
  u.SetAttackEffects("獣:30:悪魔:50");
  u.Init("セイバー", "悪魔");
  const double demon = u.RaceFactor();
  u.Init("セイバー", "蛇");
  EXPECT_EQ((std::vector<double>{demon, u.RaceFactor()}), (std::vector<double>{1.5, 1.0}));

  // 600 against 600; against 100 g = 4.6, capped; nobody against us: no division by zero
  EXPECT_EQ((std::vector<double>{u.CalcSoldierRate(600), u.CalcSoldierRate(100), u.CalcSoldierRate(0)}),
            (std::vector<double>{1.0, 4.0, 4.0}));
  EXPECT_DOUBLE_EQ(Army("セイバー", 0, 50).CalcSoldierRate(0), 1.0);
}

TEST(CombatRules, ActionCounter) {
  clsUnitver2 fast = Monster("セイバー", 100, 6, 40);
  for (int i = 0; i < 3; ++i) fast.CountAdd();
  EXPECT_TRUE(fast.BattleFLG() && fast.CounterMod() == 20);  // ready at 120, 20 carried over

  // At least 1 a step even at speed 0 with -5; strong poison takes 5 back: -4 a step.
  clsUnitver2 poisoned = Monster("セイバー", 100, 6, 0);
  poisoned.SetAttackEffect("速度", "-5");
  poisoned.CountAdd();
  EXPECT_EQ(poisoned.Counter(), 1);
  rt::ScriptedRandom r({0.0});
  poisoned.DamegeEffect({clsCommonEffect("猛毒", 100)});
  poisoned.CountAdd();
  poisoned.CountAdd();
  EXPECT_EQ(poisoned.Counter(), -7);
}

TEST(CombatRules, AttackValueAndElements) {
  struct Row {
    const char *tol, *el;
    double m;
  };
  for (const Row& r : {Row{"炎", "炎", 0.2}, Row{"氷", "炎", 0.5}, Row{"氷", "氷", 0.2}, Row{"炎", "氷", 0.5},
                       Row{"氷", "雷", 1.5}, Row{"炎", "雷", 1.0}, Row{"雷", "", 1.0}, Row{"", "炎", 1.33}})
    EXPECT_DOUBLE_EQ(clsUnitver2::ElementFactor(r.tol, r.el), r.m) << r.tol << "/" << r.el;

  // 100 lancers (power 12, education 60) against 120 saber monsters, as worked by hand:
  // S = 1/1.0694 = 0.935, A = 1.36, F = Round(1.2717, 2) = 1.27, value = Int(1200 * 1.27) = 1524.
  clsUnitver2 u = Army("ランサー", 100, 60, 12, 6);
  u.SetProtector("鎧", 8, 5);
  u.Init("セイバー", "獣人");
  rt::ScriptedRandom r({0.13});
  EXPECT_EQ(u.Attack(120, 6, ""), 1524);

  clsUnitver2 big = Army("セイバー", 2000, 0, 40, 1);  // soldiers times power in 32 bits
  big.Init("セイバー", "");
  rt::ScriptedRandom zero({0.0});
  EXPECT_EQ(big.Attack(2000, 0, ""), 80000);
}

TEST(CombatRules, DefenceDamageAndCasualties) {
  EXPECT_EQ(Monster("セイバー", 120, 0).Defence(), 1);            // 0 becomes 1
  EXPECT_EQ(Monster("セイバー", 30000, 30).Defence(), 900000);  // 32 bits

  // Light armour against a weak weapon (r < 1): at least one trial a pass; every draw of 1 counts,
  // and the casualties never exceed the soldiers left.
  clsUnitver2 two = Monster("セイバー", 2, 95);
  rt::ScriptedRandom low({0.0});
  two.CalcInjury(0.25, 1);
  EXPECT_EQ((Ints{two.Dead(), two.SeriousInjury(), two.Injury(), two.Soldiers()}), (Ints{1, 1, 0, 0}));
}

TEST(CombatRules, AnyStrengthOrEffectValueKeepsTheFiguresInTheirRanges) {
  rt::ScriptedRandom low({0.0});  // every draw hits: the most casualties there can be
  auto inRange = [](const clsUnitver2& u) {
    return u.Physical() >= 0 && u.Physical() <= 100 && u.Tiredness() >= 0 && u.Tiredness() <= 100 &&
           u.Soldiers() >= 0 && u.Soldiers() + u.Injury() + u.SeriousInjury() + u.Dead() == u.SoldierMax();
  };
  // The largest army, hit hard, then cured by more than 100 % and by values at both ends.
  clsUnitver2 big = Army("セイバー", 32767, 100, 10);
  big.SetItem1("霊薬", 1, "軽傷:101:重傷:32767:死者:-32768:体力:32767:疲労:32767");
  big.SetItem2("毒薬", 1, "体力:-32768:疲労:-32768");
  big.Init("セイバー", "");
  big.Damege(32767, 2000000000, 32767);
  big.UseItem1();
  EXPECT_TRUE(inRange(big) && big.Dead() + big.Soldiers() == big.SoldierMax());  // the wounded back, the dead not
  big.UseItem2();
  EXPECT_TRUE(inRange(big) && big.Physical() == 0 && big.Tiredness() == 100);
  // Negative strengths, a weapon of -5 (a zero divisor), schooling far beyond 100, the most
  // negative attack: nothing overflows and nothing heals.
  clsUnitver2 odd = Army("アーチャー", 500, 32767, -5, -32768);
  odd.SetProtector("紙", -32768, -32768);
  odd.Init("ランサー", "");
  odd.Damege(500, odd.Attack(500, -32768, ""), -5);
  odd.Damege(500, INT32_MIN, -32768);
  EXPECT_TRUE(inRange(odd));
}

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
