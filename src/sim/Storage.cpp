/** @file Storage.cpp The storage routines shared by the week, the commands and the army. */
#include "sim/Storage.h"

#include <algorithm>
#include <limits>
#include <string>

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/VbError.h"
#include "sim/GameState.h"
#include "sim/SimDb.h"

namespace sim {
namespace {

std::string StorageQuery(std::string_view Name) {
  return "SELECT Storage FROM itemdata WHERE Name=" + SqlText(Name);
}

void SetStorage(clsDB& db, std::string_view Name, int64_t stock) {
  db.Excute("UPDATE itemdata SET Storage=" + rt::CStr(stock) + " WHERE Name=" + SqlText(Name));
}

void InsertItem(clsDB& db, std::string_view Name, int64_t stock, bool synthesis) {
  db.Excute("INSERT INTO itemdata VALUES(" + SqlText(Name) + "," + rt::CStr(stock) + ",0,0,'非公開',21," +
            rt::CStr(synthesis) + ")");
}

// Amounts come checked from the callers: one below 0 here is a fault of the program.
void CheckAmount(int32_t amount) {
  if (amount < 0) throw rt::VbError(rt::kErrInvalidCall);
}

// Adds to the stock up to a cap; false for a damaged stock.
bool AddUpTo(clsDB& db, std::string_view Name, int32_t Amount, int64_t cap, bool synthesisOnInsert) {
  CheckAmount(Amount);
  const StockRead s = ReadStock(db, Name);
  if (s.damaged) return false;
  const int64_t stock = std::min<int64_t>(int64_t{s.stock} + Amount, cap);
  if (s.row) SetStorage(db, Name, stock);
  else InsertItem(db, Name, stock, synthesisOnInsert);
  return true;
}

}  // namespace

StockRead ReadStock(clsDB& db, std::string_view Name) {
  StockRead s;
  if (!QueryRow(db, StorageQuery(Name))) return s;
  s.row = true;
  s.stored = db.Data(0);
  const auto stock = Amount(s.stored);
  s.damaged = !stock;
  s.stock = stock.value_or(0);
  return s;
}

void ReportStock(WeekContext& ctx, const std::string& message, std::string_view Name) {
  BadValue(ctx, message, "itemdata.Storage(" + std::string(Name) + ")", ReadStock(ctx.db, Name).stored);
}

bool ItemStorageAdd(clsDB& db, std::string_view Name, int32_t Count) {
  // Purchases have no cap of their own; the column's 32 bits still hold.
  return AddUpTo(db, Name, Count, std::numeric_limits<int32_t>::max(), false);
}

bool ItemStorageDif(clsDB& db, std::string_view Name, int32_t Count) {
  CheckAmount(Count);
  const StockRead s = ReadStock(db, Name);
  if (!s.row || s.damaged || s.stock < Count) return false;
  SetStorage(db, Name, int64_t{s.stock} - Count);
  return true;
}

bool ItemProductAdd(clsDB& db, std::string_view Name, int32_t Amount) {
  return AddUpTo(db, Name, Amount, kStorageCap, true);
}

bool ItemImport(clsDB& db, std::string_view Name, int32_t Amount) { return AddUpTo(db, Name, Amount, kStorageCap, false); }

void TurnEnd_ItemConsume(WeekContext& ctx, std::string_view Name, int32_t Amount) {
  CheckAmount(Amount);
  const StockRead s = ReadStock(ctx.db, Name);
  if (!s.row) {
    ctx.MsgBox("アイテム消費取得エラー:TurnEnd_ItemConsume");
    return;
  }
  if (s.damaged) return ReportStock(ctx, "アイテム消費取得エラー:TurnEnd_ItemConsume", Name);
  const int64_t rest = int64_t{s.stock} - Amount;
  if (rest < 0) {
    ctx.MsgBox("アイテム消費計算ミス:TurnEnd_ItemConsume");
    SetStorage(ctx.db, Name, 0);
    return;
  }
  SetStorage(ctx.db, Name, rest);
}

}  // namespace sim
