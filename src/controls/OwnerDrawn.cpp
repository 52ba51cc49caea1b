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
