/** @file GameRunTest.cpp The whole program as a player runs it: 開始 on a damaged save, a start that fails, a week cut short. */
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/Program.h"
#include "app/Screens.h"
#include "app/basQz.h"
#include "app/frmTitle.h"
#include "db/SqliteConnection.h"
#include "mainscreen/frmMain2.h"
#include "platform/Audio.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "runtime/Clock.h"
#include "support/FreshGameDb.h"

namespace fs = std::filesystem;

namespace {

/// One value of the save, read on a connection of its own (which shows nothing when it fails).
std::string Value(const std::string& sql) {
  try {
    auto rows = SqliteConnection::Open(plat::ProgramFolder() / "vesk.mdb")->Query(sql);
    return rows->RowCount() ? rows->Value(0, 0) : "<none>";
  } catch (const DbError& e) {
    return e.what();
  }
}

/// A game folder with the game's pictures and sounds, the program run in it by a scripted
/// player: `play` is called on each turn of the loop (and of the loops inside what it starts)
/// until it returns true.
class GameRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetClock(&clock_);
    for (const char* sub : {"image", "sound"})
      fs::copy(fs::path(VESK_GAME_DIR) / sub, game_.Folder() / sub, fs::copy_options::recursive);
    plat::SetAudio(std::make_unique<plat::AudioSystem>(std::make_unique<plat::AudioFakeDevice>()));
  }
  void TearDown() override {
    plat::SetAudio(nullptr);
    Hooks() = StartupHooks{};
    Screens() = ScreenHooks{};
    rt::SetClock(nullptr);
  }
  int Run(const std::function<bool()>& play) {
    plat::Timer hand;
    hand.SetInterval(1);
    hand.Tick = [&] {
      if (play()) hand.SetEnabled(false);
    };
    hand.SetEnabled(true);
    return RunGame();
  }
  static std::string Enabled(frmTitle& t) {
    std::string s;
    for (auto* b : {&t.GLLStart, &t.GLLInit, &t.GLLCompact, &t.GLLEnd}) s += b->Enable() ? "1" : "0";
    return s;
  }

  rt::VirtualClock clock_;
  GameDbFolder game_;
};

}  // namespace

// A save with damaged pages: 開始 says so once and how to go on, the title's buttons come back,
// DBerr.log keeps the engine's words and the file is left byte for byte; データ初期化 then
// starts a new kingdom that 開始 opens.
TEST_F(GameRunTest, ADamagedSaveIsToldAtTheStartAndDataInitialisationStartsANewKingdom) {
  DamagePages(game_.DbPath(), 4, 6);
  const std::string before = ReadFileText(game_.DbPath());
  plat::ScriptedMessageBox boxes;
  std::string refused, reset;
  bool started = false;
  const int code = Run([&] {
    frmTitle* title = TitleScreenWindow();
    if (!title) return false;
    title->GLLStart_Click();
    refused = std::string(MainScreenWindow() ? "main " : "") + (title->Form().IsShown() ? "title " : "") +
              Enabled(*title) + (ReadFileText(game_.DbPath()) == before ? " unchanged" : " changed");
    title->GLLInit_Click();
    reset = Value("SELECT [Money] FROM home") + " " + Value("SELECT COUNT(*) FROM construction") + " " +
            title->HintText();
    title->GLLStart_Click();
    started = MainScreenWindow() && MainScreenWindow()->IsShown();
    if (started) MainScreenWindow()->RequestClose();
    return true;
  });
  EXPECT_EQ(refused, "title 1111 unchanged");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].prompt, "データベースファイルが壊れています。\n「データ初期化」で新しい王国を始められます。\n" +
                                       game_.DbPath().string());
  EXPECT_EQ(boxes.shown[1].prompt, "全てのデータが失われますが、いいですか？");
  const std::string log = ReadFileText(game_.Folder() / "DBerr.log");
  EXPECT_NE(log.find("関数名:DBSet\r\n11:database disk image is malformed\r\n"), std::string::npos) << log;
  EXPECT_EQ(reset, "500 7 DBの初期化完了");
  EXPECT_TRUE(started);
  EXPECT_EQ(code, 0);
}

// A start that cannot load the main screen ends the program, in order and non-zero, having said
// why: a picture missing, the save missing, a table of the game dropped from the save.
TEST_F(GameRunTest, AStartThatFailsEndsNonZero) {
  const std::pair<const char*, std::function<void(const fs::path&)>> cases[] = {
      {"msgimage2.bmp", [](const fs::path& folder) { fs::remove(folder / "image" / "msgimage2.bmp"); }},
      {"データベースファイルが見つかりません", [](const fs::path& folder) { fs::remove(folder / "vesk.mdb"); }},
      {"データベースにゲームのテーブルがありません: unit",
       [](const fs::path& folder) { SqliteConnection::Open(folder / "vesk.mdb")->Execute("DROP TABLE unit"); }},
  };
  for (const auto& [told, spoil] : cases) {
    GameDbFolder folder;
    for (const char* sub : {"image", "sound"})
      fs::copy(game_.Folder() / sub, folder.Folder() / sub, fs::copy_options::recursive);
    spoil(folder.Folder());
    plat::ScriptedMessageBox boxes;
    const int code = Run([] {
      if (TitleScreenWindow()) TitleScreenWindow()->GLLStart_Click();
      return true;
    });
    EXPECT_EQ(code, 1) << told;
    ASSERT_EQ(boxes.shown.size(), 1u) << told;
    EXPECT_NE(boxes.shown[0].prompt.find(told), std::string::npos) << boxes.shown[0].prompt;
    EXPECT_NE(ReadFileText(folder.Folder() / "vesk.ini").find("Version=1.09.0037"), std::string::npos) << told;
  }
}

// SIGTERM during the week's first report, which the busy window refuses: the program ends at once,
// the week goes back, and what a close keeps is kept as it stood when 次の週へ was pressed.
TEST_F(GameRunTest, AWeekCutShortKeepsTheChoicesMadeBeforeIt) {
  // A standing sale, whose report is the week's first.
  SqliteConnection::Open(game_.DbPath())->Execute("INSERT INTO continueitem VALUES(1,'布','売却',5,3)");
  // Forked as it stands, so that the program's files land in this test's folder.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        plat::Timer signal;
        signal.SetInterval(1);
        signal.Tick = [] {
          frmMain2* main = MainScreenWindow();
          if (main && main->mWeekRunning && main->GLMSG[0].IsShown()) raise(SIGTERM);
        };
        signal.SetEnabled(true);
        Run([&] {
          frmTitle* title = TitleScreenWindow();
          if (!MainScreenWindow() && title) title->GLLStart_Click();
          frmMain2* main = MainScreenWindow();
          if (!main || !main->IsShown()) return false;
          main->GVPeople_Click(2, "募集する");  // 生産者: 募集中
          main->mData.MoneyDif(123);           // spent by a command since the last week
          std::fprintf(stderr, "money %d\n", main->mData.Money());
          main->GLTurnEnd_Click();
          return true;
        });
        std::fprintf(stderr, "the week ran to its end\n");
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(1), "money 377\n");
  EXPECT_EQ(Value("SELECT Recruitment FROM home"), "1");
  EXPECT_EQ(Value("SELECT Turn FROM home"), "1");
  EXPECT_EQ(Value("SELECT [Money] FROM home"), "377");  // 500 less the 123
  EXPECT_NE(ReadFileText(game_.Folder() / "vesk.ini").find("\nMainLeft="), std::string::npos);
}
