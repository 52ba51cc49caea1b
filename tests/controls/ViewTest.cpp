/** @file ViewTest.cpp The fixed table: layout and size, hit test, lit cells and click events. */
#include "ControlsFixture.h"
#include "controls/ctrGraphicalView.h"
#include "runtime/VbError.h"

using namespace plat;
using Strings = std::vector<std::string>;

namespace {

// Rows 1 to 3 are 180 wide (a title, then name / figure / switch); row 4 is 200 wide and holds
// a switch without text. The view lies at (10, 20) of its window.
class ViewTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    view = std::make_unique<ctrGraphicalView>(win.get());
    view->SetBounds(10, 20, 150, 81);
    view->HeaderAdd(1, 1, kViewCenter, 180, "住人");
    for (int16_t r = 2; r <= 3; ++r) {
      view->HeaderAdd(r, 1, kViewCenter, 50, r == 2 ? "生産者" : "商人");
      view->HeaderAdd(r, 2, kViewRight, 70, "10/10");
      view->HeaderAdd(r, 3, kViewClickable, 60, "募集する");
    }
    view->HeaderAdd(4, 1, kViewClickable, 100);
    view->HeaderAdd(4, 2, kViewLeft, 100, "広い行");
    view->HeaderHeight(1, 20);
    for (int16_t r = 2; r <= 4; ++r) view->HeaderHeight(r, 18);
    view->Setting();
    view->BackImageCopy(win->Image(), 10, 20);
    view->RePaint();
    view->Sound = events.Sound();
    auto record = [this](const char* what) {
      return [this, what](int16_t& r, int16_t& c, std::string& text) {
        events.seen.push_back(std::string(what) + " " + std::to_string(r) + "," + std::to_string(c) + " " + text);
      };
    };
    view->Click = record("click");
    view->RightClick = record("right");
    view->MouseMove = events.Named("move");
  }
  void TearDown() override {
    view.reset();
    ControlsTest::TearDown();
  }
  // Input at points of the view.
  void MoveTo(int x, int y) { Move(10 + x, 20 + y); }
  void Release(int x, int y, int button = kLeftButton) { Click(10 + x, 20 + y, button); }
  Strings Take() { return events.Take(); }
  std::pair<int, int> Current() const { return {view->CurrentRow(), view->CurrentCol()}; }
  Colour Px(int x, int y) const { return view->Image().GetPixel(x, y); }

  std::unique_ptr<ctrGraphicalView> view;
  EventLog events;
};

}  // namespace

TEST_F(ViewTest, SettingLaysOutTheCellsAndFitsTheWidestRow) {
  EXPECT_EQ(std::pair(view->Width(), view->Height()), std::pair(200, 74));
  // The tint covers the whole table, also right of the narrower rows.
  EXPECT_EQ(Px(190, 30), Rgb(138, 138, 138));  // a quarter white over 100

  view->HeaderText(9, 9, "なし");  // no such cell: nothing kept, nothing broken
  EXPECT_EQ(view->HeaderText(9, 9) + view->HeaderText(4, 1), "");
  ctrGraphicalView noHeight;
  noHeight.HeaderAdd(1, 1, kViewCenter, 50, "x");
  EXPECT_THROW(noHeight.Setting(), rt::VbError);
}

TEST_F(ViewTest, HitTestKeepsTheLastCellOutsideTheTable) {
  MoveTo(130, 25);
  EXPECT_EQ(Current(), std::pair(2, 3));
  Down(10 + 130, 20 + 25);  // held: moves outside still arrive
  MoveTo(130, 120);
  EXPECT_EQ(Current(), std::pair(2, 3)) << "below the last row";
  MoveTo(190, 45);
  EXPECT_EQ(Current(), std::pair(3, 3)) << "right of a row's last column";
  MoveTo(190, 5);
  EXPECT_EQ(Current(), std::pair(1, 1)) << "a row of one column";
  Up(10 + 250, 20 + 5);
  EXPECT_EQ(Take(), (Strings{"move", "sound 1", "move", "move", "sound 1", "move"}));  // released outside: no click
}

TEST_F(ViewTest, ClickableCellsLightAndReportBothButtons) {
  const Colour plain = Px(150, 30), label = Px(40, 30);
  MoveTo(150, 30);
  MoveTo(155, 32);  // same cell: only the move
  EXPECT_EQ(Take(), (Strings{"move", "sound 1", "move"}));
  EXPECT_NE(Px(150, 30), plain);
  EXPECT_EQ(Px(150, 50), plain) << "only the cell under the mouse";
  MoveTo(150, 50);  // to the next switch: the first goes out, the second lights
  EXPECT_EQ((std::vector<Colour>{Px(150, 30), Px(40, 30)}), (std::vector<Colour>{plain, label}));
  EXPECT_NE(Px(150, 50), plain);
  Release(150, 50);
  Release(150, 50, kRightButton);
  Release(150, 50, kMiddleButton);
  MoveTo(40, 50);  // a plain cell: nothing lights, a release reports nothing
  Release(40, 50);
  MoveTo(50, 65);  // a switch without text: not lit, but it reports
  Release(50, 65);
  EXPECT_EQ(Take(), (Strings{"move", "sound 1", "sound 0", "click 3,3 募集する", "sound 0", "right 3,3 募集する", "move",
                             "move", "sound 0", "click 4,1 "}));
  EXPECT_EQ(Px(150, 50), plain);

  MoveTo(150, 30);
  view->MouseLeave();
  EXPECT_EQ(Px(150, 30), plain);
  view->SetActive(false);
  Take();
  MoveTo(150, 50);
  Release(150, 50);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(Px(150, 50), plain);
}
