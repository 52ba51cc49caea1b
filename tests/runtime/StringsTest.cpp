/** @file StringsTest.cpp Character-counting string functions and line splitting. */
#include <gtest/gtest.h>

#include <vector>

#include "runtime/Strings.h"
#include "runtime/VbError.h"

using namespace rt;
using Lines = std::vector<std::string>;

TEST(Strings, CountCharactersNotBytes) {
  EXPECT_EQ(Len("国王軍") * 10 + Len("a国b"), 33);
  EXPECT_EQ(Left("国王軍", 2) + "/" + Right("国王軍", 1), "国王/軍");
  EXPECT_EQ(Mid("新エリア発見", 2) + "/" + Mid("新エリア発見", 2, 3) + "/" + Mid("新エリア発見", 9), "エリア発見/エリア/");
  EXPECT_THROW(Mid("abc", 0), VbError);
  EXPECT_THROW(Left("abc", -1), VbError);

  EXPECT_EQ((std::vector<long>{InStr("交易国友好度:abc", ":"), InStr("abcabc", "c", 4), InStr("国王国王", "王", 3),
                              InStr("abc", "x"), InStr("abc", "a", 4), InStr("abc", "", 2)}),
            (std::vector<long>{7, 6, 4, 0, 0, 2}));
  EXPECT_THROW(InStr("abc", "a", 0), VbError);

  EXPECT_EQ(FromU32(ToU32("国a😀")), "国a😀");
  EXPECT_TRUE(IsValidUtf8("国王軍 abc"));
  for (const char* bad : {"\x8D\x91\x89\xA4", "\xE5\x9B", "\xC0\xAF"})  // 国王 in CP932, cut short, overlong
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
}

TEST(Strings, SplittingJoiningAndReplacing) {
  EXPECT_EQ(Split("a,b,,c", ","), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(Split("", ","), Lines{});
  EXPECT_EQ(Split("abc", ""), Lines{"abc"});
  EXPECT_EQ(Split("税金:100,交易:5,", ","), (Lines{"税金:100", "交易:5", ""}));
  EXPECT_EQ(Split("a::b", "::"), (Lines{"a", "b"}));

  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\n"), Lines{""});

  EXPECT_EQ(Replace("1.09.0037", ".", "") + " " + Replace("aaa", "a", "aa") + " " + Replace("abc", "", "x"), "1090037 aaaaaa abc");
  EXPECT_EQ(Trim("  a b  ") + "|" + Trim("\ta\t") + "|" + UCase("abc国"), "a b|\ta\t|ABC国");  // Trim takes spaces only
  EXPECT_TRUE(EqualsNoCase("GridRows", "GRIDROWS") && !EqualsNoCase("Grid", "GridRows"));
}
