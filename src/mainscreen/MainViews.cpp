/** @file MainViews.cpp The layouts of the nine fixed views: kingdom, people, trade, unit and the five occupations. */
#include <initializer_list>
#include <string>
#include <vector>

#include "mainscreen/frmMain2.h"

namespace {

struct Cell {
  int16_t row, col;
  int32_t type;  // 1 centred, 3 right-aligned, 4 clickable
  int16_t width;
  const char* text = "";
};

struct Layout {
  int left, top, width, height;
  std::vector<Cell> cells;          // in the order they are added
  std::vector<int16_t> rowHeights;  // rows 1, 2, ...
};

Layout Kingdom() {
  return {10, 5, 300, 60,
          {{1, 1, 1, 150, ""}, {1, 2, 3, 150, "人口"}, {2, 1, 1, 120, "王宮"}, {2, 2, 3, 60, "裕福100"},
           {2, 3, 3, 60, "教育"}, {2, 4, 3, 60, "信頼"}, {3, 1, 3, 100, "金"}, {3, 2, 3, 100, "穀物"},
           {3, 3, 3, 100, "肉類"}},
          {20, 20, 20}};
}

Layout People() {
  Layout l{5, 70, 180, 110, {{1, 1, 1, 180, "住人"}}, {20, 18, 18, 18, 18, 18}};
  const char* names[] = {"生産者", "商人", "技術者", "建設者", "兵士"};
  const char* counts[] = {"1000/1000", "100/100", "10/10", "100/100", "100/100"};
  for (int16_t r = 2; r <= 6; ++r) l.cells.push_back({r, 1, 1, 50, names[r - 2]});
  for (int16_t r = 2; r <= 6; ++r) l.cells.push_back({r, 2, 3, 70, counts[r - 2]});
  for (int16_t r = 2; r <= 6; ++r) l.cells.push_back({r, 3, 4, 60, "募集する"});
  return l;
}

Layout Trade() {
  Layout l{390, 100, 400, 92, {{1, 1, 1, 400}}, {20, 18, 18, 18, 18}};
  // Export side (columns 1 to 4), then the import side (5 to 8): three goods lines and money.
  for (int16_t side = 0; side < 2; ++side) {
    const int16_t c0 = static_cast<int16_t>(side * 4);
    const char* word = side == 0 ? "輸出" : "輸入";
    for (int16_t r = 2; r <= 4; ++r) l.cells.push_back({r, static_cast<int16_t>(c0 + 1), 4, 30, word});
    l.cells.push_back({5, static_cast<int16_t>(c0 + 1), 4, 30, "お金"});
    for (int16_t r = 2; r <= 4; ++r) l.cells.push_back({r, static_cast<int16_t>(c0 + 2), 1, 110});
    l.cells.push_back({5, static_cast<int16_t>(c0 + 2), 3, 70});
    for (int16_t r = 2; r <= 4; ++r) l.cells.push_back({r, static_cast<int16_t>(c0 + 3), 3, 30});
    l.cells.push_back({5, static_cast<int16_t>(c0 + 3), 1, 30, "合計"});
    for (int16_t r = 2; r <= 4; ++r) l.cells.push_back({r, static_cast<int16_t>(c0 + 4), 3, 30});
    l.cells.push_back({5, static_cast<int16_t>(c0 + 4), 3, 70});
  }
  return l;
}

Layout Unit() {
  Layout l{350, 100, 350, 128, {{1, 1, 1, 350}}, {20, 18, 18, 18, 18, 18, 18}};
  const char* slots[] = {"武器", "", "防具", "アクセサリ", "アイテム1", "アイテム2"};
  for (int16_t r = 2; r <= 7; ++r) l.cells.push_back({r, 1, 4, 100, slots[r - 2]});
  const int16_t widths[] = {150, 50, 50};
  const int32_t types[] = {1, 3, 3};
  for (int16_t c = 2; c <= 4; ++c)
    for (int16_t r = 2; r <= 7; ++r) l.cells.push_back({r, c, types[c - 2], widths[c - 2]});
  return l;
}

Layout Occupation(int left, int top, const char* name) {
  return {left, top, 150, 81,
          {{1, 1, 1, 140, name}, {2, 1, 1, 33, "裕福"}, {2, 2, 3, 25, ""}, {2, 3, 3, 49, "従事数"},
           {2, 4, 3, 33, ""}, {3, 1, 1, 33, "教育"}, {3, 2, 3, 25, ""}, {3, 3, 3, 49, "余剰数"},
           {3, 4, 3, 33, ""}, {4, 1, 1, 33, "信頼"}, {4, 2, 3, 25, ""}, {4, 3, 4, 82, "募集する"}},
          {20, 18, 18, 18}};
}

}  // namespace

void frmMain2::InitViews() {
  const std::pair<ctrGraphicalView*, Layout> views[] = {
      {&GVKingdom, Kingdom()},
      {&GVPeople, People()},
      {&GVTrade, Trade()},
      {&GVUnit, Unit()},
      {&GVProducer, Occupation(210, 100, "生産者")},
      {&GVMerchant, Occupation(390, 100, "商人")},
      {&GVEngineer, Occupation(570, 100, "技術者")},
      {&GVConstructor, Occupation(210, 200, "建設者")},
      {&GVSoldier, Occupation(390, 200, "兵士")},
  };
  for (const auto& [view, l] : views) {
    view->SetBounds(l.left, l.top, l.width, l.height);
    for (const Cell& c : l.cells) view->HeaderAdd(c.row, c.col, c.type, c.width, c.text);
    for (size_t r = 0; r < l.rowHeights.size(); ++r) view->HeaderHeight(static_cast<int16_t>(r + 1), l.rowHeights[r]);
    view->SetSndClickPath(mClickSoundPath);
    view->SetSndMouseOverPath(mMouseOverSoundPath);
    view->Setting();
    view->BackImageCopy(Disp.Image(), view->Left(), view->Top());
    view->RePaint();
  }
}
