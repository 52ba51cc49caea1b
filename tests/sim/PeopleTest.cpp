// Tests of the people's weekly steps: food and starvation, recruitment, staffing, construction, facilities, unlocks and districts.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "runtime/Random.h"
#include "sim/IniSettings.h"
#include "sim/People.h"
#include "sim/TurnEnd.h"
#include "sim/TurnEnd_People.h"
#include "support/FakeScreen.h"
#include "support/FreshGameDb.h"

using namespace sim;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// A new game with a context over it. Its buildings: 1 palace, 2 house (160 places, 110 living),
// 3 field, 4 workshop, 5 shops (80 places, 10 merchants), 6 barracks (50 places, 20 soldiers), 7 ranch.
class PeopleTest : public FreshGameDb {
 public:
  void SetUp() override {
    FreshGameDb::SetUp();
    ctx = std::make_unique<WeekContext>(WeekContext{*db, data, state, settings, screen, nullptr, game->Folder().string()});
  }
  void Exec(const std::string& sql) { ASSERT_TRUE(db->Excute(sql)) << sql; }
  int Num(const std::string& sql) { return std::stoi("0" + Value(sql)); }
  int Nof(int id) { return Num("SELECT NofProduction FROM construction WHERE ID=" + std::to_string(id)); }
  int People(const std::string& occ) { return Num("SELECT [Number] FROM people WHERE Occupation='" + occ + "'"); }
  void SetPeople(const std::string& occ, int n) {
    Exec("UPDATE people SET [Number]=" + std::to_string(n) + " WHERE Occupation='" + occ + "'");
  }
  void Build(int id, const std::string& name, const std::string& area, int nof, int work = 0,
             const std::string& update = "", int startWeek = 1) {
    Exec("INSERT INTO construction VALUES(" + std::to_string(id) + ",'" + name + "','" + area + "',''," +
         std::to_string(nof) + "," + std::to_string(startWeek) + "," + std::to_string(work) + ",'" + update + "')");
  }
  void Recruiting(std::initializer_list<PanelOcc> occs, int16_t average) {
    for (PanelOcc o : occs) state.panels.recruiting[Index(o)] = true;
    state.panels.affluence = state.panels.education = state.panels.trust = average;
  }
  Entries Run(void (*step)(WeekContext&, TurnLog&)) {
    TurnLog log;
    step(*ctx, log);
    return log.Entries();
  }
  bool IsOpen(const std::string& building) {
    return Value("SELECT Open FROM construct WHERE Name='" + building + "'") == "True";
  }

  clsData data;
  GameState state;
  MemorySettings settings;
  fake::FakeScreen screen;
  std::unique_ptr<WeekContext> ctx;
};

TEST_F(PeopleTest, FoodIsEatenStockByStockAndAShortageEndsTheGame) {
  // 90 civilians and 20 soldiers eating double need 130 of each; the Soldier row comes first here.
  Exec("UPDATE people SET rowid=-1 WHERE Occupation='Soldier'");
  Exec("UPDATE home SET Grain=1000,Meat=130");
  TurnLog log;
  bool fed = false;
  TurnEnd_Consuming(*ctx, log, fed);
  EXPECT_TRUE(fed);
  EXPECT_EQ(Value("SELECT Grain FROM home"), "870");
  EXPECT_EQ(Value("SELECT Meat FROM home"), "0");
  EXPECT_TRUE(log.Empty());

  Exec("UPDATE home SET Grain=130,Meat=129");
  TurnEnd_Consuming(*ctx, log, fed);
  EXPECT_FALSE(fed);
  EXPECT_EQ(Value("SELECT Grain FROM home"), "0");  // the sufficient stock is still eaten
  EXPECT_EQ(Value("SELECT Meat FROM home"), "129");
  EXPECT_EQ(log.Text(), "gameover:国民の信頼を失いました,");
}

TEST_F(PeopleTest, AStarvingWeekEndsTheGameWithoutRecruitingAFedWeekRecruits) {
  Recruiting({PanelOcc::Merchant}, 30);
  rt::ScriptedRandom draws({0.25});  // 5 newcomers, all merchants, whenever recruitment runs
  Exec("UPDATE home SET Grain=100");
  TurnEnd(*ctx);
  EXPECT_TRUE(state.mQuitAfterTurn);
  EXPECT_EQ(settings.Get("DBInit"), "True");
  EXPECT_EQ(People("Merchant"), 10);

  state.mQuitAfterTurn = false;
  Exec("UPDATE home SET Grain=6000,Meat=6000");
  TurnEnd(*ctx);
  EXPECT_FALSE(state.mQuitAfterTurn);
  EXPECT_EQ(People("Merchant"), 10 + 5);  // floor(9 * 0.25) + 3 newcomers
  EXPECT_EQ(Nof(5), 15);                  // merchants go to work at once
}

TEST_F(PeopleTest, RecruitmentStopsAtTheHousesAndAtTheOccupationsPlaces) {
  // Averages 100: N = floor(17 r) + 9; the houses leave room for 10 only.
  Recruiting({PanelOcc::Merchant}, 100);
  SetPeople("Producer", 110);  // 150 people, 160 places
  {
    rt::ScriptedRandom draws({0.99, 0.25});
    EXPECT_EQ(Run(TurnEnd_Recruitment), (Entries{{"people", "商人が10人増えました"}}));
    EXPECT_EQ(draws.Drawn(), 1u + 10u);
  }
  EXPECT_EQ(People("Merchant"), 20);
  EXPECT_EQ(Nof(5), 20);
  EXPECT_EQ(Nof(2), 120);
  {
    SetPeople("Producer", 120);  // houses full: nothing is drawn
    rt::ScriptedRandom draws({0.99, 0.25});
    EXPECT_TRUE(Run(TurnEnd_Recruitment).empty());
    EXPECT_EQ(draws.Drawn(), 0u);
  }
  // More houses, but the shops hold 80: only 2 more merchants, spilling into the second house.
  SetPeople("Producer", 70);
  SetPeople("Merchant", 78);
  Exec("UPDATE construction SET NofProduction=159 WHERE ID=2");
  Build(8, "小さな住宅地", "中央市街", 0);
  {
    rt::ScriptedRandom draws({0.99, 0.25});
    EXPECT_EQ(Run(TurnEnd_Recruitment), (Entries{{"people", "商人が2人増えました"}}));
  }
  EXPECT_EQ(People("Merchant"), 80);
  EXPECT_EQ(Nof(2), 160);
  EXPECT_EQ(Nof(8), 1);
  // Draws that land on an occupation not recruiting are lost; soldiers are the fifth.
  state.panels.recruiting = {};
  Recruiting({PanelOcc::Soldier}, 30);
  {
    rt::ScriptedRandom draws({0.0, 0.5});
    EXPECT_TRUE(Run(TurnEnd_Recruitment).empty());
    EXPECT_EQ(draws.Drawn(), 1u + 3u);
  }
  {
    rt::ScriptedRandom draws({0.0, 0.9});
    EXPECT_EQ(Run(TurnEnd_Recruitment), (Entries{{"people", "兵士が3人増えました"}}));
  }
  EXPECT_EQ(Nof(6), 23);
  EXPECT_TRUE(screen.errors.empty());
}

TEST_F(PeopleTest, StaffingNeverExceedsABuildingsPlaces) {
  Build(9, "小規模商店街", "中央市街", 75);
  Build(10, "小規模商店街", "中央市街", 0, 60);  // still being built: staffed all the same
  OccupationAdd(*ctx, "Merchant", 100);  // oldest building first
  EXPECT_EQ(Nof(5), 80);
  EXPECT_EQ(Nof(9), 80);
  EXPECT_EQ(Nof(10), 25);
  OccupationAdd(*ctx, "Merchant", 500);  // the rest stays unemployed, without a message
  EXPECT_EQ(Nof(10), 80);
  EXPECT_EQ(Num("SELECT COUNT(*) FROM construction WHERE Name='小規模商店街' AND NofProduction>80"), 0);

  // A barracks above its places is cut back and its surplus moves on.
  Exec("UPDATE construction SET NofProduction=60 WHERE ID=6");
  Build(11, "ボロボロの兵舎", "中央市街", 0);
  SoldierAdd(*ctx, 5);
  EXPECT_EQ(Nof(6), 50);
  EXPECT_EQ(Nof(11), 15);
  SoldierDif(*ctx, 60);
  EXPECT_EQ(Nof(6), 0);
  EXPECT_EQ(Nof(11), 5);

  EXPECT_EQ(RetOccupationCapacity(*ctx, "Merchant"), 160);  // the one under construction has none yet
  Exec("UPDATE construction SET [Update]='中規模商店街' WHERE ID=10");
  EXPECT_EQ(RetOccupationCapacity(*ctx, "Merchant"), 240);

  // Residents leave finished houses only; what cannot leave is reported.
  Build(12, "小さな住宅地", "中央市街", 10, 30);
  int16_t leaving = 120;
  TurnEnd_ResidentialDif(*ctx, leaving);
  EXPECT_EQ(leaving, 10);
  EXPECT_EQ(Nof(2), 0);
  EXPECT_EQ(Nof(12), 10);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0], "住宅地住民マイナスエラー:TurnEnd_ResidentialDif\r\n不足人数＝10");
}

TEST_F(PeopleTest, ConstructionPowerCompletesAndUpgradesWithTheRightWork) {
  PanelState& p = state.panels;
  p.employed = {50, 10, 10, 10, 20};  // panels' order: Producer, Merchant, Engineer, Constructor, Soldier
  p.people = {70, 10, 13, 10, 20};
  data.Education("Constructor", 14);
  EXPECT_EQ(RetConstructPower(*ctx), 2 * 10 + 90 / 10 + 20 / 4);
  p.people[0] = 1000;  // the others' help stops at 100
  EXPECT_EQ(RetConstructPower(*ctx), 2 * 10 + 100);
  p.employed = {};
  p.people = {};
  EXPECT_EQ(RetConstructPower(*ctx), 1);

  p.construction = "寺子屋";
  Build(8, "寺子屋", "中央市街", 0, 2);
  Exec("UPDATE home SET Construction=8");
  EXPECT_TRUE(Run(TurnEnd_Construct).empty());
  EXPECT_EQ(Value("SELECT Work FROM construction WHERE ID=8"), "1");
  EXPECT_EQ(Run(TurnEnd_Construct), (Entries{{"construct", "寺子屋が完成しました"}}));
  EXPECT_EQ(Value("SELECT Work FROM construction WHERE ID=8"), "0");
  EXPECT_EQ(Value("SELECT Construction FROM home"), "0");

  // An upgrade takes the target's name and keeps the row's residents.
  p.construction = "中くらいの住宅地";
  Exec("UPDATE construction SET Work=1,[Update]='中くらいの住宅地' WHERE ID=2");
  Exec("UPDATE home SET Construction=2");
  EXPECT_EQ(Run(TurnEnd_Construct), (Entries{{"construct", "中くらいの住宅地が完成しました"}}));
  EXPECT_EQ(Value("SELECT Name||'/'||[Update]||'/'||Work||'/'||NofProduction FROM construction WHERE ID=2"),
            "中くらいの住宅地//0/110");

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
  EXPECT_EQ(data.Trust("Producer"), 26);
  EXPECT_EQ(data.Trust("Merchant"), 26);
  EXPECT_EQ(data.Trust("Constructor"), 25);
  EXPECT_EQ(data.Affluence("Soldier"), 10);
}

TEST_F(PeopleTest, DistrictOfferNeedsTheMoneyAndPaysOnlyOnYes) {
  Build(8, "寺子屋", "中央市街", 0, 50);  // the fifth building, unfinished ones count
  data.Money(2999);
  Run(TurnEnd_ConstructOpen);
  EXPECT_TRUE(screen.Waited().empty());

  data.Money(3000);
  screen.answers = {kAnsNo};
  Run(TurnEnd_ConstructOpen);
  ASSERT_EQ(screen.Waited().size(), 1u);
  EXPECT_EQ(screen.Waited()[0],
            "中央市街が建物で一杯になりました\r\n金3000で東市街を造成しますか? 現在金3000持っています");
  EXPECT_EQ(data.Money(), 3000);

  // A treasury spent while the question waited is not emptied: nothing is developed.
  screen.onShow = [&](const fake::Shown&) { data.Money(100); };
  screen.answers = {kAnsYes};
  Run(TurnEnd_ConstructOpen);
  EXPECT_EQ(data.Money(), 100);
  EXPECT_EQ(Value("SELECT Open FROM area WHERE Name='東市街'"), "False");

  screen.onShow = nullptr;
  data.Money(3000);
  screen.answers = {kAnsYes};
  Run(TurnEnd_ConstructOpen);
  EXPECT_EQ(data.Money(), 0);
  EXPECT_EQ(Value("SELECT Open||AreaLevel||'/'||Research||'/'||Development FROM area WHERE Name='東市街'"),
            "110/1100/15");
  EXPECT_EQ(screen.Waited().back(), "東市街を造成しました");
}

// One unlock rule: the building, and a set-up that meets its conditions when at_ is set and falls
// one short otherwise.
class UnlockTest;
struct UnlockCase {
  const char* building;
  std::function<void(UnlockTest&)> setup;
};

class UnlockTest : public PeopleTest, public ::testing::WithParamInterface<UnlockCase> {
 public:
  int Short(int at) const { return at_ ? at : at - 1; }
  void Edu(const char* occ, int at) { data.Education(occ, Short(at)); }
  void SetHeads(PanelOcc o, int n) { state.panels.people[Index(o)] = static_cast<int16_t>(n); }
  void Finished(const std::string& name, const std::string& area, int n) {
    Exec("DELETE FROM construction WHERE Name='" + name + "'");
    for (int i = 0; i < n; ++i) Build(100 + i, name, area, 0);
  }
  bool at_ = false;
};

TEST_P(UnlockTest, OpensAtItsThresholdAndNotBelow) {
  const UnlockCase& c = GetParam();
  state.mTurn = 30;
  for (bool at : {false, true}) {
    at_ = at;
    c.setup(*this);
    const Entries entries = Run(TurnEnd_ConstructOpen);
    const Entries::value_type entry{"newconstruct", std::string(c.building) + "を建設できるようになりました"};
    EXPECT_EQ(IsOpen(c.building), at) << c.building;
    EXPECT_EQ(std::count(entries.begin(), entries.end(), entry), at ? 1 : 0) << c.building;
  }
  EXPECT_TRUE(screen.errors.empty());
}

const std::string kCoast = " WHERE Name='ナハムルト海岸'";

INSTANTIATE_TEST_SUITE_P(
    Ladder, UnlockTest,
    ::testing::Values(
        UnlockCase{"限られた畑", [](UnlockTest& u) {
                     u.Finished("小さな畑", "リュシーレ平原", u.Short(4));
                     u.data.Education("Producer", 30);
                   }},
        UnlockCase{"中くらいの住宅地", [](UnlockTest& u) { u.state.panels.population = u.Short(250); }},
        UnlockCase{"大規模な住宅地", [](UnlockTest& u) {
                     u.state.panels.population = 500;
                     u.Edu("Constructor", 50);
                   }},
        UnlockCase{"建設訓練所", [](UnlockTest& u) {  // a school still being built does not count
                     u.SetHeads(PanelOcc::Constructor, 20);
                     u.Exec("DELETE FROM construction WHERE ID=8");
                     u.Build(8, "寺子屋", "中央市街", 0, u.at_ ? 0 : 5);
                   }},
        UnlockCase{"練兵場", [](UnlockTest& u) {
                     u.Finished("兵士訓練所", "中央市街", 1);
                     u.SetHeads(PanelOcc::Soldier, 200);
                     u.Edu("Soldier", 40);
                   }},
        UnlockCase{"細い坑道", [](UnlockTest& u) { u.Exec("UPDATE areaitem SET Open=(Name='銅' AND " + std::to_string(u.Short(1)) + ")"); }},
        UnlockCase{"寺子屋", [](UnlockTest& u) {
                     u.Exec("DELETE FROM itemdata");
                     for (int i = 0; i < 20; ++i)
                       u.Exec("INSERT INTO itemdata VALUES('品" + std::to_string(i) + "',0,1,0,'" +
                              (i < u.Short(15) ? "公開" : "非公開") + "',0,False)");
                   }},
        UnlockCase{"鉄製の桟橋", [](UnlockTest& u) {
                     u.Exec("UPDATE country SET Acquaintance=(rowid IN (SELECT rowid FROM country LIMIT " +
                            std::to_string(u.Short(3)) + "))");
                   }},
        UnlockCase{"木製の桟橋", [](UnlockTest& u) { u.Exec("UPDATE area SET AreaLevel=" + std::to_string(u.Short(1)) + kCoast); }},
        UnlockCase{"ひなびた漁港", [](UnlockTest& u) { u.Exec("UPDATE area SET Open=" + std::to_string(u.Short(1)) + kCoast); }},
        UnlockCase{"小さな水田", [](UnlockTest& u) {
                     u.Exec("DELETE FROM itemdata WHERE Name='貧しい稲'");
                     u.Exec("INSERT INTO itemdata VALUES('貧しい稲',0," + std::to_string(u.Short(2)) + ",0,'公開',0,False)");
                   }},
        UnlockCase{"人の絶えない漁港", [](UnlockTest& u) {  // no product chosen yet (week 0) never counts
                     u.Exec("DELETE FROM construction WHERE ID=8");
                     u.Build(8, "ひなびた漁港", "ナハムルト海岸", 0, 0, "", u.at_ ? 20 : 0);
                   }},
        UnlockCase{"のんびり歩ける牧場", [](UnlockTest& u) { u.Finished("小さな牧場", "リュシーレ平原", u.Short(3)); }},
        UnlockCase{"なかなかの王宮", [](UnlockTest& u) {
                     u.state.panels.palace = "質素な王宮";
                     u.Exec("UPDATE area SET Open=(rowid IN (SELECT rowid FROM area LIMIT " + std::to_string(u.Short(10)) +
                            "))");
                   }},
        UnlockCase{"豪華絢爛な王宮", [](UnlockTest& u) {
                     u.state.panels.palace = "きらびやかな王宮";
                     u.Exec("UPDATE nest SET Open=True WHERE Name='銀の迷宮'");
                     u.Exec("UPDATE nest SET Open=" + std::to_string(u.Short(1)) + " WHERE Name='魔術師の神殿'");
                   }},
        UnlockCase{"信頼される大病院", [](UnlockTest& u) { u.state.panels.population = u.Short(1000); }}),
    [](const ::testing::TestParamInfo<UnlockCase>& info) { return "Rule" + std::to_string(info.index); });

}  // namespace
