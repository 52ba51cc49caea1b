// weeksim on files it cannot play: it ends at once with a non-zero exit and says why, leaving the
// file as it was; database errors during the weeks make its exit non-zero too.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "db/SqliteConnection.h"
#include "support/FreshGameDb.h"

namespace fs = std::filesystem;

namespace {

struct ToolRun {
  int exit = -1;
  std::string output;  ///< standard output and error together
};

ToolRun Weeksim(const fs::path& db, const std::string& options = "--weeks 2") {
  ToolRun r;
  const std::string cmd = std::string("'") + VESK_WEEKSIM + "' " + options + " '" + db.string() + "' 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) r.output.append(buf, n);
  const int status = pclose(p);
  r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

class WeeksimTest : public ::testing::Test {
 protected:
  /// A copy of the fresh game under a new name.
  fs::path Copy(const std::string& name) {
    const fs::path path = game.Folder() / name;
    fs::copy_file(game.DbPath(), path);
    return path;
  }
  GameDbFolder game;
};

TEST_F(WeeksimTest, BadDatabasesEndAtOnceUntouchedWithTheReason) {
  const std::string whole = ReadFileText(game.DbPath());
  struct Case {
    std::string name, bytes, reason;
  };
  std::vector<Case> cases = {{"missing.mdb", "", "見つかりません"},
                             {"empty.mdb", "", "ゲームのデータベースではありません"},
                             {"truncated.mdb", whole.substr(0, whole.size() / 2), "壊れている"},
                             {"random.mdb", std::string(20000, '\x5a'), "壊れている"}};
  for (const auto& c : cases) {
    const fs::path path = game.Folder() / c.name;
    if (c.name != "missing.mdb") WriteFileText(path, c.bytes);
    const ToolRun r = Weeksim(path);
    EXPECT_EQ(r.exit, 1) << c.name << ": " << r.output;
    EXPECT_NE(r.output.find(c.reason), std::string::npos) << c.name << ": " << r.output;
    EXPECT_TRUE(ReadFileText(path) == c.bytes) << c.name;
    EXPECT_FALSE(fs::exists(path.string() + "-wal")) << c.name;
  }

  const fs::path dropped = Copy("dropped.mdb");
  SqliteConnection::Open(dropped)->Execute("DROP TABLE construction");
  const fs::path readOnly = Copy("readonly.mdb");
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  for (const auto& [path, reason] :
       {std::pair{dropped, "テーブルがありません: construction"}, std::pair{readOnly, "読み取り専用"}}) {
    const std::string before = ReadFileText(path);
    const ToolRun r = Weeksim(path);
    EXPECT_EQ(r.exit, 1) << path << ": " << r.output;
    EXPECT_NE(r.output.find(reason), std::string::npos) << path << ": " << r.output;
    EXPECT_TRUE(ReadFileText(path) == before) << path;
  }

  // Held by another copy of the game. (Not read meanwhile: closing any descriptor of the file
  // in this process would drop the holder's locks.)
  const fs::path held = Copy("held.mdb");
  auto holder = SqliteConnection::Open(held);
  const ToolRun r = Weeksim(held);
  EXPECT_EQ(r.exit, 1) << r.output;
  EXPECT_NE(r.output.find("使用中"), std::string::npos) << r.output;
  EXPECT_EQ(holder->Query("SELECT Turn FROM home")->Value(0, 0), "1");
}

TEST_F(WeeksimTest, LoggedDatabaseErrorsAreCountedAndFailTheRun) {
  const fs::path path = Copy("broken-week.mdb");
  SqliteConnection::Open(path)->Execute(
      "CREATE TRIGGER no_turn BEFORE UPDATE OF Turn ON home BEGIN SELECT RAISE(ABORT,'refused'); END");
  const ToolRun r = Weeksim(path);
  EXPECT_EQ(r.exit, 3) << r.output;
  EXPECT_NE(r.output.find("0 errors shown, 2 database errors"), std::string::npos) << r.output;
  EXPECT_NE(ReadFileText(game.Folder() / "DBerr.log").find("refused"), std::string::npos);
}

}  // namespace
