/** @file Navigation.cpp Which procedure a chosen row reaches, the hovered rows' tooltips and the count button's caption. */
#include "mainscreen/Navigation.h"

#include <initializer_list>

#include "army/ItemTexts.h"
#include "army/UnitFormation.h"
#include "db/SqliteConnection.h"
#include "runtime/Convert.h"
#include "runtime/VbError.h"
#include "sim/SimDb.h"

namespace mainscreen {
namespace {

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (word == w) return true;
  return false;
}

// A missing field reads as empty: a tooltip never fails on a short row.
const std::string& Field(const Row& row, size_t i) {
  static const std::string kEmpty;
  return i < row.size() ? row[i] : kEmpty;
}

// A field as a whole number; nothing when it is not one (or out of range).
std::optional<int32_t> Whole(std::string_view text) {
  if (!rt::IsNumeric(text)) return std::nullopt;
  try {
    return rt::CLng(text);
  } catch (const rt::VbError&) {
    return std::nullopt;
  }
}

constexpr const char* kCrLf = "\r\n";

// "倉庫にN個あります", or for horses "牧場にN匹います"; `storage` empty: none in stock.
std::string StockLine(bool horse, const std::optional<std::string>& storage) {
  if (!storage) return horse ? "牧場にいません" : "倉庫にありません";
  return horse ? "牧場に" + *storage + "匹います" : "倉庫に" + *storage + "個あります";
}

// The item lists of 研究, 公開 and 倉庫 carry the item's kind: it decides the strength line.
std::string KindItemLines(const Row& row) {
  const std::string &kind = Field(row, 2), &category = Field(row, 3), &weight = Field(row, 7),
                    &value = Field(row, 8), &effect = Field(row, 9), &note = Field(row, 10), &sale = Field(row, 11);
  std::string text;
  if (kind == "武器") itemtext::AppendLine(text, "攻撃力:" + value);
  else if (kind == "防具" || kind == "アクセサリ") itemtext::AppendLine(text, "防御力:" + value);
  if (category == "馬") {
    itemtext::AppendLine(text, "速度:" + value);
    itemtext::AppendLine(text, "搭載可能重量:" + weight);
  } else if (weight != "0") {
    itemtext::AppendLine(text, "重量:" + weight);
  }
  if (!effect.empty()) itemtext::AppendLine(text, itemtext::RetItemEffectText(category, effect));
  if (!note.empty()) itemtext::AppendLine(text, note);
  if (!sale.empty() && sale != "0") itemtext::AppendLine(text, "売却価格:" + sale);
  return text;
}

std::string TradeGoodsLines(clsDB& db, const Row& row) {
  const std::string& category = Field(row, 4);
  std::string text = itemtext::RetItemLines(category, Field(row, 5), Field(row, 3), Field(row, 6), Field(row, 7));
  std::optional<std::string> storage;
  if (sim::QueryRow(db, "SELECT Storage FROM itemdata WHERE Name=" + SqlText(Field(row, 0)))) storage = db.Data(0);
  itemtext::AppendLine(text, StockLine(category == "馬", storage));
  return text;
}

// The goods of a running trade: only how many are in stock; money has nothing to say.
std::string RunningTradeLines(clsDB& db, const Row& row) {
  const std::string& name = Field(row, 1);
  if (name == "お金") return "";
  if (!sim::QueryRow(db, "SELECT Storage,Category FROM item,itemdata WHERE itemdata.Name=item.Name AND "
                         "itemdata.Name=" + SqlText(name)))
    return StockLine(false, std::nullopt);
  return StockLine(db.Data(1) == "馬", db.Data(0));
}

// When the product of a farm, paddy or ranch is due; "" when it cannot be said.
std::string GrowthEstimate(clsDB& db, const Row& row, int32_t turn) {
  const std::string &product = Field(row, 4), &kind = Field(row, 7);
  if (product.empty()) return "";
  std::string sql;
  if (kind == "畑" || kind == "水田") sql = "SELECT Cycle,Growth,Fallow FROM grain WHERE Name=" + SqlText(product);
  else if (kind == "牧場") sql = "SELECT Cycle,Growth,Fallow FROM animal WHERE Name=" + SqlText(product) + " AND Fallow>0";
  else return "";
  if (!sim::QueryRow(db, sql)) return "";
  const auto cycle = Whole(db.Data(0)), fallow = Whole(db.Data(2));
  const auto started = Whole(Field(row, 6)), workers = Whole(Field(row, 2));
  // A product without a cycle never comes round: no estimate.
  if (!cycle || *cycle <= 0 || !fallow || !started) return "";
  const int64_t r = (int64_t{turn} - *started) % *cycle;
  if (r >= *fallow && workers.value_or(0) > 0) return "生産完了まであと" + rt::CStr(*cycle - r) + "週";
  if (r < *fallow) return "生産開始まであと" + rt::CStr(*fallow - r) + "週";
  return "";
}

// A workshop product: its figures, then each material with the stock of it.
std::string WorkshopLines(clsDB& db, const Row& row) {
  std::string text = itemtext::RetItemLines(Field(row, 3), Field(row, 4), Field(row, 5), Field(row, 6), Field(row, 7));
  if (!text.empty()) text += kCrLf;
  const auto materials = sim::QueryRows(db,
                                        "SELECT ItemName,Storage FROM synthesisitem,itemdata "
                                        "WHERE synthesisitem.ItemName=itemdata.Name AND synthesisitem.Name=" +
                                            SqlText(Field(row, 0)) + " AND ItemAmount>0");
  if (materials.empty()) return "";
  for (size_t i = 0; i < materials.size(); ++i) {
    if (i > 0) text += kCrLf;
    text += Field(materials[i], 0) + "は" + Field(materials[i], 1) + "個";
  }
  return text;
}

}  // namespace

RowAction RowActionOf(cmd::GridId grid, std::string_view command) {
  switch (grid) {
    case cmd::GridId::GGMain:
      if (IsOneOf(command, {"研究", "購入", "売却", "公開", "供給"})) return RowAction::ItemCommand;
      if (IsOneOf(command, {"探索", "建設", "解体", "配分", "改修"})) return RowAction::AreaCommand;
      if (command == "討伐") return RowAction::SetUnitEquipment;
      if (command == "開始") return RowAction::TradeItemSelect;
      break;
    case cmd::GridId::GGSub1:
      if (IsOneOf(command, {"解体", "建設", "配分", "改修"})) return RowAction::ConstructCommand;
      if (command == "討伐") return RowAction::ShowStandardEquipment;
      if (command == "開始") return RowAction::TradeStart;
      if (command == "中止") return RowAction::GetTradeData;
      break;
    case cmd::GridId::GGSub2:
      if (command == "討伐") return RowAction::SetBattle;
      if (command == "配分") return RowAction::ChooseProduct;
      break;
  }
  return RowAction::None;
}

std::string GGMainToolTip(clsDB& db, std::string_view command, const Row& row) {
  if (IsOneOf(command, {"研究", "公開", "倉庫"})) return KindItemLines(row);
  if (IsOneOf(command, {"購入", "売却", "供給"}))
    return itemtext::RetItemLines(Field(row, 8), Field(row, 5), Field(row, 4), Field(row, 6), Field(row, 7));
  if (command == "討伐") return army::EquipmentToolTip(row);
  if (command == "開始") return TradeGoodsLines(db, row);
  if (command == "中止") return RunningTradeLines(db, row);
  if (IsOneOf(command, {"探索", "建設", "解体", "配分"})) return Field(row, 6);
  return "";
}

std::string GGSub1ToolTip(clsDB& db, std::string_view command, const Row& row, int32_t turn, int16_t power) {
  if (command == "開始") return "友好度：" + Field(row, 1) + kCrLf + Field(row, 2);
  if (command == "建設" || command == "改修") {
    const auto work = Whole(Field(row, 4));
    // Without construction power the job would never end: no estimate.
    if (!work || power <= 0) return "";
    return "完成まで約" + rt::CStr(int64_t{*work / power + 1}) + "週かかります";
  }
  if (command == "配分") return GrowthEstimate(db, row, turn);
  return "";
}

std::optional<std::string> GGSub2ToolTip(clsDB& db, std::string_view command, std::string_view allotOccupation,
                                         const Row& row) {
  if (command == "討伐") {
    if (auto text = army::NestToolTip(db, row)) return text;
    // A nest without monster rows: the conquests alone, so no other nest's monsters stay shown.
    const auto times = Whole(Field(row, 3));
    if (!times || *times <= 0) return "";
    return "討伐" + Field(row, 3) + "回:財宝=" + (Field(row, 4).empty() ? "なし" : Field(row, 4));
  }
  if (command == "配分" && allotOccupation == "Engineer") return WorkshopLines(db, row);
  return std::nullopt;
}

std::optional<std::string> CountCaption(std::string_view caption, std::string_view command, bool up) {
  std::string label;
  if (command == "開始") label = "交易回数:";
  else if (command == "購入" || command == "売却") label = "回数:";
  else return std::nullopt;
  // A caption without a number counts as 1.
  const size_t colon = caption.find(':');
  const int32_t n = colon == std::string_view::npos ? 1 : Whole(caption.substr(colon + 1)).value_or(1);
  int32_t next = n;
  if (up) {
    if (n < 10) next = n + 1;
    else if (n == 10) next = 1;
  } else {
    if (n >= 2) next = n - 1;
    else if (n == 1) next = 10;
  }
  if (next == n) return std::string(caption);  // out of the range: left as it is
  return label + rt::CStr(next);
}

}  // namespace mainscreen
