/** @file NewFieldTest.cpp A new game played through the land commands and the week: a field is built, staffed with a crop, and harvested. */
#include "CommandFixture.h"
#include "sim/TurnEnd.h"

namespace cmdtest {
namespace {

class NewFieldTest : public CommandTest {
 protected:
  // 配分 of a building of リュシーレ平原: its staff and product, committed.
  void Allot(const std::string& id, int32_t staff, const std::string& product) {
    ASSERT_TRUE(Menu("配分"));
    Pick(GridId::GGMain, 0, "リュシーレ平原");
    Pick(GridId::GGSub1, 5, id);
    bool accept = true;
    cmd::PSMain_ValueChenge(c, staff, accept);
    ASSERT_TRUE(accept) << staff << " workers for building " << id;
    host.slider.value = staff;
    if (!product.empty()) Pick(GridId::GGSub2, 0, product);
    cmd::GLExcute_Click(c);
    form.mCommand.clear();
  }
};

TEST_F(NewFieldTest, ABuiltFieldStaffedWithACropIsHarvested) {
  ASSERT_TRUE(Menu("建設"));
  Pick(GridId::GGMain, 0, "リュシーレ平原");
  Answer({sim::kAnsYes});
  Pick(GridId::GGSub1, 0, "小さな畑");
  form.mCommand.clear();
  ASSERT_EQ(Value("SELECT Name||'/'||Work FROM construction WHERE ID=8"), "小さな畑/40");

  int weeks = 0;
  while (Value("SELECT Work FROM construction WHERE ID=8") != "0" && weeks < 10) {
    sim::TurnEnd(week);
    ++weeks;
  }
  ASSERT_EQ(weeks, 4) << "40 work at 11 a week";
  EXPECT_NE(state.lastTurnLog.find("小さな畑が完成しました"), std::string::npos);

  // Every producer works: the old field gives up 20 for the new one.
  Allot("3", 30, "");
  Allot("8", 20, "貧しい麦");
  EXPECT_EQ(Value("SELECT NofProduction||'/'||Product||'/'||StartWeek FROM construction WHERE ID=8"),
            "20/貧しい麦/" + std::to_string(state.mTurn));
  const std::string harvest = "リュシーレ平原の小さな畑で\r\n小麦を240個生産しました";
  for (weeks = 0; weeks < 4 && state.lastTurnLog.find(harvest) == std::string::npos; ++weeks) sim::TurnEnd(week);
  EXPECT_EQ(weeks, 4) << "a crop of cycle 4 is harvested four weeks after it was chosen";
  EXPECT_NE(state.lastTurnLog.find(harvest), std::string::npos) << state.lastTurnLog;
}

}  // namespace
}  // namespace cmdtest
