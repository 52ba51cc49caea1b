/** @file SqliteConnection.h The game database engine: one SQLite connection opened and read the way the game expects. */
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

/// A database failure: the engine's error number and its description, which is either the
/// engine's own (English) words or a Japanese text of the game.
class DbError : public std::runtime_error {
 public:
  DbError(int number, const std::string& description, bool engineWords = false)
      : std::runtime_error(description), number_(number), engineWords_(engineWords) {}
  int Number() const { return number_; }
  /// Whether the description is the engine's own words.
  bool EngineWords() const { return engineWords_; }
  /// "number:description" with the description as it came, as DBerr.log keeps it.
  std::string Text() const { return std::to_string(number_) + ":" + what(); }
  /// The description as the player reads it: the engine's words become a short Japanese text,
  /// which for a failure of the file that a player can meet (in use, damaged or not a database,
  /// read-only, disk full, not to be opened, not permitted, a read or write error) says which;
  /// the game's own description stays as it is.
  std::string PlayerDescription() const;
  /// "number:" and PlayerDescription(), the last error text the game shows.
  std::string PlayerText() const { return std::to_string(number_) + ":" + PlayerDescription(); }

 private:
  int number_;
  bool engineWords_;
};

/// Why an open failed; the message shown to the player says which.
enum class DbOpenFailure {
  Missing,        ///< no file of that name
  Folder,         ///< a folder stands where the file should be
  NoPermission,   ///< the system does not let this user read the file
  NotADatabase,   ///< another kind of file, or not the game's database
  Damaged,        ///< the game's database with damaged pages
  MissingTables,  ///< the game's database without some of its tables; the description names them
  Locked,
  ReadOnly,
  Other
};

class DbOpenError : public DbError {
 public:
  DbOpenError(DbOpenFailure kind, int number, const std::string& description, bool engineWords = false)
      : DbError(number, description, engineWords), kind_(kind) {}
  DbOpenFailure Kind() const { return kind_; }

 private:
  DbOpenFailure kind_;
};

/// A query's whole result in memory: column names and declared types, every value as the
/// game reads it (text), and which values are numbers so that sorting compares them as numbers.
class RecordSet {
 public:
  struct Column {
    std::string name;      ///< the result column's name ("Name" for item.Name)
    std::string declType;  ///< the table column's declared type ("INTEGER", "BOOLEAN", ...), "" for expressions
  };

  int FieldCount() const { return static_cast<int>(columns_.size()); }
  long RowCount() const { return FieldCount() ? static_cast<long>(values_.size() / columns_.size()) : 0; }
  const Column& GetColumn(int col) const { return columns_.at(col); }
  /// The column's 0-based position by name (case-insensitive), -1 when absent.
  int FieldIndex(std::string_view name) const;
  /// Value text of a cell; row and col are 0-based.
  const std::string& Value(long row, int col) const { return values_.at(Index(row, col)); }
  bool IsNumber(long row, int col) const { return numbers_.at(Index(row, col)); }
  /// The values of one row, in column order.
  std::vector<std::string> Row(long row) const;

  /// Sorts the rows, stably, by one column: numbers as numbers, texts ignoring case, empty first.
  void SortBy(int col, bool descending);
  /// A sorted copy for a sort text "<field> ASC|DESC", where field is a column name or a
  /// 1-based position ("Name ASC", "6 DESC"); a missing direction means ASC. An unknown
  /// field leaves the order as it is.
  std::shared_ptr<RecordSet> Sorted(std::string_view sortText) const;

  // Filling (the engine and tests).
  void AddColumn(std::string name, std::string declType) { columns_.push_back({std::move(name), std::move(declType)}); }
  void AddValue(std::string text, bool isNumber) { values_.push_back(std::move(text)); numbers_.push_back(isNumber); }

 private:
  size_t Index(long row, int col) const {
    if (col < 0 || col >= FieldCount() || row < 0 || row >= RowCount()) throw std::out_of_range("RecordSet cell");
    return static_cast<size_t>(row) * columns_.size() + static_cast<size_t>(col);
  }
  std::vector<Column> columns_;
  std::vector<std::string> values_;  ///< row-major
  std::vector<bool> numbers_;
};

/// One open game database. Open() takes an existing file for this process alone (WAL,
/// synchronous NORMAL, exclusive locking) and registers the game's ROUND (halves to even).
/// The connection closes when the last owner lets go.
///
/// A statement text run before is not prepared again, and a query run before is answered from
/// its kept result as long as no statement since has written a table it reads: a week reads
/// its catalogue rows once. What a statement reads and writes is the engine's own account of
/// it (the authorizer), so a result is never older than the tables it came from.
class SqliteConnection {
 public:
  /// Opens an existing game database read-write, never creating one. A missing file, a folder,
  /// a file that may not be read or written, a file that is not a database and a database held
  /// by another process throw DbOpenError, with the file left untouched. `check`, when given,
  /// looks at the database as it was found, before the open writes anything (the journal
  /// mode); what it throws, the open throws.
  static std::shared_ptr<SqliteConnection> Open(const std::filesystem::path& file,
                                                const std::function<void(SqliteConnection&)>& check = {});
  /// Creates a new, empty database file (the builder only); fails when the file exists.
  static std::shared_ptr<SqliteConnection> Create(const std::filesystem::path& file);

  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  /// Runs exactly one statement (a trailing ";" is allowed, a second statement is refused).
  /// Throws DbError.
  void Execute(std::string_view sql);
  /// Runs one query and reads its whole result (a copy of its own). Throws DbError.
  std::shared_ptr<RecordSet> Query(std::string_view sql);
  /// Runs a script of several statements (schema and content files). Throws DbError.
  void ExecuteScript(std::string_view sql);

  /// True while a transaction is open (begun and neither committed nor rolled back, also not by
  /// the engine itself after an I/O failure).
  bool InTransaction() const;

  const std::filesystem::path& File() const { return file_; }
  sqlite3* Handle() { return db_; }
  /// Closes now (also done by the destructor). Throws DbError when the engine refuses.
  void Close();

 private:
  struct Prepared;
  struct Cache;
  SqliteConnection(sqlite3* db, std::filesystem::path file);
  /// The prepared statement of sql, from the cache or prepared now (exactly one statement).
  Prepared& Prepare(std::string_view sql);
  /// Steps a prepared statement to its end, giving each row to onRow, and resets it. Afterwards
  /// the kept results of the tables it wrote are dropped, also when it failed.
  void Run(Prepared& p, const std::function<void(sqlite3_stmt*)>& onRow);
  void ForgetResults();
  static int Authorize(void* cache, int action, const char* a1, const char* a2, const char* db, const char* trigger);

  sqlite3* db_;
  std::filesystem::path file_;
  std::unique_ptr<Cache> cache_;
};

/// The one way a text value goes into a statement: the value between single quotes with every
/// quote doubled. SqlText("O'Neil") is 'O''Neil' (quotes included). A character 0 goes in as
/// char(0) joined to the rest, ('a'||char(0)||'b'), so that the value arrives whole.
std::string SqlText(std::string_view value);

/// Removes a database file and the write-ahead log beside it, where there are; a failure is ignored.
void RemoveWithWal(const std::filesystem::path& file);
