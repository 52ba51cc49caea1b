/** @file CIniFileTest.cpp The settings store: parsing, ordering, saving and round trips. */
#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "app/CIniFile.h"
#include "platform/FileSystem.h"

namespace {

class CIniFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text, const char* name = "vesk.ini") {
    std::string file = (dir_.Path() / name).string();
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
  std::string Read(const std::string& file) { return plat::ReadWholeFile(file).value_or("<missing>"); }
  // The key list of the current section, joined with spaces.
  std::string KeyList(const CIniFile& ini) {
    std::string out;
    for (const auto& [unused, key] : ini.Keys()) out += (out.empty() ? "" : " ") + key;
    return out;
  }
  TempFolder dir_;
};

}  // namespace

TEST_F(CIniFileTest, ParsesLinesAsTheOldProfileReaderDid) {
  CIniFile ini;
  std::string file = Write(
      "stray=before any section\r\n"
      "[Setting]\r\n"
      "Key=a=b\r\n"
      "SE=3\r\n"
      "  \r\n"
      "NoEquals\r\n"
      "se=7\r\n"
      "Empty=\r\n"
      "[ Other ]\n"
      "X=1\n"
      "[setting]\n"
      "Late=yes\n");
  ASSERT_TRUE(ini.Load(file));
  EXPECT_EQ(ini.NowSection(), "");  // Load leaves the current section alone
  EXPECT_EQ(ini.Data("Key"), "");   // no section selected yet
  EXPECT_EQ(ini.Sections().Count(), 2);
  EXPECT_EQ(ini.Sections().Item(2), "Other");
  EXPECT_TRUE(ini.IsSection("OTHER"));
  EXPECT_FALSE(ini.IsExist());

  ini.NowSection("SETTING");
  EXPECT_EQ(ini.NowSection(), "Setting");  // the name as listed
  EXPECT_TRUE(ini.IsExist());
  EXPECT_EQ(ini.Data("KEY"), "a=b");
  EXPECT_EQ(ini.Data("SE"), "7");  // the later line wins and takes the later place
  EXPECT_EQ(ini.Data("NoEquals"), "NoEquals");
  EXPECT_TRUE(ini.IsData("noequals"));
  EXPECT_EQ(ini.Data("Empty"), "");
  EXPECT_TRUE(ini.IsData("Empty"));
  EXPECT_EQ(ini.Data("Late"), "yes");  // a repeated header adds to the same section
  EXPECT_EQ(ini.Data("stray"), "");
  EXPECT_EQ(ini.Data("Missing"), "");
  EXPECT_EQ(KeyList(ini), "Key se Empty Late");  // the line without "=" has no key

  ini.NowSection("New");
  EXPECT_FALSE(ini.IsExist());
  EXPECT_EQ(ini.Sections().Count(), 3);
  EXPECT_EQ(ini.Data("X"), "");

  EXPECT_FALSE(ini.Load(Write("no sections here\n", "plain.ini")));
  EXPECT_EQ(ini.Sections().Count(), 0);
  EXPECT_FALSE(ini.Load((dir_.Path() / "absent.ini").string()));

  // Many sections: far more than the old reader's first buffer of names.
  std::string many;
  for (int i = 0; i < 300; ++i) many += "[Section" + std::to_string(i) + "]\nK=" + std::to_string(i) + "\n";
  ASSERT_TRUE(ini.Load(Write(many, "many.ini")));
  EXPECT_EQ(ini.Sections().Count(), 300);
  ini.NowSection("section299");
  EXPECT_EQ(ini.Data("k"), "299");
}

TEST_F(CIniFileTest, ChangedKeysMoveToTheEndAndSaveRoundTrips) {
  CIniFile ini;
  std::string file = Write("; my notes\n[Setting]\nA=1\nB=2\nC=3\nJunk line\n[Keep]\nZ=9\n");
  ASSERT_TRUE(ini.Load(file));
  ini.NowSection("Setting");
  ini.Data("a", "国王軍");  // a changed key moves to the end, spelled as written now
  ini.Data("D", "交易国友好度:TurnEnd_Trade");
  ini.DeleteData("B");
  ini.DeleteData("Nothing");
  EXPECT_EQ(KeyList(ini), "C a D");
  EXPECT_TRUE(ini.Save());
  EXPECT_EQ(ini.NowSection(), "Keep");  // the section saved last
  EXPECT_TRUE(ini.IsExist());
  // The notes before the first section stay; the line without "=" is not written back.
  EXPECT_EQ(Read(file), "; my notes\n[Setting]\nC=3\na=国王軍\nD=交易国友好度:TurnEnd_Trade\n[Keep]\nZ=9\n");

  CIniFile again;
  ASSERT_TRUE(again.Load(file));
  again.NowSection("Setting");
  EXPECT_EQ(again.Data("A"), "国王軍");
  EXPECT_EQ(again.Data("d"), "交易国友好度:TurnEnd_Trade");
  EXPECT_FALSE(again.IsData("B"));

  // Saving one section leaves the others in the file as they are.
  Write("[Setting]\nA=old\n[Keep]\nZ=on disk\n");
  again.Data("A", "new");
  again.NowSection("Keep");
  again.Data("Z", "in memory");
  EXPECT_TRUE(again.Save("Setting"));
  EXPECT_EQ(Read(file), "[Setting]\nC=3\nD=交易国友好度:TurnEnd_Trade\nA=new\n[Keep]\nZ=on disk\n");

  // A value cannot break the file into extra lines.
  again.NowSection("Setting");
  again.Data("Multi", "a\r\n[Evil]\nb");
  EXPECT_TRUE(again.Save("Setting"));
  CIniFile third;
  ASSERT_TRUE(third.Load(file));
  EXPECT_FALSE(third.IsSection("Evil"));
}

TEST_F(CIniFileTest, ReadsOldCodePageFilesAndKeepsTheOldFileOnFailure) {
  CIniFile ini;
  // 国王 in CP932, as files of the old program were written.
  std::string file = Write("[Setting]\nName=\x8D\x91\x89\xA4\n");
  ASSERT_TRUE(ini.Load(file));
  ini.NowSection("Setting");
  EXPECT_EQ(ini.Data("Name"), "国王");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(Read(file), "[Setting]\nName=国王\n");  // written back as UTF-8

  ASSERT_TRUE(ini.Load(Write("\xEF\xBB\xBF[Setting]\nName=王\n")));
  ini.NowSection("Setting");
  EXPECT_EQ(ini.Data("Name"), "王");  // a byte-order mark is no part of the first section's name

  // A file that cannot be replaced (here a folder stands in its way) is left whole.
  std::filesystem::create_directory(dir_.Path() / "blocked.ini");
  CIniFile blocked;
  EXPECT_FALSE(blocked.Load((dir_.Path() / "blocked.ini").string()));
  blocked.NowSection("Setting");
  blocked.Data("A", "1");
  EXPECT_FALSE(blocked.Save());
  EXPECT_FALSE(blocked.LastError().empty());
  EXPECT_FALSE(blocked.IsExist());
  EXPECT_TRUE(std::filesystem::is_directory(dir_.Path() / "blocked.ini"));

  CIniFile empty;
  empty.Load((dir_.Path() / "none.ini").string());
  EXPECT_FALSE(empty.Save());  // nothing to write
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "none.ini"));
}
