// The arithmetic of each combat rule: factors, counter, attack, defence, damage, casualties.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "army/clsUnitver2.h"
#include "runtime/Random.h"

namespace {

struct Log {
  std::vector<std::string> lines;
  void Attach(clsUnitver2& u) {
    u.Notification = [this](const std::string& s) { lines.push_back(s); };
  }
};

clsUnitver2 Army(const std::string& cls, int soldiers, int education) {
  clsUnitver2 u;
  u.SetUnit("1", "国王軍", cls, soldiers, education);
  return u;
}

clsUnitver2 Monster(const std::string& cls, int soldiers, int attack = 10, int defence = 6, int speed = 12,
                    const std::string& race = "獣人") {
  clsUnitver2 m;
  m.SetMonster("2", "ゴブリン", race, cls, attack, defence, speed, "", "", soldiers, 50, 1, 1, 2);
  return m;
}

}  // namespace

TEST(CombatRules, CapacityAndSpeed) {
  clsUnitver2 lancer = Army("ランサー", 100, 60);  // capacity CInt(1.44*15+25) = CInt(46.6) = 47
  lancer.SetArms("槍", 12, 20);
  lancer.SetProtector("鎧", 8, 20);
  lancer.Init("セイバー", "");
  EXPECT_EQ(lancer.Capacity(), 47);
  EXPECT_EQ(lancer.Speed(), 12);  // CInt(10 * 47/40) = CInt(11.75)

  clsUnitver2 light = Army("アーチャー", 100, 50);
  light.SetArms("弓", 5, 1);
  light.Init("セイバー", "");
  EXPECT_EQ(light.Speed(), 30);  // capped at 1.5 times the base

  clsUnitver2 half = Army("セイバー", 100, 50);  // capacity 31; load 62 gives 7.5, rounded to even
  half.SetArms("大剣", 10, 62);
  half.Init("セイバー", "");
  EXPECT_EQ(half.Speed(), 8);

  clsUnitver2 bare = Army("セイバー", 100, 50);  // nothing carried: base speed, no division
  bare.Init("ランサー", "");
  EXPECT_EQ(bare.Speed(), 15);

  clsUnitver2 rider = Army("ライダー", 100, 50);
  rider.SetSubArms("馬", 25, 40);
  rider.Init("セイバー", "");
  EXPECT_EQ(rider.Speed(), 25);

  clsUnitver2 monster = Monster("セイバー", 100, 10, 6, 7);
  monster.Init("ランサー", "");
  EXPECT_EQ(monster.Speed(), 7);  // a monster keeps its own
}

TEST(CombatRules, ClassRaceAndSoldierFactors) {
  struct Row {
    const char* me;
    const char* op;
    double a;
  };
  // education 50: (e/100)^2 = 0.25
  for (const Row& r : {Row{"ランサー", "ランサー", 1.25}, Row{"セイバー", "ライダー", 1.25},
                       Row{"ライダー", "セイバー", 1.25}, Row{"ランサー", "ライダー", 1.3},
                       Row{"ライダー", "アーチャー", 1.3}, Row{"アーチャー", "ランサー", 1.3},
                       Row{"ランサー", "アーチャー", 0.875}, Row{"ライダー", "ランサー", 0.875},
                       Row{"アーチャー", "ライダー", 0.875},
                       // a class outside the table meets on even terms (0 would divide the casualty odds)
                       Row{"ドラゴン", "ランサー", 1.25},
                       Row{"ランサー", "魔術師", 1.25}}) {
    clsUnitver2 u = Monster(r.me, 100);
    u.Init(r.op, "");
    EXPECT_DOUBLE_EQ(u.ClassFactor(), r.a) << r.me << " vs " << r.op;
  }

  clsUnitver2 u = Army("セイバー", 600, 50);
  u.SetArms("剣", 10, 1);
  u.SetAttackEffects("獣:30:悪魔:50");
  u.Init("セイバー", "悪魔");
  EXPECT_DOUBLE_EQ(u.RaceFactor(), 1.5);
  u.Init("セイバー", "蛇");
  EXPECT_DOUBLE_EQ(u.RaceFactor(), 1.0);

  EXPECT_DOUBLE_EQ(u.CalcSoldierRate(600), 1.0);
  EXPECT_DOUBLE_EQ(u.CalcSoldierRate(100), 4.0);  // g = 4.6, capped
  EXPECT_DOUBLE_EQ(u.CalcSoldierRate(0), 4.0);    // nobody against us: no division by zero
  clsUnitver2 few = Army("セイバー", 100, 50);
  EXPECT_NEAR(few.CalcSoldierRate(600), 1 / (1 + 0.1 / 36), 1e-12);
  EXPECT_DOUBLE_EQ(few.CalcSoldierRate(1000), 1 / 1.001);
  clsUnitver2 none = Army("セイバー", 0, 50);
  EXPECT_DOUBLE_EQ(none.CalcSoldierRate(0), 1.0);
}

TEST(CombatRules, ActionCounter) {
  clsUnitver2 slow = Monster("セイバー", 100, 10, 6, 0);
  slow.SetAttackEffect("速度", "-5");
  slow.CountAdd();
  EXPECT_EQ(slow.Counter(), 1);  // never less than 1 a step

  clsUnitver2 fast = Monster("セイバー", 100, 10, 6, 40);
  for (int i = 0; i < 2; ++i) fast.CountAdd();
  EXPECT_FALSE(fast.BattleFLG());
  fast.CountAdd();
  EXPECT_TRUE(fast.BattleFLG());
  EXPECT_EQ(fast.Counter(), 20);
  EXPECT_EQ(fast.CounterMod(), 20);
  fast.CounterReset();
  EXPECT_EQ(fast.Counter(), 0);
  EXPECT_EQ(fast.CounterMod(), 0);

  // Strong poison: 1 a step, 5 back, so -4 a step.
  clsUnitver2 poisoned = Monster("セイバー", 100, 10, 6, 0);
  poisoned.SetAttackEffect("速度", "-5");
  {
    rt::ScriptedRandom r({0.0});
    poisoned.DamegeEffect({clsCommonEffect("猛毒", 100)});
  }
  poisoned.CountAdd();
  poisoned.CountAdd();
  EXPECT_EQ(poisoned.Counter(), -8);
}

TEST(CombatRules, AttackValueAndElements) {
  struct Row {
    const char* tol;
    const char* el;
    double m;
  };
  for (const Row& r : {Row{"炎", "炎", 0.2}, Row{"氷", "炎", 0.5}, Row{"氷", "氷", 0.2}, Row{"炎", "氷", 0.5},
                       Row{"氷", "雷", 1.5}, Row{"炎", "雷", 1.0}, Row{"雷", "", 1.0}, Row{"", "", 1.0},
                       Row{"", "炎", 1.33}})
    EXPECT_DOUBLE_EQ(clsUnitver2::ElementFactor(r.tol, r.el), r.m) << r.tol << "/" << r.el;

  // 100 lancers (power 12, education 60) against 120 saber monsters, as worked by hand:
  // S = 1/1.0694 = 0.935, A = 1.36, F = Round(1.2717, 2) = 1.27, value = Int(1200 * 1.27) = 1524.
  clsUnitver2 u = Army("ランサー", 100, 60);
  u.SetArms("槍", 12, 6);
  u.SetProtector("鎧", 8, 5);
  u.Init("セイバー", "獣人");
  Log log;
  log.Attach(u);
  std::vector<std::pair<std::string, bool>> anime;
  u.AttackAnime = [&](const std::string& m, bool own) { anime.emplace_back(m, own); };
  rt::ScriptedRandom r({0.13});
  EXPECT_EQ(u.Attack(120, 6, ""), 1524);
  // Fatigue: s' = 1.0694, rate Round(11/17, 2) = 0.65, f = Int(3.44) + 1 + 1 = 5.
  EXPECT_EQ(u.Tiredness(), 4);
  EXPECT_EQ(log.lines, std::vector<std::string>{"国王軍は疲労が4増えた"});
  ASSERT_EQ(anime.size(), 1u);
  EXPECT_EQ(anime[0], std::make_pair(std::string(), false));
  // The fatigue divides the next attack: Int(1524 / 5) = 304.
  EXPECT_EQ(u.Attack(120, 6, ""), 304);

  // A special element is used on odd draws, the attack element on even ones.
  clsUnitver2 m = Monster("セイバー", 100);
  m.SetAttackEffects("属性:氷:特殊:炎");
  m.Init("セイバー", "");
  std::string used;
  m.AttackAnime = [&](const std::string& el, bool) { used = el; };
  {
    rt::ScriptedRandom odd({0.0});
    m.Attack(100, 6, "");
    EXPECT_EQ(used, "炎");
  }
  {
    rt::ScriptedRandom even({0.15});
    m.Attack(100, 6, "");
    EXPECT_EQ(used, "氷");
  }

  // Soldiers times power in 32 bits: 2000 x 40 passes 32767.
  clsUnitver2 big = Army("セイバー", 2000, 0);
  big.SetArms("剣", 40, 1);
  big.Init("セイバー", "");
  rt::ScriptedRandom zero({0.0});
  EXPECT_EQ(big.Attack(2000, 0, ""), 80000);
}

TEST(CombatRules, DefenceDamageAndCasualties) {
  clsUnitver2 g = Monster("セイバー", 120, 10, 6);
  g.Init("ランサー", "");
  EXPECT_EQ(g.Defence(), 720);
  clsUnitver2 naked = Monster("セイバー", 120, 10, 0);
  EXPECT_EQ(naked.Defence(), 1);  // 0 becomes 1
  clsUnitver2 wide = Monster("セイバー", 30000, 10, 30);
  EXPECT_EQ(wide.Defence(), 900000);  // 32 bits

  // The hand-worked hit of 1524 from 100 soldiers with power 12 on 120 goblins:
  // loss CLng(2*1524/720 + 1) = 5; fatigue +6; r = Round(17/11, 2) = 1.55, threshold Int(15.5) * 0.8 = 12;
  // trials 6 dead, 13 serious, 26 light against the cycling draws below.
  Log log;
  log.Attach(g);
  int anime = -1;
  g.DamageAnime = [&](int n) { anime = n; };
  rt::ScriptedRandom r({0.72, 0.45, 0.91, 0.05, 0.58, 0.33, 0.84, 0.27, 0.66, 0.13}, true);
  g.Damege(100, 1524, 12);
  EXPECT_EQ(g.Physical(), 95);
  EXPECT_EQ(anime, 5);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"ゴブリンの体力が5減った", "ゴブリンは疲労が6増えた",
                                                 "ゴブリンから軽症者が3人出た", "ゴブリンから重傷者が1人出た",
                                                 "ゴブリンから死者が1人出た", "ゴブリンの兵士が120人から115人になった",
                                                 "ゴブリンの兵士が115人になった"}));
  EXPECT_EQ(g.Soldiers(), 115);
  EXPECT_EQ(g.Injury(), 3);
  EXPECT_EQ(g.SeriousInjury(), 1);
  EXPECT_EQ(g.Dead(), 1);
  EXPECT_FALSE(g.GiveUp());

  // A loss of 1000 or more empties the strength at once.
  clsUnitver2 weak = Monster("セイバー", 10, 10, 1);
  Log wlog;
  wlog.Attach(weak);
  rt::ScriptedRandom high({0.99});
  weak.Damege(10, 100000000, 1);
  EXPECT_EQ(weak.Physical(), 0);
  EXPECT_TRUE(weak.GiveUp());
  EXPECT_EQ(wlog.lines.front(), "ゴブリンの体力が100減った");
  EXPECT_EQ(wlog.lines.back(), "ゴブリンは体力が0になり、戦闘不能になった");

  // Light armour against a weak weapon (r < 1): at least one trial a pass; every draw of 1 counts,
  // and the casualties never exceed the soldiers left.
  clsUnitver2 two = Monster("セイバー", 2, 10, 95);
  Log tlog;
  tlog.Attach(two);
  rt::ScriptedRandom low({0.0});
  two.CalcInjury(0.25, 1);
  EXPECT_EQ(two.Dead(), 1);
  EXPECT_EQ(two.SeriousInjury(), 1);
  EXPECT_EQ(two.Injury(), 0);
  EXPECT_EQ(two.Soldiers(), 0);
  EXPECT_EQ(tlog.lines.back(), "ゴブリンの兵士が0人になった");
}
