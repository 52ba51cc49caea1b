/** @file FileSystem.h The program's folder, whole-file reads and atomic file replacement. */
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

/// The folder of the running executable, or the folder set by SetProgramFolder.
std::filesystem::path ProgramFolder();
/// Make ProgramFolder answer `folder` (tests, tools); an empty path goes back to the executable's.
void SetProgramFolder(const std::filesystem::path& folder);

/// A system error number (errno) in short Japanese for the player: permission, a read-only
/// disk, a full disk, a missing file, a folder in the way, ...; any other by its number.
std::string SystemErrorText(int err);

/// The whole contents of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

/// Replace `file` with `contents` so that a reader sees the old file or the new one, never a
/// part: the text goes to a temporary file beside it, is flushed to disk and renamed over it.
/// On failure the old file is left as it was and `error` (when given) names the file and says
/// why in Japanese.
bool WriteFileAtomic(const std::filesystem::path& file, std::string_view contents,
                     std::string* error = nullptr);

}  // namespace plat
