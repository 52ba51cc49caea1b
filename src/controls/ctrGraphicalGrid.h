/** @file ctrGraphicalGrid.h The list control: a query result over the backdrop, with hover, selection, sorting and scrolling. */
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/OwnerDrawn.h"
#include "controls/clsGraphicalGridHeader.h"
#include "db/SqliteConnection.h"
#include "platform/Text.h"

/// A half-transparent table of a result set: a header row of column titles, one 20-pixel row
/// per record, text or bar cells, and a scroll column with a thumb when the records do not fit.
/// The height is the host's; GetData sets the width to the columns (plus 24 for the scroll column).
///
///   grid.SetBounds(215, 100, 0, 360);
///   grid.BackImageCopy(disp, 215, 100);
///   grid.GetData(gDB.GetRecordSet(), 3, mColsItemSell);
///   grid.RowSelect = [&](int16_t&, int16_t&) { auto name = grid.SelectRowData(0); ... };
///
/// Screen row 1 is the header row; rows 2 and on show the records from TopRow().
class ctrGraphicalGrid : public OwnerDrawn {
 public:
  static constexpr int kRowHeight = 20;
  static constexpr int kScrollWidth = 24;
  static constexpr int kThumbTop = 25;  ///< the thumb's highest top
  static constexpr int kThumbWidth = 16;

  explicit ctrGraphicalGrid(plat::Control* parent = nullptr);
  ~ctrGraphicalGrid() override;

  /// Shows a result set: the first pColCount fields under the headers "col1".. of pHeaders
  /// (fewer when the set, the headers or the fields run short); every field of a record stays
  /// readable through SelectRowData. Starts at the first record, sorted as given; a null or
  /// empty result shows the header row alone.
  void GetData(std::shared_ptr<const RecordSet> pRS, int16_t pColCount, const GridColumnSet& pHeaders);
  /// Takes the backdrop under the grid, left first like every control. The grid keeps the
  /// backdrop from there to the picture's right and bottom edges, as GetData sets its width
  /// afterwards. Called through OwnerDrawn, the copy has only the grid's present size.
  void BackImageCopy(const plat::Surface& pImage, int pLeft, int pTop);

  /// Field pIndex (from 0, in SELECT order, hidden fields too) of the record clicked last /
  /// under the mouse. Before any such record, or outside the fields: rt::VbError(kErrSubscript).
  std::string SelectRowData(int16_t pIndex) const;
  std::string MouseRowData(int16_t pIndex) const;
  void MouseLeave() override;

  /// The thumb's picture (shown over its back colour, number 119).
  const plat::Surface& ScrollImage() const { return scrollImage_; }
  void SetScrollImage(const plat::Surface& pic);
  /// Wheel step: with type 0, `value` rows per notch; with another type, the list in `value`
  /// notches (row count \ value). Returns the value and writes the stored type to pType.
  int16_t WheelValue(int32_t& pType) const;
  void SetWheelValue(int32_t pType, int16_t value);

  /// Colour numbers. TextColor and GraphColor take effect at the next page, SemiTrans at the
  /// next GetData, MouseOverColor at the next hover.
  int32_t SemiTrans() const { return semiTrans_; }
  void SetSemiTrans(int32_t n) { semiTrans_ = n; }
  int32_t MouseOverColor() const { return mouseOverColor_; }
  void SetMouseOverColor(int32_t n);
  int32_t TextColor() const { return textColor_; }
  void SetTextColor(int32_t n) { textColor_ = n; }
  int32_t GraphColor() const { return graphColor_; }
  void SetGraphColor(int32_t n) { graphColor_ = n; }
  /// While true, hovering a record fills MouseRowData and raises MouseMoveMessage.
  bool MouseMoveMSG() const { return mouseMoveMSG_; }
  void SetMouseMoveMSG(bool on) { mouseMoveMSG_ = on; }
  /// Kept for the host only; the grid never plays anything.
  void SetSndClickPath(std::string p) { sndClickPath_ = std::move(p); }
  void SetSndMovePath(std::string p) { sndMovePath_ = std::move(p); }
  void SetSndScrollPath(std::string p) { sndScrollPath_ = std::move(p); }
  void SetSndSortPath(std::string p) { sndSortPath_ = std::move(p); }

  /// Events. MouseMoveMessage: "MouseMove:<record from 1>:<field count>" when the mouse enters
  /// another record row (MouseMoveMSG on). RowSelect: a click on a record (screen row from 2,
  /// field count). MouseMove: every move while Active (hides the platform's MouseMove).
  std::function<void(std::string& text)> MouseMoveMessage;
  std::function<void(int16_t& row, int16_t& fieldCount)> RowSelect;
  std::function<void()> MouseMove;

  // The layout, read by tests and tools. Rows and columns count from 1 as on screen.
  int RowCount() const { return rowCount_; }  ///< records + 1
  int ColumnCount() const { return colCount_; }
  int FieldCount() const { return fieldCount_; }
  int VisibleRows() const { return visibleRows_; }
  int TopRow() const { return topRow_; }
  int DataWidth() const { return dataWidth_; }
  int DataHeight() const { return dataHeight_; }
  bool Scrollable() const { return scrollable_; }
  double ThumbStep() const { return thumbStep_; }
  /// The thumb's place on the grid (empty when not scrollable) and its track's frame.
  plat::Rect ThumbRect() const;
  plat::Rect TrackRect() const { return track_; }
  /// Text rectangle of a cell: screen row i from 0 (the header), column c from 1.
  plat::Rect CellRect(int i, int c) const;
  /// Right edge of column c (0 gives 0).
  int ColumnBound(int c) const { return colBounds_.at(c); }
  /// Field f (from 0) of record k (from 0) as shown, in the current sort order.
  const std::string& RecordValue(int k, int f) const {
    if (f < 0 || f >= fieldCount_) throw std::out_of_range("grid field");
    return data_.at(static_cast<size_t>(k) * fieldCount_ + f);
  }
  int MouseRow() const { return mouseRow_; }
  int SortColumn() const { return sortCol_; }
  int SortDirection() const { return sortDir_; }  ///< 0 ascending, 1 descending

  void HandleMouseMove(const plat::MouseEvent& e) override;
  void HandleClick() override;
  void HandleWheel(int direction) override;

 protected:
  void Resized() override;
  void BackImageChanged() override { backdrop_ = BackImage(); }

 private:
  class Thumb;
  friend class Thumb;

  const clsGraphicalGridHeader& Column(int c) const { return cols_[c - 1]; }
  void LoadData();
  void DrawBase();
  void ShowPage(int t);
  void Show();  ///< the work picture onto the visible one
  void Hover(int r);
  void SortByColumn();
  void SelectRecord();
  int SortField(int c) const;
  int WheelStep() const;
  void SetThumbTop(int top);
  void ThumbDown(const plat::MouseEvent& e);
  void ThumbMove(const plat::MouseEvent& e);
  void ThumbUp();
  std::vector<std::string> RecordFields(int k) const;

  // The list.
  std::shared_ptr<const RecordSet> rs_;
  GridColumnSet headers_;
  std::vector<clsGraphicalGridHeader> cols_;  ///< headers "col1".."col<colCount>"
  std::vector<std::string> data_;             ///< field f (from 0) of record r (from 0): fieldCount * r + f
  int records_ = 0;
  int rowCount_ = 1, colCount_ = 0, fieldCount_ = 0, visibleRows_ = 1;
  int topRow_ = 1, drawnTop_ = 1;
  int dataWidth_ = 0, dataHeight_ = 0, scrollWidth_ = 0, totalWidth_ = 0;
  bool scrollable_ = false;
  bool sizeFromData_ = false;
  std::vector<plat::Rect> cells_;  ///< visibleRows x colCount, row by row
  std::vector<int> colBounds_{0};
  plat::Rect track_;
  double thumbStep_ = 0;

  // Pictures.
  plat::Surface backdrop_;  ///< the backdrop from the grid's corner to the picture's edges
  plat::Surface graph_;     ///< the backdrop tinted with GraphColor: the source of the bars
  plat::Surface base_;      ///< tinted backdrop with the cell lines and the track frame
  plat::Surface disp_;      ///< work picture: base plus texts, bars and marks
  plat::Surface band_, bandColour_;
  plat::Surface scrollImage_;
  std::unique_ptr<plat::Control> thumb_;
  plat::Font rowFont_{15, 700};
  plat::Font markFont_{12, 400};

  // Properties.
  int32_t semiTrans_ = 3, mouseOverColor_ = 5, textColor_ = 1, graphColor_ = 6;
  bool mouseMoveMSG_ = true;
  int32_t wheelType_ = 0;
  int16_t wheelValue_ = 0;  // a step below 1 counts as 1
  std::string sndClickPath_, sndMovePath_, sndScrollPath_, sndSortPath_;

  // The mouse.
  int mouseRow_ = 0;  ///< 0 none, 1 header, 2.. a record row
  int mouseCol_ = 0;
  int mouseX_ = 0;
  int sortCol_ = 1, sortDir_ = 1;
  std::vector<std::string> selected_, hovered_;
  bool dragging_ = false;
  int grabOffset_ = 0;
  bool wheelBusy_ = false, sortBusy_ = false, dragBusy_ = false;
};
