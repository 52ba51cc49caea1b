/** @file ctrGraphicalMSG.cpp The message panel's tint, frame and bottom-up lines. */
#include "controls/ctrGraphicalMSG.h"

#include <algorithm>
#include <vector>

#include "controls/Win32API.h"
#include "platform/Text.h"

void ctrGraphicalMSG::SetText(const std::string& text) {
  text_ = text;
  RePaintMsg();
}

void ctrGraphicalMSG::BackImageChanged() {
  picWork_ = BackImage();
  Win32API::SemiTransPicture(picWork_, color_.ColorAsLong(semiTransColor_), semiTransColorAP_);
  CalcTextRect();
  RePaintMsg();
}

void ctrGraphicalMSG::CalcTextRect() {
  textRect_ = plat::Rect{frameSize_, frameSize_, Width() - 2 * frameSize_, Height() - 2 * frameSize_};
}

void ctrGraphicalMSG::RePaintMsg() {
  plat::Surface& disp = Image();
  plat::BitBlt(disp, 0, 0, disp.Width(), disp.Height(), picWork_, 0, 0);
  DrawFrameLines(disp, frameSize_, color_.ColorAsLong(frameColor_));
  DrawMessage();
  Refresh();
}

// Lines from the last to the first, each placed above the one below it. A line too wide for the
// rectangle reserves one line height for each line it wraps into, counted at the width it is
// drawn with, so that no wrapped tail falls below the rectangle and is lost. Lines that no
// longer fit above the top are cut by the picture's edge.
void ctrGraphicalMSG::DrawMessage() {
  if (text_.empty()) return;
  CalcTextRect();
  const plat::Font font(plat::PointsToCellHeight(fontSize_), 400);
  const plat::Colour colour = color_.ColorAsLong(fontColor_);
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    const size_t end = text_.find("\r\n", start);
    lines.push_back(text_.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  const int left = textRect_.left + 2, right = textRect_.right;  // the text keeps off the left frame
  int bottom = textRect_.bottom;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    plat::Rect need{left, 0, std::max(right, left), 0};
    const int top = bottom - plat::MeasureText(font, *it, need, plat::DT_WORDBREAK);
    plat::Rect r{left, top, right, bottom};
    plat::DrawText(Image(), font, *it, r, plat::DT_WORDBREAK, colour);
    bottom = top;
  }
}
