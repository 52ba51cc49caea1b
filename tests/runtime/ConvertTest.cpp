/** @file ConvertTest.cpp Conversions, number printing and checked arithmetic of the runtime. */
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "runtime/Convert.h"
#include "runtime/VbError.h"

using namespace rt;

namespace {

// The error number a call throws, 0 when it does not throw.
template <typename F>
int ErrorOf(F f) {
  try {
    f();
  } catch (const VbError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace

TEST(Convert, IntegersRoundHalvesToEven) {
  struct Case { double value; int16_t expected; };
  for (auto c : {Case{2.5, 2}, Case{3.5, 4}, Case{-2.5, -2}, Case{-3.5, -4}, Case{0.5, 0}, Case{1.5, 2},
                 Case{2.4999, 2}, Case{-0.4, 0}, Case{32767.4, 32767}, Case{-32768.5, -32768}})
    EXPECT_EQ(CInt(c.value), c.expected) << c.value;
  EXPECT_EQ((std::vector<int>{CInt("75.5"), CInt(" 74.5 "), CInt("-1e2")}), (std::vector<int>{76, 74, -100}));
  EXPECT_EQ(CLng("2147483647"), 2147483647);
  EXPECT_EQ(CLng(-2147483648.5), std::numeric_limits<int32_t>::min());
}

TEST(Convert, OutOfRangeAndNonNumbersAreErrors) {
  // 32767.5 rounds to 32768.
  for (auto f : {+[] { CInt("32768"); }, +[] { CInt(32767.5); }, +[] { CInt(-32768.6); }, +[] { CLng("2147483648"); },
                 +[] { CLng(std::numeric_limits<double>::quiet_NaN()); }})
    EXPECT_EQ(ErrorOf(f), kErrOverflow);
  for (const char* text : {"abc", "", "  ", "1,5", "12abc", "0x10", "inf", "nan", "1e", "."})
    EXPECT_EQ(ErrorOf([&] { CInt(text); }), kErrTypeMismatch) << '"' << text << '"';
  EXPECT_TRUE(IsNumeric(" 3.25 ") && !IsNumeric(""));
}

TEST(Convert, BooleansValAndRounding) {
  EXPECT_TRUE(CBool("true") && CBool("-1") && !CBool("0"));
  EXPECT_EQ(ErrorOf([] { CBool("yes"); }), kErrTypeMismatch);
  EXPECT_EQ((std::vector<double>{Val("12abc"), Val(" 1 2 3"), Val("-4.5e1x"), Val("abc")}), (std::vector<double>{12, 123, -45, 0}));
  EXPECT_EQ((std::vector<double>{Round(2.5), Round(-3.5), Int(-2.5), Fix(-2.5)}), (std::vector<double>{2, -4, -3, -2}));
  EXPECT_DOUBLE_EQ(Round(1.25, 1), 1.2);
  EXPECT_DOUBLE_EQ(Round(1.35, 1), 1.4);
  // No fraction to round, and never inf or NaN.
  EXPECT_EQ((std::vector<double>{Round(1e308, 2), Round(0.5, 400)}), (std::vector<double>{1e308, 0.5}));
}

TEST(Convert, DoublesPrintWithFifteenDigits) {
  struct Case { double value; const char* text; };
  for (auto c : {Case{3.0, "3"}, Case{0.1, "0.1"}, Case{75.5, "75.5"}, Case{-0.0, "0"}, Case{-2.25, "-2.25"},
                 Case{0.1 + 0.2, "0.3"}, Case{1.0 / 3, "0.333333333333333"}, Case{123456789012345.0, "123456789012345"},
                 Case{1e15, "1E+15"}, Case{0.00001, "1E-05"}, Case{0.0001, "0.0001"}, Case{999999.0, "999999"}})
    EXPECT_EQ(CStr(c.value), c.text) << c.text;
}

TEST(Convert, CheckedArithmeticAndIntegerDivision) {
  for (auto f : {+[] { AddI(32767, 1); }, +[] { SubI(-32768, 1); }, +[] { MulI(200, 200); }, +[] { AddL(2147483647, 1); },
                 +[] { SubL(-2147483647 - 1, 1); }, +[] { MulL(65536, 32768); }, +[] { IntDiv(-2147483648.0, -1); }})
    EXPECT_EQ(ErrorOf(f), kErrOverflow);
  EXPECT_EQ(MulI(-181, 181), -32761);
  // The ends of the range themselves are no overflow.
  EXPECT_EQ((std::vector<int>{AddI(32766, 1), SubI(-32767, 1), MulI(-128, 256)}), (std::vector<int>{32767, -32768, -32768}));
  EXPECT_EQ((std::vector<int32_t>{AddL(2147483646, 1), SubL(-2147483647, 1), MulL(-65536, 32768)}),
            (std::vector<int32_t>{2147483647, -2147483647 - 1, -2147483647 - 1}));

  // \ truncates, Mod takes the sign of the dividend; operands are rounded half to even first (7.5 to 8, 2.5 to 2).
  EXPECT_EQ((std::vector<int>{IntDiv(7, 2), IntDiv(-7, 2), IntDiv(7.5, 2), IntDiv(7, 2.5)}), (std::vector<int>{3, -3, 4, 3}));
  EXPECT_EQ((std::vector<int>{Mod(7, 3), Mod(-7, 3), Mod(7, -3), Mod(10.5, 4)}), (std::vector<int>{1, -1, 1, 2}));
  EXPECT_EQ(ErrorOf([] { IntDiv(1, 0); }), kErrDivisionByZero);
  EXPECT_EQ(ErrorOf([] { Mod(1, 0.4); }), kErrDivisionByZero);  // 0.4 rounds to 0
}
