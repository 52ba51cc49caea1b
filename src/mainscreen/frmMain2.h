/** @file frmMain2.h The main game window: its controls by their game names, its form state, its load and unload, and the message box the whole game asks through.
 *
 * Where the window's parts live:
 *  - construction, the controls' events and the screen interface of the rules: frmMain2.cpp
 *  - Form_Load, Form_QueryUnload, Form_Unload: MainLoad.cpp
 *  - the menu, label, button and gauge set-up (InitGameMenu, InitLabels): MainLayout.cpp
 *  - the column sets, grids and slider set-up (InitGridHeaders, InitGrids, InitSlider): MainGrids.cpp
 *  - the views' set-up (InitViews): MainViews.cpp
 *  - the message box (ShowMSGBox and its buttons): MainMessageBox.cpp
 *  - the menu words and the backdrop's mouse (GMenu_Click, HideCommandPanel): MainMenu.cpp
 *  - the lists' rows and tooltips, the views' switches, the panel's buttons and 次の週へ: MainNavigation.cpp
 *  - the conquest's music, and the battle's pictures made only while a battle needs them: MainConquest.cpp
 *  - the economy commands' words, rows, slider and buttons: MainCommands.cpp
 *  - the values the screen's design chooses: DesignValues.h
 */
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/Media.h"
#include "army/Conquest.h"
#include "army/PlatformBattlePump.h"
#include "commands/CommandHost.h"
#include "controls/clsGraphicalGridHeader.h"
#include "controls/ctrGameMenu.h"
#include "controls/ctrGraphicalGrid.h"
#include "controls/ctrGraphicalLabel.h"
#include "controls/ctrGraphicalLabelEX.h"
#include "controls/ctrGraphicalLabelLite.h"
#include "controls/ctrGraphicalMSG.h"
#include "controls/ctrGraphicalView.h"
#include "controls/ctrPicSliderBar.h"
#include "mainscreen/BattleScreen.h"
#include "mainscreen/ColumnSets.h"
#include "mainscreen/CommandHostAdapter.h"
#include "mainscreen/FormState.h"
#include "platform/Text.h"
#include "platform/Window.h"
#include "sim/GameState.h"
#include "sim/IniSettings.h"
#include "sim/clsData.h"

namespace mainscreen {

class FormationHost;

/// A picture of the image folder that a control needs is missing or unreadable; the text names it.
class MissingPicture : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
/// The picture <program folder>/image/<file>; throws MissingPicture.
plat::Surface ControlPicture(const std::string& file);
/// Every field of a list's chosen record, or of its hovered one; empty when there is none.
std::vector<std::string> RowOf(const ctrGraphicalGrid& grid, bool hovered);

/// One line of plain text on the message layer: the layer's picture under it, with the text.
class MessageLine : public plat::Control {
 public:
  explicit MessageLine(plat::Control* parent) : plat::Control(parent) {}
  /// Draws `text` over the picture of `layer` under the line, wrapped to the line's width and
  /// whole: in `font`, or in the largest smaller size of it whose lines fit the line's height.
  void Show(const plat::Surface& layer, const std::string& text, bool centred, const plat::Font& font);
  const std::string& Caption() const { return caption_; }
  bool Centred() const { return centred_; }
  /// The font the text was drawn in.
  const plat::Font& TextFont() const { return font_; }

 private:
  std::string caption_;
  bool centred_ = false;
  plat::Font font_;
};

/// A view as the rules write it.
class ViewCells : public sim::IView {
 public:
  explicit ViewCells(ctrGraphicalView& view) : view_(view) {}
  std::string HeaderText(int16_t pRow, int16_t pCol) const override { return view_.HeaderText(pRow, pCol); }
  void HeaderText(int16_t pRow, int16_t pCol, const std::string& text) override { view_.HeaderText(pRow, pCol, text); }
  void RePaint() override { view_.RePaint(); }

 private:
  ctrGraphicalView& view_;
};

/// A status label as the rules write it.
class LabelText : public sim::ILabel {
 public:
  explicit LabelText(ctrGraphicalLabel& label) : label_(label) {}
  std::string MainText() const override { return label_.MainText(); }
  void MainText(const std::string& text) override { label_.SetMainText(text); }
  void SubText(const std::string& text) override { label_.SetSubText(text); }
  void SetValue(int16_t pValue) override { label_.SetValue(pValue); }

 private:
  ctrGraphicalLabel& label_;
};

}  // namespace mainscreen

class frmMain2 : public plat::Window,
                 public sim::GameState,
                 public mainscreen::FormState,
                 public cmd::CommandState,
                 public sim::IGameScreen,
                 public MediaHost,
                 public army::IConquestHost {
 public:
  /// What the window needs of the screens around it; each link may be left empty.
  struct Links {
    std::function<void(const std::string&)> ProgressMSG;  ///< the title screen's progress text (it yields)
    std::function<void()> UnloadTitle;                    ///< the load's last step
  };

  explicit frmMain2(Links links = {});
  ~frmMain2() override;

  // ---- Load and unload (MainLoad.cpp).
  /// The start-up sequence. False when the game could not start: the program has then been
  /// ended in order (settings written, database closed) and the window was never shown, unless
  /// StartRefused().
  bool Form_Load();
  /// The load stopped at a damaged save, having told the player, and ended nothing: the title
  /// stays, where データ初期化 starts a new kingdom. The window is to be let go unshown.
  bool StartRefused() const { return startRefused_; }
  void Form_QueryUnload(bool& Cancel);
  void Form_Unload();
  /// Receives the name of each load step and progress text as it runs (tests, tools).
  std::function<void(std::string_view)> trace;

  // ---- The screen as the rules see it (frmMain2.cpp, MainMessageBox.cpp).
  int32_t ShowMSGBox(const std::string& Msg, int32_t Buttons, bool Hide) override;
  void MsgBox(const std::string& text, const std::string& title = "") override;
  sim::IView& View(sim::ViewId id) override;
  sim::ILabel& Label(sim::LabelId id) override;
  void GameOverLock() override;
  void SendMessagePanelBack() override;
  // The media's hold on the controls (frmMain2.cpp).
  void SetEffect(std::string_view control, bool on) override;
  void SetActive(std::string_view control, bool active) override;
  bool MainWindowActive() override;
  void SetBattleOptions(const BattleOptions& options) override;
  // The conquest's hold on the music and the battle picture (MainConquest.cpp).
  void BattleMusic(bool battle) override;
  void HideBattleDisp() override;
  /// The week, the commands and the army reach the database, the state and the screen here.
  /// Valid from the database's connection at load.
  sim::WeekContext& Context() { return *ctx_; }

  // ---- Menu routing (MainMenu.cpp).
  void GMenu_Click(const std::string& pMenu);
  /// Shows or hides what a command uses; the next-week button shows exactly when Flag is off.
  /// The economy and the army replace it for their own words through `commandPanel`.
  void HideCommandPanel(const std::string& Command, bool Flag);
  /// A list builder: true when it showed something (false after its own message).
  using ListBuilder = std::function<bool(const std::string& pMenu)>;
  /// Menu word to list builder; the commands and the army add their words.
  void SetListBuilder(const std::string& word, ListBuilder builder);
  /// Further panels of a command word (the commands' and the army's controls).
  std::function<void(const std::string& Command, bool Flag)> commandPanel;
  void Disp_MouseMove();
  void Disp_MouseUp(int Button);
  /// What the economy commands reach: the week's context, the panel's controls, the form
  /// state. Valid from the database's connection at load.
  cmd::CommandContext Commands() { return {Context(), *commandHost_, *this}; }

  // ---- The lists, the views and the buttons (MainNavigation.cpp).
  /// The procedures a chosen row or a panel button reaches, set by the part that owns each (the
  /// commands, the army); one left unset does nothing. Which word calls which: RowActionOf.
  struct Procedures {
    std::function<void()> ItemCommand, AreaCommand, TradeItemSelect, ConstructCommand, TradeStart, GetTradeData;
    std::function<void()> SetUnitEquipment;       ///< and then CalcUnitStatus
    std::function<void()> ShowStandardEquipment;  ///< a class chosen (GVUnit is shown first)
    std::function<std::string()> SetBattle;       ///< "" when the army left or the player said no, else why not
    std::function<void()> TradeLineAdd;           ///< GLSubMenu "アイテム確定" under 開始
    std::function<void()> SetBestEquipment;       ///< GLSubMenu2 "最強装備" under 討伐
  } procedures;
  void GGMain_RowSelect();
  void GGSub1_RowSelect();
  void GGSub2_RowSelect();
  /// The hovered row's tooltip in GLToolTip.
  void GGMain_MouseMoveMessage();
  void GGSub1_MouseMoveMessage();
  void GGSub2_MouseMoveMessage();
  /// A recruitment switch clicked in an occupation's view or in the people view; pText is the
  /// switch's text as clicked. Both views show the new state at once.
  void GVOccupation_Click(sim::PanelOcc occupation, const std::string& pText);
  void GVPeople_Click(int16_t pRow, const std::string& pText);
  void GLClear_Click();
  void GLSubMenu_Click();
  void GLSubMenu2_Click();
  void GLSubMenu2_RightClick();
  void GLSubMenu3_Click();
  /// 次の週へ: runs the week with its reports (and battles); the window closes when the game is over.
  void GLTurnEnd_Click();
  /// The button's click is running (its week, its reports, the restore): the window refuses to close.
  bool TurnEndClickRunning() const { return turnEndClick_; }

  // ---- The message box (MainMessageBox.cpp).
  void GLMSG_Click(int Index);

  /// Plays a sound code of the sound table; every control's and the battle's requests end here.
  void PlaySound(int32_t SE) override { media.PlaySound(SE); }
  /// Applies the sound and battle settings (again after the settings dialog).
  void SettingIni() { media.SettingIni(); }

  /// The sound table, the music, the timers and the artwork (picImage).
  Media media{*this};
  /// The column sets of the lists, by their form variable (mColsArea is
  /// ColumnSet(ColumnSetId::Area)); built at load.
  const GridColumnSet& ColumnSet(mainscreen::ColumnSetId id) const { return columnSets_[static_cast<size_t>(id)]; }
  /// The battle as drawn on this window (made by the load).
  BattleScreen* Battle() { return battleScreen_.get(); }
  /// A view by the rules' name.
  ctrGraphicalView& ViewOf(sim::ViewId id);

  // ---- The window's pictures. Disp is the game screen every control lies on; picMSG the
  // message layer over it; the battle's pictures lie hidden until a battle shows them.
  plat::Control Disp{this};
  plat::Control picMSG{this};
  plat::Control BattleDisp{this};
  plat::Surface BattleWS, BattleTMP;  ///< the battle's work pictures
  plat::Surface picBattleTMP;         ///< the battlefield, from which the battle's controls take their backgrounds
  std::array<plat::Surface, 17>& picImage = media.picImage;  ///< the loaded artwork

  // ---- The message layer's controls.
  std::array<mainscreen::MessageLine, 2> lblMSG{mainscreen::MessageLine(&picMSG), mainscreen::MessageLine(&picMSG)};
  std::array<ctrGraphicalLabelLite, 5> GLMSG{ctrGraphicalLabelLite(&picMSG), ctrGraphicalLabelLite(&picMSG),
                                             ctrGraphicalLabelLite(&picMSG), ctrGraphicalLabelLite(&picMSG),
                                             ctrGraphicalLabelLite(&picMSG)};

  // ---- The game screen's controls, in the order they are stacked (the later in front).
  ctrGraphicalView GVKingdom{&Disp}, GVPeople{&Disp}, GVTrade{&Disp}, GVUnit{&Disp};
  ctrGraphicalView GVProducer{&Disp}, GVMerchant{&Disp}, GVEngineer{&Disp}, GVConstructor{&Disp}, GVSoldier{&Disp};
  ctrGraphicalLabel GLAreaResearch{&Disp}, GLItemResearch{&Disp}, GLConstruct{&Disp}, GLRestruct{&Disp};
  ctrGraphicalGrid GGMain{&Disp}, GGSub1{&Disp}, GGSub2{&Disp};
  ctrPicSliderBar PSMain{&Disp};
  ctrGraphicalLabelLite GLTurnEnd{&Disp};   ///< "次の週へ"
  ctrGraphicalLabelLite GLClear{&Disp};     ///< the product of an allocation; "生産解除" for none
  ctrGraphicalLabelLite GLMenu{&Disp};      ///< the command word chosen
  ctrGraphicalLabelLite GLSubMenu{&Disp};
  ctrGraphicalLabelLite GLSubMenu2{&Disp};  ///< the repeat count
  ctrGraphicalLabelLite GLSubMenu3{&Disp};  ///< "最大"
  ctrGraphicalLabelLite GLExcute{&Disp};    ///< commits the open command
  ctrGameMenu GMenu{&Disp};
  ctrGraphicalMSG GLToolTip{&Disp};

  // ---- The battle's gauges, message line and buttons (on BattleDisp).
  std::array<ctrGraphicalLabelEX, 8> cGLEx{ctrGraphicalLabelEX(&BattleDisp), ctrGraphicalLabelEX(&BattleDisp),
                                           ctrGraphicalLabelEX(&BattleDisp), ctrGraphicalLabelEX(&BattleDisp),
                                           ctrGraphicalLabelEX(&BattleDisp), ctrGraphicalLabelEX(&BattleDisp),
                                           ctrGraphicalLabelEX(&BattleDisp), ctrGraphicalLabelEX(&BattleDisp)};
  ctrGraphicalLabelEX& cGLEx1 = cGLEx[0];
  ctrGraphicalLabelEX& cGLEx2 = cGLEx[1];
  ctrGraphicalLabelEX& cGLEx3 = cGLEx[2];
  ctrGraphicalLabelEX& cGLEx4 = cGLEx[3];
  ctrGraphicalLabelEX& cGLEx5 = cGLEx[4];
  ctrGraphicalLabelEX& cGLEx6 = cGLEx[5];
  ctrGraphicalLabelEX& cGLEx7 = cGLEx[6];
  ctrGraphicalLabelEX& cGLEx8 = cGLEx[7];
  ctrGraphicalLabel cGL{&BattleDisp};
  ctrGraphicalLabelLite GLItem1{&BattleDisp};
  ctrGraphicalLabelLite GLItem2{&BattleDisp};
  ctrGraphicalLabelLite GLRetreat{&BattleDisp};

  sim::clsData mData;
  /// The army's side of the week (the conquest) and of the load (the armies in the field).
  army::Army* Army() { return army_.get(); }
  /// The formation of armies (the menu word "討伐"), once the army exists.
  mainscreen::FormationHost* Formation() { return formation_.get(); }

 private:
  void Trace(std::string_view step);
  void Progress(const std::string& text);
  void InitGameMenu();
  void InitViews();
  void InitLabels();
  void InitGridHeaders();
  void InitGrids();
  void InitSlider();
  /// The lists', views' and buttons' events (MainNavigation.cpp).
  void InitNavigation();
  void ShowToolTip(const std::string& text);
  /// The pointer came onto `onto` straight from a list, without crossing the backdrop: the list
  /// lets go of its row and its tooltip goes.
  void LeaveList(const std::string& onto);
  /// The economy commands' menu words and the panel's events (MainCommands.cpp).
  void InitCommands();
  /// The 800 x 600 screen: backdrop, message layer with its frame, the battle pictures.
  void LayoutScreen();
  /// Ends a load that cannot go on: nothing is saved but the settings.
  bool EndLoad();
  /// The same after telling the player why.
  bool FailLoad(const std::string& message);

  /// Every owner-drawn control by its game name ("GLMSG(0)", "GGMain", ...).
  std::map<std::string, OwnerDrawn*, std::less<>> named_;
  std::array<GridColumnSet, mainscreen::kColumnSetCount> columnSets_;
  std::array<std::unique_ptr<mainscreen::ViewCells>, 7> viewCells_;
  std::array<std::unique_ptr<mainscreen::LabelText>, 3> labelTexts_;
  /// The battle engine, the same object as gBattle. Held here, it outlives everything of the
  /// window that listens to it or draws for it, also when the shutdown has let go of gBattle.
  std::shared_ptr<clsBattle> pBattle;
  std::unique_ptr<army::Army> army_;
  // The battle's pictures and work pictures (some 28 MB the main screen itself never shows)
  // are made when a battle first draws and let go when its army has come home.
  class LazyBattleDisplay;
  std::unique_ptr<BattleDisplay> MakeBattleDisplay();
  static bool IsBattlePicture(size_t index);
  void LoadBattlePictures();
  void ReleaseBattlePictures();
  std::unique_ptr<mainscreen::FormationHost> formation_;  ///< the 討伐 screen (MainFormation.cpp)
  std::unique_ptr<BattleScreen> battleScreen_;
  std::unique_ptr<BattleDisplay> battleDisplay_;
  bool battlePicturesLoaded_ = false;
  PlatformBattlePump battlePump_;
  Links links_;
  std::unique_ptr<sim::IniSettings> settings_;
  std::optional<sim::WeekContext> ctx_;
  std::map<std::string, ListBuilder> listBuilders_;
  std::unique_ptr<mainscreen::CommandHostAdapter> commandHost_;
  plat::Font msgFont_;
  bool unloaded_ = false;
  bool turnEndClick_ = false;
  bool startRefused_ = false;
};
