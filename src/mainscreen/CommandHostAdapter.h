/** @file CommandHostAdapter.h The main window's controls as the economy commands see them (cmd::ICommandHost). */
#pragma once
#include <functional>
#include <map>
#include <memory>

#include "commands/CommandHost.h"
#include "controls/clsGraphicalGridHeader.h"
#include "mainscreen/ColumnSets.h"

class ctrGraphicalGrid;
class ctrGraphicalLabel;
class ctrGraphicalLabelLite;
class ctrPicSliderBar;
namespace plat {
class Control;
class Surface;
}

namespace mainscreen {

/// The controls of the command panel, owned by the window. Every one must be set.
struct CommandControls {
  const plat::Surface* Disp = nullptr;  ///< the backdrop every placed control copies from
  ctrGraphicalGrid *GGMain = nullptr, *GGSub1 = nullptr, *GGSub2 = nullptr;
  ctrGraphicalLabelLite *GLMenu = nullptr, *GLSubMenu = nullptr, *GLSubMenu2 = nullptr, *GLSubMenu3 = nullptr,
                        *GLExcute = nullptr, *GLClear = nullptr;
  ctrPicSliderBar* PSMain = nullptr;
  ctrGraphicalLabel* GLRestruct = nullptr;
  std::map<cmd::PanelId, plat::Control*> panels;  ///< GLTurnEnd, the views (GVTrade a ctrGraphicalView), GLToolTip
  /// The window's column set of a list (mColsArea, ...), built at load.
  std::function<const GridColumnSet&(ColumnSetId)> columns;
};

/// The window's side of cmd::ICommandHost.
class CommandHostAdapter : public cmd::ICommandHost {
 public:
  explicit CommandHostAdapter(CommandControls controls);
  ~CommandHostAdapter() override;
  cmd::IGrid& Grid(cmd::GridId id) override;
  cmd::IButton& Button(cmd::ButtonId id) override;
  cmd::ISlider& PSMain() override;
  cmd::IFigureLabel& GLRestruct() override;
  cmd::IControl& Panel(cmd::PanelId id) override;
  cmd::ITradeView& GVTrade() override;

  /// The window's column set of a command's list.
  static ColumnSetId SetOf(cmd::ColumnSet set);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace mainscreen
