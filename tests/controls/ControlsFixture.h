/** @file ControlsFixture.h Shared set-up of the control tests: a shown window on a plain backdrop, synthetic mouse input, ink finding. */
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "controls/OwnerDrawn.h"
#include "platform/EventLoop.h"
#include "platform/UiFixture.h"
#include "platform/Window.h"

namespace plat {
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
}  // namespace plat

/// A 400 x 300 window whose own picture is the backdrop: grey 100 everywhere, so that every tint
/// has one expected colour.
class ControlsTest : public UiTest {
 protected:
  static constexpr plat::Colour kGrey = plat::Rgb(100, 100, 100);

  void SetUp() override {
    UiTest::SetUp();
    win = std::make_unique<plat::Window>("テスト", 400, 300);
    win->Image().Fill(kGrey);
    win->Show();
  }
  void TearDown() override {
    plat::Control::ReleaseCapture();
    win.reset();
    UiTest::TearDown();
  }
  /// Places the control and lets it copy the backdrop under it.
  void Place(OwnerDrawn& c, int left, int top, int width, int height) {
    c.SetParent(win.get());
    c.SetBounds(left, top, width, height);
    c.BackImageCopy(win->Image(), left, top);
  }
  // Input in window pixels, each delivered at once.
  void Move(int x, int y) { plat::input::MouseMove(*win, x, y); plat::DoEvents(); }
  void Down(int x, int y, int b = plat::kLeftButton) { plat::input::MouseDown(*win, x, y, b); plat::DoEvents(); }
  void Up(int x, int y, int b = plat::kLeftButton) { plat::input::MouseUp(*win, x, y, b); plat::DoEvents(); }
  void Click(int x, int y, int b = plat::kLeftButton) { Down(x, y, b); Up(x, y, b); }

  /// The smallest rectangle holding every pixel of `pic` inside `area` that differs from
  /// `ground` by more than a little in any byte: where text or a figure was drawn.
  static plat::Rect Ink(const plat::Surface& pic, plat::Rect area, plat::Colour ground) {
    plat::Rect box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        plat::Colour c = pic.GetPixel(x, y);
        if (std::abs(plat::RedOf(c) - plat::RedOf(ground)) + std::abs(plat::GreenOf(c) - plat::GreenOf(ground)) +
                std::abs(plat::BlueOf(c) - plat::BlueOf(ground)) <
            60)
          continue;
        box = plat::Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                         std::max(box.bottom, y + 1)};
      }
    return box;
  }

  std::unique_ptr<plat::Window> win;
};

/// Records sound requests and named events in order.
struct EventLog {
  std::vector<std::string> seen;
  std::function<void(int)> Sound() {
    return [this](int code) { seen.push_back("sound " + std::to_string(code)); };
  }
  std::function<void()> Named(const std::string& name) {
    return [this, name] { seen.push_back(name); };
  }
  std::vector<std::string> Take() { return std::exchange(seen, {}); }
};
using Log = std::vector<std::string>;
