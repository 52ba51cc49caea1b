/** @file ColumnSets.cpp The column sets of the lists, in the order the main window builds them. */
#include "mainscreen/ColumnSets.h"

#include <array>

namespace mainscreen {
namespace {

constexpr ColumnSpec kContinueItem[] = {
    {"col1", "アイテム名", 1, 1, 120, "1"},
    {"col2", "数量", 2, 2, 50, "2"},
    {"col3", "残り", 2, 3, 50, "3"},
};
constexpr ColumnSpec kWorkplace[] = {
    {"col1", "建物", 1, 1, 150, "Name"},
    {"col2", "従事数", 2, 2, 50, "NofProduction"},
};
constexpr ColumnSpec kTradeData[] = {
    {"col1", "交易", 1, 1, 50, "Type"},
    {"col2", "アイテム名", 1, 2, 120, "Item"},
    {"col3", "数量", 2, 3, 50, "Amount"},
};
constexpr ColumnSpec kTradePartner[] = {
    {"col1", "国名", 1, 1, 130, "Nation"},
    {"col2", "残り", 2, 2, 50, "Count"},
    {"col3", "友好度", 1, 3, 75, "3"},
};
constexpr ColumnSpec kItemSell[] = {
    {"col1", "アイテム名", 1, 1, 120, "Name"},
    {"col2", "数量", 2, 2, 60, "Storage"},
    {"col3", "売値", 2, 3, 45, "3"},
};
constexpr ColumnSpec kTradeGoods[] = {
    {"col1", "アイテム名", 1, 1, 120, "Name"},
    {"col2", "価格", 2, 2, 45, "2"},
    {"col3", "数量", 2, 3, 60, "Storage"},
    {"col4", "重量", 2, 4, 45, "Weight"},
};
constexpr ColumnSpec kNation[] = {
    {"col1", "国名", 1, 1, 130, "Nation"},
};
// Created in this order, so that key order and Index differ.
constexpr ColumnSpec kItemResearch[] = {
    {"col1", "アイテム名", 1, 1, 120, "Name"},
    {"col2", "数量", 2, 4, 60, "Storage"},
    {"col5", "レベル", 3, 5, 50, "ItemLevel", 0, 10},
    {"col6", "研究値", 3, 6, 50, "6", 0, 100},
    {"col7", "技術", 1, 7, 50, "Open"},
    {"col3", "カテゴリ", 1, 2, 75, "Class"},
    {"col4", "サブカテゴリ", 1, 3, 90, "Category"},
};
constexpr ColumnSpec kArea[] = {
    {"col1", "地域名", 1, 1, 150, "Name"},
    {"col2", "レベル", 3, 2, 50, "AreaLevel", 0, 10},
    {"col3", "探索値", 3, 3, 50, "3", 0, 100},
    {"col4", "開発", 2, 4, 50, "Development", 0, 15},
    {"col5", "建設数", 3, 5, 50, "5", 0, 5},
};
constexpr ColumnSpec kConstruct[] = {
    {"col1", "建物", 1, 1, 150, "Name"},
    {"col2", "用地", 2, 2, 50, "Land"},
    {"col3", "建設費", 2, 3, 50, "Price"},
    {"col4", "最大人員", 2, 4, 75, "Men"},
};
constexpr ColumnSpec kAreaBuilding[] = {
    {"col1", "地域", 1, 1, 150, "Area"},
    {"col2", "建物", 1, 2, 150, "Name"},
    {"col3", "用地", 2, 3, 50, "Land"},
    {"col4", "最大人員", 2, 4, 75, "Men"},
};
constexpr ColumnSpec kItemValue[] = {
    {"col1", "アイテム名", 1, 1, 120, "Name"},
    {"col2", "数量", 2, 2, 60, "Storage"},
    {"col3", "価値", 3, 3, 45, "Value", 0, 10},
    {"col4", "価格", 2, 4, 45, "4"},
};
constexpr ColumnSpec kProduct[] = {
    {"col1", "生産物", 1, 1, 150, "1"},
};
constexpr ColumnSpec kUnitClass[] = {
    {"col1", "兵種", 1, 1, 100, "1"},
};
constexpr ColumnSpec kEquipment[] = {
    {"col1", "アイテム名", 1, 1, 120, "Name"},
    {"col2", "分類", 1, 2, 80, "Category"},
    {"col3", "力", 2, 3, 50, "Power"},
    {"col4", "重量", 2, 4, 50, "Weight"},
    {"col5", "数量", 2, 5, 50, "Storage"},
};
constexpr ColumnSpec kNestRoute[] = {
    {"col1", "ルート", 1, 1, 120, "Name"},
    {"col2", "敵", 1, 2, 50, "Coefficient"},
    {"col3", "距離", 1, 3, 50, "Distance"},
};
// The demolition list: the buildings of an area with their land, capacity and staff.
constexpr ColumnSpec kBuildingStaff[] = {
    {"col1", "建物", 1, 1, 150, "Name"},
    {"col2", "用地", 2, 2, 50, "Land"},
    {"col3", "最大人員", 2, 3, 75, "Men"},
    {"col4", "従事数", 2, 4, 50, "NofProduction"},
};
// The staffing list: the buildings that employ people, with their product.
constexpr ColumnSpec kProduction[] = {
    {"col1", "建物", 1, 1, 150, "Name"},
    {"col2", "職種", 1, 2, 60, "OccupationJ"},
    {"col3", "従事数", 2, 3, 50, "NofProduction"},
    {"col4", "最大人員", 2, 4, 75, "Men"},
    {"col5", "生産物", 1, 5, 120, "Product"},
};

struct Entry {
  std::string_view name;
  std::span<const ColumnSpec> columns;
};

// In the order of ColumnSetId, which is the order the window builds them.
constexpr std::array<Entry, kColumnSetCount> kSets = {{
    {"mColsContinueItem", kContinueItem}, {"mColsWorkplace", kWorkplace},
    {"mColsTradeData", kTradeData},       {"mColsTradePartner", kTradePartner},
    {"mColsItemSell", kItemSell},         {"mColsTradeGoods", kTradeGoods},
    {"mColsNation", kNation},             {"mColsItemResearch", kItemResearch},
    {"mColsArea", kArea},                 {"mColsConstruct", kConstruct},
    {"mColsAreaBuilding", kAreaBuilding}, {"mColsItemValue", kItemValue},
    {"mColsProduct", kProduct},           {"mColsUnitClass", kUnitClass},
    {"mColsEquipment", kEquipment},       {"mColsNestRoute", kNestRoute},
    {"mColsBuildingStaff", kBuildingStaff}, {"mColsProduction", kProduction},
}};

}  // namespace

std::span<const ColumnSpec> ColumnSet(ColumnSetId id) { return kSets[static_cast<size_t>(id)].columns; }
std::string_view ColumnSetName(ColumnSetId id) { return kSets[static_cast<size_t>(id)].name; }

}  // namespace mainscreen
