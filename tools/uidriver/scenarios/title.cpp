/** @file title.cpp The title scenario: the real start-up on a copy of the game folder, the title's buttons, both settings dialogs, the end. */
#include <chrono>
#include <cstdio>
#include <string>

#include "Driver.h"
#include "app/Media.h"
#include "app/Program.h"
#include "app/basQz.h"
#include "app/frmSetting.h"
#include "app/frmTitle.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"

using uidriver::ClickOn;
using uidriver::Expect;
using uidriver::Fail;
using uidriver::HoverOn;
using uidriver::Save;

namespace {

// The game's money, read on a connection of our own (closed again at once).
std::string Money() {
  clsDB db;
  bool opened = false;
  auto conn = CreateDB::OpenDB(plat::ProgramFolder() / "vesk.mdb", CreateDB::kScrambledPassword, opened);
  if (!opened) Fail("money", "vesk.mdb does not open");
  db.DBSet(std::move(conn));
  if (!db.GetData("SELECT [Money] FROM home") || db.GetRowCount() != 1) Fail("money", db.GetErrMSG());
  return db.Data(0);
}

void SetMoney(int money) {
  clsDB db;
  bool opened = false;
  auto conn = CreateDB::OpenDB(plat::ProgramFolder() / "vesk.mdb", CreateDB::kScrambledPassword, opened);
  db.DBSet(std::move(conn));
  if (!db.Excute("UPDATE home SET [Money]=" + std::to_string(money))) Fail("money", db.GetErrMSG());
}

// The settings dialog has no main window behind it here: what it switches goes nowhere.
class NoMainWindow : public MediaHost {
 public:
  void SetEffect(std::string_view, bool) override {}
  void SetActive(std::string_view, bool) override {}
  bool MainWindowActive() override { return false; }
  void SetBattleOptions(const BattleOptions& o) override { battle = o; }
  BattleOptions battle;
};

void DragThumb(frmSetting& dlg, plat::HScrollBar& bar, int pixels) {
  const plat::Point o = bar.OriginInWindow();
  const int range = bar.Max() - bar.Min();
  const int x = o.x + bar.Height() + (bar.Width() - 3 * bar.Height()) * (bar.Value() - bar.Min()) / range +
                bar.Height() / 2;
  plat::input::MouseMove(dlg.Form(), x, o.y + bar.Height() / 2);
  plat::input::MouseDown(dlg.Form(), x, o.y + bar.Height() / 2);
  plat::input::MouseMove(dlg.Form(), x + pixels, o.y + bar.Height() / 2);
  plat::input::MouseUp(dlg.Form(), x + pixels, o.y + bar.Height() / 2);
  plat::DoEvents();
}

// Both variants of the settings dialog, each changed by hand and confirmed with OK.
void SettingDialogs() {
  NoMainWindow host;
  const bool path = gDX8;
  for (bool dx8 : {false, true}) {
    gDX8 = dx8;
    Media media(host);
    media.FillSEPath();
    if (dx8) media.InitDX8Sound();
    else media.OpenMIDI();
    const std::string step = dx8 ? "settings (DirectX 8)" : "settings (MCI)";
    {
      frmSetting dlg(media);
      dlg.Form().Show();
      plat::DoEvents();
      if (dx8) {
        DragThumb(dlg, dlg.hscrSEDX8, -60);  // quieter effects, heard at once
        ClickOn(dlg.cmdSEPlay);
        ClickOn(dlg.chkBGM);  // music off: its bar greys, its test button goes
        Expect(!dlg.cmdBGMPlay.Visible() && !dlg.hscrBGMDX8.Enabled(), step, "music switched off still shows its controls");
      } else {
        DragThumb(dlg, dlg.hsrSE, 150);
        ClickOn(*dlg.chcReport[5]);
        ClickOn(*dlg.optAnime[1]);
        DragThumb(dlg, dlg.hsrBattleSpeed, 90);
      }
      Save(dlg.Form(), dx8 ? "title-07-settings-dx8" : "title-06-settings-mci");
      ClickOn(*dlg.cmdExe[0]);
      Expect(dlg.Form().Closed(), step, "OK did not close the dialog");
    }
    if (dx8) {
      Expect(gIni->Data("OptionBGM") == "0" && gIni->Data("SEDX8") != "-10", step,
             "OK wrote OptionBGM=" + gIni->Data("OptionBGM") + " SEDX8=" + gIni->Data("SEDX8"));
      media.StopMusic();
      media.EndDX8Sound();
    } else {
      Expect(gIni->Data("Report5") == "0" && gIni->Data("BattleAnime") == "0" && gIni->Data("SE") != "5" &&
                 gIni->Data("BattleSpeed") != "5" && !host.battle.Anime,
             step, "OK wrote Report5=" + gIni->Data("Report5") + " BattleAnime=" + gIni->Data("BattleAnime") +
                       " SE=" + gIni->Data("SE") + " BattleSpeed=" + gIni->Data("BattleSpeed"));
      media.StopMusic();
    }
  }
  gDX8 = path;
}

}  // namespace

UIDRIVER_SCENARIO(title) {
  const std::filesystem::path folder = uidriver::GameFolder();
  rt::VirtualClock clock;
  rt::SetClock(&clock);
  SetMoney(4321);  // a game in progress, which the reset must undo

  // Start-up exactly as the program runs it, timed to the title on the screen.
  JoinGame();
  const auto started = std::chrono::steady_clock::now();
  if (Main() != StartResult::Started) Fail("start-up", "did not start");
  frmTitle* title = TitleScreenWindow();
  Expect(title && title->Form().IsShown(), "start-up", "no title screen");
  plat::DoEvents();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  std::printf("start-up to the title shown: %.1f ms\n", ms);
  Save(title->Form(), "title-01-start");

  HoverOn(title->GLLInit);
  Expect(title->HintText() == "データを初期化します", "hover", "hint reads \"" + title->HintText() + "\"");
  Save(title->Form(), "title-02-hover");
  uidriver::At away = uidriver::Centre(title->Disp);
  for (int step = 1; step <= 2; ++step) plat::input::MouseMove(title->Form(), away.x + 50 * step, away.y);
  plat::DoEvents();
  Expect(title->HintText().empty() && !title->GLLInit.MouseOver(), "leave", "the hint stays after leaving");

  uidriver::ExpectMessageBox("全てのデータが失われますが、いいですか？", "はい", "title-03-question");
  ClickOn(title->GLLInit);
  uidriver::CheckMessageBoxesShown("reset");
  Expect(Money() == "500" && title->HintText() == "DBの初期化完了", "reset",
         "money " + Money() + ", hint \"" + title->HintText() + "\"");
  Save(title->Form(), "title-04-reset");

  ClickOn(title->GLLCompact);
  Expect(title->HintText() == "DBの最適化完了" && !title->Busy() && title->GLLStart.Enable(), "compaction",
         "hint \"" + title->HintText() + "\"");
  Expect(Money() == "500", "compaction", "the game changed");
  Save(title->Form(), "title-05-compact");

  // Dragging the picture moves the window.
  const plat::Point before = title->Form().Position();
  plat::input::MouseMove(title->Form(), 300, 40);
  plat::input::MouseDown(title->Form(), 300, 40);
  // The hand moves on by 10, 5 each time; as the window follows, the pointer stays at the same
  // place of the picture, 10, 5 from where the drag began.
  plat::input::MouseMove(title->Form(), 300, 40);
  for (int step = 1; step <= 4; ++step) plat::input::MouseMove(title->Form(), 310, 45);
  plat::input::MouseUp(title->Form(), 310, 45);
  plat::DoEvents();
  const plat::Point after = title->Form().Position();
  Expect(after.x == before.x + 40 && after.y == before.y + 20, "drag",
         "window at " + std::to_string(after.x) + "," + std::to_string(after.y));

  SettingDialogs();

  ClickOn(title->GLLEnd);
  Expect(title->Form().Closed() && gEnding, "end", "the title did not end the program");
  const std::string ini = plat::ReadWholeFile(folder / "vesk.ini").value_or("");
  for (const std::string& line : std::initializer_list<std::string>{"Version=1.09.0037", "Report5=0", "BattleAnime=0", "OptionBGM=0",
                                 "TitleLeft=" + std::to_string(after.x * 15)})
    Expect(ini.find("\n" + line + "\n") != std::string::npos, "vesk.ini", "no " + line + " in\n" + ini);
  EndGame();
  rt::SetClock(nullptr);
}
