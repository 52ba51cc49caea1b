/** @file MainGrids.cpp The column sets of the lists, and the grids' and the slider's pictures and sounds. */
#include <string>

#include "mainscreen/frmMain2.h"

using namespace mainscreen;

void frmMain2::InitGridHeaders() {
  for (int i = 0; i < kColumnSetCount; ++i)
    columnSets_[static_cast<size_t>(i)] = MakeColumnSet(mainscreen::ColumnSet(static_cast<ColumnSetId>(i)));
}

void frmMain2::InitGrids() {
  const plat::Surface scroll = ControlPicture("gridscroll.bmp");
  for (ctrGraphicalGrid* grid : {&GGMain, &GGSub1, &GGSub2}) {
    grid->SetScrollImage(scroll);
    grid->SetSndClickPath(mClickSoundPath);
    grid->SetSndSortPath(mSortSoundPath);
    grid->SetSndMovePath(mMouseOverSoundPath);
    grid->SetSndScrollPath(mScrollSoundPath);
    grid->SetEffect(true);
    grid->SetWheelValue(0, 3);
  }
  GGSub2.SetMouseMoveMSG(true);
}

void frmMain2::InitSlider() {
  PSMain.SetSliderImage(ControlPicture("sdimage.bmp"));
  PSMain.SetImageMask(ControlPicture("sdmask.bmp"));
  PSMain.SetBottomLineImage(ControlPicture("sliderbottomline.bmp"));
  PSMain.SetsndDownPath(mSliderSoundPath);
}
