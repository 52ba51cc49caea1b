/** @file MainNavigation.cpp The lists' chosen and hovered rows, the views' recruitment switches and the mouse over them, the panel's buttons and 次の週へ. */
#include <utility>

#include "app/basQz.h"
#include "commands/LandCommands.h"
#include "mainscreen/Navigation.h"
#include "mainscreen/frmMain2.h"
#include "runtime/FlagScope.h"
#include "runtime/VbError.h"
#include "sim/Economy.h"
#include "sim/TurnEnd.h"

using namespace mainscreen;

namespace {

void Call(const std::function<void()>& procedure) {
  if (procedure) procedure();
}

}  // namespace

Row mainscreen::RowOf(const ctrGraphicalGrid& grid, bool hovered) {
  Row row;
  try {
    for (int16_t i = 0; i < grid.FieldCount(); ++i)
      row.push_back(hovered ? grid.MouseRowData(i) : grid.SelectRowData(i));
  } catch (const rt::VbError&) {
    row.clear();
  }
  return row;
}

void frmMain2::InitNavigation() {
  // The lists: where the mouse is, the hovered row's tooltip, the chosen row's command.
  const std::pair<ctrGraphicalGrid*, const char*> grids[] = {{&GGMain, "GGMain"}, {&GGSub1, "GGSub1"}, {&GGSub2, "GGSub2"}};
  for (auto [grid, name] : grids)
    grid->MouseMove = [this, name = std::string(name)] {
      if (gEnding) return;
      LeaveList(name);
      mMouseOnControl = name;
    };
  GGMain.MouseMoveMessage = [this](std::string&) { GGMain_MouseMoveMessage(); };
  GGSub1.MouseMoveMessage = [this](std::string&) { GGSub1_MouseMoveMessage(); };
  GGSub2.MouseMoveMessage = [this](std::string&) { GGSub2_MouseMoveMessage(); };
  GGMain.RowSelect = [this](int16_t&, int16_t&) { GGMain_RowSelect(); };
  GGSub1.RowSelect = [this](int16_t&, int16_t&) { GGSub1_RowSelect(); };
  GGSub2.RowSelect = [this](int16_t&, int16_t&) { GGSub2_RowSelect(); };

  // The views: the recruitment switches and which view the mouse is over.
  const std::pair<ctrGraphicalView*, sim::PanelOcc> occupations[] = {
      {&GVProducer, sim::PanelOcc::Producer}, {&GVMerchant, sim::PanelOcc::Merchant},
      {&GVEngineer, sim::PanelOcc::Engineer}, {&GVConstructor, sim::PanelOcc::Constructor},
      {&GVSoldier, sim::PanelOcc::Soldier}};
  for (auto [view, occupation] : occupations) {
    view->Click = [this, occupation](int16_t&, int16_t&, std::string& pText) { GVOccupation_Click(occupation, pText); };
    view->MouseMove = [this, occupation] {
      if (gEnding) return;
      LeaveList("");
      mActiveView = static_cast<int16_t>(sim::Index(occupation) + kViewProducer);
    };
  }
  GVPeople.Click = [this](int16_t& pRow, int16_t&, std::string& pText) { GVPeople_Click(pRow, pText); };
  const std::pair<ctrGraphicalView*, int16_t> tracked[] = {{&GVPeople, kViewPeople}, {&GVUnit, kViewUnit}, {&GVTrade, kViewTrade}};
  for (auto [view, id] : tracked)
    view->MouseMove = [this, id] {
      if (gEnding) return;
      LeaveList("");
      mActiveView = id;
    };

  // The panel's buttons. Their own sound requests are not heard: no Sound handler.
  GLClear.Click = [this] { GLClear_Click(); };
  GLSubMenu.Click = [this] { GLSubMenu_Click(); };
  GLSubMenu2.Click = [this] { GLSubMenu2_Click(); };
  GLSubMenu2.RightClick = [this] { GLSubMenu2_RightClick(); };
  GLSubMenu3.Click = [this] { GLSubMenu3_Click(); };
  GLTurnEnd.Click = [this] { GLTurnEnd_Click(); };
  const std::pair<ctrGraphicalLabelLite*, const char*> buttons[] = {
      {&GLClear, "GLClear"}, {&GLSubMenu, "GLSubMenu"}, {&GLSubMenu2, "GLSubMenu2"},
      {&GLSubMenu3, "GLSubMenu3"}, {&GLTurnEnd, "GLTurnEnd"}, {&GLExcute, "GLExcute"}};
  for (auto [button, name] : buttons) {
    button->MouseMove = [this, name = std::string(name)](const plat::MouseEvent&) {
      if (gEnding) return;
      LeaveList(name);
      mMouseOnControl = name;
    };
  }
}

// ---- Rows.

void frmMain2::GGMain_RowSelect() {
  switch (RowActionOf(cmd::GridId::GGMain, mCommand)) {
    case RowAction::ItemCommand: return Call(procedures.ItemCommand);
    case RowAction::AreaCommand: return Call(procedures.AreaCommand);
    case RowAction::SetUnitEquipment: return Call(procedures.SetUnitEquipment);
    case RowAction::TradeItemSelect: return Call(procedures.TradeItemSelect);
    default: return;
  }
}

void frmMain2::GGSub1_RowSelect() {
  switch (RowActionOf(cmd::GridId::GGSub1, mCommand)) {
    case RowAction::ConstructCommand: return Call(procedures.ConstructCommand);
    case RowAction::ShowStandardEquipment:
      GVUnit.SetVisible(true);
      return Call(procedures.ShowStandardEquipment);
    case RowAction::TradeStart: return Call(procedures.TradeStart);
    case RowAction::GetTradeData: return Call(procedures.GetTradeData);
    default: return;
  }
}

void frmMain2::GGSub2_RowSelect() {
  switch (RowActionOf(cmd::GridId::GGSub2, mCommand)) {
    case RowAction::SetBattle:
      if (procedures.SetBattle)
        if (const std::string message = procedures.SetBattle(); !message.empty()) ShowMSGBox(message, 1, true);
      return;
    case RowAction::ChooseProduct: {
      const Row row = RowOf(GGSub2, false);
      if (row.empty()) return;
      GLClear.SetText(row[0]);
      GLClear.SetEnable(true);
      return;
    }
    default: return;
  }
}

// ---- Tooltips.

void frmMain2::ShowToolTip(const std::string& text) {
  if (text.empty()) {
    GLToolTip.SetVisible(false);
    return;
  }
  GLToolTip.SetText(text);
  GLToolTip.SetVisible(true);
}

void frmMain2::LeaveList(const std::string& onto) {
  if (mMouseOnControl == onto) return;
  ctrGraphicalGrid* list = mMouseOnControl == "GGMain" ? &GGMain
                           : mMouseOnControl == "GGSub1" ? &GGSub1
                           : mMouseOnControl == "GGSub2" ? &GGSub2
                                                         : nullptr;
  if (!list) return;
  list->MouseLeave();
  GLToolTip.SetVisible(false);
  mMouseOnControl.clear();
}

void frmMain2::GGMain_MouseMoveMessage() { ShowToolTip(GGMainToolTip(Context().db, mCommand, RowOf(GGMain, true))); }

void frmMain2::GGSub1_MouseMoveMessage() {
  ShowToolTip(GGSub1ToolTip(Context().db, mCommand, RowOf(GGSub1, true), mTurn, mConstructPower));
}

void frmMain2::GGSub2_MouseMoveMessage() {
  if (auto text = GGSub2ToolTip(Context().db, mCommand, mAllotOccupation, RowOf(GGSub2, true))) ShowToolTip(*text);
}

// ---- The recruitment switches.

void frmMain2::GVOccupation_Click(sim::PanelOcc occupation, const std::string& pText) {
  sim::SetRecruiting(Context(), occupation, pText == sim::kNotRecruitingText);
}

void frmMain2::GVPeople_Click(int16_t pRow, const std::string& pText) {
  if (pRow < 2 || pRow > 6) return;
  sim::SetRecruiting(Context(), static_cast<sim::PanelOcc>(pRow - 2), pText == sim::kNotRecruitingText);
}

// ---- Buttons.

void frmMain2::GLClear_Click() {
  if (GLClear.Text() == cmd::kNoProduct) return;
  GLClear.SetText(cmd::kNoProduct);
  GLClear.SetEnable(false);
}

void frmMain2::GLSubMenu_Click() {
  if (mCommand == "開始") Call(procedures.TradeLineAdd);
}

void frmMain2::GLSubMenu2_Click() {
  if (mCommand == "討伐") return Call(procedures.SetBestEquipment);
  if (auto caption = CountCaption(GLSubMenu2.Text(), mCommand, true)) GLSubMenu2.SetText(*caption);
}

void frmMain2::GLSubMenu2_RightClick() {
  if (auto caption = CountCaption(GLSubMenu2.Text(), mCommand, false)) GLSubMenu2.SetText(*caption);
}

void frmMain2::GLSubMenu3_Click() {
  if (mCommand == "供給" || mCommand == "購入" || mCommand == "売却" || mCommand == "開始") PSMain.SetValue(PSMain.Max());
}

void frmMain2::GLTurnEnd_Click() {
  // One week at a time: a click that was queued before the button went away finds it running.
  if (turnEndClick_ || mWeekRunning) return;
  {
    rt::FlagScope click(turnEndClick_);
    mQuitAfterTurn = false;
    GLTurnEnd.SetVisible(false);
    sim::TurnEnd(Context());
    GLTurnEnd.SetSelected(false);
    GLTurnEnd.MouseLeave();
    GLTurnEnd.Reveal(true);
  }
  if (mQuitAfterTurn) Close();
}
