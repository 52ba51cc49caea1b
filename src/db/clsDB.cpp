/** @file clsDB.cpp The game's database object. */
#include "db/clsDB.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "db/CreateDB.h"
#include "platform/FileSystem.h"
#include "runtime/Convert.h"
#include "runtime/DateTime.h"
#include "runtime/Strings.h"

namespace fs = std::filesystem;

namespace {

constexpr int kErrObjectNotSet = 91;  // the old runtime's "Object variable ... not set"
constexpr int kErrTransactionLost = 4;  // the engine's code for an aborted transaction
const char* const kTransactionLostText = "書き込みの途中でデータベースの処理が取り消されました";
const std::string kSeparator(39, '-');

// "yyyymmdd_hhmmss", the stamp of a moved SQL log.
std::string LogStamp(const rt::DateTime& t) {
  return rt::Replace(rt::FormatDate(t), "/", "") + "_" + rt::Replace(rt::FormatTime(t), ":", "");
}

// "yyyy:mm:dd hh:mm:ss", the stamp of the SQL log's START line.
std::string StartStamp(const rt::DateTime& t) { return rt::Replace(rt::FormatDate(t), "/", ":") + " " + rt::FormatTime(t); }

void AppendText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::app | std::ios::binary);
  out << text;
}

void SyncPath(const fs::path& path, bool directory) {
  int fd = ::open(path.c_str(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Row counts of every table, to check a compacted copy against its source.
std::map<std::string, long> TableCounts(SqliteConnection& db) {
  std::map<std::string, long> counts;
  auto tables = db.Query("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
  for (long r = 0; r < tables->RowCount(); ++r) {
    const std::string& name = tables->Value(r, 0);
    auto n = db.Query("SELECT COUNT(*) FROM \"" + rt::Replace(name, "\"", "\"\"") + "\"");
    counts[name] = std::stol(n->Value(0, 0));
  }
  return counts;
}

}  // namespace

clsDB::clsDB() : file_(std::make_unique<clsFile>()) {}

clsDB::~clsDB() = default;

bool clsDB::DBSet(std::shared_ptr<SqliteConnection> mDateB) {
  errMsg_.clear();
  if (!mDateB) {
    DBSetFailed(DbError(kErrObjectNotSet, "データベースが開かれていません"));
    return false;
  }
  db_ = std::move(mDateB);
  loadFlg_ = true;
  return true;
}

void clsDB::DBSetFailed(const DbError& why) {
  SetError(why);
  WriteErrLog("DBSet", "Not SQL");
}

void clsDB::SetError(const DbError& e) {
  errMsg_ = e.PlayerText();
  logMsg_ = e.Text();
}

bool clsDB::Attempt(const std::function<void()>& action) {
  try {
    if (!db_) throw DbError(kErrObjectNotSet, "データベースが開かれていません");
    action();
    return true;
  } catch (const DbError& e) {
    SetError(e);
  } catch (const std::exception& e) {
    SetError(DbError(0, e.what(), true));  // a runtime's or library's words, not the game's
  }
  return false;
}

void clsDB::CheckTransaction() {
  if (inTrans_ && db_ && !db_->InTransaction()) transLost_ = true;
}

bool clsDB::Excute(std::string_view sSQL) {
  errMsg_.clear();
  if (debugMode_) WriteSQLLog(sSQL);
  if (transLost_) {
    // Written on its own it would leave half of what belonged together.
    SetError(DbError(kErrTransactionLost, kTransactionLostText));
  } else if (Attempt([&] { db_->Execute(sSQL); })) {
    return true;
  }
  CheckTransaction();
  WriteErrLog("Excute", sSQL);
  return false;
}

bool clsDB::TransactionStatement(const char* operation, const char* sql) {
  errMsg_.clear();
  if (debugMode_) WriteSQLLog(sql);
  if (Attempt([&] { db_->Execute(sql); })) return true;
  WriteErrLog(operation, sql);
  return false;
}

bool clsDB::BeginTrans() {
  if (inTrans_ || (db_ && db_->InTransaction())) return false;
  if (!TransactionStatement("BeginTrans", "BEGIN")) return false;
  inTrans_ = true;
  transLost_ = false;
  return true;
}

bool clsDB::CommitTrans() {
  if (!inTrans_) return false;
  if (transLost_) {
    SetError(DbError(kErrTransactionLost, kTransactionLostText));
    WriteErrLog("CommitTrans", "COMMIT");
    inTrans_ = transLost_ = false;
    return false;
  }
  if (TransactionStatement("CommitTrans", "COMMIT")) {
    inTrans_ = false;
    return true;
  }
  const std::string why = errMsg_;
  Rollback();
  errMsg_ = why;
  return false;
}

void clsDB::Rollback() {
  const bool open = db_ && db_->InTransaction();
  inTrans_ = transLost_ = false;
  if (open) TransactionStatement("Rollback", "ROLLBACK");
}

bool clsDB::GetData(std::string_view sSQL, std::string_view Proc) {
  errMsg_.clear();
  if (debugMode_) WriteSQLLog(std::string(sSQL) + ":" + std::string(Proc));
  std::shared_ptr<RecordSet> result;
  if (!Attempt([&] { result = db_->Query(sSQL); })) {
    CheckTransaction();
    WriteErrLog("GetData", sSQL);
    queryFlg_ = false;
    result_.reset();
    return false;
  }
  result_ = std::move(result);
  queryFlg_ = true;
  position_ = 0;
  if (result_->RowCount() > 0) {
    if (debugMode_) WriteRecordsetLog();
    LoadRow();
  }
  return true;
}

void clsDB::LoadRow() {
  if (!result_ || position_ >= result_->RowCount()) return;
  row_ = result_->Row(position_);
}

int32_t clsDB::GetRowCount() const { return queryFlg_ && result_ ? static_cast<int32_t>(result_->RowCount()) : 0; }

int32_t clsDB::GetFieldCount() const { return queryFlg_ && result_ ? result_->FieldCount() : 0; }

std::string clsDB::Data(int32_t Num) const {
  if (!queryFlg_ || Num < 0 || static_cast<size_t>(Num) >= row_.size()) return "";
  return row_[static_cast<size_t>(Num)];
}

bool clsDB::MoveNext() {
  if (!queryFlg_ || !result_) return false;
  if (position_ < result_->RowCount()) ++position_;
  LoadRow();
  return true;
}

int32_t clsDB::GetMax(std::string_view tblName, std::string_view fldName) {
  GetData("SELECT MAX(" + std::string(fldName) + ") FROM " + std::string(tblName));
  std::string value = Data(0);
  if (!rt::IsNumeric(value)) return 0;
  try {
    return rt::CLng(value);
  } catch (const std::exception&) {
    return 0;
  }
}

std::shared_ptr<RecordSet> clsDB::GetRecordSet() const { return queryFlg_ ? result_ : nullptr; }

void clsDB::DBCompact(std::string_view PathA, std::string_view /*strP*/) {
  if (loadFlg_) {
    auto db = std::move(db_);
    loadFlg_ = false;
    db->Close();
  }
  const fs::path source{std::string(PathA)};
  // Only the extension part of the name changes; the folder and the name's case stay.
  const fs::path temp = source.parent_path() / (source.stem().string() + "_tmp.mdb");
  const fs::path sourceWal = source.string() + "-wal";
  std::error_code ec;
  fs::remove(temp, ec);  // left by an earlier compaction that failed

  try {
    std::map<std::string, long> expected;
    {
      // A damaged save is refused before anything of it is copied, and stays as it was.
      auto db = SqliteConnection::Open(source, CreateDB::CheckGameDatabase);
      expected = TableCounts(*db);
      db->Execute("VACUUM INTO " + SqlText(temp.string()));
      db->Close();
    }
    {
      auto copy = SqliteConnection::Open(temp);
      auto check = copy->Query("PRAGMA integrity_check");
      if (check->RowCount() != 1 || check->Value(0, 0) != "ok")
        throw DbError(11, "最適化したデータベースが壊れています");
      if (TableCounts(*copy) != expected) throw DbError(11, "最適化したデータベースの内容が元と違います");
      copy->Close();
    }
    // A log left beside the original would be applied to the new file: refuse instead.
    if (fs::exists(sourceWal, ec)) throw DbError(5, "データベースの書き込みログが残っています");
    SyncPath(temp, false);
    fs::rename(temp, source, ec);
    if (ec) throw DbError(ec.value(), "最適化したデータベースに置き換えられません（" + plat::SystemErrorText(ec.value()) + "）");
    SyncPath(source.parent_path().empty() ? fs::path(".") : source.parent_path(), true);
  } catch (const DbError& e) {
    RemoveWithWal(temp);
    SetError(e);
    WriteErrLog("DBCompact", "Not SQL");
    throw;
  } catch (...) {
    RemoveWithWal(temp);
    throw;
  }
}

void clsDB::WriteSQLLog(std::string_view text) {
  try {
    const fs::path folder = plat::ProgramFolder();
    const fs::path log = folder / "DBSQL.txt";
    if (file_ && file_->FileSize(log.string()) > limitFileSize_) {
      // A second move within the same second must not overwrite the first.
      const std::string stamp = "DBSQL" + LogStamp(rt::Now());
      fs::path moved = folder / (stamp + ".log");
      for (int n = 2; fs::exists(moved); ++n) moved = folder / (stamp + "_" + std::to_string(n) + ".log");
      fs::rename(log, moved);
    }
    std::string out;
    if (!sqlLogStarted_) {
      out += StartStamp(rt::Now()) + " START\r\n" + kSeparator + "\r\n";
      sqlLogStarted_ = true;
    }
    out += std::string(text) + "\r\n" + kSeparator + "\r\n";
    AppendText(log, out);
  } catch (...) {
    // The log never stops the game.
  }
}

void clsDB::WriteRecordsetLog() {
  try {
    std::string out;
    for (long r = 0; r < result_->RowCount(); ++r) {
      for (int c = 0; c < result_->FieldCount(); ++c) {
        if (c > 0) out += ",";
        out += result_->Value(r, c);
      }
      out += "\r\n";
    }
    out += kSeparator + "\r\n";
    AppendText(plat::ProgramFolder() / "DBSQL.txt", out);
  } catch (...) {
  }
}

void clsDB::WriteErrLog(std::string_view operation, std::string_view sql) {
  ++failCount_;
  try {
    std::string out = rt::FormatDateTime(rt::Now()) + "\r\n";
    out += "関数名:" + std::string(operation) + "\r\n";
    out += logMsg_ + "\r\n";  // the engine's own words beside the number
    out += "SQL:" + std::string(sql) + "\r\n";
    out += std::string(38, '-') + "\r\n";
    AppendText(plat::ProgramFolder() / "DBerr.log", out);
  } catch (...) {
  }
}
