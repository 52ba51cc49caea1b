/** @file battle.cpp The battle scenario: one seeded battle drawn with the game's pictures, start, attacks and result. */
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "Driver.h"
#include "army/clsBattle.h"
#include "controls/ctrGraphicalLabel.h"
#include "controls/ctrGraphicalLabelEX.h"
#include "controls/ctrGraphicalLabelLite.h"
#include "mainscreen/BattleScreen.h"
#include "platform/EventLoop.h"
#include "platform/Text.h"
#include "platform/Window.h"
#include "runtime/Clock.h"

using uidriver::Fail;
using uidriver::Picture;
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
  plat::Window main("vesk 戦闘", 800, 600);
  main.Resize(800, 600);
  main.Image().Fill(plat::kBlack);

  plat::Surface ws(800, 600), tmp(800, 600), battleTmp;
  plat::Surface unit = Picture("unit.bmp"), effect = Picture("battleeffect.bmp"), status = Picture("status.bmp");
  std::array<plat::Surface, 4> monsters;
  for (int i = 0; i < 4; ++i) monsters[i] = Picture("monster" + std::to_string(i + 1) + ".bmp");
  std::array<plat::Surface, 6> nests;
  for (int i = 0; i < 6; ++i) nests[i] = Picture("nest" + std::to_string(i + 1) + ".jpg");
  plat::Surface field = Picture("BattleField.jpg");

  plat::Control display(&main);
  display.SetBounds(0, 0, 800, 600);
  display.SetVisible(false);
  BattlePictures pics{&ws, &display, &tmp, &battleTmp, &unit, {}, &effect, &status, {}, &field};
  for (int i = 0; i < 4; ++i) pics.Monster[i] = &monsters[i];
  for (int i = 0; i < 6; ++i) pics.Nest[i] = &nests[i];

  // The battle's controls on the display, set up as the main window sets them: the message
  // label, the three command buttons, and the eight gauges (the army's at x 100 running from
  // the right, the monster's at x 500 from the left, the soldiers' of four segments).
  ctrGraphicalLabel message(&display);
  message.SetBounds(230, 200, 340, 50);
  message.SetMainTextAlign(2);
  message.SetMainTextColor(3);
  message.SetFontMainText(14);
  message.SetSeparator(100);  // one line of message across the whole label
  message.SetSeparatorLine(false);
  std::array<std::unique_ptr<ctrGraphicalLabelLite>, 3> buttons;
  for (int i = 0; i < 3; ++i) {
    buttons[i] = std::make_unique<ctrGraphicalLabelLite>(&display);
    buttons[i]->SetBounds(100, 150 + 40 * i, 100, 20);
  }
  std::array<std::unique_ptr<ctrGraphicalLabelEX>, 8> gauges;
  BattleControls controls{&message, {buttons[0].get(), buttons[1].get(), buttons[2].get()}, {}};
  for (int i = 0; i < 8; ++i) {
    auto& g = gauges[i] = std::make_unique<ctrGraphicalLabelEX>(&display);
    g->SetBounds(i % 2 ? 500 : 100, 50 + 25 * (i / 2), 200, 16);
    g->SetImageNum(i / 2 == 2 ? 4 : 1);
    g->SetHorizon(i % 2 ? 2 : 1);
    g->SetFirstSemiTrans(5), g->SetSecondSemiTrans(108), g->SetThirdSemiTrans(146), g->SetFourthSemiTrans(2);
    g->SetFirstAP(30), g->SetSecondAP(15), g->SetThirdAP(25), g->SetFourthAP(30);
    controls.Gauges[i] = g.get();
  }
  gauges[7]->SetFirstValue(80);

  clsBattle battle;
  BattleScreen screen(battle, pics, controls);
  Pump pump;
  battle.Init(&screen, &pump);
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
  main.Show();
  battle.InitImage();

  int saved = 0, fireTurns = -1, advanceTurns = -1;
  battle.Sound = [&](int code) {
    if (code == 7 && fireTurns < 0) fireTurns = 0;
    if (code == 11 && advanceTurns < 0) advanceTurns = 0;
  };
  auto save = [&](const std::string& what) { Save(main, "battle-0" + std::to_string(++saved) + "-" + what); };
  bool started = false;
  pump.onTurn = [&] {
    if (!started && display.Visible() && battle.Party1()) {
      started = true;
      save("start");
      // The player chooses the herbs: the army's next turn uses them.
      plat::input::ClickAt(main, 150, 160);
      if (battle.PendingCommand() != "item1" || !buttons[0]->Selected()) Fail("item 1", "the click did not choose the herbs");
      // The parties stand on the field: the first figure of each covers part of its cell.
      for (plat::Point p : {plat::Point{160, 330}, plat::Point{600, 330}})
        if (Covered(display.Image(), ws, {p.x, p.y, p.x + 48, p.y + 64}) < 200)
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
  if (buttons[0]->Text() != "空" || buttons[0]->Enable()) Fail("item 1", "the herbs were not used");
  message.SetMainText(battle.Result() == BattleResult::Win ? "国王軍の勝利" : battle.Result() == BattleResult::Lose ? "国王軍の敗北" : "決着つかず");
  save("result");
  if (saved != 4) Fail("pictures", std::to_string(saved) + " pictures were saved, not 4");
  rt::SetClock(nullptr);
}
