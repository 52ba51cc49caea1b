/** @file CIniFileTest.cpp The settings store: parsing, ordering, saving and round trips. */
#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "app/CIniFile.h"
#include "platform/FileSystem.h"

namespace {

class CIniFileTest : public ::testing::Test {
 protected:
  const std::string& Write(const std::string& text) {
    std::ofstream(file_, std::ios::binary) << text;
    return file_;
  }
  std::string Read() const { return plat::ReadWholeFile(file_).value_or("<missing>"); }
  static std::string KeyList(const CIniFile& ini) {
    std::string out;
    for (const auto& [unused, key] : ini.Keys()) out += (out.empty() ? "" : " ") + key;
    return out;
  }
  TempFolder dir_;
  std::string file_ = (dir_.Path() / "vesk.ini").string();
};

}  // namespace

TEST_F(CIniFileTest, ParsesLinesAsTheOldProfileReaderDid) {
  CIniFile ini;
  ASSERT_TRUE(ini.Load(Write("stray=before any section\r\n[Setting]\r\nKey=a=b\r\nSE=3\r\n  \r\nNoEquals\r\n"
                             "se=7\r\n[ Other ]\nX=1\n[setting]\nLate=yes\n")));
  EXPECT_EQ(ini.Sections().Count(), 2);
  EXPECT_EQ(ini.Sections().Item(2), "Other");
  EXPECT_FALSE(ini.IsExist());
  ini.NowSection("SETTING");
  EXPECT_EQ(ini.NowSection(), "Setting");  // the name as listed
  EXPECT_TRUE(ini.IsExist());
  // A repeated header adds to the same section; a missing key reads as its name; the later SE wins.
  EXPECT_EQ(ini.Data("KEY") + " " + ini.Data("NoEquals") + " " + ini.Data("Late") + " " + ini.Data("SE"), "a=b NoEquals yes 7");
  EXPECT_EQ(KeyList(ini), "Key se Late");  // the later SE takes the later place; the line without "=" is no key
  EXPECT_FALSE(ini.Load(Write("no sections here\n")));
  EXPECT_EQ(ini.Sections().Count(), 0);
}

TEST_F(CIniFileTest, ChangedKeysMoveToTheEndAndSaveRoundTrips) {
  CIniFile ini;
  ASSERT_TRUE(ini.Load(Write("; my notes\n[Setting]\nA=1\nB=2\nC=3\nJunk line\n[Keep]\nZ=9\n")));
  ini.NowSection("Setting");
  ini.Data("a", "国王軍");  // a changed key moves to the end, spelled as written now
  ini.Data("D", "交易国友好度:TurnEnd_Trade");
  ini.DeleteData("B");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(ini.NowSection(), "Keep");  // the section saved last
  // The notes before the first section stay; the line without "=" is not written back.
  EXPECT_EQ(Read(), "; my notes\n[Setting]\nC=3\na=国王軍\nD=交易国友好度:TurnEnd_Trade\n[Keep]\nZ=9\n");

  CIniFile again;
  ASSERT_TRUE(again.Load(file_));
  again.NowSection("Setting");
  EXPECT_EQ(again.Data("A"), "国王軍");

  // Saving one section leaves the others in the file as they are; a value cannot add lines.
  Write("[Setting]\nA=old\n[Keep]\nZ=on disk\n");
  again.Data("A", "new\r\n[Evil]\nb");
  again.NowSection("Keep");
  again.Data("Z", "in memory");
  ASSERT_TRUE(again.Save("Setting"));
  EXPECT_EQ(Read(), "[Setting]\nC=3\nD=交易国友好度:TurnEnd_Trade\nA=new  [Evil] b\n[Keep]\nZ=on disk\n");
}

TEST_F(CIniFileTest, ReadsOldCodePageLinesAndWritesUtf8) {
  CIniFile ini;
  // 国王 in CP932 on one line; the UTF-8 lines around it stay as they are.
  ASSERT_TRUE(ini.Load(Write("[Setting]\nUnit=国王軍\nName=\x8D\x91\x89\xA4\nArmy=兵士\n")));
  ini.NowSection("Setting");
  EXPECT_EQ(ini.Data("Unit") + ini.Data("Name") + ini.Data("Army"), "国王軍国王兵士");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(Read(), "[Setting]\nUnit=国王軍\nName=国王\nArmy=兵士\n");  // written back as UTF-8

  // A character 0 loses its own line, never the key it would cut into; none is written.
  ASSERT_TRUE(ini.Load(Write(std::string("[Setting]\nBGM\0X=9\nBGM=3\nSE=4\0\n", 30))));
  ini.NowSection("Setting");
  EXPECT_EQ(ini.Data("BGM") + "/" + ini.Data("SE") + "/" + KeyList(ini), "3//BGM");
  ini.Data("UnitItem", std::string("剣\0槍", 7));
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(Read(), "[Setting]\nBGM=3\nUnitItem=剣槍\n");

  ASSERT_TRUE(ini.Load(Write("\xEF\xBB\xBF[Setting]\nName=王\n")));
  ini.NowSection("Setting");
  EXPECT_EQ(ini.Data("Name"), "王");  // a byte-order mark is no part of the first section's name
}
