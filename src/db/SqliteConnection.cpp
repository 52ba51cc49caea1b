/** @file SqliteConnection.cpp The game database engine over SQLite. */
#include "db/SqliteConnection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <list>
#include <unordered_map>

#include "runtime/Convert.h"
#include "runtime/Strings.h"

namespace {

std::string ErrMsg(sqlite3* db) { return db ? sqlite3_errmsg(db) : "out of memory"; }

[[noreturn]] void Fail(sqlite3* db) { throw DbError(db ? sqlite3_errcode(db) : SQLITE_NOMEM, ErrMsg(db), true); }

// The Japanese words for the engine's failures: those of the file that a player can meet (in
// use, damaged, read-only, not to be opened or written, the disk full) say which.
const char* PlayerWords(int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "データベースファイルは使用中です";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return "データベースファイルが壊れています";
    case SQLITE_READONLY: return "データベースファイルは読み取り専用です";
    case SQLITE_FULL: return "ディスクの空き容量が足りません";
    case SQLITE_CANTOPEN: return "データベースファイルを開けません";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "データベースファイルを使う権限がありません";
    case SQLITE_IOERR: return "データベースファイルを読み書きできません";
    case SQLITE_NOMEM: return "メモリが足りません";
    // The rest (a table or column missing from a damaged save, a value the engine refuses) is
    // the engine's English: DBerr.log keeps its words.
    default: return "データベースの処理に失敗しました";
  }
}

// Refuses what would make sql more or less than one statement: a character 0 (the engine would
// stop reading there and run what came before) and anything but blanks and ";" after the first.
void CheckOneStatement(std::string_view sql, const char* tail) {
  if (sql.find('\0') != std::string_view::npos) throw DbError(SQLITE_MISUSE, "SQL 文に文字コード 0 が含まれています");
  const char* end = sql.data() + sql.size();
  for (; tail && tail < end; ++tail) {
    if (!std::strchr(" \t\r\n;", *tail)) throw DbError(SQLITE_ERROR, "SQL 文の後に余分な文字があります");
  }
}

// The functions whose result depends on their arguments alone: a query using any other (random,
// the clock, changes) is run every time.
bool IsSteadyFunction(const char* name) {
  static const char* const kSteady[] = {"round",  "sum",   "count", "max",     "min",   "avg",    "total",
                                        "abs",    "char",  "length", "upper",  "lower", "coalesce", "ifnull",
                                        "iif",    "instr", "substr", "substring", "replace", "trim", "ltrim",
                                        "rtrim",  "nullif", "like",  "glob",    "typeof", "hex",   "quote",
                                        "unicode", "printf", "format", "group_concat", "sign"};
  for (const char* f : kSteady)
    if (rt::EqualsNoCase(name, f)) return true;
  return false;
}

bool IsBooleanType(const std::string& declType) { return rt::InStr(rt::UCase(declType), "BOOL") > 0; }

// A column declared for texts, by the engine's own rule for a column's affinity.
bool IsTextType(const std::string& declType) {
  const std::string t = rt::UCase(declType);
  return rt::InStr(t, "INT") == 0 && (rt::InStr(t, "CHAR") > 0 || rt::InStr(t, "CLOB") > 0 || rt::InStr(t, "TEXT") > 0);
}

// A blob written as a literal, X'3132': legible in a message, and no number that a reader accepts.
std::string BlobText(const void* data, int bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "X'";
  for (int i = 0; i < bytes; ++i) {
    const unsigned char b = static_cast<const unsigned char*>(data)[i];
    out += kHex[b >> 4];
    out += kHex[b & 0xF];
  }
  return out + "'";
}

// The text of one value as the game reads it. A value reads as it is stored: a fraction in a
// whole-number column keeps its fraction, so that an ID of 2.4 is not taken for row 2.
std::string ValueText(sqlite3_stmt* stmt, int col, const std::string& declType, bool& isNumber) {
  isNumber = false;
  switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_NULL:
      return "";
    case SQLITE_INTEGER: {
      sqlite3_int64 v = sqlite3_column_int64(stmt, col);
      if (IsBooleanType(declType)) return v != 0 ? "True" : "False";
      isNumber = true;
      return std::to_string(v);
    }
    case SQLITE_FLOAT: {
      double v = sqlite3_column_double(stmt, col);
      if (IsBooleanType(declType)) return v != 0 ? "True" : "False";
      isNumber = true;
      return rt::CStr(v);
    }
    case SQLITE_BLOB:
      // Only a text column reads a blob as its text: in any other a blob '2' would pass for 2.
      if (!IsTextType(declType)) return BlobText(sqlite3_column_blob(stmt, col), sqlite3_column_bytes(stmt, col));
      [[fallthrough]];
    default: {
      const unsigned char* text = sqlite3_column_text(stmt, col);
      return text ? std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(stmt, col)) : "";
    }
  }
}

// ROUND(x) and ROUND(x, n): halves to even on the double as computed.
void RoundFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || (argc > 1 && sqlite3_value_type(argv[1]) == SQLITE_NULL)) {
    sqlite3_result_null(ctx);
    return;
  }
  int digits = argc > 1 ? sqlite3_value_int(argv[1]) : 0;
  if (digits < 0) {  // the old engine refused these rather than round to tens or hundreds
    sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
    return;
  }
  if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER) {
    sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    return;
  }
  sqlite3_result_double(ctx, rt::Round(sqlite3_value_double(argv[0]), digits));
}

void Configure(sqlite3* db) {
  sqlite3_extended_result_codes(db, 0);
  for (int args = 1; args <= 2; ++args) {
    if (sqlite3_create_function_v2(db, "ROUND", args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, RoundFunction,
                                   nullptr, nullptr, nullptr) != SQLITE_OK)
      Fail(db);
  }
  // Exclusive before the first read, so that WAL keeps its index in our memory and no other
  // process can open the file while we hold it.
  if (sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db);
}

void SetJournal(sqlite3* db) {
  const char* sql = "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; BEGIN EXCLUSIVE; COMMIT;";
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db);
}

// Refuses, before the engine touches it, what is not an SQLite file: a folder in its place, a
// file this user may not read (never to be taken for a foreign one), an empty or foreign file.
// A failure of the system keeps the system's words.
void CheckSqliteFile(const std::filesystem::path& file) {
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (std::filesystem::is_directory(status))
    throw DbOpenError(DbOpenFailure::Folder, SQLITE_CANTOPEN, std::strerror(EISDIR), true);
  if (!std::filesystem::is_regular_file(status))
    throw DbOpenError(DbOpenFailure::Missing, SQLITE_CANTOPEN, "ファイルが見つかりません");
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    if (err == EACCES || err == EPERM)
      throw DbOpenError(DbOpenFailure::NoPermission, SQLITE_PERM, std::strerror(err), true);
    if (err == ENOENT) throw DbOpenError(DbOpenFailure::Missing, SQLITE_CANTOPEN, "ファイルが見つかりません");
    throw DbOpenError(DbOpenFailure::Other, SQLITE_CANTOPEN, std::strerror(err), true);
  }
  char header[16] = {};
  ssize_t got;
  do got = ::read(fd, header, sizeof header);
  while (got < 0 && errno == EINTR);
  const int err = errno;
  ::close(fd);
  if (got < 0) throw DbOpenError(DbOpenFailure::Other, SQLITE_IOERR, std::strerror(err), true);
  if (got != sizeof header || std::memcmp(header, "SQLite format 3", 16) != 0)
    throw DbOpenError(DbOpenFailure::NotADatabase, SQLITE_NOTADB, "file is not a database", true);
}

DbOpenFailure FailureKind(int code) {
  switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return DbOpenFailure::Locked;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      return DbOpenFailure::NotADatabase;
    case SQLITE_CANTOPEN:
      return DbOpenFailure::Missing;
    case SQLITE_READONLY:
      return DbOpenFailure::ReadOnly;
    case SQLITE_PERM:
      return DbOpenFailure::NoPermission;
    default:
      return DbOpenFailure::Other;
  }
}

double ParseNumber(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

}  // namespace

std::string DbError::PlayerDescription() const {
  if (!engineWords_) return what();
  // What a damaged save most often lacks is named: the engine's sentence around it is English.
  const std::string text = what();
  for (const auto& [english, words] : {std::pair<std::string_view, const char*>{"no such table: ", "テーブルがありません: "},
                                       {"no such column: ", "列がありません: "}})
    if (text.rfind(english, 0) == 0) return words + text.substr(english.size());
  return PlayerWords(number_);
}

std::string SqlText(std::string_view value) {
  std::string out = "'";
  bool joined = false;
  for (char c : value) {
    if (c == '\0') {
      // A character 0 cannot stand in a statement's text: it goes in as char(0), value whole.
      out += "'||char(0)||'";
      joined = true;
      continue;
    }
    out += c;
    if (c == '\'') out += '\'';
  }
  out += '\'';
  return joined ? "(" + out + ")" : out;
}

void RemoveWithWal(const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::remove(file, ec);
  std::filesystem::remove(file.string() + "-wal", ec);
}

// ---- RecordSet ----

int RecordSet::FieldIndex(std::string_view name) const {
  for (int i = 0; i < FieldCount(); ++i) {
    if (rt::EqualsNoCase(columns_[i].name, name)) return i;
  }
  return -1;
}

std::vector<std::string> RecordSet::Row(long row) const {
  std::vector<std::string> out;
  for (int c = 0; c < FieldCount(); ++c) out.push_back(Value(row, c));
  return out;
}

void RecordSet::SortBy(int col, bool descending) {
  if (col < 0 || col >= FieldCount()) return;
  const long rows = RowCount();
  std::vector<long> order(rows);
  for (long i = 0; i < rows; ++i) order[i] = i;
  auto less = [&](long a, long b) {
    const std::string& va = Value(a, col);
    const std::string& vb = Value(b, col);
    if (va.empty() || vb.empty()) return va.empty() && !vb.empty();  // empty (NULL) first
    // Numbers before texts: comparing a number with a text as texts would make the order go
    // round in a circle (2 < 10 < "1z" < 2), and the sort would run past its rows.
    const bool na = IsNumber(a, col), nb = IsNumber(b, col);
    if (na != nb) return na;
    if (na) return ParseNumber(va) < ParseNumber(vb);
    return rt::UCase(va) < rt::UCase(vb);
  };
  std::stable_sort(order.begin(), order.end(), [&](long a, long b) { return descending ? less(b, a) : less(a, b); });
  std::vector<std::string> values;
  std::vector<bool> numbers;
  values.reserve(values_.size());
  numbers.reserve(numbers_.size());
  for (long r : order) {
    for (int c = 0; c < FieldCount(); ++c) {
      values.push_back(std::move(values_[Index(r, c)]));
      numbers.push_back(numbers_[Index(r, c)]);
    }
  }
  values_ = std::move(values);
  numbers_ = std::move(numbers);
}

std::shared_ptr<RecordSet> RecordSet::Sorted(std::string_view sortText) const {
  auto copy = std::make_shared<RecordSet>(*this);
  std::vector<std::string> words;
  for (const std::string& w : rt::Split(rt::Trim(sortText), " ")) {
    if (!w.empty()) words.push_back(w);
  }
  if (words.empty()) return copy;
  bool descending = words.size() > 1 && rt::EqualsNoCase(words[1], "DESC");
  int col = FieldIndex(words[0]);
  if (col < 0 && rt::IsNumeric(words[0])) {
    const double position = rt::Val(words[0]);  // checked before the cast: "1E10" is numeric too
    if (position >= 1 && position <= FieldCount()) col = static_cast<int>(position) - 1;
  }
  copy->SortBy(col, descending);
  return copy;
}

// ---- SqliteConnection ----

/// A statement as the engine prepared it, and what the engine says it reads and writes.
struct SqliteConnection::Prepared {
  sqlite3_stmt* stmt = nullptr;
  std::vector<std::string> reads;   ///< tables read, lower case
  std::vector<std::string> writes;  ///< tables written (triggers included), lower case
  bool undoes = false;              ///< ROLLBACK or ROLLBACK TO: data of any table may change back
  bool other = false;               ///< schema, pragma, attach, ...: anything may change
  bool steady = true;               ///< no function outside IsSteadyFunction
  bool transaction = false;         ///< BEGIN, COMMIT, SAVEPOINT, RELEASE
  bool Cacheable() const { return writes.empty() && !undoes && !other && steady && !transaction; }
  ~Prepared() { sqlite3_finalize(stmt); }
};

/// Kept statements and results. A table's version rises with every statement that writes it;
/// a kept result holds the versions of the tables it read and counts only while they hold.
struct SqliteConnection::Cache {
  static constexpr size_t kMaxStatements = 1000;
  static constexpr size_t kMaxResults = 4000;
  static constexpr long kMaxRows = 2000;  ///< larger results (whole lists) are not kept

  struct Result {
    std::shared_ptr<const RecordSet> rows;
    uint64_t epoch = 0;
    std::vector<std::pair<const std::string*, uint64_t>> versions;
  };

  std::unordered_map<std::string, std::unique_ptr<Prepared>> statements;
  std::unordered_map<std::string, Result> results;
  std::unordered_map<std::string, uint64_t> tableVersions;
  uint64_t epoch = 0;             ///< rises when everything kept must go
  Prepared* preparing = nullptr;  ///< what the authorizer is describing now

  bool Holds(const Result& r) const {
    if (r.epoch != epoch) return false;
    for (const auto& [table, version] : r.versions) {
      auto it = tableVersions.find(*table);
      if ((it == tableVersions.end() ? 0 : it->second) != version) return false;
    }
    return true;
  }
};

namespace {

void AddName(std::vector<std::string>& names, const char* name) {
  if (!name) return;
  std::string lower = rt::LCase(name);
  if (std::find(names.begin(), names.end(), lower) == names.end()) names.push_back(std::move(lower));
}

}  // namespace

int SqliteConnection::Authorize(void* data, int action, const char* a1, const char* a2, const char*, const char*) {
  auto* cache = static_cast<Cache*>(data);
  Prepared* p = cache->preparing;
  if (!p) return SQLITE_OK;  // a script or set-up run outside Prepare: its caller forgets results
  switch (action) {
    case SQLITE_SELECT:
      break;
    case SQLITE_READ:
      AddName(p->reads, a1);
      break;
    case SQLITE_FUNCTION:
      if (!a2 || !IsSteadyFunction(a2)) p->steady = false;
      break;
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
      AddName(p->writes, a1);
      break;
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
      if (a1 && rt::EqualsNoCase(a1, "ROLLBACK")) p->undoes = true;
      else p->transaction = true;
      break;
    default:
      p->other = true;
  }
  return SQLITE_OK;
}

SqliteConnection::SqliteConnection(sqlite3* db, std::filesystem::path file)
    : db_(db), file_(std::move(file)), cache_(std::make_unique<Cache>()) {
  if (db_) sqlite3_set_authorizer(db_, &SqliteConnection::Authorize, cache_.get());
}

SqliteConnection::Prepared& SqliteConnection::Prepare(std::string_view sql) {
  const std::string key(sql);
  if (auto it = cache_->statements.find(key); it != cache_->statements.end()) return *it->second;
  auto p = std::make_unique<Prepared>();
  const char* tail = nullptr;
  if (sql.find('\0') == std::string_view::npos) {
    cache_->preparing = p.get();
    const int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &p->stmt, &tail);
    cache_->preparing = nullptr;
    if (rc != SQLITE_OK) Fail(db_);
    if (!p->stmt) throw DbError(SQLITE_MISUSE, "SQL 文が空です");
  }
  CheckOneStatement(sql, tail);
  if (cache_->statements.size() >= Cache::kMaxStatements) cache_->statements.clear();
  return *cache_->statements.emplace(key, std::move(p)).first->second;
}

void SqliteConnection::ForgetResults() {
  ++cache_->epoch;
  cache_->results.clear();
}

void SqliteConnection::Run(Prepared& p, const std::function<void(sqlite3_stmt*)>& onRow) {
  int rc;
  try {
    while ((rc = sqlite3_step(p.stmt)) == SQLITE_ROW)
      if (onRow) onRow(p.stmt);
  } catch (...) {
    sqlite3_reset(p.stmt);  // never left halfway for its next use
    ForgetResults();
    throw;
  }
  const int code = rc == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db_);
  const std::string message = rc == SQLITE_DONE ? std::string() : ErrMsg(db_);
  sqlite3_reset(p.stmt);
  for (const std::string& table : p.writes) ++cache_->tableVersions[table];
  const bool schemaChange = p.other;
  // A failure may have ended a transaction and so changed anything back.
  if (p.undoes || p.other || code != SQLITE_OK) ForgetResults();
  // A changed schema may change what the kept statements read and write: prepare them anew.
  // (p is one of them: it is not touched after this.)
  if (schemaChange) cache_->statements.clear();
  if (code != SQLITE_OK) throw DbError(code, message, true);
}

std::shared_ptr<SqliteConnection> SqliteConnection::Open(const std::filesystem::path& file,
                                                          const std::function<void(SqliteConnection&)>& check) {
  // Only an SQLite file is touched at all: an empty or foreign file stays as it is.
  CheckSqliteFile(file);
  // A save marked read-only stays so, also for a user whom the system would let write.
  std::error_code ec;
  using std::filesystem::perms;
  const perms mode = std::filesystem::status(file, ec).permissions();
  if ((mode & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
    throw DbOpenError(DbOpenFailure::ReadOnly, SQLITE_READONLY, "attempt to write a readonly database", true);

  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  std::shared_ptr<SqliteConnection> conn(new SqliteConnection(raw, file));
  try {
    if (rc != SQLITE_OK) Fail(raw);
    if (sqlite3_db_readonly(raw, "main") == 1)
      throw DbOpenError(DbOpenFailure::ReadOnly, SQLITE_READONLY, "attempt to write a readonly database", true);
    Configure(raw);
    // The probe: reads the file, so a locked or damaged one fails here and not later.
    auto tables = conn->Query("SELECT name FROM sqlite_master WHERE type='table' AND name='home'");
    if (tables->RowCount() == 0)
      throw DbOpenError(DbOpenFailure::NotADatabase, SQLITE_NOTADB, "ゲームのデータベースではありません");
    if (check) check(*conn);
    SetJournal(raw);
  } catch (const DbOpenError&) {
    throw;
  } catch (const DbError& e) {
    throw DbOpenError(FailureKind(e.Number()), e.Number(), e.what(), e.EngineWords());
  }
  return conn;
}

std::shared_ptr<SqliteConnection> SqliteConnection::Create(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) throw DbError(SQLITE_CANTOPEN, "ファイルがすでにあります: " + file.string());
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  std::shared_ptr<SqliteConnection> conn(new SqliteConnection(raw, file));
  if (rc != SQLITE_OK) Fail(raw);
  Configure(raw);
  SetJournal(raw);
  return conn;
}

SqliteConnection::~SqliteConnection() {
  cache_->statements.clear();  // finalized before the close
  sqlite3_close_v2(db_);
}

bool SqliteConnection::InTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

void SqliteConnection::Close() {
  if (!db_) return;
  cache_->statements.clear();
  cache_->results.clear();
  if (sqlite3_close(db_) != SQLITE_OK) Fail(db_);
  db_ = nullptr;
}

void SqliteConnection::Execute(std::string_view sql) {
  if (!db_) throw DbError(SQLITE_MISUSE, "データベースが閉じています");
  Run(Prepare(sql), nullptr);
}

std::shared_ptr<RecordSet> SqliteConnection::Query(std::string_view sql) {
  if (!db_) throw DbError(SQLITE_MISUSE, "データベースが閉じています");
  const std::string key(sql);
  if (auto it = cache_->results.find(key); it != cache_->results.end()) {
    if (cache_->Holds(it->second)) return std::make_shared<RecordSet>(*it->second.rows);
    cache_->results.erase(it);
  }
  Prepared& p = Prepare(sql);
  auto rs = std::make_shared<RecordSet>();
  const int cols = sqlite3_column_count(p.stmt);
  std::vector<std::string> types(cols);
  for (int c = 0; c < cols; ++c) {
    const char* name = sqlite3_column_name(p.stmt, c);
    const char* type = sqlite3_column_decltype(p.stmt, c);
    types[c] = type ? type : "";
    rs->AddColumn(name ? name : "", types[c]);
  }
  const bool keep = p.Cacheable();
  std::vector<std::string> reads = p.reads;  // p may be dropped by Run
  Run(p, [&](sqlite3_stmt* stmt) {
    for (int c = 0; c < cols; ++c) {
      bool isNumber = false;
      std::string text = ValueText(stmt, c, types[c], isNumber);
      rs->AddValue(std::move(text), isNumber);
    }
  });
  if (keep && rs->RowCount() <= Cache::kMaxRows) {
    if (cache_->results.size() >= Cache::kMaxResults) cache_->results.clear();
    Cache::Result kept;
    kept.rows = std::make_shared<const RecordSet>(*rs);
    kept.epoch = cache_->epoch;
    for (const std::string& table : reads) {
      auto it = cache_->tableVersions.try_emplace(table, 0).first;
      kept.versions.emplace_back(&it->first, it->second);
    }
    cache_->results[key] = std::move(kept);
  }
  return rs;
}

void SqliteConnection::ExecuteScript(std::string_view sql) {
  if (!db_) throw DbError(SQLITE_MISUSE, "データベースが閉じています");
  // A script may change anything, the schema too.
  ForgetResults();
  cache_->statements.clear();
  std::string text(sql);
  char* err = nullptr;
  if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string message = err ? err : ErrMsg(db_);
    sqlite3_free(err);
    throw DbError(sqlite3_errcode(db_), message, true);
  }
}
