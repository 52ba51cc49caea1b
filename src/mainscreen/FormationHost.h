/** @file FormationHost.h The formation of an army (the menu word "討伐") on the main window: its lists, unit view, slider and button, and the routing of their events. */
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "army/UnitFormation.h"
#include "mainscreen/frmMain2.h"

namespace mainscreen {

/// The window's side of the formation. Made by the load once the army exists; it adds the word
/// "討伐" to the menu and gives the window's routing the formation's procedures (the lists'
/// choices, 最強装備) and the unit view's clicks.
class FormationHost : public army::IFormationHost {
 public:
  FormationHost(frmMain2& w, clsBattle& battle);
  FormationHost(const FormationHost&) = delete;
  FormationHost& operator=(const FormationHost&) = delete;

  sim::IView& UnitView() override { return unitCells_; }
  void ShowList(army::FormationGrid grid, army::FormationColumns columns, int left, int top, int width, int height,
                std::shared_ptr<RecordSet> rows) override;
  void HideList(army::FormationGrid grid) override;
  void ShowSlider(int left, int top, int width, int height, int32_t max, const std::string& text) override;
  int32_t SliderValue() override;
  void ShowCountButton(const std::string& caption) override;
  void HideCommandPanel(const std::string& command, bool flag) override { w_.HideCommandPanel(command, flag); }

  army::clsUnitFormation& Formation() { return formation_; }

 private:
  ctrGraphicalGrid& Grid(army::FormationGrid grid);
  void Route();

  frmMain2& w_;
  ViewCells unitCells_;
  army::clsUnitFormation formation_;
};

}  // namespace mainscreen
