/** @file TradeCommands.cpp The partner and running-trade lists, the trade view's slots and totals, and the contract and its cancellation. */
#include "commands/TradeCommands.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "commands/CommandPanel.h"
#include "commands/ItemCommands.h"
#include "db/DbTransaction.h"
#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "sim/SimDb.h"
#include "sim/Trade.h"

namespace cmd {
namespace {

using sim::QueryRow;

constexpr int16_t kMoneyRow = 5;
constexpr int16_t kExportCol = 1;
constexpr int16_t kImportCol = 5;
constexpr int32_t kExport = 1;
constexpr int32_t kImport = 2;
constexpr const char* kMoney = "お金";

std::string N(int64_t n) { return rt::CStr(n); }

// The slider and the buttons of a slot; each slot change puts them away first, so that no
// confirm button adds goods to a slot they were not chosen for.
void HideSlotControls(CommandContext& c) {
  HideIfShown({&c.host.PSMain(), &c.host.Button(ButtonId::GLSubMenu), &c.host.Button(ButtonId::GLSubMenu3)});
}

// The goods list, and the tooltip of its row under the mouse, which would outlive it.
void HideGoods(CommandContext& c) {
  HideIfShown({&c.host.Grid(GridId::GGMain), &c.host.Panel(PanelId::GLToolTip)});
}

// The button that adds the slider's amount to the chosen slot.
void ShowConfirm(CommandContext& c) {
  IButton& confirm = c.host.Button(ButtonId::GLSubMenu);
  confirm.Enable(true);
  confirm.Text("アイテム確定");
  confirm.Place({670, 535, 110, 20});
  confirm.FontColor(1);
  confirm.Visible(true);
}

bool HasPartner(const CommandContext& c) { return !c.form.mTradeCountry.Nation.empty(); }

// A slot of the view: goods rows 2 to 4 or the money row, on the export or the import column.
bool IsSlot(int16_t row, int16_t col) { return row >= 2 && row <= kMoneyRow && (col == kExportCol || col == kImportCol); }

std::string LineKey(int32_t side, int16_t row) { return (side == kExport ? "Send" : "Receive") + N(row); }

void ClearDealCells(ITradeView& view) {
  for (int16_t row = 2; row <= 4; ++row)
    for (int16_t col : {2, 3, 4, 6, 7, 8}) view.HeaderText(row, col, "");
  view.HeaderText(kMoneyRow, 2, "");
  view.HeaderText(kMoneyRow, 6, "");
}

struct Totals {
  int64_t sendPrice = 0, receivePrice = 0;
  int64_t sendWeight = 0, receiveWeight = 0;
};

// Wide sums: three lines of 16-bit prices and counts leave the 16-bit range easily.
Totals SumLines(const rt::Collection<clsTrade>& lines) {
  Totals t;
  for (const auto& [key, line] : lines) {
    const int64_t price = int64_t{line.Price} * line.Num;
    const int64_t weight = int64_t{line.Weight} * line.Num;
    if (line.Trade == kExport) {
      t.sendPrice += price;
      t.sendWeight += weight;
    } else {
      t.receivePrice += price;
      t.receiveWeight += weight;
    }
  }
  return t;
}

std::string PartnerHeader(const CommandContext& c, int64_t sendWeight, int64_t receiveWeight) {
  const clsCountry& p = c.form.mTradeCountry;
  return p.Nation + "(距離:" + N(p.Distance) + "/最大重量:" + N(c.form.mTradeMaxWeight) + "/" + N(sendWeight) + "/" +
         N(receiveWeight) + ")";
}

// The names already on one side, quoted for an IN list.
std::string NamesOnSide(const CommandContext& c, int32_t side) {
  std::string list;
  for (const auto& [key, line] : c.form.mTradeLines) {
    if ((line.Trade == kExport) != (side == kExport)) continue;
    list += (list.empty() ? "" : ",") + SqlText(line.Name);
  }
  return list;
}

std::string ExportGoodsSql(const CommandContext& c) {
  const std::string nation = SqlText(c.form.mTradeCountry.Nation);
  const std::string taken = NamesOnSide(c, kExport);
  // The unrounded sale price times the partner's interest in the class, rounded once.
  return "SELECT item.Name,ROUND(item.Price*(0.5+itemdata.DecreaseWeek*0.04)*(tradecategory.Coefficient/10),0),"
         "itemdata.Storage,item.Weight,item.Category,Power,Effect,Tips FROM item,itemdata,tradecategory WHERE "
         "item.Name=itemdata.Name AND itemdata.Storage>0 AND item.TofFlag=TRUE" +
         (taken.empty() ? "" : " AND item.Name NOT IN (" + taken + ")") + " AND tradecategory.Nation=" + nation +
         " AND tradecategory.Category=item.Class AND item.Name NOT IN (SELECT tradeitem.Item FROM tradeitem WHERE "
         "Nation=" + nation + " AND tradeitem.Item<>'') ORDER BY 2 DESC";
}

std::string ImportGoodsSql(const CommandContext& c) {
  const clsCountry& p = c.form.mTradeCountry;
  const std::string taken = NamesOnSide(c, kImport);
  // An item of no value would divide by zero: the partner has none of it to give.
  return "SELECT tradeitem.Item,tradeitem.Price,CASE WHEN item.Value>0 THEN ROUND(" + N(p.Population) +
         "*1.0/(item.Value*20),0) ELSE 0 END,item.Weight,Category,Power,Effect,Tips FROM item,tradeitem WHERE "
         "item.Name=tradeitem.Item AND tradeitem.Nation=" + SqlText(p.Nation) + " AND tradeitem.Friendship<=" +
         N(p.Friendship) + (taken.empty() ? "" : " AND tradeitem.Item NOT IN (" + taken + ")") + " ORDER BY 2 ASC";
}

void ShowGoods(CommandContext& c, int16_t col) {
  clsDB& db = c.week.db;
  c.form.mTradeSide = col == kExportCol ? kExport : kImport;
  const std::string sql = col == kExportCol ? ExportGoodsSql(c) : ImportGoodsSql(c);
  IGrid& main = c.host.Grid(GridId::GGMain);
  if (!QueryRow(db, sql)) {
    // No other slot's goods may stay to be chosen for this one.
    HideGoods(c);
    return Notice(c, "交易できるアイテムがありません");
  }
  main.Place({215, 250, 500, 220});
  main.GetData(db.GetRecordSet(), 4, ColumnSet::TradeGoods);
  main.Visible(true);
}

void ShowMoneySlot(CommandContext& c, int16_t col) {
  const bool giving = col == kExportCol;
  c.form.mTradeSide = giving ? kExport : kImport;
  const clsCountry& p = c.form.mTradeCountry;
  // The money line keeps its amount in 16 bits.
  const int64_t limit =
      std::clamp<int64_t>(giving ? std::min<int64_t>(c.week.data.Money(), 2000)
                                 : static_cast<int64_t>(rt::Round(static_cast<double>(p.Affluence) * p.Population / 150.0)),
                          0, std::numeric_limits<int16_t>::max());
  const Totals t = SumLines(c.form.mTradeLines);
  int64_t suggested = 0;
  if (giving && t.sendPrice < t.receivePrice && t.receivePrice - t.sendPrice <= limit)
    suggested = t.receivePrice - t.sendPrice;
  if (!giving && t.sendPrice > t.receivePrice && t.sendPrice - t.receivePrice <= limit)
    suggested = t.sendPrice - t.receivePrice;

  HideGoods(c);
  ShowSlider(c, kAmountSliderAt, static_cast<int32_t>(limit), static_cast<int32_t>(suggested), kMoney);
  ShowConfirm(c);
}

// A list value as a 16-bit number; false when it is none.
bool Fits16(const std::string& text, int16_t& out) {
  if (!rt::IsNumeric(text)) return false;
  const double v = rt::Round(rt::CDbl(text));
  if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max()) return false;
  out = static_cast<int16_t>(v);
  return true;
}

void ResetDeal(CommandContext& c) {
  c.form.mTradeLines.Clear();
  c.form.mTradeCountry = clsCountry{};
  c.form.mSendWeight = c.form.mReceiveWeight = 0;
  c.form.mTradeRow = c.form.mTradeCol = 0;
  c.form.mTradeSide = 0;
}

void WriteFailed(CommandContext& c, const std::string& what, const std::string& sql) {
  c.week.MsgBox(sql.empty() ? what : what + "\r\n" + sql);
}

}  // namespace

bool ShowTradeCountryList(CommandContext& c, const std::string& Command) {
  clsDB& db = c.week.db;
  ITradeView& view = c.host.GVTrade();
  // A new negotiation: no partner, line or control of the last one stays.
  ResetDeal(c);
  view.HeaderText(1, 1, "");
  ClearDealCells(view);
  view.HeaderText(kMoneyRow, 4, "");
  view.HeaderText(kMoneyRow, 8, "");
  view.RePaint();
  if (Command != "開始") return true;
  HideIfShown({&view, &c.host.Grid(GridId::GGMain), &c.host.Button(ButtonId::GLExcute), &c.host.Button(ButtonId::GLSubMenu2)});
  HideSlotControls(c);

  // Piers that are finished or being upgraded each carry their land's worth of contracts.
  const std::string capacitySql =
      "SELECT SUM(Land) FROM construct,construction WHERE construct.Name=construction.Name AND "
      "construct.Type='桟橋' AND (construction.Work=0 OR construction.[Update]<>'')";
  const std::string capacity = QueryRow(db, capacitySql) ? db.Data(0) : std::string();
  if (capacity.empty()) {
    Notice(c, "交易国がありません");
    return false;
  }
  const auto contracts = sim::Amount(capacity);
  if (!contracts) {
    sim::BadValue(c.week, "桟橋取得エラー:ShowTradeCountryList", "SUM(construct.Land)", capacity);
    return false;
  }
  const int32_t running = sim::QueryNumber(db, "SELECT COUNT(*) FROM trade");
  if (running >= *contracts) {
    Notice(c, N(running) + "ヶ国と交易していて港が一杯です");
    return false;
  }
  const std::string nationsSql =
      "SELECT Nation,friendship.Name,Tips FROM country,friendship WHERE country.Friendship BETWEEN Minimum AND "
      "Maximum AND Acquaintance=TRUE AND country.Nation NOT IN (SELECT Nation FROM trade WHERE Nation<>'')";
  if (!QueryRow(db, nationsSql)) {
    Notice(c, "交易できる国がありません");
    return false;
  }
  IGrid& sub = c.host.Grid(GridId::GGSub1);
  sub.Place({210, 100, 160, 100});
  sub.GetData(db.GetRecordSet(), 1, ColumnSet::Nation);
  sub.Visible(true);

  // Every pier counts for the weight, finished or not; the largest sets it. A size that cannot be
  // read is named and counts as the smallest.
  const std::string size = QueryRow(db, "SELECT MAX(Land) FROM construct,construction WHERE "
                                        "construct.Name=construction.Name AND construct.Type='桟橋'")
                               ? db.Data(0)
                               : std::string();
  const auto largest = sim::Figure16(size);
  if (!largest) sim::BadValue(c.week, "桟橋取得エラー:ShowTradeCountryList", "MAX(construct.Land)", size);
  const int16_t land = largest.value_or(0);
  c.form.mTradeMaxWeight = land >= 3 ? 200 : land == 2 ? 100 : 50;
  return true;
}

bool ShowTradeList(CommandContext& c) {
  clsDB& db = c.week.db;
  const std::string sql =
      "SELECT trade.Nation,trade.Count,friendship.Name FROM trade,country,friendship WHERE "
      "trade.Nation=country.Nation AND country.Friendship BETWEEN Minimum AND Maximum";
  if (!QueryRow(db, sql)) {
    Notice(c, "現在、交易をしていません");
    return false;
  }
  HideIfShown({&c.host.Grid(GridId::GGMain), &c.host.Button(ButtonId::GLExcute)});
  IGrid& sub = c.host.Grid(GridId::GGSub1);
  sub.Place({210, 100, 300, 100});
  sub.GetData(db.GetRecordSet(), 3, ColumnSet::TradePartner);
  sub.Visible(true);
  return true;
}

void TradeStart(CommandContext& c) {
  const std::string nation = c.host.Grid(GridId::GGSub1).SelectRowData(0);
  const std::string sql = "SELECT * FROM country WHERE Nation=" + SqlText(nation);
  const auto rows = sim::QueryRows(c.week.db, sql);
  if (rows.empty()) return c.week.MsgBox("Err:交易国取得エラー\r\n" + sql);
  const auto country = clsCountry::FromRow(rows.front(), sim::BadValueOf(c.week, "交易国取得エラー:TradeStart"));
  if (!country) return;
  ResetDeal(c);
  c.form.mTradeCountry = *country;

  ITradeView& view = c.host.GVTrade();
  view.HeaderText(1, 1, PartnerHeader(c, 0, 0));
  ClearDealCells(view);
  view.HeaderText(kMoneyRow, 4, "0");
  view.HeaderText(kMoneyRow, 8, "0");
  view.RePaint();
  view.Visible(true);

  IButton& count = c.host.Button(ButtonId::GLSubMenu2);
  count.Place({670, 200, 110, 20});
  count.Text("交易回数:1");
  count.Visible(true);
  // The previous nation's goods, slider and buttons go with its deal.
  HideIfShown({&c.host.Grid(GridId::GGMain), &c.host.Button(ButtonId::GLExcute)});
  HideSlotControls(c);
}

void GetTradeData(CommandContext& c) {
  clsDB& db = c.week.db;
  const std::string nation = c.host.Grid(GridId::GGSub1).SelectRowData(0);
  const std::string sql = "SELECT Type,Item,Amount FROM tradedata WHERE Nation=" + SqlText(nation);
  IGrid& main = c.host.Grid(GridId::GGMain);
  IButton& execute = c.host.Button(ButtonId::GLExcute);
  if (!QueryRow(db, sql)) {
    HideIfShown({&main, &execute});
    return c.week.MsgBox("交易データがありません:GetTradeData\r\n" + sql);
  }
  main.Place({215, 250, 500, 180});
  main.GetData(db.GetRecordSet(), 3, ColumnSet::TradeData);
  main.Visible(true);
  ShowExecute(c, "交易中止");
}

void GVTrade_Click(CommandContext& c, int16_t Row, int16_t Col) {
  if (!HasPartner(c) || !IsSlot(Row, Col)) return;
  HideSlotControls(c);
  c.form.mTradeCol = Col;
  c.form.mTradeRow = Row;
  if (Row == kMoneyRow) return ShowMoneySlot(c, Col);
  ShowGoods(c, Col);
}

void GVTrade_RightClick(CommandContext& c, int16_t Row, int16_t Col) {
  if (!HasPartner(c) || !IsSlot(Row, Col)) return;
  const std::string key = LineKey(Col == kExportCol ? kExport : kImport, Row);
  if (c.form.mTradeLines.Exists(key)) {
    c.form.mTradeLines.Remove(key);
    ITradeView& view = c.host.GVTrade();
    const int16_t last = Row == kMoneyRow ? 1 : 3;
    for (int16_t i = 1; i <= last; ++i) view.HeaderText(Row, static_cast<int16_t>(Col + i), "");
    view.RePaint();
    HideGoods(c);
    HideSlotControls(c);
  }
  ShowTradeTotals(c);
}

void TradeItemSelect(CommandContext& c) {
  if (!HasPartner(c) || c.form.mTradeRow < 2 || c.form.mTradeRow >= kMoneyRow) return;
  IGrid& main = c.host.Grid(GridId::GGMain);
  const std::string item = main.SelectRowData(0), weightText = main.SelectRowData(3), stored = main.SelectRowData(2);
  const auto weightRead = sim::Figure16(weightText);
  const auto stock = sim::Amount(stored);
  if (!sim::AllRead(c.week, "交易アイテム取得エラー:TradeItemSelect",
                    {{weightRead.has_value(), "item.Weight", weightText},
                     {stock.has_value(), "itemdata.Storage(" + item + ")", stored}}))
    return;
  const int16_t weight = *weightRead;
  const int32_t available = *stock;
  // Goods without weight are bounded by the amount alone.
  const int32_t byWeight = weight > 0 ? c.form.mTradeMaxWeight / weight : available;

  ShowSlider(c, kAmountSliderAt, std::max(0, std::min(byWeight, available)), 0, main.SelectRowData(0));
  ShowConfirm(c);
  IButton& max = c.host.Button(ButtonId::GLSubMenu3);
  max.Place({670, 500, 100, 20});
  max.Text("最大");
  max.Visible(true);
}

void TradeLineAdd(CommandContext& c) {
  const int16_t row = c.form.mTradeRow;
  const int16_t col = c.form.mTradeCol;
  if (!HasPartner(c) || !IsSlot(row, col)) return;
  const int32_t quantity = c.host.PSMain().Value();
  if (quantity == 0) return Notice(c, "数量が0です");

  clsTrade line;
  ITradeView& view = c.host.GVTrade();
  // A line keeps 16-bit figures: one that does not fit is refused whole.
  int16_t num = 0;
  const bool numFits = Fits16(N(quantity), num);
  if (row == kMoneyRow) {
    if (!numFits) return Notice(c, "金額が大きすぎます");
    line.Name = kMoney;
    line.Price = num;
    line.Num = 1;
    line.Weight = 0;
  } else {
    IGrid& main = c.host.Grid(GridId::GGMain);
    line.Name = main.SelectRowData(0);
    if (!numFits || !Fits16(main.SelectRowData(1), line.Price) || !Fits16(main.SelectRowData(3), line.Weight))
      return Notice(c, "数量か価格が大きすぎます");
    line.Num = num;
  }
  line.Row = row;
  line.Trade = c.form.mTradeSide;
  line.Item = LineKey(line.Trade, row);
  if (row == kMoneyRow) {
    view.HeaderText(row, static_cast<int16_t>(col + 1), N(line.Price));
  } else {
    view.HeaderText(row, static_cast<int16_t>(col + 1), line.Name);
    view.HeaderText(row, static_cast<int16_t>(col + 2), N(line.Price));
    view.HeaderText(row, static_cast<int16_t>(col + 3), N(line.Num));
  }
  view.RePaint();
  // The slot's new line replaces what it held.
  if (c.form.mTradeLines.Exists(line.Item)) c.form.mTradeLines.Remove(line.Item);
  const std::string key = line.Item;
  c.form.mTradeLines.Add(std::move(line), key);

  HideGoods(c);
  HideSlotControls(c);
  ShowTradeTotals(c);
}

void ShowTradeTotals(CommandContext& c) {
  const Totals t = SumLines(c.form.mTradeLines);
  ITradeView& view = c.host.GVTrade();
  view.HeaderText(1, 1, PartnerHeader(c, t.sendWeight, t.receiveWeight));
  view.HeaderText(kMoneyRow, 4, N(t.sendPrice));
  view.HeaderText(kMoneyRow, 8, N(t.receivePrice));
  view.RePaint();
  c.form.mSendWeight = static_cast<int32_t>(std::min<int64_t>(t.sendWeight, std::numeric_limits<int32_t>::max()));
  c.form.mReceiveWeight = static_cast<int32_t>(std::min<int64_t>(t.receiveWeight, std::numeric_limits<int32_t>::max()));
  ShowExecute(c, "交易確定");
}

void TradeCommit(CommandContext& c) {
  if (!HasPartner(c)) return HideCommandPanel(c, c.form.mCommand, false);
  const Totals t = SumLines(c.form.mTradeLines);
  const double a = static_cast<double>(t.sendPrice), b = static_cast<double>(t.receivePrice);
  if (t.sendPrice == 0 || t.receivePrice == 0) return Notice(c, "交易アイテムがありません");
  // The smaller side must reach nine tenths of the larger.
  if ((b > a && b * 0.9 > a) || (a > b && a * 0.9 > b)) return Notice(c, "交易額が不均衡です");
  if (t.sendWeight > c.form.mTradeMaxWeight || t.receiveWeight > c.form.mTradeMaxWeight)
    return Notice(c, "重量オーバーです\r\n最大重量は" + N(c.form.mTradeMaxWeight) + "です");

  const std::string nation = SqlText(c.form.mTradeCountry.Nation);
  // The goods and the contract are written together: goods lines without their contract would
  // be taken over by the next contract with the nation.
  DbTransaction tx(c.week.db);
  for (const auto& [key, line] : c.form.mTradeLines) {
    const bool money = line.Row == kMoneyRow;
    tx.Run("INSERT INTO tradedata VALUES(" + nation + "," + SqlText(line.Trade == kExport ? "輸出" : "輸入") + "," +
           SqlText(money ? kMoney : line.Name) + "," + N(money ? line.Price : line.Num) + ")");
  }
  tx.Run("INSERT INTO trade VALUES(" + nation + "," + N(RepeatCount(c)) + "," + N(c.week.state.mTurn) + ")");
  if (tx.Commit())
    ResetDeal(c);
  else
    WriteFailed(c, "交易確定SQLエラー:FunctionName=GLExcute_Click", tx.FailedSql());
  HideCommandPanel(c, c.form.mCommand, false);
}

void TradeCancel(CommandContext& c) {
  IGrid& sub = c.host.Grid(GridId::GGSub1);
  const std::string nation = sub.SelectRowData(0);
  // The friendship lost follows the deliveries left: a contract whose count cannot be read is
  // left as it is.
  const std::string count = sub.SelectRowData(1);
  const auto left = sim::Figure16(count);
  if (!left) return sim::BadValue(c.week, "交易回数取得エラー:GGSub1_RowSelect", "trade.Count", count);
  const int16_t remaining = *left;
  // Only a yes ends the contract: a box closed unanswered must not cost the friendship.
  if (c.week.ShowMSGBox(nation + "との交易を中止しますか?\r\n中止すると、相手国との友好度が低下します", sim::kMsgYesNo,
                        true) != sim::kAnsYes)
    return HideCommandPanel(c, c.form.mCommand, false);
  clsDB& db = c.week.db;
  if (!QueryRow(db, "SELECT Friendship FROM country WHERE Nation=" + SqlText(nation)))
    return c.week.MsgBox("交易国友好度取得エラー:GGSub1_RowSelect");
  const std::string stored = db.Data(0);
  const auto friendship = sim::Figure16(stored);
  if (!friendship) return sim::BadValue(c.week, "交易国友好度取得エラー:GGSub1_RowSelect", "country.Friendship", stored);

  DbTransaction tx(db);
  tx.Run("DELETE FROM trade WHERE Nation=" + SqlText(nation));
  tx.Run("DELETE FROM tradedata WHERE Nation=" + SqlText(nation));
  sim::SetFriendship(db, nation, *friendship - 3 * int32_t{remaining});
  if (!tx.Commit()) return WriteFailed(c, "交易中止SQLエラー", tx.FailedSql());
  HideCommandPanel(c, c.form.mCommand, false);
}

}  // namespace cmd
