/** @file faults.cpp The faults scenario: 開始 on a damaged save and the new kingdom that follows, a data initialisation refused while another copy holds the database, the game started with a wave file and a tune missing, on both audio paths, and 開始 on a save whose week number cannot be read. */
#include <filesystem>
#include <string>

#include "Driver.h"
#include "app/Program.h"
#include "app/basQz.h"
#include "app/frmTitle.h"
#include "db/SqliteConnection.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"
#include "runtime/Strings.h"

namespace fs = std::filesystem;
using uidriver::ClickOn;
using uidriver::Expect;
using uidriver::ExpectMessageBox;
using uidriver::Save;

namespace {

// How many records DBerr.log holds.
size_t LogRecords(const fs::path& folder) {
  const std::string log = plat::ReadWholeFile(folder / "DBerr.log").value_or("");
  size_t n = 0;
  for (size_t at = log.find("関数名:"); at != std::string::npos; at = log.find("関数名:", at + 1)) ++n;
  return n;
}

// 開始 on the title with fire02.wav and map2.mid gone: each is told once, in Japanese, and the
// main window takes over; then the game ends as the player ends it.
void StartWithoutSounds(const std::string& path, const std::string& tuneText, const std::string& png) {
  ExpectMessageBox("効果音ファイルが見つかりません: " + (plat::ProgramFolder() / "sound" / "fire02.wav").string(), "OK",
                   png + "-01-effect");
  ExpectMessageBox(tuneText, "OK", png + "-02-tune");
  frmTitle* title = TitleScreenWindow();
  Expect(title != nullptr, "開始 (" + path + ")", "no title screen");
  ClickOn(title->GLLStart);
  frmMain2* main = MainScreenWindow();
  Expect(main && main->IsShown(), "開始 (" + path + ")", "the main window did not take over");
  frmMain2& w = *main;
  uidriver::CheckMessageBoxesShown("開始 (" + path + ")");
  Expect(w.GVKingdom.HeaderText(1, 1) == "建国1年 第1週", "main window (" + path + ")", w.GVKingdom.HeaderText(1, 1));
  w.PlaySound(7);  // fire02.wav: nothing plays and nothing is told again
  plat::DoEvents();
  Save(w, png + "-03-main");
  plat::input::CloseRequest(w);
  plat::DoEvents();
  Expect(w.Closed() && gEnding, "close (" + path + ")", "the main window did not close");
  EndGame();
}

}  // namespace

UIDRIVER_SCENARIO(faults) {
  const fs::path folder = uidriver::GameFolder();
  rt::VirtualClock clock;
  rt::SetClock(&clock);
  fs::remove(folder / "sound" / "fire02.wav");
  fs::remove(folder / "sound" / "map2.mid");

  JoinGame();
  Expect(Main() == StartResult::Started, "start-up", "did not start");
  frmTitle* title = TitleScreenWindow();
  Expect(title != nullptr, "start-up", "no title screen");
  plat::DoEvents();
  {
    // The save damaged on disk (pages 4 to 9 written over): 開始 says so in one message and how
    // to go on, the title's buttons come back and the file stays as it was, the engine's words
    // in DBerr.log; データ初期化 then starts a new kingdom in its place.
    std::string bytes = plat::ReadWholeFile(folder / "vesk.mdb").value_or("");
    Expect(bytes.size() > 9 * 4096, "damage", "vesk.mdb has too few pages");
    for (size_t i = 3 * 4096; i < 9 * 4096; ++i) bytes[i] = static_cast<char>((i * 7919) >> 3);
    Expect(plat::WriteFileAtomic(folder / "vesk.mdb", bytes), "damage", "cannot write vesk.mdb");
    ExpectMessageBox("データベースファイルが壊れています。\n「データ初期化」で新しい王国を始められます。", "OK",
                     "faults-01-damaged");
    ClickOn(title->GLLStart);
    uidriver::CheckMessageBoxesShown("開始 (damaged)");
    Expect(!MainScreenWindow() && title->Form().IsShown() && !title->Busy() && title->GLLStart.Enable() &&
               title->GLLInit.Enable() && title->GLLCompact.Enable() && title->GLLEnd.Enable(),
           "開始 (damaged)", "the title's buttons are not back");
    Expect(plat::ReadWholeFile(folder / "vesk.mdb") == bytes, "開始 (damaged)", "the file changed");
    const std::string log = plat::ReadWholeFile(folder / "DBerr.log").value_or("");
    Expect(LogRecords(folder) == 1 && log.find("database disk image is malformed") != std::string::npos,
           "開始 (damaged)", "DBerr.log:\n" + log);
    Save(title->Form(), "faults-02-damaged-title");
    ExpectMessageBox("全てのデータが失われますが、いいですか？", "はい");
    ClickOn(title->GLLInit);
    uidriver::CheckMessageBoxesShown("データ初期化 (damaged)");
    Expect(title->HintText() == "DBの初期化完了", "データ初期化 (damaged)", "hint \"" + title->HintText() + "\"");
    fs::remove(folder / "DBerr.log");
  }
  {
    // Another copy of the game holds the database: the data initialisation is refused with one
    // message, one record in DBerr.log, the game as it was and the buttons back.
    auto held = SqliteConnection::Open(folder / "vesk.mdb");
    held->Execute("UPDATE home SET [Money]=4321");
    ExpectMessageBox("全てのデータが失われますが、いいですか？", "はい");
    ExpectMessageBox("データを初期化できませんでした。データは元のままです。\r\nデータベースファイルは使用中です。", "OK",
                     "faults-03-reset-refused");
    ClickOn(title->GLLInit);
    uidriver::CheckMessageBoxesShown("reset");
    Expect(title->HintText() == "DBの初期化を中止しました" && !title->Busy() && title->GLLStart.Enable() &&
               title->GLLInit.Enable() && title->GLLCompact.Enable() && title->GLLEnd.Enable(),
           "reset", "hint \"" + title->HintText() + "\", the buttons not all back");
    Expect(LogRecords(folder) == 1, "reset", "DBerr.log holds " + std::to_string(LogRecords(folder)) + " records");
    Expect(held->Query("SELECT [Money] FROM home")->Value(0, 0) == "4321", "reset", "the game changed");
    Save(title->Form(), "faults-04-title");
  }

  // The DirectX 8 path, the one a player's settings choose at first.
  StartWithoutSounds("DirectX 8", "音楽ファイルが見つかりません: " + (folder / "sound" / "map2.mid").string(), "faults-dx8");
  // The MCI path: the failing open of map2.mid shows its own message, and the load goes on.
  const std::string ini = plat::ReadWholeFile(folder / "vesk.ini").value_or("");
  Expect(ini.find("\nNotDX8=False\n") != std::string::npos, "vesk.ini", "no NotDX8=False in\n" + ini);
  Expect(plat::WriteFileAtomic(folder / "vesk.ini", rt::Replace(ini, "\nNotDX8=False\n", "\nNotDX8=True\n")),
         "vesk.ini", "cannot write it");
  JoinGame();
  Expect(Main() == StartResult::Started && !gDX8, "start-up (MCI)", "did not start on the MCI path");
  plat::DoEvents();
  StartWithoutSounds("MCI", "ファイルが見つかりません。\n" + (folder / "sound" / "map2.mid").string(), "faults-mci");

  // A save whose week number cannot be read: 開始 names the value and the game ends, the save
  // as it was.
  SqliteConnection::Open(folder / "vesk.mdb")->Execute("UPDATE home SET Turn='abc'");
  const auto before = plat::ReadWholeFile(folder / "vesk.mdb");
  JoinGame();
  Expect(Main() == StartResult::Started, "start-up (damaged week)", "did not start");
  plat::DoEvents();
  ExpectMessageBox("週数取得エラー:LoadGameState\r\nhome.Turn=abc\r\n週数が読めないため、ゲームを終了します", "OK",
                   "faults-05-damaged-week");
  ClickOn(TitleScreenWindow()->GLLStart);
  uidriver::CheckMessageBoxesShown("開始 (damaged week)");
  Expect(gEnding && !MainScreenWindow()->IsShown(), "開始 (damaged week)", "the game did not end");
  Expect(plat::ReadWholeFile(folder / "vesk.mdb") == before, "開始 (damaged week)", "the save was written");
  EndGame();
  rt::SetClock(nullptr);
}
