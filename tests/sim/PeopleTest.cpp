// Tests of the people's weekly steps: food and starvation, recruitment, staffing, construction, facilities, unlocks and districts.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "SimFixture.h"
#include "runtime/Random.h"
#include "sim/People.h"
#include "sim/TurnEnd_People.h"

using namespace sim;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// A new game with a context over it. Its buildings: 1 palace, 2 house (160 places, 110 living),
// 3 field, 4 workshop, 5 shops (80 places, 10 merchants), 6 barracks (50 places, 20 soldiers), 7 ranch.
class PeopleTest : public simtest::SimTest {
 public:
  using SimTest::data;
  using SimTest::Exec;
  using SimTest::state;
  int Num(const std::string& sql) { return std::stoi("0" + Value(sql)); }
  int Nof(int id) { return Num("SELECT NofProduction FROM construction WHERE ID=" + std::to_string(id)); }
  std::string Nofs(std::initializer_list<int> ids) {  // "a/b/..." of the buildings' people
    std::string out;
    for (int id : ids) out += (out.empty() ? "" : "/") + std::to_string(Nof(id));
    return out;
  }
  void SetPeople(const std::string& occ, int n) {
    Exec("UPDATE people SET [Number]=" + std::to_string(n) + " WHERE Occupation='" + occ + "'");
  }
  void Build(int id, const std::string& name, const std::string& area, int nof, int work = 0, int startWeek = 1) {
    Exec("INSERT INTO construction VALUES(" + std::to_string(id) + ",'" + name + "','" + area + "',''," +
         std::to_string(nof) + "," + std::to_string(startWeek) + "," + std::to_string(work) + ",'')");
  }
  void Recruiting(PanelOcc o, int16_t average) {
    state.panels.recruiting = {};
    state.panels.recruiting[Index(o)] = true;
    state.panels.affluence = state.panels.education = state.panels.trust = average;
  }
  Entries Run(void (*step)(WeekContext&, TurnLog&)) {
    TurnLog log;
    step(ctx, log);
    return log.Entries();
  }
};

TEST_F(PeopleTest, FoodIsEatenStockByStockAndAShortageEndsTheGame) {
  // 90 civilians and 20 soldiers eating double need 130 of each; the Soldier row comes first here.
  Exec("UPDATE people SET rowid=-1 WHERE Occupation='Soldier'");
  Exec("UPDATE home SET Grain=1000,Meat=130");
  TurnLog log;
  bool fed = false;
  TurnEnd_Consuming(ctx, log, fed);
  EXPECT_TRUE(fed);
  EXPECT_EQ(Value("SELECT Grain||'/'||Meat FROM home"), "870/0");
  EXPECT_TRUE(log.Empty());

  Exec("UPDATE home SET Grain=130,Meat=129");
  TurnEnd_Consuming(ctx, log, fed);
  EXPECT_FALSE(fed);
  EXPECT_EQ(Value("SELECT Grain||'/'||Meat FROM home"), "0/129");  // the sufficient stock is still eaten
  EXPECT_EQ(log.Text(), "gameover:国民の信頼を失いました,");
}

TEST_F(PeopleTest, RecruitmentStopsAtTheHousesAndAtTheOccupationsPlaces) {
  // Averages 100: N = floor(17 r) + 9; the houses leave room for 10 only.
  Recruiting(PanelOcc::Merchant, 100);
  SetPeople("Producer", 110);  // 150 people, 160 places
  {
    rt::ScriptedRandom draws({0.99, 0.25});
    EXPECT_EQ(Run(TurnEnd_Recruitment), (Entries{{"people", "商人が10人増えました"}}));
    EXPECT_EQ(draws.Drawn(), 1u + 10u);
  }
  EXPECT_EQ(Num("SELECT [Number] FROM people WHERE Occupation='Merchant'"), 20);
  EXPECT_EQ(Nofs({5, 2}), "20/120");  // merchants go to work at once
  // More houses, but the shops hold 80: only 2 more merchants, spilling into the second house.
  SetPeople("Producer", 70);
  SetPeople("Merchant", 78);
  Exec("UPDATE construction SET NofProduction=159 WHERE ID=2");
  Build(8, "小さな住宅地", "中央市街", 0);
  {
    rt::ScriptedRandom draws({0.99, 0.25});
    EXPECT_EQ(Run(TurnEnd_Recruitment), (Entries{{"people", "商人が2人増えました"}}));
  }
  EXPECT_EQ(Nofs({2, 8}), "160/1");
  // A draw that lands on an occupation not recruiting is lost; soldiers are the fifth.
  Recruiting(PanelOcc::Soldier, 30);
  rt::ScriptedRandom draws({0.0, 0.5, 0.9});  // 3 newcomers: an engineer turned away, two soldiers
  EXPECT_EQ(Run(TurnEnd_Recruitment), (Entries{{"people", "兵士が2人増えました"}}));
  EXPECT_EQ(Nof(6), 22);
  EXPECT_TRUE(screen.errors.empty());
}

// Houses with room for 50 and shops for 70 more merchants: no cap takes part.
TEST_F(PeopleTest, NewcomersAreTheDrawnPartOfTheRootAndAThirtiethOfEachAverage) {
  struct Case { int16_t affluence, education, trust; double r; int newcomers; };
  // R(√180) = 13: ⌊13 × 0.5⌋ + 2 + 2 + 2. R(√119) = 11: ⌊11 × 0.99⌋ + 1 + 0 + 2, 30 and 29 either side of a share.
  for (const Case c : {Case{60, 60, 60, 0.5, 12}, Case{30, 29, 60, 0.99, 13}}) {
    Recruiting(PanelOcc::Merchant, 0);
    state.panels.affluence = c.affluence;
    state.panels.education = c.education;
    state.panels.trust = c.trust;
    rt::ScriptedRandom draws({c.r, 0.25});
    EXPECT_EQ(Run(TurnEnd_Recruitment), (Entries{{"people", "商人が" + std::to_string(c.newcomers) + "人増えました"}}))
        << c.affluence << "/" << c.education << "/" << c.trust;
  }
}

TEST_F(PeopleTest, StaffingNeverExceedsABuildingsPlaces) {
  Build(9, "小規模商店街", "中央市街", 75);
  Build(10, "小規模商店街", "中央市街", 0, 60);  // still being built: staffed all the same
  OccupationAdd(ctx, "Merchant", 100);          // oldest building first
  EXPECT_EQ(Nofs({5, 9, 10}), "80/80/25");
  OccupationAdd(ctx, "Merchant", 500);  // the rest stays unemployed, without a message
  EXPECT_EQ(Num("SELECT SUM(NofProduction) FROM construction WHERE Name='小規模商店街'"), 240);

  // A barracks above its places is cut back and its surplus moves on.
  Exec("UPDATE construction SET NofProduction=60 WHERE ID=6");
  Build(11, "ボロボロの兵舎", "中央市街", 0);
  SoldierAdd(ctx, 5);
  EXPECT_EQ(Nofs({6, 11}), "50/15");
  SoldierDif(ctx, 60);
  EXPECT_EQ(Nofs({6, 11}), "0/5");

  EXPECT_EQ(RetOccupationCapacity(ctx, "Merchant"), 160);  // the one under construction has none yet
  Exec("UPDATE construction SET [Update]='中規模商店街' WHERE ID=10");
  EXPECT_EQ(RetOccupationCapacity(ctx, "Merchant"), 240);

  // Residents leave finished houses only; what cannot leave is reported.
  Build(12, "小さな住宅地", "中央市街", 10, 30);
  int16_t leaving = 120;
  TurnEnd_ResidentialDif(ctx, leaving);
  EXPECT_EQ(leaving, 10);
  EXPECT_EQ(Nofs({2, 12}), "0/10");
  EXPECT_EQ(screen.errors, std::vector<std::string>{"住宅地住民マイナスエラー:TurnEnd_ResidentialDif\r\n不足人数＝10"});
  // Newcomers who just fill the last house, and leavers who just empty one, leave nobody over.
  int16_t arriving = 310;  // 160 into the empty house, 150 beside the 10 in the one being built
  TurnEnd_ResidentialAdd(ctx, arriving);
  leaving = 160;
  TurnEnd_ResidentialDif(ctx, leaving);
  EXPECT_EQ(Nofs({2, 12}) + "/" + std::to_string(arriving) + "/" + std::to_string(leaving), "0/160/0/0");
  EXPECT_EQ(screen.errors.size(), 1u);

  // Soldiers coming home, or leaving, with every barracks demolished: an empty box said nothing.
  Exec("DELETE FROM construction WHERE Name='ボロボロの兵舎'");
  SoldierAdd(ctx, 5);
  SoldierDif(ctx, 5);
  EXPECT_EQ(std::vector<std::string>(screen.errors.begin() + 1, screen.errors.end()),
            (std::vector<std::string>{"兵舎がありません:SoldierAdd", "兵舎がありません:SoldierDif"}));
}

TEST_F(PeopleTest, ConstructionPowerCompletesAndUpgradesWithTheRightWork) {
  PanelState& p = state.panels;
  p.employed = {50, 10, 10, 10, 20};  // panels' order: Producer, Merchant, Engineer, Constructor, Soldier
  p.people = {70, 10, 13, 10, 20};
  data.Education("Constructor", 14);
  EXPECT_EQ(RetConstructPower(ctx), 2 * 10 + 90 / 10 + 20 / 4);
  p.people[0] = 1000;  // the others' help stops at 100
  EXPECT_EQ(RetConstructPower(ctx), 2 * 10 + 100);
  p.employed = p.people = {};
  EXPECT_EQ(RetConstructPower(ctx), 1);

  // (A new building's weeks of work: the play and land scenarios.) An upgrade takes the target's
  // name and keeps the row's residents; the job is done.
  p.construction = "中くらいの住宅地";
  Exec("UPDATE construction SET Work=1,[Update]='中くらいの住宅地' WHERE ID=2");
  Exec("UPDATE home SET Construction=2");
  EXPECT_EQ(Run(TurnEnd_Construct), (Entries{{"construct", "中くらいの住宅地が完成しました"}}));
  EXPECT_EQ(Value("SELECT Name||'/'||[Update]||'/'||Work||'/'||NofProduction||'/'||Construction FROM construction,home "
                  "WHERE ID=2"), "中くらいの住宅地//0/110/0");

  Exec("UPDATE home SET Construction=99");
  EXPECT_TRUE(Run(TurnEnd_Construct).empty());
  EXPECT_EQ(screen.errors, std::vector<std::string>{"建設Work取得エラー:TurnEnd_Construct"});
}

TEST_F(PeopleTest, FacilitiesRaiseTheRightOccupationEveryFourthWeek) {
  for (const char* occ : {"Producer", "Merchant", "Constructor", "Engineer", "Soldier"}) {
    data.Education(occ, 20);
    data.Trust(occ, 24);
    data.Affluence(occ, 10);
  }
  Build(8, "寺子屋", "中央市街", 0);
  Build(9, "技術訓練所", "中央市街", 0);
  Build(10, "寂れた教会", "中央市街", 0);
  Build(11, "寂れた教会", "中央市街", 0);
  Build(12, "設備の整った医院", "中央市街", 0, 40);  // being built: no effect yet
  rt::ScriptedRandom draws({0.05, 0.05, 0.06});     // 5 and 5 rise, 6 does not
  state.mTurn = 3;
  Run(TurnEnd_Facility);
  EXPECT_EQ(data.Education("Engineer"), 20);
  state.mTurn = 4;
  Run(TurnEnd_Facility);
  EXPECT_EQ(data.Education("Engineer"), 22);
  for (const char* occ : {"Producer", "Merchant", "Constructor", "Soldier"}) EXPECT_EQ(data.Education(occ), 21) << occ;
  EXPECT_EQ(data.Trust("Producer"), 26);  // two churches: the first certain, the second by chance
  EXPECT_EQ(data.Trust("Constructor"), 25);
  EXPECT_EQ(data.Affluence("Soldier"), 10);
}

TEST_F(PeopleTest, DistrictOfferNeedsTheMoneyAndPaysOnlyOnYes) {
  Build(8, "寺子屋", "中央市街", 0, 50);  // the fifth building, unfinished ones count
  data.Money(2999);
  Run(TurnEnd_ConstructOpen);
  EXPECT_TRUE(screen.Waited().empty());

  // A treasury spent while the question waited is not emptied, and nothing is developed.
  data.Money(3000);
  screen.onShow = [&](const fake::Shown&) { data.Money(100); };
  screen.answers = {kAnsYes};
  Run(TurnEnd_ConstructOpen);
  EXPECT_EQ(screen.Waited(), std::vector<std::string>{
                                 "中央市街が建物で一杯になりました\r\n金3000で東市街を造成しますか? 現在金3000持っています"});
  EXPECT_EQ(Value("SELECT Open FROM area WHERE Name='東市街'") + std::to_string(data.Money()), "False100");
  screen.onShow = nullptr;
  data.Money(3000);
  screen.answers = {kAnsYes};
  Run(TurnEnd_ConstructOpen);
  EXPECT_EQ(data.Money(), 0);
  EXPECT_EQ(Value("SELECT Open||AreaLevel||'/'||Research||'/'||Development FROM area WHERE Name='東市街'"),
            "110/1100/15");
  EXPECT_EQ(screen.Waited().back(), "東市街を造成しました");
}

// One unlock rule of each kind: the building, and a set-up that meets its conditions when at is
// true and falls one short otherwise.
struct UnlockCase {
  const char* building;
  std::function<void(PeopleTest&, bool at)> setup;
};
int Short(bool at, int n) { return at ? n : n - 1; }
std::string ShortS(bool at, int n) { return std::to_string(Short(at, n)); }
void Finished(PeopleTest& t, const std::string& name, int n) {
  t.Exec("DELETE FROM construction WHERE Name='" + name + "'");
  for (int i = 0; i < n; ++i) t.Build(t.Num("SELECT MAX(ID) FROM construction") + 1, name, "リュシーレ平原", 0);
}
void Heads(PeopleTest& t, PanelOcc o, int n) { t.state.panels.people[Index(o)] = static_cast<int16_t>(n); }
const std::string kCoast = " WHERE Name='ナハムルト海岸'";

const UnlockCase kUnlockCases[] = {
    {"限られた畑", [](PeopleTest& t, bool at) { Finished(t, "小さな畑", Short(at, 4)); t.data.Education("Producer", 30); }},
    {"中くらいの住宅地", [](PeopleTest& t, bool at) { t.state.panels.population = Short(at, 250); }},
    {"大規模な住宅地", [](PeopleTest& t, bool at) {
       t.state.panels.population = 500;
       t.data.Education("Constructor", Short(at, 50));
     }},
    {"建設訓練所", [](PeopleTest& t, bool at) {  // a school still being built does not count
       Heads(t, PanelOcc::Constructor, 20);
       t.Exec("DELETE FROM construction WHERE ID=8");
       t.Build(8, "寺子屋", "中央市街", 0, at ? 0 : 5);
     }},
    {"細い坑道", [](PeopleTest& t, bool at) { t.Exec("UPDATE areaitem SET Open=(Name='銅' AND " + ShortS(at, 1) + ")"); }},
    {"寺子屋", [](PeopleTest& t, bool at) {
       t.Exec("DELETE FROM itemdata");
       t.Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<20) INSERT INTO itemdata "
              "SELECT '品'||i,0,1,0,IIF(i<=" + ShortS(at, 15) + ",'公開','非公開'),0,False FROM n");
     }},
    {"木製の桟橋", [](PeopleTest& t, bool at) { t.Exec("UPDATE area SET AreaLevel=" + ShortS(at, 1) + kCoast); }},
    {"ひなびた漁港", [](PeopleTest& t, bool at) { t.Exec("UPDATE area SET Open=" + ShortS(at, 1) + kCoast); }},
    {"人の絶えない漁港", [](PeopleTest& t, bool at) {  // no product chosen yet (week 0) never counts
       t.Exec("DELETE FROM construction WHERE ID=8");
       t.Build(8, "ひなびた漁港", "ナハムルト海岸", 0, 0, at ? 20 : 0);
     }},
    {"なかなかの王宮", [](PeopleTest& t, bool at) {
       t.state.panels.palace = "質素な王宮";
       t.Exec("UPDATE area SET Open=(rowid IN (SELECT rowid FROM area LIMIT " + ShortS(at, 10) + "))");
     }},
};

TEST_F(PeopleTest, EachUnlockOpensAtItsThresholdAndNotBelow) {
  state.mTurn = 30;
  for (const UnlockCase& c : kUnlockCases) {
    Exec("UPDATE construct SET Open=False WHERE Name='" + std::string(c.building) + "'");
    for (bool at : {false, true}) {
      c.setup(*this, at);
      const Entries entries = Run(TurnEnd_ConstructOpen);
      const Entries::value_type entry{"newconstruct", std::string(c.building) + "を建設できるようになりました"};
      EXPECT_EQ(Value("SELECT Open FROM construct WHERE Name='" + std::string(c.building) + "'"), at ? "True" : "False")
          << c.building;
      EXPECT_EQ(std::count(entries.begin(), entries.end(), entry), at ? 1 : 0) << c.building;
    }
  }
  EXPECT_TRUE(screen.errors.empty());
}

// A flag of the ladder that is no Boolean (a text, a blob) stopped the whole step with a type
// mismatch: it is named, opens nothing, and the rules after it still open.
TEST_F(PeopleTest, UnlockFlagsThatCannotBeReadAreNamedAndOpenNothing) {
  state.panels.population = 150;  // 寂れた教会
  state.panels.palace = "きらびやかな王宮";
  Exec("UPDATE construct SET Open=False WHERE Name IN ('寂れた教会','ひなびた漁港','豪華絢爛な王宮')");
  Build(8, "寺子屋", "中央市街", 0, 50);  // 中央市街 full
  data.Money(3000);
  for (const std::string bad : {"'abc'", "X'32'"}) {
    SCOPED_TRACE(bad);
    screen.errors.clear();
    Exec("UPDATE construct SET Open=" + bad + " WHERE Name='中くらいの住宅地'");
    Exec("UPDATE area SET Open=" + bad + kCoast);
    Exec("UPDATE area SET Open=" + bad + " WHERE Name='東市街'");
    Exec("UPDATE nest SET Open=True WHERE Name='魔術師の神殿'");
    Exec("UPDATE nest SET Open=" + bad + " WHERE Name='銀の迷宮'");
    const Entries entries = Run(TurnEnd_ConstructOpen);
    EXPECT_EQ(entries, (Entries{{"newconstruct", "寂れた教会を建設できるようになりました"}}));
    EXPECT_TRUE(screen.Waited().empty());  // no offer for a district that may be open
    const std::string shown = bad == "'abc'" ? "abc" : "X'32'";
    EXPECT_EQ(screen.errors, (std::vector<std::string>{
                                 "建物情報取得エラー:TurnEnd_ConstructCondition\r\nconstruct.Open=" + shown,
                                 "エリア情報取得エラー:TurnEnd_ConstructOpen\r\narea.Open=" + shown,
                                 "モンスターの巣情報取得エラー:TurnEnd_ConstructOpen\r\nnest.Open=" + shown,
                                 "エリア情報取得エラー:AreaDevelop\r\narea.Open=" + shown}));
    EXPECT_EQ(Value("SELECT quote(Open) FROM construct WHERE Name='中くらいの住宅地'"), bad);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM construct WHERE Name IN ('ひなびた漁港','豪華絢爛な王宮') AND NOT Open"), "2");
    Exec("UPDATE construct SET Open=False WHERE Name='寂れた教会'");
  }
}

}  // namespace
