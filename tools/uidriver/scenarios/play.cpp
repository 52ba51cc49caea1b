/** @file play.cpp The play scenario: a whole game through its windows with the mouse alone, from the title's 開始 to its 終了. */
#include <cstdlib>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/Program.h"
#include "app/basQz.h"
#include "app/frmTitle.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/StdControls.h"
#include "runtime/Clock.h"
#include "sim/SimDb.h"

namespace fs = std::filesystem;
using uidriver::ClickOn;
using uidriver::Expect;
using uidriver::Fail;
using uidriver::Find;
using uidriver::Query;
using uidriver::QueueClick;
using uidriver::Save;

namespace {

/// The player's side of a game in the main window: the menu, the lists, the views, and the
/// answers to the game's own message box, which waits inside a click (a timer answers it).
class Player {
 public:
  explicit Player(frmMain2& w) : w_(w) {
    hand_.SetInterval(20);
    hand_.Tick = [this] { Look(); };
    hand_.SetEnabled(true);
  }

  /// The next message boxes of the game, in order: a part of the text, the button to press and
  /// (when not empty) the PNG to save. Reports of a week are answered 閉じる without expecting.
  void Expect(const std::string& text, const std::string& press, const std::string& png = "") {
    expected_.push_back({text, press, png});
  }
  void AllExpectedShown(const std::string& step) {
    if (!expected_.empty()) Fail(step, "message box not shown: " + expected_.front().text);
  }
  /// The settings dialog, once it shows: saved as `png`, then confirmed with OK.
  void ConfirmSettings(const std::string& png) { settingsPng_ = png; }
  /// The next report of a week is saved as `png`.
  void SaveReport(const std::string& png) { reportPng_ = png; }
  /// The first battle drawn is saved as `png`.
  void SaveBattle(const std::string& png) { battlePng_ = png; }
  const std::vector<std::string>& Reports() const { return reports_; }
  bool BattleSaved() const { return battlePng_.empty() && battleSeen_; }

  /// A menu word: its main item hovered, the word clicked in the panel that opens.
  void Menu(const std::string& word) {
    uidriver::MenuWord(w_, word);
    if (word != "戻る" && word != "設定")
      uidriver::Expect(w_.mCommand == word && w_.GLMenu.IsShown(), "menu " + word, "the command is \"" + w_.mCommand + "\"");
  }

  /// The record of a list whose field `field` reads `value`: scrolled into sight, then hovered
  /// (and clicked unless only `hover`).
  void Row(ctrGraphicalGrid& g, int field, const std::string& value, bool hover = false) {
    const uidriver::At at = uidriver::OntoRecord(g, field, value);
    if (!hover) plat::input::ClickAt(w_, at.x, at.y);
  }

  /// A click on a control's centre with a button.
  void Click(const plat::Control& c, int button = plat::kLeftButton) {
    const uidriver::At at = uidriver::Centre(c);
    plat::input::MouseMove(w_, at.x, at.y);
    plat::DoEvents();
    plat::input::ClickAt(w_, at.x, at.y, button);
  }

  /// A view's cell: the mouse onto it, then a click.
  void Cell(ctrGraphicalView& v, int16_t row, int16_t col, bool hover = false) {
    const uidriver::At at = uidriver::OntoCell(v, row, col);
    if (!hover) plat::input::ClickAt(w_, at.x, at.y);
  }

  /// The quantity slider dragged to `v`.
  void Slide(int32_t v) { uidriver::DragSlider(w_.PSMain, v); }

  /// The tooltip shows and holds `part`.
  void Tip(const std::string& part, const std::string& step) {
    uidriver::Expect(w_.GLToolTip.IsShown() && w_.GLToolTip.Text().find(part) != std::string::npos, step,
             "the tooltip " + std::string(w_.GLToolTip.IsShown() ? "reads: " + w_.GLToolTip.Text() : "is hidden"));
  }

  /// The mouse onto a bare part of the backdrop (tooltips go, views let go of their light).
  void Away(int button = 0) {
    plat::input::MouseMove(w_, 790, 380);
    plat::DoEvents();
    if (button) plat::input::ClickAt(w_, 790, 380, button);
  }

  /// 次の週へ, every report answered; the army's battles are drawn on the way.
  void NextWeek() {
    const int32_t turn = w_.mTurn;
    // The hand reaches the button well after the double-click time of its coming back.
    rt::Sleep(1000);
    ClickOn(w_.GLTurnEnd);
    uidriver::Expect(w_.mTurn == turn + 1, "week " + std::to_string(turn), "the week did not run");
    uidriver::Expect(w_.GLTurnEnd.IsShown() && !w_.picMSG.IsShown(), "week " + std::to_string(turn),
             "the screen did not come back after the week");
  }

 private:
  struct Box {
    std::string text, press, png;
  };

  // What the timer sees: a message box waiting, the settings dialog, a battle on the screen.
  void Look() {
    if (plat::Window* modal = plat::TopModalWindow(); modal && !settingsPng_.empty()) return Settings(*modal);
    if (!battlePng_.empty() && w_.BattleDisp.IsShown() && w_.cGL.IsShown()) {
      battleSeen_ = true;
      Save(w_, battlePng_);
      battlePng_.clear();
    }
    if (!w_.picMSG.IsShown() || w_.mMsgAnswer != 0) return;
    for (size_t i = 0; i < w_.GLMSG.size(); ++i)
      if (w_.GLMSG[i].IsShown()) return Answer();
  }

  void Answer() {
    const std::string text = w_.lblMSG[0].Caption() + (w_.lblMSG[1].IsShown() ? "\n" + w_.lblMSG[1].Caption() : "");
    Box box;
    if (!expected_.empty() && text.find(expected_.front().text) != std::string::npos) {
      box = expected_.front();
      expected_.pop_front();
    } else if (w_.mWeekRunning && (text.find("続けますか") != std::string::npos ||
                                   text.find("軍を先に進めますか") != std::string::npos)) {
      box = {text, "はい", ""};  // the battle goes on
      reports_.push_back(text);
    } else if (w_.mWeekRunning && w_.GLMSG[0].IsShown()) {
      box = {text, "閉じる", reportPng_};  // a report of the week
      reportPng_.clear();
      reports_.push_back(text);
    } else {
      Fail("message box", "unexpected: " + text);
    }
    if (!box.png.empty()) Save(w_, box.png);
    for (auto& b : w_.GLMSG)
      if (b.IsShown() && b.Text() == box.press) return QueueClick(b);
    Fail("message box", "no button " + box.press + " under: " + text);
  }

  void Settings(plat::Window& dialog) {
    // The residents' report is switched off by hand, then the dialog confirmed.
    plat::Control* report = Find(dialog, [](plat::Control& c) {
      auto* b = dynamic_cast<plat::CheckBox*>(&c);
      return b && b->Caption() == "住民増減";
    });
    if (!report) Fail("settings", "no switch for the residents' report");
    QueueClick(*report);
    plat::DoEvents();
    Save(dialog, settingsPng_);
    settingsPng_.clear();
    plat::Control* ok = Find(dialog, [](plat::Control& c) {
      auto* b = dynamic_cast<plat::CommandButton*>(&c);
      return b && b->Caption() == "OK";
    });
    if (!ok) Fail("settings", "no OK button");
    QueueClick(*ok);
  }

  frmMain2& w_;
  plat::Timer hand_;
  std::deque<Box> expected_;
  std::vector<std::string> reports_;
  std::string settingsPng_, battlePng_, reportPng_;
  bool battleSeen_ = false;
};

// A number from the game's own connection (the save is held exclusively while it runs).
int32_t Number(const std::string& sql) {
  if (!gDB) Fail("database", "the game is not running");
  return sim::QueryNumber(*gDB, sql);
}

// Nothing went wrong with the database so far.
void NoDatabaseErrors(const std::string& step) {
  const auto log = plat::ReadWholeFile(plat::ProgramFolder() / "DBerr.log");
  Expect(!log || log->empty(), step, "DBerr.log: " + log.value_or("").substr(0, 500));
}

// A new game reaches the coast and its first neighbour only after months of exploring: this
// kingdom has them, with a wooden pier standing on the coast.
void Coast(const fs::path& folder) {
  clsDB db;
  bool opened = false;
  db.DBSet(CreateDB::OpenDB(folder / "vesk.mdb", CreateDB::kScrambledPassword, opened));
  Expect(opened, "coast", "the new game does not open");
  for (const char* sql : {"UPDATE area SET Open=True WHERE Name='ナハムルト海岸'",
                          "INSERT INTO construction VALUES(8,'木製の桟橋','ナハムルト海岸','',0,1,0,'')",
                          "UPDATE country SET Acquaintance=True WHERE Nation='カルセーダス王国'"})
    Expect(db.Excute(sql), "coast", std::string(sql) + ": " + db.GetErrMSG());
}

}  // namespace

UIDRIVER_SCENARIO(play) {
  const fs::path folder = uidriver::GameFolder();
  Coast(folder);
  rt::VirtualClock clock;
  rt::SetClock(&clock);

  // 01: the title's 開始: a new game.
  frmMain2& w = uidriver::StartFromTitle("開始");
  Player p(w);
  Expect(w.GVKingdom.HeaderText(1, 1) == "建国1年 第1週", "開始", "the kingdom reads " + w.GVKingdom.HeaderText(1, 1));
  Save(w, "play-01-new-game");

  // 02: 住民: the occupations; producers and soldiers recruit from now on.
  p.Menu("住民");
  Expect(w.mCommand == "住民" && w.GVProducer.IsShown(), "住民", "the occupations did not open");
  p.Cell(w.GVProducer, 4, 3);
  p.Cell(w.GVPeople, 6, 3);
  Expect(w.GVPeople.HeaderText(2, 3) == "募集中" && w.GVSoldier.HeaderText(4, 3) == "募集中", "住民",
         "the switches read " + w.GVPeople.HeaderText(2, 3) + " " + w.GVSoldier.HeaderText(4, 3));
  Save(w, "play-02-people");
  p.Menu("戻る");
  p.Away();

  // 探索: the plain is explored from now on (its tooltip tells what it is like).
  p.Menu("探索");
  p.Row(w.GGMain, 0, "リュシーレ平原", true);
  p.Tip("平原", "探索");
  p.Row(w.GGMain, 0, "リュシーレ平原");
  Expect(Query("SELECT Arearesearch FROM home") == "リュシーレ平原" && w.GLAreaResearch.MainText().find("リュシーレ平原") != std::string::npos,
         "探索", "the plain is not being explored");
  p.Menu("戻る");

  // 03: 建設: a small field in the plain. The lists' tooltips say what the area holds and how
  // many weeks the field takes.
  p.Menu("建設");
  p.Row(w.GGMain, 0, "リュシーレ平原", true);
  p.Tip("", "建設: the area");
  p.Row(w.GGMain, 0, "リュシーレ平原");
  p.Row(w.GGSub1, 0, "小さな畑", true);
  p.Tip("完成まで約", "建設: the field");
  Save(w, "play-03-build");
  p.Expect("小さな畑を建設していいですか", "はい");
  p.Row(w.GGSub1, 0, "小さな畑");
  p.AllExpectedShown("建設");
  const int32_t field = Number("SELECT MAX(ID) FROM construction WHERE Name='小さな畑'");
  Expect(Number("SELECT Construction FROM home") == field && Number("SELECT [Money] FROM home") < 500, "建設",
         "no construction under way, or nothing paid");
  Expect(w.GLConstruct.MainText() == "建設:小さな畑(リュシーレ平原)", "建設", w.GLConstruct.MainText());
  p.Away(plat::kRightButton);  // the right button on the backdrop closes the panel
  Expect(w.GLTurnEnd.IsShown() && !w.GGMain.IsShown(), "建設", "the right click left the panel open");

  // 04: weeks until the field stands, their reports answered.
  p.SaveReport("play-04-report");
  for (int week = 0; Number("SELECT Work FROM construction WHERE ID=" + std::to_string(field)) > 0; ++week) {
    Expect(week < 8, "weeks", "the field is not built after eight weeks");
    p.NextWeek();
  }
  Expect(!p.Reports().empty(), "weeks", "no week reported anything");
  NoDatabaseErrors("weeks");

  // 05: 配分: ten producers move from the old field to the new one, which grows wheat.
  const int32_t old = Number("SELECT NofProduction FROM construction WHERE ID=3");
  p.Menu("配分");
  p.Row(w.GGMain, 0, "リュシーレ平原");
  p.Row(w.GGSub1, 5, "3");
  p.Slide(old - 10);
  p.Click(w.GLExcute);
  Expect(Number("SELECT NofProduction FROM construction WHERE ID=3") == old - 10, "配分", "the old field kept its staff");
  p.Menu("配分");
  p.Row(w.GGMain, 0, "リュシーレ平原");
  p.Row(w.GGSub1, 5, std::to_string(field));
  p.Slide(10);
  p.Row(w.GGSub2, 0, "貧しい麦");
  Expect(w.GLClear.Text() == "貧しい麦", "配分", "the product button reads " + w.GLClear.Text());
  p.Click(w.GLExcute);
  Expect(Number("SELECT NofProduction FROM construction WHERE ID=" + std::to_string(field) +
                " AND Product='貧しい麦'") == 10,
         "配分", "the new field is not staffed with wheat");
  p.Menu("配分");
  p.Row(w.GGMain, 0, "リュシーレ平原");
  p.Row(w.GGSub1, 5, std::to_string(field), true);
  p.Tip("生産", "配分: the field");
  Save(w, "play-05-staff");
  p.Menu("戻る");
  NoDatabaseErrors("配分");

  // 06: 購入: ten pieces of cloth, the amount dragged on the slider; paid at once.
  const int32_t cloth = Number("SELECT Storage FROM itemdata WHERE Name='布'");
  int32_t money = Number("SELECT [Money] FROM home");
  p.Menu("購入");
  p.Row(w.GGMain, 0, "布", true);
  p.Tip("", "購入: cloth");
  p.Row(w.GGMain, 0, "布");
  p.Slide(10);
  Expect(w.GLExcute.Text().rfind("金額:", 0) == 0, "購入", "the execute button reads " + w.GLExcute.Text());
  Save(w, "play-06-buy");
  p.Click(w.GLExcute);
  Expect(Number("SELECT Storage FROM itemdata WHERE Name='布'") == cloth + 10 && Number("SELECT [Money] FROM home") < money,
         "購入", "no cloth bought");

  // 売却: five wooden swords.
  money = Number("SELECT [Money] FROM home");
  p.Menu("売却");
  p.Row(w.GGMain, 0, "木刀");
  p.Slide(5);
  p.Click(w.GLExcute);
  Expect(Number("SELECT Storage FROM itemdata WHERE Name='木刀'") == 25 && Number("SELECT [Money] FROM home") > money,
         "売却", "no swords sold");

  // 供給: the wheat the old field has brought in, all of it (最大), into the grain store.
  const int32_t wheat = Number("SELECT Storage FROM itemdata WHERE Name='小麦'"),
                grain = Number("SELECT Grain FROM home");
  Expect(wheat > 0, "供給", "no wheat was harvested");
  p.Menu("供給");
  p.Row(w.GGMain, 0, "小麦");
  p.Click(w.GLSubMenu3);
  Expect(w.PSMain.Value() == wheat, "最大", "the slider stands at " + std::to_string(w.PSMain.Value()));
  p.Click(w.GLExcute);
  Expect(Number("SELECT Storage FROM itemdata WHERE Name='小麦'") == 0 && Number("SELECT Grain FROM home") > grain,
         "供給", "the wheat did not reach the grain store");

  // 研究: wool is researched from now on.
  p.Menu("研究");
  p.Row(w.GGMain, 0, "羊毛", true);
  p.Tip("", "研究: wool");
  p.Row(w.GGMain, 0, "羊毛");
  Expect(Query("SELECT Itemresearch FROM home") == "羊毛", "研究", "wool is not being researched");
  NoDatabaseErrors("goods");

  // 07: 開始: cloth for timber with the neighbour, the difference paid in money, three deliveries.
  p.Menu("開始");
  p.Row(w.GGSub1, 0, "カルセーダス王国", true);
  p.Tip("友好度：", "開始: the nation");
  p.Row(w.GGSub1, 0, "カルセーダス王国");
  Expect(w.GVTrade.IsShown(), "開始", "no trade view");
  p.Cell(w.GVTrade, 2, 1);  // an export line
  p.Row(w.GGMain, 0, "布", true);
  p.Tip("倉庫に", "開始: cloth");
  p.Row(w.GGMain, 0, "布");
  p.Click(w.GLSubMenu3);
  p.Click(w.GLSubMenu);
  p.Cell(w.GVTrade, 2, 5);  // an import line
  p.Row(w.GGMain, 0, "木材");
  p.Slide(20);
  p.Click(w.GLSubMenu);
  p.Cell(w.GVTrade, 5, 5);  // money makes up the difference
  p.Click(w.GLSubMenu);
  p.Click(w.GLSubMenu2);
  p.Click(w.GLSubMenu2);
  Expect(w.GLSubMenu2.Text() == "交易回数:3", "開始", "the count reads " + w.GLSubMenu2.Text());
  Save(w, "play-07-trade");
  p.Click(w.GLExcute);
  Expect(Query("SELECT Nation||'/'||Count FROM trade") == "カルセーダス王国/3" &&
             Number("SELECT COUNT(*) FROM tradedata WHERE Nation='カルセーダス王国'") == 3,
         "開始", "no contract: " + Query("SELECT Nation||'/'||Count FROM trade"));
  // 中止 shows the contract's goods; the right button closes the panel and the contract stays.
  p.Menu("中止");
  p.Row(w.GGSub1, 0, "カルセーダス王国");
  p.Row(w.GGMain, 1, "布", true);
  p.Tip("倉庫に", "中止: cloth");
  p.Away(plat::kRightButton);
  Expect(w.GLTurnEnd.IsShown() && Number("SELECT COUNT(*) FROM trade") == 1, "中止", "the contract did not stay");
  NoDatabaseErrors("trade");

  // 08: 討伐: the goblins' nest the exploration found; sabers with the strongest stocked
  // equipment (最強装備), every soldier in the barracks.
  Expect(Number("SELECT COUNT(*) FROM nest WHERE Name='ゴブリンの巣' AND Open=True") == 1, "討伐",
         "the exploration has not found the goblins' nest");
  const int32_t soldiers = Number("SELECT SUM(NofProduction) FROM construction,construct WHERE "
                                  "construction.Name=construct.Name AND construct.Occupation='Soldier'");
  p.Menu("討伐");
  p.Row(w.GGSub2, 0, "ゴブリンの巣", true);
  p.Tip("ゴブリン(", "討伐: the nest");
  p.Row(w.GGSub1, 0, "セイバー");
  Expect(w.GVUnit.IsShown(), "討伐", "no unit view");
  p.Click(w.GLSubMenu2);  // 最強装備
  Expect(!w.GVUnit.HeaderText(2, 2).empty() && !w.GVUnit.HeaderText(4, 2).empty(), "最強装備",
         "no weapon or armour: " + w.GVUnit.HeaderText(2, 2) + "/" + w.GVUnit.HeaderText(4, 2));
  p.Slide(soldiers);
  p.Away();
  Save(w, "play-08-army");
  p.Expect("ゴブリンの巣へ向けて進軍します", "はい");
  p.Row(w.GGSub2, 0, "ゴブリンの巣");
  p.AllExpectedShown("討伐");
  Expect(Query("SELECT RootName||'/'||Class||'/'||Number FROM unit") == "ゴブリンの巣/セイバー/" + std::to_string(soldiers),
         "討伐", "the army did not leave: " + Query("SELECT RootName||'/'||Class||'/'||Number FROM unit"));
  NoDatabaseErrors("討伐");

  // 09: weeks until the army has fought and come home; the battle is drawn on the screen.
  p.SaveBattle("play-09-battle");
  p.SaveReport("");
  for (int week = 0; Number("SELECT COUNT(*) FROM unit") > 0; ++week) {
    Expect(week < 6, "conquest", "the army is still out after six weeks");
    p.NextWeek();
  }
  Expect(p.BattleSaved(), "conquest", "no battle was drawn");
  bool treasure = false;
  for (const std::string& r : p.Reports()) treasure = treasure || r.find("ゴブリンの巣から錆びた短剣を") == 0;
  Expect(treasure && Number("SELECT Times FROM nest WHERE Name='ゴブリンの巣'") == 1, "conquest",
         "the army did not bring the nest's treasure home");
  NoDatabaseErrors("conquest");
  Save(w, "play-10-home");

  // 11: 設定: the settings dialog, one report switched off by hand, confirmed.
  p.ConfirmSettings("play-11-settings");
  const std::string command = w.mCommand;
  p.Menu("設定");
  Expect(w.mCommand == command && w.GLTurnEnd.IsShown(), "設定", "the screen did not come back from the settings");
  int reportsOff = 0;
  for (int i = 0; i < 18; ++i) reportsOff += gIni->Data("Report" + std::to_string(i)) == "0";
  Expect(reportsOff == 1, "設定", std::to_string(reportsOff) + " reports are switched off, not the one clicked");

  // 12: the window closed (the game saved), the program started again, and ended from the title.
  plat::input::CloseRequest(w);
  plat::DoEvents();
  Expect(w.Closed() && gEnding, "close", "the main window did not close");
  EndGame();
  {
    clsDB db;
    bool opened = false;
    db.DBSet(CreateDB::OpenDB(folder / "vesk.mdb", CreateDB::kScrambledPassword, opened));
    Expect(opened && sim::QueryNumber(db, "SELECT Recruitment FROM home") == 17, "saved",
           "the recruitment saved is " + std::to_string(sim::QueryNumber(db, "SELECT Recruitment FROM home")));
  }
  JoinGame();
  if (Main() != StartResult::Started) Fail("title", "did not start again");
  frmTitle* title = TitleScreenWindow();
  plat::DoEvents();
  Save(title->Form(), "play-12-title");
  ClickOn(title->GLLEnd);
  Expect(title->Form().Closed() && gEnding, "終了", "the title did not end the program");
  EndGame();
  rt::SetClock(nullptr);
}
