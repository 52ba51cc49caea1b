/** @file CreateDB.h Opening vesk.mdb: OpenDB and the connection of gDB (DBConnect). */
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "db/SqliteConnection.h"

class clsDB;

namespace CreateDB {

/// The database password as the program stores it (scrambled; see basEnc::Descramble).
inline constexpr const char kScrambledPassword[] = "SLrk9^jg^hxx";

/// Opens the game database at Path exclusively and read-write; never creates it. Password is
/// the scrambled password (SQLite checks none). The database is checked before anything is read
/// or written (CheckGameDatabase). On failure the message handler is told, in Japanese, whether
/// the file is missing, damaged, not a database or in use, Opened is false and the result is null.
std::shared_ptr<SqliteConnection> OpenDB(const std::filesystem::path& Path, std::string_view Password, bool& Opened);

/// OpenDB for a caller that tells the player itself: shows nothing, and a failure throws
/// DbOpenError (OpenFailureMessage words it).
std::shared_ptr<SqliteConnection> OpenDBOrThrow(const std::filesystem::path& Path, std::string_view Password);

/// Opens <program folder>/vesk.mdb (plat::ProgramFolder) and hands it to db (DBSet). The result
/// is whether it opened; on failure the player has been told why, DBerr.log keeps the engine's
/// or the system's words and `why` (when given) says what kind of failure it was.
bool DBConnect(clsDB& db, DbOpenFailure* why = nullptr);

/// Who shows a failed open: text and title (the program's name). Unset, the standard message
/// box (plat::MsgBox, critical icon) shows it; tools may send it elsewhere.
using MessageHandler = std::function<void(const std::string& text, const std::string& title)>;
void SetMessageHandler(MessageHandler handler);

/// Whether a database just opened can be played: the engine's quick check passes and every
/// table of the game is there. Throws DbOpenError: Damaged (with the engine's words) or
/// MissingTables (naming them in Japanese). Reads only.
void CheckGameDatabase(SqliteConnection& db);

/// The Japanese message for a failed open of path.
std::string OpenFailureMessage(const DbOpenError& error, const std::filesystem::path& path);
/// The Japanese message for any error around the database at path: a failed open as
/// OpenFailureMessage words it, another failure of the database in the player's words
/// (DbError::PlayerDescription), anything else as rt::DescribeError tells it.
std::string FailureMessage(const std::exception& error, const std::filesystem::path& path);

}  // namespace CreateDB
