/** @file controls_grid.cpp Benchmarks: a 200-row list refilled and drawn, a wheel step, and a sort by a title click. */
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "controls/ctrGraphicalGrid.h"

namespace {

// 200 items of six fields: name, price, value (a bar), weight, kind and a hidden note.
std::shared_ptr<RecordSet> Items() {
  auto rs = std::make_shared<RecordSet>();
  for (const char* c : {"Name", "Price", "Value", "Weight", "Category", "Tips"}) rs->AddColumn(c, "");
  const char* names[] = {"小麦", "黄金の麦", "名馬の血統", "鋼の剣", "革の鎧", "回復薬", "ミスリル", "黒曜石"};
  const char* kinds[] = {"穀物", "家畜", "武器", "防具", "鉱石"};
  for (int k = 0; k < 200; ++k) {
    rs->AddValue(std::string(names[k % 8]) + std::to_string(k), false);
    rs->AddValue(std::to_string((k * 37) % 3000), true);
    rs->AddValue(std::to_string(k % 11), true);
    rs->AddValue(std::to_string(k % 45), true);
    rs->AddValue(kinds[k % 5], false);
    rs->AddValue("説明文", false);
  }
  return rs;
}

GridColumnSet Columns() {
  static constexpr GridColumnSpec kColumns[] = {
      {"col1", "アイテム名", 1, 1, 120, "Name"}, {"col2", "価格", 2, 2, 50, "Price"}, {"col3", "価値", 3, 3, 45, "Value", 0, 10},
      {"col4", "重量", 2, 4, 45, "Weight"},      {"col5", "分類", 1, 5, 80, "Category"}};
  return MakeColumnSet(kColumns);
}

// The main list's place: 360 high, over a backdrop with some texture.
struct Fixture {
  Fixture() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    plat::Surface backdrop(800, 600);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) backdrop.SetPixel(x, y, plat::Rgb(x % 256, y % 256, 120));
    grid.SetBounds(215, 100, 0, 360);
    grid.SetSemiTrans(4);
    grid.SetWheelValue(0, 3);
    grid.BackImageCopy(backdrop, 215, 100);
  }
  ctrGraphicalGrid grid;
  std::shared_ptr<RecordSet> items = Items();
  GridColumnSet cols = Columns();
};

void BM_Refill200Rows(benchmark::State& state) {
  Fixture f;
  for (auto _ : state) {
    f.grid.GetData(f.items, 5, f.cols);
    benchmark::DoNotOptimize(f.grid.Image().Bits());
  }
}
BENCHMARK(BM_Refill200Rows)->Unit(benchmark::kMicrosecond);

void BM_WheelStep(benchmark::State& state) {
  Fixture f;
  f.grid.GetData(f.items, 5, f.cols);
  int direction = -1;
  for (auto _ : state) {
    f.grid.HandleWheel(direction);
    if (f.grid.TopRow() == 1 || f.grid.TopRow() == f.grid.RowCount() - f.grid.VisibleRows() + 1) direction = -direction;
    benchmark::DoNotOptimize(f.grid.Image().Bits());
  }
}
BENCHMARK(BM_WheelStep)->Unit(benchmark::kMicrosecond);

void BM_SortByPriceTitle(benchmark::State& state) {
  Fixture f;
  f.grid.GetData(f.items, 5, f.cols);
  f.grid.HandleMouseMove(plat::MouseEvent{0, 0, 140, 10});
  for (auto _ : state) {
    f.grid.HandleClick();
    benchmark::DoNotOptimize(f.grid.Image().Bits());
  }
}
BENCHMARK(BM_SortByPriceTitle)->Unit(benchmark::kMicrosecond);

}  // namespace
