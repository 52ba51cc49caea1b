/** @file FakeCommandHost.h A stand-in for the main window's command panel: grids that keep the result they were given and a row the test chooses, and controls that remember their captions and visibility. */
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "commands/CommandHost.h"
#include "db/SqliteConnection.h"
#include "runtime/VbError.h"

namespace fake {

class FakeControl : public virtual cmd::IControl {
 public:
  void Place(const cmd::Rect&) override {}
  bool Visible() const override { return visible; }
  void Visible(bool v) override { visible = v; }

  bool visible = false;
};

class FakeGrid : public FakeControl, public cmd::IGrid {
 public:
  using FakeControl::Visible;
  void GetData(std::shared_ptr<RecordSet> rs, int16_t cols, cmd::ColumnSet s) override {
    data = std::move(rs);
    shownCols = cols;
    set = s;
    chosen = mouse = -1;
  }
  std::string SelectRowData(int16_t i) const override { return Cell(chosen, i); }
  std::string MouseRowData(int16_t i) const override { return Cell(mouse, i); }

  long Rows() const { return data ? data->RowCount() : 0; }
  std::string Cell(long row, int col) const {
    if (!data || row < 0 || row >= data->RowCount() || col < 0 || col >= data->FieldCount())
      throw rt::VbError(rt::kErrSubscript);
    return data->Value(row, col);
  }
  /// The player picks the first row whose column col reads value; false when there is none.
  bool Choose(int col, const std::string& value) {
    for (long r = 0; r < Rows(); ++r)
      if (data->Value(r, col) == value) {
        chosen = r;
        return true;
      }
    return false;
  }
  /// Column col of every row, top to bottom.
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> out;
    for (long r = 0; r < Rows(); ++r) out.push_back(data->Value(r, col));
    return out;
  }

  std::shared_ptr<RecordSet> data;
  int16_t shownCols = 0;
  cmd::ColumnSet set = cmd::ColumnSet::Area;
  long chosen = -1, mouse = -1;
};

class FakeButton : public FakeControl, public cmd::IButton {
 public:
  using FakeControl::Visible;
  std::string Text() const override { return text; }
  void Text(const std::string& v) override { text = v; }
  bool Enable() const override { return enable; }
  void Enable(bool v) override { enable = v; }
  void FontColor(int16_t v) override { fontColor = v; }

  std::string text;
  bool enable = true;
  int16_t fontColor = 1;
};

class FakeFigureLabel : public FakeControl, public cmd::IFigureLabel {
 public:
  using FakeControl::Visible;
  void MainText(const std::string&) override {}
  std::string SubText() const override { return subText; }
  void SubText(const std::string& v) override { subText = v; }
  void Setting() override {}

  std::string subText;
};

class FakeSlider : public FakeControl, public cmd::ISlider {
 public:
  using FakeControl::Visible;
  int32_t Min() const override { return min; }
  void Min(int32_t v) override { min = v; }
  int32_t Max() const override { return max; }
  void Max(int32_t v) override { max = v; }
  int32_t Value() const override { return value; }
  /// As the real slider, a value set from code is reported (onValue), and its answer ignored.
  void Value(int32_t v) override {
    value = v;
    if (onValue) onValue(v);
  }
  std::string Text() const override { return text; }
  void Text(const std::string& v) override { text = v; }
  bool Enable() const override { return enable; }
  void Enable(bool v) override { enable = v; }
  void ControlStart() override {}

  int32_t min = 0, max = 0, value = 0;
  std::string text;
  bool enable = true;
  std::function<void(int32_t)> onValue;
};

class FakeTradeView : public FakeControl, public cmd::ITradeView {
 public:
  using FakeControl::Visible;
  std::string HeaderText(int16_t row, int16_t col) const override {
    auto it = cells.find({row, col});
    return it == cells.end() ? std::string() : it->second;
  }
  void HeaderText(int16_t row, int16_t col, const std::string& text) override { cells[{row, col}] = text; }
  void RePaint() override {}

  std::map<std::pair<int16_t, int16_t>, std::string> cells;
};

class FakeCommandHost : public cmd::ICommandHost {
 public:
  cmd::IGrid& Grid(cmd::GridId id) override { return grids[id]; }
  cmd::IButton& Button(cmd::ButtonId id) override { return buttons[id]; }
  cmd::ISlider& PSMain() override { return slider; }
  cmd::IFigureLabel& GLRestruct() override { return restruct; }
  cmd::IControl& Panel(cmd::PanelId id) override {
    if (id == cmd::PanelId::GVTrade) return trade;
    return panels[id];
  }
  cmd::ITradeView& GVTrade() override { return trade; }

  FakeGrid& grid(cmd::GridId id) { return grids[id]; }
  FakeButton& button(cmd::ButtonId id) { return buttons[id]; }
  FakeControl& panel(cmd::PanelId id) { return id == cmd::PanelId::GVTrade ? trade : panels[id]; }

  std::map<cmd::GridId, FakeGrid> grids;
  std::map<cmd::ButtonId, FakeButton> buttons;
  std::map<cmd::PanelId, FakeControl> panels;
  FakeSlider slider;
  FakeFigureLabel restruct;
  FakeTradeView trade;
};

}  // namespace fake
