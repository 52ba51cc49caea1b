/** @file ColumnSets.h The column sets of the lists: titles, alignments, widths, sort fields and bar ranges of every list's columns. */
#pragma once
#include <span>
#include <string_view>

#include "controls/clsGraphicalGridHeader.h"

namespace mainscreen {

/// One column. TextAlign: 1 centred, 2 right, 3 bar filled by Max.
using ColumnSpec = GridColumnSpec;

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
