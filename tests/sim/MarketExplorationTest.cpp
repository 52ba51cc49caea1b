// Tests of exploration: points and area levels, each discovery at its level, resources of the explored area only, and ores.
#include <gtest/gtest.h>

#include "MarketTestSupport.h"
#include "runtime/Random.h"
#include "sim/TurnEnd_Market.h"

using namespace sim;

namespace {

class MarketExplorationTest : public simtest::MarketTest {
 protected:
  // Figures of 25 and draws of 0 give 3 x 5 = 15 points a week.
  void Explore(const std::string& area, int16_t a = 25, int16_t e = 25, int16_t t = 25) {
    state.panels.areaResearch = area;
    state.panels.affluence = a;
    state.panels.education = e;
    state.panels.trust = t;
    rt::ScriptedRandom draws({0.0});
    TurnEnd_AreaResearch(ctx, Log);
  }
  std::string AreaRow(const std::string& area) {
    return Value("SELECT AreaLevel||','||Research||','||Development FROM area WHERE Name=" + Q(area));
  }
};

TEST_F(MarketExplorationTest, LevelRisesAtItsThresholdAndStopsAtTen) {
  PutArea("リュシーレ平原", 0, 90, 3);
  PutNest("ゴブリンの巣", false, 0);
  Exec("UPDATE areaitem SET Open=True");
  Explore("リュシーレ平原");
  EXPECT_EQ(AreaRow("リュシーレ平原"), "1,5,4");
  EXPECT_EQ(Value("SELECT Open FROM nest WHERE Name='ゴブリンの巣'"), "True");
  EXPECT_EQ(Log.Text(), "arealevelup:リュシーレ平原の探索レベルが1になりました,newnest:ゴブリンの巣を発見しました,");

  Log = {};
  Explore("リュシーレ平原");  // 5 + 15 = 20 of 200: no level, no discovery
  EXPECT_EQ(AreaRow("リュシーレ平原"), "1,20,4");
  EXPECT_TRUE(Log.Empty());

  PutArea("試験の地", 9, 990, 9);
  Explore("試験の地", 100, 25, 25);  // 10 + 5 + 5 = 20 points
  EXPECT_EQ(AreaRow("試験の地"), "10,1100,10");
  Log = {};
  Explore("試験の地", 100, 100, 100);
  EXPECT_EQ(AreaRow("試験の地"), "10,1100,10");
  EXPECT_TRUE(Log.Empty());

  // No target, or a target without a row: nothing, the latter with its message.
  Explore("");
  Explore("無いエリア");
  EXPECT_EQ(screen.errors, std::vector<std::string>{"エリア情報取得エラー:TurnEnd_AreaResearch"});
}

TEST_F(MarketExplorationTest, EachDiscoveryComesAtItsLevel) {
  struct Case { const char* area; int level; const char* found; const char* entry; const char* check; };
  const Case cases[] = {
      {"リュシーレ平原", 2, "レディクスの森", "newarea:新しいエリア、レディクスの森を発見しました,",
       "SELECT Open||Development FROM area WHERE Name='レディクスの森'"},
      {"ルイン平原", 3, "ミスリルの坑道", "newnest:ミスリルの坑道を発見しました,",
       "SELECT Open FROM nest WHERE Name='ミスリルの坑道'"},
      {"レンテン山", 4, "グレムリンの巣", "newnest:グレムリンの巣を発見しました,",
       "SELECT Open FROM nest WHERE Name='グレムリンの巣'"},
      {"ウーリーの森", 8, "バシュラール山", "newarea:新しいエリア、バシュラール山を発見しました,",
       "SELECT Open||Development FROM area WHERE Name='バシュラール山'"},
      {"ナハムルト海岸", 1, "カルセーダス王国",
       "newcountry:探索中、難破船を発見し救助しました\r\nカルセーダス王国と交易できるようになりました,",
       "SELECT Acquaintance FROM country WHERE Nation='カルセーダス王国'"},
  };
  for (const Case& c : cases) {
    PutArea(c.area, c.level - 1, c.level * 100 - 30);  // 15 points: one week short, then the level
    PutArea("レディクスの森", 0, 0, 0, false);
    PutArea("バシュラール山", 0, 0, 0, false);
    PutNest(c.found, false, 0);
    PutCountry("カルセーダス王国", 2, 0, false);
    Exec("UPDATE areaitem SET Open=True");
    Exec("UPDATE nest SET Open=True WHERE Name<>" + Q(c.found));  // the follow-up rules stay quiet
    Log = {};
    Explore(c.area);
    EXPECT_EQ(Log.Text(), "") << c.area;
    const std::string closed = Value(c.check);
    Explore(c.area);
    EXPECT_EQ(Log.Text(), std::string("arealevelup:") + c.area + "の探索レベルが" + std::to_string(c.level) +
                              "になりました," + c.entry)
        << c.area;
    EXPECT_NE(Value(c.check), closed) << c.area;
  }
}

TEST_F(MarketExplorationTest, ResourcesOpenInTheExploredAreaAndOresByTheirRules) {
  PutArea("試験の地", 1, 190);
  PutArea("隣の地", 0, 0);
  Exec("DELETE FROM areaitem WHERE Name IN ('試験草','試験石','ミスリル')");
  Exec("INSERT INTO areaitem VALUES('試験草','試験の地','',1,False)");
  Exec("INSERT INTO areaitem VALUES('試験石','試験の地','',2,False)");
  Exec("INSERT INTO areaitem VALUES('試験石','隣の地','',0,False)");
  Exec("INSERT INTO areaitem VALUES('ミスリル','試験の地','',0,False)");
  Exec("DELETE FROM itemdata WHERE Name IN ('試験草','試験石')");
  Exec("UPDATE nest SET Open=True");
  Explore("試験の地");  // level 2: both resources of this area, never the ore, never the neighbour's
  EXPECT_EQ(Value("SELECT group_concat(Area||Name||Open) FROM (SELECT * FROM areaitem WHERE Name IN "
                  "('試験草','試験石','ミスリル') ORDER BY Area,Name)"),
            "試験の地ミスリル0,試験の地試験石1,試験の地試験草1,隣の地試験石0");
  EXPECT_EQ(Value("SELECT Storage||Open FROM itemdata WHERE Name='試験石'"), "0非公開");
  EXPECT_NE(Log.Text().find("areaitem:試験の地で試験草を発見しました,"), std::string::npos);

  // The mithril ore needs ルイン平原 at 3 and its mine conquered 10 times.
  Exec("DELETE FROM areaitem WHERE Name='ミスリル'");
  Exec("INSERT INTO areaitem VALUES('ミスリル','ルイン平原','',3,False)");
  PutArea("ルイン平原", 3, 0);
  PutNest("ミスリルの坑道", true, 9);
  Log = {};
  Explore("試験の地");
  EXPECT_EQ(Value("SELECT Open FROM areaitem WHERE Name='ミスリル'"), "False");
  Exec("UPDATE nest SET Times=10 WHERE Name='ミスリルの坑道'");
  Explore("試験の地");
  EXPECT_EQ(Value("SELECT Open FROM areaitem WHERE Name='ミスリル'"), "True");
  EXPECT_EQ(Log.Text(), "areaitem:ルイン平原でミスリルを発見しました,");

}

}  // namespace
