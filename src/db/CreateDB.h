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
/// the scrambled password (SQLite checks none). On failure the message handler is told, in
/// Japanese, whether the file is missing, not a database or in use, Opened is false and the
/// result is null.
std::shared_ptr<SqliteConnection> OpenDB(const std::filesystem::path& Path, std::string_view Password, bool& Opened);

/// OpenDB for a caller that tells the player itself: shows nothing, and a failure throws
/// DbOpenError (OpenFailureMessage words it).
std::shared_ptr<SqliteConnection> OpenDBOrThrow(const std::filesystem::path& Path, std::string_view Password);

/// Opens <program folder>/vesk.mdb (plat::ProgramFolder) and hands it to db (DBSet). The result is whether it opened.
bool DBConnect(clsDB& db);

/// Who shows a failed open: text and title (the program's name). Unset, the standard message
/// box (plat::MsgBox, critical icon) shows it; tools may send it elsewhere.
using MessageHandler = std::function<void(const std::string& text, const std::string& title)>;
void SetMessageHandler(MessageHandler handler);

/// What is wrong with an open game database, for a program that runs weeks on it unattended:
/// "" when the engine's quick check passes and every table of the game is there, else a
/// Japanese text naming the damage or the missing tables.
std::string CheckGameDatabase(SqliteConnection& db);

/// The Japanese message for a failed open of path.
std::string OpenFailureMessage(const DbOpenError& error, const std::filesystem::path& path);

}  // namespace CreateDB
