/** @file clsRegTest.cpp Registry reads from the table behind clsReg. */
#include <gtest/gtest.h>

#include "platform/clsReg.h"

using namespace plat;

TEST(clsReg, AnswersTheTableAndDefaultsEverythingElse) {
  clsReg reg;
  const RegValue none = std::string("none");
  // The built-in answer is a version of the DirectX 8 line; names are found ignoring case.
  EXPECT_EQ(reg.RegGetValue(HKEY_LOCAL_MACHINE, "software\\microsoft\\directx", "VERSION", REG_SZ, none),
            RegValue(std::string("4.09.00.0904")));
  EXPECT_EQ(reg.RegGetValue(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\DirectX", "Version", REG_SZ, none), none);

  ScopedRegistry fake({{HKEY_LOCAL_MACHINE, "K", "Text", std::string("ab\0cd", 5)},
                       {HKEY_LOCAL_MACHINE, "K", "Number", int32_t{-5}}});
  EXPECT_EQ(reg.RegGetValue(HKEY_LOCAL_MACHINE, "K", "Text", REG_SZ, none), RegValue(std::string("ab")));
  EXPECT_EQ(reg.RegGetValue(HKEY_LOCAL_MACHINE, "K", "Text", REG_DWORD, 7), RegValue(7));
  EXPECT_EQ(reg.RegGetValue(HKEY_LOCAL_MACHINE, "K", "Number", REG_DWORD, 0), RegValue(-5));
  EXPECT_EQ(reg.RegGetValue(HKEY_LOCAL_MACHINE, "K", "Number", REG_SZ, none), none);
}
