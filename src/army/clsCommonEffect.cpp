/** @file clsCommonEffect.cpp Reading effect strings. */
#include "army/clsCommonEffect.h"

#include <algorithm>

#include "runtime/Convert.h"
#include "runtime/VbError.h"

namespace effectstr {

bool IsStatusWord(std::string_view word) {
  return std::find(std::begin(kStatusWords), std::end(kStatusWords), word) != std::end(kStatusWords);
}

bool IsRaceWord(std::string_view word) {
  return std::find(std::begin(kRaceWords), std::end(kRaceWords), word) != std::end(kRaceWords);
}

bool IsElementWord(std::string_view word) { return word == "炎" || word == "氷" || word == "雷"; }

std::vector<std::pair<std::string, std::string>> Pairs(std::string_view effect) {
  std::vector<std::string> parts;
  if (!effect.empty()) {
    size_t start = 0;
    for (;;) {
      size_t colon = effect.find(':', start);
      if (colon == std::string_view::npos) {
        parts.emplace_back(effect.substr(start));
        break;
      }
      parts.emplace_back(effect.substr(start, colon - start));
      start = colon + 1;
    }
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
  return pairs;
}

std::optional<int16_t> IntValue(std::string_view value) {
  if (value.empty() || !rt::IsNumeric(value)) return std::nullopt;
  try {
    return rt::CInt(value);
  } catch (const rt::VbError&) {
    return std::nullopt;
  }
}

int16_t RetSpeedEffect(std::string_view effect) {
  for (const auto& [word, value] : Pairs(effect))
    if (word == "速度") return IntValue(value).value_or(0);
  return 0;
}

clsCommonEffect* Find(EffectList& list, std::string_view word) {
  for (auto& e : list)
    if (e.Effect == word) return &e;
  return nullptr;
}

const clsCommonEffect* Find(const EffectList& list, std::string_view word) {
  for (const auto& e : list)
    if (e.Effect == word) return &e;
  return nullptr;
}

void AddKeepLarger(EffectList& list, std::string_view word, int16_t power) {
  if (auto* e = Find(list, word)) {
    if (power > e->EffectPower) e->EffectPower = power;
    return;
  }
  list.emplace_back(std::string(word), power);
}

void AddKeepFirst(EffectList& list, std::string_view word, int16_t power) {
  if (Find(list, word)) return;
  list.emplace_back(std::string(word), power);
}

}  // namespace effectstr
