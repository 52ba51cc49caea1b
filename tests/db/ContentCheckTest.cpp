/** @file ContentCheckTest.cpp Checks the shipped catalogue against the rules the game puts on it. */
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/FreshGameDb.h"

namespace {

using Row = std::vector<std::string>;
using Names = std::set<std::string>;

const Names kOccupations = {"Producer", "Merchant", "Engineer", "Constructor", "Soldier"};
const Names kUnstaffed = {"Resident", "Palace", "Facility"};
const Names kClasses = {"セイバー", "ランサー", "ライダー", "アーチャー"};
const Names kRaces = {"ゾンビ", "悪魔", "蛇", "獣", "獣人", "植物", "水棲", "鳥", "無機", "幽霊", "妖精", "両棲"};
const Names kStatuses = {"毒", "猛毒", "暗闇", "睡眠", "麻痺", "混乱", "魅了"};
const Names kElements = {"炎", "氷", "雷"};
const Names kOres = {"ミスリル", "銅", "鉄"};

// Kinds, areas, nests and nations that the weekly steps, commands and the reset name.
const Names kNamedKinds = {
    "頼りない建設場", "小規模商店街", "小さな畑", "小さな牧場", "小さな工房", "小さな住宅地", "ぼろぼろの兵舎",
    "ボロボロの兵舎", "みすぼらしい王宮", "限られた畑", "見渡す限りの畑", "みすぼらしい伐採所", "しっかりした伐採所",
    "丈夫な伐採所", "中くらいの住宅地", "大規模な住宅地", "機能的な兵舎", "建て直した兵舎", "威風堂々とした兵舎",
    "中規模商店街", "大規模商店街", "細い坑道", "トロッコが通る坑道", "迷路のような坑道", "一人前の雑貨工房", "一人前の防具工房",
    "一人前の武器工房", "立派な武器工房", "立派な防具工房", "立派な雑貨工房", "すこし頼れる建設場", "頼りになる建設場",
    "みすぼらしい採取小屋", "しっかりした採取小屋", "利便性のいい採取小屋", "木製の桟橋", "鉄製の桟橋", "貿易港",
    "小さな水田", "限られた水田", "見渡す限りの水田", "ひなびた漁港", "人の絶えない漁港", "活気のある漁港",
    "のんびり歩ける牧場", "見渡す限りの牧場", "質素な王宮", "なかなかの王宮", "きらびやかな王宮", "豪華絢爛な王宮"};
const std::map<std::string, Names> kFacilities = {
    {"学校", {"寺子屋", "建設訓練所", "一般商人養成所", "生産訓練所", "技術訓練所", "兵士訓練所", "エリート商人養成所",
              "高度技術訓練所", "練兵場", "高度生産研究所", "高度建設訓練所"}},
    {"教会", {"寂れた教会", "鐘が鳴り響く聖堂", "荘厳な大聖堂"}},
    {"病院", {"街外れの診療所", "設備の整った医院", "信頼される大病院"}}};
const Names kWorkshops = {"小さな工房", "一人前の雑貨工房", "一人前の防具工房", "一人前の武器工房",
                          "立派な武器工房", "立派な防具工房", "立派な雑貨工房"};
const Names kPalaces = {"みすぼらしい王宮", "質素な王宮", "なかなかの王宮", "きらびやかな王宮", "豪華絢爛な王宮"};
const Names kStartItems = {"木弓", "布の服", "木刀", "木の槍", "布", "羊毛", "木の矢", "貧しい麦", "貧弱羊", "木材", "羊肉", "小麦"};
const Names kRices = {"貧しい稲", "普通の稲", "餓死知らずの稲"};
const std::map<std::string, std::string> kGifts = {
    {"アロイス王国", "貧しい稲"}, {"ポプン王国", "貧弱豚"}, {"ヤマナコ公国", "貧弱牛"}};

// Where exploration and the district offers lead: area -> areas it reveals.
const std::multimap<std::string, std::string> kAreaRoutes = {
    {"リュシーレ平原", "レディクスの森"}, {"リュシーレ平原", "ルイン平原"}, {"リュシーレ平原", "ソールズ平原"},
    {"レディクスの森", "ソリート丘陵"}, {"ルイン平原", "ナハムルト海岸"}, {"ソールズ平原", "ダンプリー丘陵"},
    {"ソリート丘陵", "レンテン山"}, {"ダンプリー丘陵", "ウーリーの森"}, {"ウーリーの森", "バシュラール山"},
    {"中央市街", "東市街"}, {"東市街", "西市街"}, {"西市街", "北市街"}, {"北市街", "南市街"}};
const Names kStartAreas = {"王宮", "中央市街", "リュシーレ平原"};
const Names kNests = {
    "ゴブリンの巣", "湿った洞窟", "妖しく蠢く森", "森に隠れた屋敷", "森深くにある巣", "崩れた屋敷", "ミスリルの坑道",
    "唸り声が響く洞窟", "平原深くにある巣", "赤の洞窟", "獣人族の巣", "絶壁の細道", "グレムリンの巣", "海岸線の洞窟",
    "鉄の坑道", "魔術師の前庭", "屋敷の地下室", "銅の坑道", "錆びた坑道", "銀の迷宮", "河口付近の巣", "海神が住む洞窟",
    "腐臭のする沼", "魔術師の塔下層", "魔術師の塔中層", "魔術師の塔上層", "魔術師の神殿", "虹色の湖"};
const Names kNations = {"カルセーダス王国", "アードラー共和国", "ポプン王国", "ルバイ共和国", "アロイス王国", "バイクーゼ王国",
                        "ホーフェン共和国", "ルリエン公国", "デザランス王国", "ヤマナコ公国", "シラリエ王国"};

int Int(const std::string& text) { return text.empty() ? 0 : static_cast<int>(std::lround(std::stod(text))); }
bool True(const std::string& text) { return text == "True"; }
bool In(const std::string& text, int lo, int hi) { return Int(text) >= lo && Int(text) <= hi; }

std::vector<std::string> Split(const std::string& text, const std::string& sep) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t at; (at = text.find(sep, start)) != std::string::npos; start = at + sep.size())
    out.push_back(text.substr(start, at - start));
  out.push_back(text.substr(start));
  return out;
}

bool IsInteger(const std::string& text) {
  size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
  return i < text.size() && std::all_of(text.begin() + i, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

enum class Reader { Attack, Defence, Accessory, Consumable };

// Why an effect string is wrong for its reader, or "" when every pair is one the reader knows.
std::string EffectFault(const std::string& effect, Reader reader) {
  if (effect.empty()) return "";
  const auto parts = Split(effect, ":");
  if (parts.size() % 2 != 0) return "a word without a value";
  Names seen;
  for (size_t i = 0; i < parts.size(); i += 2) {
    const std::string& word = parts[i];
    const std::string& value = parts[i + 1];
    bool elementValue = false, anyValue = false, known = false;
    switch (reader) {
      case Reader::Attack:
        elementValue = word == "属性" || word == "特殊";
        anyValue = word == "退却";
        known = elementValue || anyValue || kStatuses.count(word) || kRaces.count(word) ||
                word == "速度" || word == "体力" || word == "疲労" || word == "遠距離";
        break;
      case Reader::Defence:
        elementValue = word == "属性" || word == "耐性";
        anyValue = word == "退却" || word == "万能";
        known = elementValue || anyValue || word == "速度" || (kStatuses.count(word) && word != "魅了");
        break;
      case Reader::Accessory:
        anyValue = word == "万能";
        known = anyValue || kRaces.count(word) || kStatuses.count(word) || word == "速度";
        break;
      case Reader::Consumable:
        anyValue = word == "万能";
        known = anyValue || kStatuses.count(word) || word == "体力" || word == "疲労" || word == "軽傷" ||
                word == "重傷" || word == "死者";
        if (!seen.insert(word).second) return "the word " + word + " twice";
        break;
    }
    if (!known) return "the word " + word + " is not read here";
    if (elementValue && !kElements.count(value)) return word + " needs 炎 氷 or 雷";
    if (!elementValue && !anyValue && !IsInteger(value)) return word + " needs a whole number";
    // Only a pace may be slowed; a negative power, bonus or cure breaks the battle's figures.
    if (!elementValue && !anyValue && value[0] == '-' && word != "速度") return word + " is negative";
  }
  if (reader == Reader::Consumable && seen.count("万能"))
    for (const auto& s : kStatuses)
      if (seen.count(s)) return "a status beside 万能";
  return "";
}

class ContentCheckTest : public FreshGameDb {
 protected:
  std::vector<Row> Table(std::string_view sql) {
    std::vector<Row> rows;
    EXPECT_TRUE(db->GetData(sql)) << sql;
    auto rs = db->GetRecordSet();
    if (rs)
      for (long r = 0; r < rs->RowCount(); ++r) rows.push_back(rs->Row(r));
    return rows;
  }
  /// Field 0 of the first row as a number, 0 when there is no row.
  int One(const std::string& sql) {
    auto rows = Table(sql);
    return rows.empty() ? 0 : Int(rows[0].at(0));
  }
  Names Column(std::string_view sql) {
    Names out;
    for (const auto& row : Table(sql)) out.insert(row.at(0));
    return out;
  }
};

TEST_F(ContentCheckTest, NamedRowsExistOnceWithTheirRoles) {
  const Names kinds = Column("SELECT Name FROM construct");
  for (const auto& name : kNamedKinds) EXPECT_TRUE(kinds.count(name)) << "construct " << name << " is missing";
  for (const auto& [type, names] : kFacilities)
    for (const auto& name : names) {
      EXPECT_EQ(Table("SELECT Type FROM construct WHERE Name='" + name + "' AND Type='" + type + "'").size(), 1u)
          << "facility " << name << " needs exactly one row of type " << type;
    }
  EXPECT_EQ(Column("SELECT Name FROM construct WHERE Occupation='Engineer'"), kWorkshops)
      << "an engineers' building outside the seven workshops gets no product list";
  EXPECT_EQ(Column("SELECT Name FROM construct WHERE Area='王宮'"), kPalaces);
  // The basic barracks: one kind opened by the reset, one built by it, the same in all but name.
  EXPECT_EQ(Table("SELECT DISTINCT Type,Area,Land,Price,Men,Work,Occupation,Succession FROM construct "
                  "WHERE Name IN ('ぼろぼろの兵舎','ボロボロの兵舎')").size(), 1u);
  EXPECT_EQ(Column("SELECT Succession FROM construct WHERE Name='頼りになる建設場'"), Names{"すこし頼れる建設場"})
      << "the one-time repair of the yard must change nothing";

  EXPECT_EQ(Column("SELECT Type FROM area WHERE Name IN ('東市街','西市街','北市街','南市街')"),
            Column("SELECT Type FROM area WHERE Name='中央市街'"));
  EXPECT_EQ(Column("SELECT Name||'/'||Type FROM area WHERE Name='王宮' OR Type='王宮'"), Names{"王宮/王宮"});
  EXPECT_EQ(Column("SELECT Name FROM nest"), kNests);
  EXPECT_EQ(Column("SELECT Nation FROM country"), kNations);
  EXPECT_EQ(Column("SELECT NameJ FROM class"), kClasses);
  EXPECT_EQ(Column("SELECT OccupationE FROM worker"), kOccupations);
  const Names items = Column("SELECT Name FROM item");
  Names named = kStartItems;
  named.insert({"貧しい稲", "普通の稲", "餓死知らずの稲", "貧弱豚", "貧弱牛", "ミスリル", "銅", "鉄"});
  for (const auto& name : named) EXPECT_TRUE(items.count(name)) << "item " << name << " is missing";
  for (const auto& name : kOres)
    EXPECT_EQ(Table("SELECT * FROM areaitem WHERE Name='" + name + "' AND Type='坑道'").size(), 1u) << name;
  EXPECT_EQ(Column("SELECT Name FROM item WHERE Name IN ('お金','生産解除')").size(), 0u) << "reserved words as items";
}

TEST_F(ContentCheckTest, BuildingsJoinTheirAreasAndSuccessors) {
  const Names areaTypes = Column("SELECT Type FROM area");
  for (const auto& row : Table("SELECT Name,Area,Type,Occupation,Men,Land,Work,Price,Succession FROM construct")) {
    const std::string& name = row[0];
    EXPECT_TRUE(areaTypes.count(row[1])) << "construct " << name << " stands on no area type " << row[1];
    EXPECT_TRUE(kOccupations.count(row[3]) || kUnstaffed.count(row[3])) << "construct " << name << " occupation";
    const bool staffed = kOccupations.count(row[3]) > 0;
    EXPECT_EQ(staffed || row[2] == "住宅地", Int(row[4]) > 0) << "construct " << name << ": Men against its use";
    EXPECT_EQ(row[3] == "Resident", row[2] == "住宅地") << "construct " << name;
    EXPECT_TRUE(In(row[5], 1, 32767) && In(row[6], 1, 32767) && Int(row[7]) <= 32767 && Int(row[4]) <= 32767)
        << "construct " << name << " Land, Work, Price or Men";
    if (!row[8].empty()) {
      // The successor must stand where its predecessor stands and need no less land.
      auto pred = Table("SELECT Land FROM construct WHERE Name='" + row[8] + "' AND Area='" + row[1] + "'");
      ASSERT_EQ(pred.size(), 1u) << "construct " << name << " succeeds " << row[8] << " on no " << row[1];
      EXPECT_GE(Int(row[5]), Int(pred[0][0])) << "construct " << name << " needs less land than " << row[8];
    }
  }
  EXPECT_EQ(Table("SELECT Name,Area FROM construct GROUP BY Name,Area HAVING COUNT(*)>1").size(), 0u);
  // Kinds on several area types: several statements read them by name alone.
  for (const auto& row : Table("SELECT Name FROM construct GROUP BY Name HAVING COUNT(DISTINCT Type||'/'||Land||'/'||Price"
                               "||'/'||Men||'/'||Work||'/'||Occupation||'/'||Succession)>1"))
    ADD_FAILURE() << "construct " << row[0] << ": its rows differ in more than the area";
  for (const auto& row : Table("SELECT Name,Type,Occupation FROM construct GROUP BY Name HAVING COUNT(*)>1"))
    EXPECT_TRUE(row[2] == "Producer" && row[1] != "桟橋") << "construct " << row[0] << " must have one row";
  for (const auto& row : Table("SELECT Name,Land FROM construct WHERE Type IN ('桟橋','教会','病院')"))
    EXPECT_TRUE(In(row[1], 1, 3)) << "construct " << row[0] << " level (Land) 1 to 3";

  // The reset's buildings, and every other standing building, must find their kind.
  for (const auto& row : Table("SELECT construction.Name,construction.Area,"
                               "(SELECT COUNT(*) FROM construct,area WHERE construct.Name=construction.Name "
                               "AND area.Name=construction.Area AND construct.Area=area.Type) FROM construction"))
    EXPECT_EQ(row[2], "1") << "building " << row[0] << " in " << row[1] << " does not join its kind";

  for (const auto& row : Table("SELECT Name,Area,Type,Level FROM areaitem")) {
    EXPECT_TRUE(Column("SELECT Name FROM area WHERE Name='" + row[1] + "'").size() == 1 && In(row[3], 1, 10) &&
                (row[2] == "採取小屋" || row[2] == "坑道" || row[2] == "伐採所")) << "areaitem " << row[0];
    EXPECT_GE(Table("SELECT * FROM construct,area WHERE area.Name='" + row[1] + "' AND construct.Area=area.Type "
                    "AND construct.Type='" + row[2] + "'").size(), 1u)
        << "areaitem " << row[0] << ": nothing can be built in " << row[1] << " to work it";
  }
  EXPECT_EQ(Table("SELECT Name FROM areaitem GROUP BY Name HAVING COUNT(*)>1").size(), 0u)
      << "finding a resource opens every row of its name";
  EXPECT_EQ(Column("SELECT Name FROM construct WHERE Area='山'").size(), 0u) << "mountains are never built on";
  for (const auto& row : Table("SELECT Name FROM area WHERE Type IN ('山','市街','王宮')"))
    EXPECT_EQ(Table("SELECT * FROM areaitem WHERE Area='" + row[0] + "'").size(), 0u) << "area " << row[0];
}

TEST_F(ContentCheckTest, ItemsRecipesAndFarmsAreConsistent) {
  const Names items = Column("SELECT Name FROM item");
  for (const auto& row : Table("SELECT Name,Class,Category,Power,Weight,Effect,Price,Value,Production,TofFlag FROM item")) {
    const std::string& name = row[0];
    const std::string& cls = row[1];
    const std::string& cat = row[2];
    EXPECT_TRUE(In(row[6], 0, 14498) && In(row[7], 1, 10) && In(row[3], 0, 32767) && In(row[4], 1, 32767))
        << "item " << name << " Price, Value, Power or Weight";
    std::string fault;
    if (cls == "武器") {
      EXPECT_TRUE(cat == "剣" || cat == "槍" || cat == "弓" || cat == "矢") << "item " << name << " category";
      fault = EffectFault(row[5], Reader::Attack);
    } else if (cls == "防具") {
      EXPECT_TRUE(cat == "軽鎧" || cat == "重鎧" || cat == "全身鎧") << "item " << name << " category";
      fault = EffectFault(row[5], Reader::Defence);
    } else if (cls == "アクセサリ") {
      EXPECT_TRUE(cat == "兜" || cat == "靴" || cat == "装飾品") << "item " << name << " category";
      fault = EffectFault(row[5], Reader::Accessory);
    } else if (cat == "食料" || cat == "回復薬") {
      fault = EffectFault(row[5], Reader::Consumable);
      EXPECT_FALSE(row[5].empty()) << "consumable " << name << " does nothing";
    } else {
      EXPECT_EQ(row[5], "") << "item " << name << " has an effect no slot reads";
    }
    EXPECT_EQ(fault, "") << "item " << name << " effect " << row[5];
    EXPECT_TRUE(cat != "馬" || Int(row[3]) > 0) << "horse " << name << " speed";
    EXPECT_TRUE(cat != "弓" || row[5].find("遠距離") != std::string::npos) << "bow " << name << " gives no ranged phase";
    EXPECT_TRUE(cls != "食料" || cat == "穀物" || cat == "肉類") << "food " << name << " cannot be supplied";
    EXPECT_TRUE(!True(row[9]) || Int(row[4]) >= 1) << "tradable " << name;
  }

  // Recipes: every ingredient an item, no self-reference, one row per pair; made items can be
  // made in some workshop, bred crops and animals only revealed.
  EXPECT_EQ(Table("SELECT Name,ItemName FROM synthesisitem GROUP BY Name,ItemName HAVING COUNT(*)>1").size(), 0u);
  for (const auto& row : Table("SELECT synthesisitem.Name,ItemName,ItemAmount,ItemLevel,item.Production,item.Class,"
                               "item.Value,item.Category FROM synthesisitem LEFT JOIN item ON item.Name=synthesisitem.Name")) {
    const std::string what = "recipe " + row[0] + " from " + row[1];
    EXPECT_TRUE(items.count(row[0]) && items.count(row[1])) << what << ": not an item";
    EXPECT_NE(row[0], row[1]) << what;
    EXPECT_TRUE(In(row[3], 0, 10)) << what << " level";
    const bool made = Int(row[4]) >= 1;
    EXPECT_EQ(made, Int(row[2]) > 0) << what << ": amount against the product's Production";
    if (made) {
      const int value = Int(row[6]);
      const bool workshop = value <= 2 || row[5] == "製品" || row[5] == "アクセサリ" || row[5] == "武器" ||
                            row[5] == "防具" || row[7] == "兜";
      EXPECT_TRUE(workshop) << what << ": no workshop makes it";
    } else {
      EXPECT_TRUE(row[5] == "作物" || row[5] == "動物") << what << ": a reveal-only recipe breeds crops or animals";
    }
  }
  // Direct products of camps, huts and mines.
  for (const auto& row : Table("SELECT areaitem.Name,item.Production FROM areaitem LEFT JOIN item ON item.Name=areaitem.Name"))
    EXPECT_GE(Int(row[1]), 1) << "areaitem " << row[0] << " yields nothing";

  for (const std::string table : {"grain", "animal"}) {
    for (const auto& row : Table("SELECT " + table + ".Name,Type,Cycle,Fallow,Education,Product,Coefficient,item.Class,"
                                 "item.Production FROM " + table + " LEFT JOIN item ON item.Name=" + table + ".Name")) {
      const std::string what = table + " " + row[0] + " -> " + row[5];
      EXPECT_TRUE(items.count(row[0]) && items.count(row[5])) << what << ": not an item";
      if (table == "grain") {
        EXPECT_TRUE(row[1] == "畑" || row[1] == "水田") << what;
        EXPECT_NE(row[7], "動物") << what;
      } else {
        EXPECT_TRUE(row[1] == "牧場" || row[1] == "港") << what;
        EXPECT_EQ(row[7], "動物") << what;
      }
      EXPECT_EQ(Int(row[8]), 0) << what << ": a raised crop or animal has Production 0";
      EXPECT_TRUE(Int(row[2]) >= 1 && In(row[3], 0, Int(row[2]) - 1) && In(row[4], 0, 100) && Int(row[6]) >= 1)
          << what << " Cycle, Fallow, Education or Coefficient";
    }
  }
  for (const auto& rice : kRices) EXPECT_EQ(Column("SELECT Type FROM grain WHERE Name='" + rice + "'"), Names{"水田"}) << rice;
  for (const auto& name : {"貧弱豚", "貧弱牛"}) EXPECT_EQ(Column(std::string("SELECT Type FROM animal WHERE Name='") + name + "'"), Names{"牧場"}) << name;
  EXPECT_GE(Table("SELECT * FROM animal WHERE Type='港'").size(), 1u);
}

TEST_F(ContentCheckTest, MonstersNestsNationsAndTradeHoldTheirRanges) {
  for (const auto& row : Table("SELECT Name,Race,Class,Attack,Defence,Speed,AttackEffect,DefenceEffect,ImageTable,"
                               "ImageRow,ImageCol FROM monster")) {
    const std::string what = "monster " + row[0];
    EXPECT_TRUE(kRaces.count(row[1]) && kClasses.count(row[2])) << what << " race or class";
    EXPECT_TRUE(In(row[3], 1, 32767) && In(row[4], 1, 32767) && In(row[5], 1, 32767)) << what;
    EXPECT_EQ(EffectFault(row[6], Reader::Attack), "") << what << " attack " << row[6];
    EXPECT_EQ(EffectFault(row[7], Reader::Defence), "") << what << " defence " << row[7];
    EXPECT_TRUE(In(row[8], 1, 4) && Int(row[9]) >= 1 && In(row[10], 1, 4)) << what << " figure";
  }
  for (const auto& row : Table("SELECT Name,AM1,AM2,AM3,Soldier,Coefficient,Distance,Treasure,Times,Open FROM nest")) {
    const std::string what = "nest " + row[0];
    EXPECT_FALSE(row[1].empty()) << what << " has no monster";
    EXPECT_FALSE(row[2].empty() && !row[3].empty()) << what << ": a monster after an empty slot";
    for (int c = 1; c <= 3; ++c)
      EXPECT_TRUE(row[c].empty() || Column("SELECT Name FROM monster WHERE Name='" + row[c] + "'").size() == 1) << what << " " << row[c];
    EXPECT_TRUE(In(row[4], 1, 32767) && Int(row[6]) >= 0) << what << " soldiers or Distance";
    if (!row[7].empty()) {
      EXPECT_GE(Int(row[5]), 1) << what << " Coefficient";
      EXPECT_GE(One("SELECT Weight FROM item WHERE Name='" + row[7] + "'"), 1) << what << " treasure " << row[7];
    }
    EXPECT_EQ(row[8] + row[9], "0False") << what << ": conquered or open at the start";
  }
  // The ores are only worked once the kingdom holds them: a mine's treasure or an import brings them.
  for (const auto& ore : kOres)
    EXPECT_GE(Table("SELECT Name FROM nest WHERE Treasure='" + ore + "' UNION SELECT Item FROM tradeitem WHERE Item='" + ore + "'").size(), 1u) << ore;

  for (const auto& row : Table("SELECT Nation,Distance,Population,Affluence FROM country")) {
    EXPECT_TRUE(Int(row[1]) >= 1 && static_cast<long>(Int(row[3])) * Int(row[2]) / 150 <= 32767L) << "country " << row[0];
  }
  // Friendship bands: every value from -399 to 400 in exactly one band.
  std::map<int, int> cover;
  for (const auto& row : Table("SELECT Name,Minimum,Maximum FROM friendship")) {
    EXPECT_LE(Int(row[1]), Int(row[2])) << "friendship " << row[0];
    for (int f = Int(row[1]); f <= Int(row[2]); ++f) ++cover[f];
  }
  std::string wrong;  // values outside -399..400, or in no band or in two
  for (int f = -500; f <= 500; ++f)
    if (cover[f] != ((f >= -399 && f <= 400) ? 1 : 0)) wrong += " " + std::to_string(f) + "x" + std::to_string(cover[f]);
  EXPECT_EQ(wrong.substr(0, 80), "") << "friendship values and the number of bands they lie in";

  const Names classes = Column("SELECT Class FROM item");
  EXPECT_EQ(Table("SELECT Nation,Category FROM tradecategory GROUP BY Nation,Category HAVING COUNT(*)>1").size(), 0u);
  for (const auto& row : Table("SELECT Nation,Category,Coefficient FROM tradecategory")) {
    EXPECT_TRUE(kNations.count(row[0]) && classes.count(row[1]) && Int(row[2]) >= 1) << "tradecategory " << row[0] << " " << row[1];
  }
  EXPECT_EQ(Table("SELECT Nation,Item FROM tradeitem GROUP BY Nation,Item HAVING COUNT(*)>1").size(), 0u);
  for (const auto& row : Table("SELECT tradeitem.Nation,Item,tradeitem.Price,tradeitem.Friendship,item.Value,item.Weight,"
                               "country.Population FROM tradeitem LEFT JOIN item ON item.Name=tradeitem.Item "
                               "LEFT JOIN country ON country.Nation=tradeitem.Nation")) {
    const std::string what = "tradeitem " + row[0] + " " + row[1];
    EXPECT_TRUE(kNations.count(row[0]) && Int(row[4]) >= 1 && Int(row[5]) >= 1) << what << ": no nation or no item";
    EXPECT_TRUE(In(row[2], 1, 32767) && In(row[3], -399, 400)) << what << " Price or Friendship";
    // A full line: as many as the largest pier carries (200) or the nation supplies.
    const long units = std::min<long>(200 / std::max(1, Int(row[5])), std::lround(Int(row[6]) / (std::max(1, Int(row[4])) * 20.0)));
    EXPECT_LE(units * Int(row[2]), 32767L) << what << ": a full line overflows the trade totals";
  }
}

TEST_F(ContentCheckTest, NamesAreSafeInReportsAndStatements) {
  const char* names[] = {"SELECT Name FROM construct", "SELECT Name FROM area", "SELECT Name FROM item",
                         "SELECT Name FROM nest", "SELECT Name FROM monster", "SELECT Nation FROM country",
                         "SELECT Name FROM friendship", "SELECT Name FROM grain", "SELECT Name FROM animal"};
  for (const char* sql : names)
    for (const auto& name : Column(sql)) {
      EXPECT_FALSE(name.empty()) << sql;
      EXPECT_EQ(name.find_first_of(",:'"), std::string::npos) << "name " << name << " (" << sql << ")";
    }
  for (const auto& name : Column("SELECT Name FROM area WHERE Tips=''")) ADD_FAILURE() << "area " << name << " has no tips";
}

TEST_F(ContentCheckTest, EveryAreaItemAndRiceCanBeReached) {
  // Areas: the start, exploration and the district offers.
  Names open = kStartAreas;
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [from, to] : kAreaRoutes)
      if (open.count(from) && open.insert(to).second) grew = true;
  }
  EXPECT_EQ(open, Column("SELECT Name FROM area"));

  // Items the kingdom can come to hold, from a set of sources, closed over the recipes.
  std::multimap<std::string, std::string> needs;  // product -> ingredient
  for (const auto& row : Table("SELECT Name,ItemName FROM synthesisitem")) needs.emplace(row[0], row[1]);
  std::multimap<std::string, std::string> raised;  // crop or animal -> harvest
  for (const auto& row : Table("SELECT Name,Product FROM grain UNION SELECT Name,Product FROM animal"))
    raised.emplace(row[0], row[1]);
  auto close = [&](Names held) {
    for (bool grew = true; grew;) {
      grew = false;
      for (const auto& [crop, harvest] : raised)
        if (held.count(crop) && held.insert(harvest).second) grew = true;
      for (auto it = needs.begin(); it != needs.end();) {
        const auto range = needs.equal_range(it->first);
        const bool all = std::all_of(range.first, range.second, [&](const auto& p) { return held.count(p.second) > 0; });
        if (all && held.insert(it->first).second) grew = true;
        it = range.second;
      }
    }
    return held;
  };

  Names early = kStartItems;
  for (const auto& name : Column("SELECT Name FROM areaitem WHERE Area='リュシーレ平原' AND Type<>'坑道'")) early.insert(name);
  EXPECT_GE(close(early).size(), 15u) << "a school needs 15 public items reachable early";

  Names sources = kStartItems;
  for (const auto& name : Column("SELECT Name FROM areaitem WHERE Name NOT IN ('ミスリル','銅','鉄')")) sources.insert(name);
  for (const auto& name : Column("SELECT Treasure FROM nest WHERE Treasure<>''")) sources.insert(name);
  for (const auto& name : Column("SELECT Item FROM tradeitem")) sources.insert(name);
  for (const auto& [nation, gift] : kGifts) sources.insert(gift);
  const Names reach = close(sources);
  for (const auto& name : Column("SELECT Name FROM item")) EXPECT_TRUE(reach.count(name)) << "item " << name << " can never be held";
  EXPECT_GE(reach.size(), 100u);
  // Rices by breeding alone, not only as a gift or an import.
  Names noGift = kStartItems;
  for (const auto& name : Column("SELECT Name FROM areaitem")) noGift.insert(name);
  const Names bred = close(noGift);
  for (const auto& rice : kRices) EXPECT_TRUE(bred.count(rice)) << rice << " has no route by breeding";

  auto countMade = [&](const std::string& cls) {
    size_t n = 0;
    for (const auto& name : Column("SELECT DISTINCT item.Name FROM item,synthesisitem WHERE item.Name=synthesisitem.Name "
                                   "AND ItemAmount>0 AND Class='" + cls + "'"))
      n += reach.count(name);
    return n;
  };
  EXPECT_GE(countMade("武器"), 20u) << "the fine weapon workshop needs 20 weapons with recipes";
  EXPECT_GE(countMade("防具"), 10u) << "the fine armour workshop needs 10 armours with recipes";
}

TEST_F(ContentCheckTest, TheNewGameCanStaffArmAndUnlock) {
  auto men = [&](const std::string& kind) { return One("SELECT Men FROM construct WHERE Name='" + kind + "'"); };
  const std::pair<const char*, int> staff[] = {{"小さな畑", 50}, {"小さな牧場", 20}, {"小さな工房", 10},
                                               {"小規模商店街", 10}, {"ボロボロの兵舎", 20}};
  for (const auto& [kind, n] : staff) EXPECT_GE(men(kind), n) << kind;
  // The yard is the first thing built, with about 11 of help a week and 500 money.
  auto yard = Table("SELECT Price,Land,Work FROM construct WHERE Name='頼りない建設場'");
  ASSERT_EQ(yard.size(), 1u);
  EXPECT_TRUE(Int(yard[0][0]) <= 500 && Int(yard[0][1]) <= 11 && Int(yard[0][2]) <= 4 * 11);

  // Starting arms fit the soldiers' load at education 10, and the small workshop can make them.
  auto weight = [&](const char* item) { return One(std::string("SELECT Weight FROM item WHERE Name='") + item + "'"); };
  EXPECT_LE(weight("木刀") + weight("布の服"), 20);                    // セイバー
  EXPECT_LE(weight("木の槍") + weight("布の服"), 26);                  // ランサー
  EXPECT_LE(weight("木弓") + weight("木の矢") + weight("布の服"), 15);  // アーチャー
  EXPECT_EQ(Column("SELECT Category FROM item WHERE Name='布の服'"), Names{"軽鎧"});
  EXPECT_EQ(Table("SELECT * FROM item WHERE Name IN ('木弓','布の服','木刀','木の槍','布','木の矢') AND (Value>2 OR Production<1)").size(), 0u);

  // Occupation thresholds of the unlocks fit in the buildings that may stand before them.
  const std::tuple<const char*, const char*, int, int> ladders[] = {
      {"ぼろぼろの兵舎", "機能的な兵舎", 100, 4}, {"機能的な兵舎", "威風堂々とした兵舎", 250, 4},
      {"小規模商店街", "中規模商店街", 150, 2},   {"中規模商店街", "大規模商店街", 300, 2},
      {"頼りない建設場", "すこし頼れる建設場", 30, 1}, {"すこし頼れる建設場", "頼りになる建設場", 75, 2},
      {"小さな工房", "一人前の武器工房", 50, 2}, {"一人前の雑貨工房", "高度技術訓練所", 120, 3}};
  for (const auto& [before, after, need, count] : ladders)
    EXPECT_GE(men(before) * count, need) << after << " needs " << need << " people that " << count << " " << before << " cannot hold";
}

TEST_F(ContentCheckTest, TheNewGameOpensItsKindsAndTheRepairsKeepTheUpgrades) {
  EXPECT_EQ(Column("SELECT Name FROM construct WHERE Open=True"),
            (Names{"頼りない建設場", "小規模商店街", "小さな畑", "小さな牧場", "小さな工房", "小さな住宅地", "ぼろぼろの兵舎", "みすぼらしい王宮"}));
  EXPECT_EQ(Column("SELECT Name FROM area WHERE Open=True"), kStartAreas);
  // Every building a new game starts with has a successor that can stand where it stands.
  for (const auto& row : Table("SELECT construction.Name,(SELECT COUNT(*) FROM construct N,area WHERE "
                               "N.Succession=construction.Name AND area.Name=construction.Area AND "
                               "N.Area=area.Type) FROM construction"))
    EXPECT_NE(row[1], "0") << "the starting " << row[0] << " can never be upgraded";
  ASSERT_TRUE(db->Excute("UPDATE construct SET Succession='すこし頼れる建設場' WHERE Name='頼りになる建設場'"));
  ASSERT_TRUE(db->Excute("UPDATE area SET Development=10 WHERE Name='王宮'"));
  // The palace still upgrades after the palace land is cut to 10.
  EXPECT_EQ(Table("SELECT DISTINCT construction.ID FROM construction,construct,construct N,area "
                  "WHERE construction.Name=construct.Name AND construction.Name=N.Succession AND "
                  "area.Name=construction.Area AND area.Development>=(N.Land-construct.Land) AND construction.Area='王宮'").size(), 1u);
}

}  // namespace
