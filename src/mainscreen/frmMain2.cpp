/** @file frmMain2.cpp The main window's controls: their design properties, their events, and the screen interface the rules write through. */
#include "mainscreen/frmMain2.h"

#include "app/basQz.h"
#include "army/clsBattle.h"
#include "mainscreen/DesignValues.h"
#include "mainscreen/FormationHost.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"
#include "sim/StatusPanels.h"

using namespace mainscreen;

frmMain2::frmMain2(Links links)
    : plat::Window("", 800, 600),
      links_(std::move(links)),
      msgFont_(design::kMsgFontHeight, design::kMsgFontWeight) {
  pBattle = gBattle;
  QueryUnload = [this](bool& cancel) { Form_QueryUnload(cancel); };
  Unload = [this] { Form_Unload(); };

  // The pictures: the message layer and the battle's lie hidden until they are called for.
  picMSG.SetVisible(false);
  BattleDisp.SetVisible(false);

  // Design properties the controls carry from the window's design.
  for (ctrGraphicalView* v : {&GVKingdom, &GVPeople, &GVTrade, &GVUnit, &GVProducer, &GVMerchant, &GVEngineer,
                              &GVConstructor, &GVSoldier}) {
    v->SetSemiTransColor(5);
    v->SetFrameColor(1);
    v->SetMouseOverColor(6);
  }
  for (ctrGraphicalGrid* g : {&GGMain, &GGSub1, &GGSub2}) g->SetSemiTrans(4);
  for (auto* b : {&GLTurnEnd, &GLClear, &GLMenu, &GLSubMenu, &GLSubMenu2, &GLSubMenu3, &GLExcute, &GLItem1,
                  &GLItem2, &GLRetreat}) {
    b->SetFontColor(design::kButtonFontColor);
    b->SetFontSize(design::kButtonFontSize);
  }
  for (auto& b : GLMSG) b.SetFontSize(design::kButtonFontSize);

  // What shows at first: the kingdom, the people, the menu, the status labels, the next-week button.
  for (plat::Control* c : std::initializer_list<plat::Control*>{
           &GVTrade, &GVUnit, &GVProducer, &GVMerchant, &GVEngineer, &GVConstructor, &GVSoldier, &GLRestruct,
           &GGMain, &GGSub1, &GGSub2, &PSMain, &GLClear, &GLMenu, &GLSubMenu, &GLSubMenu2, &GLSubMenu3, &GLExcute,
           &GLToolTip})
    c->SetVisible(false);
  for (auto& b : GLMSG) b.SetVisible(false);
  for (auto& l : lblMSG) l.SetVisible(false);

  // The names the media and the tools reach the controls by.
  named_ = {{"GVKingdom", &GVKingdom},   {"GVPeople", &GVPeople},       {"GVTrade", &GVTrade},
            {"GVUnit", &GVUnit},         {"GVProducer", &GVProducer},   {"GVMerchant", &GVMerchant},
            {"GVEngineer", &GVEngineer}, {"GVConstructor", &GVConstructor}, {"GVSoldier", &GVSoldier},
            {"GLAreaResearch", &GLAreaResearch}, {"GLItemResearch", &GLItemResearch},
            {"GLConstruct", &GLConstruct}, {"GLRestruct", &GLRestruct}, {"GGMain", &GGMain},
            {"GGSub1", &GGSub1},         {"GGSub2", &GGSub2},           {"PSMain", &PSMain},
            {"GLTurnEnd", &GLTurnEnd},   {"GLClear", &GLClear},         {"GLMenu", &GLMenu},
            {"GLSubMenu", &GLSubMenu},   {"GLSubMenu2", &GLSubMenu2},   {"GLSubMenu3", &GLSubMenu3},
            {"GLExcute", &GLExcute},     {"GMenu", &GMenu},             {"GLToolTip", &GLToolTip},
            {"cGL", &cGL},               {"GLItem1", &GLItem1},         {"GLItem2", &GLItem2},
            {"GLRetreat", &GLRetreat}};
  for (int i = 0; i < 5; ++i) named_["GLMSG(" + std::to_string(i) + ")"] = &GLMSG[static_cast<size_t>(i)];
  for (int i = 0; i < 8; ++i) named_["cGLEx" + std::to_string(i + 1)] = &cGLEx[static_cast<size_t>(i)];

  // The menu, the grids, the views and the slider are heard; the text buttons and the labels
  // (the message box's answers among them) raise their requests unheard.
  for (OwnerDrawn* c : std::initializer_list<OwnerDrawn*>{
           &GMenu, &GGMain, &GGSub1, &GGSub2, &GVKingdom, &GVPeople, &GVTrade, &GVUnit, &GVProducer, &GVMerchant,
           &GVEngineer, &GVConstructor, &GVSoldier, &PSMain})
    c->Sound = [this](int code) { PlaySound(code); };
  for (int i = 0; i < 5; ++i) GLMSG[static_cast<size_t>(i)].Click = [this, i] { GLMSG_Click(i); };

  // The menu and the backdrop.
  GMenu.Click = [this](const std::string& word) { GMenu_Click(word); };
  GMenu.MouseMove = [this](const plat::MouseEvent&) { mMenuHover = true; };
  Disp.MouseMove = [this](const plat::MouseEvent&) {
    if (!gEnding) Disp_MouseMove();
  };
  Disp.MouseUp = [this](const plat::MouseEvent& e) { Disp_MouseUp(e.button); };
  SetListBuilder("住民", [this](const std::string&) {
    sim::ShowPeopleAll(Context(), true);
    return true;
  });
  InitNavigation();
  InitCommands();

  // The rules write the views and labels through these.
  for (size_t i = 0; i < viewCells_.size(); ++i)
    viewCells_[i] = std::make_unique<ViewCells>(ViewOf(static_cast<sim::ViewId>(i)));
  labelTexts_[0] = std::make_unique<LabelText>(GLAreaResearch);
  labelTexts_[1] = std::make_unique<LabelText>(GLItemResearch);
  labelTexts_[2] = std::make_unique<LabelText>(GLConstruct);
}

frmMain2::~frmMain2() {
  // A window that goes without its unload (a test, a tool) still leaves no music or sound
  // objects behind for the end of the program.
  if (!unloaded_) {
    media.StopMusic();
    if (gDX8) media.EndDX8Sound();
  }
  // The battle engine outlives the window: it must not draw on it any more.
  formation_.reset();
  army_.reset();
  if (pBattle && battleScreen_) pBattle->Init(nullptr, nullptr);
}

void frmMain2::MsgBox(const std::string& text, const std::string& title) { plat::MsgBox(text, plat::vbOKOnly, title); }

sim::IView& frmMain2::View(sim::ViewId id) { return *viewCells_[static_cast<size_t>(id)]; }

sim::ILabel& frmMain2::Label(sim::LabelId id) { return *labelTexts_[static_cast<size_t>(id)]; }

ctrGraphicalView& frmMain2::ViewOf(sim::ViewId id) {
  switch (id) {
    case sim::ViewId::Kingdom: return GVKingdom;
    case sim::ViewId::People: return GVPeople;
    case sim::ViewId::Producer: return GVProducer;
    case sim::ViewId::Merchant: return GVMerchant;
    case sim::ViewId::Engineer: return GVEngineer;
    case sim::ViewId::Constructor: return GVConstructor;
    case sim::ViewId::Soldier: return GVSoldier;
  }
  return GVPeople;
}

void frmMain2::SetEffect(std::string_view control, bool on) {
  if (auto it = named_.find(control); it != named_.end()) it->second->SetEffect(on);
}

void frmMain2::SetActive(std::string_view control, bool active) {
  if (auto it = named_.find(control); it != named_.end()) it->second->SetActive(active);
}

bool frmMain2::MainWindowActive() { return plat::IsActiveWindow(*this); }

void frmMain2::SetBattleOptions(const BattleOptions& options) {
  if (!pBattle) return;
  pBattle->Effect(options.Effect);
  pBattle->Anime(options.Anime);
  pBattle->BGM(options.BGM);
  pBattle->BattleSpeed(options.BattleSpeed);
}
