/** @file ctrGameMenu.cpp The menu's layout, its captions and the opening and closing of its sub-panel. */
#include "controls/ctrGameMenu.h"

#include <algorithm>

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace {

constexpr int kGap = 10;  // between items, and around them on their panel
constexpr plat::Colour kBorder = plat::Rgb(0, 0, 0);         // the open item's single-line border
constexpr plat::Colour kPanelGround = plat::Rgb(240, 240, 240);  // a panel beyond its picture
constexpr unsigned kCentred = plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE;

// Word k (1-based), or "" where the list is short.
const std::string& Word(const std::vector<std::string>& words, int k) {
  static const std::string none;
  return k >= 1 && k <= static_cast<int>(words.size()) ? words[k - 1] : none;
}

}  // namespace

/// One picture of the menu: a panel or an item. It shows its face, with a border when asked,
/// and hands its mouse to the menu.
class ctrGameMenu::Part : public plat::Control {
 public:
  explicit Part(plat::Control* parent) : plat::Control(parent) {}
  const plat::Surface& Face() const { return face_; }
  plat::Surface& Face() { return face_; }
  void SetFace(const plat::Surface& pic) {
    face_ = pic;
    Paint();
  }
  void SetBordered(bool on) {
    bordered_ = on;
    Paint();
  }
  void Paint() {
    plat::Surface& img = Image();
    img.Fill(kPanelGround);
    plat::BitBlt(img, 0, 0, face_.Width(), face_.Height(), face_, 0, 0);
    if (bordered_) plat::DrawFrame(img, img.Bounds(), kBorder);
    Refresh();
  }
  void HandleMouseMove(const plat::MouseEvent& e) override {
    if (auto h = onMove) h(e);
  }
  void HandleClick() override {
    if (auto h = onClick) h();
  }
  std::function<void(const plat::MouseEvent&)> onMove;
  std::function<void()> onClick;

 protected:
  void Resized() override { Paint(); }

 private:
  plat::Surface face_;
  bool bordered_ = false;
};

ctrGameMenu::ctrGameMenu(plat::Control* parent)
    : OwnerDrawn(parent),
      font_(18, 700),
      menu_(std::make_unique<Part>(this)),
      subMenu_(std::make_unique<Part>(this)) {
  menu_->onMove = [this](const plat::MouseEvent& e) { PanelMove(e, *menu_); };
  subMenu_->SetVisible(false);
}

ctrGameMenu::~ctrGameMenu() = default;

void ctrGameMenu::CheckIndex(int16_t pIndex) const {
  if (pIndex < 1 || pIndex > MenuListCount()) throw rt::VbError(rt::kErrSubscript);
}

void ctrGameMenu::SetSubMenuBackImage(const plat::Surface& pic) {
  subMenuBackImage_ = pic;
  subMenu_->SetBounds(subMenu_->Left(), 0, pic.Width(), pic.Height());
  subMenu_->SetFace(pic);
}

void ctrGameMenu::SetMenuListCount(int16_t n) {
  n = std::max<int16_t>(n, 0);
  subCounts_.assign(n, 0);
  subLists_.assign(n, "");
}

int16_t ctrGameMenu::SubMenuListCount(int16_t pIndex) const {
  CheckIndex(pIndex);
  return subCounts_[pIndex - 1];
}

void ctrGameMenu::SetSubMenuListCount(int16_t pIndex, int16_t n) {
  CheckIndex(pIndex);
  subCounts_[pIndex - 1] = std::max<int16_t>(n, 0);
}

const std::string& ctrGameMenu::SubMenuList(int16_t pIndex) const {
  CheckIndex(pIndex);
  return subLists_[pIndex - 1];
}

void ctrGameMenu::SetSubMenuList(int16_t pIndex, const std::string& list) {
  CheckIndex(pIndex);
  subLists_[pIndex - 1] = list;
}

const plat::Control& ctrGameMenu::MenuPanel() const { return *menu_; }
const plat::Control& ctrGameMenu::SubMenuPanel() const { return *subMenu_; }

const plat::Control& ctrGameMenu::MenuItem(int16_t i) const {
  if (i < 1 || i > static_cast<int>(items_.size())) throw rt::VbError(rt::kErrSubscript);
  return *items_[i - 1];
}

const plat::Control& ctrGameMenu::SubMenuItem(int16_t k) const {
  if (k < 1 || k > static_cast<int>(slots_.size())) throw rt::VbError(rt::kErrSubscript);
  return *slots_[k - 1];
}

void ctrGameMenu::Setting() {
  const int n = MenuListCount();
  const int h = menuListImage_.Height(), w = menuListImage_.Width();
  const int sh = subMenuListImage_.Height();
  selected_ = hovered_ = 0;
  items_.clear();
  for (int i = 1; i <= n; ++i) {
    auto item = std::make_unique<Part>(menu_.get());
    item->SetBounds(kGap, (i - 1) * h + i * kGap, w, h);
    item->SetFace(menuListImage_);
    item->onMove = [this, i, p = item.get()](const plat::MouseEvent& e) { MainItemMove(static_cast<int16_t>(i), e, *p); };
    items_.push_back(std::move(item));
  }
  menu_->SetBounds(0, 0, w + kGap, n * h + (n + 1) * kGap);
  menu_->SetFace(plat::Surface(menu_->Width(), menu_->Height()));
  plat::BitBlt(menu_->Face(), 0, 0, menu_->Width(), menu_->Height(), Image(), menu_->Left(), menu_->Top());
  menu_->Paint();
  DrawMenuText(0);

  subMenu_->Move(menu_->Left() + menu_->Width(), 0);
  subMenu_->SetVisible(false);
  // The menu is as tall as the lowest open sub-panel, and never shorter than its main panel.
  menuHeight_ = menu_->Height();
  for (int i = 1; i <= n; ++i) {
    const int count = subCounts_[i - 1];
    menuHeight_ = std::max(menuHeight_, (i - 1) * h + i * kGap + count * sh + (count + 1) * kGap);
    for (int k = static_cast<int>(slots_.size()) + 1; k <= count; ++k) {
      auto slot = std::make_unique<Part>(subMenu_.get());
      slot->SetBounds(5, (k - 1) * sh + k * kGap, subMenuListImage_.Width(), sh);
      slot->SetVisible(false);
      slot->onMove = [this, k, p = slot.get()](const plat::MouseEvent& e) { SubItemMove(static_cast<int16_t>(k), e, *p); };
      slot->onClick = [this, k] { SubItemClick(static_cast<int16_t>(k)); };
      slots_.push_back(std::move(slot));
    }
  }
  subMenu_->Resize(subMenuListImage_.Width() + kGap, subMenu_->Height());
  menuWidth_ = subMenu_->Width() + menu_->Width();
  ready_ = true;
  Resize(menuWidth_, menuHeight_);
}

// Once laid out, the menu keeps its size whatever the host sets.
void ctrGameMenu::Resized() {
  if (ready_ && (Width() != menuWidth_ || Height() != menuHeight_)) Resize(menuWidth_, menuHeight_);
}

void ctrGameMenu::BackImageChanged() {
  plat::BitBlt(Image(), 0, 0, Width(), Height(), BackImage(), 0, 0);
  Refresh();
  plat::Surface under(menu_->Width(), menu_->Height());
  plat::BitBlt(under, 0, 0, under.Width(), under.Height(), Image(), menu_->Left(), menu_->Top());
  menu_->SetFace(under);
}

void ctrGameMenu::DrawCaption(Part& item, const plat::Surface& face, const std::string& word, plat::Colour colour) {
  item.Face() = face;
  plat::Rect r{0, 0, face.Width(), face.Height()};
  plat::DrawText(item.Face(), font_, word, r, kCentred, colour);
  item.Paint();
}

void ctrGameMenu::DrawMenuText(int16_t pIndex) {
  if (pIndex == 0) {
    const auto words = rt::Split(menuList_, ":");
    for (size_t k = 1; k <= items_.size(); ++k) DrawCaption(*items_[k - 1], menuListImage_, Word(words, k), plat::kBlack);
    return;
  }
  const auto words = SubWords(pIndex);
  const int count = std::min<int>(subCounts_[pIndex - 1], slots_.size());
  for (int k = 1; k <= count; ++k) DrawCaption(*slots_[k - 1], subMenuListImage_, Word(words, k), plat::kBlack);
}

std::vector<std::string> ctrGameMenu::SubWords(int16_t index) const {
  return index >= 1 && index <= MenuListCount() ? rt::Split(subLists_[index - 1], ":") : std::vector<std::string>{};
}

// MouseMove in the menu's own pixels, wherever on it the mouse is.
void ctrGameMenu::RaiseMove(const plat::MouseEvent& e, const plat::Control& from) {
  plat::MouseEvent m = e;
  const plat::Point a = from.OriginInWindow(), b = OriginInWindow();
  m.x += a.x - b.x;
  m.y += a.y - b.y;
  if (auto h = MouseMove) h(m);
}

void ctrGameMenu::MainItemMove(int16_t index, const plat::MouseEvent& e, const plat::Control& from) {
  const uint64_t id = Id();
  RaiseMove(e, from);
  if (!FromId(id) || index == selected_ || !Active()) return;
  if (selected_ >= 1 && selected_ <= static_cast<int>(items_.size())) items_[selected_ - 1]->SetBordered(false);
  Part& item = *items_[index - 1];
  item.SetBordered(true);
  hovered_ = 0;
  selected_ = index;
  subMenu_->SetVisible(true);
  subMenu_->Move(subMenu_->Left(), menu_->Top() + item.Top());
  const int count = subCounts_[index - 1];
  for (size_t k = 1; k <= slots_.size(); ++k) {
    Part& slot = *slots_[k - 1];
    slot.SetVisible(static_cast<int>(k) <= count);
    if (static_cast<int>(k) <= count) slot.SetFace(subMenuListImage_);
  }
  const int sh = subMenuListImage_.Height();
  subMenu_->Resize(subMenu_->Width(), count * sh + (count + 1) * kGap);
  DrawMenuText(index);
  RaiseSound(kSoundMouseOver);
}

void ctrGameMenu::SubItemMove(int16_t index, const plat::MouseEvent& e, const plat::Control& from) {
  const uint64_t id = Id();
  RaiseMove(e, from);
  if (!FromId(id) || index == hovered_ || !Active()) return;
  const auto words = SubWords(selected_);
  if (hovered_ >= 1 && hovered_ <= static_cast<int>(slots_.size()))
    DrawCaption(*slots_[hovered_ - 1], subMenuListImage_, Word(words, hovered_), plat::kBlack);
  DrawCaption(*slots_[index - 1], subMenuListImage_, Word(words, index), plat::kWhite);
  hovered_ = index;
  RaiseSound(kSoundMouseOver);
}

// The click does not look at Active; the item stays selected until the mouse leaves it.
void ctrGameMenu::SubItemClick(int16_t index) {
  const std::string word = Word(SubWords(selected_), index);
  const uint64_t id = Id();
  RaiseSound(kSoundClick);
  if (!FromId(id)) return;
  if (auto h = Click) h(word);
  if (FromId(id)) subMenu_->SetVisible(false);
}

void ctrGameMenu::PanelMove(const plat::MouseEvent& e, const plat::Control& from) {
  const uint64_t id = Id();
  RaiseMove(e, from);
  if (FromId(id)) Close();
}

void ctrGameMenu::HandleMouseMove(const plat::MouseEvent& e) { PanelMove(e, *this); }

void ctrGameMenu::MouseLeave() { Close(); }

void ctrGameMenu::Close() {
  if (selected_ == 0) return;
  if (selected_ <= static_cast<int>(items_.size())) items_[selected_ - 1]->SetBordered(false);
  subMenu_->SetVisible(false);
  selected_ = 0;
}
