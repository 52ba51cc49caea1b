/** @file Unlock.cpp The weekly ladder of building unlocks and the offers to develop the next town district. */
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "db/SqliteConnection.h"
#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/Strings.h"
#include "sim/People.h"
#include "sim/SimDb.h"
#include "sim/TurnEnd_People.h"

namespace sim {
namespace {

/// The kingdom's figures a rule may need; head counts and educations in the panels' order.
enum class Fig { None, Population, Producers, Merchants, Engineers, Constructors, Soldiers,
                 ProducerEdu, MerchantEdu, EngineerEdu, ConstructorEdu, SoldierEdu, Count };

struct Need {
  Fig fig;
  int16_t at_least;
};

/// What must hold before a rule is looked at at all.
enum class Pre {
  None,
  AreaItemTypeOpen,  ///< an open area item of Type text
  AreaItemOpen,      ///< one of the area items named in text ("a,b,c") is open
  PublicItems,       ///< at least n public items
  KnownRecipes,      ///< at least n public items with a known recipe of Class text
  AreaLevel,         ///< the area text has reached level n
  AreaOpen,          ///< the area text is open
  ItemLevel,         ///< the kingdom holds item text at level n or more
  WeeksSinceStart,   ///< a building text began producing at least n weeks ago
  KnownNations,      ///< at least n nations are known
  OpenAreas,         ///< at least n areas are open
  Palace,            ///< the palace is text
  NestOpen,          ///< the nest text is open
};

struct Check {
  Pre pre;
  const char* text;
  int16_t n;
};

struct UnlockRule {
  const char* building;
  const char* cond;   ///< a building name, or a catalogue Type when byType; "" for none
  int16_t condCount;  ///< finished ones needed
  bool byType;
  Need need1, need2;
  std::array<Check, 3> pre;  ///< all must hold before the rule is looked at
};

// Finished buildings of a name, or of a type.
struct Built {
  const char* cond;
  int16_t count;
  bool byType;
};
constexpr Built Named(const char* name, int16_t n) { return {name, n, false}; }
constexpr Built Typed(const char* type, int16_t n) { return {type, n, true}; }
constexpr Built kNoBuilding{"", 0, false};
constexpr Need At(Fig f, int16_t n) { return {f, n}; }
constexpr Need kNoNeed{Fig::None, 0};
constexpr Check Is(Pre p, const char* text, int16_t n = 0) { return {p, text, n}; }
constexpr Check Count(Pre p, int16_t n) { return {p, "", n}; }
constexpr Check kNoCheck{Pre::None, "", 0};
constexpr std::array<Check, 3> When(Check a = kNoCheck, Check b = kNoCheck, Check c = kNoCheck) { return {a, b, c}; }

constexpr UnlockRule Opens(const char* building, Built b, Need n1, Need n2, std::array<Check, 3> pre) {
  return {building, b.cond, b.count, b.byType, n1, n2, pre};
}

// The ladder, in report order: the building opened; the finished buildings it needs; the
// figures it needs; what must hold before it is looked at.
const UnlockRule kLadder[] = {
    Opens("限られた畑", Named("小さな畑", 4), At(Fig::ProducerEdu, 30), kNoNeed, When()),
    Opens("見渡す限りの畑", Named("限られた畑", 4), At(Fig::ProducerEdu, 50), kNoNeed, When()),
    Opens("みすぼらしい伐採所", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::AreaItemTypeOpen, "伐採所"))),
    Opens("しっかりした伐採所", Named("みすぼらしい伐採所", 2), At(Fig::ProducerEdu, 25), kNoNeed, When()),
    Opens("丈夫な伐採所", Named("しっかりした伐採所", 2), At(Fig::ProducerEdu, 40), kNoNeed, When()),
    Opens("中くらいの住宅地", kNoBuilding, At(Fig::Population, 250), kNoNeed, When()),
    Opens("大規模な住宅地", kNoBuilding, At(Fig::Population, 500), At(Fig::ConstructorEdu, 50), When()),
    Opens("機能的な兵舎", kNoBuilding, At(Fig::Soldiers, 100), kNoNeed, When()),
    Opens("建て直した兵舎", Named("ボロボロの兵舎", 1), At(Fig::Soldiers, 100), kNoNeed, When()),
    Opens("威風堂々とした兵舎", kNoBuilding, At(Fig::Soldiers, 250), At(Fig::ConstructorEdu, 75), When()),
    Opens("中規模商店街", Named("小規模商店街", 2), At(Fig::Merchants, 150), kNoNeed, When()),
    Opens("大規模商店街", Named("中規模商店街", 2), At(Fig::Merchants, 300), kNoNeed, When()),
    Opens("細い坑道", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::AreaItemOpen, "ミスリル,銅,鉄"))),
    Opens("トロッコが通る坑道", Named("細い坑道", 2), At(Fig::ProducerEdu, 30), kNoNeed, When()),
    Opens("迷路のような坑道", Named("トロッコが通る坑道", 2), At(Fig::ProducerEdu, 60), kNoNeed, When()),
    Opens("寺子屋", kNoBuilding, kNoNeed, kNoNeed, When(Count(Pre::PublicItems, 15))),
    Opens("建設訓練所", Typed("学校", 1), At(Fig::Constructors, 20), kNoNeed, When()),
    Opens("一般商人養成所", Typed("学校", 1), At(Fig::Merchants, 40), kNoNeed, When()),
    Opens("生産訓練所", Typed("学校", 1), At(Fig::Producers, 100), kNoNeed, When()),
    Opens("技術訓練所", Typed("学校", 1), At(Fig::Engineers, 30), kNoNeed, When()),
    Opens("兵士訓練所", Typed("学校", 1), At(Fig::Soldiers, 50), kNoNeed, When()),
    Opens("エリート商人養成所", Named("一般商人養成所", 1), At(Fig::Merchants, 200), At(Fig::MerchantEdu, 40), When()),
    Opens("高度技術訓練所", Named("技術訓練所", 1), At(Fig::Engineers, 120), At(Fig::EngineerEdu, 40), When()),
    Opens("練兵場", Named("兵士訓練所", 1), At(Fig::Soldiers, 200), At(Fig::SoldierEdu, 40), When()),
    Opens("高度生産研究所", Named("生産訓練所", 1), At(Fig::Producers, 400), At(Fig::ProducerEdu, 40), When()),
    Opens("高度建設訓練所", Named("建設訓練所", 1), At(Fig::Constructors, 50), At(Fig::ConstructorEdu, 40), When()),
    Opens("一人前の雑貨工房", kNoBuilding, At(Fig::Engineers, 30), kNoNeed, When()),
    Opens("一人前の防具工房", kNoBuilding, At(Fig::Engineers, 40), kNoNeed, When()),
    Opens("一人前の武器工房", kNoBuilding, At(Fig::Engineers, 50), kNoNeed, When()),
    Opens("立派な武器工房", Named("一人前の武器工房", 1), At(Fig::EngineerEdu, 65), kNoNeed,
          When(Is(Pre::KnownRecipes, "武器", 20))),
    Opens("立派な防具工房", Named("一人前の防具工房", 1), At(Fig::EngineerEdu, 65), kNoNeed,
          When(Is(Pre::KnownRecipes, "防具", 10))),
    Opens("立派な雑貨工房", Named("一人前の雑貨工房", 1), At(Fig::EngineerEdu, 45), kNoNeed, When()),
    Opens("すこし頼れる建設場", kNoBuilding, At(Fig::Constructors, 30), kNoNeed, When()),
    Opens("頼りになる建設場", kNoBuilding, At(Fig::Constructors, 75), kNoNeed, When()),
    Opens("みすぼらしい採取小屋", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::AreaItemTypeOpen, "採取小屋"))),
    Opens("しっかりした採取小屋", Named("みすぼらしい採取小屋", 2), kNoNeed, kNoNeed, When()),
    Opens("利便性のいい採取小屋", Named("しっかりした採取小屋", 2), kNoNeed, kNoNeed, When()),
    Opens("寂れた教会", kNoBuilding, At(Fig::Population, 150), kNoNeed, When()),
    Opens("鐘が鳴り響く聖堂", kNoBuilding, At(Fig::Population, 400), kNoNeed, When()),
    Opens("荘厳な大聖堂", kNoBuilding, At(Fig::Population, 1500), kNoNeed, When()),
    Opens("木製の桟橋", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::AreaLevel, "ナハムルト海岸", 1))),
    Opens("鉄製の桟橋", kNoBuilding, kNoNeed, kNoNeed, When(Count(Pre::KnownNations, 3))),
    Opens("貿易港", kNoBuilding, kNoNeed, kNoNeed, When(Count(Pre::KnownNations, 6))),
    Opens("小さな水田", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::ItemLevel, "貧しい稲", 2))),
    Opens("限られた水田", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::ItemLevel, "普通の稲", 2))),
    Opens("見渡す限りの水田", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::ItemLevel, "餓死知らずの稲", 2))),
    Opens("ひなびた漁港", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::AreaOpen, "ナハムルト海岸"))),
    Opens("人の絶えない漁港", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::WeeksSinceStart, "ひなびた漁港", 10))),
    Opens("活気のある漁港", kNoBuilding, kNoNeed, kNoNeed, When(Is(Pre::WeeksSinceStart, "人の絶えない漁港", 20))),
    Opens("のんびり歩ける牧場", Named("小さな牧場", 3), kNoNeed, kNoNeed, When()),
    Opens("見渡す限りの牧場", Named("のんびり歩ける牧場", 3), kNoNeed, kNoNeed, When()),
    Opens("質素な王宮", kNoBuilding, At(Fig::Population, 400), kNoNeed, When()),
    Opens("なかなかの王宮", kNoBuilding, kNoNeed, kNoNeed,
          When(Is(Pre::Palace, "質素な王宮"), Count(Pre::OpenAreas, 10))),
    Opens("きらびやかな王宮", kNoBuilding, kNoNeed, kNoNeed,
          When(Is(Pre::Palace, "なかなかの王宮"), Count(Pre::PublicItems, 100))),
    Opens("豪華絢爛な王宮", kNoBuilding, kNoNeed, kNoNeed,
          When(Is(Pre::Palace, "きらびやかな王宮"), Is(Pre::NestOpen, "銀の迷宮"), Is(Pre::NestOpen, "魔術師の神殿"))),
    Opens("街外れの診療所", kNoBuilding, At(Fig::Population, 200), kNoNeed, When()),
    Opens("設備の整った医院", kNoBuilding, At(Fig::Population, 500), kNoNeed, When()),
    Opens("信頼される大病院", kNoBuilding, At(Fig::Population, 1000), kNoNeed, When()),
};

struct District {
  const char* full;
  int16_t buildings;
  int32_t price;
  const char* next;
};

const District kDistricts[] = {
    {"中央市街", 5, 3000, "東市街"},
    {"東市街", 5, 5000, "西市街"},
    {"西市街", 5, 10000, "北市街"},
    {"北市街", 5, 20000, "南市街"},
};

constexpr size_t Slot(Fig f) { return static_cast<size_t>(f); }

/// The figures gathered once at the start of the step.
struct Figures {
  std::array<int32_t, Slot(Fig::Count)> value{};  ///< by Fig; None stays 0
  int32_t publicItems = 0;
  int32_t knownNations = 0;
  std::string palace;

  int32_t Value(Fig f) const { return value[Slot(f)]; }
};

// The Boolean of the row just read. One that cannot be read is named; nothing opens on it.
std::optional<bool> ReadFlag(WeekContext& ctx, const std::string& message, std::string_view column) {
  const std::string text = ctx.db.Data(0);
  const auto flag = Flag(text);
  if (!flag) BadValue(ctx, message, column, text);
  return flag;
}

bool OpenFlag(WeekContext& ctx, const std::string& sql, const std::string& message, std::string_view column) {
  return QueryRow(ctx.db, sql) && ReadFlag(ctx, message, column).value_or(false);
}

// The first field of a query reaches `least`; a missing row, or a value that is no whole
// number, holds no rule.
bool Reaches(WeekContext& ctx, const std::string& sql, int64_t least) {
  if (!QueryRow(ctx.db, sql)) return false;
  const auto n = WholeNumber(ctx.db.Data(0));
  return n && *n >= least;
}

std::string QuotedList(const std::string& names) {
  std::string out;
  for (const std::string& name : rt::Split(names, ",")) out += (out.empty() ? "" : ",") + SqlText(name);
  return out;
}

bool Holds(WeekContext& ctx, const Figures& f, const Check& c) {
  const std::string text = c.text;
  switch (c.pre) {
    case Pre::None: return true;
    case Pre::AreaItemTypeOpen:
      return QueryNumber(ctx.db, "SELECT COUNT(*) FROM areaitem WHERE Open=True AND Type=" + SqlText(text)) > 0;
    case Pre::AreaItemOpen:
      return QueryNumber(ctx.db, "SELECT COUNT(*) FROM areaitem WHERE Name IN (" + QuotedList(text) + ") AND Open=True") > 0;
    case Pre::PublicItems: return f.publicItems >= c.n;
    case Pre::KnownRecipes:
      return QueryNumber(ctx.db, "SELECT COUNT(*) FROM itemdata,item WHERE item.Name=itemdata.Name AND Open='公開' "
                                 "AND Synthesis=True AND item.Class=" + SqlText(text)) >= c.n;
    case Pre::AreaLevel:
      return Reaches(ctx, "SELECT AreaLevel FROM area WHERE Name=" + SqlText(text), c.n);
    case Pre::AreaOpen:
      return OpenFlag(ctx, "SELECT Open FROM area WHERE Name=" + SqlText(text), "エリア情報取得エラー:TurnEnd_ConstructOpen",
                      "area.Open");
    case Pre::ItemLevel:
      return Reaches(ctx, "SELECT ItemLevel FROM itemdata WHERE Name=" + SqlText(text), c.n);
    case Pre::WeeksSinceStart: {
      // The first building of the name counts; one with no product yet (StartWeek 0) never does.
      if (!QueryRow(ctx.db, "SELECT StartWeek FROM construction WHERE Name=" + SqlText(text) + " ORDER BY ID"))
        return false;
      const auto start = WholeNumber(ctx.db.Data(0));
      return start && *start != 0 && int64_t{ctx.state.mTurn} - *start >= c.n;
    }
    case Pre::KnownNations: return f.knownNations >= c.n;
    case Pre::OpenAreas: return QueryNumber(ctx.db, "SELECT COUNT(*) FROM area WHERE Open=True") >= c.n;
    case Pre::Palace: return f.palace == text;
    case Pre::NestOpen:
      return OpenFlag(ctx, "SELECT Open FROM nest WHERE Name=" + SqlText(text),
                      "モンスターの巣情報取得エラー:TurnEnd_ConstructOpen", "nest.Open");
  }
  return false;
}

}  // namespace

void TurnEnd_ConstructCondition(WeekContext& ctx, const std::string& Name, int32_t Need1, int32_t Have1,
                                int32_t Need2, int32_t Have2, const std::string& CondText, int16_t CondCount,
                                const std::string& CondKind, TurnLog& Log) {
  if (!QueryRow(ctx.db, "SELECT Open FROM construct WHERE Name=" + SqlText(Name))) {
    ctx.MsgBox(Name + "という建物は存在しません:TurnEnd_ConstructCondition");
    return;
  }
  if (ReadFlag(ctx, "建物情報取得エラー:TurnEnd_ConstructCondition", "construct.Open").value_or(true)) return;
  if (!CondText.empty()) {
    const std::string sql =
        CondKind == "Name"
            ? "SELECT COUNT(*) FROM construction WHERE Name=" + SqlText(CondText) + " AND construction.Work=0"
            : "SELECT COUNT(*) FROM construction,construct,area "
              "WHERE construct.Name=construction.Name AND "
              "area.Name=construction.Area AND "
              "area.Type=construct.Area AND construction.Work=0 AND "
              "construct.Type=" + SqlText(CondText);
    if (!QueryRow(ctx.db, sql)) {
      ctx.MsgBox(CondText + "という建物は存在しません:TurnEnd_ConstructCondition");
      return;
    }
    if (DataL(ctx.db, 0) < CondCount) return;
  }
  if (Need1 > 0 && Need1 > Have1) return;
  if (Need2 > 0 && Need2 > Have2) return;
  ctx.db.Excute("UPDATE construct SET Open=True WHERE Name=" + SqlText(Name));
  Log.Add("newconstruct", Name + "を建設できるようになりました");
}

void AreaDevelop(WeekContext& ctx, const std::string& District, int16_t Count, int32_t Price,
                 const std::string& Next) {
  // A district missing from the catalogue cannot be developed.
  if (!QueryRow(ctx.db, "SELECT Open FROM area WHERE Name=" + SqlText(Next))) return;
  if (ReadFlag(ctx, "エリア情報取得エラー:AreaDevelop", "area.Open").value_or(true)) return;
  const int32_t count = QueryNumber(ctx.db, "SELECT COUNT(*) FROM construction WHERE Area=" + SqlText(District));
  const int32_t money = ctx.data.Money();
  if (money < Price || count < Count) return;
  const std::string question = District + "が建物で一杯になりました\r\n金" + rt::CStr(Price) + "で" + Next +
                               "を造成しますか? 現在金" + rt::CStr(money) + "持っています";
  if (ctx.ShowMSGBox(question, kMsgYesNo, true) != kAnsYes) return;
  // Paid first: a treasury spent while the question waited opens nothing.
  if (!ctx.data.MoneyDif(Price)) return;
  ctx.db.Excute("UPDATE area SET Open=True,Development=15,AreaLevel=10,Research=1100 WHERE Name=" + SqlText(Next));
  ctx.ShowMSGBox(Next + "を造成しました", kMsgClose, true);
}

void TurnEnd_ConstructOpen(WeekContext& ctx, TurnLog& Log) {
  Figures f;
  const PanelState& shown = ctx.state.panels;
  f.value[Slot(Fig::Population)] = shown.population;
  for (PanelOcc o : kAllPanelOcc) {
    f.value[Slot(Fig::Producers) + Index(o)] = shown.People(o);
    f.value[Slot(Fig::ProducerEdu) + Index(o)] = ctx.data.Education(Name(o));
  }
  f.palace = shown.palace;
  f.publicItems = QueryNumber(ctx.db, "SELECT COUNT(*) FROM itemdata WHERE Open='公開'");
  f.knownNations = QueryNumber(ctx.db, "SELECT COUNT(*) FROM country WHERE Acquaintance=True");

  for (const UnlockRule& rule : kLadder) {
    bool holds = true;
    for (const Check& c : rule.pre) holds = holds && Holds(ctx, f, c);
    if (!holds) continue;
    TurnEnd_ConstructCondition(ctx, rule.building, rule.need1.at_least, f.Value(rule.need1.fig), rule.need2.at_least,
                               f.Value(rule.need2.fig), rule.cond, rule.condCount, rule.byType ? "Type" : "Name", Log);
  }
  for (const District& d : kDistricts) AreaDevelop(ctx, d.full, d.buildings, d.price, d.next);
}

}  // namespace sim
