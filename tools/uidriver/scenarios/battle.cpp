/** @file battle.cpp The battle scenario: one seeded battle drawn on the main window with the game's pictures, start, attacks and result. */
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"

using uidriver::Fail;
using uidriver::Save;

namespace {

/// How many pixels of `r` differ from the bare field.
int Covered(const plat::Surface& shown, const plat::Surface& field, const plat::Rect& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += shown.GetPixel(x, y) != field.GetPixel(x, y);
  return n;
}

/// The battle's waits: the window's loop runs, and a chosen turn saves a picture.
struct Pump : BattleEventPump {
  std::function<void()> onTurn;
  void DoEvents() override {
    plat::DoEvents();
    if (onTurn) onTurn();
  }
};

}  // namespace

UIDRIVER_SCENARIO(battle) {
  rt::VirtualClock clock;
  rt::SetClock(&clock);
  uidriver::GameFolder();
  auto main = uidriver::LoadMainWindow();
  frmMain2& w = *main;
  clsBattle& battle = *gBattle;

  // The engine keeps drawing on the main window; only its waits pass through the script.
  Pump pump;
  BattleDisplay* display = battle.Display();
  if (!display) Fail("load", "the main window did not take the battle's display");
  battle.Init(display, &pump);
  battle.Effect(true);
  battle.BattleSpeed(0.5f);

  // An army of 301 swordsmen against a fire-breathing lizard that poisons.
  auto army = std::make_shared<clsUnitver2>();
  army->SetUnit("1", "国王軍", "セイバー", 301, 60);
  army->SetArms("鉄の剣", 12, 3);
  army->SetProtector("革鎧", 8, 4);
  army->SetItem1("薬草", 1, "体力:30");
  auto lizard = std::make_shared<clsUnitver2>();
  lizard->SetMonster("7", "火蜥蜴", "両棲", "ランサー", 14, 10, 13, "属性:炎:毒:60", "耐性:炎", 200, 50, 2, 2, 3);
  battle.UnitAdd(army, "国王軍1");
  battle.UnitAdd(lizard, "火蜥蜴7");

  // What the conquest does before a battle: the field (and with it the controls' backgrounds), the cleared display.
  battle.SetBattleField("平原");
  battle.InitImage();

  int saved = 0, fireTurns = -1, advanceTurns = -1;
  battle.Sound = [&](int code) {
    w.PlaySound(code);
    if (code == 7 && fireTurns < 0) fireTurns = 0;
    if (code == 11 && advanceTurns < 0) advanceTurns = 0;
  };
  auto save = [&](const std::string& what) { Save(w, "battle-0" + std::to_string(++saved) + "-" + what); };
  bool started = false;
  pump.onTurn = [&] {
    if (!started && w.BattleDisp.IsShown() && battle.Party1()) {
      started = true;
      save("start");
      // The player chooses the herbs: the army's next turn uses them.
      uidriver::ClickOn(w.GLItem1);
      if (battle.PendingCommand() != "item1" || !w.GLItem1.Selected()) Fail("item 1", "the click did not choose the herbs");
      // The parties stand on the field: the first figure of each covers part of its cell.
      for (plat::Point p : {plat::Point{160, 330}, plat::Point{600, 330}})
        if (Covered(w.BattleDisp.Image(), w.BattleWS, {p.x, p.y, p.x + 48, p.y + 64}) < 200)
          Fail("start", "no figure stands at " + std::to_string(p.x) + ", " + std::to_string(p.y));
    }
    // The army's advance half way: its footsteps start at step 3, and each step is 9 turns (the
    // status panel's, then eight in the 75 ms wait), so turn 73 shows step 11 of 22. Then the
    // fire's fourth frame.
    if (advanceTurns >= 0 && ++advanceTurns == 8 * 9 + 1) save("advance");
    if (fireTurns >= 0 && ++fireTurns == 3 * 20 + 1) save("fire");
  };
  std::string note;
  battle.Notification = [&](const std::string& s) { note = s; };
  if (!battle.StartBattle("国王軍1", "火蜥蜴7")) Fail("start", "the battle did not start");
  if (note != "BattleEND") Fail("end", "no end of battle was reported");
  if (fireTurns < 0 || advanceTurns < 0) Fail("attacks", "no advance or no fire was animated");
  if (w.GLItem1.Text() != "空" || w.GLItem1.Enable()) Fail("item 1", "the herbs were not used");
  w.cGL.SetMainText(battle.Result() == BattleResult::Win ? "国王軍の勝利" : battle.Result() == BattleResult::Lose ? "国王軍の敗北" : "決着つかず");
  save("result");

  // A goblin band that loses its last soldier: while the message that says so is on screen the
  // panel already shows the goblins' 0 beside 兵士数.
  auto goblins = std::make_shared<clsUnitver2>();
  goblins->SetMonster("8", "ゴブリン", "獣人", "セイバー", 4, 3, 12, "", "", 3, 1, 1, 1, 1);
  battle.UnitAdd(goblins, "ゴブリン8");
  battle.SetBattleField("平原");
  battle.InitImage();
  std::vector<BattleBlit> drawn;
  w.Battle()->Trace = &drawn;
  bool lastSoldierSeen = false;
  pump.onTurn = [&] {
    if (lastSoldierSeen || !battle.Fighting() || w.cGL.MainText() != "ゴブリンの兵士が0人になった") return;
    lastSoldierSeen = true;
    std::string shown;
    for (const BattleBlit& b : drawn)
      if (b.kind == BattleBlit::Text && b.x == 450 && b.y == 100) shown = b.text;
    if (shown != "0") Fail("last soldier", "the panel shows " + shown + " goblins");
    save("last-soldier");
  };
  if (!battle.StartBattle("国王軍1", "ゴブリン8")) Fail("goblins", "the battle did not start");
  if (!lastSoldierSeen) Fail("goblins", "the goblins did not lose their last soldier");
  w.Battle()->Trace = nullptr;
  save("goblins-beaten");
  if (saved != 6) Fail("pictures", std::to_string(saved) + " pictures were saved, not 6");

  // Back to the kingdom: the battle picture goes, the window closes as the player closes it.
  battle.Init(display, nullptr);
  battle.Sound = nullptr;
  battle.Notification = nullptr;
  w.HideBattleDisp();
  plat::DoEvents();
  plat::input::CloseRequest(w);
  plat::DoEvents();
  if (!w.Closed()) Fail("close", "the main window refused to close");
  main.reset();
  plat::SetProgramFolder({});
  rt::SetClock(nullptr);
}
