/** @file CommandHostAdapter.cpp The command panel's controls behind the commands' host interface. */
#include "mainscreen/CommandHostAdapter.h"

#include <optional>
#include <stdexcept>
#include <type_traits>

#include "controls/ctrGraphicalGrid.h"
#include "controls/ctrGraphicalLabel.h"
#include "controls/ctrGraphicalLabelLite.h"
#include "controls/ctrGraphicalView.h"
#include "controls/ctrPicSliderBar.h"
#include "runtime/VbError.h"

namespace mainscreen {
namespace {

// Shown, hidden and placed; a plain control is only moved.
template <class Base, class Ctl>
class Placed : public Base {
 public:
  Placed(Ctl& ctl, const plat::Surface& disp) : ctl_(ctl), disp_(disp) {}
  void Place(const cmd::Rect& r) override {
    ctl_.SetBounds(r.Left, r.Top, r.Width, r.Height);
    if constexpr (std::is_base_of_v<OwnerDrawn, Ctl>) ctl_.OwnerDrawn::BackImageCopy(disp_, r.Left, r.Top);
  }
  bool Visible() const override { return ctl_.Visible(); }
  void Visible(bool v) override { ctl_.SetVisible(v); }

 protected:
  Ctl& ctl_;
  const plat::Surface& disp_;
};

class GridPart : public Placed<cmd::IGrid, ctrGraphicalGrid> {
 public:
  GridPart(ctrGraphicalGrid& g, const plat::Surface& disp, const CommandControls& all) : Placed(g, disp), all_(all) {}
  void Place(const cmd::Rect& r) override {
    ctl_.SetBounds(r.Left, r.Top, r.Width, r.Height);
    ctl_.BackImageCopy(disp_, r.Left, r.Top);
  }
  void GetData(std::shared_ptr<RecordSet> rs, int16_t cols, cmd::ColumnSet set) override {
    ctl_.GetData(std::move(rs), cols, all_.columns(CommandHostAdapter::SetOf(set)));
  }
  // The grid's own subscript error becomes the runtime's, as a command expects.
  std::string SelectRowData(int16_t i) const override { return Read([&] { return ctl_.SelectRowData(i); }); }
  std::string MouseRowData(int16_t i) const override { return Read([&] { return ctl_.MouseRowData(i); }); }

 private:
  template <class F>
  static std::string Read(F f) {
    try {
      return f();
    } catch (const std::out_of_range&) {
      throw rt::VbError(rt::kErrSubscript);
    }
  }
  const CommandControls& all_;
};

class ButtonPart : public Placed<cmd::IButton, ctrGraphicalLabelLite> {
 public:
  using Placed::Placed;
  std::string Text() const override { return ctl_.Text(); }
  void Text(const std::string& v) override { ctl_.SetText(v); }
  bool Enable() const override { return ctl_.Enable(); }
  void Enable(bool v) override { ctl_.SetEnable(v); }
  void FontColor(int16_t v) override {
    ctl_.SetFontColor(v);
    ctl_.SetText(ctl_.Text());  // repaints in the new colour
  }
};

class SliderPart : public Placed<cmd::ISlider, ctrPicSliderBar> {
 public:
  using Placed::Placed;
  int32_t Min() const override { return ctl_.Min(); }
  void Min(int32_t v) override { ctl_.SetMin(v); }
  int32_t Max() const override { return ctl_.Max(); }
  void Max(int32_t v) override { ctl_.SetMax(v); }
  int32_t Value() const override { return ctl_.Value(); }
  void Value(int32_t v) override { ctl_.SetValue(v); }
  std::string Text() const override { return ctl_.Text(); }
  void Text(const std::string& v) override { ctl_.SetText(v); }
  bool Enable() const override { return ctl_.Enable(); }
  void Enable(bool v) override { ctl_.SetEnable(v); }
  void ControlStart() override { ctl_.ControlStart(); }
};

class LabelPart : public Placed<cmd::IFigureLabel, ctrGraphicalLabel> {
 public:
  using Placed::Placed;
  void MainText(const std::string& v) override { ctl_.SetMainText(v); }
  std::string SubText() const override { return ctl_.SubText(); }
  void SubText(const std::string& v) override { ctl_.SetSubText(v); }
  void Setting() override { ctl_.Setting(); }
};

using PanelControl = Placed<cmd::IControl, plat::Control>;

// The next-week button comes back through Reveal, which guards it against the double-click
// that closed the panel.
class RevealedButton : public Placed<cmd::IControl, ctrGraphicalLabelLite> {
 public:
  using Placed::Placed;
  void Visible(bool v) override { ctl_.Reveal(v); }
  using Placed::Visible;
};

class TradeViewPart : public Placed<cmd::ITradeView, ctrGraphicalView> {
 public:
  using Placed::Placed;
  std::string HeaderText(int16_t pRow, int16_t pCol) const override { return ctl_.HeaderText(pRow, pCol); }
  void HeaderText(int16_t pRow, int16_t pCol, const std::string& text) override { ctl_.HeaderText(pRow, pCol, text); }
  void RePaint() override { ctl_.RePaint(); }
};

template <class T>
T& Need(T* p) {
  if (!p) throw std::logic_error("a control of the command panel is missing");
  return *p;
}

}  // namespace

struct CommandHostAdapter::Parts {
  explicit Parts(CommandControls c)
      : all(std::move(c)),
        disp(Need(all.Disp)),
        grids{GridPart(Need(all.GGMain), disp, all), GridPart(Need(all.GGSub1), disp, all), GridPart(Need(all.GGSub2), disp, all)},
        buttons{ButtonPart(Need(all.GLMenu), disp), ButtonPart(Need(all.GLSubMenu), disp), ButtonPart(Need(all.GLSubMenu2), disp),
                ButtonPart(Need(all.GLSubMenu3), disp), ButtonPart(Need(all.GLExcute), disp), ButtonPart(Need(all.GLClear), disp)},
        slider(Need(all.PSMain), disp),
        restruct(Need(all.GLRestruct), disp) {
    for (auto& [id, control] : all.panels) panels.emplace(id, PanelControl(Need(control), disp));
    if (auto it = all.panels.find(cmd::PanelId::GLTurnEnd); it != all.panels.end())
      if (auto* button = dynamic_cast<ctrGraphicalLabelLite*>(it->second)) turnEnd.emplace(*button, disp);
    // The trade view is one of the panels; the trade commands also write its cells.
    if (auto it = all.panels.find(cmd::PanelId::GVTrade); it != all.panels.end())
      if (auto* view = dynamic_cast<ctrGraphicalView*>(it->second)) trade.emplace(*view, disp);
  }
  CommandControls all;
  const plat::Surface& disp;
  GridPart grids[3];      // by GridId
  ButtonPart buttons[6];  // by ButtonId
  SliderPart slider;
  LabelPart restruct;
  std::map<cmd::PanelId, PanelControl> panels;
  std::optional<TradeViewPart> trade;
  std::optional<RevealedButton> turnEnd;
};

CommandHostAdapter::CommandHostAdapter(CommandControls controls) : parts_(std::make_unique<Parts>(std::move(controls))) {}
CommandHostAdapter::~CommandHostAdapter() = default;

cmd::IGrid& CommandHostAdapter::Grid(cmd::GridId id) { return parts_->grids[static_cast<int>(id)]; }
cmd::IButton& CommandHostAdapter::Button(cmd::ButtonId id) { return parts_->buttons[static_cast<int>(id)]; }
cmd::ISlider& CommandHostAdapter::PSMain() { return parts_->slider; }
cmd::IFigureLabel& CommandHostAdapter::GLRestruct() { return parts_->restruct; }
cmd::IControl& CommandHostAdapter::Panel(cmd::PanelId id) {
  if (id == cmd::PanelId::GVTrade) return GVTrade();
  if (id == cmd::PanelId::GLTurnEnd && parts_->turnEnd) return *parts_->turnEnd;
  auto it = parts_->panels.find(id);
  if (it == parts_->panels.end()) throw std::logic_error("a control of the command panel is missing");
  return it->second;
}

cmd::ITradeView& CommandHostAdapter::GVTrade() {
  if (!parts_->trade) throw std::logic_error("the trade view of the command panel is missing");
  return *parts_->trade;
}

ColumnSetId CommandHostAdapter::SetOf(cmd::ColumnSet set) {
  switch (set) {
    case cmd::ColumnSet::Area: return ColumnSetId::Area;
    case cmd::ColumnSet::AreaBuilding: return ColumnSetId::AreaBuilding;
    case cmd::ColumnSet::ItemSell: return ColumnSetId::ItemSell;
    case cmd::ColumnSet::Product: return ColumnSetId::Product;
    case cmd::ColumnSet::Construct: return ColumnSetId::Construct;
    case cmd::ColumnSet::Workplace: return ColumnSetId::Workplace;
    case cmd::ColumnSet::BuildingStaff: return ColumnSetId::BuildingStaff;
    case cmd::ColumnSet::Production: return ColumnSetId::Production;
    case cmd::ColumnSet::ItemValue: return ColumnSetId::ItemValue;
    case cmd::ColumnSet::ItemResearch: return ColumnSetId::ItemResearch;
    case cmd::ColumnSet::ContinueItem: return ColumnSetId::ContinueItem;
    case cmd::ColumnSet::Nation: return ColumnSetId::Nation;
    case cmd::ColumnSet::TradePartner: return ColumnSetId::TradePartner;
    case cmd::ColumnSet::TradeData: return ColumnSetId::TradeData;
    case cmd::ColumnSet::TradeGoods: return ColumnSetId::TradeGoods;
  }
  return ColumnSetId::Area;
}

}  // namespace mainscreen
