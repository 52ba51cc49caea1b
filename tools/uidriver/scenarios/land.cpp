/** @file land.cpp The land scenario: a new game's land commands through the main window with the mouse: the upgrade, demolition, building and staffing panels, a field built and staffed, and its harvest. */
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

using uidriver::Fail;
using uidriver::Query;
using uidriver::Save;

namespace {

rt::VirtualClock gClock;
std::string gStep;  ///< what the scenario is doing, for the failure text

// Lets the window's timers run (the 50 ms one makes the controls react to the mouse).
void Pump(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) {
    gClock.Advance(60);
    plat::DoEvents();
  }
}

void ClickOn(const plat::Window& w, const plat::Control& c, int x, int y, int button = plat::kLeftButton) {
  const plat::Point o = c.OriginInWindow();
  plat::input::MouseMove(w, o.x + x, o.y + y);
  plat::DoEvents();
  plat::input::ClickAt(w, o.x + x, o.y + y, button);
  plat::DoEvents();
}

void ClickCentre(const plat::Window& w, const plat::Control& c) { ClickOn(w, c, c.Width() / 2, c.Height() / 2); }

/// The player's other hand: answers the message boxes the moment they wait, by clicking their
/// buttons. Yes/no questions take the scripted answers in order; a question without one, or a
/// standard message box (a data error), ends the scenario.
class Hand {
 public:
  explicit Hand(frmMain2& main) : main_(main) {
    timer_.Tick = [this] { Look(); };
    timer_.SetInterval(20);
    timer_.SetEnabled(true);
  }
  void Yes() { answers_.push_back(1); }
  void No() { answers_.push_back(2); }
  /// The text of every box answered since the last call (lines joined by a line feed).
  std::vector<std::string> Seen() { return std::exchange(seen_, {}); }
  /// Called with each box's text just before it is answered (the box is on screen).
  std::function<void(const std::string&)> onBox;

 private:
  void Look() {
    if (plat::Window* modal = plat::TopModalWindow()) Fail(gStep, "a standard message box: " + modal->Caption());
    // One click per box: a box waits with no answer yet; a click already queued answers within
    // the box's next round, before the next tick.
    if (main_.modalWaits == 0 || main_.mMsgAnswer != 0 || !main_.picMSG.Visible()) return;
    int button = -1;
    if (main_.GLMSG[0].Visible()) button = 0;
    if (main_.GLMSG[1].Visible()) {
      if (answers_.empty()) Fail(gStep, "an unexpected question: " + main_.lblMSG[0].Caption());
      button = answers_.front();
      answers_.pop_front();
    }
    if (button < 0) return;
    std::string text = main_.lblMSG[0].Caption();
    if (main_.lblMSG[1].Visible()) text += "\n" + main_.lblMSG[1].Caption();
    seen_.push_back(text);
    if (onBox) onBox(text);
    const plat::Control& b = main_.GLMSG[static_cast<size_t>(button)];
    const plat::Point o = b.OriginInWindow();
    plat::input::ClickAt(main_, o.x + b.Width() / 2, o.y + b.Height() / 2);
  }

  frmMain2& main_;
  plat::Timer timer_;
  std::deque<int> answers_;
  std::vector<std::string> seen_;
};

void Expect(const std::string& sql, const std::string& want) { uidriver::ExpectQuery(gStep, sql, want); }

// A menu word: rest on its main item, then click the word in the panel that opens.
void Menu(frmMain2& main, const std::string& word) {
  gStep = "menu " + word;
  uidriver::MenuWord(main, word);
  Pump();
  if (main.mCommand != word) Fail(gStep, "the command is \"" + main.mCommand + "\"");
}

// The row of a grid whose field col reads value, clicked.
void Row(frmMain2& main, ctrGraphicalGrid& grid, int col, const std::string& value) {
  gStep = "row " + value;
  if (!grid.Visible()) Fail(gStep, "the list is not on screen");
  const uidriver::At at = uidriver::OntoRecord(grid, col, value);
  plat::input::ClickAt(main, at.x, at.y);
  Pump();
  if (grid.SelectRowData(static_cast<int16_t>(col)) != value) Fail(gStep, "the click chose another row");
}

// The staff slider dragged to v.
void Slide(frmMain2& main, int32_t v) {
  gStep = "slider " + std::to_string(v);
  uidriver::DragSlider(main.PSMain, v);
  Pump();
}

// The right button on the backdrop closes the panel.
void ClosePanel(frmMain2& main) {
  gStep = "close panel";
  ClickOn(main, main.Disp, 760, 300, plat::kRightButton);
  Pump();
  if (!main.GLTurnEnd.Visible()) Fail(gStep, "the next-week button is still hidden");
}

// 次の週へ runs the week; the hand closes its reports.
void NextWeek(frmMain2& main) {
  const std::string turn = Query("SELECT Turn FROM home");
  gStep = "week " + turn;
  if (!main.GLTurnEnd.Visible()) Fail(gStep, "the next-week button is hidden");
  gClock.Advance(1000);  // the hand reaches the button well after the double-click time of its coming back
  ClickCentre(main, main.GLTurnEnd);
  Pump();
  if (Query("SELECT Turn FROM home") != std::to_string(std::stoi(turn) + 1)) Fail(gStep, "no week ran");
}

}  // namespace

UIDRIVER_SCENARIO(land) {
  rt::SetClock(&gClock);
  uidriver::GameFolder();
  auto owner = uidriver::LoadMainWindow();
  frmMain2& main = *owner;
  Pump();
  Hand hand(main);

  // 改修: the starting barracks once its way up is open (the unlock ladder opens it at 100 soldiers).
  main.Context().db.Excute("UPDATE construct SET Open=True WHERE Name='建て直した兵舎'");
  Menu(main, "改修");
  Row(main, main.GGMain, 4, "6");
  if (main.GGSub1.RecordValue(0, 0) != "建て直した兵舎") Fail(gStep, "no successor listed");
  Save(main, "land-01-upgrade");
  ClosePanel(main);

  // 解体: what stands in the plain; a "no" leaves it standing.
  Menu(main, "解体");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  hand.No();
  Row(main, main.GGSub1, 0, "小さな牧場");
  Expect("SELECT COUNT(*) FROM construction WHERE ID=7", "1");
  Save(main, "land-02-demolish");
  ClosePanel(main);

  // 建設: a small field in the plain.
  Menu(main, "建設");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  Save(main, "land-03-build");
  hand.Yes();
  Row(main, main.GGSub1, 0, "小さな畑");
  Expect("SELECT Name||'/'||Area||'/'||Work FROM construction WHERE ID=8", "小さな畑/リュシーレ平原/40");
  Expect("SELECT Construction||'/'||[Money] FROM home", "8/350");
  Expect("SELECT Development FROM area WHERE Name='リュシーレ平原'", "2");
  if (main.GLConstruct.MainText() != "建設:小さな畑(リュシーレ平原)") Fail(gStep, main.GLConstruct.MainText());

  for (int week = 0; Query("SELECT Work FROM construction WHERE ID=8") != "0"; ++week) {
    if (week == 6) Fail(gStep, "the field is not built after six weeks");
    NextWeek(main);
  }

  // 配分: the old field gives up 20 producers, the new one takes them with a crop.
  Menu(main, "配分");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  Row(main, main.GGSub1, 5, "3");
  Slide(main, 30);
  gStep = "commit the old field";
  ClickCentre(main, main.GLExcute);
  Pump();
  Expect("SELECT NofProduction||'/'||Product FROM construction WHERE ID=3", "30/貧しい麦");

  Menu(main, "配分");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  Row(main, main.GGSub1, 5, "8");
  Slide(main, 20);
  Row(main, main.GGSub2, 0, "貧しい麦");
  if (main.GLClear.Text() != "貧しい麦" || main.GLRestruct.SubText() != "0") Fail(gStep, "product or surplus");
  Save(main, "land-04-allocate");
  gStep = "commit the new field";
  ClickCentre(main, main.GLExcute);
  Pump();
  const std::string turn = Query("SELECT Turn FROM home");
  Expect("SELECT NofProduction||'/'||Product||'/'||StartWeek FROM construction WHERE ID=8", "20/貧しい麦/" + turn);

  // Four weeks on the crop is harvested: 20 of 100 workers on a crop of 1200.
  bool harvested = false;
  hand.onBox = [&](const std::string& text) {
    if (harvested || text.find("小麦を240個") == std::string::npos) return;
    harvested = true;
    Save(main, "land-05-harvest");
  };
  const std::string stock = Query("SELECT Storage FROM itemdata WHERE Name='小麦'");
  for (int week = 0; week < 4 && !harvested; ++week) NextWeek(main);
  if (!harvested) Fail("harvest", "no report of 240 wheat from the new field");
  hand.onBox = nullptr;
  // The old field's harvest may fall in the same week.
  const int32_t gained = rt::CLng(Query("SELECT Storage FROM itemdata WHERE Name='小麦'")) - rt::CLng(stock);
  if (gained != 240 && gained != 240 + 360) Fail("harvest", "the warehouse gained " + std::to_string(gained) + " wheat");

  plat::input::CloseRequest(main);
  plat::DoEvents();
  owner.reset();
  plat::SetProgramFolder({});
  rt::SetClock(nullptr);
}
