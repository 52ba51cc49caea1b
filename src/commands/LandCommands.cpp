/** @file LandCommands.cpp The land commands: area and upgrade lists, what the chosen area offers, building, upgrading, demolishing and staffing. */
#include "commands/LandCommands.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "commands/CommandPanel.h"
#include "db/DbTransaction.h"
#include "db/SqliteConnection.h"
#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/Strings.h"
#include "sim/People.h"
#include "sim/SimDb.h"
#include "sim/StatusPanels.h"
#include "sim/Storage.h"

namespace cmd {
namespace {

using sim::DataI;
using sim::QueryRow;
using sim::TextI;

constexpr const char* kCrLf = "\r\n";
// The caption over the second list is wide enough for the longest area and building names.
constexpr int16_t kAreaCaptionWidth = 150;
constexpr int16_t kBuildingCaptionWidth = 220;

const char* const kAreaSelect =
    "SELECT area.Name, area.AreaLevel, ROUND(area.Research*1.0/(area.AreaLevel+1),0), area.Development, "
    "COUNT(construction.Area), area.Type,area.Tips FROM area LEFT JOIN construction ON area.Name=construction.Area";
const char* const kAreaGroup =
    " GROUP BY area.Name, area.AreaLevel, area.Research*1.0/(area.AreaLevel+1), area.Development, area.Type,area.Tips"
    " ORDER BY area.AreaLevel DESC";

// A finished building is listed for 改修 while an open kind succeeds it and its area's free
// land covers the successor's extra land.
const char* const kUpgradeList =
    "SELECT DISTINCT construction.Area,construction.Name,construct.Land,construct.Men,construction.ID "
    "FROM construction, construct, construct N, area "
    "WHERE construction.Name=construct.Name And N.Open=True And construction.Name=N.Succession And "
    "area.Name=construction.Area And area.Development>=(N.Land-construct.Land) AND construction.Work=0 "
    "ORDER BY construction.ID";

// What each workshop may make.
const std::map<std::string, std::string> kWorkshopFilters = {
    {"小さな工房", "item.Value<=2"},
    {"一人前の雑貨工房", "item.Value<=5 AND item.Class IN ('製品','アクセサリ')"},
    {"一人前の防具工房", "item.Value<=5 AND (item.Class IN ('防具') OR item.Category IN ('兜'))"},
    {"一人前の武器工房", "item.Value<=5 AND item.Class='武器'"},
    {"立派な武器工房", "item.Class='武器'"},
    {"立派な防具工房", "(item.Class IN ('防具') OR item.Category IN ('兜'))"},
    {"立派な雑貨工房", "item.Class IN ('製品','アクセサリ')"},
};

std::string N(int64_t n) { return rt::CStr(n); }

IGrid& Main(CommandContext& c) { return c.host.Grid(GridId::GGMain); }
IGrid& Sub(CommandContext& c) { return c.host.Grid(GridId::GGSub1); }

// Fills a grid with a query's rows and shows it; false (grid untouched) when there is none.
bool ShowList(CommandContext& c, GridId id, const std::string& sql, const Rect& at, int16_t cols, ColumnSet set) {
  if (!QueryRow(c.week.db, sql)) return false;
  IGrid& grid = c.host.Grid(id);
  grid.Place(at);
  grid.GetData(c.week.db.GetRecordSet(), cols, set);
  grid.Visible(true);
  return true;
}

void ShowCaption(CommandContext& c, const std::string& text, int16_t width) {
  IButton& caption = c.host.Button(ButtonId::GLSubMenu);
  caption.Enable(false);
  caption.Text(text);
  caption.Place({215, 250, width, 20});
  caption.Visible(true);
}

// Whatever a previous area or building put up in the second step goes, so a list is never
// on screen under another area's name.
void HideSecondStep(CommandContext& c) {
  ICommandHost& h = c.host;
  HideIfShown({&h.Grid(GridId::GGSub1), &h.Grid(GridId::GGSub2), &h.PSMain(), &h.GLRestruct(),
               &h.Button(ButtonId::GLExcute), &h.Button(ButtonId::GLClear)});
  c.form.subListArea.clear();
  c.form.subListBuildings.clear();
  c.form.subListUpgrade.clear();
}

// The allocation controls of a previously chosen building.
void HideAllotScreen(CommandContext& c) {
  ICommandHost& h = c.host;
  HideIfShown({&h.PSMain(), &h.GLRestruct(), &h.Button(ButtonId::GLExcute), &h.Button(ButtonId::GLClear),
               &h.Grid(GridId::GGSub2)});
}

// A figure of a list row or a query read back into a statement: a number from 0 of 16 bits,
// halves rounded to even (the halved prices and works of an upgrade); nothing for anything else.
std::optional<int16_t> Figure(const std::string& text) {
  if (!rt::IsNumeric(text)) return std::nullopt;
  const double value = rt::CDbl(text);
  if (value < 0 || value > INT16_MAX) return std::nullopt;
  return rt::CInt(value);
}

// Land, free land and head counts are 16-bit numbers: a sum made of them stays within those bits.
int16_t Within16(int32_t n) { return static_cast<int16_t>(std::clamp<int32_t>(n, INT16_MIN, INT16_MAX)); }

// One number read from a query that must find its row and hold a whole 16-bit number there;
// false (after the data error) when not.
bool ReadI(CommandContext& c, const std::string& sql, const std::string& what, const char* column, int16_t& out) {
  if (!QueryRow(c.week.db, sql)) {
    DataError(c, what, sql);
    return false;
  }
  const auto n = sim::WholeNumber16(c.week.db.Data(0));
  if (!n) {
    sim::BadValue(c.week, what, column, c.week.db.Data(0));
    return false;
  }
  out = *n;
  return true;
}

// The building ID of a list row, as wide as the IDs that new buildings are given; nothing
// (after the data error) when it is no whole number.
std::optional<int32_t> RowId(CommandContext& c, const std::string& text, const std::string& what) {
  const auto id = sim::WholeNumber(text);
  if (!id) sim::BadValue(c.week, what, "construction.ID", text);
  return id;
}

std::string DevelopmentSql(const std::string& area) {
  return "SELECT area.Development FROM area WHERE area.Name=" + SqlText(area);
}

std::string DevelopmentUpdate(const std::string& area, int16_t development) {
  return "UPDATE area SET Development=" + N(development) + " WHERE area.Name=" + SqlText(area);
}

// ---- Second step: what the chosen area offers ----

void ExploreArea(CommandContext& c) {
  IGrid& main = Main(c);
  if (main.SelectRowData(1) == "10") return Notice(c, "それ以上探索できません");
  c.week.db.Excute("UPDATE home SET Arearesearch=" + SqlText(main.SelectRowData(0)));
  HideCommandPanel(c, c.form.mCommand, false);
  sim::ShowAreaResearch(c.week);
}

void BuildTypes(CommandContext& c) {
  IGrid& main = Main(c);
  const std::string area = main.SelectRowData(0);
  const std::string buildings = main.SelectRowData(4);
  HideSecondStep(c);
  if (buildings == "5") {
    // Full: no types, and no caption naming an area whose types are not listed.
    HideIfShown(c.host.Button(ButtonId::GLSubMenu));
  } else {
    const auto development = sim::WholeNumber16(main.SelectRowData(3));
    if (!development) return sim::BadValue(c.week, "地域の空き用地取得エラー", "area.Development", main.SelectRowData(3));
    ShowCaption(c, area, kAreaCaptionWidth);
    const std::string sql =
        "SELECT construct.Name,construct.Land,construct.Price,construct.Men ,construct.Work FROM construct "
        "WHERE construct.Open=TRUE AND construct.Area=" + SqlText(main.SelectRowData(5)) +
        " AND construct.Land <=" + N(*development) +
        " AND 5>(SELECT COUNT(construction.Area) FROM construction WHERE construction.Area=" + SqlText(area) + ")";
    if (ShowList(c, GridId::GGSub1, sql, {215, 280, 400, 180}, 4, ColumnSet::Construct)) {
      c.form.subListArea = area;
      c.form.subListBuildings = buildings;
    } else {
      c.host.Button(ButtonId::GLSubMenu).Visible(false);
      Notice(c, "建設用地がありません");
    }
  }
  const std::string standing =
      "SELECT construction.Name,construction.NofProduction FROM construction WHERE Area=" + SqlText(area);
  if (!ShowList(c, GridId::GGSub2, standing, {580, 280, 200, 120}, 2, ColumnSet::Workplace))
    HideIfShown(c.host.Grid(GridId::GGSub2));
}

void DemolishList(CommandContext& c) {
  IGrid& main = Main(c);
  const std::string area = main.SelectRowData(0);
  HideSecondStep(c);
  if (main.SelectRowData(4) == "0") {
    HideIfShown(c.host.Button(ButtonId::GLSubMenu));
    return Notice(c, "この地域には何も建設されていません");
  }
  ShowCaption(c, area, kAreaCaptionWidth);
  const std::string sql =
      "SELECT construction.Name,construct.Land,construct.Men,construction.NofProduction,construction.ID,"
      "construct.Type FROM construct,construction,area WHERE construct.Name=construction.Name AND "
      "construction.Area=" + SqlText(area) + " AND area.Name=construction.Area AND construct.Area=area.Type";
  if (ShowList(c, GridId::GGSub1, sql, {215, 280, 500, 180}, 4, ColumnSet::BuildingStaff)) {
    c.form.subListArea = area;
  } else {
    c.host.Button(ButtonId::GLSubMenu).Visible(false);
    DataError(c, "解体情報取得SQLエラー", sql);
  }
}

void StaffList(CommandContext& c) {
  const std::string area = Main(c).SelectRowData(0);
  HideSecondStep(c);
  ShowCaption(c, area, kAreaCaptionWidth);
  // 'producer' finds Producer: the database compares text without case.
  const std::string sql =
      "SELECT construction.Name,worker.OccupationJ,construction.NofProduction,construct.Men,construction.Product,"
      "construction.ID,construction.StartWeek,construct.Type FROM construct,construction,worker,area "
      "WHERE worker.OccupationE=construct.Occupation AND construction.Name=construct.Name AND construct.Men>0 AND "
      "(construction.Work=0 OR construction.[Update]<>'') AND construction.Area=" + SqlText(area) +
      " AND area.Name=construction.Area AND construct.Area=area.Type AND construct.Occupation IN ('producer','Engineer')";
  if (ShowList(c, GridId::GGSub1, sql, {215, 280, 500, 120}, 5, ColumnSet::Production)) {
    c.form.subListArea = area;
  } else {
    Notice(c, "配分できる建物はありません");
    c.host.Button(ButtonId::GLSubMenu).Visible(false);
  }
}

void UpgradeTarget(CommandContext& c) {
  IGrid& main = Main(c);
  const auto read = RowId(c, main.SelectRowData(4), "改修エラー");
  if (!read) return;
  const int32_t id = *read;
  HideSecondStep(c);
  HideIfShown(c.host.Button(ButtonId::GLSubMenu));
  const std::string sql =
      "SELECT construct.Name,construct.Land,construct.Price*1.0/2,construct.Men,construct.Work*1.0/2 "
      "FROM construct,construction,area WHERE construct.Succession=construction.Name AND construction.ID=" + N(id) +
      " AND area.Name=construction.Area AND construct.Area=area.Type AND construct.Open=True";
  if (!QueryRow(c.week.db, sql)) return DataError(c, "改修エラー", sql);
  ShowCaption(c, main.SelectRowData(1), kBuildingCaptionWidth);
  c.form.mUpgradeID = id;
  ShowList(c, GridId::GGSub1, sql, {215, 280, 500, 180}, 4, ColumnSet::Construct);
  c.form.subListArea = main.SelectRowData(0);
  c.form.subListUpgrade = main.SelectRowData(1);
}

// ---- Third step: the chosen row of the second list ----

void Demolish(CommandContext& c) {
  clsDB& db = c.week.db;
  IGrid& sub = Sub(c);
  const std::string name = sub.SelectRowData(0);
  const auto read = RowId(c, sub.SelectRowData(4), "解体建物取得エラー");
  if (!read) return;
  const std::string id = N(*read);
  // The building's own row says where its land goes back to.
  const std::string rowSql = "SELECT Area,Work,[Update] FROM construction WHERE ID=" + id;
  if (!QueryRow(db, rowSql)) return DataError(c, "解体建物取得エラー", rowSql);
  const std::string area = db.Data(0);
  const auto work = sim::WholeNumber(db.Data(1));
  if (!work) return sim::BadValue(c.week, "解体建物取得エラー", "construction.Work", db.Data(1));
  const bool unfinished = *work > 0;
  const std::string update = db.Data(2);

  std::string landSql = "SELECT Land FROM construct,construction WHERE construct.Name=construction.Name AND construction.ID=" + id;
  if (unfinished && !update.empty()) {
    if (!AskYes(c, name + "は" + update + "に改修中です。解体していいですか")) return;
    // The upgrade's extra land is already taken: the target's land comes back.
    landSql = "SELECT Land FROM construct,construction WHERE construct.Name=construction.[Update] AND construction.ID=" + id;
  } else if (unfinished) {
    if (!AskYes(c, name + "を建設中です。解体していいですか")) return;
  } else {
    if (sub.SelectRowData(5) == "住宅地") return Notice(c, "住宅地は解体できません");
    if (!AskYes(c, name + "を解体していいですか")) return;
  }
  int16_t land = 0, development = 0;
  if (!ReadI(c, landSql, "解体建物の用地取得エラー", "construct.Land", land)) return;
  if (!ReadI(c, DevelopmentSql(area), "地域の空き用地取得エラー", "area.Development", development)) return;

  DbTransaction t(db);
  if (unfinished) t.Run("UPDATE home SET Construction=0 WHERE Construction=" + id);
  t.Run("DELETE FROM construction WHERE ID=" + id);
  t.Run(DevelopmentUpdate(area, Within16(development + land)));
  if (!t.Commit()) return DataError(c, "解体SQLエラー", t.FailedSql());
  HideCommandPanel(c, c.form.mCommand, false);
  sim::ShowConstruct(c.week);
}

// The job under way that a new build or upgrade abandons.
struct Job {
  int32_t id = 0;  ///< 0: none
  std::string name, area, update;
  int16_t back = 0;             ///< land the area gets back
  int16_t areaDevelopment = 0;  ///< the job area's free land before that
};

// Reads the job under way and what abandoning it gives back; false (after a data error) when
// a row it needs is missing. A pointer to a building that is gone or done is no job.
bool ReadJob(CommandContext& c, Job& job) {
  clsDB& db = c.week.db;
  const std::string homeSql = "SELECT Construction FROM home";
  if (!QueryRow(db, homeSql)) {
    DataError(c, "建設中の建物取得エラー", homeSql);
    return false;
  }
  const auto read = sim::WholeNumber(db.Data(0));
  if (!read) {
    sim::BadValue(c.week, "建設中の建物取得エラー", "home.Construction", db.Data(0));
    return false;
  }
  const int32_t id = *read;
  if (id == 0) return true;
  if (!QueryRow(db, "SELECT ID,Name,Area,[Update] FROM construction WHERE Work>0 AND ID=" + N(id))) return true;
  job.id = id;
  job.name = db.Data(1);
  job.area = db.Data(2);
  job.update = db.Data(3);
  if (!job.update.empty()) {
    const std::string sql = "SELECT construct.Land,N.Land FROM construct,construct N WHERE construct.Name=" +
                            SqlText(job.name) + " AND N.Name=" + SqlText(job.update);
    if (!QueryRow(db, sql)) {
      DataError(c, "建設中の建物の用地取得エラー", sql);
      return false;
    }
    const auto from = sim::WholeNumber16(db.Data(0)), to = sim::WholeNumber16(db.Data(1));
    if (!from || !to) {
      sim::BadValue(c.week, "建設中の建物の用地取得エラー", "construct.Land", from ? db.Data(1) : db.Data(0));
      return false;
    }
    job.back = Within16(*to - *from);
  } else {
    const std::string sql = "SELECT construct.Land FROM construct WHERE construct.Name=" + SqlText(job.name);
    if (!ReadI(c, sql, "建設中の建物の用地取得エラー", "construct.Land", job.back)) return false;
  }
  if (job.back != 0 &&
      !ReadI(c, DevelopmentSql(job.area), "地域の空き用地取得エラー", "area.Development", job.areaDevelopment))
    return false;
  return true;
}

bool SiteHasProduce(CommandContext& c, const std::string& kind, const std::string& area) {
  clsDB& db = c.week.db;
  if (!QueryRow(db, "SELECT construct.Type FROM construct,area WHERE area.Type=construct.Area AND construct.Name=" +
                        SqlText(kind) + " AND area.Name=" + SqlText(area)))
    return true;
  const std::string type = db.Data(0);
  if (type != "採取小屋" && type != "坑道") return true;
  return QueryRow(db, "SELECT Name FROM areaitem WHERE Open=True AND Area=" + SqlText(area) + " AND Type=" + SqlText(type));
}

void BuildOrUpgrade(CommandContext& c) {
  clsDB& db = c.week.db;
  IGrid& sub = Sub(c);
  const bool upgrade = c.form.mCommand == "改修";
  if (!upgrade && c.form.subListBuildings == "5")
    return Notice(c, "ひとつの地域に建設できるのは" + N(5) + "ヵ所までです");
  // A price or work that is no figure from 0 would be paid or built backwards.
  const std::string what = upgrade ? "改修費用取得エラー" : "建設費用取得エラー";
  const auto listed = Figure(sub.SelectRowData(2));
  if (!listed) return sim::BadValue(c.week, what, "construct.Price", sub.SelectRowData(2));
  const auto landNeeded = Figure(sub.SelectRowData(1));
  if (!landNeeded) return sim::BadValue(c.week, what, "construct.Land", sub.SelectRowData(1));
  int16_t price = *listed;
  if (price > c.week.data.Money()) return Notice(c, "お金が足りません");
  const std::string kind = sub.SelectRowData(0);
  const std::string area = c.form.subListArea;
  if (upgrade) {
    if (!AskYes(c, c.form.subListUpgrade + "を" + kind + "に改修します")) return;
  } else {
    if (!AskYes(c, kind + "を建設していいですか?")) return;
    if (!SiteHasProduce(c, kind, area) &&
        !AskYes(c, std::string("そのエリアには生産するアイテムがありません") + kCrLf + "それでも建設しますか?"))
      return;
  }
  Job job;
  if (!ReadJob(c, job)) return;
  if (job.id != 0) {
    const std::string shown = (job.update.empty() ? job.name : job.update) + "(" + job.area + ")";
    if (!AskYes(c, "現在" + shown + "を建設中です。破棄してもいいですか")) return;
  }

  // Everything is read before anything is written, so a missing row changes nothing.
  int32_t id = 0;
  int16_t work = 0, development = 0;
  std::string target = area;
  if (upgrade) {
    id = c.form.mUpgradeID;
    const std::string halfSql =
        "SELECT construct.Work*1.0/2,construct.Price*1.0/2,construction.Area,construction.Name "
        "FROM construct,construction WHERE construct.Succession=construction.Name AND construction.ID=" + N(id) +
        " AND construct.Name=" + SqlText(kind);
    if (!QueryRow(db, halfSql)) return DataError(c, "改修費用取得エラー", halfSql);
    const auto halfWork = Figure(db.Data(0)), halfPrice = Figure(db.Data(1));
    if (!halfWork || !halfPrice)
      return sim::BadValue(c.week, "改修費用取得エラー", halfWork ? "construct.Price" : "construct.Work",
                           halfWork ? db.Data(1) : db.Data(0));
    work = *halfWork;
    price = *halfPrice;
    target = db.Data(2);
    const std::string oldName = db.Data(3);
    if (price > c.week.data.Money()) return Notice(c, "お金が足りません");
    if (!ReadI(c, DevelopmentSql(target), "地域の空き用地取得エラー", "area.Development", development)) return;
    const std::string oldSql =
        "SELECT construct.Land FROM construct,construction,area Where area.Name = construction.Area And "
        "construction.Name = construct.Name And area.Type = construct.Area AND construction.Name=" + SqlText(oldName) +
        " AND construction.Area=" + SqlText(target);
    int16_t oldLand = 0;
    if (!ReadI(c, oldSql, "改修前の建物の用地取得エラー", "construct.Land", oldLand)) return;
    if (job.back != 0 && rt::EqualsNoCase(job.area, target)) development = Within16(development + job.back);
    development = Within16(development - (*landNeeded - oldLand));
  } else {
    // The next ID after the buildings that stay: an abandoned new building's ID is free again.
    const auto next = sim::NewId(c.week, "建設SQLエラー", "construction",
                                 job.id != 0 && job.update.empty() ? "ID<>" + N(job.id) : "");
    if (!next) return;
    id = *next;
    const auto listedWork = Figure(sub.SelectRowData(4));
    if (!listedWork) return sim::BadValue(c.week, what, "construct.Work", sub.SelectRowData(4));
    work = *listedWork;
    if (!ReadI(c, DevelopmentSql(area), "地域の空き用地取得エラー", "area.Development", development)) return;
    if (job.back != 0 && rt::EqualsNoCase(job.area, target)) development = Within16(development + job.back);
    development = Within16(development - *landNeeded);
  }

  // All or nothing: the abandoned job, the new one, the land and the price paid. An abandoned
  // new building goes, an abandoned upgrade stays as it was; nothing is refunded.
  DbTransaction t(db);
  if (job.id != 0) {
    if (!job.update.empty())
      t.Run("UPDATE construction SET Work=0,[Update]='' WHERE ID=" + N(job.id));
    else
      t.Run("DELETE FROM construction WHERE construction.ID=" + N(job.id));
    if (job.back != 0) t.Run(DevelopmentUpdate(job.area, Within16(job.areaDevelopment + job.back)));
  }
  if (upgrade)
    t.Run("UPDATE construction SET Work=" + N(work) + ",[Update]=" + SqlText(kind) + " WHERE construction.ID=" + N(id));
  else
    t.Run("INSERT INTO construction VALUES(" + N(id) + "," + SqlText(kind) + "," + SqlText(area) + ",''," + "0,0," +
          N(work) + ",'')");
  t.Run(DevelopmentUpdate(target, development));
  t.Run("UPDATE home SET construction=" + N(id));
  t.Run("UPDATE home SET [Money]=" + N(rt::SubL(c.week.data.Money(), price)));
  if (!t.Commit()) return DataError(c, upgrade ? "改修SQLエラー" : "建設SQLエラー", t.FailedSql());
  c.week.data.MoneyDif(price);
  sim::ShowKingdom(c.week);
  HideCommandPanel(c, c.form.mCommand, false);
  sim::ShowConstruct(c.week);
}

// The staff slider stays frozen while a field, paddy or ranch is in the producing stretch of
// its product's cycle.
bool GrowthLocked(CommandContext& c, const std::string& product, int16_t staff, const std::string& type,
                  const std::string& startWeek) {
  if (product.empty() || staff <= 0) return false;
  std::string sql;
  if (type == "畑" || type == "水田")
    sql = "SELECT Cycle,Growth,Fallow FROM grain WHERE Name=" + SqlText(product);
  else if (type == "牧場")
    sql = "SELECT Cycle,Growth,Fallow FROM animal WHERE Name=" + SqlText(product) + " AND Fallow>0";
  else
    return false;
  if (!QueryRow(c.week.db, sql)) return false;
  // A product without a cycle, or with figures that are no whole numbers, is never in production.
  const auto cycle = sim::WholeNumber(c.week.db.Data(0));
  const auto fallow = sim::WholeNumber(c.week.db.Data(2));
  const auto start = sim::WholeNumber(startWeek);
  if (!cycle || *cycle == 0 || !fallow || !start) return false;
  const int64_t phase = (int64_t{c.week.state.mTurn} - *start) % *cycle;  // Mod: the sign of the weeks
  return phase >= *fallow;
}

std::string ProductListSql(CommandContext& c, const std::string& building, const std::string& occupationJ,
                           const std::string& type, int32_t allotId, bool& workshop) {
  const std::string id = N(allotId);
  workshop = occupationJ == "技術者";
  if (workshop) {
    auto filter = kWorkshopFilters.find(building);
    if (filter == kWorkshopFilters.end()) return "";
    return "SELECT DISTINCT item.Name,itemdata.Storage," + std::string(sim::kSellPriceSql) +
           ",Category,Power,Weight,Effect,Tips FROM itemdata,synthesisitem,item "
           "Where itemdata.Name = synthesisitem.Name And itemdata.Name = item.Name And item.Production<>0 AND " +
           filter->second + " AND Synthesis=True ORDER BY 3 DESC";
  }
  const std::string education = N(c.week.data.Education("Producer"));
  if (type == "水田" || type == "畑")
    return "SELECT DISTINCT(grain.Name) FROM grain,construct,construction,area,itemdata "
           "WHERE construct.Name=construction.Name AND construct.Area=area.Type AND area.Name=construction.Area AND "
           "grain.Type=construct.Type AND construction.ID=" + id + " AND itemdata.Name=grain.Name"
           " AND grain.Education<=" + education;
  if (type == "牧場" || type == "港")
    return "SELECT DISTINCT(animal.Name) FROM animal,construct,construction,area,itemdata "
           "WHERE construct.Name=construction.Name AND construct.Area =area.Type AND area.Name=construction.Area AND "
           "animal.Type=construct.Type AND construction.ID=" + id + " AND itemdata.Name=animal.Name"
           " AND animal.Education<=" + education;
  if (type == "採取小屋" || type == "坑道" || type == "伐採所")
    return "SELECT areaitem.Name FROM areaitem,construct,construction,area,itemdata "
           "WHERE construct.Name=construction.Name AND  construct.Area=area.Type AND area.Name=construction.Area AND "
           "areaitem.Type=construct.Type AND construction.ID=" + id + " AND areaitem.Name=itemdata.Name AND "
           "areaitem.Open=TRUE AND areaitem.Area=" + SqlText(c.form.subListArea);
  return "";
}

void PrepareAllot(CommandContext& c) {
  clsDB& db = c.week.db;
  IGrid& sub = Sub(c);
  const std::string building = sub.SelectRowData(0);
  const std::string occupationJ = sub.SelectRowData(1);
  const std::string product = sub.SelectRowData(4);
  const std::string type = sub.SelectRowData(7);
  HideAllotScreen(c);
  const std::string what = "職種人口取得エラー";
  const auto allotId = RowId(c, sub.SelectRowData(5), what);
  if (!allotId) return;
  const auto staffed = sim::Amount16(sub.SelectRowData(2)), places = sim::Amount16(sub.SelectRowData(3));
  if (!staffed) return sim::BadValue(c.week, what, "construction.NofProduction", sub.SelectRowData(2));
  if (!places) return sim::BadValue(c.week, what, "construct.Men", sub.SelectRowData(3));
  const int16_t staff = *staffed, men = *places;
  const std::string id = N(*allotId);

  // The workers' figures first: a screen is only built for a building they were read for.
  const std::string peopleSql =
      "SELECT people.Number,people.Occupation FROM people,construct,construction,area "
      "WHERE people.Occupation=construct.Occupation AND construct.Name=construction.Name AND construction.ID=" + id +
      " AND area.Name=construction.Area AND construct.Area=area.Type";
  if (!QueryRow(db, peopleSql)) return DataError(c, what, peopleSql);
  const auto people = sim::Amount16(db.Data(0));
  if (!people) return sim::BadValue(c.week, what, "people.Number", db.Data(0));
  const int16_t population = *people;
  const std::string occupation = db.Data(1);
  const std::string employedSql =
      "SELECT SUM(construction.NofProduction) FROM construct,construction,area WHERE construct.Name=construction.Name "
      "AND construct.Occupation=" + SqlText(occupation) + " AND area.Name=construction.Area AND construct.Area=area.Type";
  if (!QueryRow(db, employedSql)) return DataError(c, "職種別従事数取得エラー", employedSql);
  const auto working = sim::Amount16(db.Data(0));
  if (!working) return sim::BadValue(c.week, "職種別従事数取得エラー", "SUM(construction.NofProduction)", db.Data(0));
  const int16_t employed = *working;
  const std::string othersSql = employedSql + " AND construction.ID <> " + id;
  int16_t others = Within16(employed - staff);
  if (QueryRow(db, othersSql)) {
    const auto elsewhere = sim::Amount16(db.Data(0));
    if (!elsewhere) return sim::BadValue(c.week, "選択建物以外の職種別総数取得エラー", "SUM(construction.NofProduction)", db.Data(0));
    others = *elsewhere;
  } else {
    DataError(c, "選択建物以外の職種別総数取得エラー", othersSql);
  }

  c.form.mAllotID = *allotId;
  c.form.mAllotPopulation = population;
  c.form.mAllotOccupation = occupation;
  c.form.mAllotOthers = others;
  const bool locked = GrowthLocked(c, product, staff, type, sub.SelectRowData(6));

  ShowSlider(c, {210, 440, 325, 64}, men, staff, building, !locked);
  ShowExecute(c, "配分確定");

  IFigureLabel& surplus = c.host.GLRestruct();
  surplus.Place({400, 575, 110, 20});
  surplus.MainText("余剰数");
  surplus.SubText(N(int64_t{population} - employed));
  surplus.Setting();
  surplus.Visible(true);

  bool workshop = false;
  const std::string productSql = ProductListSql(c, building, occupationJ, type, *allotId, workshop);
  // Without products the list stays hidden rather than offering another building's.
  if (!productSql.empty())
    ShowList(c, GridId::GGSub2, productSql, {550, 420, 250, 140}, workshop ? 3 : 1,
             workshop ? ColumnSet::ItemSell : ColumnSet::Product);

  IButton& chosen = c.host.Button(ButtonId::GLClear);
  chosen.Text(product.empty() ? kNoProduct : product);
  chosen.Enable(!product.empty());
  chosen.Visible(true);
}

}  // namespace

bool ShowAreaList(CommandContext& c, const std::string& Command) {
  clsDB& db = c.week.db;
  const bool upgrade = Command == "改修";
  std::string sql;
  if (upgrade)
    sql = kUpgradeList;
  else if (Command == "探索")
    sql = std::string(kAreaSelect) + " WHERE area.Open=TRUE AND area.AreaLevel<10 AND area.Type NOT IN ('市街')" + kAreaGroup;
  else
    sql = std::string(kAreaSelect) + " WHERE area.Open=TRUE AND area.Type NOT IN ('王宮','山')" + kAreaGroup;
  if (!QueryRow(db, sql)) {
    Notice(c, Command + (upgrade ? "できる建物がありません" : "できる地域がありません"));
    return false;
  }
  // A new first list starts the command afresh: nothing of an earlier choice stays.
  HideSecondStep(c);
  HideIfShown(c.host.Button(ButtonId::GLSubMenu));
  IGrid& main = Main(c);
  main.Place({215, 100, 500, 140});
  main.GetData(db.GetRecordSet(), upgrade ? 4 : 5, upgrade ? ColumnSet::AreaBuilding : ColumnSet::Area);
  if (Command == "建設" || upgrade) c.week.state.mConstructPower = sim::RetConstructPower(c.week);
  return true;
}

void AreaCommand(CommandContext& c) {
  const std::string& command = c.form.mCommand;
  if (command == "探索") return ExploreArea(c);
  if (command == "建設") return BuildTypes(c);
  if (command == "解体") return DemolishList(c);
  if (command == "配分") return StaffList(c);
  if (command == "改修") return UpgradeTarget(c);
}

void ConstructCommand(CommandContext& c) {
  if (c.form.subListArea.empty()) return;  // no list of an area is on screen
  const std::string& command = c.form.mCommand;
  if (command == "解体") return Demolish(c);
  if (command == "建設" || command == "改修") return BuildOrUpgrade(c);
  if (command == "配分") return PrepareAllot(c);
}

void AllotCommit(CommandContext& c) {
  ISlider& slider = c.host.PSMain();
  if (!slider.Enable() && !AskYes(c, "現在生産しているものを破棄してもいいですか?")) return;
  std::string product = c.host.Button(ButtonId::GLClear).Text();
  if (product == kNoProduct) product.clear();
  std::string sql = "UPDATE construction SET NofProduction=" + N(slider.Value()) + ",Product=" + SqlText(product);
  // A new product starts its cycle this week; the same product keeps its cycle.
  if (product != Sub(c).SelectRowData(4)) sql += ",StartWeek=" + N(c.week.state.mTurn);
  sql += " WHERE ID=" + N(c.form.mAllotID);
  c.week.db.Excute(sql);
  sim::ShowOccupation(c.week, c.form.mAllotOccupation, false);
  c.week.screen.View(sim::ViewId::People).RePaint();
  HideCommandPanel(c, c.form.mCommand, false);
}

}  // namespace cmd
