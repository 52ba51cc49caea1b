/** @file goods.cpp The goods scenario: buying, selling, supplying food, research, publishing and a trade contract through the main window with the mouse, the saved game checked after each. */
#include <string>

#include "Driver.h"
#include "app/Program.h"
#include "app/basQz.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "sim/SimDb.h"

using uidriver::ClickOn;
using uidriver::Fail;
using uidriver::HoverOn;
using uidriver::Query;
using uidriver::Save;

namespace {

rt::VirtualClock gClock;
std::string gStep;  ///< what the scenario is doing, for the failure text

void Expect(bool ok, const std::string& what) {
  if (!ok) Fail(gStep, what);
}

// Lets the window's timers run (the 50 ms one makes the controls react to the mouse).
void Pump(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) {
    gClock.Advance(60);
    plat::DoEvents();
  }
}

void ExpectValue(const std::string& sql, const std::string& want) { uidriver::ExpectQuery(gStep, sql, want); }

int32_t Number(const std::string& sql) { return sim::TextL(Query(sql)); }

// No message box may wait during this scenario: every step is one the game accepts.
class NoMessages {
 public:
  explicit NoMessages(frmMain2& w) : w_(w) {
    timer_.SetInterval(20);
    timer_.Tick = [this] {
      if (w_.modalWaits > 0 && w_.picMSG.IsShown()) Fail(gStep, "a message: " + w_.lblMSG[0].Caption());
    };
    timer_.SetEnabled(true);
  }

 private:
  frmMain2& w_;
  plat::Timer timer_;
};

// A menu word: its main item hovered, the word clicked in the panel that opens.
void Menu(frmMain2& w, const std::string& word) {
  gStep = "menu " + word;
  uidriver::MenuWord(w, word);
  Pump();
  Expect(w.mCommand == word, "the command is \"" + w.mCommand + "\"");
}

// The record of a list whose field reads value: scrolled into sight and clicked.
void Row(frmMain2& w, ctrGraphicalGrid& g, int field, const std::string& value) {
  gStep = "row " + value;
  Expect(g.IsShown(), "the list is not on screen");
  const uidriver::At at = uidriver::OntoRecord(g, field, value);
  plat::input::ClickAt(w, at.x, at.y);
  Pump();
  Expect(g.SelectRowData(static_cast<int16_t>(field)) == value, "the click chose another row");
}

// A cell of a view clicked.
void Cell(frmMain2& w, ctrGraphicalView& v, int16_t row, int16_t col) {
  gStep = "cell " + std::to_string(row) + "," + std::to_string(col);
  const uidriver::At at = uidriver::OntoCell(v, row, col);
  plat::input::ClickAt(w, at.x, at.y);
  Pump();
}

void Click(const plat::Control& c) {
  HoverOn(c);
  ClickOn(c);
  Pump();
}

// The slider's knob dragged, then stepped by clicks on it to exactly v.
void Slide(frmMain2& w, int32_t v) {
  gStep = "slider " + std::to_string(v);
  uidriver::DragSlider(w.PSMain, v);
  Pump();
}

// The new game this scenario plays: a finished pier, the first neighbour known, meat in the
// warehouse and timber not yet public.
void NewGame() {
  gStep = "new game";
  clsDB db;
  Expect(CreateDB::DBConnect(db), "cannot open the game");
  for (const char* sql : {"INSERT INTO construction VALUES(8,'木製の桟橋','中央市街','',0,1,0,'')",
                          "UPDATE country SET Acquaintance=True WHERE Nation='カルセーダス王国'",
                          "UPDATE itemdata SET Storage=40 WHERE Name='羊肉'",
                          "UPDATE itemdata SET Open='非公開' WHERE Name='木材'"})
    Expect(db.Excute(sql), std::string(sql) + ": " + db.GetErrMSG());
}

}  // namespace

UIDRIVER_SCENARIO(goods) {
  uidriver::GameFolder();
  rt::SetClock(&gClock);
  NewGame();
  frmMain2& w = uidriver::StartFromTitle("開始");
  Pump();
  NoMessages watch(w);

  // 購入: cloth, the amount dragged; paid at once.
  Menu(w, "購入");
  Save(w, "goods-01-buy");
  Row(w, w.GGMain, 0, "布");
  Slide(w, 10);
  Expect(w.GLExcute.Text() == "金額:200", "the price reads " + w.GLExcute.Text());
  Save(w, "goods-02-buy-amount");
  Click(w.GLExcute);
  ExpectValue("SELECT Storage FROM itemdata WHERE Name='布'", "30");
  ExpectValue("SELECT [Money]||'/'||TurnBuy FROM home", "300/1");
  Expect(w.GLTurnEnd.IsShown(), "the panel did not close");

  // 売却: wooden swords.
  Menu(w, "売却");
  Save(w, "goods-03-sell");
  Row(w, w.GGMain, 0, "木刀");
  Slide(w, 5);
  Click(w.GLExcute);
  ExpectValue("SELECT Storage FROM itemdata WHERE Name='木刀'", "25");
  ExpectValue("SELECT [Money]||'/'||TurnSell FROM home", "375/1");

  // 供給: all the mutton into the meat store ("最大").
  Menu(w, "供給");
  Save(w, "goods-04-supply");
  Row(w, w.GGMain, 0, "羊肉");
  Click(w.GLSubMenu3);
  Expect(w.PSMain.Value() == 40, "最大 set " + std::to_string(w.PSMain.Value()));
  Click(w.GLExcute);
  ExpectValue("SELECT Storage FROM itemdata WHERE Name='羊肉'", "0");
  ExpectValue("SELECT Meat FROM home", "6040");

  // 研究 and 公開 act on the chosen row.
  Menu(w, "研究");
  Save(w, "goods-05-research");
  Row(w, w.GGMain, 0, "羊毛");
  ExpectValue("SELECT Itemresearch FROM home", "羊毛");
  Expect(w.GLItemResearch.MainText() == "研究:羊毛(2)", "the label reads " + w.GLItemResearch.MainText());
  Menu(w, "公開");
  Save(w, "goods-06-publish");
  Row(w, w.GGMain, 0, "木材");
  ExpectValue("SELECT Open FROM itemdata WHERE Name='木材'", "公開");
  Menu(w, "倉庫");
  Save(w, "goods-07-warehouse");

  // 開始: cloth for timber, the difference paid in money, three deliveries.
  Menu(w, "開始");
  Save(w, "goods-08-nations");
  Row(w, w.GGSub1, 0, "カルセーダス王国");
  Expect(w.GVTrade.IsShown(), "no trade view");
  Cell(w, w.GVTrade, 2, 1);
  Save(w, "goods-09-exports");
  Row(w, w.GGMain, 0, "布");
  Click(w.GLSubMenu3);
  Click(w.GLSubMenu);
  Cell(w, w.GVTrade, 2, 5);
  Row(w, w.GGMain, 0, "木材");
  Slide(w, 20);
  Click(w.GLSubMenu);
  Cell(w, w.GVTrade, 5, 5);
  Expect(w.PSMain.Value() == 180, "the money suggested is " + std::to_string(w.PSMain.Value()));
  Click(w.GLSubMenu);
  Click(w.GLSubMenu2);
  Click(w.GLSubMenu2);
  Expect(w.GVTrade.HeaderText(5, 4) == "300" && w.GVTrade.HeaderText(5, 8) == "300",
         "the totals read " + w.GVTrade.HeaderText(5, 4) + " and " + w.GVTrade.HeaderText(5, 8));
  Save(w, "goods-10-trade");
  Click(w.GLExcute);
  gStep = "contract";
  ExpectValue("SELECT Nation||'/'||Count||'/'||StartWeek FROM trade", "カルセーダス王国/3/1");
  ExpectValue("SELECT GROUP_CONCAT(Type||','||Item||','||Amount,'/') FROM tradedata",
              "輸出,布,30/輸入,木材,20/輸入,お金,180");

  // 中止 lists the contract; the right button closes the panel without stopping it.
  Menu(w, "中止");
  Row(w, w.GGSub1, 0, "カルセーダス王国");
  Save(w, "goods-11-running");
  plat::input::ClickAt(w, 790, 380, plat::kRightButton);
  Pump();
  Expect(w.GLTurnEnd.IsShown() && Number("SELECT COUNT(*) FROM tradedata") == 3, "the contract did not stay");

  gStep = "close";
  plat::input::CloseRequest(w);
  plat::DoEvents();
  Expect(w.Closed() && gEnding, "the main window did not close");
  EndGame();
  rt::SetClock(nullptr);
}
