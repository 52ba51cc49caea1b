/** @file DialogTest.cpp The standard message box (real window and test stand-in) and the dialog controls. */
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "UiFixture.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"
#include "platform/StdControls.h"
#include "platform/Window.h"

using namespace plat;

namespace {

// The command button of an open dialog with this caption.
CommandButton* FindButton(Window& w, const std::string& caption) {
  for (Control* c : w.Children())
    if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Caption() == caption) return b;
  return nullptr;
}

void ClickCentre(Control& c) {
  Point o = c.OriginInWindow();
  input::ClickAt(*c.GetWindow(), o.x + c.Width() / 2, o.y + c.Height() / 2);
}

// Runs `act` once on the first timer tick, inside whatever modal loop is running then.
struct OnceInside {
  explicit OnceInside(std::function<void()> act) {
    timer.SetInterval(10);
    timer.Tick = [this, act] {
      timer.SetEnabled(false);
      act();
    };
    timer.SetEnabled(true);
  }
  Timer timer;
};

using MessageBoxTest = UiTest;
using DialogControls = UiTest;

}  // namespace

TEST_F(MessageBoxTest, TestsAnswerThroughTheInterface) {
  SetApplicationTitle("Tessaroon");
  ScriptedMessageBox box({vbNo});
  EXPECT_EQ(MsgBox("全てのデータが失われますが、いいですか？", vbYesNo, "データの初期化"), vbNo);
  EXPECT_EQ(MsgBox("お宝取得エラー:TurnEnd_Conquest", vbOKOnly | vbCritical), vbOK);
  EXPECT_EQ(MsgBox("続けますか", vbYesNo), vbYes);  // queue empty: the default answer
  ASSERT_EQ(box.shown.size(), 3u);
  EXPECT_EQ(box.shown[0].title + "/" + box.shown[1].title, "データの初期化/Tessaroon");  // no title: the program's
  EXPECT_EQ(std::pair(box.shown[0].style, box.shown[1].style), (std::pair<int, int>(vbYesNo, vbCritical)));
}

TEST_F(MessageBoxTest, RealWindowIsModalAndAnsweredByItsButtons) {
  int answer = 0;
  {
    OnceInside act([] {
      Window* box = TopModalWindow();
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->Caption(), "データの初期化");
      ClickCentre(*FindButton(*box, "いいえ"));
    });
    answer = MsgBox("全てのデータが失われますが、いいですか？", vbYesNo, "データの初期化");
  }
  EXPECT_EQ(answer, vbNo);
  EXPECT_EQ(TopModalWindow(), nullptr);
  {
    // The window's close command answers OK for an OK box, no for a yes/no box.
    OnceInside act([] { TopModalWindow()->RequestClose(); });
    EXPECT_EQ(MsgBox("DBを開けません", vbOKOnly | vbCritical, "Error"), vbOK);
  }
  {
    // SIGTERM while a box is open: the box answers no, then the main window gets its request.
    Window main("vesk", 200, 100);
    main.Show();
    int asked = 0;
    main.QueryUnload = [&](bool&) { ++asked; };
    OnceInside act([] { input::Terminate(); });
    EXPECT_EQ(MsgBox("終了しますか", vbYesNo), vbNo);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(main.Closed());
  }
}

TEST_F(DialogControls, CheckBoxAndOptionButtonsRaiseClickOnChange) {
  Window dlg("設定", 300, 200, WindowStyle::Dialog);
  dlg.Show();
  CheckBox chk(&dlg, "BGM(MIDI)");
  chk.SetBounds(10, 10, 90, 16);
  int clicks = 0;
  chk.Click = [&] { ++clicks; };
  chk.SetValue(1);
  chk.SetValue(1);  // no change, no event
  EXPECT_EQ(clicks, 1);
  ClickCentre(chk);
  EXPECT_EQ(std::pair(chk.Value(), clicks), std::pair(0, 2));
  chk.SetEnabled(false);
  ClickCentre(chk);
  EXPECT_EQ(std::pair(chk.Value(), clicks), std::pair(0, 2));

  Frame frame(&dlg, "戦闘関係");
  frame.SetBounds(10, 40, 200, 60);
  OptionButton on(&frame, "ON"), off(&frame, "OFF"), elsewhere(&dlg, "別");
  on.SetBounds(10, 20, 60, 18);
  off.SetBounds(90, 20, 60, 18);
  elsewhere.SetBounds(10, 150, 60, 18);
  int onClicks = 0;
  on.Click = [&] { ++onClicks; };
  elsewhere.SetValue(true);
  on.SetValue(true);
  EXPECT_TRUE(on.Value() && elsewhere.Value());  // another container: a group of its own
  ClickCentre(off);
  EXPECT_EQ(std::tuple(on.Value(), off.Value(), onClicks), std::tuple(false, true, 1));
  ClickCentre(on);
  EXPECT_EQ(std::tuple(on.Value(), off.Value(), onClicks), std::tuple(true, false, 2));
}

TEST_F(DialogControls, ScrollBarKeepsItsRangeAndReportsChanges) {
  Window dlg("設定", 400, 100, WindowStyle::Dialog);
  dlg.Show();
  HScrollBar bar(&dlg);
  bar.SetBounds(20, 20, 258, 14);
  bar.SetRange(1, 10);
  int changes = 0, scrolls = 0;
  bar.Change = [&] { ++changes; };
  bar.Scroll = [&] { ++scrolls; };
  std::vector<int> seen;
  for (int v : {20, -3}) bar.SetValue(v), seen.push_back(bar.Value());
  EXPECT_EQ(changes, 2);
  // right arrow: one step; left arrow; the track right of the thumb: a large step
  for (int x : {20 + 258 - 5, 20 + 5, 20 + 200}) input::ClickAt(dlg, x, 25), seen.push_back(bar.Value());
  EXPECT_EQ(seen, (std::vector<int>{10, 1, 2, 1, 2}));
  EXPECT_EQ(changes, 5);

  // Dragging the thumb to the far right scrolls, then reports one change at the release.
  bar.SetValue(1);
  changes = 0;
  input::MouseMove(dlg, 20 + 14 + 3, 25);
  input::MouseDown(dlg, 20 + 14 + 3, 25);
  input::MouseMove(dlg, 20 + 150, 25);
  input::MouseMove(dlg, 390, 25);  // past the bar: still captured
  DoEvents();
  EXPECT_EQ(std::pair(bar.Value(), changes), std::pair(10, 0));
  EXPECT_GE(scrolls, 1);
  input::MouseUp(dlg, 390, 25);
  DoEvents();
  EXPECT_EQ(changes, 1);

  HScrollBar dx8(&dlg);
  dx8.SetBounds(20, 50, 258, 14);
  dx8.SetRange(-30, 0);
  input::ClickAt(dlg, 20 + 5, 55);
  EXPECT_EQ(dx8.Value(), -1);
}

TEST_F(DialogControls, CommandButtonClicksOnlyWhenReleasedOverIt) {
  Window dlg("設定", 300, 100, WindowStyle::Dialog);
  dlg.Show();
  CommandButton ok(&dlg, "OK");
  ok.SetBounds(10, 10, 89, 21);
  PictureButton play(&dlg);
  play.SetBounds(120, 10, 19, 18);
  Surface note(8, 8);
  note.Fill(kBlack);
  play.SetPicture(note);
  int okClicks = 0, playClicks = 0;
  ok.Click = [&] { ++okClicks; };
  play.Click = [&] { ++playClicks; };
  ClickCentre(ok);
  ClickCentre(play);
  EXPECT_EQ(std::pair(okClicks, playClicks), std::pair(1, 1));
  input::MouseDown(dlg, 20, 20);  // released elsewhere: no click
  input::MouseMove(dlg, 200, 80);
  input::MouseUp(dlg, 200, 80);
  DoEvents();
  play.SetEnabled(false);
  ClickCentre(play);
  EXPECT_EQ(std::pair(okClicks, playClicks), std::pair(1, 1));
}
