/** @file ctrGraphicalGrid.cpp The list control: layout, pictures, pages, and its answers to the mouse and the wheel. */
#include "controls/ctrGraphicalGrid.h"

#include <algorithm>
#include <cmath>

#include "controls/Win32API.h"
#include "runtime/Convert.h"
#include "runtime/FlagScope.h"
#include "runtime/VbError.h"

using plat::Rect;
using plat::Surface;

namespace {

constexpr int32_t kThumbBackColour = 119;
constexpr int32_t kWhiteNumber = 3;
constexpr int kTrackBottomGap = 14;  // between the track's end and the grid's bottom
constexpr int kTextInset = 2;        // between a cell's line and text set against it

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char ch) { return ch >= '0' && ch <= '9'; });
}

}  // namespace

// The scroll thumb: its own picture on the grid, pressed and dragged along the track.
class ctrGraphicalGrid::Thumb : public plat::Control {
 public:
  explicit Thumb(ctrGraphicalGrid* grid) : plat::Control(grid), grid_(grid) {}
  void HandleMouseDown(const plat::MouseEvent& e) override { grid_->ThumbDown(e); }
  void HandleMouseMove(const plat::MouseEvent& e) override { grid_->ThumbMove(e); }
  void HandleMouseUp(const plat::MouseEvent&) override { grid_->ThumbUp(); }
  void HandleWheel(int direction) override { grid_->HandleWheel(direction); }
  void HandleCaptureCancelled() override { grid_->dragging_ = false; }  // hidden while held

 private:
  ctrGraphicalGrid* grid_;
};

ctrGraphicalGrid::ctrGraphicalGrid(plat::Control* parent) : OwnerDrawn(parent) {
  thumb_ = std::make_unique<Thumb>(this);
  thumb_->SetVisible(false);
  SetMouseOverColor(mouseOverColor_);
}

ctrGraphicalGrid::~ctrGraphicalGrid() = default;

void ctrGraphicalGrid::BackImageCopy(const Surface& pImage, int pLeft, int pTop) {
  const int w = std::max(pImage.Width() - pLeft, Width()), h = std::max(pImage.Height() - pTop, Height());
  backdrop_ = Surface(std::max(w, 0), std::max(h, 0));
  plat::BitBlt(backdrop_, 0, 0, backdrop_.Width(), backdrop_.Height(), pImage, pLeft, pTop);
}

void ctrGraphicalGrid::SetMouseOverColor(int32_t n) {
  mouseOverColor_ = n;
  bandColour_.Fill(static_cast<plat::Colour>(color_.ColorAsLong(n)));
}

void ctrGraphicalGrid::SetScrollImage(const Surface& pic) {
  scrollImage_ = pic;
  if (scrollable_) SetThumbTop(thumb_->Top());  // redraws the thumb's picture
}

int16_t ctrGraphicalGrid::WheelValue(int32_t& pType) const {
  pType = wheelType_;
  return wheelValue_;
}

void ctrGraphicalGrid::SetWheelValue(int32_t pType, int16_t value) {
  wheelType_ = pType;
  wheelValue_ = value;
}

int ctrGraphicalGrid::WheelStep() const {
  const int step = wheelType_ == 0 ? wheelValue_ : rowCount_ / std::max<int>(wheelValue_, 1);
  return std::max(step, 1);  // a step of 0 would never move
}

Rect ctrGraphicalGrid::ThumbRect() const {
  if (!scrollable_) return Rect{};
  return plat::RectXYWH(thumb_->Left(), thumb_->Top(), thumb_->Width(), thumb_->Height());
}

Rect ctrGraphicalGrid::CellRect(int i, int c) const {
  if (i < 0 || i >= visibleRows_ || c < 1 || c > colCount_) return Rect{};
  return cells_[static_cast<size_t>(i) * colCount_ + (c - 1)];
}

// ---- Filling ----

void ctrGraphicalGrid::GetData(std::shared_ptr<const RecordSet> pRS, int16_t pColCount, const GridColumnSet& pHeaders) {
  rs_ = pRS ? std::move(pRS) : std::make_shared<RecordSet>();
  headers_ = pHeaders;
  records_ = static_cast<int>(rs_->RowCount());
  fieldCount_ = rs_->FieldCount();
  // Nothing of the previous list's mouse state may point into this one.
  mouseRow_ = 0;
  mouseCol_ = 0;
  dragging_ = false;
  if (thumb_->HasCapture()) plat::Control::ReleaseCapture();

  cols_.clear();
  for (int c = 1; c <= pColCount && c <= fieldCount_; ++c) {
    const std::string key = "col" + std::to_string(c);
    if (!headers_.Exists(key)) break;
    cols_.push_back(headers_.Item(key));
  }
  colCount_ = static_cast<int>(cols_.size());
  visibleRows_ = std::max(Height() / kRowHeight, 1);
  rowCount_ = records_ + 1;
  scrollWidth_ = 0;
  sortCol_ = 1;
  sortDir_ = 1;
  drawnTop_ = 1;

  int total = 0;
  for (const auto& h : cols_) total += h.Width();
  if (rowCount_ > visibleRows_) {
    scrollWidth_ = kScrollWidth;
    total += kScrollWidth;
  }
  sizeFromData_ = true;
  totalWidth_ = std::max(total, 0);
  Resize(totalWidth_, Height());
  const int W = Width(), H = Height();

  scrollable_ = rowCount_ > visibleRows_;
  if (!scrollable_) {
    visibleRows_ = rowCount_;
    dataHeight_ = rowCount_ * kRowHeight;
    dataWidth_ = W;
    thumb_->SetVisible(false);
  } else {
    dataHeight_ = H;
    dataWidth_ = W - kScrollWidth;
    const int travel = H - kRowHeight - 4 - kTrackBottomGap;  // the track inside its frame
    int thumbH = static_cast<int>(rt::Round(static_cast<double>(travel) * (visibleRows_ - 1) / (rowCount_ - 1)));
    if (thumbH < 10) {
      thumbH = 10;
      thumbStep_ = static_cast<double>(travel - 10) / (rowCount_ - 1);
    } else {
      thumbStep_ = static_cast<double>(travel - thumbH) / (rowCount_ - visibleRows_ + 1);
    }
    thumb_->SetBounds(W - 20, kThumbTop, kThumbWidth, thumbH);
    SetThumbTop(kThumbTop);
    thumb_->SetVisible(true);
    thumb_->ZOrder(0);
  }

  // The bar source: the backdrop half covered by GraphColor.
  graph_ = Surface(W, H);
  plat::BitBlt(graph_, 0, 0, W, H, backdrop_, 0, 0);
  if (!graph_.Empty()) Win32API::SemiTransDC(graph_, color_.ColorAsLong(graphColor_), 50);

  band_ = Surface(dataWidth_, kRowHeight);
  bandColour_ = Surface(dataWidth_, kRowHeight);
  SetMouseOverColor(mouseOverColor_);

  colBounds_.assign(colCount_ + 1, 0);
  for (int c = 1; c <= colCount_; ++c) colBounds_[c] = c == colCount_ ? dataWidth_ : colBounds_[c - 1] + Column(c).Width();

  cells_.clear();
  for (int i = 0; i < visibleRows_; ++i) {
    int x = 1;
    for (int c = 1; c <= colCount_; ++c) {
      const int w = Column(c).Width();
      cells_.push_back(Rect{x, kRowHeight * i + 1, x + w - 1, kRowHeight * i + kRowHeight});
      x += w;
    }
  }

  LoadData();
  DrawBase();
  ShowPage(1);
}

void ctrGraphicalGrid::LoadData() {
  data_.clear();
  data_.reserve(static_cast<size_t>(records_) * fieldCount_);
  for (int r = 0; r < records_; ++r)
    for (int f = 0; f < fieldCount_; ++f) data_.push_back(rs_->Value(r, f));
}

std::vector<std::string> ctrGraphicalGrid::RecordFields(int k) const {
  auto first = data_.begin() + static_cast<long>(k) * fieldCount_;
  return std::vector<std::string>(first, first + fieldCount_);
}

void ctrGraphicalGrid::Resized() {
  // The width belongs to the columns once a list is shown.
  if (sizeFromData_ && Width() != totalWidth_) Resize(totalWidth_, Height());
}

// ---- Drawing ----

void ctrGraphicalGrid::DrawBase() {
  const int W = Width(), H = Height();
  base_ = Surface(W, H);
  plat::BitBlt(base_, 0, 0, W, H, backdrop_, 0, 0);
  if (base_.Empty()) return;
  Win32API::SemiTransDC(base_, color_.ColorAsLong(semiTrans_), 75);

  for (int i = 0; i < visibleRows_; ++i) plat::DrawLine(base_, 0, kRowHeight * i, dataWidth_, kRowHeight * i, plat::kWhite);
  for (int c = 1; c <= colCount_; ++c) plat::DrawLine(base_, colBounds_[c - 1], 0, colBounds_[c - 1], dataHeight_, plat::kWhite);
  for (int i = 1; i <= visibleRows_; ++i) {
    const int bottom = kRowHeight * i - 1;
    for (int c = 1; c <= colCount_; ++c) {
      plat::DrawLine(base_, colBounds_[c - 1] + 1, bottom, colBounds_[c] - 1, bottom, plat::kBlack);
      plat::DrawLine(base_, colBounds_[c] - 1, bottom - kRowHeight, colBounds_[c] - 1, bottom, plat::kBlack);
    }
  }
  if (scrollable_) {
    const plat::Colour gold = static_cast<plat::Colour>(color_.ColorAsLong(1));
    const int L = thumb_->Left(), Wt = thumb_->Width(), bottom = H - kTrackBottomGap;
    plat::DrawLine(base_, L - 1, 24, L - 1, bottom, gold);
    plat::DrawLine(base_, L - 1, 24, L + Wt + 1, 24, gold);
    plat::DrawLine(base_, L + Wt, 24, L + Wt, bottom, gold);
    plat::DrawLine(base_, L - 1, bottom, L + Wt + 1, bottom, gold);
    track_ = Rect{L - 1, 24, L + Wt + 1, bottom};
  } else {
    track_ = Rect{};
  }
}

void ctrGraphicalGrid::ShowPage(int t) {
  disp_ = base_;
  topRow_ = t;
  drawnTop_ = t;
  // The header row is drawn also for an empty list, so that no earlier list stays on screen.
  const plat::Colour white = static_cast<plat::Colour>(color_.ColorAsLong(kWhiteNumber));
  for (int c = 1; c <= colCount_; ++c) {
    Rect r = CellRect(0, c);
    plat::DrawText(disp_, rowFont_, Column(c).Name(), r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE, white);
  }
  const plat::Colour text = static_cast<plat::Colour>(color_.ColorAsLong(textColor_));
  for (int i = 1; i < visibleRows_; ++i) {
    const int r = t - 1 + (i - 1);
    if (r < 0 || r >= records_) break;
    for (int c = 1; c <= colCount_; ++c) {
      const std::string& s = data_[static_cast<size_t>(r) * fieldCount_ + (c - 1)];
      Rect cell = CellRect(i, c);
      const clsGraphicalGridHeader& h = Column(c);
      // Text at a side keeps off the cell's lines: the right edge of a cell is its dark line.
      switch (h.TextAlign()) {
        case kGridLeft: {
          Rect r{cell.left + kTextInset, cell.top, cell.right, cell.bottom};
          plat::DrawText(disp_, rowFont_, s, r, plat::DT_VCENTER | plat::DT_SINGLELINE, text);
          break;
        }
        case kGridCenter:
          plat::DrawText(disp_, rowFont_, s, cell, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE, text);
          break;
        case kGridRight: {
          Rect r{cell.left, cell.top, cell.right - kTextInset - 1, cell.bottom};
          plat::DrawText(disp_, rowFont_, s, r, plat::DT_RIGHT | plat::DT_VCENTER | plat::DT_SINGLELINE, text);
          break;
        }
        case kGridBar: {
          const double v = rt::IsNumeric(s) ? rt::Round(rt::CDbl(s)) : 0.0;
          const int w = cell.right - cell.left - 1;
          if (v > 0 && h.Max() > 0) {  // a negative value or range draws no bar
            const int bar = static_cast<int>(std::min<double>(std::floor(v / h.Max() * w), w));
            plat::BitBlt(disp_, cell.left, cell.top, bar, 18, graph_, cell.left, cell.top);
          }
          plat::DrawText(disp_, rowFont_, s, cell, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE, text);
          break;
        }
        default:
          break;
      }
    }
  }
  if (scrollable_) {
    const int L = thumb_->Left(), Wt = thumb_->Width(), H = Height();
    Rect up{L, 12, L + Wt + 2, 25};
    plat::DrawText(disp_, markFont_, "▲", up, plat::DT_CENTER | plat::DT_BOTTOM | plat::DT_SINGLELINE, text);
    Rect down{L, H - 13, L + Wt + 2, H - 1};
    plat::DrawText(disp_, markFont_, "▼", down, plat::DT_CENTER | plat::DT_SINGLELINE, text);
  }
  Show();
}

void ctrGraphicalGrid::Show() {
  plat::BitBlt(Image(), 0, 0, disp_.Width(), disp_.Height(), disp_, 0, 0);
  Refresh();
}

void ctrGraphicalGrid::SetThumbTop(int top) {
  thumb_->Move(thumb_->Left(), top);
  Surface& pic = thumb_->Image();
  pic.Fill(static_cast<plat::Colour>(color_.ColorAsLong(kThumbBackColour)));
  plat::BitBlt(pic, 0, 0, pic.Width(), pic.Height(), scrollImage_, 0, 0);
  thumb_->Refresh();
}

// ---- The mouse ----

std::string ctrGraphicalGrid::SelectRowData(int16_t pIndex) const {
  if (pIndex < 0 || pIndex >= static_cast<int>(selected_.size())) throw rt::VbError(rt::kErrSubscript);
  return selected_[pIndex];
}

std::string ctrGraphicalGrid::MouseRowData(int16_t pIndex) const {
  if (pIndex < 0 || pIndex >= static_cast<int>(hovered_.size())) throw rt::VbError(rt::kErrSubscript);
  return hovered_[pIndex];
}

void ctrGraphicalGrid::MouseLeave() {
  mouseRow_ = 0;
  if (!disp_.Empty()) Show();
}

void ctrGraphicalGrid::HandleMouseMove(const plat::MouseEvent& e) {
  if (!Active()) return;
  if (auto h = MouseMove) h();
  const int x = e.x, y = e.y;
  if (x < 0 || y < 0) return;
  mouseX_ = x;
  for (int c = 1; c <= colCount_; ++c)
    if (colBounds_[c] > x) {
      mouseCol_ = c;
      break;
    }
  const int r = y / kRowHeight + 1;
  if (r == 1) {
    mouseRow_ = 1;
    Show();
    return;
  }
  if (x > Width() - scrollWidth_) {
    mouseRow_ = 0;
    Show();
    return;
  }
  if (r == mouseRow_) return;
  const int k = topRow_ - 1 + r - 2;
  if (y >= visibleRows_ * kRowHeight || x >= dataWidth_ || k >= records_) {
    mouseRow_ = 0;
    Show();
    return;
  }
  Hover(r);
}

void ctrGraphicalGrid::Hover(int r) {
  Show();
  const int y = kRowHeight * (r - 1);
  plat::BitBlt(band_, 0, 0, dataWidth_, kRowHeight, Image(), 0, y);
  Win32API::BlendPictures(band_, bandColour_, band_, 70);
  plat::BitBlt(Image(), 0, y, dataWidth_, kRowHeight, band_, 0, 0);
  mouseRow_ = r;
  if (mouseMoveMSG_) {
    const int k = topRow_ - 1 + r - 2;
    hovered_ = RecordFields(k);
    std::string msg = "MouseMove:" + std::to_string(k + 1) + ":" + std::to_string(fieldCount_);
    if (auto h = MouseMoveMessage) h(msg);
  }
  RaiseSound(kSoundMouseOver);
  Refresh();
}

void ctrGraphicalGrid::HandleClick() {
  if (mouseRow_ == 0 || mouseX_ >= dataWidth_) return;
  if (mouseRow_ == 1) SortByColumn();
  else SelectRecord();
}

void ctrGraphicalGrid::SelectRecord() {
  const int k = topRow_ - 1 + mouseRow_ - 2;
  if (k < 0 || k >= records_) return;
  selected_ = RecordFields(k);
  int16_t row = static_cast<int16_t>(mouseRow_), fields = static_cast<int16_t>(fieldCount_);
  if (auto h = RowSelect) h(row, fields);
  RaiseSound(kSoundClick);
}

// The field a column's title sorts by: its FieldName as a field name, else as a 1-based
// position when it is digits, else the column's own field (some lists name fields their
// query does not select; the click must still sort what the player sees).
int ctrGraphicalGrid::SortField(int c) const {
  const std::string& name = Column(c).FieldName();
  if (AllDigits(name)) {
    if (name.size() <= 4 && std::stoi(name) >= 1 && std::stoi(name) <= fieldCount_) return std::stoi(name) - 1;
  } else if (int f = rs_->FieldIndex(name); f >= 0) {
    return f;
  }
  return c - 1;
}

void ctrGraphicalGrid::SortByColumn() {
  if (sortBusy_ || colCount_ == 0) return;
  rt::FlagScope busy(sortBusy_);
  const int c = std::clamp(mouseCol_, 1, colCount_);
  if (c == sortCol_) sortDir_ = 1 - sortDir_;
  auto sorted = std::make_shared<RecordSet>(*rs_);
  sorted->SortBy(SortField(c), sortDir_ == 1);
  rs_ = std::move(sorted);
  sortCol_ = c;
  LoadData();
  ShowPage(1);
  if (scrollable_) SetThumbTop(kThumbTop);
  RaiseSound(kSoundSort);
}

void ctrGraphicalGrid::HandleWheel(int direction) {
  if (!scrollable_ || wheelBusy_) return;
  rt::FlagScope busy(wheelBusy_);
  const int s = WheelStep(), last = rowCount_ - visibleRows_ + 1;
  if (direction < 0) {  // towards the player: later records
    if (topRow_ == last) return;
    if (rowCount_ >= topRow_ + visibleRows_ + s) {
      ShowPage(topRow_ + s);
      SetThumbTop(static_cast<int>(topRow_ * thumbStep_) + 24);
    } else {
      ShowPage(last);
      SetThumbTop(track_.bottom - thumb_->Height());
    }
  } else {
    if (topRow_ == 1) return;
    ShowPage(std::max(topRow_ - s, 1));
    SetThumbTop(topRow_ == 1 ? kThumbTop : static_cast<int>(topRow_ * thumbStep_) + 24);
  }
  mouseRow_ = 0;
  RaiseSound(kSoundWheel);
}

void ctrGraphicalGrid::ThumbDown(const plat::MouseEvent& e) {
  dragging_ = true;
  grabOffset_ = e.y;
}

void ctrGraphicalGrid::ThumbMove(const plat::MouseEvent& e) {
  if (!dragging_ || dragBusy_) return;
  rt::FlagScope busy(dragBusy_);
  const int top = e.y + thumb_->Top() - grabOffset_;  // the pointer in the grid's pixels, less the grab
  if (top < kThumbTop || top > Height() - thumb_->Height() - kTrackBottomGap) return;
  SetThumbTop(top);
  int t = static_cast<int>((top - 24) / thumbStep_) + 1;
  if (t + visibleRows_ - 1 >= rowCount_) t = rowCount_ - visibleRows_ + 1;
  if (t != drawnTop_) ShowPage(t);
}

void ctrGraphicalGrid::ThumbUp() {
  if (!dragging_) return;
  dragging_ = false;
  if (topRow_ == 1) SetThumbTop(kThumbTop);
  else if (topRow_ == rowCount_ - visibleRows_ + 1) SetThumbTop(track_.bottom - thumb_->Height());
}
