/** @file FileSystem.cpp The program's folder, whole-file reads and atomic file replacement. */
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

namespace plat {
namespace {

std::filesystem::path gProgramFolder;  ///< set by SetProgramFolder; empty: the executable's

// "<file>（<why>）", after `what` when given.
std::string SystemMessage(const std::string& what, const std::filesystem::path& file, int err) {
  return (what.empty() ? "" : what + ": ") + file.string() + "（" + SystemErrorText(err) + "）";
}

// Writes all of `data` to `fd`, going on after short writes and interruptions.
bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

std::string SystemErrorText(int err) {
  switch (err) {
    case EACCES:
    case EPERM: return "アクセスの権限がありません";
    case EROFS: return "読み取り専用のディスクです";
    case ENOSPC:
    case EDQUOT: return "ディスクの空き容量が足りません";
    case ENOENT: return "ファイルかフォルダーがありません";
    case EIO: return "ディスクを読み書きできません";
    case EISDIR: return "同じ名前のフォルダーがあります";
    case ENOTDIR: return "パスの途中にフォルダーでないものがあります";
    case ENAMETOOLONG: return "パスが長すぎます";
    case EBUSY:
    case ETXTBSY: return "ファイルは使用中です";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    // The system's own text (strerror) is English: the number lets it be looked up.
    default: return "システムのエラー " + std::to_string(err);
  }
}

std::filesystem::path ProgramFolder() {
  if (!gProgramFolder.empty()) return gProgramFolder;
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

void SetProgramFolder(const std::filesystem::path& folder) { gProgramFolder = folder; }

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(text).str();
}

bool WriteFileAtomic(const std::filesystem::path& file, std::string_view contents, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  // A unique temporary name in the same folder, so that the rename stays on one file system.
  std::string pattern = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) return fail(SystemMessage("一時ファイルを作れません", folder, errno));
  std::filesystem::path temp = pattern;
  // mkstemp makes the file 0600; a settings file is an ordinary file of the user.
  ::fchmod(fd, 0644);
  bool ok = WriteAll(fd, contents);
  int err = errno;
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    err = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && ::rename(temp.c_str(), file.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return fail(SystemMessage("", file, err));
  }
  // Make the rename itself durable.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace plat
