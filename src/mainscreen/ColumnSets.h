/** @file ColumnSets.h The column sets of the lists: titles, alignments, widths, sort fields and bar ranges of every list's columns. */
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace mainscreen {

/// One column as the header's Add takes it. TextAlign: 1 centred, 2 right, 3 bar filled by Max.
struct ColumnSpec {
  std::string_view Key;        ///< "col1", "col2", ...: the result column it heads
  std::string_view Name;       ///< the title
  int32_t TextAlign;
  int16_t Index;
  int16_t Width;
  std::string_view FieldName;  ///< what a click on the title sorts by: a field name or a 1-based position
  int16_t Min = 0;
  int16_t Max = 100;
};

/// The column sets, each by its form variable's name.
enum class ColumnSetId {
  ContinueItem, Workplace, TradeData, TradePartner, ItemSell, TradeGoods, Nation, ItemResearch, Area,
  Construct, AreaBuilding, ItemValue, Product, UnitClass, Equipment, NestRoute, BuildingStaff, Production,
};
inline constexpr int kColumnSetCount = 18;

/// The columns of a set in the order they are created (the order of Add, not of the keys).
std::span<const ColumnSpec> ColumnSet(ColumnSetId id);
/// "mColsArea" and so on.
std::string_view ColumnSetName(ColumnSetId id);

}  // namespace mainscreen
