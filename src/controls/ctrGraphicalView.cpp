/** @file ctrGraphicalView.cpp The fixed table: layout, drawing, hit test and the clickable cells. */
#include "controls/ctrGraphicalView.h"

#include <algorithm>

#include "controls/Win32API.h"

namespace {

unsigned CellFlags(int32_t type) {
  switch (type) {
    case kViewLeft: return plat::DT_SINGLELINE | plat::DT_BOTTOM | plat::DT_LEFT;
    case kViewRight: return plat::DT_SINGLELINE | plat::DT_BOTTOM | plat::DT_RIGHT;
    default: return plat::DT_SINGLELINE | plat::DT_BOTTOM | plat::DT_CENTER;  // 1, 4 and unknown types
  }
}

}  // namespace

void ctrGraphicalView::HeaderAdd(int16_t pRow, int16_t pCol, int32_t pTA, int16_t pWidth, std::string pText) {
  table_.Add(std::move(pText), pWidth, pRow, pCol, pTA);
}

void ctrGraphicalView::HeaderHeight(int16_t pRow, int16_t pHeight) { table_.SetRowHeight(pRow, pHeight); }

void ctrGraphicalView::Setting() {
  layoutReady_ = true;
  FitSize();
  int y = 0;
  for (int16_t r = 1; r <= table_.GetRowCount(); ++r) {
    const int top = y + 1;
    y += table_.RowHeight(r);
    int x = 1;
    for (int16_t c = 1; c <= table_.GetColCount(r); ++c) {
      const int w = table_.GetColWidth(r, c);
      table_.SetRectArea(r, c, 1, static_cast<int16_t>(top));
      table_.SetRectArea(r, c, 2, static_cast<int16_t>(x));
      table_.SetRectArea(r, c, 3, static_cast<int16_t>(y));
      table_.SetRectArea(r, c, 4, static_cast<int16_t>(x + w - 1));
      x += w;
    }
  }
}

void ctrGraphicalView::FitSize() {
  if (!layoutReady_) return;
  const int w = table_.GetWidth(), h = table_.GetHeight();
  if (Width() != w || Height() != h) Resize(w, h);
}

void ctrGraphicalView::Resized() { FitSize(); }

void ctrGraphicalView::BackImageChanged() {
  // The tint covers the whole table, also where a row is narrower than the widest one.
  const int w = table_.GetWidth(), h = table_.GetHeight();
  tinted_ = Win32API::CreateMemDC(w, h);
  if (tinted_.Empty()) return;
  plat::BitBlt(tinted_, 0, 0, w, h, BackImage(), 0, 0);
  Win32API::SemiTransDC(tinted_, color_.ColorAsLong(semiTransColor_), 75);
}

void ctrGraphicalView::RePaint() {
  plat::BitBlt(Image(), 0, 0, Width(), Height(), tinted_, 0, 0);
  DrawLines();
  DrawCells();
  Refresh();
}

void ctrGraphicalView::DrawLines() {
  plat::Surface& s = Image();
  const plat::Colour pen = static_cast<plat::Colour>(color_.ColorAsLong(frameColor_));
  const int W = Width(), H = Height();
  plat::DrawLine(s, 0, 0, 0, H, pen);
  plat::DrawLine(s, 0, 0, W, 0, pen);
  plat::DrawLine(s, W - 1, 0, W - 1, H, pen);
  plat::DrawLine(s, 0, H - 1, W - 1, H - 1, pen);
  const int16_t rows = table_.GetRowCount();
  int y0 = 0;
  for (int16_t r = 1; r <= rows; ++r) {
    const int y1 = y0 + table_.RowHeight(r);
    if (r != rows) plat::DrawLine(s, 0, y1, W, y1, pen);
    const int16_t cols = table_.GetColCount(r);
    int x = 0;
    for (int16_t c = 1; c < cols; ++c) {
      x += table_.GetColWidth(r, c);
      plat::DrawLine(s, x, y0, x, y1, pen);
    }
    y0 = y1;
  }
}

void ctrGraphicalView::DrawCells() {
  const plat::Colour colour = static_cast<plat::Colour>(color_.ColorAsLong(textColor_));
  for (int16_t r = 1; r <= table_.GetRowCount(); ++r) {
    const plat::Font& font = r == 1 ? headerFont_ : bodyFont_;
    for (int16_t c = 1; c <= table_.GetColCount(r); ++c) {
      // The face's ink reaches the bottom of its cell: lift it off the rule below, and keep
      // text set against a side off that side's rule.
      plat::Rect rect = table_.TextRect(r, c);
      rect.bottom -= 2;
      const int32_t type = table_.GetTextType(r, c);
      if (type == kViewLeft) rect.left += 2;
      if (type == kViewRight) rect.right -= 2;
      plat::DrawText(Image(), font, table_.GetText(r, c), rect, CellFlags(type), colour);
    }
  }
}

void ctrGraphicalView::HandleMouseMove(const plat::MouseEvent& e) {
  if (!Active()) return;
  if (auto h = MouseMove) h();
  int bottom = 0;
  for (int16_t r = 1; r <= table_.GetRowCount(); ++r) {
    bottom += table_.RowHeight(r);
    if (bottom > e.y) {
      currentRow_ = r;
      break;
    }
  }
  const int16_t cols = table_.GetColCount(currentRow_);
  if (cols >= 2) {
    int right = 0;
    for (int16_t c = 1; c <= cols; ++c) {
      right += table_.GetColWidth(currentRow_, c);
      if (right > e.x) {
        currentCol_ = c;
        break;
      }
    }
  } else if (cols == 1) {
    currentCol_ = 1;
  }

  if ((litRow_ != 0 || litCol_ != 0) && (litRow_ != currentRow_ || litCol_ != currentCol_)) Unlight();
  if (table_.GetTextType(currentRow_, currentCol_) == kViewClickable && !table_.GetText(currentRow_, currentCol_).empty() &&
      !table_.MouseOver(currentRow_, currentCol_)) {
    const plat::Rect r = table_.TextRect(currentRow_, currentCol_);
    plat::Surface lit(std::max(r.Width(), 0), std::max(r.Height(), 0));
    plat::BitBlt(lit, 0, 0, lit.Width(), lit.Height(), Image(), r.left, r.top);
    Win32API::SemiTransPicture(lit, color_.ColorAsLong(mouseOverColor_), 75);
    plat::BitBlt(Image(), r.left, r.top, lit.Width(), lit.Height(), lit, 0, 0);
    Refresh();
    table_.SetMouseOver(currentRow_, currentCol_, true);
    litRow_ = currentRow_;
    litCol_ = currentCol_;
    RaiseSound(kSoundMouseOver);
  }
}

void ctrGraphicalView::HandleMouseUp(const plat::MouseEvent& e) {
  if (!Active() || table_.GetTextType(currentRow_, currentCol_) != kViewClickable) return;
  if (e.x < 0 || e.y < 0 || e.x >= Width() || e.y >= Height()) return;  // let go elsewhere: no click
  if (e.button != plat::kLeftButton && e.button != plat::kRightButton) return;
  auto handler = e.button == plat::kLeftButton ? Click : RightClick;
  RaiseSound(kSoundClick);
  int16_t row = currentRow_, col = currentCol_;
  std::string text = table_.GetText(row, col);
  if (handler) handler(row, col, text);
}

void ctrGraphicalView::MouseLeave() {
  if (litRow_ != 0 || litCol_ != 0) Unlight();
}

void ctrGraphicalView::Unlight() {
  table_.SetMouseOver(litRow_, litCol_, false);
  litRow_ = 0;
  litCol_ = 0;
  RePaint();
}
