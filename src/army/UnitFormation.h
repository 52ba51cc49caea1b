/** @file UnitFormation.h Forming an army and sending it against a monster nest (the command "討伐"): lists, equipment slots, checks and the departure, behind a small host so it runs without a window. */
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "army/clsItem.h"
#include "runtime/Collection.h"
#include "sim/GameState.h"

class clsBattle;
class clsDB;
class clsMngUnitItems;
class RecordSet;

namespace army {

/// The lists the formation fills: GGMain (equipment), GGSub1 (classes), GGSub2 (nests).
enum class FormationGrid { Main, Sub1, Sub2 };
/// The column sets of those lists: mColsNestRoute (3), mColsUnitClass (1), mColsEquipment (5).
enum class FormationColumns { NestRoute, UnitClass, Equipment };

/// What the formation needs of the main window besides the message box and the panels of the
/// week's context.
class IFormationHost {
 public:
  virtual ~IFormationHost() = default;
  /// GVUnit: seven rows, four columns.
  virtual sim::IView& UnitView() = 0;
  /// Places a list, fills it from the query's rows with a column set and shows it.
  virtual void ShowList(FormationGrid grid, FormationColumns columns, int left, int top, int width, int height,
                        std::shared_ptr<RecordSet> rows) = 0;
  virtual void HideList(FormationGrid grid) = 0;
  /// PSMain: placed, maximum, value 0, its text, enabled and shown.
  virtual void ShowSlider(int left, int top, int width, int height, int32_t max, const std::string& text) = 0;
  virtual int32_t SliderValue() = 0;
  /// GLSubMenu2 at its place with a caption.
  virtual void ShowCountButton(const std::string& caption) = 0;
  /// Shows or hides the controls of a command (and with false the command label).
  virtual void HideCommandPanel(const std::string& command, bool flag) = 0;
};

/// Column 1 of GVUnit as the view's set-up writes it: the slot words of rows 2 and 4 to 7
/// (row 3 is written by the formation when a class is chosen).
void WriteSlotLabels(sim::IView& unitView);
/// The row of GVUnit of a slot word: "武器" 2, "矢"/"馬" 3, "防具" 4, "アクセサリ" 5,
/// "アイテム1" 6, "アイテム2" 7; 0 for any other word.
int RetSlotRow(const std::string& Slot);
/// The SQL condition on item.Category of a GVUnit row for a class; "" when the row takes nothing.
std::string SlotCondition(int row, const std::string& unitClass);
/// Capacity and base speed of a class at education e, before a horse (0 and 0 for riders).
void ClassCapacity(const std::string& unitClass, int16_t e, int& capacity, int& speed);

/// The tooltip of an equipment row of GGMain (name, category, power, weight, stock, effect, tips).
std::string EquipmentToolTip(const std::vector<std::string>& itemRow);
/// The tooltip of a nest row of GGSub2 (name, coefficient, distance, times, treasure): the
/// conquests so far and each monster with its figures; nothing when the nest has no monster row
/// (the tooltip then stays as it was).
std::optional<std::string> NestToolTip(clsDB& db, const std::vector<std::string>& nestRow);

/// The formation's rules. The host routes the window's events here.
class clsUnitFormation {
 public:
  clsUnitFormation(sim::WeekContext& ctx, IFormationHost& host, clsBattle& battle, clsMngUnitItems& unitItems);

  /// Builds the screen for Command; false (after its message) when no army can be formed.
  bool ShowNestList(const std::string& Command);
  /// A class row picked in GGSub1 (column 0 the class).
  void ShowStandardEquipment(const std::vector<std::string>& classRow);
  /// A click on a GVUnit row: lists the stocked items for its slot.
  void GVUnit_Click(int16_t row, int16_t col);
  /// A right click on a GVUnit row: empties its slot.
  void GVUnit_RightClick(int16_t row, int16_t col);
  /// An item row picked in GGMain (name, category, power, weight, stock, effect, tips).
  void SetUnitEquipment(const std::vector<std::string>& itemRow);
  /// "最強装備": the strongest stocked weapon, sub-arm and armour.
  void SetBestEquipment();
  /// The status line; true when the load fits the capacity.
  bool CalcUnitStatus();
  /// A nest row picked in GGSub2 (name, coefficient, distance, times, treasure): checks the army,
  /// asks, and sends it. "" when it left or the player said no, else the message to show.
  std::string SetBattle(const std::vector<std::string>& nestRow);
  bool HasStock(const std::string& Name, int32_t Amount);

  const std::string& Command() const { return mCommand; }
  const std::string& UnitClass() const { return mUnitClass; }
  const rt::Collection<clsItem>& UnitItems() const { return mUnitItems; }
  int16_t SoldierEducation() const { return mSoldierEducation; }

 private:
  sim::IView& View() { return host_.UnitView(); }
  void ClearItemCells(int fromRow, int toRow);
  void ShowItem(int row, const clsItem& item);
  void RemoveSlot(const std::string& slot);
  /// The departure's writes, all or nothing; "" when committed.
  std::string Depart(const std::string& nestName, int16_t distance, int16_t soldiers);

  sim::WeekContext& ctx_;
  IFormationHost& host_;
  clsBattle& battle_;
  clsMngUnitItems& unitItems_;

  std::string mCommand;
  std::string mUnitClass;
  std::string mUnitSlot;
  int16_t mSoldierEducation = 0;
  rt::Collection<clsItem> mUnitItems;
};

}  // namespace army
