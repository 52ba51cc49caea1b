/** @file QzDataInit.h The new-game reset: 49 fixed statements that return the saved game to week 1. */
#pragma once
#include <filesystem>
#include <string>

namespace QzDataInit {

/// Resets <program folder>/vesk.mdb for a new game on a connection of its own, closed before
/// it returns. All or nothing, and it stops at the first failure: a file that does not open, or
/// a statement that fails, gives one record in DBerr.log, the file as it was and False, with
/// `why` (when given) saying in Japanese what failed. A save with damaged pages is recorded in
/// DBerr.log and replaced by a new game built from its readable catalogue; when even that cannot
/// be read, it stays as it was. It shows nothing itself.
bool ResetGameData(std::string* why = nullptr);
/// The same on the database at path.
bool ResetGameDataAt(const std::filesystem::path& path, std::string* why = nullptr);

}  // namespace QzDataInit
