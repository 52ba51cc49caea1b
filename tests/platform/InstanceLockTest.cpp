/** @file InstanceLockTest.cpp The lock file that keeps a second holder out. */
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/InstanceLock.h"

namespace fs = std::filesystem;
using plat::InstanceLock;
using State = InstanceLock::State;

TEST(InstanceLock, RefusesASecondHolderUntilReleased) {
  std::string pattern = (fs::temp_directory_path() / "vesk-lock-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  fs::path file = fs::path(pattern) / "vesk.lock";
  {
    InstanceLock first(file);
    ASSERT_EQ(first.GetState(), State::Held);
    // The lock belongs to the open file (flock), so a second holder here stands for another copy.
    EXPECT_EQ(InstanceLock(file).GetState(), State::Busy);
    first.Release();
    EXPECT_TRUE(InstanceLock(file).Held());
  }
  InstanceLock bad(fs::path(pattern) / "missing" / "vesk.lock");
  EXPECT_EQ(bad.GetState(), State::Error);
  EXPECT_NE(bad.Message().find("missing"), std::string::npos);
  fs::remove_all(pattern);
}
