/** @file SettingKeysTest.cpp Defaults by settings version, and tolerant reading of settings. */
#include <gtest/gtest.h>

#include <set>

#include "app/CIniFile.h"
#include "app/SettingKeys.h"

namespace {

// The keys whose value InitSettingIni replaced, for a file of settings version `version` that
// held "old" in every key.
std::set<std::string> KeysDefaulted(const std::string& version) {
  CIniFile ini;
  ini.NowSection("Setting");
  for (const SettingKey& k : SettingKeys()) ini.Data(k.Key, "old");
  InitSettingIni(ini, version);
  std::set<std::string> changed;
  for (const SettingKey& k : SettingKeys()) {
    if (ini.Data(k.Key) == k.Default) changed.insert(k.Key);
    else EXPECT_EQ(ini.Data(k.Key), "old") << k.Key;
  }
  return changed;
}

std::set<std::string> Keys(std::initializer_list<const char*> names) { return {names.begin(), names.end()}; }

}  // namespace

TEST(SettingKeys, AVersionBelowAGateGetsExactlyThatGatesDefaults) {
  const auto gate1000001 = Keys({"BGMDX8", "SEDX8", "NotDX8"});
  const auto later = Keys({"GridRows", "DBInit", "Check1", "Check2", "Check3"});
  EXPECT_EQ(KeysDefaulted("1.04.0000"), Keys({"Check2", "Check3"}));
  EXPECT_EQ(KeysDefaulted("1.00.0001"), later);
  EXPECT_EQ(KeysDefaulted("1.00.0000"), [&] {
    auto k = gate1000001;
    k.insert(later.begin(), later.end());
    return k;
  }());
  EXPECT_EQ(KeysDefaulted("1.06.9999"), Keys({"Check3"}));
  EXPECT_EQ(KeysDefaulted("1.07.0000"), Keys({}));
  EXPECT_EQ(KeysDefaulted("1.09.0037"), Keys({}));
  // Missing, unreadable and absurd versions count as older than every gate.
  for (const char* version : {"", "abc", "1.09b", "999999", "99999999999"})
    EXPECT_EQ(KeysDefaulted(version).size(), SettingKeys().size()) << version;

  EXPECT_EQ(SettingVersionNumber("1.09.0037"), 1090037);
  EXPECT_EQ(SettingVersionNumber("abc"), 999999);
}

TEST(SettingKeys, DefaultsAreWrittenInTheirOrderIntoSetting) {
  CIniFile ini;
  ini.NowSection("Other");
  ini.Data("GridRows", "12");
  InitSettingIni(ini, "999999");
  EXPECT_EQ(ini.NowSection(), "Setting");
  std::vector<std::string> written;
  for (const auto& [unused, key] : ini.Keys()) written.push_back(key);
  ASSERT_EQ(written.size(), 38u);
  EXPECT_EQ(written.front(), "TitleLeft");
  EXPECT_EQ(written[11], "BattleAnime");
  EXPECT_EQ(written[12], "Report0");
  EXPECT_EQ(written[29], "Report17");
  EXPECT_EQ(written.back(), "Check3");
  EXPECT_EQ(ini.Data("TitleTop"), "2500");
  EXPECT_EQ(ini.Data("BattleAnime"), "True");
  EXPECT_EQ(ini.Data("BGMDX8"), "-10");
  ini.NowSection("Other");
  EXPECT_EQ(ini.Data("GridRows"), "12");  // other sections are not touched
}

TEST(SettingKeys, UnreadableValuesCountAsDefaultsAndNumbersAreClamped) {
  CIniFile ini;
  ini.NowSection("Setting");
  struct Case { const char* key; const char* value; int32_t expected; };
  for (auto c : {Case{"SE", "abc", 5}, Case{"SE", "", 5}, Case{"SE", "99", 10}, Case{"SE", "0", 1},
                 Case{"SE", "7.5", 8}, Case{"SE", "6.5", 6}, Case{"BGM", "-3", 1}, Case{"BattleSpeed", "25", 20},
                 Case{"BGMDX8", "-99", -30}, Case{"SEDX8", "5", 0}, Case{"SEDX8", "x", -10},
                 Case{"GridRows", "99999", 32767}, Case{"GridRows", "1e300", 32767},
                 Case{"TitleLeft", "1e20", 2147483647}, Case{"MainTop", " 1200 ", 1200}, Case{"Unknown", "q", 0}}) {
    ini.Data(c.key, c.value);
    EXPECT_EQ(SettingNumber(ini, c.key), c.expected) << c.key << "=" << c.value;
  }
  ini.DeleteData("BattleSpeed");
  EXPECT_EQ(SettingNumber(ini, "BattleSpeed"), 5);

  struct BoolCase { const char* key; const char* value; bool expected; };
  for (auto c : {BoolCase{"NotDX8", "True", true}, BoolCase{"NotDX8", "true", true}, BoolCase{"NotDX8", "1", true},
                 BoolCase{"NotDX8", "0", false}, BoolCase{"NotDX8", "maybe", false}, BoolCase{"NotDX8", "", false},
                 BoolCase{"BattleAnime", "maybe", true}, BoolCase{"BattleAnime", "0", false},
                 BoolCase{"OptionSE", "abc", true}, BoolCase{"DBInit", "False", false}}) {
    ini.Data(c.key, c.value);
    EXPECT_EQ(SettingBool(ini, c.key), c.expected) << c.key << "=" << c.value;
  }
}
