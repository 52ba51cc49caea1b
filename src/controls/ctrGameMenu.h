/** @file ctrGameMenu.h The command menu: a column of picture buttons whose sub-items open in a panel beside it. */
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/OwnerDrawn.h"
#include "platform/Text.h"

/// Main items (MenuList, captions separated by ":") stand in a column on a panel over the
/// backdrop; resting the mouse on one opens the sub-panel beside it with that item's sub-items
/// (SubMenuList(i)). Clicking a sub-item raises Click with its caption and hides the sub-panel;
/// the item stays selected until the mouse moves over the backdrop or the main panel, or the host
/// calls MouseLeave. MouseMove is raised for every move over the menu (in the menu's pixels) and
/// Sound while Effect is on. The host sets the pictures, MenuListCount, the lists and the
/// counts, then calls Setting and BackImageCopy; from then on the menu keeps its size.
/// Item indexes are 1-based; one outside 1 .. MenuListCount is a subscript error.
class ctrGameMenu : public OwnerDrawn {
 public:
  explicit ctrGameMenu(plat::Control* parent = nullptr);
  ~ctrGameMenu() override;

  void SetMenuListImage(const plat::Surface& pic) { menuListImage_ = pic; }      ///< every main item's face
  void SetSubMenuListImage(const plat::Surface& pic) { subMenuListImage_ = pic; }  ///< every sub-item's face
  void SetSubMenuBackImage(const plat::Surface& pic);  ///< the sub-panel's picture; sizes the panel once

  int16_t MenuListCount() const { return static_cast<int16_t>(subCounts_.size()); }
  /// Empties every sub-item count and list.
  void SetMenuListCount(int16_t n);
  const std::string& MenuList() const { return menuList_; }
  void SetMenuList(const std::string& list) { menuList_ = list; }
  int16_t SubMenuListCount(int16_t pIndex) const;
  void SetSubMenuListCount(int16_t pIndex, int16_t n);
  const std::string& SubMenuList(int16_t pIndex) const;
  void SetSubMenuList(int16_t pIndex, const std::string& list);
  // Kept for the host; the menu never reads them.
  void SetMouseMoveSound(const std::string& path) { mouseMoveSound_ = path; }
  void SetClickSound(const std::string& path) { clickSound_ = path; }

  /// Builds the items and panels from the pictures and lists and fixes the menu's size.
  void Setting();
  /// Closes an open sub-panel without an event.
  void MouseLeave() override;

  /// A sub-item was clicked: its caption. (The menu never raises Control::Click.)
  std::function<void(const std::string& pMenu)> Click;

  // What the player sees, for the host and for checks.
  int16_t SelectedItem() const { return selected_; }  ///< the open main item, 0 for none
  int16_t HoveredSubItem() const { return hovered_; }  ///< 0 for none
  const plat::Control& MenuPanel() const;
  const plat::Control& SubMenuPanel() const;
  const plat::Control& MenuItem(int16_t i) const;     ///< 1 .. MenuListCount
  const plat::Control& SubMenuItem(int16_t k) const;  ///< 1 .. the slots made so far

  void HandleMouseMove(const plat::MouseEvent& e) override;
  void HandleClick() override {}

 protected:
  void BackImageChanged() override;
  void Resized() override;

 private:
  class Part;
  void DrawMenuText(int16_t pIndex);
  void DrawCaption(Part& item, const plat::Surface& face, const std::string& word, plat::Colour colour);
  void MainItemMove(int16_t index, const plat::MouseEvent& e, const plat::Control& from);
  void SubItemMove(int16_t index, const plat::MouseEvent& e, const plat::Control& from);
  void SubItemClick(int16_t index);
  void PanelMove(const plat::MouseEvent& e, const plat::Control& from);
  void Close();
  void RaiseMove(const plat::MouseEvent& e, const plat::Control& from);
  std::vector<std::string> SubWords(int16_t index) const;
  void CheckIndex(int16_t pIndex) const;

  std::string menuList_;
  std::vector<int16_t> subCounts_;
  std::vector<std::string> subLists_;
  plat::Surface menuListImage_, subMenuListImage_, subMenuBackImage_;
  std::string mouseMoveSound_, clickSound_;
  int16_t selected_ = 0;
  int16_t hovered_ = 0;
  bool ready_ = false;
  int menuWidth_ = 0, menuHeight_ = 0;
  plat::Font font_;
  std::unique_ptr<Part> menu_, subMenu_;
  std::vector<std::unique_ptr<Part>> items_, slots_;  // items_[i - 1] is MenuImage(i)
};
