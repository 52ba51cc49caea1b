// Tests of production and processing: harvests on their cycle, the random share of a direct product, and processing that uses exactly its recipe.
#include <gtest/gtest.h>

#include "MarketTestSupport.h"
#include "runtime/Random.h"
#include "sim/TurnEnd_Market.h"

using namespace sim;

namespace {

class MarketProductionTest : public simtest::MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    Exec("DELETE FROM construction");
    Exec("DELETE FROM area WHERE Name='試験平原'");
    Exec("INSERT INTO area (Name,Type,AreaLevel,Research,Development,Tips,Open) VALUES('試験平原','試験地',0,0,0,'',True)");
    for (const char* kind : {"試験畑", "試験工房"}) {
      Exec("DELETE FROM construct WHERE Name=" + Q(kind));
      Exec("INSERT INTO construct (Name,Type,Area,Occupation,Open) VALUES(" + Q(kind) + ",'','試験地'," +
           (std::string(kind) == "試験畑" ? "'Producer'" : "'Engineer'") + ",True)");
    }
  }
  void Build(int id, const std::string& kind, const std::string& product, int workers, int startWeek) {
    Exec("INSERT INTO construction VALUES(" + std::to_string(id) + "," + Q(kind) + ",'試験平原'," + Q(product) + "," +
         std::to_string(workers) + "," + std::to_string(startWeek) + ",0,'')");
  }
  void Crop(const std::string& table, const std::string& name, int cycle, const std::string& product, double coef) {
    Exec("INSERT INTO " + table + " (Name,Type,Cycle,Growth,Fallow,Education,Product,Coefficient) VALUES(" + Q(name) +
         ",''," + std::to_string(cycle) + ",0,0,0," + Q(product) + "," + std::to_string(coef) + ")");
  }
};

TEST_F(MarketProductionTest, CropsAndLivestockAreHarvestedOnTheirCycleOnly) {
  PutItem("試験麦", 0, 1, 0, "穀物");
  PutItem("試験羊", 0, 1, 0, "動物");
  Exec("DELETE FROM grain WHERE Name='試験麦'");
  Exec("DELETE FROM animal WHERE Name='試験羊'");
  Crop("grain", "試験麦", 4, "試験小麦", 30);
  Crop("animal", "試験羊", 3, "試験羊肉", 25);
  Crop("animal", "試験羊", 3, "試験羊毛", 10);
  Build(1, "試験畑", "試験麦", 50, 10);
  Build(2, "試験畑", "試験羊", 30, 10);
  PutStock("試験小麦", 0);

  std::vector<int> wheatWeeks, woolWeeks;
  for (int week = 11; week <= 22; ++week) {
    state.mTurn = week;
    const int before = Stock("試験小麦"), wool = Stock("試験羊毛");
    TurnEnd_ItemProduction(ctx, Log);
    if (Stock("試験小麦") != before) wheatWeeks.push_back(week);
    if (Stock("試験羊毛") != wool) woolWeeks.push_back(week);
  }
  EXPECT_EQ(wheatWeeks, (std::vector<int>{14, 18, 22}));
  EXPECT_EQ(woolWeeks, (std::vector<int>{13, 16, 19, 22}));
  EXPECT_EQ(Stock("試験小麦"), 3 * 15);  // 50 workers x 30 per 100
  EXPECT_EQ(Stock("試験羊肉"), 4 * 7);   // 30 x 25 / 100 = 7.5, truncated
  EXPECT_NE(Log.Text().find("itemproduct:試験平原の試験畑で\r\n試験羊肉を7個、試験羊毛を3個生産しました,"),
            std::string::npos);

  // A catalogue cycle of 0 harvests nothing and does not fail.
  Exec("UPDATE grain SET Cycle=0 WHERE Name='試験麦'");
  state.mTurn = 26;
  TurnEnd_ItemProduction(ctx, Log);
  EXPECT_EQ(Stock("試験小麦"), 45);
  EXPECT_TRUE(screen.errors.empty());
}

TEST_F(MarketProductionTest, DirectProductGetsItsFractionByTheDraw) {
  PutItem("試験木材", 10, 1, 3);
  Build(1, "試験畑", "試験木材", 50, 1);  // 1.5 a week: one for certain, a second when the draw is 50 or less
  PutStock("試験木材", 0);
  {
    rt::ScriptedRandom draws({0.50, 0.51});
    TurnEnd_ItemProduction(ctx, Log);
    TurnEnd_ItemProduction(ctx, Log);
  }
  EXPECT_EQ(Stock("試験木材"), 2 + 1);
  EXPECT_EQ(Log.Text(), "itemproduct:試験平原の試験畑で\r\n試験木材を2個生産しました,"
                        "itemproduct:試験平原の試験畑で\r\n試験木材を1個生産しました,");

}

TEST_F(MarketProductionTest, ProcessingUsesExactlyItsRecipeWithinTheStock) {
  PutItem("試験布", 10, 1, 4);
  Exec("DELETE FROM synthesisitem WHERE Name='試験布'");
  Exec("INSERT INTO synthesisitem VALUES('試験布','糸A',2,0)");
  Exec("INSERT INTO synthesisitem VALUES('試験布','糸B',1,0)");
  Exec("INSERT INTO synthesisitem VALUES('試験布','飾り',0,0)");  // amount 0: not an ingredient
  PutStock("糸A", 1);
  PutStock("糸B", 10);
  Build(1, "試験工房", "試験布", 100, 1);
  TurnEnd_ItemProcess(ctx, Log);  // F = min(1, 1/2, 10) = 0.5: two products, A 1 and B 0.5 -> 0
  EXPECT_EQ(Stock("試験布"), 2);
  EXPECT_EQ(Stock("糸A"), 0);
  EXPECT_EQ(Stock("糸B"), 10);
  EXPECT_EQ(Log.Text(), "itemproduct:試験平原の試験工房で\r\n糸Aを1個、糸Bを0個消費し、試験布を2個生産しました,");

  // An empty ingredient idles the building: nothing used, nothing made, no entry.
  TurnEnd_ItemProcess(ctx, Log);
  EXPECT_EQ(Stock("試験布"), 2);
  EXPECT_EQ(Stock("糸B"), 10);

  // A full staff with enough stock uses amount x workers / 100 of each.
  PutStock("糸A", 100);
  Exec("UPDATE construction SET NofProduction=50");
  Log = {};
  TurnEnd_ItemProcess(ctx, Log);
  EXPECT_EQ(Stock("試験布"), 4);
  EXPECT_EQ(Stock("糸A"), 99);
  EXPECT_EQ(Stock("糸B"), 10);  // 0.5 rounds to even: 0
  EXPECT_TRUE(screen.errors.empty());
}

}  // namespace
