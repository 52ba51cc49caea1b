// weeksim on files it cannot play: it ends at once, non-zero, saying why, the file untouched;
// database errors during the weeks make its exit non-zero too.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "db/SqliteConnection.h"
#include "support/FreshGameDb.h"

namespace fs = std::filesystem;

namespace {

/// weeksim's exit code and its output (both streams).
std::pair<int, std::string> Weeksim(const fs::path& db) {
  std::string out;
  FILE* p = popen(("'" VESK_WEEKSIM "' --weeks 2 '" + db.string() + "' 2>&1").c_str(), "r");
  char buf[4096];
  for (size_t n; p && (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  const int status = p ? pclose(p) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(Weeksim, BadDatabasesEndAtOnceUntouchedWithTheReason) {
  GameDbFolder game;
  const fs::path dir = game.Folder();
  const std::string whole = ReadFileText(game.DbPath());
  WriteFileText(dir / "empty.mdb", "");
  WriteFileText(dir / "truncated.mdb", whole.substr(0, whole.size() / 2));
  WriteFileText(dir / "random.mdb", std::string(20000, '\x5a'));
  for (const char* copy : {"dropped.mdb", "readonly.mdb", "held.mdb"}) fs::copy_file(game.DbPath(), dir / copy);
  SqliteConnection::Open(dir / "dropped.mdb")->Execute("DROP TABLE construction");
  fs::permissions(dir / "readonly.mdb", fs::perms::owner_read | fs::perms::group_read);
  auto holder = SqliteConnection::Open(dir / "held.mdb");  // another copy of the game has it

  const std::pair<const char*, const char*> cases[] = {
      {"missing.mdb", "見つかりません"},  {"empty.mdb", "ゲームのデータベースではありません"},
      {"truncated.mdb", "壊れている"},    {"random.mdb", "壊れている"},
      {"dropped.mdb", "テーブルがありません: construction"}, {"readonly.mdb", "読み取り専用"},
      {"held.mdb", "使用中"}};
  for (const auto& [name, reason] : cases) {
    // (The held file is not read here: closing any descriptor of it would drop the holder's locks.)
    const bool held = std::string(name) == "held.mdb";
    const std::string before = held ? "" : ReadFileText(dir / name);
    const auto [exit, output] = Weeksim(dir / name);
    EXPECT_EQ(exit, 1) << name << ": " << output;
    EXPECT_NE(output.find(reason), std::string::npos) << name << ": " << output;
    EXPECT_TRUE(held || ReadFileText(dir / name) == before) << name;
  }
  EXPECT_EQ(holder->Query("SELECT Turn FROM home")->Value(0, 0), "1");

  // A statement that fails every week: counted from the error log, and the run fails.
  SqliteConnection::Open(game.DbPath())
      ->Execute("CREATE TRIGGER no_turn BEFORE UPDATE OF Turn ON home BEGIN SELECT RAISE(ABORT,'refused'); END");
  const auto [exit, output] = Weeksim(game.DbPath());
  EXPECT_EQ(exit, 3) << output;
  EXPECT_NE(output.find("0 errors shown, 2 database errors"), std::string::npos) << output;
}

}  // namespace
