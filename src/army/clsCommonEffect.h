/** @file clsCommonEffect.h One effect entry of a battle unit, and the readers of effect strings ("word:value:word:value"). */
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// One effect: a word of an effect string and its power.
class clsCommonEffect {
 public:
  clsCommonEffect() = default;
  clsCommonEffect(std::string effect, int16_t power) : Effect(std::move(effect)), EffectPower(power) {}
  std::string Effect;
  int16_t EffectPower = 0;
};

/// An ordered list of effects; keyed lists keep at most one entry per word.
using EffectList = std::vector<clsCommonEffect>;

namespace effectstr {

/// The seven status words, in the order the all-round ("万能") words expand to.
inline constexpr std::string_view kStatusWords[] = {"毒", "猛毒", "暗闇", "睡眠", "麻痺", "混乱", "魅了"};
/// The twelve monster races; as an effect word a race carries an attack bonus in percent.
inline constexpr std::string_view kRaceWords[] = {"ゾンビ", "悪魔", "蛇", "獣", "獣人", "植物",
                                                  "水棲", "鳥", "無機", "幽霊", "妖精", "両棲"};

bool IsStatusWord(std::string_view word);
bool IsRaceWord(std::string_view word);
bool IsElementWord(std::string_view word);  ///< "炎", "氷" or "雷"

/// The word/value pairs of an effect string, left to right. An unpaired trailing word is dropped.
std::vector<std::pair<std::string, std::string>> Pairs(std::string_view effect);

/// A pair's value as a 16-bit integer; nothing when it is missing, not a number or out of range
/// (such a pair is skipped by every reader).
std::optional<int16_t> IntValue(std::string_view value);

/// The value of the first "速度" pair, 0 when there is none.
int16_t RetSpeedEffect(std::string_view effect);

/// Entry helpers of the unit's lists.
clsCommonEffect* Find(EffectList& list, std::string_view word);
const clsCommonEffect* Find(const EffectList& list, std::string_view word);
/// Race-bonus and attack-effect lists: the larger power wins.
void AddKeepLarger(EffectList& list, std::string_view word, int16_t power);
/// Tolerance and item lists: the first entry stays.
void AddKeepFirst(EffectList& list, std::string_view word, int16_t power);

}  // namespace effectstr
