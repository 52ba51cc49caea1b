/** @file controls_draw.cpp Benchmark: every owner-drawn control of the main screen drawn once, and the screen composed. */
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/ctrGameMenu.h"
#include "controls/ctrGraphicalLabel.h"
#include "controls/ctrGraphicalLabelEX.h"
#include "controls/ctrGraphicalLabelLite.h"
#include "controls/ctrGraphicalMSG.h"
#include "controls/ctrPicSliderBar.h"
#include "platform/EventLoop.h"
#include "platform/Window.h"

namespace {

plat::Surface Filled(int w, int h, plat::Colour c) {
  plat::Surface s(w, h);
  s.Fill(c);
  return s;
}

// The main screen's set: four status labels, the surplus label, the battle line, eight gauges,
// ten text buttons, the tooltip, the menu and the slider, on an 800 x 600 backdrop.
struct Screen {
  Screen() : win("bench", 800, 600) {
    plat::Surface& back = win.Image();
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) back.SetPixel(x, y, plat::Rgb(60 + x / 8, 90 + y / 8, 120));
    for (int i = 0; i < 5; ++i) {
      auto& l = Add<ctrGraphicalLabel>(325, 5 + 22 * i, i < 4 ? 430 : 110, 20);
      l.SetGLType(i < 4 ? ctrGraphicalLabel::kGauge : ctrGraphicalLabel::kLabel);
      l.SetFontMainText(11);
      l.SetFontSubText(12);
      l.SetMainText(i < 4 ? "建設:鍛冶場(北の森)" : "余剰数");
      l.SetValue(static_cast<int16_t>(i * 29));
      labels.push_back(&l);
    }
    auto& line = Add<ctrGraphicalLabel>(230, 200, 340, 50);
    line.SetGLType(ctrGraphicalLabel::kButton);
    line.SetMainTextAlign(2);
    line.SetMainText("ゴブリンに32のダメージ！");
    labels.push_back(&line);
    for (int i = 0; i < 8; ++i) {
      auto& g = Add<ctrGraphicalLabelEX>(i % 2 ? 500 : 100, 300 + 25 * (i / 2), 200, 16);
      g.SetImageNum(i / 2 == 2 ? 4 : 1);
      g.SetHorizon(i % 2 ? 2 : 1);
      g.SetFirstValue(40), g.SetSecondValue(25), g.SetThirdValue(20), g.SetFourthValue(15);
      gauges.push_back(&g);
    }
    const char* words[] = {"次の週へ", "生産解除", "購入", "アイテム確定", "最大", "実行", "はい", "いいえ", "閉じる", "撤退"};
    for (int i = 0; i < 10; ++i) {
      auto& b = Add<ctrGraphicalLabelLite>(80 + 110 * (i % 6), 520 + 25 * (i / 6), 100, 20);
      b.SetFontSize(11);
      b.SetSelected(i == 2);
      b.SetText(words[i]);
      buttons.push_back(&b);
    }
    tip = &Add<ctrGraphicalMSG>(5, 400, 200, 180);
    tip->SetFontSize(11);
    menu = &Add<ctrGameMenu>(5, 90, 71, 100);
    menu->SetMenuListImage(Filled(90, 32, plat::Rgb(200, 170, 100)));
    menu->SetSubMenuListImage(Filled(90, 28, plat::Rgb(150, 120, 80)));
    menu->SetSubMenuBackImage(Filled(100, 200, plat::Rgb(90, 70, 45)));
    menu->SetMenuListCount(5);
    menu->SetMenuList("アイテム:領土:建物:交易:その他");
    for (int16_t i = 1; i <= 5; ++i) {
      menu->SetSubMenuListCount(i, 4);
      menu->SetSubMenuList(i, "購入:売却:研究:公開");
    }
    slider = &Add<ctrPicSliderBar>(210, 420, 330, 64);
    plat::Surface knob = Filled(50, 34, plat::Rgb(215, 190, 120)), mask = Filled(50, 34, plat::kWhite);
    slider->SetSliderImage(knob);
    slider->SetImageMask(mask);
    slider->SetBottomLineImage(Filled(300, 16, plat::Rgb(220, 200, 160)));
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
  // Each control takes its backdrop and draws itself once, as the screen's load does.
  void DrawAll() {
    const plat::Surface& back = win.Image();
    for (auto* l : labels) {
      l->BackImageCopy(back, l->Left(), l->Top());
      l->Setting();
      l->SetSubText(l->GLType() == ctrGraphicalLabel::kGauge ? "100" : "12");
    }
    for (auto* g : gauges) {
      g->BackImageCopy(back, g->Left(), g->Top());
      g->RePaint();
    }
    for (auto* b : buttons) b->BackImageCopy(back, b->Left(), b->Top());
    tip->BackImageCopy(back, 5, 400);
    tip->SetText("鋼の剣\r\n攻撃力12、重さ8。王国の鍛冶場で作られる騎士の剣。");
    menu->Setting();
    menu->BackImageCopy(back, 5, 90);
    slider->BackImageCopy(back, 210, 420);
    slider->SetMax(250);
    slider->SetValue(37);
    slider->SetText("購入数");
    slider->ControlStart();
  }
  plat::Window win;
  std::vector<std::unique_ptr<plat::Control>> keep;
  std::vector<ctrGraphicalLabel*> labels;
  std::vector<ctrGraphicalLabelEX*> gauges;
  std::vector<ctrGraphicalLabelLite*> buttons;
  ctrGraphicalMSG* tip = nullptr;
  ctrGameMenu* menu = nullptr;
  ctrPicSliderBar* slider = nullptr;
};

// The controls' own drawing (texts already rendered once, as after the first screen).
void BM_DrawEveryControl(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  Screen screen;
  screen.DrawAll();
  for (auto _ : state) {
    screen.DrawAll();
    benchmark::DoNotOptimize(screen.win.Image().Bits());
  }
}
BENCHMARK(BM_DrawEveryControl)->Unit(benchmark::kMicrosecond);

// The same, and the window composed from them, as the next present shows it.
void BM_DrawEveryControlAndCompose(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  Screen screen;
  screen.DrawAll();
  for (auto _ : state) {
    screen.DrawAll();
    screen.win.Compose();
    benchmark::DoNotOptimize(screen.win.BackBuffer().Bits());
  }
}
BENCHMARK(BM_DrawEveryControlAndCompose)->Unit(benchmark::kMicrosecond);

}  // namespace
