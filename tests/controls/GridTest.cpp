/** @file GridTest.cpp The list grid: layout numbers, bars, hover and selection, refills, wheel, thumb and sorting. */
#include "ControlsFixture.h"
#include "controls/ctrGraphicalGrid.h"
#include "db/CreateDB.h"
#include "runtime/VbError.h"
#include "support/FreshGameDb.h"

using namespace plat;
using Strings = std::vector<std::string>;

namespace {

// records rows of fields "品目<k>", k * 10, "v<k>", "隠し<k>" (k from 1).
std::shared_ptr<RecordSet> Records(int records) {
  auto rs = std::make_shared<RecordSet>();
  for (const char* name : {"Name", "Price", "Kind", "Hidden"}) rs->AddColumn(name, "");
  for (int k = 1; k <= records; ++k) {
    rs->AddValue("品目" + std::to_string(k), false);
    rs->AddValue(std::to_string(k * 10), true);
    rs->AddValue("v" + std::to_string(k), false);
    rs->AddValue("隠し" + std::to_string(k), false);
  }
  return rs;
}

GridColumnSet Columns(std::initializer_list<GridColumnSpec> columns) { return MakeColumnSet(columns); }

// Four headers, of which the lists show three: the fourth must not reach the layout.
GridColumnSet FourColumns() {
  return Columns({{"col1", "名前", 1, 1, 100, "Name"}, {"col2", "価格", 2, 2, 50, "Price"}, {"col3", "種類", 1, 3, 60, "Kind"},
                  {"col4", "隠し", 1, 4, 70, "Hidden"}});
}

// A grid 200 high at (20, 40) of the window, with every event written down.
class GridTest : public ControlsTest {
 protected:
  static constexpr int kX = 20, kY = 40;
  void SetUp() override {
    ControlsTest::SetUp();
    grid = std::make_unique<ctrGraphicalGrid>(win.get());
    grid->SetBounds(kX, kY, 0, 200);
    grid->SetSemiTrans(4);
    grid->SetWheelValue(0, 3);
    grid->BackImageCopy(win->Image(), kX, kY);
    grid->Sound = events.Sound();
    grid->MouseMoveMessage = [this](std::string& text) { events.seen.push_back(text); };
    grid->RowSelect = [this](int16_t& row, int16_t& fields) {
      events.seen.push_back("select " + std::to_string(row) + " " + std::to_string(fields) + " " + grid->SelectRowData(0));
    };
    grid->MouseMove = [this] { ++moves; };
  }
  void TearDown() override {
    grid.reset();
    ControlsTest::TearDown();
  }
  // Input at points of the grid.
  void MoveTo(int x, int y) { Move(kX + x, kY + y); }
  void ClickAt(int x, int y, int button = kLeftButton) { input::ClickAt(*win, kX + x, kY + y, button); }
  void Wheel(int direction, int times = 1) {
    for (int i = 0; i < times; ++i) input::WheelAt(*win, kX + 20, kY + 50, direction);
    DoEvents();
  }
  Strings Take() { return events.Take(); }
  Strings Column(int f) {
    Strings out;
    for (int k = 0; k < grid->RowCount() - 1; ++k) out.push_back(grid->RecordValue(k, f));
    return out;
  }

  std::unique_ptr<ctrGraphicalGrid> grid;
  EventLog events;
  int moves = 0;
};

}  // namespace

TEST_F(GridTest, LayoutFollowsTheRecordsThatFit) {
  struct Case { int records; bool scrollable; int visible, width, dataHeight, thumbH; double step; } cases[] = {
      {9, false, 10, 210, 200, 0, 0},
      {0, false, 1, 210, 20, 0, 0},
      {50, true, 10, 234, 200, 29, 133.0 / 42},    // 162 x 9 / 50 = 29.16
      {36, true, 10, 234, 200, 40, 122.0 / 28},    // 162 x 9 / 36 = 40.5 goes to the even 40
      {1000, true, 10, 234, 200, 10, 152.0 / 1000},  // would be 1: at least 10
  };
  for (const auto& c : cases) {
    grid->GetData(Records(c.records), 3, FourColumns());
    EXPECT_EQ((std::vector<int>{grid->Scrollable(), grid->VisibleRows(), grid->Width(), grid->DataWidth(), grid->DataHeight(),
                                grid->ThumbRect().Height()}),
              (std::vector<int>{c.scrollable, c.visible, c.width, 210, c.dataHeight, c.thumbH}))
        << c.records;
    EXPECT_DOUBLE_EQ(grid->ThumbStep(), c.step) << c.records;
  }
}

TEST_F(GridTest, BarCellsFillByTheirMaximum) {
  auto rs = std::make_shared<RecordSet>();
  rs->AddColumn("Level", "");
  for (const char* v : {"5", "0", "12", "abc", "-3", "10"}) rs->AddValue(v, true);
  grid->GetData(rs, 1, Columns({{"col1", "レベル", 3, 1, 50, "Level", 0, 10}}));
  // The bar is the backdrop half covered by green; the rest of the cell is a quarter black.
  auto barWidth = [&](int i, int y) {
    Rect cell = grid->CellRect(i, 1);
    int n = 0;
    for (int x = cell.left; x < cell.right; ++x) n += grid->Image().GetPixel(x, cell.top + y) == Rgb(50, 177, 50);
    return n;
  };
  std::vector<int> tops, belows;
  for (int i = 1; i <= 6; ++i) tops.push_back(barWidth(i, 0)), belows.push_back(barWidth(i, 18));
  EXPECT_EQ(tops, (std::vector<int>{24, 0, 48, 0, 0, 48}));
  EXPECT_EQ(belows, (std::vector<int>(6, 0)));  // 18 high
  EXPECT_EQ(grid->Image().GetPixel(60 - 20, 5), Rgb(75, 75, 75)) << "right of the columns: tint only";
}

TEST_F(GridTest, HoverReportsTheRecordAndClickSelectsIt) {
  grid->SetWheelValue(0, 5);
  grid->GetData(Records(50), 3, FourColumns());
  Wheel(-1, 2);
  ASSERT_EQ(grid->TopRow(), 11);
  Take();
  const Colour plain = grid->Image().GetPixel(30, 45);
  MoveTo(30, 45);  // screen row 3: record 12
  const Colour lit = grid->Image().GetPixel(30, 45);
  MoveTo(35, 50);  // same row: a move event, nothing more
  EXPECT_EQ(Take(), (Strings{"MouseMove:12:4", "sound 1"}));
  EXPECT_EQ(moves, 2);
  EXPECT_EQ((Strings{grid->MouseRowData(0), grid->MouseRowData(3)}), (Strings{"品目12", "隠し12"}));
  EXPECT_NE(lit, plain);
  grid->MouseLeave();
  EXPECT_EQ(grid->Image().GetPixel(30, 45), plain);

  MoveTo(30, 45);
  ClickAt(30, 45);
  EXPECT_EQ(Take(), (Strings{"MouseMove:12:4", "sound 1", "select 3 4 品目12", "sound 0"}));
  EXPECT_EQ(grid->SelectRowData(3), "隠し12");
  EXPECT_THROW(grid->SelectRowData(4), rt::VbError);
  ClickAt(30, 65, kRightButton);  // no right-click answer on a list
  EXPECT_EQ(Take(), (Strings{"MouseMove:13:4", "sound 1"}));

  grid->SetActive(false);
  MoveTo(30, 85);
  EXPECT_TRUE(Take().empty());
}

TEST_F(GridTest, RefillDropsTheOldMouseRowAndRows) {
  grid->GetData(Records(50), 3, FourColumns());
  MoveTo(30, 165);  // screen row 9
  Take();
  grid->GetData(Records(3), 3, FourColumns());
  Click(kX + 30, kY + 165);
  EXPECT_TRUE(Take().empty()) << "a click after the refill must not read past the three records";

  // An empty result: the header row stays, and nothing of the earlier rows below it.
  grid->GetData(Records(0), 3, FourColumns());
  auto uniform = [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = 0; x < grid->Width(); ++x)
        if (grid->Image().GetPixel(x, y) != grid->Image().GetPixel(0, y0)) return false;
    return true;
  };
  EXPECT_FALSE(uniform(2, 18));
  EXPECT_TRUE(uniform(21, 200));
}

TEST_F(GridTest, WheelAndThumbStopAtBothEnds) {
  grid->GetData(Records(50), 3, FourColumns());  // last page starts at record 42, thumb 29 high
  std::vector<int> tops, thumbs;
  for (int i = 0; i < 15; ++i) {
    Wheel(-1);
    tops.push_back(grid->TopRow());
    thumbs.push_back(grid->ThumbRect().top);
  }
  EXPECT_EQ(tops, (std::vector<int>{4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 34, 37, 40, 42, 42}));
  EXPECT_EQ((std::vector<int>{thumbs[0], thumbs[12], thumbs[13]}), (std::vector<int>{36, 150, 157}));
  EXPECT_EQ(Take(), Strings(14, "sound 2"));  // the step at the end requests nothing

  Wheel(+1, 13);
  EXPECT_EQ(grid->TopRow(), 3);
  Wheel(+1);
  Wheel(+1);
  EXPECT_EQ((std::vector<int>{grid->TopRow(), grid->ThumbRect().top}), (std::vector<int>{1, 25}));
  EXPECT_EQ(Take().size(), 14u);

  // Drag: the thumb follows the pointer inside the track, stays put past either end.
  auto drag = [&](std::initializer_list<int> dys) {
    const Rect t = grid->ThumbRect();
    const int x = kX + t.left + 5, y = kY + t.top + 5;
    input::MouseMove(*win, x, y);
    input::MouseDown(*win, x, y);
    std::vector<int> seen;
    for (int dy : dys) {
      input::MouseMove(*win, x, y + dy);
      DoEvents();
      seen.push_back(grid->ThumbRect().top);
      seen.push_back(grid->TopRow());
    }
    input::MouseUp(*win, x, y + *(dys.end() - 1));
    DoEvents();
    return seen;
  };
  EXPECT_EQ(drag({30, 200, 132, -150}), (std::vector<int>{55, 10, 55, 10, 157, 42, 157, 42}));
  EXPECT_EQ(grid->ThumbRect().top, 157);
  EXPECT_EQ(drag({-10, -140, -132}), (std::vector<int>{147, 39, 147, 39, 25, 1}));
  EXPECT_EQ(grid->ThumbRect().top, 25);
  EXPECT_TRUE(Take().empty()) << "dragging requests no sound";

  grid->SetWheelValue(0, 0);  // a step of 0 moves one row
  Wheel(-1);
  EXPECT_EQ(grid->TopRow(), 2);
  grid->SetWheelValue(1, 0);  // the whole list in "0" notches: one notch to the end
  Wheel(-1);
  EXPECT_EQ(grid->TopRow(), 42);
}

TEST_F(GridTest, TitleClickSortsARealResult) {
  GameDbFolder game;
  auto db = std::make_shared<clsDB>();
  ASSERT_TRUE(CreateDB::DBConnect(*db));
  ASSERT_TRUE(db->Excute("CREATE TABLE t (Name TEXT COLLATE NOCASE, N INTEGER, Kana TEXT COLLATE NOCASE)"));
  for (const char* row : {"'鉄', 9, 'てつ'", "'銅', 10, 'どう'", "'金', NULL, 'きん'", "'銀', 100, 'ぎん'", "'石', 2, NULL"})
    ASSERT_TRUE(db->Excute(std::string("INSERT INTO t VALUES (") + row + ")"));
  ASSERT_TRUE(db->GetData("SELECT Name, N, Kana FROM t"));
  // Column 2 sorts by position "2", column 3 by a field the query does not have: its own.
  grid->GetData(db->GetRecordSet(), 3, Columns({{"col1", "名前", 1, 1, 60, "Name"}, {"col2", "数", 2, 2, 50, "2"}, {"col3", "読み", 1, 3, 60, "Yomi"}}));
  MoveTo(80, 10);
  ClickAt(80, 10);  // a new column keeps the direction: descending
  EXPECT_EQ(Column(1), (Strings{"100", "10", "9", "2", ""}));
  ClickAt(80, 10);
  EXPECT_EQ(Column(1), (Strings{"", "2", "9", "10", "100"}));
  EXPECT_EQ(Column(0), (Strings{"金", "石", "鉄", "銅", "銀"}));  // whole records move
  MoveTo(140, 10);
  ClickAt(140, 10);
  EXPECT_EQ(Column(2), (Strings{"", "きん", "ぎん", "てつ", "どう"}));
  EXPECT_EQ((std::vector<int>{grid->SortColumn(), grid->SortDirection()}), (std::vector<int>{3, 0}));
  EXPECT_EQ(Take(), (Strings{"sound 4", "sound 4", "sound 4"}));

  // On a long list a sort takes the thumb back to the top; the scroll column's title part sorts nothing.
  ASSERT_TRUE(db->GetData("SELECT Name, Price, Category, Value FROM item LIMIT 50"));
  grid->GetData(db->GetRecordSet(), 3, FourColumns());
  Wheel(-1, 5);
  MoveTo(120, 10);
  ClickAt(120, 10);
  EXPECT_EQ((std::vector<int>{grid->TopRow(), grid->ThumbRect().top}), (std::vector<int>{1, 25}));
  const Strings prices = Column(1);
  MoveTo(220, 10);
  ClickAt(220, 10);
  EXPECT_EQ(Column(1), prices);
}
