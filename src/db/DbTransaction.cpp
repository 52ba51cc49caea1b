/** @file DbTransaction.cpp A transaction over the game's database object. */
#include "db/DbTransaction.h"

#include "db/clsDB.h"

DbTransaction::DbTransaction(clsDB& db) : db_(db) {
  open_ = db_.Excute("BEGIN");
  failsAtBegin_ = db_.FailCount();
}

DbTransaction::~DbTransaction() {
  if (open_) db_.Excute("ROLLBACK");
}

bool DbTransaction::Failed() const { return !open_ || runFailed_ || db_.FailCount() != failsAtBegin_; }

bool DbTransaction::Run(std::string_view sql) {
  if (Failed()) return false;
  if (db_.Excute(sql)) return true;
  runFailed_ = true;
  failedSql_ = sql;
  return false;
}

bool DbTransaction::Commit() {
  if (!open_) return false;  // never begun: nothing of it to keep or undo
  if (!Failed() && db_.Excute("COMMIT")) {
    open_ = false;
    return true;
  }
  db_.Excute("ROLLBACK");
  open_ = false;
  return false;
}
