/** @file WindowLoopTest.cpp Mouse routing, capture, re-entrant DoEvents, timers, close requests, composing. */
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/Control.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

using namespace plat;

namespace {

// A control that writes down every event it receives.
struct Probe : Control {
  explicit Probe(Control* parent, std::string name) : Control(parent), name(std::move(name)) {}
  void HandleMouseDown(const MouseEvent& e) override { Log("down", e); Control::HandleMouseDown(e); }
  void HandleMouseUp(const MouseEvent& e) override { Log("up", e); Control::HandleMouseUp(e); }
  void HandleMouseMove(const MouseEvent& e) override { Log("move", e); Control::HandleMouseMove(e); }
  void HandleClick() override { log.push_back(name + " click"); Control::HandleClick(); }
  void HandleWheel(int d) override { log.push_back(name + " wheel " + std::to_string(d)); }
  void Log(const char* what, const MouseEvent& e) {
    log.push_back(name + " " + what + " " + std::to_string(e.x) + "," + std::to_string(e.y));
  }
  std::string name;
  static std::vector<std::string> log;
};
std::vector<std::string> Probe::log;

class Routing : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Probe::log.clear();
    win = std::make_unique<Window>("テスト", 200, 200);
    a = std::make_unique<Probe>(win.get(), "A");
    a->SetBounds(10, 10, 100, 100);
    b = std::make_unique<Probe>(win.get(), "B");
    b->SetBounds(50, 50, 100, 100);
    win->Show();
  }
  void TearDown() override {
    b.reset();
    a.reset();
    win.reset();
    UiTest::TearDown();
  }
  std::vector<std::string> Take() {
    auto l = Probe::log;
    Probe::log.clear();
    return l;
  }
  void Move(int x, int y) { input::MouseMove(*win, x, y); DoEvents(); }
  std::vector<std::string> Moved(int x, int y) { Move(x, y); return Take(); }
  void Down(int x, int y, int button = kLeftButton) { input::MouseDown(*win, x, y, button); DoEvents(); }
  void Up(int x, int y, int button = kLeftButton) { input::MouseUp(*win, x, y, button); DoEvents(); }
  using Log = std::vector<std::string>;
  std::unique_ptr<Window> win;
  std::unique_ptr<Probe> a, b;
};

}  // namespace

TEST_F(Routing, TopmostVisibleControlGetsLocalCoordinates) {
  EXPECT_EQ(Moved(60, 60), (Log{"B move 10,10"}));
  EXPECT_EQ(std::pair(b->CursorPos(), a->CursorPos()),
            std::pair(std::optional(Point{10, 10}), std::optional(Point{50, 50})));
  EXPECT_EQ(Moved(20, 20), (Log{"A move 10,10"}));

  a->ZOrder(0);  // A in front now
  EXPECT_EQ(Moved(60, 60), (Log{"A move 50,50"}));
  a->ZOrder(1);
  b->SetVisible(false);
  EXPECT_EQ(Moved(60, 60), (Log{"A move 50,50"}));
  b->SetVisible(true);

  // Inside a container: coordinates are the child's own; a disabled child passes to its container.
  Probe c(b.get(), "C");
  c.SetBounds(5, 5, 20, 20);
  EXPECT_EQ(Moved(56, 57), (Log{"C move 1,2"}));
  c.SetEnabled(false);
  EXPECT_EQ(Moved(56, 57), (Log{"B move 6,7"}));
  c.SetEnabled(true);
  c.Move(90, 90);  // partly outside its container: the part outside is not hit
  EXPECT_EQ(Moved(50 + 95, 50 + 95), (Log{"C move 5,5"}));
  EXPECT_TRUE(Moved(50 + 105, 50 + 95).empty());  // beyond B's right edge: bare window

  // The wheel goes to the control under the pointer, by sign.
  input::WheelAt(*win, 20, 20, 3);
  input::WheelAt(*win, 60, 60, -1);
  DoEvents();
  EXPECT_EQ(Take(), (Log{"A wheel 1", "B wheel -1"}));
}

TEST_F(Routing, PressCapturesUntilReleaseAndClickNeedsTheReleaseInside) {
  Down(20, 20);
  Move(150, 160);  // over B, but A holds the mouse
  Up(150, 160);
  EXPECT_EQ(Take(), (Log{"A down 10,10", "A move 140,150", "A up 140,150"}));
  EXPECT_EQ(Moved(140, 140), (Log{"B move 90,90"}));  // released: B again

  Down(20, 20);
  Up(30, 25);  // released inside: a click
  EXPECT_EQ(Take(), (Log{"A down 10,10", "A up 20,15", "A click"}));

  // The right button makes no click, and two buttons keep the capture until both are up.
  Down(20, 20, kRightButton);
  Down(20, 20, kLeftButton);
  Up(20, 20, kRightButton);
  Move(150, 150);
  Up(150, 150, kLeftButton);
  EXPECT_EQ(Take(), (Log{"A down 10,10", "A down 10,10", "A up 10,10", "A move 140,140", "A up 140,140"}));
}

TEST_F(Routing, ExplicitCaptureIsReleasedWhenItsControlIsHidden) {
  a->SetCapture();
  EXPECT_EQ(Moved(140, 140), (Log{"A move 130,130"}));
  a->SetVisible(false);
  EXPECT_FALSE(a->HasCapture());
  EXPECT_EQ(Moved(140, 140), (Log{"B move 90,90"}));

  // Hiding the container of the capturing control releases it too; so does destroying it.
  a->SetVisible(true);
  auto inner = std::make_unique<Probe>(a.get(), "I");
  inner->SetBounds(0, 0, 10, 10);
  inner->SetCapture();
  a->SetVisible(false);
  EXPECT_FALSE(inner->HasCapture());
  a->SetVisible(true);
  inner->SetCapture();
  inner.reset();
  EXPECT_EQ(Moved(140, 140), (Log{"B move 90,90"}));

  // An implicit capture ends when the pressed control is hidden in its own handler.
  a->MouseDown = [this](const MouseEvent&) { a->SetVisible(false); };
  Down(20, 20);
  Move(140, 140);
  Up(140, 140);
  EXPECT_EQ(Take(), (Log{"A down 10,10", "B move 90,90", "B up 90,90"}));
}

TEST_F(Routing, HandlerThatPumpsAndHidesOrDestroysTheControlUnderTheMouse) {
  int nested = 0;
  b->MouseDown = [&](const MouseEvent&) {
    input::MouseMove(*win, 70, 70);
    DoEvents();  // delivers the move while this handler runs
    ++nested;
    b->SetVisible(false);
    b->Move(0, 0);
  };
  Down(60, 60);
  Up(60, 60);
  EXPECT_EQ(Take(), (Log{"B down 10,10", "B move 20,20", "A up 50,50"}));  // no click on hidden B
  EXPECT_EQ(nested, 1);

  b->SetVisible(true);
  b->Move(50, 50);
  b->MouseDown = [&](const MouseEvent&) {
    DoEvents();
    b.reset();  // the control goes away inside its own handler
  };
  Down(60, 60);
  Up(60, 60);
  EXPECT_EQ(Moved(60, 60), (Log{"B down 10,10", "A up 50,50", "A move 50,50"}));

  // A click handler that destroys the whole window.
  a->Click = [&] { a.reset(); win.reset(); };
  input::ClickAt(*win, 20, 20);
  EXPECT_EQ(win, nullptr);
}

TEST_F(Routing, TimersFireInsideNestedDoEventsButNeverReenter) {
  Timer t;
  int ticks = 0, nestedTicks = 0;
  bool inTick = false;
  t.SetInterval(50);
  t.Tick = [&] {
    ++ticks;
    if (inTick) ++nestedTicks;
    inTick = true;
    Sleep(60);
    DoEvents();  // the timer is due again here but must not re-enter
    inTick = false;
  };
  t.SetEnabled(true);
  DoEvents();
  EXPECT_EQ(ticks, 0);  // not due yet
  a->MouseDown = [&](const MouseEvent&) {
    for (int i = 0; i < 10; ++i) {  // a wait loop inside a handler, as the battle does
      Sleep(10);
      DoEvents();
    }
  };
  Down(20, 20);
  Up(20, 20);
  EXPECT_GE(ticks, 1);
  EXPECT_EQ(nestedTicks, 0);

  const int before = ticks;
  t.SetEnabled(false);
  Sleep(500);
  DoEvents();
  EXPECT_EQ(ticks, before);

  // A timer destroyed by its own tick, and one destroyed by another's.
  auto self = std::make_unique<Timer>();
  auto victim = std::make_unique<Timer>();
  int victimTicks = 0;
  self->SetInterval(10);
  victim->SetInterval(10);
  victim->Tick = [&] { ++victimTicks; };
  self->Tick = [&] { victim.reset(); self.reset(); };
  self->SetEnabled(true);
  victim->SetEnabled(true);
  Sleep(20);
  DoEvents();
  EXPECT_TRUE(self == nullptr && victimTicks == 0);
}

TEST_F(Routing, CloseRequestsGoThroughQueryUnloadWhichCanRefuse) {
  bool busy = true;
  int asked = 0, unloaded = 0;
  win->QueryUnload = [&](bool& cancel) { ++asked; cancel = busy; };
  win->Unload = [&] { ++unloaded; };
  input::CloseRequest(*win);
  DoEvents();
  EXPECT_EQ(asked, 1);
  input::Terminate();  // SIGTERM arrives as the same close request
  DoEvents();
  EXPECT_EQ(std::pair(asked, unloaded), std::pair(2, 0));
  EXPECT_TRUE(win->IsShown());

  // While a modal dialog is open the window below gets no close request and no mouse, not even
  // through a capture taken before the dialog opened.
  Window dialog("設定", 100, 80, WindowStyle::Dialog);
  Timer t;
  t.SetInterval(10);
  int inside = 0;
  t.Tick = [&] {
    ++inside;
    if (inside == 1) {
      EXPECT_EQ(TopModalWindow(), &dialog);
      EXPECT_FALSE(win->RequestClose());
      input::ClickAt(*win, 20, 20);
      input::ClickAt(dialog, 5, 5);
      EXPECT_FALSE(a->HasCapture());
      dialog.RequestClose();
    }
  };
  t.SetEnabled(true);
  a->SetCapture();
  dialog.ShowModal();
  t.SetEnabled(false);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(dialog.Closed() && TopModalWindow() == nullptr);
  EXPECT_EQ(Take(), Log{});

  busy = false;
  raise(SIGTERM);  // the real signal: the window system turns it into a close request
  DoEvents();
  EXPECT_EQ(std::pair(asked, unloaded), std::pair(3, 1));
  EXPECT_FALSE(win->IsShown());
}

// SIGHUP, as when the terminal that started the game is closed, is the same close request.
TEST_F(Routing, SighupClosesAWindowAsSigtermDoes) {
  int unloaded = 0;
  win->Unload = [&] { ++unloaded; };
  raise(SIGHUP);
  DoEvents();
  EXPECT_EQ(unloaded, 1);
  EXPECT_FALSE(win->IsShown());
}

// SIGTERM and SIGHUP always end a program that says how: a window that refuses to close is cut
// short, once what a close would keep is saved, and a message box asked for while saving waits
// for nobody.
TEST(EndAtOnce, ASignalThatABusyWindowRefusesSavesAndEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (int signal : {SIGTERM, SIGHUP}) {
    EXPECT_EXIT(
        {
          setenv("SDL_VIDEODRIVER", "dummy", 0);
          Window busy("vesk", 100, 80);
          busy.Show();
          busy.QueryUnload = [](bool& cancel) { cancel = true; };
          SetEndAtOnce([] {
            const bool answered = MsgBox("設定ファイルを書き込めません", vbYesNo) == vbNo;
            std::fprintf(stderr, "saved, %s\n", answered ? "answered" : "waited");
          });
          raise(signal);
          DoEvents();
          std::fprintf(stderr, "still running\n");
          std::exit(0);
        },
        ::testing::ExitedWithCode(1), "設定ファイルを書き込めません\nsaved, answered\n$")
        << "signal " << signal;
  }
}

TEST_F(Routing, BackBufferShowsControlsInZOrderClippedToContainers) {
  win->Image().Fill(Rgb(0, 0, 255));
  a->Image().Fill(Rgb(255, 0, 0));
  b->Image().Fill(Rgb(0, 255, 0));
  Control child(a.get());
  child.SetBounds(80, 80, 50, 50);  // runs past A's edge
  child.Image().Fill(Rgb(9, 9, 9));
  win->Compose();
  const Surface& s = win->BackBuffer();
  auto at = [&s](std::vector<Point> points) {
    std::vector<Colour> out;
    for (Point p : points) out.push_back(s.GetPixel(p.x, p.y));
    return out;
  };
  // B above A; the child cut at A's edge (110)
  EXPECT_EQ(at({{5, 5}, {20, 20}, {60, 60}, {140, 140}}),
            (std::vector<Colour>{Rgb(0, 0, 255), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 255, 0)}));
  b->SetVisible(false);
  win->Compose();
  EXPECT_EQ(at({{100, 100}, {115, 115}}), (std::vector<Colour>{Rgb(9, 9, 9), Rgb(0, 0, 255)}));
  // A control covering the whole window hides what lies under it, not what lies over it.
  a->SetBounds(0, 0, 200, 200);
  a->Image().Fill(Rgb(255, 0, 0));
  b->SetBounds(150, 150, 50, 50);
  b->SetVisible(true);
  win->Compose();
  EXPECT_EQ(at({{5, 5}, {100, 100}, {170, 170}}), (std::vector<Colour>{Rgb(255, 0, 0), Rgb(9, 9, 9), Rgb(0, 255, 0)}));
  b->SetVisible(false);
  EXPECT_TRUE(win->NeedsPresent());
  DoEvents();
  EXPECT_FALSE(win->NeedsPresent());
}

TEST_F(Routing, ActiveWindowAndDraggingABorderlessWindow) {
  struct Fake : IActiveWindow {
    const Window* active = nullptr;
    const Window* ActiveWindow() override { return active; }
  } fake;
  SetActiveWindowSource(&fake);
  const bool before = IsActiveWindow(*win);
  fake.active = win.get();
  EXPECT_TRUE(!before && IsActiveWindow(*win));
  SetActiveWindowSource(nullptr);

  Window title("タイトル", 120, 80, WindowStyle::Borderless);
  title.SetPosition(300, 200);
  title.Show();
  EXPECT_TRUE(IsActiveWindow(title) && !IsActiveWindow(*win));  // no focus from the window system: the last shown counts
  title.MouseDown = [&](const MouseEvent& e) {
    if (e.button == kLeftButton) title.StartDrag();
  };
  input::MouseDown(title, 10, 10);
  DoEvents();
  EXPECT_TRUE(title.Dragging());
  input::MouseMove(title, 40, 30);  // the pointer moved 30 right and 20 down
  DoEvents();
  EXPECT_EQ(title.Position(), (Point{330, 220}));
  input::MouseUp(title, 10, 10);
  DoEvents();
  EXPECT_FALSE(title.Dragging() || title.HasCapture());  // the press's capture ends with the drag
  title.Hide();
  EXPECT_TRUE(IsActiveWindow(*win));  // the focus came back with the title gone
}

// Headless the focus is kept as a bare X server keeps it: a window shown takes it, and nothing
// gives it back but the program. A window that closes or goes with the focus hands it to the
// window under it; one that goes without it takes nothing from the window that has it.
TEST_F(Routing, AWindowGoingWithTheFocusHandsItToTheWindowUnderIt) {
  Window outer("設定", 120, 80, WindowStyle::Dialog);
  auto inner = std::make_unique<Window>("確認", 100, 60, WindowStyle::Dialog);
  std::vector<std::string> holders;
  auto look = [&] {
    holders.push_back(IsActiveWindow(*win) ? "main" : IsActiveWindow(outer) ? "outer"
                      : inner && IsActiveWindow(*inner) ? "inner" : "none");
  };
  outer.Show();
  inner->Show();
  look();
  inner->Hide();  // to the dialog under the box, not to the window under both
  look();
  inner->Show();
  outer.Hide();  // without the focus
  look();
  inner.reset();  // gone while shown
  look();
  EXPECT_EQ(holders, (std::vector<std::string>{"inner", "outer", "inner", "main"}));
}
