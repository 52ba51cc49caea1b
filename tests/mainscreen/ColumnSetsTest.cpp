/** @file ColumnSetsTest.cpp Every column set against the real list queries that are shown with it. */
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "mainscreen/ColumnSets.h"
#include "runtime/Convert.h"
#include "support/FreshGameDb.h"

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

struct Listing {
  ColumnSetId set;
  int shownColumns;
  std::string sql;
};

// Each list of the game with the set and the number of columns it is shown with; of lists that
// select the same columns (a warehouse and a research list) one stands for all.
const std::vector<Listing> kListings = {
    {ColumnSetId::ContinueItem, 3, "SELECT Item,Amount,Count FROM continueitem WHERE Type='購入'"},
    {ColumnSetId::Workplace, 2,
     "SELECT construction.Name,construction.NofProduction FROM construction WHERE Area='中央市街'"},
    {ColumnSetId::TradeData, 3, "SELECT Type,Item,Amount FROM tradedata WHERE Nation='x'"},
    {ColumnSetId::TradePartner, 3,
     "SELECT trade.Nation,trade.Count,friendship.Name FROM trade,country,friendship WHERE "
     "trade.Nation=country.Nation AND country.Friendship BETWEEN Minimum AND Maximum"},
    {ColumnSetId::ItemSell, 3,
     "SELECT DISTINCT item.Name,itemdata.Storage,ROUND(item.Price*(0.5+itemdata.DecreaseWeek*0.04),0),Category,"
     "Power,Weight,Effect,Tips FROM itemdata,synthesisitem,item WHERE itemdata.Name = synthesisitem.Name And "
     "itemdata.Name = item.Name And item.Production<>0 AND item.Value<=2 AND Synthesis=True ORDER BY 3 DESC"},
    {ColumnSetId::TradeGoods, 4,
     "SELECT item.Name,ROUND(item.Price*(0.5+itemdata.DecreaseWeek*0.04)*(tradecategory.Coefficient/10),0),"
     "itemdata.Storage,item.Weight,item.Category,Power,Effect,Tips FROM item,itemdata,tradecategory WHERE "
     "item.Name=itemdata.Name AND itemdata.Storage>0 AND item.TofFlag=TRUE AND tradecategory.Category=item.Class "
     "ORDER BY 2 DESC"},
    {ColumnSetId::TradeGoods, 4,
     "SELECT tradeitem.Item,tradeitem.Price,ROUND(1000*1.0/(item.Value*20),0),item.Weight,Category,Power,Effect,Tips "
     "FROM item,tradeitem WHERE item.Name=tradeitem.Item ORDER BY 2 ASC"},
    {ColumnSetId::Nation, 1,
     "SELECT Nation,friendship.Name,Tips FROM country,friendship WHERE country.Friendship BETWEEN Minimum AND "
     "Maximum AND Acquaintance=TRUE AND country.Nation NOT IN (SELECT Nation FROM trade)"},
    {ColumnSetId::ItemResearch, 7,
     "SELECT itemdata.Name,itemdata.Storage,item.Class,item.Category,itemdata.ItemLevel,"
     "ROUND(itemdata.Research*1.0/(itemdata.ItemLevel+1),0),Open,Weight,Power,Effect,Tips,"
     "ROUND(item.Price*(0.5+itemdata.DecreaseWeek*0.04),0) FROM itemdata LEFT JOIN item ON itemdata.Name=item.Name"},
    {ColumnSetId::Area, 5,
     "SELECT area.Name, area.AreaLevel, ROUND(area.Research*1.0/(area.AreaLevel+1),0), area.Development, "
     "COUNT(construction.Area), area.Type,area.Tips FROM area LEFT JOIN construction ON area.Name=construction.Area "
     "WHERE area.Open=TRUE GROUP BY area.Name, area.AreaLevel, Research*1.0/(area.AreaLevel+1), area.Development, "
     "area.Type,area.Tips ORDER BY area.AreaLevel DESC"},
    {ColumnSetId::Construct, 4,
     "SELECT construct.Name,construct.Land,construct.Price,construct.Men ,construct.Work FROM construct WHERE "
     "construct.Open=TRUE AND construct.Area='平原'"},
    {ColumnSetId::AreaBuilding, 4,
     "SELECT DISTINCT construction.Area,construction.Name,construct.Land,construct.Men,construction.ID FROM "
     "construction, construct, construct N, area WHERE construction.Name=construct.Name And N.Open=True And "
     "construction.Name=N.Succession And area.Name=construction.Area And area.Development>=(N.Land-construct.Land) "
     "AND construction.Work=0 ORDER BY construction.ID"},
    {ColumnSetId::ItemValue, 4,
     "SELECT DISTINCT itemdata.Name,itemdata.Storage,item.Value,ROUND(item.Price*(1+itemdata.DecreaseWeek*0.06),0) "
     ",Weight,Power,Effect,Tips,Category FROM itemdata,item WHERE itemdata.Name=item.Name AND itemdata.Open='公開' "
     "AND item.Price>0 AND itemdata.Name NOT IN (SELECT nest.Treasure FROM nest) ORDER BY 3 DESC"},
    {ColumnSetId::ItemValue, 4,
     "SELECT item.Name,itemdata.Storage,item.Value,ROUND(item.Price*(0.5+itemdata.DecreaseWeek*0.04),0),Weight,Power,"
     "Effect,Tips,Category  FROM item,itemdata WHERE item.Name=itemdata.Name AND itemdata.Storage>0 AND item.Price>0"},
    {ColumnSetId::Product, 1,
     "SELECT DISTINCT(grain.Name) FROM grain,construct,construction,area,itemdata WHERE "
     "construct.Name=construction.Name AND construct.Area=area.Type AND area.Name=construction.Area AND "
     "grain.Type=construct.Type AND itemdata.Name=grain.Name"},
    {ColumnSetId::UnitClass, 1, "SELECT NameJ FROM class"},
    {ColumnSetId::Equipment, 5,
     "SELECT item.Name,Category,Power,Weight,Storage,Effect,Tips FROM item,itemdata WHERE item.Name=itemdata.Name "
     "AND itemdata.Storage>0 ORDER BY 3 DESC"},
    {ColumnSetId::NestRoute, 3,
     "SELECT Name,Coefficient,Distance,Times,Treasure FROM nest WHERE NOT EXISTS (SELECT * FROM unit WHERE "
     "unit.RootName=nest.Name) AND Open=True  ORDER BY Distance,Coefficient"},
    {ColumnSetId::BuildingStaff, 4,
     "SELECT construction.Name,construct.Land,construct.Men,construction.NofProduction,ID,construct.Type FROM "
     "construct,construction,area WHERE construct.Name=construction.Name AND construction.Area='中央市街' AND "
     "area.Name=construction.Area AND construct.Area=area.Type"},
    {ColumnSetId::Production, 5,
     "SELECT construction.Name,worker.OccupationJ,construction.NofProduction,construct.Men,construction.Product,"
     "construction.ID,construction.StartWeek,construct.Type FROM construct,construction,worker,area WHERE "
     "worker.OccupationE=construct.Occupation AND construction.Name=construct.Name AND construct.Men>0 AND "
     "(construction.Work=0 OR construction.[Update]<>'') AND construction.Area='リュシーレ平原' AND "
     "area.Name=construction.Area AND construct.Area=area.Type AND construct.Occupation IN ('producer','Engineer')"},
};

class ColumnSetsTest : public FreshGameDb {};

// A click on any title sorts the column under it, and every bar column holds whole numbers.
TEST_F(ColumnSetsTest, EveryTitleSortsItsOwnColumnOfTheRealQuery) {
  std::set<ColumnSetId> covered;
  for (const Listing& list : kListings) {
    SCOPED_TRACE(std::string(mainscreen::ColumnSetName(list.set)) + ": " + list.sql);
    ASSERT_TRUE(db->GetData(list.sql)) << db->GetErrMSG();
    const auto rs = db->GetRecordSet();
    ASSERT_TRUE(rs);
    const auto columns = mainscreen::ColumnSet(list.set);
    ASSERT_EQ(static_cast<int>(columns.size()), list.shownColumns);
    ASSERT_GE(rs->FieldCount(), list.shownColumns);
    for (const auto& col : columns) {
      const int shown = static_cast<int>(rt::Val(col.Key.substr(3))) - 1;
      EXPECT_EQ(SortColumn(*rs, col.FieldName, shown), shown) << col.Name << " sorts by " << col.FieldName;
      if (col.TextAlign != 3) continue;
      for (long r = 0; r < rs->RowCount(); ++r) {
        const std::string& v = rs->Value(r, shown);
        EXPECT_TRUE(v.empty() || v.find_first_not_of("0123456789") == std::string::npos)
            << col.Name << " row " << r << " holds " << v;
      }
    }
    covered.insert(list.set);
  }
  EXPECT_EQ(covered.size(), static_cast<size_t>(mainscreen::kColumnSetCount));
}

}  // namespace
