/** @file OwnerDrawn.cpp The shared behaviour of the owner-drawn controls. */
#include "controls/OwnerDrawn.h"

void OwnerDrawn::BackImageCopy(const plat::Surface& backdrop, int left, int top) {
  back_ = plat::Surface(Width(), Height());
  plat::BitBlt(back_, 0, 0, Width(), Height(), backdrop, left, top);
  BackImageChanged();
}

void OwnerDrawn::RaiseSound(int code) {
  if (!effect_) return;
  if (auto h = Sound) h(code);
}

void OwnerDrawn::DrawFrameLines(plat::Surface& pic, int width, plat::Colour colour) {
  if (width <= 0) return;
  const int w = pic.Width(), h = pic.Height();
  plat::DrawLine(pic, 0, 0, w, 0, colour, width);
  plat::DrawLine(pic, 0, 0, 0, h, colour, width);
  plat::DrawLine(pic, w - width, 0, w - width, h, colour, width);
  plat::DrawLine(pic, 0, h - width, w - width, h - width, colour, width);
}
