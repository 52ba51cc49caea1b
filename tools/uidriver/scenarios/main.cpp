/** @file main.cpp The main scenario: the main window of a new game, a question over it, and the same screen after 30 weeks with recruitment. */
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Driver.h"
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/CreateDB.h"
#include "db/GameDbBuilder.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"

namespace fs = std::filesystem;
using uidriver::Fail;
using uidriver::Save;

namespace {

// A copy of the game folder in a temporary folder, removed at the end.
struct GameCopy {
  GameCopy() {
    std::string pattern = (fs::temp_directory_path() / "vesk-main-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Fail("copy", "no temporary folder");
    dir = pattern;
    std::error_code ec;
    fs::copy(VESK_GAME_DIR, dir, fs::copy_options::recursive, ec);
    if (ec) Fail("copy", ec.message());
    fs::remove(dir / "vesk.ini", ec);
  }
  ~GameCopy() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  fs::path dir;
};

std::unique_ptr<frmMain2> Start() {
  Hooks() = StartupHooks{};
  Hooks().MakeDB = [] { gDB = std::make_shared<clsDB>(); };
  Hooks().MakeObjects = [] {
    gBattle = std::make_shared<clsBattle>();
    gMngUnitItems = std::make_shared<clsMngUnitItems>();
  };
  if (Main() != StartResult::Started) Fail("start-up", "did not start");
  auto main = std::make_unique<frmMain2>();
  if (!main->Form_Load()) Fail("load", "the main window did not load");
  main->Show();
  plat::DoEvents();
  return main;
}

void Close(std::unique_ptr<frmMain2>& main) {
  plat::input::CloseRequest(*main);
  plat::DoEvents();
  if (!main->Closed()) Fail("close", "the main window refused to close");
  main.reset();
}

}  // namespace

UIDRIVER_SCENARIO(main) {
  rt::VirtualClock clock;
  rt::SetClock(&clock);
  GameCopy game;
  plat::SetProgramFolder(game.dir);
  // A new game of today's catalogue (the folder's own database may be an older player's game).
  fs::remove(game.dir / "vesk.mdb");
  try {
    BuildGameDatabase(fs::path(VESK_SOURCE_DIR) / "data", game.dir / "vesk.mdb");
  } catch (const std::exception& e) {
    Fail("new game", e.what());
  }

  auto main = Start();
  Save(*main, "main-01-new-game");

  // A question over the screen; the click on いいえ answers it.
  plat::input::MouseMove(*main, 500, 460);
  plat::input::MouseDown(*main, 500, 460);
  plat::input::MouseUp(*main, 500, 460);
  // The first pump shows the box, the queued click answers it; the box stays in front.
  const int32_t answer = main->ShowMSGBox("小さな畑を解体しますか？\r\n建物は戻りません", 6, false);
  if (answer != 4) Fail("question", "answered " + std::to_string(answer) + ", not いいえ");
  Save(*main, "main-02-question");
  main->SendMessagePanelBack();
  Close(main);

  // The player sets an exploration and a research target, then thirty weeks of the rules run
  // with every occupation recruiting, and the game starts again.
  {
    clsDB db;
    if (!CreateDB::DBConnect(db) || !db.Excute("UPDATE home SET Arearesearch='リュシーレ平原',Itemresearch='小麦'"))
      Fail("targets", db.GetErrMSG());
  }
  const std::string weeksim = (fs::path(VESK_BIN_DIR) / "weeksim").string();
  const std::string cmd = weeksim + " --weeks 30 --recruit 31 --supply " + (game.dir / "vesk.mdb").string() + " > " +
                          (game.dir / "weeksim.txt").string();
  if (const int rc = std::system(cmd.c_str()); rc != 0)
    Fail("weeksim", "exit " + std::to_string(rc) + ": " +
                        plat::ReadWholeFile(game.dir / "weeksim.txt").value_or("").substr(0, 2000));
  main = Start();
  Save(*main, "main-03-after-30-weeks");
  Close(main);
  plat::SetProgramFolder({});
  rt::SetClock(nullptr);
}
