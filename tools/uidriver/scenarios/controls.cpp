/** @file controls.cpp The controls scenario: every owner-drawn control in each of its looks on the game's backdrop. */
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"
#include "controls/ctrGameMenu.h"
#include "controls/ctrGraphicalLabel.h"
#include "controls/ctrGraphicalLabelEX.h"
#include "controls/ctrGraphicalLabelLite.h"
#include "controls/ctrGraphicalMSG.h"
#include "controls/ctrPicSliderBar.h"
#include "platform/EventLoop.h"
#include "platform/Window.h"

using uidriver::Fail;
using uidriver::Picture;
using uidriver::Save;

namespace {

/// The main window's 800 x 600 backdrop with controls on it, placed as the game places them.
struct Screen {
  Screen() : win("vesk", 800, 600) {
    win.Resize(800, 600);
    win.Image() = Picture("a001.jpg");
    win.Show();
  }
  template <class C>
  C& Add(int left, int top, int width, int height) {
    auto c = std::make_unique<C>(&win);
    c->SetBounds(left, top, width, height);
    C& ref = *c;
    keep.push_back(std::move(c));
    return ref;
  }
  void Move(int x, int y) {
    plat::input::MouseMove(win, x, y);
    plat::DoEvents();
  }
  void Click(int x, int y) {
    plat::input::ClickAt(win, x, y);
  }
  plat::Window win;
  std::vector<std::unique_ptr<plat::Control>> keep;
};

// Fonts of the 20-pixel-high labels and buttons: at the controls' own sizes (16 and 18 points,
// 14 for buttons) the game's captions run into the frames or past the ends of these controls.
constexpr int16_t kLabelMain = 11, kLabelSub = 12, kButtonFont = 11;

// The three status labels (gauges), the surplus label, the battle's message line, idle and lit.
void Labels() {
  Screen s;
  struct Gauge { const char* text; int16_t value; } gauges[] = {
      {"探索:なし", 0}, {"研究:長弓(2)", 29}, {"建設:鍛冶場(北の森)", 57}, {"改修:大聖堂(王都)", 100}};
  for (int i = 0; i < 4; ++i) {
    auto& l = s.Add<ctrGraphicalLabel>(325, 5 + 22 * i, 430, 20);
    l.SetGLType(ctrGraphicalLabel::kGauge);
    l.SetFontMainText(kLabelMain);
    l.SetFontSubText(kLabelSub);
    l.BackImageCopy(s.win.Image(), l.Left(), l.Top());
    l.Setting();
    l.SetMainText(gauges[i].text);
    l.SetValue(gauges[i].value);
    l.SetSubText("100");
    if (l.ShownSubText() != std::to_string(gauges[i].value)) Fail("gauge label", "shows " + l.ShownSubText());
  }
  auto& surplus = s.Add<ctrGraphicalLabel>(400, 575, 110, 20);
  surplus.SetFontMainText(kLabelMain);
  surplus.SetFontSubText(kLabelSub);
  surplus.BackImageCopy(s.win.Image(), 400, 575);
  surplus.Setting();
  surplus.SetMainText("余剰数");
  surplus.SetSubText("128");

  for (int i = 0; i < 2; ++i) {
    auto& line = s.Add<ctrGraphicalLabel>(230, 200 + 70 * i, 340, 50);
    line.SetGLType(ctrGraphicalLabel::kButton);
    line.SetMainTextAlign(2);
    line.SetMainTextColor(3);
    line.SetFontMainText(14);
    line.BackImageCopy(s.win.Image(), 230, line.Top());
    line.Setting();
    line.SetMainText(i == 0 ? "ゴブリンに32のダメージ！" : "マウスが乗ると明るくなる");
  }
  s.Move(400, 295);  // onto the second: it lights up
  Save(s.win, "controls-01-labels");
}

// The battle's gauges: the army's from the right, the monsters' from the left, at 0, 29, 57 and
// 100, and the soldiers' four segments.
void Gauges() {
  Screen s;
  const int16_t values[] = {0, 29, 57, 100};
  for (int i = 0; i < 4; ++i)
    for (int side = 0; side < 2; ++side) {
      auto& g = s.Add<ctrGraphicalLabelEX>(100 + 400 * side, 50 + 25 * i, 200, 16);
      g.SetImageNum(1);
      g.SetHorizon(side == 0 ? 1 : 2);
      g.SetFirstSemiTrans(5);
      g.SetFirstAP(30);
      g.SetFirstValue(values[i]);
      g.BackImageCopy(s.win.Image(), g.Left(), g.Top());
      g.RePaint();
    }
  for (int side = 0; side < 2; ++side) {
    auto& g = s.Add<ctrGraphicalLabelEX>(100 + 400 * side, 175, 200, 16);
    g.SetImageNum(4);
    g.SetHorizon(side == 0 ? 1 : 2);
    g.SetFirstSemiTrans(5), g.SetSecondSemiTrans(108), g.SetThirdSemiTrans(146), g.SetFourthSemiTrans(2);
    g.SetFirstAP(30), g.SetSecondAP(15), g.SetThirdAP(25), g.SetFourthAP(30);
    g.SetFirstValue(40), g.SetSecondValue(25), g.SetThirdValue(20), g.SetFourthValue(15);
    g.BackImageCopy(s.win.Image(), g.Left(), g.Top());
    g.RePaint();
    if (g.SegmentLengths()[0] + g.SegmentLengths()[1] + g.SegmentLengths()[2] + g.SegmentLengths()[3] != 198)
      Fail("four segments", "do not fill the bar");
  }
  Save(s.win, "controls-02-gauges");
}

// Text buttons idle, hovered and selected, in the game's two styles: the word buttons and the
// message box's answers.
void Buttons() {
  Screen s;
  auto make = [&](int left, int top, const char* text, bool boxStyle) -> ctrGraphicalLabelLite& {
    auto& b = s.Add<ctrGraphicalLabelLite>(left, top, boxStyle ? 100 : 110, 20);
    b.SetFontSize(kButtonFont);
    if (!boxStyle) b.SetFontColor(3);  // black does not read on the blue tint over the dark field
    if (boxStyle) {  // the message box's answers
      b.SetFontColor(5);
      b.SetFrameColor(3);
      b.SetMouseMoveSemiTransColor(1);
      b.SetSemiTrans(3);
      b.SetSelectTransColor(7);
      b.SetMouseMoveSemiTransAP(75);
    }
    b.SetText(text);
    b.BackImageCopy(s.win.Image(), left, top);
    return b;
  };
  make(670, 575, "次の週へ", false);
  auto& hovered = make(535, 575, "生産解除", false);
  auto& selected = make(200, 70, "購入", false);
  selected.SetSelected(true);
  make(215, 250, "アイテム確定", false);
  make(250, 400, "はい", true);
  auto& hoveredBox = make(360, 400, "いいえ", true);
  auto& selectedBox = make(470, 400, "閉じる", true);
  selectedBox.SetSelected(true);
  int clicks = 0;
  hovered.Click = [&] { ++clicks; };
  s.Click(590, 585);
  if (clicks != 1 || !hovered.MouseOver()) Fail("button click", "no click or no hover");
  s.Move(410, 410);  // the first button drops its hover; the next move reaches the answer
  s.Move(411, 410);
  if (hovered.MouseOver() || !hoveredBox.MouseOver()) Fail("button hover", "did not follow the mouse");
  Save(s.win, "controls-04-buttons-answer-hovered");
  s.Move(590, 585);
  s.Move(591, 585);
  if (hoveredBox.MouseOver()) Fail("button hover", "the answer kept its hover");
  Save(s.win, "controls-03-buttons");
}

// The tooltip with a wrapped three-line text.
void Message() {
  Screen s;
  auto& tip = s.Add<ctrGraphicalMSG>(5, 400, 200, 180);
  tip.SetFontSize(11);
  tip.BackImageCopy(s.win.Image(), 5, 400);
  tip.SetText("鋼の剣\r\n攻撃力12、重さ8。王国の鍛冶場で作られる騎士の剣。");
  Save(s.win, "controls-05-message");
}

// The command menu with 建物 open and 配分 under the mouse.
void Menu() {
  Screen s;
  auto& m = s.Add<ctrGameMenu>(5, 190, 71, 100);
  m.SetMenuListImage(Picture("menuback.bmp"));
  m.SetSubMenuListImage(Picture("submenuimage1.bmp"));
  m.SetSubMenuBackImage(Picture("submenuback2.bmp"));
  m.SetMenuListCount(5);
  m.SetMenuList("アイテム:領土:建物:交易:その他");
  const char* subs[] = {"購入:売却:研究:公開:倉庫", "探索:討伐:住民:供給", "建設:改修:配分:解体", "開始:中止", "設定:戻る"};
  const int16_t counts[] = {5, 4, 4, 2, 2};
  for (int16_t i = 1; i <= 5; ++i) {
    m.SetSubMenuListCount(i, counts[i - 1]);
    m.SetSubMenuList(i, subs[i - 1]);
  }
  m.Setting();
  m.BackImageCopy(s.win.Image(), 5, 190);
  std::string chosen;
  m.Click = [&](const std::string& word) { chosen = word; };
  auto centre = [](const plat::Control& c) {
    plat::Point o = c.OriginInWindow();
    return plat::Point{o.x + c.Width() / 2, o.y + c.Height() / 2};
  };
  plat::Point p = centre(m.MenuItem(3));
  s.Move(p.x, p.y);
  p = centre(m.SubMenuItem(3));
  s.Move(p.x, p.y);
  if (m.SelectedItem() != 3 || m.HoveredSubItem() != 3) Fail("menu", "建物 not open or 配分 not hovered");
  Save(s.win, "controls-06-menu");
  s.Click(p.x, p.y);
  if (chosen != "配分" || m.SubMenuPanel().Visible()) Fail("menu click", "chose \"" + chosen + "\"");
}

// The quantity slider at several values with its caption; one knob held.
void Sliders() {
  Screen s;
  struct Setup { int32_t max, value; const char* text; } setups[] = {
      {100, 0, "兵士"}, {250, 37, "購入数"}, {999, 999, "売却数"}, {12, 6, "供給数"}};
  std::vector<ctrPicSliderBar*> sliders;
  for (int i = 0; i < 4; ++i) {
    auto& sl = s.Add<ctrPicSliderBar>(210, 110 + 80 * i, 330, 64);
    sl.SetSliderImage(Picture("sdimage.bmp"));
    sl.SetImageMask(Picture("sdmask.bmp"));
    sl.SetBottomLineImage(Picture("sliderbottomline.bmp"));
    sl.BackImageCopy(s.win.Image(), sl.Left(), sl.Top());
    sl.SetMax(setups[i].max);
    sl.SetValue(setups[i].value);
    sl.SetText(setups[i].text);
    sl.ControlStart();
    sl.SetActive(true);
    sliders.push_back(&sl);
  }
  // Drag the last knob from 6 towards 9 and keep holding it.
  ctrPicSliderBar& held = *sliders[3];
  plat::Point o = held.Knob().OriginInWindow();
  plat::input::MouseDown(s.win, o.x + 25, o.y + 15);
  plat::DoEvents();
  s.Move(o.x + 25 + 70, o.y + 15);
  if (held.Value() != 9 || !held.Dragging()) Fail("slider drag", "value " + std::to_string(held.Value()));
  Save(s.win, "controls-07-slider");
  plat::input::MouseUp(s.win, o.x + 25 + 70, o.y + 15);
  plat::DoEvents();
}

}  // namespace

UIDRIVER_SCENARIO(controls) {
  Labels();
  Gauges();
  Buttons();
  Message();
  Menu();
  Sliders();
}
