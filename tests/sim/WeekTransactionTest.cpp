// The week as one transaction: stopped anywhere - killed, an error thrown out of it, a commit
// refused - it leaves the saved game (and the figures in memory) as they were before it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "SimFixture.h"
#include "sim/Economy.h"
#include "sim/TurnEnd.h"

using namespace sim;

namespace {

constexpr int kKilled = 42;

// Every table's rows in file order: the whole saved game as text.
std::string Dump(clsDB& db) {
  std::string out;
  for (const auto& table : QueryRows(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"))
    for (const auto& row : QueryRows(db, "SELECT * FROM " + table[0])) {
      out += table[0];
      for (const auto& v : row) out += "|" + v;
      out += "\n";
    }
  return out;
}

std::string DumpFile() {
  clsDB db;
  return CreateDB::DBConnect(db) ? Dump(db) : "cannot open";
}

/// One week of the game in a child process, its report shown; `stop` may end it
/// (std::_Exit(kKilled)) where it chooses, as a kill would. Gives the child's exit code.
int WeekInChild(const std::function<void(WeekSteps&)>& stop) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    clsDB db;
    if (!CreateDB::DBConnect(db)) std::_Exit(2);
    clsData data;
    GameState state;
    MemorySettings settings;
    for (int i = 0; i < 18; ++i) settings.Set("Report" + std::to_string(i), "1");
    fake::FakeScreen screen;
    WeekContext ctx{db, data, state, settings, screen, nullptr, ""};
    LoadGameState(ctx);
    WeekSteps steps = DefaultWeekSteps();
    stop(steps);
    TurnEnd(ctx, steps);
    std::_Exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// The step, then the end of the program.
template <typename Step>
auto ThenKill(Step step) {
  return [step](WeekContext& ctx, auto&... a) {
    step(ctx, a...);
    std::_Exit(kKilled);
  };
}

class WeekTransactionTest : public simtest::SimTest {};

TEST_F(WeekTransactionTest, KilledAnywhereTheSavedGameIsTheWeekBefore) {
  Exec("UPDATE home SET Construction=1");  // a building under way, so construction writes too
  owned_.reset();                          // the children open the file themselves
  const std::string before = DumpFile();
  using Stop = std::function<void(WeekSteps&)>;
  const std::pair<const char*, Stop> stops[] = {
      {"after an army came home", [](WeekSteps& s) {
         s.TurnEnd_Conquest = ThenKill([](WeekContext& ctx, TurnLog&) {
           ctx.db.Excute("UPDATE people SET [Number]=[Number]+5 WHERE Occupation='Soldier'");
         });
       }},
      {"after construction", [](WeekSteps& s) { s.TurnEnd_Construct = ThenKill(s.TurnEnd_Construct); }},
      {"after people and money were saved", [](WeekSteps& s) { s.WeekClose = ThenKill(s.WeekClose); }},
  };
  for (const auto& [where, stop] : stops) {
    EXPECT_EQ(WeekInChild(stop), kKilled) << where;
    EXPECT_TRUE(DumpFile() == before) << "killed " << where;
  }
  ASSERT_EQ(WeekInChild([](WeekSteps&) {}), 0);
  EXPECT_NE(DumpFile(), before);  // a whole week is seen
}

TEST_F(WeekTransactionTest, AFailedStatementFailsAloneButAWeekThatCannotFinishLeavesAllAsBefore) {
  LoadGameState(ctx);
  // One refused statement: the rest of the week is kept.
  Exec("CREATE TRIGGER no_turn BEFORE UPDATE OF Turn ON home BEGIN SELECT RAISE(ABORT,'refused'); END");
  const std::string grain = Value("SELECT Grain FROM home");
  TurnEnd(ctx);
  EXPECT_EQ(Value("SELECT Turn FROM home"), "1");
  EXPECT_NE(Value("SELECT Grain FROM home"), grain);
  EXPECT_FALSE(db.InTrans());
  Exec("DROP TRIGGER no_turn");

  const std::string before = Dump(db);
  const auto figures = [this] { return std::to_string(state.mTurn) + "/" + std::to_string(data.Money()); };
  const std::string figuresBefore = figures();
  // An error thrown out of the week (no std::exception: nothing inside catches it).
  struct Abort {};
  WeekSteps throwing = DefaultWeekSteps();
  throwing.TurnEnd_Facility = [](WeekContext&, TurnLog&) { throw Abort{}; };
  EXPECT_THROW(TurnEnd(ctx, throwing), Abort);
  EXPECT_TRUE(Dump(db) == before);
  EXPECT_EQ(figures(), figuresBefore);
  EXPECT_FALSE(state.mWeekRunning || db.InTrans());

  // A commit the engine refuses: a deferred check that the week's counter breaks.
  Exec("PRAGMA foreign_keys=ON");
  Exec("CREATE TABLE guard_parent(id INTEGER PRIMARY KEY)");
  Exec("CREATE TABLE guard(p INTEGER REFERENCES guard_parent(id) DEFERRABLE INITIALLY DEFERRED)");
  Exec("CREATE TRIGGER guard_turn AFTER UPDATE OF Turn ON home BEGIN INSERT INTO guard VALUES(-1); END");
  const std::string guarded = Dump(db);
  TurnEnd(ctx);
  EXPECT_TRUE(Dump(db) == guarded);
  EXPECT_EQ(figures(), figuresBefore);
  ASSERT_FALSE(screen.errors.empty());
  EXPECT_NE(screen.errors.back().find("週の結果を保存できませんでした"), std::string::npos) << screen.errors.back();
}

}  // namespace
