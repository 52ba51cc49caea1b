/** @file battlesim.cpp Fights a chosen army against a nest's monsters, headless, for balancing the army content. */
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "army/BattleSetup.h"
#include "army/clsBattle.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "platform/MessageBox.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "runtime/VbError.h"

namespace {

const char kUsage[] =
    "使い方: battlesim [--seed N] [--count N] --nest NAME --class NAME --soldiers N --education N\n"
    "                  [--arms ITEM] [--protector ITEM] [--accessory ITEM] [--subarms ITEM] DATABASE\n";

/// A battle left undecided is fought again, as a player answering "はい" would, this many times.
constexpr int kReBattles = 9;

struct Options {
  uint64_t seed = 1;
  long count = 1;
  std::string nest, unitClass, database;
  int soldiers = -1, education = -1;
  std::map<std::string, std::string> items;  ///< slot word -> item name
};

std::optional<long long> Number(const std::string& text) {
  try {
    size_t used = 0;
    long long n = std::stoll(text, &used);
    if (used == text.size()) return n;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

bool Parse(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.rfind("--", 0) != 0) {
      if (!o.database.empty()) return error = "データベースは一つだけ指定してください: " + a, false;
      o.database = a;
      continue;
    }
    if (i + 1 >= argc) return error = a + " に値がありません", false;
    std::string v = argv[++i];
    auto whole = [&](long long lo, long long hi) -> std::optional<long long> {
      auto n = Number(v);
      if (!n || *n < lo || *n > hi) error = a + " の値が正しくありません: " + v;
      return n && *n >= lo && *n <= hi ? n : std::nullopt;
    };
    if (a == "--seed") {
      auto n = whole(0, INT64_MAX);
      if (!n) return false;
      o.seed = static_cast<uint64_t>(*n);
    } else if (a == "--count") {
      auto n = whole(1, 100000000);
      if (!n) return false;
      o.count = static_cast<long>(*n);
    } else if (a == "--soldiers") {
      auto n = whole(1, 32767);
      if (!n) return false;
      o.soldiers = static_cast<int>(*n);
    } else if (a == "--education") {
      auto n = whole(0, 100);
      if (!n) return false;
      o.education = static_cast<int>(*n);
    } else if (a == "--nest") o.nest = v;
    else if (a == "--class") o.unitClass = v;
    else if (a == "--arms") o.items["武器"] = v;
    else if (a == "--protector") o.items["防具"] = v;
    else if (a == "--accessory") o.items["アクセサリ"] = v;
    else if (a == "--subarms") o.items["サブ"] = v;
    else return error = "知らないオプションです: " + a, false;
  }
  if (o.nest.empty() || o.unitClass.empty() || o.soldiers < 0 || o.education < 0 || o.database.empty())
    return error = "--nest, --class, --soldiers, --education とデータベースは必須です", false;
  return true;
}

const char* ResultText(BattleResult r) {
  switch (r) {
    case BattleResult::Win: return "勝利";
    case BattleResult::Lose: return "敗北";
    case BattleResult::Retreat: return "退却";
    case BattleResult::Undecided: return "決着つかず";
  }
  return "";
}

/// One expedition: the army against each monster of the nest in turn, as the conquest fights it.
/// Returns the outcome of the last battle (Win only when every monster fell).
BattleResult Expedition(const clsUnitver2& armyTemplate, const std::vector<clsUnitver2>& monsters,
                        const std::string& field, bool transcript) {
  clsBattle battle;
  RecordingBattleDisplay display;
  battle.Init(&display, nullptr);
  battle.Anime(false);
  auto army = std::make_shared<clsUnitver2>(armyTemplate);
  const std::string armyKey = army->UnitName() + army->UnitID();
  battle.UnitAdd(army, armyKey);
  BattleResult result = BattleResult::Lose;
  for (const auto& m : monsters) {
    auto monster = std::make_shared<clsUnitver2>(m);
    const std::string key = monster->UnitName() + monster->UnitID();
    battle.UnitAdd(monster, key);
    battle.SetBattleField(field);
    for (int round = 0; round <= kReBattles; ++round) {
      display.Messages.clear();
      battle.StartBattle(armyKey, key);
      result = battle.Result();
      if (transcript) {
        for (const auto& line : display.Messages) std::cout << line << '\n';
        std::cout << "-- " << monster->UnitName() << ": " << ResultText(result) << '\n';
      }
      if (result != BattleResult::Undecided) break;
    }
    battle.UnitRemove(key);
    if (result != BattleResult::Win) break;
  }
  if (transcript)
    std::cout << "国王軍: 兵士 " << army->Soldiers() << "/" << army->SoldierMax() << "、軽傷 " << army->Injury()
              << "、重傷 " << army->SeriousInjury() << "、死者 " << army->Dead() << "、体力 " << army->Physical()
              << '\n';
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  std::string error;
  if (!Parse(argc, argv, o, error)) {
    std::cerr << error << '\n' << kUsage;
    return 2;
  }
  // Nobody is there to close a box: it goes to standard error.
  plat::SetApplicationTitle("battlesim");
  plat::StderrMessageBox stderrBox;
  plat::MessageBoxScope useStderr(&stderrBox);
  bool opened = false;
  auto connection = CreateDB::OpenDB(o.database, CreateDB::kScrambledPassword, opened);
  clsDB db;
  if (!opened || !connection || !db.DBSet(connection)) {
    std::cerr << "データベースを開けません: " << o.database << '\n';
    return 1;
  }

  // The army, equipped as formation equips it.
  clsUnitver2 army;
  army.SetUnit("1", "国王軍", o.unitClass, o.soldiers, o.education);
  for (const auto& [slot, name] : o.items) {
    std::string slotWord = slot == "サブ" ? (o.unitClass == "ライダー" ? "馬" : "矢") : slot;
    auto item = LoadItem(db, name, slotWord);
    if (!item) {
      std::cerr << "アイテムが見つかりません: " << name << '\n';
      return 1;
    }
    EquipUnit(army, *item);
  }

  auto nest = LoadNest(db, o.nest);
  if (!nest) {
    std::cerr << "モンスターの巣が見つかりません: " << o.nest << '\n';
    return 1;
  }
  std::vector<clsUnitver2> monsters;
  for (const auto& name : nest->Monsters) {
    auto m = LoadMonster(db, name, "2", nest->Soldiers);
    if (!m) {
      std::cerr << "モンスターが見つかりません: " << name << '\n';
      return 1;
    }
    monsters.push_back(*m);
  }
  if (monsters.empty()) {
    std::cerr << "この巣にはモンスターがいません: " << o.nest << '\n';
    return 1;
  }

  std::map<BattleResult, long> tally;
  auto started = std::chrono::steady_clock::now();
  for (long i = 0; i < o.count; ++i) {
    rt::VirtualClock clock;
    rt::SetClock(&clock);
    rt::RandomizeSeed(o.seed + static_cast<uint64_t>(i));
    ++tally[Expedition(army, monsters, nest->BattleField, o.count == 1)];
    rt::SetClock(nullptr);
  }
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();

  if (o.count == 1) {
    std::cout << "結果: " << ResultText(tally.begin()->first) << '\n';
  } else {
    long wins = tally[BattleResult::Win];
    std::printf("勝率: %.1f%% (%ld/%ld)  敗北 %ld  退却 %ld  決着つかず %ld\n", 100.0 * wins / o.count, wins, o.count,
                tally[BattleResult::Lose], tally[BattleResult::Retreat], tally[BattleResult::Undecided]);
    std::printf("%ld 回の遠征: %.1f ms (1,000 回あたり %.1f ms)\n", o.count, ms, ms * 1000.0 / o.count);
  }
  return 0;
}
