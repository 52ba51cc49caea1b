/** @file platform_drawing.cpp Benchmarks: composing and presenting a full 800x600 window, and a 20-row Japanese table. */
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/Surface.h"
#include "platform/Text.h"
#include "platform/Window.h"

using namespace plat;

namespace {

// The main screen's shape: a full backdrop and some thirty controls on it, a few with children.
struct Screen {
  Screen() : win("bench", 800, 600) {
    win.Image().Fill(Rgb(30, 60, 90));
    for (int i = 0; i < 30; ++i) {
      auto c = std::make_unique<Control>(&win);
      c->SetBounds((i % 6) * 130 + 5, (i / 6) * 115 + 5, 120, 100);
      c->Image().Fill(Rgb(i * 8, 100, 200 - i * 5));
      for (int k = 0; k < 2; ++k) {
        auto child = std::make_unique<Control>(c.get());
        child->SetBounds(10 + k * 50, 20, 40, 60);
        kids.push_back(std::move(child));
      }
      controls.push_back(std::move(c));
    }
    win.Show();
  }
  Window win;
  std::vector<std::unique_ptr<Control>> controls, kids;
};

void BM_ComposeAndPresent800x600(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  Screen screen;
  for (auto _ : state) {
    screen.controls[0]->Refresh();
    screen.win.Present();
    benchmark::DoNotOptimize(screen.win.BackBuffer().Bits());
  }
}
BENCHMARK(BM_ComposeAndPresent800x600)->Unit(benchmark::kMicrosecond);

// Twenty rows of five cells, as a grid draws them: text drawn anew each time (cache warm).
void BM_JapaneseTable20Rows(benchmark::State& state) {
  Surface table(560, 20 * 18);
  const Font font(15, 700);
  const char* names[] = {"小麦", "大麦", "鉄鉱石", "木材", "羊毛", "ぶどう酒", "鋼の剣", "革の鎧", "回復薬", "宝石"};
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < 20; ++r)
    rows.push_back({names[r % 10], std::to_string(r * 37 % 999) + "個", std::to_string(1200 + r * 13) + "金",
                    r % 2 ? "研究済" : "未研究", "倉庫" + std::to_string(r + 1)});
  const int widths[5] = {140, 90, 110, 110, 110};
  for (auto _ : state) {
    table.Fill(Rgb(20, 30, 50));
    for (int r = 0; r < 20; ++r) {
      int x = 0;
      for (int c = 0; c < 5; ++c) {
        Rect cell{x, r * 18, x + widths[c], r * 18 + 18};
        DrawText(table, font, rows[r][c], cell, c == 0 ? (DT_VCENTER | DT_SINGLELINE) : 37, kWhite);
        x += widths[c];
      }
    }
    benchmark::DoNotOptimize(table.Bits());
  }
}
BENCHMARK(BM_JapaneseTable20Rows)->Unit(benchmark::kMicrosecond);

// The same table with every text new (cache cleared): the cost of the first paint of a list.
void BM_JapaneseTable20RowsCold(benchmark::State& state) {
  Surface table(560, 20 * 18);
  const Font font(15, 700);
  for (auto _ : state) {
    ClearTextCache();
    for (int r = 0; r < 20; ++r)
      for (int c = 0; c < 5; ++c) {
        Rect cell{c * 110, r * 18, c * 110 + 110, r * 18 + 18};
        DrawText(table, font, "項目" + std::to_string(r * 5 + c), cell, 37, kWhite);
      }
    benchmark::DoNotOptimize(table.Bits());
  }
}
BENCHMARK(BM_JapaneseTable20RowsCold)->Unit(benchmark::kMicrosecond);

}  // namespace
