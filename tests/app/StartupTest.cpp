/** @file StartupTest.cpp Start-up and shutdown, the version text, the audio path and the list height. */
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>

#include "TempFolder.h"
#include "app/Program.h"
#include "app/basQz.h"
#include "app/frmTitle.h"
#include "db/SqliteConnection.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"
#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "platform/clsReg.h"
#include "runtime/VbError.h"
#include "support/FreshGameDb.h"

namespace {

plat::RegEntry DirectXVersion(const std::string& text) {
  return {plat::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "Version", text};
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetProgramFolder(dir_.Path());
    Hooks() = StartupHooks{};
    Hooks().MakeDB = [this] { calls_ += "db "; };
    Hooks().MakeObjects = [this] { calls_ += "objects "; };
    Hooks().SetVolumes = [this](int16_t se, int16_t bgm) {
      calls_ += "volumes(" + std::to_string(se) + "," + std::to_string(bgm) + ") ";
    };
    Hooks().ShowTitle = [this] { calls_ += "title "; };
    Hooks().RestoreVolumes = [this] { calls_ += "restore "; };
    Hooks().ShowError = [this](const std::string& message) { errors_ += message + "\n"; };
  }
  void TearDown() override {
    AppEnd();
    Hooks() = StartupHooks{};
    plat::SetProgramFolder({});
  }
  std::filesystem::path Ini() const { return dir_.Path() / "vesk.ini"; }
  void WriteIni(const std::string& text) { std::ofstream(Ini(), std::ios::binary) << text; }
  std::string ReadIni() const { return plat::ReadWholeFile(Ini()).value_or("<missing>"); }

  TempFolder dir_;
  std::string calls_;
  std::string errors_;
};

}  // namespace

TEST(basQz, VersionTextsGridHeightsAndTheAudioPath) {
  clsAppInfo info;
  std::string versions;
  for (int n = 1; n <= 5; ++n) versions += info.Version(n, ".") + "/";
  EXPECT_EQ(info.Version(0, ".") + " " + info.Version() + " " + versions, "1.09.0037 1090037 1/09/37/1.09//");

  gIni = std::make_shared<CIniFile>();
  gIni->NowSection("Setting");
  struct Case { const char* rows; int16_t pixels; };
  for (auto c : {Case{"0", 480}, Case{"abc", 480}, Case{"-99999", 200}, Case{"10", 200}, Case{"12.5", 240},
                 Case{"25", 480}, Case{"99999", 480}}) {
    gIni->Data("GridRows", c.rows);
    LoadGridRows();
    EXPECT_EQ(gGridHeight, c.pixels) << c.rows;
  }
  gIni.reset();

  EXPECT_TRUE(IsDirectX8());  // the port's own registry answers with a DirectX 8 version
  struct Dx { const char* version; bool dx8; };
  for (auto c : {Dx{"4.09.00.0904", true}, Dx{"4.08.00.0400", true}, Dx{"4.08.00.0399", false},
                 Dx{"4.07.01.0700", false}, Dx{"abc", false}, Dx{"4.09.00.0904.1234", false}}) {
    plat::ScopedRegistry registry({DirectXVersion(c.version)});
    EXPECT_EQ(IsDirectX8(), c.dx8) << c.version;
  }
  plat::ScopedRegistry missing({});
  EXPECT_FALSE(IsDirectX8());
}

TEST_F(StartupTest, FirstStartWritesEveryDefaultAndTheNextNone) {
  ASSERT_EQ(Main(), StartResult::Started);
  EXPECT_EQ(calls_, "db objects title ");  // DirectX 8 audio: the output volumes are left alone
  EXPECT_TRUE(gDX8);
  // Every default into the section "Setting" (which keys a version gets: the settings keys' test).
  ASSERT_EQ(gIni->NowSection(), "Setting");
  EXPECT_TRUE(plat::InstanceLock(dir_.Path() / "vesk.lock").Held());  // held during start-up only

  EXPECT_FALSE(std::filesystem::exists(Ini()));  // written only at shutdown
  gIni->Data("SE", "8");
  ASSERT_TRUE(AppEnd());
  std::string text = ReadIni();
  EXPECT_EQ(text.rfind("[Setting]\nTitleLeft=400\n", 0), 0u) << text;
  EXPECT_NE(text.find("\nCheck3=False\nSE=8\nVersion=1.09.0037\n"), std::string::npos) << text;

  // A file written by this program gets no defaults at its next start.
  WriteIni(text + "GridRows=12\nBGMDX8=-25\n");
  ASSERT_EQ(Main(), StartResult::Started);
  EXPECT_EQ(gIni->Data("SE") + "/" + gIni->Data("BGMDX8") + "/" + std::to_string(gGridHeight), "8/-25/240");
  EXPECT_TRUE(errors_.empty()) << errors_;
}

TEST_F(StartupTest, BrokenSettingsStillStartWithDefaults) {
  WriteIni(std::string("\x01\xFF garbage \x00\n", 13) +
           "[Setting]\nVersion=1.09.0037\nGridRows=99999\nSE=abc\nBGM=99\nNotDX8=1\nno equals sign\n");
  ASSERT_EQ(Main(), StartResult::Started);
  EXPECT_FALSE(gDX8);  // NotDX8 wins over the registry
  EXPECT_EQ(gGridHeight, 480);
  ASSERT_TRUE(AppEnd());
  EXPECT_EQ(calls_, "db objects volumes(5,10) title restore ");
  // Unreadable values are kept as they were, not overwritten; the version moves to the end.
  std::string text = ReadIni();
  EXPECT_NE(text.find("[Setting]\nGridRows=99999\nSE=abc\nBGM=99\nNotDX8=1\nVersion=1.09.0037\n"), std::string::npos)
      << text;
  EXPECT_TRUE(errors_.empty()) << errors_;
}

TEST_F(StartupTest, FailuresAndASecondCopy) {
  {
    plat::InstanceLock other(dir_.Path() / "vesk.lock");
    ASSERT_TRUE(other.Held());
    EXPECT_EQ(Main(), StartResult::AnotherCopy);
  }
  EXPECT_EQ(calls_ + errors_, "");  // another copy starting ends quietly

  Hooks().ShowTitle = [] { throw std::runtime_error("no display"); };
  EXPECT_EQ(Main(), StartResult::Failed);
  EXPECT_EQ(errors_, "起動できません（タイトル画面の表示）: プログラムの内部エラーです\n");
  EXPECT_TRUE(plat::InstanceLock(dir_.Path() / "vesk.lock").Held());  // released on failure too

  // Shutdown that cannot write the settings says so, and still releases everything.
  errors_.clear();
  Hooks().ShowTitle = nullptr;
  Hooks().RestoreVolumes = [] { throw std::runtime_error("mixer gone"); };
  plat::ScopedRegistry oldDirectX({DirectXVersion("4.07.01.0700")});
  ASSERT_EQ(Main(), StartResult::Started);
  std::filesystem::create_directory(Ini());
  EXPECT_FALSE(AppEnd() || gIni);
  EXPECT_TRUE(errors_.find("音量を元に戻せません: プログラムの内部エラーです") != std::string::npos && errors_.find("設定ファイル") != std::string::npos) << errors_;
}

TEST_F(StartupTest, AnErrorNoHandlerCaughtIsNamedAndTheSettingsAreStillWritten) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  plat::ScriptedMessageBox boxes;
  ASSERT_EQ(Main(), StartResult::Started);
  plat::Window window("vesk", 100, 100);
  window.Show();
  plat::Timer failing;
  failing.SetInterval(1);
  failing.Tick = [] { throw rt::VbError(6); };
  failing.SetEnabled(true);
  EXPECT_FALSE(RunGameLoop());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "予期しないエラーが起きたため、ゲームを終了します。\r\nエラー 6 数値が扱える範囲を超えました");
  EXPECT_TRUE(gEnding && !gIni);
  EXPECT_NE(ReadIni().find("Version=1.09.0037"), std::string::npos);
}

// The player reads an error in Japanese: the runtime's by its number, the game's own as it is
// told, a library's English never.
TEST(basQz, ErrorsAreToldInJapanese) {
  struct Case {
    std::exception_ptr error;
    const char* told;
  };
  const Case cases[] = {
      {std::make_exception_ptr(rt::VbError(rt::kErrOverflow)), "エラー 6 数値が扱える範囲を超えました"},
      {std::make_exception_ptr(rt::VbError(rt::kErrTypeMismatch)), "エラー 13 値の種類が合いません"},
      {std::make_exception_ptr(rt::VbError(1004, "Application-defined error")), "エラー 1004 プログラムの内部エラーです"},
      {std::make_exception_ptr(std::out_of_range("vector::_M_range_check: __n (which is 7)")), "プログラムの内部エラーです"},
      {std::make_exception_ptr(std::bad_alloc()), "メモリが足りません"},
      {std::make_exception_ptr(std::runtime_error("フォントファイルを開けません: a.ttf")), "フォントファイルを開けません: a.ttf"},
  };
  for (const Case& c : cases) {
    try {
      std::rethrow_exception(c.error);
    } catch (const std::exception& e) {
      EXPECT_EQ(DescribeError(e), c.told);
    }
  }
}

namespace {

// The game as the program runs it, on a new game with `damage` run on its save: 開始 is clicked
// on the title, and `tick` runs on a timer throughout. The boxes shown are written to standard
// error in brackets, then whether the save is as it was before the start. Exits 0
// when the game ended by itself, 1 after an error no handler caught.
[[noreturn]] void PlayAndEnd(const std::string& damage, const std::function<void()>& tick) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);  // a machine without a sound card would add its own box
  GameDbFolder game;
  for (const char* sub : {"image", "sound"})
    std::filesystem::copy(std::filesystem::path(VESK_GAME_DIR) / sub, game.Folder() / sub,
                          std::filesystem::copy_options::recursive);
  if (!damage.empty()) SqliteConnection::Open(game.DbPath())->Execute(damage);
  const auto before = plat::ReadWholeFile(game.DbPath());
  plat::ScriptedMessageBox boxes;
  JoinGame();
  if (Main() != StartResult::Started) std::exit(2);
  plat::Timer start;
  start.SetInterval(1);
  start.Tick = [&start] {
    start.SetEnabled(false);
    const plat::Control& button = TitleScreenWindow()->GLLStart;
    const plat::Point at = button.OriginInWindow();
    plat::input::ClickAt(*button.GetWindow(), at.x + button.Width() / 2, at.y + button.Height() / 2);
  };
  plat::Timer ticking;
  ticking.SetInterval(1);
  ticking.Tick = tick;
  start.SetEnabled(true);
  ticking.SetEnabled(true);
  const bool ended = RunGameLoop();
  EndGame();
  for (const auto& box : boxes.shown) std::fprintf(stderr, "[%s]\n", box.prompt.c_str());
  std::fprintf(stderr, "%s\n", plat::ReadWholeFile(game.DbPath()) == before ? "save untouched" : "save changed");
  std::exit(ended ? 0 : 1);
}

}  // namespace

// An error no handler catches while 開始 loads the main window, once the army listens to the
// battle engine: the player reads it in Japanese, and the way out frees each object once, in
// order. A use after a free ends the run with the sanitizers' report instead of the exit code.
TEST(GameProgram, AnErrorWhileTheMainWindowLoadsEndsTheGameInOrder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(PlayAndEnd("",
                         [] {
                           frmMain2* main = MainScreenWindow();
                           if (main && !main->IsShown() && main->Army()) throw rt::VbError(rt::kErrTypeMismatch);
                         }),
              ::testing::ExitedWithCode(1),
              "\\[予期しないエラーが起きたため、ゲームを終了します。\r\nエラー 13 値の種類が合いません\\]\n");
}

// 開始 on a save with a value the load cannot read: a Japanese box names it. Without a week
// number the game ends there writing nothing; without the job under way it is played on.
TEST(GameProgram, AValueTheLoadCannotReadIsNamedAndTheGameEndsInOrder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto closeWhenShown = [] {
    if (frmMain2* main = MainScreenWindow(); main && main->IsShown()) plat::input::CloseRequest(*main);
  };
  EXPECT_EXIT(PlayAndEnd("UPDATE home SET Turn='abc'", closeWhenShown), ::testing::ExitedWithCode(0),
              "^\\[週数取得エラー:LoadGameState\r\nhome.Turn=abc\r\n週数が読めないため、ゲームを終了します\\]\n"
              "save untouched\n$");
  EXPECT_EXIT(PlayAndEnd("UPDATE home SET Construction=2147483648", closeWhenShown), ::testing::ExitedWithCode(0),
              "^\\[建設建物取得エラー:ShowConstruct\r\nhome.Construction=2147483648\\]\nsave changed\n$");
}

// Where no desktop can be reached the game ends at once, says why and writes nothing.
TEST(GameProgram, WithoutADesktopEndsAtOnceSayingWhyAndWritingNothing) {
  TempFolder dir;
  std::filesystem::copy_file(VESK_PROGRAM, dir.Path() / "vesk");
  const std::string run = "cd '" + dir.Path().string() +
                          "' && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 ./vesk 2>said.txt";
  const int status = std::system(run.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string said = plat::ReadWholeFile(dir.Path() / "said.txt").value_or("");
  EXPECT_NE(said.find("画面を開けません: このゲームにはデスクトップのセッション"), std::string::npos) << said;
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"said.txt", "vesk"}));
}
