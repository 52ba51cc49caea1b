// The week as one transaction: stopped anywhere - an error thrown out of it, a commit refused -
// it leaves the saved game and the figures in memory as they were before it. (A killed program
// leaves the file so by itself: the engine drops a transaction that was never committed.)
#include <gtest/gtest.h>

#include "SimFixture.h"
#include "sim/Economy.h"
#include "sim/TurnEnd.h"

using namespace sim;

namespace {

struct Stop {};  // no std::exception: nothing inside the week catches it

class WeekTransactionTest : public simtest::SimTest {
 protected:
  // Every table's rows in file order, and the figures in memory: the whole game as text.
  std::string Game() {
    std::string out = std::to_string(state.mTurn) + "/" + std::to_string(data.Money()) + "\n";
    for (const auto& table : QueryRows(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"))
      for (const auto& row : QueryRows(db, "SELECT * FROM " + table[0])) {
        out += table[0];
        for (const auto& v : row) out += "|" + v;
        out += "\n";
      }
    return out;
  }
};

/// The step, then an error out of the week.
template <typename Step>
auto ThenStop(Step step) {
  return [step](WeekContext& ctx, auto&... a) {
    step(ctx, a...);
    throw Stop{};
  };
}

TEST_F(WeekTransactionTest, AWeekStoppedAnywhereLeavesTheGameAsBefore) {
  Exec("UPDATE home SET Construction=1");  // a building under way, so construction writes too
  for (int i = 0; i < 18; ++i) settings.Set("Report" + std::to_string(i), "1");
  LoadGameState(ctx);
  const std::string before = Game();
  const std::pair<const char*, std::function<void(WeekSteps&)>> stops[] = {
      {"after an army came home", [](WeekSteps& s) {
         s.TurnEnd_Conquest = ThenStop([](WeekContext& ctx, TurnLog&) {
           ctx.db.Excute("UPDATE people SET [Number]=[Number]+5 WHERE Occupation='Soldier'");
         });
       }},
      {"after construction", [](WeekSteps& s) { s.TurnEnd_Construct = ThenStop(s.TurnEnd_Construct); }},
      {"while a report waits", [this](WeekSteps&) {
         screen.onShow = [](const fake::Shown& b) { if (b.buttons == kMsgClose) throw Stop{}; };
       }},
      {"after people and money were saved", [](WeekSteps& s) { s.WeekClose = ThenStop(s.WeekClose); }},
  };
  for (const auto& [where, stop] : stops) {
    WeekSteps steps = DefaultWeekSteps();
    stop(steps);
    EXPECT_THROW(TurnEnd(ctx, steps), Stop) << where;
    screen.onShow = nullptr;
    EXPECT_TRUE(Game() == before) << "stopped " << where;
    EXPECT_FALSE(state.mWeekRunning || db.InTrans()) << where;
  }

  // A commit the engine refuses (a deferred check the week's counter breaks): all as before too.
  Exec("PRAGMA foreign_keys=ON");
  Exec("CREATE TABLE guard_parent(id INTEGER PRIMARY KEY)");
  Exec("CREATE TABLE guard(p INTEGER REFERENCES guard_parent(id) DEFERRABLE INITIALLY DEFERRED)");
  Exec("CREATE TRIGGER guard_turn AFTER UPDATE OF Turn ON home BEGIN INSERT INTO guard VALUES(-1); END");
  const std::string guarded = Game();
  TurnEnd(ctx);
  EXPECT_TRUE(Game() == guarded);
  ASSERT_FALSE(screen.errors.empty());
  EXPECT_NE(screen.errors.back().find("週の結果を保存できませんでした"), std::string::npos) << screen.errors.back();
  Exec("DROP TRIGGER guard_turn");

  // One refused statement fails alone: the rest of the week is kept.
  Exec("CREATE TRIGGER no_turn BEFORE UPDATE OF Turn ON home BEGIN SELECT RAISE(ABORT,'refused'); END");
  const std::string grain = Value("SELECT Grain FROM home");
  TurnEnd(ctx);
  EXPECT_EQ(Value("SELECT Turn FROM home"), "1");
  EXPECT_NE(Value("SELECT Grain FROM home"), grain);
  EXPECT_FALSE(db.InTrans());
}

}  // namespace
