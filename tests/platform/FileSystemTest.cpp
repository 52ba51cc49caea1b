/** @file FileSystemTest.cpp The program folder, whole-file reads and atomic replacement. */
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/FileSystem.h"

namespace fs = std::filesystem;
using namespace plat;

namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vesk-fs-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    chmod(dir_.c_str(), 0755);
    fs::remove_all(dir_);
    SetProgramFolder({});
  }
  fs::path dir_;
};

}  // namespace

TEST_F(FileSystemTest, ProgramFolderIsTheExecutablesUnlessSet) {
  EXPECT_EQ(ProgramFolder(), fs::canonical("/proc/self/exe").parent_path());
  SetProgramFolder(dir_);
  EXPECT_EQ(ProgramFolder(), dir_);
  SetProgramFolder({});
  EXPECT_EQ(ProgramFolder(), fs::canonical("/proc/self/exe").parent_path());
}

TEST_F(FileSystemTest, AtomicWriteReplacesWholeOrNotAtAll) {
  fs::path file = dir_ / "vesk.ini";
  EXPECT_FALSE(ReadWholeFile(file).has_value());

  std::string binary("国王\0\r\n\xFF", 10);
  ASSERT_TRUE(WriteFileAtomic(file, binary));
  EXPECT_EQ(ReadWholeFile(file), binary);
  ASSERT_TRUE(WriteFileAtomic(file, "short"));
  EXPECT_EQ(ReadWholeFile(file), "short");
  ASSERT_TRUE(WriteFileAtomic(file, ""));
  EXPECT_EQ(ReadWholeFile(file), "");
  ASSERT_TRUE(WriteFileAtomic(file, "old"));

  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  // A folder that cannot be written: the write fails, says why, and the old file stays.
  if (geteuid() != 0) {  // root writes anyway
    chmod(dir_.c_str(), 0555);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(file, "new", &error));
    EXPECT_NE(error.find(dir_.string()), std::string::npos) << error;
    chmod(dir_.c_str(), 0755);
    EXPECT_EQ(ReadWholeFile(file), "old");
  }
  // A target that is a folder cannot be replaced; the temporary file goes away again.
  fs::create_directory(dir_ / "sub");
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(dir_ / "sub", "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
  // A missing folder.
  EXPECT_FALSE(WriteFileAtomic(dir_ / "missing" / "vesk.ini", "x"));
}
