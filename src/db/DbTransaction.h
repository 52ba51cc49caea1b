/** @file DbTransaction.h All or nothing: the statements a command runs between begin and commit are kept only when every one succeeded. */
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class clsDB;

/// Begins a transaction on db (nested in one already open). Every statement run through db until Commit, also by the
/// storage and friendship routines, belongs to it; a failure of any of them (or of a query)
/// makes Commit roll everything back. Destroyed uncommitted, it rolls back.
///
///   DbTransaction t(db);
///   t.Run("UPDATE itemdata SET Storage=3 WHERE Name=" + SqlText(name));
///   sim::SetFriendship(db, nation, f);
///   if (!t.Commit()) { /* nothing was written; t.FailedSql() may name the statement */ }
class DbTransaction {
 public:
  explicit DbTransaction(clsDB& db);
  ~DbTransaction();
  DbTransaction(const DbTransaction&) = delete;
  DbTransaction& operator=(const DbTransaction&) = delete;

  /// Runs one statement; after a failure it runs nothing more and returns false.
  bool Run(std::string_view sql);
  /// Keeps the work when nothing failed since the begin (true); else rolls it back (false).
  bool Commit();
  /// The first statement Run could not run, "" when the failure was elsewhere.
  const std::string& FailedSql() const { return failedSql_; }

 private:
  bool Failed() const;
  void RollBack();

  clsDB& db_;
  bool open_ = false;      ///< the begin succeeded and neither commit nor rollback ran
  bool runFailed_ = false;
  int64_t failsAtBegin_ = 0;
  std::string failedSql_;
};
