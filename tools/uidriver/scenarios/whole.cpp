/** @file whole.cpp The whole scenario: what the player must see whole and reach with the mouse: the longest question, a wrapped tooltip's line starts, the quantity slider's track, a fast drag to its end, standing orders beside an empty buy list, the longest construction job, the allocation dragged past its free workers, the menu after the settings. */
#include <deque>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/basQz.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/StdControls.h"
#include "platform/Text.h"
#include "runtime/Clock.h"
#include "runtime/Strings.h"
#include "sim/SimDb.h"

using uidriver::Fail;
using uidriver::Save;

namespace {

rt::VirtualClock gClock;
std::string gStep;  ///< what the scenario is doing, for the failure text

void Check(bool ok, const std::string& what) { uidriver::Expect(ok, gStep, what); }

// Lets the window's timers run (the 50 ms one makes the controls react to the mouse).
void Pump(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) {
    gClock.Advance(60);
    plat::DoEvents();
  }
}

void Exec(frmMain2& w, const std::string& sql) {
  Check(w.Context().db.Excute(sql), sql + ": " + w.Context().db.GetErrMSG());
}

/// The player's other hand on the game's message box: each box expected in order by a part of
/// its text, saved when it has a PNG name, answered with the button of that caption.
class Hand {
 public:
  explicit Hand(frmMain2& w) : w_(w) {
    timer_.SetInterval(20);
    timer_.Tick = [this] { Look(); };
    timer_.SetEnabled(true);
  }
  void Expect(const std::string& text, const std::string& press, const std::string& png = "") {
    boxes_.push_back({text, press, png});
  }
  void AllShown() {
    if (!boxes_.empty()) Fail(gStep, "message box not shown: " + boxes_.front().text);
  }

 private:
  struct Box {
    std::string text, press, png;
  };
  void Look() {
    if (w_.modalWaits == 0 || w_.mMsgAnswer != 0 || !w_.picMSG.Visible()) return;
    std::string text = w_.lblMSG[0].Caption();
    if (w_.lblMSG[1].Visible()) text += "\r\n" + w_.lblMSG[1].Caption();
    if (boxes_.empty()) Fail(gStep, "unexpected message: " + text);
    const Box box = boxes_.front();
    boxes_.pop_front();
    if (text.find(box.text) == std::string::npos) Fail(gStep, "expected \"" + box.text + "\", shown: " + text);
    if (!box.png.empty()) Save(w_, box.png);
    for (const auto& b : w_.GLMSG)
      if (b.Visible() && b.Text() == box.press) return uidriver::ClickOn(b);
    Fail(gStep, "no button " + box.press);
  }
  frmMain2& w_;
  plat::Timer timer_;
  std::deque<Box> boxes_;
};

void Menu(frmMain2& w, const std::string& word) {
  gStep = "menu " + word;
  uidriver::MenuWord(w, word);
  Pump();
}

void Row(frmMain2& w, ctrGraphicalGrid& g, int field, const std::string& value) {
  gStep = "row " + value;
  Check(g.IsShown(), "the list is not on screen");
  const uidriver::At at = uidriver::OntoRecord(g, field, value);
  plat::input::ClickAt(w, at.x, at.y);
  Pump();
}

// Characters a wrapped line may not start with.
bool NoLineStart(const std::u32string& text, size_t i) {
  return std::u32string(U"、。・ー？！」）ぁぃぅぇぉっゃゅょァィゥェォッャュョ").find(text[i]) != std::u32string::npos;
}

/// Where a wrap by width alone, between any two characters, would start its second line.
size_t WidthOnlyBreak(const plat::Font& font, const std::u32string& text, int width) {
  size_t n = 1;
  while (n < text.size() && font.TextWidth(rt::FromU32(text.substr(0, n + 1))) <= width) ++n;
  return n;
}

}  // namespace

UIDRIVER_SCENARIO(whole) {
  uidriver::GameFolder();
  rt::SetClock(&gClock);
  auto owner = uidriver::LoadMainWindow();
  frmMain2& w = *owner;
  Pump();
  Hand hand(w);

  // 01: the longest question the game asks: the widest building name under way in the widest
  // area name, met when another building is to be built.
  gStep = "the job under way";
  Exec(w, "INSERT INTO construction VALUES(9,'みすぼらしい採取小屋','リュシーレ平原','',0,1,30,'')");
  Exec(w, "UPDATE home SET Construction=9");
  const std::string buildings = uidriver::Query("SELECT COUNT(*) FROM construction");
  Menu(w, "建設");
  Row(w, w.GGMain, 0, "リュシーレ平原");
  hand.Expect("小さな畑を建設していいですか?", "はい");
  hand.Expect("現在みすぼらしい採取小屋(リュシーレ平原)を建設中です。破棄してもいいですか", "いいえ",
              "whole-01-longest-question");
  Row(w, w.GGSub1, 0, "小さな畑");
  hand.AllShown();
  {
    const mainscreen::MessageLine& line = w.lblMSG[0];
    plat::Rect need{0, 0, line.Width() - 32, 0};
    const int height = plat::MeasureText(line.TextFont(), line.Caption(), need, plat::DT_WORDBREAK | plat::DT_CENTER);
    Check(height <= line.Height() && line.Top() + line.Height() <= w.GLMSG[1].Top(),
           "the question takes " + std::to_string(height) + " of " + std::to_string(line.Height()) + " pixels");
  }
  uidriver::ExpectQuery(gStep, "SELECT COUNT(*) FROM construction", buildings);  // the answer was no
  Menu(w, "戻る");

  // 02: a tooltip wrapped where a wrap by width alone would start a line with a stop, a comma
  // or a small kana: that character stays on the line before.
  gStep = "tooltip";
  Exec(w, "UPDATE area SET Open=True WHERE Type<>'市街'");
  Menu(w, "探索");
  const plat::Font tipFont(plat::PointsToCellHeight(w.GLToolTip.FontSize()), 400);
  const int tipWidth = w.GLToolTip.Width() - 2 * w.GLToolTip.FrameSize() - 2;
  std::string area, tip;
  for (int k = 0; k + 1 < w.GGMain.RowCount() && area.empty(); ++k) {
    const std::u32string text = rt::ToU32(w.GGMain.RecordValue(k, 6));
    const size_t at = WidthOnlyBreak(tipFont, text, tipWidth);
    if (at < text.size() && NoLineStart(text, at)) area = w.GGMain.RecordValue(k, 0), tip = rt::FromU32(text);
  }
  Check(!area.empty(), "no area's note would break before a stop, a comma or a small kana");
  uidriver::OntoRecord(w.GGMain, 0, area);
  Pump();
  Check(w.GLToolTip.IsShown() && w.GLToolTip.Text() == tip, "the tooltip reads " + w.GLToolTip.Text());
  Save(w, "whole-02-tooltip-line-start");
  Menu(w, "戻る");

  // 03: the quantity slider of a purchase: its track whole, from end to end.
  Menu(w, "購入");
  Row(w, w.GGMain, 0, "布");
  gStep = "the slider's track";
  const plat::Surface& track = w.PSMain.Track().Image();
  Check(track.Width() == 396, "the track is " + std::to_string(track.Width()) + " wide");
  for (int x : {0, 200, 300, 395}) Check(track.GetPixel(x, 2) != plat::kWhite, "white at " + std::to_string(x));
  Save(w, "whole-03-slider-track");

  // 04: a fast drag: one move inside the travel short of the end, the next far beyond it.
  gStep = "fast drag";
  {
    const plat::Point knob = w.PSMain.Knob().OriginInWindow(), bar = w.PSMain.OriginInWindow();
    const int y = knob.y + 10;
    plat::input::MouseMove(w, knob.x + 8, y);
    plat::input::MouseDown(w, knob.x + 8, y);
    plat::DoEvents();
    plat::input::MouseMove(w, bar.x + w.PSMain.Width() - 120, y);
    plat::DoEvents();
    Check(w.PSMain.Value() < w.PSMain.Max(), "the first move already reached the end");
    plat::input::MouseMove(w, 795, y);
    plat::input::MouseUp(w, 795, y);
    plat::DoEvents();
  }
  Check(w.PSMain.Value() == w.PSMain.Max(), "the slider reads " + std::to_string(w.PSMain.Value()) + " of " +
                                                 std::to_string(w.PSMain.Max()));
  Check(w.GLExcute.Text() == "金額:" + std::to_string(20 * w.PSMain.Max()), "the price reads " + w.GLExcute.Text());
  Pump();
  Save(w, "whole-04-fast-drag-to-max");
  Menu(w, "戻る");

  // 05: nothing left to buy, two standing orders running: after the notice the orders stay in
  // sight beside the empty list, and one is chosen.
  gStep = "standing orders";
  Exec(w, "UPDATE itemdata SET Open='非公開'");
  Exec(w, "INSERT INTO continueitem VALUES(1,'布','購入',5,3)");
  Exec(w, "INSERT INTO continueitem VALUES(2,'小麦','購入',20,8)");
  hand.Expect("購入できるアイテムがありません", "閉じる");
  Menu(w, "購入");
  hand.AllShown();
  Check(w.mCommand == "購入" && w.GGMain.IsShown() && w.GGMain.RowCount() == 1, "no empty list");
  Check(w.GGSub1.IsShown() && w.GGSub1.RowCount() == 3, "the orders are not in sight");
  Row(w, w.GGSub1, 0, "小麦");
  Check(w.GGSub1.SelectRowData(2) == "8", "the order could not be chosen");
  Save(w, "whole-05-empty-list-standing-orders");

  // 06: the construction panel with the widest building name in the widest area name of the
  // game's content, by pixel width at the panel's size: built by the player, shown whole.
  gStep = "construction panel";
  {
    const plat::Font font(plat::PointsToCellHeight(w.GLConstruct.FontMainText()), 400);
    std::string building, area, job;
    for (const auto& row : sim::QueryRows(w.Context().db, "SELECT construct.Name,area.Name FROM construct,area "
                                                          "WHERE construct.Area=area.Type AND area.Type<>'王宮' "
                                                          "ORDER BY area.Open DESC,construct.Price")) {
      const std::string text = "建設:" + row[0] + "(" + row[1] + ")";
      if (font.TextWidth(text) > font.TextWidth(job)) building = row[0], area = row[1], job = text;
    }
    Exec(w, "UPDATE construct SET Open=True WHERE Name='" + building + "'");
    Exec(w, "UPDATE area SET Open=True WHERE Name='" + area + "'");
    Menu(w, "建設");
    Row(w, w.GGMain, 0, area);
    hand.Expect(building + "を建設していいですか?", "はい");
    hand.Expect("それでも建設しますか", "はい");  // the hut finds nothing to gather here yet
    hand.Expect("破棄してもいいですか", "はい");  // the job of step 01 gives way
    Row(w, w.GGSub1, 0, building);
    hand.AllShown();
    Pump();
    const ctrGraphicalLabel& panel = w.GLConstruct;
    Check(panel.MainText() == job, "the panel reads " + panel.MainText() + ", not " + job);
    Check(panel.ShownMainFont().TextWidth(job) <= panel.MainRect().Width() - 4,
          job + " is cut at " + std::to_string(panel.ShownMainFont().CellHeight()) + " pixels");
    Save(w, "whole-06-construct-panel-longest");
  }

  // 07: the allocation's slider dragged fast far past the free workers: it stops at the most
  // the host accepts, the free workers, the surplus at 0.
  gStep = "allocation";
  Exec(w, "UPDATE construction SET NofProduction=0 WHERE Name='小さな畑'");
  Menu(w, "配分");
  Row(w, w.GGMain, 0, "リュシーレ平原");
  Row(w, w.GGSub1, 0, "小さな畑");
  {
    const int32_t free = std::stoi(w.GLRestruct.SubText());
    Check(w.PSMain.IsShown() && w.PSMain.Value() == 0 && free < w.PSMain.Max(), "no room to drag past the free workers");
    const plat::Point knob = w.PSMain.Knob().OriginInWindow();
    const int y = knob.y + 10;
    plat::input::MouseMove(w, knob.x + 8, y);
    plat::input::MouseDown(w, knob.x + 8, y);
    plat::DoEvents();
    plat::input::MouseMove(w, 795, y);
    plat::input::MouseUp(w, 795, y);
    plat::DoEvents();
    Check(w.PSMain.Value() == free && w.GLRestruct.SubText() == "0",
          "the slider reads " + std::to_string(w.PSMain.Value()) + " of " + std::to_string(free) + " free, the surplus " +
              w.GLRestruct.SubText());
  }
  Pump();
  Save(w, "whole-07-allot-fast-drag");
  Menu(w, "戻る");

  // 08: その他, 設定, OK; then the pointer rests on a menu word. Here the platform keeps the focus
  // itself, as an X server without a window manager does: the dialog takes it, and the main
  // window must have it back for its menu to open.
  gStep = "after settings";
  plat::SetActiveWindowSource(nullptr);
  {
    plat::Timer ok;
    ok.SetInterval(20);
    ok.Tick = [&ok] {
      plat::Window* dialog = plat::TopModalWindow();
      if (!dialog) return;
      ok.SetEnabled(false);
      plat::Control* button = uidriver::Find(*dialog, [](plat::Control& c) {
        auto* b = dynamic_cast<plat::CommandButton*>(&c);
        return b && b->Caption() == "OK";
      });
      if (!button) Fail(gStep, "no OK button");
      uidriver::QueueClick(*button);
    };
    ok.SetEnabled(true);
    Menu(w, "設定");
    gStep = "after settings";
    Check(!ok.Enabled(), "no settings dialog showed");
  }
  plat::input::MouseMove(w, 790, 380);
  Pump();
  uidriver::HoverOn(w.GMenu.MenuItem(3));
  Pump();
  Check(plat::IsActiveWindow(w) && w.GMenu.SubMenuPanel().IsShown(), "建物 opens no sub-menu after the settings");
  Save(w, "whole-08-after-settings-submenu");

  gStep = "close";
  plat::input::CloseRequest(w);
  plat::DoEvents();
  owner.reset();
  plat::SetProgramFolder({});
  rt::SetClock(nullptr);
}
