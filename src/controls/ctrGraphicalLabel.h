/** @file ctrGraphicalLabel.h The label: a tinted panel with a main and a sub text, a gauge, or a button that lights up. */
#pragma once
#include <cstdint>
#include <string>

#include "controls/OwnerDrawn.h"
#include "platform/Text.h"

/// GLType 1: main text and sub text side by side, split at Separator per cent of the width.
/// GLType 2: the same with a gauge: SubText holds the maximum, SetValue the value; the sub part
/// shows a bar and the whole percentage. GLType 3: a button with one text that lights up under
/// the mouse until the host calls MouseLeave. Any other GLType shows the tint and the frame with
/// its separator line, no text. Events: Click (GLType 3), MouseMove (the event's fields are not
/// used) and Sound while Effect is on. The host calls BackImageCopy, then Setting. A text too wide
/// for its part is drawn in a smaller size of its font, never cut.
class ctrGraphicalLabel : public OwnerDrawn {
 public:
  enum : int32_t { kLabel = 1, kGauge = 2, kButton = 3 };

  explicit ctrGraphicalLabel(plat::Control* parent = nullptr);

  /// Lays out the text rectangles, takes the mouse-over colour, repaints.
  void Setting();
  void RePaint();
  /// The gauge's value; shows at the next repaint (a text set or RePaint).
  void SetValue(int16_t pValue) { value_ = pValue; }
  int16_t Value() const { return value_; }
  void MouseLeave() override;

  const std::string& MainText() const { return mainText_; }
  void SetMainText(const std::string& text);  ///< repaints
  const std::string& SubText() const { return subText_; }
  void SetSubText(const std::string& text);  ///< repaints

  int32_t TransColor() const { return transColor_; }
  void SetTransColor(int32_t n);
  int32_t ForeColor() const { return foreColor_; }  ///< the gauge bar and the lit look
  void SetForeColor(int32_t n) { foreColor_ = n; }
  int32_t FrameColor() const { return frameColor_; }
  void SetFrameColor(int32_t n) { frameColor_ = n; }
  int32_t MainTextColor() const { return mainTextColor_; }
  void SetMainTextColor(int32_t n) { mainTextColor_ = n; }
  int32_t SubTextColor() const { return subTextColor_; }
  void SetSubTextColor(int32_t n) { subTextColor_ = n; }
  int32_t GLType() const { return glType_; }
  void SetGLType(int32_t type) { glType_ = type; }
  int16_t Separator() const { return separator_; }  ///< the main text's share of the width, per cent
  void SetSeparator(int16_t percent) { separator_ = percent; }
  /// 1 left, 2 centre, 3 right, each centred vertically on one line; other codes: top left.
  int32_t MainTextAlign() const { return mainTextAlign_; }
  void SetMainTextAlign(int32_t a) { mainTextAlign_ = a; }
  int32_t SubTextAlign() const { return subTextAlign_; }
  void SetSubTextAlign(int32_t a) { subTextAlign_ = a; }
  bool SeparatorLine() const { return separatorLine_; }
  void SetSeparatorLine(bool on) { separatorLine_ = on; }
  /// Font sizes in points; a new size shows at the next repaint.
  int16_t FontMainText() const { return fontMainText_; }
  void SetFontMainText(int16_t points);
  int16_t FontSubText() const { return fontSubText_; }
  void SetFontSubText(int16_t points);
  // Kept for the host; the label never reads them.
  void SetsndClickPath(const std::string& path) { sndClickPath_ = path; }
  void SetsndMouseOverPath(const std::string& path) { sndMouseOverPath_ = path; }

  // The text rectangles Setting laid out, in the label's pixels.
  const plat::Rect& MainRect() const { return mainRect_; }
  const plat::Rect& SubRect() const { return subRect_; }
  const plat::Rect& ButtonRect() const { return buttonRect_; }
  /// The sub part's text as last drawn (for a gauge the percentage).
  const std::string& ShownSubText() const { return shownSub_; }
  /// The font the main text was last drawn in: its own, or a smaller one where it is too wide.
  const plat::Font& ShownMainFont() const { return shownMainFont_; }
  bool MouseOver() const { return mouseOver_; }

  void HandleMouseMove(const plat::MouseEvent& e) override;
  void HandleClick() override;

 protected:
  void BackImageChanged() override;

 private:
  void DrawFrame();
  void DrawLabel();
  plat::Font DrawPart(const std::string& text, const plat::Rect& part, const plat::Font& font, int32_t align,
                      int32_t colour);
  std::string DrawGauge();

  std::string mainText_, subText_, shownSub_;
  int16_t value_ = 0;
  int32_t transColor_ = 1;
  int32_t foreColor_ = 3;
  int32_t frameColor_ = 1;
  int32_t mainTextColor_ = 4;
  int32_t subTextColor_ = 4;
  int32_t glType_ = kLabel;
  int16_t separator_ = 50;
  int32_t mainTextAlign_ = 1;
  int32_t subTextAlign_ = 3;
  bool separatorLine_ = true;
  bool mouseOver_ = false;
  int16_t fontMainText_ = 16;
  int16_t fontSubText_ = 18;
  plat::Font mainFont_;
  plat::Font subFont_;
  plat::Font shownMainFont_;
  std::string sndClickPath_, sndMouseOverPath_;
  plat::Rect buttonRect_, mainRect_, subRect_;
  plat::Surface picTrans_;      // the tint colour, the label's size
  plat::Surface picMouseOver_;  // the lit look's colour
};
