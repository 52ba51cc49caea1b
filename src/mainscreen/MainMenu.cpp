/** @file MainMenu.cpp The menu words: which list each one opens, the command panels, and the backdrop's mouse that closes them. */
#include "app/Screens.h"
#include "app/basQz.h"
#include "mainscreen/frmMain2.h"
#include "sim/StatusPanels.h"

void frmMain2::SetListBuilder(const std::string& word, ListBuilder builder) { listBuilders_[word] = std::move(builder); }

void frmMain2::GMenu_Click(const std::string& pMenu) {
  mMouseOnControl.clear();
  if (pMenu != mCommand && !mCommand.empty()) HideCommandPanel(mCommand, false);
  if (pMenu == "戻る") {
    if (!mCommand.empty()) HideCommandPanel(mCommand, false);
    mCommand.clear();
    return;
  }
  GLMenu.SetText(pMenu);
  GLMenu.SetVisible(true);
  if (pMenu == "設定") {
    // The label names the dialog while it is open; the current command stays as it was.
    if (Screens().ShowSettings) Screens().ShowSettings(media);
    HideCommandPanel("設定", false);
    return;
  }
  bool shown = true;  // a word without a list of its own opens its panel as it is
  if (auto it = listBuilders_.find(pMenu); it != listBuilders_.end()) shown = it->second(pMenu);
  if (!shown) {
    HideCommandPanel(pMenu, false);
    return;
  }
  HideCommandPanel(pMenu, true);
  mCommand = pMenu;
}

void frmMain2::HideCommandPanel(const std::string& Command, bool Flag) {
  if (Command == "住民")
    for (sim::ViewId id : {sim::ViewId::Producer, sim::ViewId::Merchant, sim::ViewId::Engineer,
                           sim::ViewId::Constructor, sim::ViewId::Soldier})
      ViewOf(id).SetVisible(Flag);
  if (commandPanel) commandPanel(Command, Flag);
  if (!Flag) GLMenu.SetVisible(false);
  GLTurnEnd.Reveal(!Flag);
}

void frmMain2::Disp_MouseMove() {
  if (mActiveView != mainscreen::kViewNone) {
    for (sim::ViewId id : {sim::ViewId::Producer, sim::ViewId::Merchant, sim::ViewId::Engineer,
                           sim::ViewId::Constructor, sim::ViewId::Soldier, sim::ViewId::People})
      ViewOf(id).MouseLeave();
    GVUnit.MouseLeave();
    GVTrade.MouseLeave();
    mActiveView = mainscreen::kViewNone;
  }
  if (mMenuHover) {
    GMenu.MouseLeave();
    mMenuHover = false;
  }
  if (mMouseOnControl == "GGMain") GGMain.MouseLeave();
  else if (mMouseOnControl == "GGSub1") GGSub1.MouseLeave();
  else if (mMouseOnControl == "GGSub2") GGSub2.MouseLeave();
  if (!gEnding) GLToolTip.SetVisible(false);
}

void frmMain2::Disp_MouseUp(int Button) {
  if (Button == plat::kRightButton) HideCommandPanel(mCommand, false);
}
