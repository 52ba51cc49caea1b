/** @file ColumnSetsTest.cpp Every column set against the lists the commands and the formation really show with it. */
#include <set>

#include "../commands/CommandFixture.h"
#include "army/UnitFormation.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "mainscreen/ColumnSets.h"
#include "mainscreen/CommandHostAdapter.h"
#include "runtime/Convert.h"
#include "sim/People.h"
#include "sim/TurnLog.h"

using mainscreen::ColumnSetId;

namespace {

// The column a click on a title sorts: a field of that name, else a 1-based position, else the
// clicked column itself (what the grid does with a name its query does not select).
int SortColumn(const RecordSet& rs, std::string_view field, int shown) {
  if (int i = rs.FieldIndex(field); i >= 0) return i;
  if (rt::IsNumeric(field)) {
    const int pos = static_cast<int>(rt::Val(field));
    if (pos >= 1 && pos <= rs.FieldCount()) return pos - 1;
  }
  return shown;
}

struct Shown {
  ColumnSetId set;
  int columns;
  std::shared_ptr<RecordSet> rows;
};

// The formation's window: every list it is given, with the set the window shows it under.
struct FormationLists : army::IFormationHost {
  FormationLists() { army::WriteSlotLabels(unit); }
  sim::IView& UnitView() override { return unit; }
  void ShowList(army::FormationGrid, army::FormationColumns c, int, int, int, int,
                std::shared_ptr<RecordSet> rows) override {
    const ColumnSetId set = c == army::FormationColumns::NestRoute   ? ColumnSetId::NestRoute
                            : c == army::FormationColumns::UnitClass ? ColumnSetId::UnitClass
                                                                     : ColumnSetId::Equipment;
    shown.push_back({set, static_cast<int>(mainscreen::ColumnSet(set).size()), rows});
  }
  void HideList(army::FormationGrid) override {}
  void ShowSlider(int, int, int, int, int32_t, const std::string&) override {}
  int32_t SliderValue() override { return 0; }
  void ShowCountButton(const std::string&) override {}
  void HideCommandPanel(const std::string&, bool) override {}
  fake::FakeView unit;
  std::vector<Shown> shown;
};

class ColumnSetsTest : public cmdtest::CommandTest {
 protected:
  // What the panel's lists hold after a step.
  void Keep() {
    for (const auto& [id, grid] : host.grids)
      if (grid.data) shown.push_back({mainscreen::CommandHostAdapter::SetOf(grid.set), grid.shownCols, grid.data});
  }
  void Step(const std::string& word) {
    ASSERT_TRUE(Menu(word)) << word;
    Keep();
  }
  void Pick(cmd::GridId id, const std::string& value) {
    CommandTest::Pick(id, 0, value);
    Keep();
  }
  std::vector<Shown> shown;
};

// A click on any title sorts the column under it, and every bar column holds whole numbers.
TEST_F(ColumnSetsTest, EveryTitleSortsItsOwnColumnOfTheListsShownWithIt) {
  using cmd::GridId;
  Exec("INSERT INTO continueitem(ID,Item,Type,Amount,Count) VALUES(1,'布','購入',2,3)");
  Exec("UPDATE itemdata SET Storage=9,Open='非公開' WHERE Name='羊肉'");
  for (const char* word : {"倉庫", "研究", "公開", "売却", "供給", "購入", "探索"}) Step(word);
  Step("建設");
  Pick(GridId::GGMain, "リュシーレ平原");
  Step("解体");
  Pick(GridId::GGMain, "中央市街");
  Step("配分");
  Pick(GridId::GGMain, "中央市街");
  Pick(GridId::GGSub1, "小さな工房");
  Pick(GridId::GGMain, "リュシーレ平原");
  Pick(GridId::GGSub1, "小さな畑");
  sim::TurnLog log;
  sim::TurnEnd_ConstructCondition(week, "建て直した兵舎", 0, 0, 0, 0, "ボロボロの兵舎", 1, "Name", log);
  Step("改修");

  Exec("INSERT INTO construction VALUES(20,'木製の桟橋','中央市街','',0,0,0,'')");
  Exec("UPDATE country SET Acquaintance=True WHERE Nation='カルセーダス王国'");
  Step("開始");
  Pick(GridId::GGSub1, "カルセーダス王国");
  for (int16_t side : {1, 5}) {
    cmd::GVTrade_Click(c, 2, side);
    Keep();
  }
  Exec("INSERT INTO trade VALUES('アードラー共和国',4,1)");
  Exec("INSERT INTO tradedata VALUES('アードラー共和国','輸出','布',5)");
  Step("中止");
  Pick(GridId::GGSub1, "アードラー共和国");

  clsBattle battle;
  clsMngUnitItems remembered;
  FormationLists lists;
  army::clsUnitFormation formation(week, lists, battle, remembered);
  Exec("UPDATE nest SET Open=True WHERE Name='ゴブリンの巣'");
  ASSERT_TRUE(formation.ShowNestList("討伐"));
  formation.ShowStandardEquipment({"セイバー"});
  formation.GVUnit_Click(2, 2);
  shown.insert(shown.end(), lists.shown.begin(), lists.shown.end());

  std::set<ColumnSetId> covered;
  for (const Shown& list : shown) {
    SCOPED_TRACE(mainscreen::ColumnSetName(list.set));
    const RecordSet& rs = *list.rows;
    const auto columns = mainscreen::ColumnSet(list.set);
    ASSERT_EQ(static_cast<int>(columns.size()), list.columns);
    ASSERT_GE(rs.FieldCount(), list.columns);
    for (const auto& col : columns) {
      const int shownAt = static_cast<int>(rt::Val(col.Key.substr(3))) - 1;
      EXPECT_EQ(SortColumn(rs, col.FieldName, shownAt), shownAt) << col.Name << " sorts by " << col.FieldName;
      if (col.TextAlign != 3) continue;
      for (long r = 0; r < rs.RowCount(); ++r) {
        const std::string& v = rs.Value(r, shownAt);
        EXPECT_TRUE(v.empty() || v.find_first_not_of("0123456789") == std::string::npos)
            << col.Name << " row " << r << " holds " << v;
      }
    }
    covered.insert(list.set);
  }
  EXPECT_EQ(covered.size(), static_cast<size_t>(mainscreen::kColumnSetCount));
}

}  // namespace
