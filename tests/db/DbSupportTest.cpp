/** @file DbSupportTest.cpp The password de-scrambler, the file helpers and the grids' result sets. */
#include <gtest/gtest.h>

#include "db/CreateDB.h"
#include "db/basEnc.h"
#include "db/clsFile.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "support/FreshGameDb.h"

TEST(BasEncTest, DescrambleUndoesTheStoredScrambling) {
  const std::string password = basEnc::Descramble(CreateDB::kScrambledPassword);
  EXPECT_EQ(rt::Len(password), 12);
  EXPECT_EQ(basEnc::Scramble(password), CreateDB::kScrambledPassword);
  // The codes are CP932's: half-width kana are single bytes, a kanji a negative 16-bit code.
  for (const std::string text : {"ｱ", "国", "Zz9", ""}) EXPECT_EQ(basEnc::Descramble(basEnc::Scramble(text)), text);
  // Two kanji in a row leave the 16-bit range: the old runtime's overflow.
  EXPECT_THROW(basEnc::Scramble("国王"), rt::VbError);
}

class ClsFileTest : public FreshGameDb {};

TEST_F(ClsFileTest, FilesAreWrittenAndReadLineByLine) {
  clsFile f;
  const std::string dir = game->Folder().string();
  EXPECT_TRUE(f.FileSize(dir + "/none.txt") == -1 && !f.IsFile(dir));
  EXPECT_THROW(f.FileRead(dir + "/none.txt"), rt::VbError);

  f.FileWriteAppend(dir + "/MSG.log", "負傷兵が帰還しました");
  f.FileWriteAppend(dir + "/MSG.log", "two");
  auto lines = rt::SplitLines(f.FileRead(dir + "/MSG.log"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(rt::Len(lines[0]), 19);  // the time stamp
  EXPECT_EQ((std::vector<std::string>{lines[1], lines[2], lines[4]}),
            (std::vector<std::string>{"負傷兵が帰還しました", std::string(39, '-'), "two"}));

  f.FileWrite(dir + "/t.txt", "a\r\nb");
  EXPECT_EQ(f.FileRead(dir + "/t.txt"), "a\r\nb\r\n");
  // Bytes replace the whole file: nothing of a longer old file is left behind.
  f.FileWriteBinary(dir + "/b.bin", {1, 2, 3, 4, 5});
  f.FileWriteBinary(dir + "/b.bin", {9, 0});
  EXPECT_EQ(f.FileReadBinary(dir + "/b.bin"), (std::vector<uint8_t>{9, 0}));
}

class RecordSetTest : public FreshGameDb {};

TEST_F(RecordSetTest, GridsSortByNameOrPositionWithNumbersAsNumbers) {
  ASSERT_TRUE(db->Excute("INSERT INTO itemdata VALUES('b剣',9,0,0,'非公開',21,False)"));
  ASSERT_TRUE(db->Excute("INSERT INTO itemdata VALUES('A剣',100,0,0,'非公開',21,False)"));
  ASSERT_TRUE(db->GetData("SELECT Name, Storage, Synthesis, Storage*1.0/4 FROM itemdata WHERE Name LIKE '%剣'"));
  auto rs = db->GetRecordSet();
  ASSERT_EQ(rs->RowCount(), 2);
  EXPECT_EQ(rs->GetColumn(1).declType + rs->GetColumn(2).declType, "INTEGERBOOLEAN");

  auto byStorage = rs->Sorted("storage ASC");
  EXPECT_EQ(byStorage->Value(0, 1) + "," + byStorage->Value(1, 1), "9,100");  // 9 before 100, not as texts
  EXPECT_EQ(rs->Sorted("1 DESC")->Value(0, 0), "b剣");  // texts ignore case
  EXPECT_EQ(rs->Sorted("4 DESC")->Value(0, 3), "25");
  // An unknown field or a position out of range leaves the order as it is.
  for (const char* sort : {"Nothing ASC", "1E10 ASC", "-3 DESC"}) EXPECT_EQ(rs->Sorted(sort)->Value(0, 0), rs->Value(0, 0));
  EXPECT_EQ(db->GetRecordSet()->Value(0, 0), rs->Value(0, 0));  // the copy leaves the original alone

  // A column of numbers and texts mixed: numbers first, then texts, the same order both ways.
  std::string values = "SELECT 2";
  for (int i = 0; i < 40; ++i) values += i % 3 ? " UNION ALL SELECT " + std::to_string(i * 7 % 23) : " UNION ALL SELECT '1z" + std::to_string(i) + "'";
  ASSERT_TRUE(db->GetData(values));
  auto mixed = db->GetRecordSet();
  auto up = mixed->Sorted("1 ASC"), down = mixed->Sorted("1 DESC");
  ASSERT_EQ(up->RowCount(), 41);
  EXPECT_EQ(up->Value(0, 0) + "," + up->Value(40, 0) + "," + down->Value(0, 0) + "," + down->Value(40, 0), "0,1z9,1z9,0");
}
