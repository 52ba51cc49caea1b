/** @file MainCommands.cpp The economy commands on the main window: their menu words, their panel, the procedures a chosen row reaches, the slider and the execute button. */
#include "commands/CommandPanel.h"
#include "commands/ItemCommands.h"
#include "commands/LandCommands.h"
#include "commands/TradeCommands.h"
#include "mainscreen/frmMain2.h"

using namespace mainscreen;

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
    SetListBuilder(word, [this](const std::string& pMenu) {
      auto c = Commands();
      return cmd::ShowAreaList(c, pMenu);
    });
  for (const char* word : {"倉庫", "研究", "公開", "売却", "供給", "購入"})
    SetListBuilder(word, [this](const std::string& pMenu) {
      auto c = Commands();
      return cmd::ShowItemList(c, pMenu);
    });
  SetListBuilder("開始", [this](const std::string& pMenu) {
    auto c = Commands();
    return cmd::ShowTradeCountryList(c, pMenu);
  });
  SetListBuilder("中止", [this](const std::string&) {
    auto c = Commands();
    return cmd::ShowTradeList(c);
  });
  commandPanel = [this](const std::string& Command, bool Flag) {
    auto c = Commands();
    cmd::HideCommandPanel(c, Command, Flag);
  };

  procedures.AreaCommand = [this] {
    auto c = Commands();
    cmd::AreaCommand(c);
  };
  procedures.ConstructCommand = [this] {
    auto c = Commands();
    cmd::ConstructCommand(c);
  };
  procedures.ItemCommand = [this] {
    auto c = Commands();
    cmd::ItemCommand(c);
  };
  procedures.TradeItemSelect = [this] {
    auto c = Commands();
    cmd::TradeItemSelect(c);
  };
  procedures.TradeStart = [this] {
    auto c = Commands();
    cmd::TradeStart(c);
  };
  procedures.GetTradeData = [this] {
    auto c = Commands();
    cmd::GetTradeData(c);
  };
  procedures.TradeLineAdd = [this] {
    auto c = Commands();
    cmd::TradeLineAdd(c);
  };
  GVTrade.Click = [this](int16_t& pRow, int16_t& pCol, std::string&) {
    auto c = Commands();
    cmd::GVTrade_Click(c, pRow, pCol);
  };
  GVTrade.RightClick = [this](int16_t& pRow, int16_t& pCol, std::string&) {
    auto c = Commands();
    cmd::GVTrade_RightClick(c, pRow, pCol);
  };
  GLExcute.Click = [this] {
    auto c = Commands();
    cmd::GLExcute_Click(c);
  };
  PSMain.ValueChenge = [this](int32_t pValue, bool& pFLG) {
    auto c = Commands();
    cmd::PSMain_ValueChenge(c, pValue, pFLG);
  };
}
