/** @file CommandHost.h What the economy commands need of the main window (its grids, slider, buttons and labels) and the form state they share between their steps. */
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "commands/clsCountry.h"
#include "commands/clsTrade.h"
#include "runtime/Collection.h"
#include "sim/GameState.h"

class RecordSet;

namespace cmd {

/// A control's place in pixels of the 800 by 600 client area.
struct Rect {
  int16_t Left, Top, Width, Height;
};

/// Anything the command panel shows or hides.
class IControl {
 public:
  virtual ~IControl() = default;
  /// Moves and sizes the control, then copies its background from the backdrop at its new
  /// place (BackImageCopy).
  virtual void Place(const Rect& r) = 0;
  virtual bool Visible() const = 0;
  virtual void Visible(bool value) = 0;
};

/// The column sets the main window builds at load (mColsArea, ...); a list names one and the
/// window hands its own set to the grid.
enum class ColumnSet {
  Area,           ///< mColsArea: area, level, exploration, free land, buildings
  AreaBuilding,   ///< mColsAreaBuilding: area, building, land, men
  ItemSell,       ///< mColsItemSell: name, stock, sale price
  Product,        ///< mColsProduct: product name
  Construct,      ///< mColsConstruct: "建物", "用地", "建設費", "最大人員"
  Workplace,      ///< mColsWorkplace: "建物", "従事数"
  BuildingStaff,  ///< mColsBuildingStaff: "建物", "用地", "最大人員", "従事数"
  Production,     ///< mColsProduction: "建物", "職種", "従事数", "最大人員", "生産物"
  ItemValue,      ///< mColsItemValue
  ItemResearch,   ///< mColsItemResearch
  ContinueItem,   ///< mColsContinueItem
  Nation,         ///< mColsNation
  TradePartner,   ///< mColsTradePartner
  TradeData,      ///< mColsTradeData
  TradeGoods,     ///< mColsTradeGoods
};

/// A list of query results (ctrGraphicalGrid). Every column of the result travels with each
/// row, shown or not; commands read the chosen row by 0-based SELECT position.
class IGrid : public virtual IControl {
 public:
  /// Every row and column of Rs; the Cols leading columns shown under the headers of Set.
  virtual void GetData(std::shared_ptr<RecordSet> Rs, int16_t Cols, ColumnSet Set) = 0;
  /// Column pIndex of the row the player chose last. An index outside the row, or no chosen
  /// row, throws rt::VbError (subscript).
  virtual std::string SelectRowData(int16_t pIndex) const = 0;
  /// The same for the row under the mouse.
  virtual std::string MouseRowData(int16_t pIndex) const = 0;
};

/// A label button (ctrGraphicalLabelLite): a caption that may be clickable.
class IButton : public virtual IControl {
 public:
  virtual std::string Text() const = 0;
  virtual void Text(const std::string& value) = 0;
  virtual bool Enable() const = 0;
  virtual void Enable(bool value) = 0;  ///< False: no clicks, the button serves as a caption
  virtual void FontColor(int16_t value) = 0;  ///< 1 normal, 2 red
};

/// A label with a caption and a second text (ctrGraphicalLabel), here the allocation surplus.
class IFigureLabel : public virtual IControl {
 public:
  virtual void MainText(const std::string& value) = 0;
  virtual std::string SubText() const = 0;
  virtual void SubText(const std::string& value) = 0;
  virtual void Setting() = 0;  ///< re-sizes and repaints
};

/// The quantity slider PSMain (ctrPicSliderBar). Setting Value from code raises its
/// ValueChenge event (PSMain_ValueChenge), whose answer is then ignored.
class ISlider : public virtual IControl {
 public:
  virtual int32_t Min() const = 0;
  virtual void Min(int32_t value) = 0;
  virtual int32_t Max() const = 0;
  virtual void Max(int32_t value) = 0;
  virtual int32_t Value() const = 0;
  virtual void Value(int32_t value) = 0;
  virtual std::string Text() const = 0;
  virtual void Text(const std::string& value) = 0;
  virtual bool Enable() const = 0;
  virtual void Enable(bool value) = 0;  ///< False freezes the knob
  virtual void ControlStart() = 0;      ///< redraws it ready for use
};

/// The trade view GVTrade (ctrGraphicalView): a table of cells addressed (row, column), both
/// 1-based, laid out by the window at load; nothing changes on screen until RePaint.
class ITradeView : public virtual IControl {
 public:
  virtual std::string HeaderText(int16_t pRow, int16_t pCol) const = 0;
  virtual void HeaderText(int16_t pRow, int16_t pCol, const std::string& text) = 0;
  virtual void RePaint() = 0;
};

enum class GridId { GGMain, GGSub1, GGSub2 };
enum class ButtonId { GLMenu, GLSubMenu, GLSubMenu2, GLSubMenu3, GLExcute, GLClear };
/// Controls the panel only shows and hides.
enum class PanelId { GLTurnEnd, GVUnit, GVTrade, GVProducer, GVMerchant, GVEngineer, GVConstructor, GVSoldier, GLToolTip };

/// The main window as the commands see it. The message box, the status panels and the
/// database come through the week context (sim::WeekContext).
class ICommandHost {
 public:
  virtual ~ICommandHost() = default;
  virtual IGrid& Grid(GridId id) = 0;
  virtual IButton& Button(ButtonId id) = 0;
  virtual ISlider& PSMain() = 0;
  virtual IFigureLabel& GLRestruct() = 0;
  /// Panel(PanelId::GVTrade) is this same view.
  virtual IControl& Panel(PanelId id) = 0;
  virtual ITradeView& GVTrade() = 0;
};

/// The form variables the commands keep between their steps. The week's own (mTurn,
/// mConstructPower, mTurnBuy, mTurnSell) live in sim::GameState.
struct CommandState {
  std::string mCommand;            ///< the current command word, "" when none
  int32_t mAllotID = 0;            ///< construction.ID of the building being staffed
  std::string mAllotOccupation;    ///< its workers' occupation ("Producer", "Engineer")
  int16_t mAllotPopulation = 0;    ///< people.Number of that occupation
  int16_t mAllotOthers = 0;        ///< that occupation's workers in all other buildings
  int32_t mUpgradeID = 0;          ///< construction.ID of the building chosen for 改修
  int16_t mItemPrice = 0;          ///< unit price of the chosen item (購入, 売却)
  int32_t mItemStorage = 0;        ///< stock of the chosen item as the list showed it
  /// The area whose buildings or building types GGSub1 shows, kept with that list (the
  /// caption alone may name an area whose list was never shown); "" while it shows none.
  std::string subListArea;
  /// For 建設: the building count of subListArea as the first list showed it.
  std::string subListBuildings;
  /// For 改修: the name of the building the list offers successors of.
  std::string subListUpgrade;
  /// gGridHeight: the height of the warehouse, research and publish lists (setting GridRows).
  int16_t mGridHeight = 480;

  // The trade being put together under 開始.
  rt::Collection<clsTrade> mTradeLines;  ///< keyed by clsTrade::Item ("Send2", "Receive5", ...)
  clsCountry mTradeCountry;              ///< the partner; Nation "" until one is chosen
  int16_t mTradeMaxWeight = 50;          ///< weight limit of each side, by the largest pier
  int32_t mSendWeight = 0;               ///< Weight x Num over the export lines
  int32_t mReceiveWeight = 0;            ///< the same over the import lines
  int32_t mTradeSide = 0;                ///< side of the slot clicked last: 1 export, 2 import
  int16_t mTradeRow = 0;                 ///< its row (2 to 4 goods, 5 money); 0 none
  int16_t mTradeCol = 0;                 ///< its column: 1 export, 5 import
};

/// What every command step reaches: the week's context (database, mData, game state, message
/// box, panels), the window's controls and the form state.
struct CommandContext {
  sim::WeekContext& week;
  ICommandHost& host;
  CommandState& form;
};

}  // namespace cmd
