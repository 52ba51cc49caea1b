/** @file army.cpp The army scenario: an army formed on the main window with the mouse (討伐, a class, two slots, the soldiers' slider, a nest, はい), with the lists, a nest's and an item's tooltip, and the departure checked in the database. */
#include <filesystem>
#include <memory>
#include <string>

#include "Driver.h"
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"

namespace fs = std::filesystem;
using uidriver::Fail;
using uidriver::Query;
using uidriver::Save;

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) plat::DoEvents();
}

void MoveTo(frmMain2& w, const plat::Control& c, int x, int y) {
  const plat::Point o = c.OriginInWindow();
  plat::input::MouseMove(w, o.x + x, o.y + y);
  Pump();
}

void ClickOn(frmMain2& w, const plat::Control& c, int x, int y) {
  MoveTo(w, c, x, y);
  const plat::Point o = c.OriginInWindow();
  plat::input::ClickAt(w, o.x + x, o.y + y);
  Pump();
}

// The middle of a grid's record row (record 1 is the row under the titles).
void ClickRecord(frmMain2& w, const ctrGraphicalGrid& g, int record) { ClickOn(w, g, 40, record * 20 + 10); }

// The slot word of a GVUnit row (rows 2 to 7 under the 20-pixel status line).
void ClickSlot(frmMain2& w, int row) { ClickOn(w, w.GVUnit, 50, 20 + (row - 2) * 18 + 9); }

}  // namespace

UIDRIVER_SCENARIO(army) {
  rt::VirtualClock clock;
  rt::SetClock(&clock);
  const fs::path folder = uidriver::GameFolder();
  {
    clsDB db;
    if (!CreateDB::DBConnect(db) || !db.Excute("UPDATE nest SET Open=True WHERE Name IN ('ゴブリンの巣','湿った洞窟')"))
      Fail("nests", db.GetErrMSG());
  }

  auto main = uidriver::LoadMainWindow();
  frmMain2& w = *main;
  // The main window is in front: its 50 ms timer makes the controls active.
  clock.Advance(100);
  Pump();

  uidriver::MenuWord(w, "討伐");
  Pump();
  if (w.mCommand != "討伐" || !w.GGSub2.Visible() || !w.GGSub1.Visible() || !w.PSMain.Visible())
    Fail("討伐", "the formation's lists are not shown (command '" + w.mCommand + "')");
  if (w.GGSub2.RowCount() != 3 || w.PSMain.Max() != 20)
    Fail("討伐", "nests " + std::to_string(w.GGSub2.RowCount() - 1) + ", soldiers " + std::to_string(w.PSMain.Max()));

  // Resting on the cave shows its two monsters.
  MoveTo(w, w.GGSub2, 40, 2 * 20 + 10);
  if (!w.GLToolTip.Visible()) Fail("nest tooltip", "not shown");
  Save(w, "army-01-nests-tooltip");

  // The sabers, then the weapon slot's list, hovered, and its first item chosen.
  ClickRecord(w, w.GGSub1, 1);
  if (!w.GVUnit.Visible() || w.GVUnit.HeaderText(1, 1) != "セイバー(0/0/0/20/15)")
    Fail("class", "status '" + w.GVUnit.HeaderText(1, 1) + "'");
  ClickSlot(w, 2);
  if (!w.GGMain.Visible()) Fail("weapon slot", "no list of swords");
  MoveTo(w, w.GGMain, 40, 20 + 10);
  if (!w.GLToolTip.Visible()) Fail("item tooltip", "not shown");
  Save(w, "army-02-swords-tooltip");
  ClickRecord(w, w.GGMain, 1);
  ClickSlot(w, 4);
  ClickRecord(w, w.GGMain, 1);
  if (w.GVUnit.HeaderText(2, 2) != "木刀" || w.GVUnit.HeaderText(4, 2) != "布の服")
    Fail("equipment", w.GVUnit.HeaderText(2, 2) + "/" + w.GVUnit.HeaderText(4, 2));

  // Every soldier: the knob dragged step by step to the track's end (past it the knob stays).
  const plat::Point knob = w.PSMain.Knob().OriginInWindow();
  const int end = w.PSMain.OriginInWindow().x + w.PSMain.Width();
  int x = knob.x + 5;
  plat::input::MouseMove(w, x, knob.y + 10);
  plat::input::MouseDown(w, x, knob.y + 10);
  Pump();
  while (w.PSMain.Value() < w.PSMain.Max() && x < end) {
    x += 4;
    plat::input::MouseMove(w, x, knob.y + 10);
    Pump();
  }
  plat::input::MouseUp(w, x, knob.y + 10);
  Pump();
  if (w.PSMain.Value() != 20) Fail("soldiers", "slider at " + std::to_string(w.PSMain.Value()) + " active " + std::to_string(w.PSMain.Active()) + " enable " + std::to_string(w.PSMain.Enable()) + " x " + std::to_string(x) + " knob " + std::to_string(knob.x) + "," + std::to_string(knob.y) + " end " + std::to_string(end));
  MoveTo(w, w.Disp, 100, 580);  // off the lists: no tooltip
  Save(w, "army-03-formed");

  // The goblins' nest; once the question is up, the player's hand moves to はい and clicks.
  const plat::Point nest = w.GGSub2.OriginInWindow();
  plat::Timer hand;
  hand.Tick = [&] {
    if (!w.GLMSG[1].Visible()) return;
    hand.SetEnabled(false);
    Save(w, "army-04-question");
    const plat::Point yes = w.GLMSG[1].OriginInWindow();
    plat::input::MouseMove(w, yes.x + w.GLMSG[1].Width() / 2, yes.y + w.GLMSG[1].Height() / 2);
    plat::input::ClickAt(w, yes.x + w.GLMSG[1].Width() / 2, yes.y + w.GLMSG[1].Height() / 2);
  };
  hand.SetInterval(100);
  hand.SetEnabled(true);
  plat::input::MouseMove(w, nest.x + 40, nest.y + 30);
  plat::input::ClickAt(w, nest.x + 40, nest.y + 30);
  Pump();
  if (w.GVUnit.Visible() || w.GGSub2.Visible()) Fail("departure", "the formation is still open");
  const std::string row = Query("SELECT RootName||'/'||Class||'/'||Number||'/'||Arms||'/'||Protector FROM unit");
  if (row != "ゴブリンの巣/セイバー/20/木刀/布の服") Fail("departure", "unit row '" + row + "'");
  const std::string stock = Query("SELECT GROUP_CONCAT(Storage) FROM itemdata WHERE Name IN ('木刀','布の服')");
  if (stock != "10,10") Fail("departure", "stock " + stock);
  if (!gBattle->UnitGet("国王軍1")) Fail("departure", "the battle engine has no army");
  Save(w, "army-05-departed");

  plat::input::CloseRequest(w);
  Pump();
  if (!w.Closed()) Fail("close", "the main window refused to close");
  main.reset();
  const auto ini = plat::ReadWholeFile(folder / "vesk.ini").value_or("");
  if (ini.find("UnitItem=セイバー:武器:木刀/セイバー:防具:布の服") == std::string::npos)
    Fail("close", "the equipment set was not kept in vesk.ini");
  plat::SetProgramFolder({});
  rt::SetClock(nullptr);
}
