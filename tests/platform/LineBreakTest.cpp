/** @file LineBreakTest.cpp Japanese line breaking of wrapped text: marks that never start a line, brackets that never end one. */
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "runtime/Strings.h"

using namespace plat;

// Each text is wrapped at the width of its expected first line (the widest that fits there);
// the lines, told apart by "|", show where it must break instead of the plain width limit.
TEST(LineBreak, MarksThatMayNotStartALineStayWithTheCharacterBeforeThem) {
  Font f(20, 700);
  struct Case {
    const char* lines;  // the expected lines
    const char* fits;   // what would fit on the first line by width alone
  } cases[] = {
      {"あいう|え。お", "あいうえ"},    {"あいう|え、お", "あいうえ"},  {"カード|ゲーム", "カードゲ"},
      {"あいう|え・お", "あいうえ"},    {"あいう|え？", "あいうえ"},    {"あいう|え！", "あいうえ"},
      {"あいう|えっと", "あいうえ"},    {"あいう|シャ", "あいうシ"},       {"あいう|え」", "あいうえ"},
      {"あいう|え）お", "あいうえ"},
      // Iteration marks, the wave dash (also as the old code page gives it back) and voiced
      // marks, half-width and combining: the combining ones are never parted from their kana.
      {"あいう|木々", "あいう木"},     {"あいう|さゝ", "あいうさ"},   {"あいう|さゞ", "あいうさ"},
      {"あいう|サヽ", "あいうサ"},     {"あいう|サヾ", "あいうサ"},   {"あいう|え〜", "あいうえ"},
      {"あいう|え～", "あいうえ"},     {"ｱｲｳｴ|ｶﾞ", "ｱｲｳｴｶ"},      {"ｱｲｳｴ|ﾊﾟ", "ｱｲｳｴﾊ"},
      {"あいう|か\u3099", "あいうか"}, {"あいう|は\u309A", "あいうは"},
      {"か\u3099|か\u3099", "か"},  // too narrow for any break: cut, but after the mark
      // An opening bracket never ends a line: it goes on with what it opens.
      {"あいう|「え」", "あいう「"},   {"伐採所|(リュ", "伐採所("},
      // Plain kana and kanji break anywhere.
      {"あいうえ|お", "あいうえ"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> lines = rt::Split(c.lines, "|");
    const std::string text = rt::Join(lines, "");
    const int width = f.TextWidth(c.fits);
    int widest = 0;
    for (const auto& l : lines) widest = std::max(widest, f.TextWidth(l));
    Rect r{0, 0, width, 0};
    EXPECT_EQ(MeasureText(f, text, r, DT_WORDBREAK), static_cast<int>(lines.size()) * f.LineHeight()) << c.lines;
    EXPECT_EQ(r.Width(), widest) << c.lines;
  }
}
