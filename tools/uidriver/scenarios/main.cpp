/** @file main.cpp The main scenario: the real start (title, 開始, load) of a new game, a question over its screen, and the same screen after 30 weeks with recruitment. */
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Driver.h"
#include "app/Program.h"
#include "app/basQz.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"

namespace fs = std::filesystem;
using uidriver::Expect;
using uidriver::Fail;
using uidriver::Save;

namespace {

// The player closes the window: the game is saved and the program ends in order.
void EndGame(frmMain2& main, const std::string& step) {
  plat::input::CloseRequest(main);
  plat::DoEvents();
  Expect(main.Closed() && gEnding, step, "the main window did not close");
  ::EndGame();
}

}  // namespace

UIDRIVER_SCENARIO(main) {
  const fs::path folder = uidriver::GameFolder();
  rt::VirtualClock clock;
  rt::SetClock(&clock);

  frmMain2& main = uidriver::StartFromTitle("開始");
  Expect(main.GVKingdom.HeaderText(1, 1) == "建国1年 第1週" && main.GLTurnEnd.IsShown(), "new game",
         "the kingdom view reads " + main.GVKingdom.HeaderText(1, 1));
  // The player opens 領土 and chooses 住民: the five occupation views join the kingdom and people
  // views; then the pointer rests on アイテム, whose sub-panel opens.
  uidriver::MenuWord(main, "住民");
  Expect(main.mCommand == "住民" && main.GVProducer.IsShown() && main.GVSoldier.IsShown() && !main.GLTurnEnd.IsShown(),
         "住民", "the occupation views did not open");
  uidriver::HoverOn(main.GMenu.MenuItem(1));
  Expect(main.GMenu.SelectedItem() == 1, "menu", "the sub-panel of アイテム did not open");
  Save(main, "main-01-new-game");
  main.GMenu_Click("戻る");

  // A question over the screen, answered いいえ by a click (queued, so the box's first pump
  // shows it and the click answers it); the box stays in front until it is sent back.
  plat::input::MouseMove(main, 500, 460);
  plat::input::MouseDown(main, 500, 460);
  plat::input::MouseUp(main, 500, 460);
  const int32_t answer = main.ShowMSGBox("小さな畑を解体しますか？\r\n建物は戻りません", 6, false);
  Expect(answer == 4, "question", "answered " + std::to_string(answer) + ", not いいえ");
  Save(main, "main-02-question");
  main.SendMessagePanelBack();
  EndGame(main, "close");

  // The player sets an exploration and a research target; thirty weeks of the rules run with
  // every occupation recruiting; the game starts again.
  {
    clsDB db;
    Expect(CreateDB::DBConnect(db) && db.Excute("UPDATE home SET Arearesearch='リュシーレ平原',Itemresearch='小麦'"),
           "targets", db.GetErrMSG());
  }
  const std::string log = (folder / "weeksim.txt").string();
  const std::string cmd = std::string(VESK_BIN_DIR) + "/weeksim --weeks 30 --recruit 31 --supply " +
                          (folder / "vesk.mdb").string() + " > " + log;
  if (const int rc = std::system(cmd.c_str()); rc != 0)
    Fail("weeksim", "exit " + std::to_string(rc) + ": " + plat::ReadWholeFile(log).value_or("").substr(0, 2000));

  frmMain2& again = uidriver::StartFromTitle("開始 again");
  Expect(again.GVKingdom.HeaderText(1, 1) == "建国1年 第31週" && again.GVPeople.HeaderText(2, 3) == "募集中",
         "after 30 weeks", again.GVKingdom.HeaderText(1, 1) + " " + again.GVPeople.HeaderText(2, 3));
  Save(again, "main-03-after-30-weeks");
  EndGame(again, "close again");
  rt::SetClock(nullptr);
}
