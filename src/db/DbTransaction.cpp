/** @file DbTransaction.cpp A transaction over the game's database object. */
#include "db/DbTransaction.h"

#include "db/clsDB.h"

// A savepoint rather than BEGIN, so that a command run inside the week's transaction nests in it.
DbTransaction::DbTransaction(clsDB& db) : db_(db) {
  open_ = db_.Excute("SAVEPOINT command");
  failsAtBegin_ = db_.FailCount();
}

DbTransaction::~DbTransaction() {
  if (open_) RollBack();
}

void DbTransaction::RollBack() {
  db_.Excute("ROLLBACK TO command");
  db_.Excute("RELEASE command");
  open_ = false;
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
  if (!Failed() && db_.Excute("RELEASE command")) {
    open_ = false;
    return true;
  }
  RollBack();
  return false;
}
