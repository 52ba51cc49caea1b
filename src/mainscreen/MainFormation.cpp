/** @file MainFormation.cpp The formation's lists, unit view, slider and button on the main window, and the routing of their events while "討伐" is the command. */
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "mainscreen/DesignValues.h"
#include "mainscreen/FormationHost.h"

namespace mainscreen {
namespace {

constexpr int kBestLeft = 215, kBestTop = 222;  ///< "最強装備": below the class list, above the item list

// Without start-up's equipment memory (a test's window) the formation remembers in one of its own.
clsMngUnitItems& UnitItems() {
  static clsMngUnitItems own;
  return gMngUnitItems ? *gMngUnitItems : own;
}

ColumnSetId SetOf(army::FormationColumns columns) {
  switch (columns) {
    case army::FormationColumns::NestRoute: return ColumnSetId::NestRoute;
    case army::FormationColumns::UnitClass: return ColumnSetId::UnitClass;
    case army::FormationColumns::Equipment: break;
  }
  return ColumnSetId::Equipment;
}

}  // namespace

FormationHost::FormationHost(frmMain2& w, clsBattle& battle)
    : w_(w), unitCells_(w.GVUnit), formation_(w.Context(), *this, battle, UnitItems()) {
  Route();
}

ctrGraphicalGrid& FormationHost::Grid(army::FormationGrid grid) {
  switch (grid) {
    case army::FormationGrid::Sub1: return w_.GGSub1;
    case army::FormationGrid::Sub2: return w_.GGSub2;
    case army::FormationGrid::Main: break;
  }
  return w_.GGMain;
}

void FormationHost::ShowList(army::FormationGrid grid, army::FormationColumns columns, int left, int top, int width,
                             int height, std::shared_ptr<RecordSet> rows) {
  ctrGraphicalGrid& g = Grid(grid);
  g.SetBounds(left, top, width, height);
  g.BackImageCopy(w_.Disp.Image(), left, top);
  const auto& set = w_.ColumnSet(SetOf(columns));
  g.GetData(std::move(rows), static_cast<int16_t>(set.Count()), set);
  g.SetVisible(true);
}

void FormationHost::HideList(army::FormationGrid grid) {
  if (Grid(grid).Visible()) Grid(grid).SetVisible(false);
}

void FormationHost::ShowSlider(int left, int top, int width, int height, int32_t max, const std::string& text) {
  ctrPicSliderBar& s = w_.PSMain;
  s.SetBounds(left, top, width, height);
  s.OwnerDrawn::BackImageCopy(w_.Disp.Image(), left, top);
  s.SetMin(0);
  s.SetMax(max);
  s.SetValue(0);
  s.SetText(text);
  s.SetEnable(true);
  s.ControlStart();
  s.SetVisible(true);
}

int32_t FormationHost::SliderValue() { return w_.PSMain.Value(); }

void FormationHost::ShowCountButton(const std::string& caption) {
  // Under the class list, by the unit it equips: at its usual place it would cover nest rows.
  ctrGraphicalLabelLite& b = w_.GLSubMenu2;
  b.SetBounds(kBestLeft, kBestTop, 100, 20);
  b.OwnerDrawn::BackImageCopy(w_.Disp.Image(), b.Left(), b.Top());
  b.SetText(caption);
  b.SetVisible(true);
}

void FormationHost::Route() {
  w_.SetListBuilder("討伐", [this](const std::string& word) { return formation_.ShowNestList(word); });

  // Closing the command takes the formation's controls away (the commands' panel may do the same).
  auto panel = w_.commandPanel;
  w_.commandPanel = [this, panel](const std::string& command, bool flag) {
    if (panel) panel(command, flag);
    if (flag || command != "討伐") return;
    w_.GLSubMenu2.SetBounds(design::kSubMenu2Left, design::kSubMenu2Top, 110, 20);  // back for the counts
    for (plat::Control* c : std::initializer_list<plat::Control*>{&w_.GVUnit, &w_.GGMain, &w_.GGSub1, &w_.GGSub2,
                                                                   &w_.PSMain, &w_.GLSubMenu2, &w_.GLToolTip})
      if (c->Visible()) c->SetVisible(false);
  };

  // The lists' choices and the 最強装備 button reach the formation through the window's routing.
  auto& p = w_.procedures;
  p.ShowStandardEquipment = [this] { formation_.ShowStandardEquipment(RowOf(w_.GGSub1, false)); };
  p.SetUnitEquipment = [this] {
    formation_.SetUnitEquipment(RowOf(w_.GGMain, false));
    formation_.CalcUnitStatus();
  };
  p.SetBattle = [this] { return formation_.SetBattle(RowOf(w_.GGSub2, false)); };
  p.SetBestEquipment = [this] { formation_.SetBestEquipment(); };

  w_.GVUnit.Click = [this](int16_t& row, int16_t& col, std::string&) { formation_.GVUnit_Click(row, col); };
  w_.GVUnit.RightClick = [this](int16_t& row, int16_t& col, std::string&) { formation_.GVUnit_RightClick(row, col); };
}

}  // namespace mainscreen
