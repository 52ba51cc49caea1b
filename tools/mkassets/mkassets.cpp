/** @file mkassets.cpp mkassets GAMEDIR: writes the game's own pictures and sounds, only those missing or changed. */
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "Assets.h"

namespace fs = std::filesystem;

namespace {

bool SameContents(const fs::path& file, const std::string& bytes) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) != bytes.size()) return false;
  std::ifstream in(file, std::ios::binary);
  const std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return old == bytes;
}

// Written beside the target and renamed over it, so that a failed run leaves the old file whole.
bool WriteReplacing(const fs::path& file, const std::string& bytes) {
  const fs::path temp = file.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  std::error_code ec;
  fs::rename(temp, file, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkassets GAMEDIR\n");
    return 2;
  }
  const fs::path game = argv[1];
  int written = 0, unchanged = 0;
  for (auto make : {Pictures, Sounds}) {
    for (const AssetFile& asset : make()) {
      const fs::path folder = game / asset.folder, file = folder / asset.name;
      std::error_code ec;
      fs::create_directories(folder, ec);
      if (SameContents(file, asset.bytes)) {
        ++unchanged;
        continue;
      }
      if (!WriteReplacing(file, asset.bytes)) {
        std::fprintf(stderr, "mkassets: cannot write %s\n", file.string().c_str());
        return 1;
      }
      ++written;
    }
  }
  std::printf("mkassets: %d written, %d unchanged in %s\n", written, unchanged, game.string().c_str());
  return 0;
}
