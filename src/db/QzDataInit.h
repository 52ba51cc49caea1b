/** @file QzDataInit.h The new-game reset: 49 fixed statements that return the saved game to week 1. */
#pragma once
#include <filesystem>
#include <string>

namespace QzDataInit {

/// Resets <program folder>/vesk.mdb for a new game on a connection of its own, closed before
/// it returns. All or nothing: when a statement fails (it is logged in DBerr.log) the others
/// still run, to log theirs, and then everything is rolled back. True when the reset was made;
/// otherwise `firstError` (when given) gets the first failure and its statement. A file that
/// does not open has had its message shown (CreateDB::OpenDB).
bool ResetGameData(std::string* firstError = nullptr);
/// The same on the database at path; returns how many statements failed (0: reset).
int ResetGameDataAt(const std::filesystem::path& path, std::string* firstError = nullptr);

}  // namespace QzDataInit
