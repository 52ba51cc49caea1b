/** @file RepairsTest.cpp The one-time repairs: run once per settings file, and repair 3 spares the job under way and needs nothing to clear. */
#include <gtest/gtest.h>

#include "mainscreen/Repairs.h"
#include "sim/IniSettings.h"
#include "support/FreshGameDb.h"

namespace {

class RepairsTest : public FreshGameDb {
 protected:
  void RunAll() {
    mainscreen::Check1(*db, settings);
    mainscreen::Check2(*db, settings);
    mainscreen::Check3(*db, settings);
  }
  void Damage() {
    ASSERT_TRUE(db->Excute("UPDATE area SET Development=3 WHERE Name='王宮'"));
    ASSERT_TRUE(db->Excute("UPDATE construct SET Succession='x' WHERE Name='頼りになる建設場'"));
    ASSERT_TRUE(db->Excute("UPDATE construction SET Work=40,[Update]='y' WHERE ID IN (3,4)"));
  }
  std::string State() {
    return Value("SELECT Development FROM area WHERE Name='王宮'") + "|" +
           Value("SELECT Succession FROM construct WHERE Name='頼りになる建設場'") + "|" +
           Value("SELECT Work||[Update] FROM construction WHERE ID=3") + "|" +
           Value("SELECT Work||[Update] FROM construction WHERE ID=4");
  }
  sim::MemorySettings settings;
};

TEST_F(RepairsTest, FirstStartRunsAllThreeAndSparesTheJobUnderWaySecondStartRunsNone) {
  // Repair 3 with nothing to clear still marks itself done.
  settings.Set("Check3", "False");
  mainscreen::Check3(*db, settings);
  EXPECT_EQ(settings.Get("Check3") + Value("SELECT COUNT(*) FROM construction WHERE [Update]<>''"), "True0");

  settings.Set("Check1", "False");
  settings.Set("Check2", "False");
  settings.Set("Check3", "False");
  Damage();
  ASSERT_TRUE(db->Excute("UPDATE home SET Construction=4"));
  RunAll();
  EXPECT_EQ(State(), "10|すこし頼れる建設場|0|40y");
  EXPECT_EQ(settings.Get("Check1") + settings.Get("Check2") + settings.Get("Check3"), "TrueTrueTrue");

  Damage();
  RunAll();
  EXPECT_EQ(State(), "3|x|40y|40y");
}

// Repair 3 clears work only where it knows which job is under way and which row it names: a job
// that cannot be read clears nothing and waits for a later start; a row whose ID is no whole
// number is left alone.
TEST_F(RepairsTest, RepairThreeTouchesNoRowItCannotName) {
  settings.Set("Check3", "False");
  Damage();
  ASSERT_TRUE(db->Excute("UPDATE home SET Construction=2147483648"));
  mainscreen::Check3(*db, settings);
  EXPECT_EQ(State() + settings.Get("Check3"), "3|x|40y|40yFalse");

  ASSERT_TRUE(db->Excute("UPDATE home SET Construction=4"));
  ASSERT_TRUE(db->Excute("UPDATE construction SET ID='3 OR 1=1' WHERE ID=3"));
  mainscreen::Check3(*db, settings);
  EXPECT_EQ(Value("SELECT Work||[Update] FROM construction WHERE ID='3 OR 1=1'") + "|" +
                Value("SELECT Work||[Update] FROM construction WHERE ID=4") + "|" + settings.Get("Check3"),
            "40y|40y|True");
}

}  // namespace
