/** @file RuntimeTest.cpp Dates, the clock, the random generator and the keyed collection. */
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "runtime/Clock.h"
#include "runtime/Collection.h"
#include "runtime/DateTime.h"
#include "runtime/Random.h"
#include "runtime/VbError.h"

using namespace rt;

TEST(Runtime, DatesComeFromTheInjectedClock) {
  setenv("TZ", "UTC", 1);
  tzset();
  VirtualClock clock(0, 1700000000);  // 2023-11-14 22:13:20 UTC
  SetClock(&clock);
  EXPECT_EQ(FormatDateTime(Now()), "2023/11/14 22:13:20");
  clock.SleepMs(3'600'000 + 1500);
  DateTime t = Now();
  EXPECT_EQ(FormatDateTime(t) + "|" + FormatDate(t) + "|" + FormatTime(t) + "|" + FormatStamp(t),
            "2023/11/14 23:13:21|2023/11/14|23:13:21|20231114231321");
  EXPECT_DOUBLE_EQ(Timer(), 23 * 3600 + 13 * 60 + 21 + 0.5);
  Sleep(500);  // moves the virtual time, does not wait
  EXPECT_EQ(Clock().NowMs(), 3'602'000);
  EXPECT_EQ(FormatDateTime(DateTime{2024, 2, 9, 7, 5, 3}), "2024/02/09 07:05:03");
  SetClock(nullptr);
  EXPECT_NE(&Clock(), &clock);

  // The real clock's Timer never runs backwards within a second (it mixed two clocks once).
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1100);
  for (double last = Timer(); std::chrono::steady_clock::now() < end && last < 86399;) {
    double now = Timer();
    ASSERT_GE(now, last);
    last = now;
  }
}

TEST(Runtime, RandomDrawsCanBeScripted) {
  {
    ScriptedRandom script({0.1, 0.505, 0.995});
    Randomize();  // a re-seed does not disturb a script
    EXPECT_EQ(Rnd(), 0.1);
    EXPECT_EQ(RndPercent(), 50);  // 50.5 rounds half to even
    EXPECT_EQ(RndPercent(), 100);
    EXPECT_EQ(Rnd(), 0.995);  // the last value repeats
    EXPECT_EQ(script.Drawn(), 4u);
    {
      ScriptedRandom inner({0.25, 0.75}, true);  // cycling
      EXPECT_EQ((std::vector<double>{Rnd(), Rnd(), Rnd()}), (std::vector<double>{0.25, 0.75, 0.25}));
    }
    EXPECT_EQ(Rnd(), 0.995);  // the outer script is back
  }
  RandomizeSeed(42);
  double a = Rnd(), b = Rnd();
  RandomizeSeed(42);
  EXPECT_EQ(Rnd(), a);
  EXPECT_EQ(Rnd(), b);
  for (int i = 0; i < 10000; ++i) {
    double r = Rnd();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

TEST(Runtime, CollectionKeepsOrderAndFindsKeysIgnoringCase) {
  Collection<std::string> c;
  c.Add("a", "Alpha");
  c.Add("b");
  c.Add("c", "Gamma");
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(1) + c.Item(3) + c.Item("ALPHA") + c.KeyAt(3), "acaGamma");
  EXPECT_TRUE(c.Exists("gamma") && !c.Exists(""));

  auto errorOf = [](auto f) {
    try {
      f();
    } catch (const VbError& e) {
      return e.Number();
    }
    return 0;
  };
  EXPECT_EQ(errorOf([&] { c.Add("x", "alpha"); }), kErrDuplicateKey);
  EXPECT_EQ(errorOf([&] { c.Item("delta"); }), kErrInvalidCall);
  EXPECT_EQ(errorOf([&] { c.Item(0); }), kErrSubscript);
  EXPECT_EQ(errorOf([&] { c.Item(4); }), kErrSubscript);
  EXPECT_EQ(c.Count(), 3);  // the refused Add left nothing behind

  c.Remove("ALPHA");
  c.Add("a2", "alpha");  // the key is free again, and the item goes to the end
  c.Remove(1);
  // Keys still find their items after the ones before them went.
  EXPECT_EQ(c.Item(1) + c.Item(2) + c.Item("gamma") + c.Item("Alpha"), "ca2ca2");
  EXPECT_EQ(errorOf([&] { c.Remove("nothing"); }), kErrInvalidCall);
}
