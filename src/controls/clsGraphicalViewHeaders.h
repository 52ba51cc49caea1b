/** @file clsGraphicalViewHeaders.h The layout of a fixed table: its cells, their text rectangles and the row heights. */
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Surface.h"
#include "runtime/Collection.h"

/// Cell types of a view (`TextAlign`).
enum ViewCellType : int32_t { kViewCenter = 1, kViewLeft = 2, kViewRight = 3, kViewClickable = 4 };

/// One cell of a view.
class clsGraphicalViewHeader {
 public:
  void Add(std::string pText, int16_t pWidth, int16_t pRow, int16_t pCol, int32_t pTA);

  const std::string& Text() const { return text_; }
  void SetText(std::string pText) { text_ = std::move(pText); }
  int16_t Width() const { return width_; }
  int16_t Row() const { return row_; }
  int16_t Col() const { return col_; }
  int32_t TextAlign() const { return textAlign_; }
  /// Only a clickable cell can be lit.
  bool MouseOver() const { return mouseOver_; }
  void SetMouseOver(bool on) { mouseOver_ = on && textAlign_ == kViewClickable; }
  /// pRect: 1 top, 2 left, 3 bottom, 4 right of the text rectangle; other numbers read 0.
  int16_t RectArea(int pRect) const { return pRect >= 1 && pRect <= 4 ? rect_[pRect - 1] : 0; }
  void SetRectArea(int pRect, int16_t value) {
    if (pRect >= 1 && pRect <= 4) rect_[pRect - 1] = value;
  }

 private:
  std::string text_;
  int16_t width_ = 0, row_ = 0, col_ = 0;
  int32_t textAlign_ = 0;
  std::array<int16_t, 4> rect_{};
  bool mouseOver_ = false;
};

/// The table of a view: cells in the order added (a cell is the first one added with its row
/// and column) and one height per row. Getters on a missing cell give 0, "" or false; setters
/// on one do nothing. A second height for a row throws rt::VbError(kErrDuplicateKey), reading
/// the height of a row never given rt::VbError(kErrInvalidCall).
class clsGraphicalViewHeaders {
 public:
  void Add(std::string pText, int16_t pWidth, int16_t pRow, int16_t pCol, int32_t pTA);
  bool MouseOver(int16_t pRow, int16_t pCol) const;
  void SetMouseOver(int16_t pRow, int16_t pCol, bool on);
  int16_t RectArea(int16_t pRow, int16_t pCol, int pRect) const;
  void SetRectArea(int16_t pRow, int16_t pCol, int pRect, int16_t value);
  /// The text rectangle as drawn: (left, top, right, bottom) of RectArea.
  plat::Rect TextRect(int16_t pRow, int16_t pCol) const;
  int16_t RowHeight(int16_t pRow) const;
  void SetRowHeight(int16_t pRow, int16_t pHeight);
  void SetText(int16_t pRow, int16_t pCol, std::string pText);
  std::string GetText(int16_t pRow, int16_t pCol) const;
  int32_t GetTextType(int16_t pRow, int16_t pCol) const;
  int16_t GetColWidth(int16_t pRow, int16_t pCol) const;
  int16_t GetColCount(int16_t pRow) const;  ///< the largest column of the row, 0 for none
  int16_t GetRowCount() const;              ///< the largest row, 0 when empty
  int32_t GetHeight() const;                ///< the sum of the heights given
  int32_t GetWidth() const;                 ///< the widest row's sum of widths

 private:
  const clsGraphicalViewHeader* Find(int16_t pRow, int16_t pCol) const;
  clsGraphicalViewHeader* Find(int16_t pRow, int16_t pCol);

  std::vector<clsGraphicalViewHeader> cells_;
  rt::Collection<int16_t> heights_;  ///< under "Row" followed by the row number
};
