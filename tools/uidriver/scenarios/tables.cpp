/** @file tables.cpp The tables scenario: a 50-item list scrolled, hovered, selected and sorted, an empty list, and the people table with a lit switch. */
#include <memory>
#include <string>

#include "Driver.h"
#include "controls/ctrGraphicalGrid.h"
#include "controls/ctrGraphicalMSG.h"
#include "controls/ctrGraphicalView.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "platform/EventLoop.h"
#include "platform/Window.h"

using uidriver::Fail;
using uidriver::Picture;
using uidriver::Save;

namespace {

// The rows of a new game's query, on a connection of the scenario's own.
std::shared_ptr<RecordSet> Query(clsDB& db, const std::string& sql) {
  if (!db.GetData(sql)) Fail("query", db.GetErrMSG());
  return db.GetRecordSet();
}

GridColumnSet MarketColumns() {
  static constexpr GridColumnSpec kColumns[] = {
      {"col1", "アイテム名", 1, 1, 120, "Name"}, {"col2", "価格", 2, 2, 50, "Price"}, {"col3", "価値", 3, 3, 45, "Value", 0, 10},
      {"col4", "重量", 2, 4, 45, "Weight"},      {"col5", "分類", 1, 5, 80, "Category"}};
  return MakeColumnSet(kColumns);
}

// The people table of the main screen, as the window lays it out.
void LayOutPeople(ctrGraphicalView& v) {
  v.SetSemiTransColor(5);
  v.SetFrameColor(1);
  v.SetMouseOverColor(6);
  v.HeaderAdd(1, 1, kViewCenter, 180, "住人");
  const char* names[] = {"生産者", "商人", "技術者", "建設者", "兵士"};
  const char* counts[] = {"120/150", "30/42", "12/12", "25/40", "18/30"};
  for (int16_t r = 2; r <= 6; ++r) {
    v.HeaderAdd(r, 1, kViewCenter, 50, names[r - 2]);
    v.HeaderAdd(r, 2, kViewRight, 70, counts[r - 2]);
    v.HeaderAdd(r, 3, kViewClickable, 60, r == 3 ? "募集中" : "募集する");
  }
  v.HeaderHeight(1, 20);
  for (int16_t r = 2; r <= 6; ++r) v.HeaderHeight(r, 18);
  v.Setting();
}

void Move(plat::Window& w, const plat::Control& c, int x, int y) {
  const plat::Point o = c.OriginInWindow();
  plat::input::MouseMove(w, o.x + x, o.y + y);
  plat::DoEvents();
}

}  // namespace

UIDRIVER_SCENARIO(tables) {
  uidriver::GameFolder();
  clsDB db;
  if (!CreateDB::DBConnect(db)) Fail("open the database", db.GetErrMSG());
  plat::Window win("vesk 一覧", 800, 600);
  win.Image() = Picture("a001.jpg");
  win.Resize(800, 600);

  ctrGraphicalView people(&win);
  people.SetBounds(5, 70, 180, 110);
  LayOutPeople(people);
  people.BackImageCopy(win.Image(), 5, 70);
  people.RePaint();

  ctrGraphicalMSG tip(&win), choice(&win);  // the hovered and the chosen record, as the host shows them
  tip.SetBounds(590, 100, 200, 60);
  choice.SetBounds(590, 170, 200, 36);
  for (ctrGraphicalMSG* m : {&tip, &choice}) {
    m->SetFontSize(12);
    m->BackImageCopy(win.Image(), m->Left(), m->Top());
  }

  ctrGraphicalGrid grid(&win);
  grid.SetBounds(215, 100, 0, 360);
  grid.SetSemiTrans(4);
  grid.SetScrollImage(Picture("gridscroll.bmp"));
  grid.SetWheelValue(0, 3);
  grid.BackImageCopy(win.Image(), 215, 100);
  std::string hoverText, selected;
  grid.MouseMoveMessage = [&](std::string& text) {
    hoverText = text;
    tip.SetText(grid.MouseRowData(0) + "\r\n価格:" + grid.MouseRowData(1) + " 重量:" + grid.MouseRowData(3));
  };
  grid.RowSelect = [&](int16_t&, int16_t&) {
    selected = grid.SelectRowData(0);
    choice.SetText("選択中:" + selected + "(" + grid.SelectRowData(4) + ")");
  };
  win.Show();

  const std::string list = "SELECT Name, Price, Value, Weight, Category, Tips FROM item WHERE Price>0 ORDER BY rowid LIMIT 50";
  grid.GetData(Query(db, list), 5, MarketColumns());
  if (grid.RowCount() != 51 || !grid.Scrollable()) Fail("fill", "50 records in a scrolling list expected");

  // Scrolled to the middle: five wheel notches of three rows.
  for (int i = 0; i < 5; ++i) plat::input::WheelAt(win, 215 + 60, 100 + 100, -1);
  plat::DoEvents();
  if (grid.TopRow() != 16) Fail("wheel", "top record " + std::to_string(grid.TopRow()) + ", 16 expected");
  Move(win, grid, 60, 5 * 20 + 10);  // screen row 6: record 20
  plat::input::ClickAt(win, 215 + 60, 100 + 5 * 20 + 10);
  Move(win, grid, 60, 8 * 20 + 10);  // then the mouse rests on record 23
  if (selected != "米" || hoverText != "MouseMove:23:6")
    Fail("hover and select", "selected \"" + selected + "\", message \"" + hoverText + "\"");
  Move(win, people, 150, 30);  // a lit recruitment switch beside the list
  grid.MouseLeave();
  Move(win, grid, 60, 8 * 20 + 10);
  Save(win, "tables-01-list-middle");

  // A click on the price title: the list sorted by price, highest first, from the top.
  grid.MouseLeave();
  people.MouseLeave();
  Move(win, grid, 145, 10);
  plat::input::ClickAt(win, 215 + 145, 100 + 10);
  if (grid.TopRow() != 1 || grid.RecordValue(0, 1) != "3000" || grid.RecordValue(49, 1) != "4")
    Fail("sort", "first price " + grid.RecordValue(0, 1) + ", last " + grid.RecordValue(49, 1));
  Save(win, "tables-02-sorted-by-price");

  grid.GetData(Query(db, "SELECT Name, Price, Value, Weight, Category FROM item WHERE Price<0"), 5, MarketColumns());
  tip.SetText("アイテムがありません");
  choice.SetVisible(false);
  if (grid.RowCount() != 1 || grid.Scrollable()) Fail("empty", "an empty list must show its header alone");
  Save(win, "tables-03-empty-list");

  // The people table: a lit switch, then the mouse on a plain cell.
  Move(win, people, 150, 48);
  if (people.CurrentRow() != 3 || people.CurrentCol() != 3) Fail("view", "the mouse should be on the merchants' switch");
  Save(win, "tables-04-view-lit");
  Move(win, people, 20, 48);
  Save(win, "tables-05-view-plain");
}
