/** @file MenuTest.cpp The menu: its layout and size, opening, hovering and closing the sub-panel, and its events. */
#include <tuple>

#include "ControlsFixture.h"
#include "controls/ctrGameMenu.h"

using plat::Rect;
using plat::Rgb;

namespace {

constexpr plat::Colour kFace = Rgb(200, 170, 100), kSubFace = Rgb(215, 200, 150), kBack = Rgb(90, 70, 45);

plat::Surface Filled(int w, int h, plat::Colour c) {
  plat::Surface s(w, h);
  s.Fill(c);
  return s;
}

class Menu : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    m.SetParent(win.get());
    m.SetBounds(5, 10, 71, 100);
    m.SetMenuListImage(Filled(90, 32, kFace));
    m.SetSubMenuListImage(Filled(90, 28, kSubFace));
    m.SetSubMenuBackImage(Filled(100, 200, kBack));
    m.SetMenuListCount(5);
    m.SetMenuList("アイテム:領土:建物:交易:その他");
    const char* subs[] = {"購入:売却:研究:公開:倉庫", "探索:討伐:住民:供給", "建設:改修:配分:解体", "開始:中止", "設定:戻る"};
    const int16_t counts[] = {5, 4, 4, 2, 2};
    for (int16_t i = 1; i <= 5; ++i) {
      m.SetSubMenuListCount(i, counts[i - 1]);
      m.SetSubMenuList(i, subs[i - 1]);
    }
    m.Setting();
    m.BackImageCopy(win->Image(), 5, 10);
    m.Sound = log.Sound();
    m.Click = [this](const std::string& word) { log.seen.push_back("click " + word); };
    m.MouseMove = [this](const plat::MouseEvent& e) {
      log.seen.push_back("move " + std::to_string(e.x) + "," + std::to_string(e.y));
    };
  }
  // A point inside a part of the menu, in window pixels.
  plat::Point At(const plat::Control& c, int dx = 20, int dy = 5) const {
    plat::Point o = c.OriginInWindow();
    return {o.x + dx, o.y + dy};
  }
  void MoveTo(const plat::Control& c, int dx = 20, int dy = 5) { Move(At(c, dx, dy).x, At(c, dx, dy).y); }
  void ClickOn(const plat::Control& c) { Click(At(c).x, At(c).y); }
  static bool Has(const plat::Surface& s, plat::Colour c) {
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x)
        if (s.GetPixel(x, y) == c) return true;
    return false;
  }
  std::vector<bool> SlotsShown() const {
    std::vector<bool> v;
    for (int16_t k = 1; k <= 5; ++k) v.push_back(m.SubMenuItem(k).Visible());
    return v;
  }
  ctrGameMenu m;
  EventLog log;
};

}  // namespace

// The lowest open sub-panel (item 5: 128 + 50 + 2 x 28 + 30) sets the height; the host's own size no longer holds.
TEST_F(Menu, SizeFollowsThePictures) {
  m.SetBounds(5, 10, 71, 100);
  const Rect ink = Ink(m.MenuItem(1).Image(), Rect{0, 0, 90, 32}, kFace);  // the caption, centred
  EXPECT_EQ(std::tuple(m.Width(), m.Height(), m.SubMenuItem(3).Left(), m.SubMenuItem(3).Top(), ink.left - (90 - ink.right) < 3),
            std::tuple(200, 264, 5, 86, true));
}

TEST_F(Menu, OpeningHoveringClickingAndClosing) {
  MoveTo(m.MenuItem(3));
  MoveTo(m.MenuItem(3), 21);  // the same item again: only the move
  const auto& sub = m.SubMenuPanel();
  EXPECT_EQ(log.Take(), (Log{"move 30,99", "sound 1", "move 31,99"}));
  EXPECT_EQ(std::tuple(m.SelectedItem(), sub.Visible(), sub.Top(), sub.Height(), m.MenuItem(3).Image().GetPixel(0, 0)),
            std::tuple(3, true, 94, 162, Rgb(0, 0, 0)));
  EXPECT_EQ(SlotsShown(), (std::vector<bool>{true, true, true, true, false}));

  // A smaller item hides the slots it does not use; the border moves with the selection.
  MoveTo(m.MenuItem(4));
  EXPECT_EQ(std::tuple(SlotsShown(), sub.Top(), sub.Height(), m.MenuItem(3).Image().GetPixel(0, 0)),
            std::tuple(std::vector<bool>{true, true, false, false, false}, 136, 86, kFace));
  log.Take();

  // Hovering sub-items: the hovered caption turns white, the one before back to black.
  MoveTo(m.SubMenuItem(1));
  MoveTo(m.SubMenuItem(2));
  const auto& first = m.SubMenuItem(1).Image();
  const auto& second = m.SubMenuItem(2).Image();
  EXPECT_EQ(std::tuple(m.HoveredSubItem(), Has(first, plat::kBlack), Has(first, plat::kWhite), Has(second, plat::kBlack),
                       Has(second, plat::kWhite)),
            std::tuple(2, true, false, false, true));
  ClickOn(m.SubMenuItem(2));
  EXPECT_EQ(std::tuple(log.Take().back(), sub.Visible(), m.SelectedItem()), std::tuple("click 中止", false, 4));

  // Over the bare menu the open item closes, and MouseLeave does the same without an event.
  MoveTo(m.MenuPanel(), 3, 3);
  EXPECT_EQ(std::tuple(log.Take(), m.SelectedItem(), m.MenuItem(4).Image().GetPixel(0, 0)), std::tuple(Log{"move 3,3"}, 0, kFace));
  MoveTo(m.MenuItem(1));
  m.MouseLeave();
  EXPECT_EQ(std::tuple(m.SelectedItem(), sub.Visible()), std::tuple(0, false));
}

TEST_F(Menu, InactiveMenuOpensNothingButStillTakesTheClick) {
  MoveTo(m.MenuItem(2));
  MoveTo(m.SubMenuItem(1));
  log.Take();
  m.SetActive(false);
  MoveTo(m.MenuItem(1));     // stays on item 2
  MoveTo(m.SubMenuItem(2));  // no hover change
  ClickOn(m.SubMenuItem(2));
  EXPECT_EQ(std::tuple(log.Take(), m.SelectedItem(), m.HoveredSubItem()),
            std::tuple(Log{"move 30,15", "move 125,105", "sound 0", "click 討伐"}, 2, 1));
}
