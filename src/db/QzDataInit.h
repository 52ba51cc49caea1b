/** @file QzDataInit.h The new-game reset: 49 fixed statements that return the saved game to week 1. */
#pragma once
#include <filesystem>

namespace QzDataInit {

/// Resets <program folder>/vesk.mdb for a new game on a connection of its own, closed before
/// it returns. Failed statements are logged (DBerr.log) and passed over.
void ResetGameData();
/// The same on the database at path; returns how many statements failed.
int ResetGameDataAt(const std::filesystem::path& path);

}  // namespace QzDataInit
