/** @file ctrGraphicalView.h The fixed table: tinted cells over the backdrop, some of them clickable. */
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "controls/OwnerDrawn.h"
#include "controls/clsGraphicalViewHeaders.h"
#include "platform/Text.h"

/// A table laid out once, cell by cell; afterwards only the texts change. Clickable cells
/// (type 4) light up under the mouse when they hold a text and report left and right clicks.
///
///   view.HeaderAdd(1, 1, kViewCenter, 180, "住人");  ... view.HeaderHeight(1, 20); ...
///   view.Setting();                       // the layout; the view takes the table's size
///   view.BackImageCopy(disp, 5, 70);      // left, top
///   view.RePaint();
///   view.HeaderText(2, 3, "募集中"); view.RePaint();
class ctrGraphicalView : public OwnerDrawn {
 public:
  explicit ctrGraphicalView(plat::Control* parent = nullptr) : OwnerDrawn(parent) {}

  /// Adds a cell; pTA is its ViewCellType.
  void HeaderAdd(int16_t pRow, int16_t pCol, int32_t pTA, int16_t pWidth, std::string pText = "");
  /// The height of a row, once per row (again: rt::VbError(kErrDuplicateKey)).
  void HeaderHeight(int16_t pRow, int16_t pHeight);
  /// Computes the text rectangles and fits the view to the table. Once, after every cell and
  /// height; a row with cells but no height throws rt::VbError(kErrInvalidCall).
  void Setting();
  /// Redraws the whole view with the current texts.
  void RePaint();
  void MouseLeave() override;

  /// A cell's text: "" for a cell never given one or one that does not exist. Setting it
  /// draws nothing until RePaint; a missing cell is left alone. A number is kept as its
  /// decimal text.
  std::string HeaderText(int16_t pRow, int16_t pCol) const { return table_.GetText(pRow, pCol); }
  void HeaderText(int16_t pRow, int16_t pCol, const std::string& text) { table_.SetText(pRow, pCol, text); }
  void HeaderText(int16_t pRow, int16_t pCol, int64_t number) { HeaderText(pRow, pCol, std::to_string(number)); }

  /// The cell last under the mouse (0 before any).
  int16_t CurrentRow() const { return currentRow_; }
  int16_t CurrentCol() const { return currentCol_; }
  const clsGraphicalViewHeaders& Table() const { return table_; }

  /// Colour numbers: the tint at the next BackImageCopy, the others at the next RePaint.
  int32_t SemiTransColor() const { return semiTransColor_; }
  void SetSemiTransColor(int32_t n) { semiTransColor_ = n; }
  int32_t FrameColor() const { return frameColor_; }
  void SetFrameColor(int32_t n) { frameColor_ = n; }
  int32_t TextColor() const { return textColor_; }
  void SetTextColor(int32_t n) { textColor_ = n; }
  int32_t MouseOverColor() const { return mouseOverColor_; }
  void SetMouseOverColor(int32_t n) { mouseOverColor_ = n; }
  /// Kept for the host only.
  void SetSndMouseOverPath(std::string p) { sndMouseOverPath_ = std::move(p); }
  void SetSndClickPath(std::string p) { sndClickPath_ = std::move(p); }

  /// Events: a left / right button released over a clickable cell, with its row, column and
  /// text; MouseMove on every move while Active. They hide the platform's Click and MouseMove.
  std::function<void(int16_t& pRow, int16_t& pCol, std::string& pText)> Click;
  std::function<void(int16_t& pRow, int16_t& pCol, std::string& pText)> RightClick;
  std::function<void()> MouseMove;

  void HandleMouseMove(const plat::MouseEvent& e) override;
  void HandleMouseUp(const plat::MouseEvent& e) override;

 protected:
  void Resized() override;
  void BackImageChanged() override;

 private:
  void FitSize();
  void DrawLines();
  void DrawCells();
  void Unlight();

  clsGraphicalViewHeaders table_;
  int32_t semiTransColor_ = 3, frameColor_ = 3, textColor_ = 3, mouseOverColor_ = 2;
  std::string sndMouseOverPath_, sndClickPath_;
  int16_t currentRow_ = 0, currentCol_ = 0;
  int16_t litRow_ = 0, litCol_ = 0;
  bool layoutReady_ = false;
  plat::Surface tinted_;  ///< the backdrop under the table, tinted
  plat::Font headerFont_{16, 400};
  plat::Font bodyFont_{14, 400};
};
