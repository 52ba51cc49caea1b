/** @file ItemCommands.cpp The item lists, the choice of an item, the count and maximum buttons, and the supply, sale and purchase commits. */
#include "commands/ItemCommands.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "commands/CommandPanel.h"
#include "db/DbTransaction.h"
#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "sim/SimDb.h"
#include "sim/StatusPanels.h"
#include "sim/Storage.h"

namespace cmd {
namespace {

using sim::QueryRow;

constexpr const char* kCrLf = "\r\n";
// The food stores never hold more than this.
constexpr int64_t kFoodCap = 9999999;

std::string N(int64_t n) { return rt::CStr(n); }

// The columns after the price of the buy, sell and supply lists: weight 4, power 5, effect 6,
// note 7, category 8 (the tooltip reads them).
const std::string kDealTail = ",Weight,Power,Effect,Tips,Category";

std::string BuyListSql() {
  // An empty treasure must not empty the list: NOT IN over a NULL is never true.
  return "SELECT DISTINCT itemdata.Name,itemdata.Storage,item.Value," + std::string(sim::kBuyPriceSql) + kDealTail +
         " FROM itemdata,item WHERE itemdata.Name=item.Name AND itemdata.Open='公開' AND item.Price>0 AND "
         "itemdata.Name NOT IN (SELECT nest.Treasure FROM nest WHERE nest.Treasure<>'') ORDER BY 3 DESC";
}

std::string SellListSql(bool foodOnly) {
  return "SELECT item.Name,itemdata.Storage,item.Value," + std::string(sim::kSellPriceSql) + kDealTail +
         " FROM item,itemdata WHERE item.Name=itemdata.Name AND itemdata.Storage>0 AND item.Price>0" +
         (foodOnly ? " AND Category IN ('穀物','肉類')" : "") + " ORDER BY 2 DESC";
}

// Items without a catalogue row are listed too, with their catalogue columns empty.
std::string ResearchListSql(const std::string& whereAndOrder) {
  return "SELECT itemdata.Name,itemdata.Storage,item.Class,item.Category,itemdata.ItemLevel,"
         "ROUND(itemdata.Research*1.0/(itemdata.ItemLevel+1),0),Open,Weight,Power,Effect,Tips," +
         std::string(sim::kSellPriceSql) + " FROM itemdata LEFT JOIN item ON itemdata.Name=item.Name" + whereAndOrder;
}

struct ItemList {
  std::string sql;
  int16_t cols;
  ColumnSet set;
  int16_t width, height;
  std::string empty;  ///< the notice when nothing is listed
};

bool ListOf(const CommandContext& c, const std::string& command, ItemList& list) {
  const int16_t rows = c.form.mGridHeight;
  if (command == "購入")
    list = {BuyListSql(), 4, ColumnSet::ItemValue, 560, 360, "購入できるアイテムがありません"};
  else if (command == "売却")
    list = {SellListSql(false), 4, ColumnSet::ItemValue, 320, 360, "売却できるアイテムがありません"};
  else if (command == "供給")
    list = {SellListSql(true), 4, ColumnSet::ItemValue, 320, 360, "供給できるアイテムがありません"};
  else if (command == "倉庫")
    list = {ResearchListSql(" WHERE itemdata.Storage>0 ORDER BY Storage DESC"), 7, ColumnSet::ItemResearch, 620, rows,
            "倉庫にアイテムがありません"};
  else if (command == "研究")
    list = {ResearchListSql(" ORDER BY itemdata.ItemLevel,Research ASC"), 7, ColumnSet::ItemResearch, 620, rows,
            "研究するアイテムがありません"};
  else if (command == "公開")
    list = {ResearchListSql(" WHERE itemdata.Open='非公開' ORDER BY itemdata.ItemLevel DESC"), 7,
            ColumnSet::ItemResearch, 620, rows, "公開するアイテムがありません"};
  else
    return false;
  return true;
}

// True when there are standing orders of the kind to show.
bool ShowStandingOrders(CommandContext& c, const std::string& command) {
  clsDB& db = c.week.db;
  if (!QueryRow(db, "SELECT Item,Amount,Count FROM continueitem WHERE Type=" + SqlText(command))) return false;
  IGrid& sub = c.host.Grid(GridId::GGSub1);
  sub.Place({530, 300, 250, 120});
  sub.GetData(db.GetRecordSet(), 3, ColumnSet::ContinueItem);
  sub.Visible(true);
  return true;
}

void ShowMaxButton(CommandContext& c) {
  IButton& max = c.host.Button(ButtonId::GLSubMenu3);
  max.Place({670, 515, 100, 20});
  max.Text("最大");
  max.Visible(true);
}

void Publish(CommandContext& c) {
  c.week.db.Excute("UPDATE itemdata SET Open='公開' WHERE Name=" + SqlText(c.host.Grid(GridId::GGMain).SelectRowData(0)));
  HideCommandPanel(c, c.form.mCommand, false);
}

void Research(CommandContext& c) {
  IGrid& main = c.host.Grid(GridId::GGMain);
  if (main.SelectRowData(4) == "10") return Notice(c, "それ以上、研究できません");
  c.week.db.Excute("UPDATE home SET Itemresearch=" + SqlText(main.SelectRowData(0)));
  HideCommandPanel(c, c.form.mCommand, false);
  sim::ShowItemResearch(c.week);
}

// The stock of a list row as a count; nothing (after the data error) when it is none.
std::optional<int32_t> ListedStock(CommandContext& c, const std::string& what) {
  IGrid& main = c.host.Grid(GridId::GGMain);
  const std::string stored = main.SelectRowData(1);
  const auto stock = sim::Amount(stored);
  if (!stock) sim::BadValue(c.week, what, "itemdata.Storage(" + main.SelectRowData(0) + ")", stored);
  return stock;
}

void PrepareSupply(CommandContext& c) {
  IGrid& main = c.host.Grid(GridId::GGMain);
  const auto stock = ListedStock(c, "供給元の数量取得エラー");
  if (!stock) return;
  ShowSlider(c, kAmountSliderAt, *stock, 0, main.SelectRowData(0));
  ShowExecute(c, "供給する");
  ShowMaxButton(c);
}

// How many of an item the merchants can move in one deal: cheap goods in bulk, precious ones
// a few at a time, never fewer than one.
int32_t TradingCapacity(int16_t value, int32_t merchants) {
  const double n = (std::pow(value - 20.0, 2) * (1.0 / 250) - 0.39) * merchants;
  return std::max<int32_t>(1, rt::CLng(std::clamp(n, -1e9, 1e9)));
}

void PrepareDeal(CommandContext& c) {
  clsDB& db = c.week.db;
  IGrid& main = c.host.Grid(GridId::GGMain);
  const std::string& command = c.form.mCommand;
  const std::string item = main.SelectRowData(0), priceText = main.SelectRowData(3), valueText = main.SelectRowData(2);
  const auto price = sim::Amount16(priceText);
  const auto value = sim::Figure16(valueText);
  if (!sim::AllRead(c.week, command + "アイテム情報取得エラー",
                    {{price.has_value(), "単価(" + item + ")", priceText}, {value.has_value(), "item.Value", valueText}}))
    return;
  c.form.mItemPrice = *price;
  const auto stock = ListedStock(c, command + "アイテム情報取得エラー");
  if (!stock) return;
  const std::string merchants =
      QueryRow(db, "SELECT SUM(construction.NofProduction) FROM construct,construction WHERE "
                   "construct.Name=construction.Name AND construct.Occupation = 'Merchant'")
          ? db.Data(0)
          : std::string();
  if (merchants.empty()) return Notice(c, "商業地がありません");
  const auto m = sim::Amount(merchants);
  if (!m) return sim::BadValue(c.week, "商人数取得エラー", "SUM(construction.NofProduction)", merchants);
  if (*m == 0) return Notice(c, "商人がいません");
  c.form.mItemStorage = *stock;

  const int32_t capacity = TradingCapacity(*value, *m);
  ShowSlider(c, kAmountSliderAt, command == "売却" ? std::min(capacity, c.form.mItemStorage) : capacity, 0,
             main.SelectRowData(0));
  ShowExecute(c, "金額:0");

  // A standing order needs a place: the land of the finished merchant buildings, less the
  // orders of this kind already running. Land that cannot be counted gives no place.
  const std::string land = QueryRow(db, "SELECT SUM(Land) FROM construction,construct WHERE "
                                        "construction.Name=construct.Name AND construction.Work=0 AND "
                                        "Occupation='Merchant'")
                               ? db.Data(0)
                               : std::string();
  const auto lands = sim::Amount(land);
  if (!lands) sim::BadValue(c.week, "商業地取得エラー", "SUM(construct.Land)", land);
  const int64_t places = int64_t{lands.value_or(0)} -
                         sim::QueryNumber(db, "SELECT COUNT(*) FROM continueitem WHERE Type=" + SqlText(command));
  IButton& count = c.host.Button(ButtonId::GLSubMenu2);
  if (places > 0) {
    count.Place({670, 475, 110, 20});
    count.Text("回数:1");
    count.Visible(true);
  } else {
    HideIfShown(count);
  }
  ShowMaxButton(c);
}

// A write the commit could not make: nothing of it was kept.
void WriteFailed(CommandContext& c, const std::string& what, const std::string& sql) {
  c.week.MsgBox(sql.empty() ? what : what + kCrLf + sql);
}

void StandingOrder(CommandContext& c, const std::string& word, const std::string& item, int32_t quantity,
                   int16_t count) {
  clsDB& db = c.week.db;
  if (QueryRow(db, "SELECT Item FROM continueitem WHERE Type=" + SqlText(word) + " AND Item=" + SqlText(item)))
    return Notice(c, item + "は連続" + word + "しています");
  // The next ID above the stored whole-number ones: a damaged ID must not make a new order share
  // an ID with a running one (the week changes and ends orders by their ID).
  const auto id = sim::NewId(c.week, "連続" + word + "登録エラー", "continueitem");
  if (!id) return;
  const std::string sql = "INSERT INTO continueitem VALUES(" + N(*id) + "," + SqlText(item) + "," + SqlText(word) + "," +
                          N(quantity) + "," + N(count) + ")";
  if (!db.Excute(sql)) return WriteFailed(c, "連続" + word + "登録エラー", sql);
  HideCommandPanel(c, c.form.mCommand, false);
}

// The stock of the item as the warehouse holds it now; false after a data error.
bool ReadStock(CommandContext& c, const std::string& item, const std::string& what, int32_t& stock) {
  const sim::StockRead s = sim::ReadStock(c.week.db, item);
  if (!s.row) {
    DataError(c, what, "SELECT Storage FROM itemdata WHERE Name=" + SqlText(item));
    return false;
  }
  if (s.damaged) {
    sim::ReportStock(c.week, what, item);
    return false;
  }
  stock = s.stock;
  return true;
}

// The week's one sale or purchase: goods, the week's mark and the treasury change together.
void Deal(CommandContext& c, bool sale, const std::string& item, int32_t quantity) {
  clsDB& db = c.week.db;
  const int64_t amount = int64_t{c.form.mItemPrice} * quantity;
  if (!sale && c.week.data.Money() < amount) return Notice(c, "お金が足りません");
  int32_t stock = 0;
  if (!ReadStock(c, item, sale ? "売却元の数量取得エラー" : "購入先の数量取得エラー", stock)) return;
  if (sale && stock < quantity) return Notice(c, "倉庫の" + item + "が足りません");

  sim::clsData after = c.week.data;
  if (sale)
    after.MoneyAdd(static_cast<int32_t>(std::min<int64_t>(amount, sim::kMoneyCap)));
  else
    after.MoneyDif(static_cast<int32_t>(amount));
  const int64_t newStock = sale ? int64_t{stock} - quantity : int64_t{stock} + quantity;

  DbTransaction t(db);
  t.Run("UPDATE itemdata SET Storage=" + N(newStock) + " WHERE Name=" + SqlText(item));
  t.Run(sale ? "UPDATE home SET TurnSell=True" : "UPDATE home SET TurnBuy=True");
  t.Run("UPDATE home SET [Money]=" + N(after.Money()));
  if (!t.Commit()) return WriteFailed(c, sale ? "売却SQLエラー" : "購入SQLエラー", t.FailedSql());

  (sale ? c.week.state.mTurnSell : c.week.state.mTurnBuy) = true;
  c.week.data.Money(after.Money());
  sim::ShowKingdom(c.week);
  HideCommandPanel(c, c.form.mCommand, false);
}

}  // namespace

bool ShowItemList(CommandContext& c, const std::string& Command) {
  ItemList list;
  if (!ListOf(c, Command, list)) return true;
  const bool orders = Command == "購入" || Command == "売却";
  clsDB& db = c.week.db;
  // A new list starts the command afresh: no slider or button of an earlier item stays.
  HideIfShown({&c.host.PSMain(), &c.host.Button(ButtonId::GLExcute), &c.host.Button(ButtonId::GLSubMenu2),
               &c.host.Button(ButtonId::GLSubMenu3)});
  const bool listed = QueryRow(db, list.sql);
  std::shared_ptr<RecordSet> items = db.GetRecordSet();  // without rows, still with its columns
  if (!listed) Notice(c, list.empty);
  const bool ordersShown = orders && ShowStandingOrders(c, Command);
  if (!listed && !ordersShown) return false;
  // Nothing to buy (or sell), but standing orders of the kind run: the panel stays open with
  // the empty list, the orders in sight beside it.
  IGrid& main = c.host.Grid(GridId::GGMain);
  main.Place({215, 100, list.width, list.height});
  main.GetData(std::move(items), list.cols, list.set);
  return true;
}

void ItemCommand(CommandContext& c) {
  const std::string& command = c.form.mCommand;
  if (command == "公開") return Publish(c);
  if (command == "研究") return Research(c);
  if (command == "供給") return PrepareSupply(c);
  if (command == "購入" || command == "売却") return PrepareDeal(c);
}

void SupplyCommit(CommandContext& c) {
  clsDB& db = c.week.db;
  ISlider& slider = c.host.PSMain();
  const int32_t quantity = slider.Value();
  if (quantity <= 0) return;
  const std::string item = slider.Text();

  // Everything is read before anything is written, so a missing row changes nothing.
  const std::string categorySql = "SELECT Category FROM item WHERE Name=" + SqlText(item);
  if (!QueryRow(db, categorySql)) return DataError(c, "供給アイテムカテゴリ取得エラー", categorySql);
  const std::string column = db.Data(0) == "穀物" ? "Grain" : "Meat";
  int32_t stock = 0;
  if (!ReadStock(c, item, "供給元の数量取得エラー", stock)) return;
  const std::string storeSql = "SELECT " + column + " FROM home";
  if (!QueryRow(db, storeSql)) return DataError(c, "供給先の数量取得エラー", storeSql);
  const std::string held = db.Data(0);
  const auto stores = sim::Amount(held);
  if (!stores) return sim::BadValue(c.week, "供給先の数量取得エラー", "home." + column, held);
  const int64_t store = std::min<int64_t>(int64_t{*stores} + quantity, kFoodCap);
  if (stock < quantity) return Notice(c, "倉庫の" + item + "が足りません");

  DbTransaction t(db);
  t.Run("UPDATE itemdata SET Storage=" + N(int64_t{stock} - quantity) + " WHERE Name=" + SqlText(item));
  t.Run("UPDATE home SET " + column + "=" + N(store));
  if (!t.Commit()) return WriteFailed(c, "供給SQLエラー", t.FailedSql());
  sim::ShowKingdom(c.week);
  HideCommandPanel(c, c.form.mCommand, false);
}

void DealCommit(CommandContext& c) {
  const bool sale = c.form.mCommand == "売却";
  const std::string word = sale ? "売却" : "購入";
  ISlider& slider = c.host.PSMain();
  const int32_t quantity = slider.Value();
  if (quantity == 0) return Notice(c, "数量が0です");
  const std::string item = slider.Text();
  const bool used = sale ? c.week.state.mTurnSell : c.week.state.mTurnBuy;
  const bool countShown = c.host.Button(ButtonId::GLSubMenu2).Visible();
  if (used && !countShown) return Notice(c, "今週の" + word + "は済みました");
  if (countShown) {
    const int16_t count = RepeatCount(c);
    if (count > 1) return StandingOrder(c, word, item, quantity, count);
    if (used) return Notice(c, "今週の" + word + "は済みました" + kCrLf + "連続" + word + "は2回以上を選んでください");
  }
  Deal(c, sale, item, quantity);
}

void DealSliderMoved(CommandContext& c, int32_t pValue) {
  IButton& execute = c.host.Button(ButtonId::GLExcute);
  const int64_t amount = int64_t{c.form.mItemPrice} * pValue;
  // Only a warning: the commit decides whether the purchase goes through.
  if (c.form.mCommand == "購入") execute.FontColor(amount > c.week.data.Money() ? 2 : 1);
  execute.Text("金額:" + N(amount));
}

int16_t RepeatCount(CommandContext& c) {
  const std::string caption = c.host.Button(ButtonId::GLSubMenu2).Text();
  const size_t colon = caption.find(':');
  if (colon == std::string::npos) return 1;
  const std::string number = caption.substr(colon + 1);
  if (!rt::IsNumeric(number)) return 1;
  return static_cast<int16_t>(std::clamp(rt::CDbl(number), 1.0, 10.0));
}

}  // namespace cmd
