/** @file MainCommands.cpp The economy commands on the main window: their menu words, their panel, the procedures a chosen row reaches, the slider and the execute button. */
#include "commands/CommandPanel.h"
#include "commands/ItemCommands.h"
#include "commands/LandCommands.h"
#include "commands/TradeCommands.h"
#include "mainscreen/frmMain2.h"

using namespace mainscreen;

namespace {

// An event of the window that runs a command procedure with the window's command context.
template <class Result, class... Args>
auto Command(frmMain2& w, Result (*procedure)(cmd::CommandContext&, Args...)) {
  return [&w, procedure](Args... args) {
    auto c = w.Commands();
    return procedure(c, args...);
  };
}

}  // namespace

void frmMain2::InitCommands() {
  CommandControls controls;
  controls.Disp = &Disp.Image();
  controls.GGMain = &GGMain;
  controls.GGSub1 = &GGSub1;
  controls.GGSub2 = &GGSub2;
  controls.GLMenu = &GLMenu;
  controls.GLSubMenu = &GLSubMenu;
  controls.GLSubMenu2 = &GLSubMenu2;
  controls.GLSubMenu3 = &GLSubMenu3;
  controls.GLExcute = &GLExcute;
  controls.GLClear = &GLClear;
  controls.PSMain = &PSMain;
  controls.GLRestruct = &GLRestruct;
  controls.panels = {{cmd::PanelId::GLTurnEnd, &GLTurnEnd},   {cmd::PanelId::GVUnit, &GVUnit},
                     {cmd::PanelId::GVTrade, &GVTrade},       {cmd::PanelId::GVProducer, &GVProducer},
                     {cmd::PanelId::GVMerchant, &GVMerchant}, {cmd::PanelId::GVEngineer, &GVEngineer},
                     {cmd::PanelId::GVConstructor, &GVConstructor}, {cmd::PanelId::GVSoldier, &GVSoldier},
                     {cmd::PanelId::GLToolTip, &GLToolTip}};
  controls.columns = [this](ColumnSetId id) -> const GridColumnSet& { return ColumnSet(id); };
  commandHost_ = std::make_unique<CommandHostAdapter>(std::move(controls));

  for (const char* word : {"探索", "建設", "解体", "配分", "改修"})
    SetListBuilder(word, Command(*this, cmd::ShowAreaList));
  for (const char* word : {"倉庫", "研究", "公開", "売却", "供給", "購入"})
    SetListBuilder(word, Command(*this, cmd::ShowItemList));
  SetListBuilder("開始", Command(*this, cmd::ShowTradeCountryList));
  SetListBuilder("中止", [this](const std::string&) {
    auto c = Commands();
    return cmd::ShowTradeList(c);
  });
  commandPanel = Command(*this, cmd::HideCommandPanel);

  procedures.AreaCommand = Command(*this, cmd::AreaCommand);
  procedures.ConstructCommand = Command(*this, cmd::ConstructCommand);
  procedures.ItemCommand = Command(*this, cmd::ItemCommand);
  procedures.TradeItemSelect = Command(*this, cmd::TradeItemSelect);
  procedures.TradeStart = Command(*this, cmd::TradeStart);
  procedures.GetTradeData = Command(*this, cmd::GetTradeData);
  procedures.TradeLineAdd = Command(*this, cmd::TradeLineAdd);
  GVTrade.Click = [this](int16_t& pRow, int16_t& pCol, std::string&) {
    auto c = Commands();
    cmd::GVTrade_Click(c, pRow, pCol);
  };
  GVTrade.RightClick = [this](int16_t& pRow, int16_t& pCol, std::string&) {
    auto c = Commands();
    cmd::GVTrade_RightClick(c, pRow, pCol);
  };
  GLExcute.Click = Command(*this, cmd::GLExcute_Click);
  PSMain.ValueChenge = Command(*this, cmd::PSMain_ValueChenge);
}
