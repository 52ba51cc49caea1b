/** @file land.cpp The land scenario: a new game's land commands through the main window with the mouse: the upgrade, demolition, building and staffing panels, a field built and staffed, and its harvest. */
#include <cstdlib>
#include <deque>
#include <functional>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/GameDbBuilder.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "sim/SimDb.h"

namespace fs = std::filesystem;
using uidriver::Fail;
using uidriver::Save;

namespace {

rt::VirtualClock gClock;
std::string gStep;  ///< what the scenario is doing, for the failure text

struct GameCopy {
  GameCopy() {
    std::string pattern = (fs::temp_directory_path() / "vesk-land-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Fail("copy", "no temporary folder");
    dir = pattern;
    std::error_code ec;
    fs::copy(VESK_GAME_DIR, dir, fs::copy_options::recursive, ec);
    if (ec) Fail("copy", ec.message());
    fs::remove(dir / "vesk.ini", ec);
    fs::remove(dir / "vesk.mdb", ec);
    try {
      BuildGameDatabase(fs::path(VESK_SOURCE_DIR) / "data", dir / "vesk.mdb");
    } catch (const std::exception& e) {
      Fail("new game", e.what());
    }
  }
  ~GameCopy() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  fs::path dir;
};

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

std::string Value(frmMain2& main, const std::string& sql) {
  clsDB& db = main.Context().db;
  return sim::QueryRow(db, sql) ? db.Data(0) : std::string();
}

void Expect(frmMain2& main, const std::string& sql, const std::string& want) {
  const std::string got = Value(main, sql);
  if (got != want) Fail(gStep, sql + " gave \"" + got + "\", not \"" + want + "\"");
}

// A menu word: rest on its main item, then click the word in the panel that opens.
void Menu(frmMain2& main, int16_t item, int16_t word, const std::string& expected) {
  gStep = "menu " + expected;
  plat::input::MouseMove(main, main.Disp.OriginInWindow().x + 400, 300);  // off the menu first
  Pump();
  const plat::Control& it = main.GMenu.MenuItem(item);
  const plat::Point o = it.OriginInWindow();
  plat::input::MouseMove(main, o.x + it.Width() / 2, o.y + it.Height() / 2);
  Pump();
  ClickCentre(main, main.GMenu.SubMenuItem(word));
  Pump();
  if (main.mCommand != expected) Fail(gStep, "the command is \"" + main.mCommand + "\"");
}

// The row of a grid whose field col reads value, clicked.
void Row(frmMain2& main, ctrGraphicalGrid& grid, int col, const std::string& value) {
  gStep = "row " + value;
  if (!grid.Visible()) Fail(gStep, "the list is not on screen");
  for (int k = 0; k + 1 < grid.RowCount(); ++k) {
    if (grid.RecordValue(k, col) != value) continue;
    const int screenRow = k - grid.TopRow() + 2;  // screen row 0 is the header; TopRow counts from 1
    if (screenRow < 1 || screenRow >= grid.VisibleRows()) Fail(gStep, "the row is scrolled away");
    ClickOn(main, grid, 40, screenRow * ctrGraphicalGrid::kRowHeight + ctrGraphicalGrid::kRowHeight / 2);
    Pump();
    if (grid.SelectRowData(static_cast<int16_t>(col)) != value) Fail(gStep, "the click chose another row");
    return;
  }
  Fail(gStep, "not listed");
}

// The staff slider dragged to v, then stepped by single clicks on the knob to exactly v.
void Slide(frmMain2& main, int32_t v) {
  gStep = "slider " + std::to_string(v);
  ctrPicSliderBar& s = main.PSMain;
  const double scale = static_cast<double>(s.Width() - s.SliderImage().Width()) / (s.Max() - s.Min());
  const plat::Point knob = s.Knob().OriginInWindow();
  const plat::Point track = s.OriginInWindow();
  plat::input::MouseMove(main, knob.x + 8, knob.y + 10);
  plat::input::MouseDown(main, knob.x + 8, knob.y + 10);
  plat::DoEvents();
  const int toX = track.x + static_cast<int>(v * scale) + 8;
  for (int x = knob.x + 8; x != toX; x += (toX > x ? 1 : -1)) {
    plat::input::MouseMove(main, x, knob.y + 10);
    plat::DoEvents();
  }
  plat::input::MouseUp(main, toX, knob.y + 10);
  Pump();
  for (int guard = 0; s.Value() != v && guard < 10; ++guard)
    ClickOn(main, s.Knob(), 8, 10, s.Value() > v ? plat::kLeftButton : plat::kRightButton);
  Pump();
  if (s.Value() != v) Fail(gStep, "the slider stands at " + std::to_string(s.Value()));
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
  const std::string turn = Value(main, "SELECT Turn FROM home");
  gStep = "week " + turn;
  if (!main.GLTurnEnd.Visible()) Fail(gStep, "the next-week button is hidden");
  ClickCentre(main, main.GLTurnEnd);
  Pump();
  if (Value(main, "SELECT Turn FROM home") != std::to_string(std::stoi(turn) + 1)) Fail(gStep, "no week ran");
}

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
  Pump();
  return main;
}

}  // namespace

UIDRIVER_SCENARIO(land) {
  rt::SetClock(&gClock);
  GameCopy game;
  plat::SetProgramFolder(game.dir);
  auto owner = Start();
  frmMain2& main = *owner;
  Hand hand(main);

  // 改修: the starting barracks once its way up is open (the unlock ladder opens it at 100 soldiers).
  main.Context().db.Excute("UPDATE construct SET Open=True WHERE Name='建て直した兵舎'");
  Menu(main, 3, 2, "改修");
  Row(main, main.GGMain, 4, "6");
  if (main.GGSub1.RecordValue(0, 0) != "建て直した兵舎") Fail(gStep, "no successor listed");
  Save(main, "land-01-upgrade");
  ClosePanel(main);

  // 解体: what stands in the plain; a "no" leaves it standing.
  Menu(main, 3, 4, "解体");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  hand.No();
  Row(main, main.GGSub1, 0, "小さな牧場");
  Expect(main, "SELECT COUNT(*) FROM construction WHERE ID=7", "1");
  Save(main, "land-02-demolish");
  ClosePanel(main);

  // 建設: a small field in the plain.
  Menu(main, 3, 1, "建設");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  Save(main, "land-03-build");
  hand.Yes();
  Row(main, main.GGSub1, 0, "小さな畑");
  Expect(main, "SELECT Name||'/'||Area||'/'||Work FROM construction WHERE ID=8", "小さな畑/リュシーレ平原/40");
  Expect(main, "SELECT Construction||'/'||[Money] FROM home", "8/350");
  Expect(main, "SELECT Development FROM area WHERE Name='リュシーレ平原'", "2");
  if (main.GLConstruct.MainText() != "建設:小さな畑(リュシーレ平原)") Fail(gStep, main.GLConstruct.MainText());

  for (int week = 0; Value(main, "SELECT Work FROM construction WHERE ID=8") != "0"; ++week) {
    if (week == 6) Fail(gStep, "the field is not built after six weeks");
    NextWeek(main);
  }

  // 配分: the old field gives up 20 producers, the new one takes them with a crop.
  Menu(main, 3, 3, "配分");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  Row(main, main.GGSub1, 5, "3");
  Slide(main, 30);
  gStep = "commit the old field";
  ClickCentre(main, main.GLExcute);
  Pump();
  Expect(main, "SELECT NofProduction||'/'||Product FROM construction WHERE ID=3", "30/貧しい麦");

  Menu(main, 3, 3, "配分");
  Row(main, main.GGMain, 0, "リュシーレ平原");
  Row(main, main.GGSub1, 5, "8");
  Slide(main, 20);
  Row(main, main.GGSub2, 0, "貧しい麦");
  if (main.GLClear.Text() != "貧しい麦" || main.GLRestruct.SubText() != "0") Fail(gStep, "product or surplus");
  Save(main, "land-04-allocate");
  gStep = "commit the new field";
  ClickCentre(main, main.GLExcute);
  Pump();
  const std::string turn = Value(main, "SELECT Turn FROM home");
  Expect(main, "SELECT NofProduction||'/'||Product||'/'||StartWeek FROM construction WHERE ID=8", "20/貧しい麦/" + turn);

  // Four weeks on the crop is harvested: 20 of 100 workers on a crop of 1200.
  bool harvested = false;
  hand.onBox = [&](const std::string& text) {
    if (harvested || text.find("小麦を240個") == std::string::npos) return;
    harvested = true;
    Save(main, "land-05-harvest");
  };
  const std::string stock = Value(main, "SELECT Storage FROM itemdata WHERE Name='小麦'");
  for (int week = 0; week < 4 && !harvested; ++week) NextWeek(main);
  if (!harvested) Fail("harvest", "no report of 240 wheat from the new field");
  hand.onBox = nullptr;
  // The old field's harvest may fall in the same week.
  const int32_t gained = rt::CLng(Value(main, "SELECT Storage FROM itemdata WHERE Name='小麦'")) - rt::CLng(stock);
  if (gained != 240 && gained != 240 + 360) Fail("harvest", "the warehouse gained " + std::to_string(gained) + " wheat");

  plat::input::CloseRequest(main);
  plat::DoEvents();
  owner.reset();
  plat::SetProgramFolder({});
  rt::SetClock(nullptr);
}
