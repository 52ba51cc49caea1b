/** @file MainLayout.cpp The menu and every label, button and gauge of the game screen and of the battle: places, looks, texts; the battle engine gets its screen. */
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "mainscreen/DesignValues.h"
#include "mainscreen/frmMain2.h"

using namespace mainscreen;

namespace {

// A text button's two sound paths (kept for the host; the button only raises requests).
void Sounds(ctrGraphicalLabelLite& b, const FormState& f) {
  b.SetClickSoundPath(f.mClickSoundPath);
  b.SetMouoseMoveSoundPath(f.mMouseOverSoundPath);
}

void Sounds(ctrGraphicalLabel& l, const FormState& f) {
  l.SetsndClickPath(f.mClickSoundPath);
  l.SetsndMouseOverPath(f.mMouseOverSoundPath);
}

// The looks of a status label, chosen by the screen's design.
void StatusLook(ctrGraphicalLabel& l, int type) {
  l.SetGLType(type);
  l.SetTransColor(design::kStatusTransColor);
  l.SetForeColor(design::kStatusForeColor);
  l.SetFrameColor(design::kStatusFrameColor);
  l.SetMainTextColor(design::kStatusTextColor);
  l.SetSubTextColor(design::kStatusTextColor);
  l.SetFontMainText(design::kStatusMainFont);
  l.SetFontSubText(design::kStatusSubFont);
  l.SetSeparator(design::kStatusSeparator);
  l.SetMainTextAlign(design::kStatusTextAlign);
  l.SetSubTextAlign(design::kStatusTextAlign);
}

struct Gauge {
  int left, top, imageNum, horizon;
};

}  // namespace

void frmMain2::InitGameMenu() {
  GMenu.SetBounds(5, 190, 71, 100);
  GMenu.SetMenuListImage(ControlPicture("menuback.bmp"));
  GMenu.SetSubMenuListImage(ControlPicture("submenuimage1.bmp"));
  GMenu.SetSubMenuBackImage(ControlPicture("submenuback2.bmp"));
  GMenu.SetMouseMoveSound(mMouseOverSoundPath);
  GMenu.SetClickSound(mClickSoundPath);
  GMenu.SetMenuListCount(5);
  GMenu.SetMenuList("アイテム:領土:建物:交易:その他");
  const std::pair<int16_t, const char*> subMenus[] = {
      {5, "購入:売却:研究:公開:倉庫"}, {4, "探索:討伐:住民:供給"}, {4, "建設:改修:配分:解体"}, {2, "開始:中止"}, {2, "設定:戻る"}};
  for (int16_t i = 1; i <= 5; ++i) {
    GMenu.SetSubMenuListCount(i, subMenus[i - 1].first);
    GMenu.SetSubMenuList(i, subMenus[i - 1].second);
  }
  GMenu.SetEffect(true);
  GMenu.Setting();
  GMenu.BackImageCopy(Disp.Image(), GMenu.Left(), GMenu.Top());
}

void frmMain2::InitLabels() {
  const plat::Surface& disp = Disp.Image();
  auto backdrop = [&](OwnerDrawn& c) { c.BackImageCopy(disp, c.Left(), c.Top()); };

  GLToolTip.SetBounds(5, 400, 200, 180);
  GLToolTip.SetFontSize(11);
  backdrop(GLToolTip);
  GLToolTip.SetVisible(false);

  GLTurnEnd.SetBounds(670, 575, 110, 20);
  GLTurnEnd.SetText("次の週へ");
  backdrop(GLTurnEnd);
  GLTurnEnd.SetSoundEffect(true);
  Sounds(GLTurnEnd, *this);
  GLTurnEnd.SetAppearGuard(design::kDoubleClickMs);

  GLClear.SetBounds(535, 575, 110, 20);
  backdrop(GLClear);
  GLClear.SetText("生産解除");
  GLClear.SetSoundEffect(true);
  Sounds(GLClear, *this);

  int top = 5;
  for (ctrGraphicalLabel* l : {&GLAreaResearch, &GLItemResearch, &GLConstruct}) {
    l->SetBounds(325, top, 430, 20);
    StatusLook(*l, design::kStatusLabelType);
    Sounds(*l, *this);
    backdrop(*l);
    l->Setting();
    top += 22;
  }

  GLMenu.SetBounds(200, 70, 110, 20);
  backdrop(GLMenu);

  GLSubMenu.SetBounds(215, 250, 110, 20);
  Sounds(GLSubMenu, *this);
  GLSubMenu.SetSoundEffect(true);
  backdrop(GLSubMenu);

  GLSubMenu2.SetBounds(design::kSubMenu2Left, design::kSubMenu2Top, 110, 20);
  Sounds(GLSubMenu2, *this);
  GLSubMenu2.SetSoundEffect(true);
  GLSubMenu3.SetBounds(design::kSubMenu3Left, design::kSubMenu3Top, 100, 20);
  GLExcute.SetBounds(design::kExcuteLeft, design::kExcuteTop, design::kExcuteWidth, design::kExcuteHeight);
  GLExcute.SetSoundEffect(true);
  Sounds(GLExcute, *this);

  StatusLook(GLRestruct, design::kRestructType);
  Sounds(GLRestruct, *this);
  GLRestruct.Setting();

  for (auto& b : GLMSG) {
    // 90 wide: 閉じる, at 300 in the 400-pixel frame, then ends inside its border.
    b.SetBounds(b.Left(), b.Top(), 90, 20);
    b.SetFontColor(5);
    b.SetFrameColor(3);
    b.SetMouseMoveSemiTransColor(1);
    b.SetSemiTrans(3);
    b.SetSelectTransColor(7);
    b.SetMouseMoveSemiTransAP(75);
    b.SetSoundEffect(true);
    Sounds(b, *this);
  }

  // The battle's gauges: the player's on the left filling from the right, the opponent's mirrored.
  const Gauge gauges[8] = {{100, 50, 1, 1},  {500, 50, 1, 2},  {100, 75, 1, 1},  {500, 75, 1, 2},
                           {100, 100, 4, 1}, {500, 100, 4, 2}, {100, 125, 1, 1}, {500, 125, 1, 2}};
  for (size_t i = 0; i < 8; ++i) {
    ctrGraphicalLabelEX& g = cGLEx[i];
    g.SetBounds(gauges[i].left, gauges[i].top, 200, 16);
    g.SetImageNum(static_cast<int16_t>(gauges[i].imageNum));
    if (i == 7) g.SetFirstValue(80);
    g.SetHorizon(gauges[i].horizon);
    g.SetFirstSemiTrans(5);
    g.SetFirstAP(30);
    if (gauges[i].imageNum == 4) {
      g.SetSecondSemiTrans(108);
      g.SetThirdSemiTrans(146);
      g.SetFourthSemiTrans(2);
      g.SetSecondAP(15);
      g.SetThirdAP(25);
      g.SetFourthAP(30);
    }
  }

  cGL.SetBounds(230, 200, 340, 50);
  cGL.SetMainTextAlign(2);
  cGL.SetMainTextColor(3);
  cGL.SetFontMainText(14);
  cGL.SetSeparator(design::kBattleMessageSeparator);
  cGL.SetSeparatorLine(design::kBattleMessageSeparatorLine);
  GLItem1.SetBounds(100, 150, 100, 20);
  GLItem2.SetBounds(100, 190, 100, 20);
  GLRetreat.SetBounds(100, 230, 100, 20);

  // The battle is drawn on this window from now on.
  if (!pBattle) return;
  BattlePictures pics{.WS = &BattleWS,
                      .Display = &BattleDisp,
                      .TMP = &BattleTMP,
                      .BattleTMP = &picBattleTMP,
                      .Unit = &picImage[4],
                      .Monster = {&picImage[5], &picImage[6], &picImage[7], &picImage[8]},
                      .Effect = &picImage[9],
                      .Status = &picImage[10],
                      .Nest = {&picImage[2], &picImage[3], &picImage[13], &picImage[14], &picImage[15], &picImage[16]},
                      .MonField = &picImage[1]};
  BattleControls controls{&cGL, {&GLItem1, &GLItem2, &GLRetreat}, {}};
  for (size_t i = 0; i < 8; ++i) controls.Gauges[i] = &cGLEx[i];
  battleScreen_ = std::make_unique<BattleScreen>(*pBattle, pics, controls);
  battleDisplay_ = MakeBattleDisplay();
  pBattle->Init(battleDisplay_.get(), &battlePump_);
}
