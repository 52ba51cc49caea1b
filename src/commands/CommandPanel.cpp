/** @file CommandPanel.cpp Opening and closing the command panel, the execute button's dispatch and the quantity slider's handler. */
#include "commands/CommandPanel.h"

#include <initializer_list>
#include <variant>

#include "commands/ItemCommands.h"
#include "commands/LandCommands.h"
#include "commands/TradeCommands.h"
#include "sim/GameScreen.h"

namespace cmd {
namespace {

enum class Group { None, Items, Land, Army, People, TradeStop, TradeStart };

Group GroupOf(const std::string& word) {
  for (const char* w : {"倉庫", "研究", "売却", "購入", "公開", "供給"})
    if (word == w) return Group::Items;
  for (const char* w : {"探索", "建設", "解体", "配分", "改修"})
    if (word == w) return Group::Land;
  if (word == "編成" || word == "討伐") return Group::Army;
  if (word == "住民") return Group::People;
  if (word == "中止") return Group::TradeStop;
  if (word == "開始") return Group::TradeStart;
  return Group::None;
}

using Ctl = std::variant<GridId, ButtonId, PanelId, int>;  // int: 0 the slider, 1 GLRestruct
constexpr int kSlider = 0;
constexpr int kRestruct = 1;

IControl& Resolve(ICommandHost& h, const Ctl& ctl) {
  if (auto g = std::get_if<GridId>(&ctl)) return h.Grid(*g);
  if (auto b = std::get_if<ButtonId>(&ctl)) return h.Button(*b);
  if (auto p = std::get_if<PanelId>(&ctl)) return h.Panel(*p);
  if (std::get<int>(ctl) == kSlider) return h.PSMain();
  return h.GLRestruct();
}

void HideShown(ICommandHost& h, std::initializer_list<Ctl> controls) {
  for (const Ctl& ctl : controls) HideIfShown(Resolve(h, ctl));
}

}  // namespace

void HideCommandPanel(CommandContext& c, const std::string& Command, bool Flag) {
  ICommandHost& h = c.host;
  if (!Flag) h.Button(ButtonId::GLMenu).Visible(false);
  h.Panel(PanelId::GLTurnEnd).Visible(!Flag);
  switch (GroupOf(Command)) {
    case Group::None: break;
    case Group::Items:
      h.Grid(GridId::GGMain).Visible(Flag);
      if (!Flag)
        HideShown(h, {kSlider, ButtonId::GLExcute, ButtonId::GLSubMenu2, ButtonId::GLSubMenu3, GridId::GGSub1});
      break;
    case Group::Land:
      h.Grid(GridId::GGMain).Visible(Flag);
      if (!Flag) {
        HideShown(h, {GridId::GGSub1, GridId::GGSub2, ButtonId::GLSubMenu, kSlider, ButtonId::GLExcute, kRestruct,
                      ButtonId::GLClear});
        c.form.subListArea.clear();
      }
      break;
    case Group::Army:
      if (!Flag)
        HideShown(h, {PanelId::GVUnit, GridId::GGMain, GridId::GGSub1, GridId::GGSub2, kSlider, ButtonId::GLSubMenu2});
      break;
    case Group::People:
      for (PanelId v : {PanelId::GVProducer, PanelId::GVMerchant, PanelId::GVEngineer, PanelId::GVConstructor,
                        PanelId::GVSoldier})
        h.Panel(v).Visible(Flag);
      break;
    case Group::TradeStop:
      if (!Flag) HideShown(h, {GridId::GGSub1, GridId::GGMain, ButtonId::GLExcute});
      break;
    case Group::TradeStart:
      if (!Flag)
        HideShown(h, {PanelId::GVTrade, GridId::GGMain, GridId::GGSub1, kSlider, ButtonId::GLExcute,
                      ButtonId::GLSubMenu, ButtonId::GLSubMenu2, ButtonId::GLSubMenu3});
      break;
  }
  if (!Flag) HideShown(h, {PanelId::GLToolTip});
}

void GLExcute_Click(CommandContext& c) {
  const std::string command = c.form.mCommand;
  if (command == "供給") return SupplyCommit(c);
  if (command == "売却" || command == "購入") return DealCommit(c);
  if (command == "配分") return AllotCommit(c);
  if (command == "開始") return TradeCommit(c);
  if (command == "中止") return TradeCancel(c);
  HideCommandPanel(c, command, false);
}

void PSMain_ValueChenge(CommandContext& c, int32_t pValue, bool& pFLG) {
  if (c.form.mCommand == "売却" || c.form.mCommand == "購入") return DealSliderMoved(c, pValue);
  if (c.form.mCommand == "配分") {
    // Only as many workers as the occupation has free beside the other buildings' staff.
    const int64_t free = int64_t{c.form.mAllotPopulation} - (int64_t{c.form.mAllotOthers} + pValue);
    if (free >= 0) {
      pFLG = true;
      c.host.GLRestruct().SubText(std::to_string(free));
    } else {
      pFLG = false;
    }
  }
}

void HideIfShown(IControl& control) {
  if (control.Visible()) control.Visible(false);
}

void HideIfShown(std::initializer_list<IControl*> controls) {
  for (IControl* control : controls) HideIfShown(*control);
}

void ShowSlider(CommandContext& c, const Rect& at, int32_t max, int32_t value, const std::string& text, bool enable) {
  ISlider& slider = c.host.PSMain();
  slider.Visible(false);
  slider.Place(at);
  slider.Min(0);
  slider.Max(max);
  slider.Value(value);
  slider.Text(text);
  slider.Enable(enable);
  slider.ControlStart();
  slider.Visible(true);
}

void ShowExecute(CommandContext& c, const std::string& text) {
  IButton& execute = c.host.Button(ButtonId::GLExcute);
  execute.Place({670, 575, 110, 20});
  execute.Visible(true);
  execute.FontColor(1);
  execute.Text(text);
}

void DataError(CommandContext& c, const std::string& what, const std::string& sql) {
  c.week.MsgBox(what + "\r\n" + sql);
}

void Notice(CommandContext& c, const std::string& text) { c.week.ShowMSGBox(text, sim::kMsgClose, true); }

bool AskYes(CommandContext& c, const std::string& text) {
  return c.week.ShowMSGBox(text, sim::kMsgYesNo, true) != sim::kAnsNo;
}

}  // namespace cmd
