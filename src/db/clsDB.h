/** @file clsDB.h The game's database object: statements, queries with a current row, and the logs. */
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/SqliteConnection.h"
#include "db/clsFile.h"

/// The one way the game reaches vesk.mdb. Failures never throw: the member returns False,
/// GetErrMSG holds "number:description" and a record goes to DBerr.log in the program folder.
/// GetErrMSG is what a player may read: the engine's failures a player can meet (the file in
/// use, damaged, read-only, the disk full, ...) in short Japanese; DBerr.log keeps the engine's
/// own words beside the number.
///
/// One current query per object: GetData (and GetMax, which runs one) replaces it. A query
/// without rows returns True and leaves the previous row readable, so callers read
/// GetRowCount first. Values are texts: Booleans "True"/"False", NULL "", reals without ".0".
///
///   if (gDB.GetData("SELECT Name,Storage FROM itemdata WHERE Name=" + SqlText(name))
///       && gDB.GetRowCount() > 0) { auto stock = rt::CLng(gDB.Data(1)); }
class clsDB {
 public:
  clsDB();
  ~clsDB();  ///< closes the database it holds
  clsDB(const clsDB&) = delete;
  clsDB& operator=(const clsDB&) = delete;

  /// Takes an open database (from CreateDB::OpenDB) as this object's database.
  bool DBSet(std::shared_ptr<SqliteConnection> mDateB);
  /// The database could not be opened: `why` becomes the last error text and one record
  /// ("DBSet", "Not SQL") goes to DBerr.log.
  void DBSetFailed(const DbError& why);
  /// Runs one action statement. Leaves the current query and row alone.
  bool Excute(std::string_view sSQL);
  /// Runs a query and loads its first row; True also when it has no rows.
  bool GetData(std::string_view sSQL, std::string_view Proc = "");
  int32_t GetRowCount() const;
  /// Field Num (0-based, SELECT order) of the current row; "" after a failed query.
  std::string Data(int32_t Num) const;
  /// Loads the next row; past the end the last row stays. False only after a failed query.
  bool MoveNext();
  int32_t GetFieldCount() const;
  /// Starts a transaction: what runs until CommitTrans reaches the file all together, or, after
  /// Rollback or a crash, not at all. A statement that fails inside it fails alone and the
  /// others stay. False (nothing started) while one is open already or on a failure.
  bool BeginTrans();
  /// Makes the transaction's changes permanent. On a failure everything since BeginTrans is
  /// rolled back and the result is False. Once the engine has ended the transaction by itself
  /// (an I/O error), later statements are refused rather than written on their own.
  bool CommitTrans();
  void Rollback();
  bool InTrans() const { return inTrans_; }
  /// MAX(fldName) of tblName as a whole number; 0 for an empty table or a failure.
  int32_t GetMax(std::string_view tblName, std::string_view fldName);
  /// The current query's whole result, for the grids; null after a failed query.
  std::shared_ptr<RecordSet> GetRecordSet() const;
  /// Compacts the database file PathA in place. Closes this object's database first
  /// (LoadFLG becomes False). The original stays whole unless the checked copy replaced it; a
  /// damaged or incomplete game database (CreateDB::CheckGameDatabase) is not compacted at all.
  /// Throws DbError on any failure, after a record in DBerr.log for a failure of the database.
  void DBCompact(std::string_view PathA, std::string_view strP);

  bool DebugMode() const { return debugMode_; }
  void DebugMode(bool value) { debugMode_ = value; }
  int32_t LimitFileSize() const { return limitFileSize_; }
  void LimitFileSize(int32_t value) { limitFileSize_ = value; }
  std::string GetErrMSG() const { return errMsg_; }
  /// How many failures this object has logged to DBerr.log; a transaction compares it.
  int64_t FailCount() const { return failCount_; }
  bool LoadFLG() const { return loadFlg_; }

 private:
  /// Runs action on the open database; a failure becomes the last error text and False.
  bool Attempt(const std::function<void()>& action);
  void SetError(const DbError& e);
  /// After a failure inside a transaction: whether the engine has ended it.
  void CheckTransaction();
  bool TransactionStatement(const char* operation, const char* sql);
  void LoadRow();
  void WriteSQLLog(std::string_view text);
  void WriteRecordsetLog();
  void WriteErrLog(std::string_view operation, std::string_view sql);

  std::shared_ptr<SqliteConnection> db_;
  std::shared_ptr<RecordSet> result_;
  long position_ = 0;                ///< row of result_ that MoveNext reaches next - 1
  bool queryFlg_ = false;
  std::vector<std::string> row_;     ///< the row loaded last; never cleared by an empty query
  std::string errMsg_;               ///< as the player reads it
  std::string logMsg_;               ///< as DBerr.log keeps it
  int64_t failCount_ = 0;
  bool loadFlg_ = false;
  bool debugMode_ = false;
  int32_t limitFileSize_ = 500000;
  std::unique_ptr<clsFile> file_;
  bool sqlLogStarted_ = false;
  bool inTrans_ = false;    ///< BeginTrans succeeded and no CommitTrans or Rollback yet
  bool transLost_ = false;  ///< the engine rolled the open transaction back by itself
};
