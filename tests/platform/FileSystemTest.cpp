/** @file FileSystemTest.cpp Whole-file reads and atomic replacement. */
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/FileSystem.h"

namespace fs = std::filesystem;
using namespace plat;

TEST(FileSystem, AtomicWriteReplacesWholeOrNotAtAll) {
  std::string pattern = (fs::temp_directory_path() / "vesk-fs-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  fs::path dir = pattern, file = dir / "vesk.ini";
  auto entries = [&] { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); };
  EXPECT_FALSE(ReadWholeFile(file).has_value());

  std::string binary("国王\0\r\n\xFF", 10);
  ASSERT_TRUE(WriteFileAtomic(file, binary));
  EXPECT_EQ(ReadWholeFile(file), binary);
  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  EXPECT_EQ(ReadWholeFile(file), "old");
  EXPECT_EQ(entries(), 1);  // no temporary file is left behind

  // A folder that cannot be written: the write fails, says why, and the old file stays.
  if (geteuid() != 0) {  // root writes anyway
    chmod(dir.c_str(), 0555);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(file, "new", &error));
    EXPECT_NE(error.find(dir.string()), std::string::npos) << error;
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(ReadWholeFile(file), "old");
  }
  // A target that is a folder cannot be replaced; the temporary file goes away again. The reason
  // reads in Japanese, as the settings' box shows it: the system's "Is a directory" never.
  fs::create_directory(dir / "sub");
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(dir / "sub", "x", &error));
  EXPECT_EQ(error, (dir / "sub").string() + "（同じ名前のフォルダーがあります）");
  EXPECT_EQ(entries(), 2);
  EXPECT_FALSE(WriteFileAtomic(dir / "missing" / "vesk.ini", "x", &error));
  EXPECT_EQ(error, "一時ファイルを作れません: " + (dir / "missing").string() + "（ファイルかフォルダーがありません）");
  fs::remove_all(dir);
}
