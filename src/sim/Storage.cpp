/** @file Storage.cpp The storage routines shared by the week, the commands and the army. */
#include "sim/Storage.h"

#include <algorithm>
#include <string>

#include "db/clsDB.h"
#include "runtime/Convert.h"
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

// Adds to the stock with the cap of production and imports.
void AddCapped(clsDB& db, std::string_view Name, int32_t Amount, bool synthesisOnInsert) {
  if (!QueryRow(db, StorageQuery(Name))) {
    InsertItem(db, Name, std::min<int64_t>(Amount, kStorageCap), synthesisOnInsert);
    return;
  }
  const int64_t stock = static_cast<int64_t>(DataL(db, 0)) + Amount;
  SetStorage(db, Name, std::min<int64_t>(stock, kStorageCap));
}

}  // namespace

void ItemStorageAdd(clsDB& db, std::string_view Name, int32_t Count) {
  if (!QueryRow(db, StorageQuery(Name))) {
    InsertItem(db, Name, Count, false);
    return;
  }
  SetStorage(db, Name, rt::AddL(DataL(db, 0), Count));
}

bool ItemStorageDif(clsDB& db, std::string_view Name, int32_t Count) {
  if (!QueryRow(db, StorageQuery(Name))) return false;
  const int32_t stock = DataL(db, 0);
  if (stock < Count) return false;
  SetStorage(db, Name, static_cast<int64_t>(stock) - Count);
  return true;
}

void ItemProductAdd(clsDB& db, std::string_view Name, int32_t Amount) { AddCapped(db, Name, Amount, true); }

void ItemImport(clsDB& db, std::string_view Name, int32_t Amount) { AddCapped(db, Name, Amount, false); }

void TurnEnd_ItemConsume(WeekContext& ctx, std::string_view Name, int32_t Amount) {
  if (!QueryRow(ctx.db, StorageQuery(Name))) {
    ctx.MsgBox("アイテム消費取得エラー:TurnEnd_ItemConsume");
    return;
  }
  const int64_t rest = static_cast<int64_t>(DataL(ctx.db, 0)) - Amount;
  if (rest < 0) {
    ctx.MsgBox("アイテム消費計算ミス:TurnEnd_ItemConsume");
    SetStorage(ctx.db, Name, 0);
    return;
  }
  SetStorage(ctx.db, Name, rest);
}

}  // namespace sim
