/** @file clsUnitver2.cpp Set-up, attributes and combat rules of a battle unit. */
#include "army/clsUnitver2.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "runtime/VbError.h"

namespace {

const std::string kSaber = "セイバー";
const std::string kLancer = "ランサー";
const std::string kRider = "ライダー";
const std::string kArcher = "アーチャー";

/// A percentile draw, 1..100.
int Draw() { return static_cast<int>(std::floor(rt::Rnd() * 100 + 1)); }

std::string Num(long long n) { return std::to_string(n); }

/// a / b for the rules' ratios, limited to 0.25 .. 4.0 and defined for any strengths: a zero or
/// negative divisor (negative strengths) gives a bound rather than an infinity or no number.
double LimitedRatio(double a, double b) {
  double r = a / b;
  if (std::isnan(r)) r = 1;
  return std::clamp(rt::Round(std::clamp(r, 0.25, 4.0), 2), 0.25, 4.0);
}

/// CInt/CLng's rounding (halves to even) without their range: the caller bounds the result.
int64_t RoundWide(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int64_t>(std::clamp(std::nearbyint(v), -9.0e15, 9.0e15));
}

/// A foot class: what it carries, CInt((e/50)² × scale + offset) per soldier, and how fast it marches.
struct FootClass {
  double scale, offset;
  int baseSpeed;
  int spareBonus;  ///< added to the army's spare carrying capacity
};

const FootClass* FootClassOf(const std::string& cls) {
  static const FootClass saber{11, 20, 15, 7}, lancer{15, 25, 10, 10}, archer{9, 15, 20, 4};
  if (cls == kSaber) return &saber;
  if (cls == kLancer) return &lancer;
  if (cls == kArcher) return &archer;
  return nullptr;
}

int FootCapacity(const FootClass& foot, int education) {
  return static_cast<int>(std::min<int64_t>(RoundWide(std::pow(education / 50.0, 2) * foot.scale + foot.offset), 32767));
}

int AbnormalRank(const std::string& word) {
  if (word == "睡眠") return 1;
  if (word == "麻痺") return 2;
  if (word == "混乱") return 3;
  if (word == "魅了") return 4;
  return 0;
}

}  // namespace

void clsUnitver2::Say(const std::string& text) {
  if (Notification) Notification(text);
}

// ---- set-up ----

void clsUnitver2::SetMonster(const std::string& pstrID, const std::string& pstrUnitName,
                             const std::string& pstrUnitRace, const std::string& pstrUnitClass, int pintAttack,
                             int pintDefence, int pintSpeed, const std::string& pstrAttackEffect,
                             const std::string& pstrDefenceEffect, int pintSoldiers, int pintEducation,
                             int pintImageTable, int pintImageRow, int pintImageCol) {
  id_ = pstrID;
  name_ = pstrUnitName;
  race_ = pstrUnitRace;
  class_ = pstrUnitClass;
  armPower_ = pintAttack;
  protectPower_ = pintDefence;
  soldierMax_ = soldiers_ = pintSoldiers;
  physical_ = 100;
  speed_ = pintSpeed;
  fatigue_ = 1;
  education_ = pintEducation;
  SetAttackEffects(pstrAttackEffect);
  SetDefenceEffects(pstrDefenceEffect);

  imageRow_ = pintImageRow;
  imageCol_ = pintImageCol;
  imageTable_ = pintImageTable;
  imageNum_ = pintImageTable < 3 ? 3 : 1;
  SpriteLayout(pintImageTable == 4);
  unitMove_ = class_ == kArcher ? 3 : 22;
}

void clsUnitver2::CounterReset() {
  counter_ = 0;
  counterMod_ = 0;
}

void clsUnitver2::SetUnit(const std::string& pstrID, const std::string& pstrUnitName,
                          const std::string& pstrUnitClass, int pintSoldiers, int pintEducation) {
  id_ = pstrID;
  name_ = pstrUnitName;
  class_ = pstrUnitClass;
  education_ = pintEducation;
  soldierMax_ = soldiers_ = pintSoldiers;
  physical_ = 100;
  fatigue_ = 1;
  retreat_ = true;

  imageTable_ = 0;
  imageRow_ = 1;
  if (class_ == kSaber) imageCol_ = 1;
  else if (class_ == kLancer) imageCol_ = 2;
  else if (class_ == kRider) imageCol_ = 3;
  else if (class_ == kArcher) imageCol_ = 4;
  if (imageCol_ != 0) imageNum_ = class_ == kArcher ? 6 : 3;
  SpriteLayout(false);
  unitMove_ = class_ == kArcher ? 0 : 22;
}

void clsUnitver2::SpriteLayout(bool large) {
  // Large monsters (sheet 4) stand as fewer, bigger figures.
  imageWidth_ = large ? 105 : 48;
  imageHeight_ = large ? 85 : 64;
  figureCols_ = large ? 2 : 3;
  figureRows_ = large ? 3 : 5;
  soldiersPerFigure_ = large ? 150 : 60;
  imageTopMove_ = large ? 60 : 40;
  imageLeftMove_ = large ? 2 : 10;
}

void clsUnitver2::SetProtector(const std::string& pstrProtectorName, int pintProtector, int pintProtectorWeight) {
  protectName_ = pstrProtectorName;
  protectPower_ = pintProtector;
  protectWeight_ = pintProtectorWeight;
}

void clsUnitver2::SetAccessory(const std::string& pstrAccessoryName, int pintAccessory, int pintAccessoryWeight,
                               const std::string& pstrEffect) {
  accessoryName_ = pstrAccessoryName;
  accessoryPower_ = pintAccessory;
  accessoryWeight_ = pintAccessoryWeight;
  for (const auto& [word, value] : effectstr::Pairs(pstrEffect)) {
    if (word == "万能") {
      for (auto status : effectstr::kStatusWords) effectstr::AddKeepFirst(tolerances_, status, 100);
      continue;
    }
    auto power = effectstr::IntValue(value);
    if (!power) continue;
    if (effectstr::IsRaceWord(word)) effectstr::AddKeepLarger(raceBonus_, word, *power);
    else if (word == "速度") {
      if (class_ != kRider) speedBonus_ += *power;  // a rider's pace is its horse's
    } else effectstr::AddKeepFirst(tolerances_, word, *power);
  }
}

void clsUnitver2::ReadItemEffect(EffectList& list, const std::string& effect) {
  for (const auto& [word, value] : effectstr::Pairs(effect)) {
    if (word == "万能") {
      for (auto status : effectstr::kStatusWords) effectstr::AddKeepFirst(list, status, 100);
      continue;
    }
    if (auto power = effectstr::IntValue(value)) effectstr::AddKeepFirst(list, word, *power);
  }
}

void clsUnitver2::SetItem1(const std::string& pstrItemName, int pintItemWeight, const std::string& pstrEffect) {
  item1Name_ = pstrItemName;
  item1Weight_ = pintItemWeight;
  useItem1_ = true;
  ReadItemEffect(item1Effects_, pstrEffect);
}

void clsUnitver2::SetItem2(const std::string& pstrItemName, int pintItemWeight, const std::string& pstrEffect) {
  item2Name_ = pstrItemName;
  item2Weight_ = pintItemWeight;
  useItem2_ = true;
  ReadItemEffect(item2Effects_, pstrEffect);
}

void clsUnitver2::SetDefenceEffect(const std::string& pstrStatus, const std::string& pstrEffect) {
  const std::string& word = pstrStatus;
  if (word == "属性" || word == "耐性") {
    if (effectstr::IsElementWord(pstrEffect)) elementTolerance_ = pstrEffect;
  } else if (word == "退却") {
    retreat_ = false;
  } else if (word == "万能") {
    for (auto status : effectstr::kStatusWords)
      if (status != "魅了") effectstr::AddKeepFirst(tolerances_, status, 100);
  } else if (word == "速度") {
    if (auto power = effectstr::IntValue(pstrEffect)) speedBonus_ += *power;
  } else if (effectstr::IsStatusWord(word) && word != "魅了") {
    if (auto power = effectstr::IntValue(pstrEffect)) effectstr::AddKeepFirst(tolerances_, word, *power);
  }
}

void clsUnitver2::SetArms(const std::string& pstrArmsName, int pintArms, int pintArmsWeight) {
  armName_ = pstrArmsName;
  armPower_ = pintArms;
  armWeight_ = pintArmsWeight;
}

void clsUnitver2::SetSubArms(const std::string& pstrSubArmsName, int pintSubArms, int pintSubArmsWeight) {
  subArmName_ = pstrSubArmsName;
  subArmPower_ = pintSubArms;
  subArmWeight_ = pintSubArmsWeight;
}

void clsUnitver2::SetAttackEffect(const std::string& pstrStatus, const std::string& pstrEffect) {
  const std::string& word = pstrStatus;
  if (word == "退却") {
    retreat_ = false;
  } else if (word == "属性") {
    if (effectstr::IsElementWord(pstrEffect)) attackElement_ = pstrEffect;
  } else if (word == "特殊") {
    if (effectstr::IsElementWord(pstrEffect)) specialElement_ = pstrEffect;
  } else if (auto power = effectstr::IntValue(pstrEffect)) {
    if (word == "速度") speedBonus_ += *power;
    else if (word == "遠距離") range_ = *power;
    else if (effectstr::IsStatusWord(word) || word == "体力" || word == "疲労")
      effectstr::AddKeepLarger(attackEffects_, word, *power);
    else if (effectstr::IsRaceWord(word)) effectstr::AddKeepLarger(raceBonus_, word, *power);
  }
}

void clsUnitver2::SetAttackEffects(const std::string& pstrEffect) {
  for (const auto& [word, value] : effectstr::Pairs(pstrEffect)) SetAttackEffect(word, value);
}

void clsUnitver2::SetDefenceEffects(const std::string& pstrEffect) {
  for (const auto& [word, value] : effectstr::Pairs(pstrEffect)) SetDefenceEffect(word, value);
}

// ---- attributes ----

int clsUnitver2::Arms() const { return armPower_ + (class_ == kArcher ? subArmPower_ : 0); }

int clsUnitver2::ID() const {
  try {
    return rt::CInt(id_);
  } catch (const rt::VbError&) {
    return 0;
  }
}

int clsUnitver2::Load() const {
  int load = armWeight_ + protectWeight_ + accessoryWeight_ + item1Weight_ + item2Weight_;
  if (class_ != kRider) load += subArmWeight_;
  return load;
}

int32_t clsUnitver2::GetWeight() const {
  const FootClass* foot = FootClassOf(class_);
  int allowance = foot ? FootCapacity(*foot, education_) : subArmWeight_;  // a rider's horse carries
  int k = foot ? foot->spareBonus : 5;
  // 32 bits: a large army's spare capacity passes 32767.
  int64_t spare = static_cast<int64_t>(allowance - Load()) * soldiers_ + k;
  return static_cast<int32_t>(std::clamp<int64_t>(spare, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int clsUnitver2::ImageUnitCols() const {
  int per = soldiersPerFigure_ * figureRows_;
  if (per <= 0) return 0;
  return std::min(static_cast<int>(std::floor(static_cast<double>(soldiers_) / per)) + 1, figureCols_);
}

int clsUnitver2::ImageUnitRows(int pCol) const {
  if (soldiersPerFigure_ <= 0) return 0;
  double left = soldiers_ - static_cast<double>(pCol - 1) * figureRows_ * soldiersPerFigure_;
  return std::min(static_cast<int>(std::floor(left / soldiersPerFigure_)) + 1, figureRows_);
}

int clsUnitver2::ImageLeft(int pintIndex) const {
  int i = FrameIndex(pintIndex);
  switch (imageTable_) {
    case 0: case 1: case 2: return imageWidth_ * ((imageCol_ - 1) * 3 + (i - 1));
    case 3: case 4: return imageWidth_ * (imageCol_ - 1);
    default: return 0;
  }
}

int clsUnitver2::ImageTop(int /*pintIndex*/) const {
  switch (imageTable_) {
    case 0: return imageHeight_;
    case 1: return imageHeight_ * imageRow_;
    case 2: return (imageRow_ - 1) * 2 * imageHeight_ + imageHeight_;
    case 3: case 4: return imageHeight_;
    default: return 0;
  }
}

int clsUnitver2::MaskImageTop(int /*pintIndex*/) const {
  return imageTable_ == 2 ? (imageRow_ - 1) * 2 * imageHeight_ : 0;
}

// ---- factors ----

void clsUnitver2::Init(const std::string& pOPC, const std::string& pOPRace) {
  opponentClass_ = pOPC;
  if (race_.empty()) {
    if (const FootClass* foot = FootClassOf(class_)) {
      capacity_ = FootCapacity(*foot, education_);
      int load = Load();
      // Nothing to carry: the base pace (the quotient has no value).
      speed_ = load == 0 ? foot->baseSpeed
                         : static_cast<int>(std::clamp<int64_t>(
                               RoundWide(foot->baseSpeed * std::min(static_cast<double>(capacity_) / load, 1.5)),
                               -32768, 32767));
    } else if (class_ == kRider) {
      speed_ = subArmPower_;
    }
  }
  CalcClassAffinity();
  GetRaceBonus(pOPRace);
}

void clsUnitver2::CalcClassAffinity() {
  const std::string& me = class_;
  const std::string& op = opponentClass_;
  double e2 = std::pow(education_ / 100.0, 2);
  auto is = [&](const std::string& a, const std::string& b) { return me == a && op == b; };
  if (me == op || me == kSaber || op == kSaber) classFactor_ = e2 + 1;
  else if (is(kLancer, kRider) || is(kRider, kArcher) || is(kArcher, kLancer)) classFactor_ = e2 * 1.2 + 1;
  else if (is(kLancer, kArcher) || is(kRider, kLancer) || is(kArcher, kRider)) classFactor_ = e2 * 1.5 + 0.5;
  else classFactor_ = e2 + 1;  // a class outside the table meets its opponent on even terms
}

void clsUnitver2::GetRaceBonus(const std::string& opRace) {
  raceFactor_ = 1.0;
  if (opRace.empty()) return;
  if (const auto* e = effectstr::Find(raceBonus_, opRace)) raceFactor_ = 1 + e->EffectPower / 100.0;
}

double clsUnitver2::CalcSoldierRate(int o) {
  int s = soldiers_;
  if (o <= 0) {
    soldierFactor_ = s > 0 ? 4.0 : 1.0;  // the limit of the ratio against nobody
    return soldierFactor_;
  }
  double g = std::pow(static_cast<double>(s) / o, 2) * 0.1 + 1;
  if (s > o) soldierFactor_ = std::min(g, 4.0);
  else if (s < o) soldierFactor_ = std::max(1 / g, 0.25);
  else soldierFactor_ = 1.0;
  return soldierFactor_;
}

double clsUnitver2::ElementFactor(const std::string& tolerance, const std::string& element) {
  if (tolerance == "炎" && element == "炎") return 0.2;
  if (tolerance == "氷" && element == "炎") return 0.5;
  if (tolerance == "氷" && element == "氷") return 0.2;
  if (tolerance == "炎" && element == "氷") return 0.5;
  if (tolerance == "氷" && element == "雷") return 1.5;
  if (!tolerance.empty() || element.empty()) return 1.0;
  return 1.33;
}

// ---- the action counter ----

void clsUnitver2::CountAdd() {
  int step = speed_ + speedBonus_;
  if (step < 1) step = 1;
  counter_ += step;
  if (statusPoison_ == "毒") counter_ -= 2;
  else if (statusPoison_ == "猛毒") counter_ -= 5;
  if (counter_ >= 100) {
    battleFlg_ = true;
    counter_ -= 100;
    counterMod_ = counter_;
  }
}

// ---- checks before acting ----

bool clsUnitver2::StatusCheckAbnormal() {
  ownAttack_ = false;
  bool result = false;
  if (statusAbnormal_ == "睡眠") {
    battleFlg_ = false;
    Say(name_ + "は眠っていて攻撃できない");
  } else if (statusAbnormal_ == "麻痺") {
    rt::Randomize();
    if (Draw() <= 66) {
      battleFlg_ = false;
      Say(name_ + "は麻痺で攻撃できない");
    }
  } else if (statusAbnormal_ == "混乱") {
    rt::Randomize();
    int d = Draw();
    if (d <= 33) {
      battleFlg_ = false;
      Say(name_ + "は混乱して攻撃できない");
    } else if (d <= 66) {
      result = ownAttack_ = true;
    }
  } else if (statusAbnormal_ == "魅了") {
    rt::Randomize();
    if (Draw() >= 76) {
      battleFlg_ = false;
      Say(name_ + "は相手に魅了されている");
    } else {
      result = ownAttack_ = true;
    }
  }
  if (!battleFlg_) StatusRecover();
  return result;
}

bool clsUnitver2::StatusCheckBlindness() {
  if (statusBlindness_ != "暗闇") return false;
  rt::Randomize();
  if (Draw() > 33) return false;
  battleFlg_ = false;
  Say(name_ + "は暗闇で攻撃をはずした");
  StatusRecover();
  return true;
}

// ---- attack, defence and damage ----

int32_t clsUnitver2::Attack(int pOPSoldiers, int pintProtects, const std::string& pOPMaterialTolerance) {
  double s = CalcSoldierRate(pOPSoldiers);
  // 32 bits: soldiers times power passes 32767 in a large army.
  double base = static_cast<double>(soldiers_) * Arms();
  double f = rt::Round(s * classFactor_ * raceFactor_, 2);
  rt::Randomize();
  int k = static_cast<int>(std::floor(rt::Rnd() * 10 + 1));
  const std::string& element = (k % 2 == 1 && !specialElement_.empty()) ? specialElement_ : attackElement_;
  double m = ElementFactor(pOPMaterialTolerance, element);
  double value = std::floor(base * f * m / fatigue_);
  value = std::clamp(value, static_cast<double>(std::numeric_limits<int32_t>::min()),
                     static_cast<double>(std::numeric_limits<int32_t>::max()));
  if (AttackAnime) AttackAnime(element, ownAttack_);
  ownAttack_ = false;  // it marks this action only, not a shot in the next battle's ranged phase
  AddTiredness(true, pintProtects, pOPSoldiers);
  StatusRecover();
  return static_cast<int32_t>(value);
}

void clsUnitver2::AddTiredness(bool attack, int x, int opSoldiers) {
  int old = fatigue_;
  double s = opSoldiers >= soldiers_ ? 1 / soldierFactor_ : soldierFactor_;
  double rate = LimitedRatio(x + 5.0, (attack ? Arms() : Protects()) + 5.0);
  fatigue_ = static_cast<int>(std::clamp<int64_t>(RoundWide(std::floor(2 * s + 2 * rate) + old + 1), 1, 101));
  if (fatigue_ != old) Say(name_ + "は疲労が" + Num(fatigue_ - old) + "増えた");
}

int32_t clsUnitver2::Defence() const {
  int64_t d = static_cast<int64_t>(soldiers_) * Protects() / fatigue_;
  if (d < 1) d = 1;
  return static_cast<int32_t>(std::min<int64_t>(d, std::numeric_limits<int32_t>::max()));
}

void clsUnitver2::Damege(int pOPSoldiers, int32_t pAttack, int pArms) {
  int old = physical_;
  int32_t d = Defence();
  double q = 2.0 * pAttack / d + 1;
  // A negative attack (negative strengths) takes nothing; a loss of 1000 or more takes all.
  if (q < 999.5) physical_ = static_cast<int>(std::clamp<int64_t>(physical_ - std::max<int64_t>(RoundWide(q), 0), 0, 100));
  else physical_ = 0;
  Say(name_ + "の体力が" + Num(old - physical_) + "減った");
  CalcSoldierRate(pOPSoldiers);
  AddTiredness(false, pArms, pOPSoldiers);
  CalcInjury(LimitedRatio(pArms + 5.0, Protects() + 5.0), pOPSoldiers);
  if (DamageAnime) DamageAnime(old - physical_);
  if (physical_ == 0) {
    giveUp_ = true;
    Say(name_ + "は体力が0になり、戦闘不能になった");
  } else if (soldiers_ == 0) {
    giveUp_ = true;
    Say(name_ + "は戦闘可能な兵士がいなくなった");
  }
}

void clsUnitver2::CalcInjury(double pdblArms, int pOPSoldiers) {
  double r = pdblArms;
  double n = pOPSoldiers;
  double q = 1 / classFactor_;
  rt::Randomize();
  auto trialsOf = [](double v) { return static_cast<int>(std::clamp<int64_t>(RoundWide(v), 0, 1 << 20)); };
  auto pass = [&](int trials, float threshold) {
    int count = 0;
    for (int t = 0; t < trials; ++t)
      if (threshold >= static_cast<float>(Draw())) ++count;
    count = std::min(count, soldiers_);
    soldiers_ -= count;
    return count;
  };
  int before = soldiers_;
  int dead, serious, light;
  if (r < 1) {
    dead = pass(std::max(1, trialsOf(rt::Round(r * 5) / 100 * n)), static_cast<float>(q * 5));
    serious = pass(std::max(1, trialsOf(rt::Round(r * 10) / 100 * n)), static_cast<float>(q * 7));
    light = pass(std::max(1, trialsOf(rt::Round(r * 20) / 100 * n)), static_cast<float>(q * 10));
  } else {
    auto threshold = static_cast<float>(std::floor(r * 10) * q);
    dead = pass(trialsOf(rt::Round(r * 2.5 + 2.5) / 100 * n), threshold);
    serious = pass(trialsOf(rt::Round(r * 5 + 5) / 100 * n), threshold);
    light = pass(trialsOf(rt::Round(r * 10 + 10) / 100 * n), threshold);
  }
  injury_ += light;
  seriousInjury_ += serious;
  dead_ += dead;
  if (light != 0) Say(name_ + "から軽症者が" + Num(light) + "人出た");
  if (serious != 0) Say(name_ + "から重傷者が" + Num(serious) + "人出た");
  if (dead != 0) Say(name_ + "から死者が" + Num(dead) + "人出た");
  if (soldiers_ != before) {
    Say(name_ + "の兵士が" + Num(before) + "人から" + Num(soldiers_) + "人になった");
    Say(name_ + "の兵士が" + Num(soldiers_) + "人になった");
  }
}

// ---- statuses ----

void clsUnitver2::DamegeEffect(const EffectList& pcolAttackEffect) {
  // The attacker's list may be this unit's own (a confused unit strikes itself): work on a copy.
  EffectList effects = pcolAttackEffect;
  for (const auto& e : effects) {
    if (effectstr::Find(tolerances_, e.Effect)) continue;
    rt::Randomize();
    double t = rt::Round(std::sqrt(fatigue_ * 20.0) - 20, 2);
    if (t < 1) t = 1;
    double threshold = std::floor((t / 100 + 1) * e.EffectPower);
    if (!(Draw() < threshold)) continue;
    const std::string& w = e.Effect;
    if (w == "毒") {
      if (statusPoison_.empty()) {
        statusPoison_ = w;
        Say(name_ + "は毒に冒された");
      }
    } else if (w == "猛毒") {
      statusPoison_ = w;
      Say(name_ + "は猛毒に冒された");
    } else if (w == "暗闇") {
      if (statusBlindness_.empty()) {
        statusBlindness_ = w;
        Say(name_ + "は暗闇に包まれた");
      }
    } else if (int rank = AbnormalRank(w)) {
      if (statusAbnormal_.empty()) {
        statusAbnormal_ = w;
        Say(w == "魅了" ? name_ + "は魅了された" : name_ + "は" + w + "になった");
      } else if (rank > AbnormalRank(statusAbnormal_)) {
        statusAbnormal_ = w;
        if (w == "魅了") Say(name_ + "は魅了された");
        else if (w == "混乱") Say(name_ + "は混乱した");
        else Say(name_ + "は麻痺した");
      }
    }
  }
}

void clsUnitver2::StatusRecover() {
  if (!statusBlindness_.empty()) {
    rt::Randomize();
    if (Draw() <= 25) {
      statusBlindness_.clear();
      Say(name_ + "の暗闇が回復した");
    }
  }
  if (!statusAbnormal_.empty()) {
    rt::Randomize();
    int d = Draw();
    int limit = statusAbnormal_ == "睡眠" ? 50 : statusAbnormal_ == "魅了" ? 25 : 33;
    if (d <= limit) {
      Say(name_ + "の" + statusAbnormal_ + "が回復した");
      statusAbnormal_.clear();
    }
  }
  if (statusPoison_ == "毒") {
    physical_ -= 5;
    Say(name_ + "は毒で5のダメージ");
  } else if (!statusPoison_.empty()) {
    physical_ -= 10;
    Say(name_ + "は猛毒で10のダメージ");
  }
  if (physical_ <= 0) {
    physical_ = 0;
    giveUp_ = true;
    Say(name_ + "は体力が0になり、戦闘不能になった");
  }
}

// ---- effects on oneself, items ----

void clsUnitver2::ApplyEffect(const EffectList& list, const std::string& source) {
  for (const auto& e : list) {
    const std::string& w = e.Effect;
    int p = e.EffectPower;
    if (w == "体力") {
      physical_ = std::clamp(physical_ + p, 0, 100);
      Say(source + "の効果で体力が" + Num(p) + "回復した");
    } else if (w == "疲労") {
      fatigue_ = std::clamp(fatigue_ - p, 1, 101);
      Say(source + "の効果で疲労が" + Num(p) + "回復した");
    } else if (w == "軽傷" || w == "重傷" || w == "死者") {
      // At most the casualties there are, never fewer than none, whatever the item says.
      int& count = w == "軽傷" ? injury_ : w == "重傷" ? seriousInjury_ : dead_;
      int m = static_cast<int>(std::clamp<int64_t>(RoundWide(p / 100.0 * soldierMax_), 0, count));
      count -= m;
      soldiers_ += m;
      const char* who = w == "軽傷" ? "軽傷者" : w == "重傷" ? "重傷者" : "死者";
      Say(source + "の効果で" + who + "が" + Num(m) + "人回復した");
    } else if (w == "睡眠") {
      if (statusAbnormal_ == w) {
        statusAbnormal_.clear();
        Say(source + "の効果で" + name_ + "は目覚めた");
      }
    } else if (w == "麻痺" || w == "混乱" || w == "魅了") {
      if (statusAbnormal_ == w) {
        statusAbnormal_.clear();
        Say(source + "の効果で" + name_ + "の" + w + (w == "麻痺" ? "が治った" : "が直った"));
      }
    } else if (w == "暗闇") {
      if (statusBlindness_ == w) {
        statusBlindness_.clear();
        Say(source + "の効果で" + name_ + "の暗闇が治った");
      }
    } else if (w == "毒" || w == "猛毒") {
      if (statusPoison_ == w) {
        statusPoison_.clear();
        Say(source + "の効果で" + name_ + "の" + w + "が治った");
      }
    }
  }
}

const EffectList& clsUnitver2::AttackEffect() {
  ApplyEffect(attackEffects_, armName_);
  return attackEffects_;
}

void clsUnitver2::UseItem(EffectList& list, const std::string& name, bool& usable) {
  if (list.empty()) return;
  Say(name_ + "は" + name + "を使った");
  ApplyEffect(list, name);
  usable = false;
}

void clsUnitver2::UseItem1() { UseItem(item1Effects_, item1Name_, useItem1_); }

void clsUnitver2::UseItem2() { UseItem(item2Effects_, item2Name_, useItem2_); }
