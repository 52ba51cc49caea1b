/** @file ItemTexts.cpp The tooltip words of item and monster effect strings. */
#include "army/ItemTexts.h"

#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "army/clsCommonEffect.h"

namespace itemtext {
namespace {

using effectstr::IsElementWord;
using effectstr::IsStatusWord;

// "label:items" when there are items.
std::string Group(std::string_view label, const std::string& items) {
  return items.empty() ? std::string() : std::string(label) + items;
}

// The non-empty parts joined by "/".
std::string Groups(std::initializer_list<std::string> parts) {
  std::string out;
  for (const auto& p : parts)
    if (!p.empty()) AppendSep(out, p, "/");
  return out;
}

// "2アップ" or "2ダウン"; "" for a value that is not a number.
std::string SpeedItem(const std::string& value) {
  auto v = effectstr::IntValue(value);
  if (!v) return "";
  return std::to_string(std::abs(static_cast<int>(*v))) + (*v >= 0 ? "アップ" : "ダウン");
}

// Weapons and armour share one shape: a word group, elements, speed, retreat.
std::string EquipmentText(std::string_view Effect, bool armour) {
  std::string words, elements, speed, range, retreat;
  for (const auto& [word, value] : effectstr::Pairs(Effect)) {
    if (IsStatusWord(word) || (armour && word == "万能")) AppendSep(words, word, ":");
    else if (IsElementWord(word)) AppendSep(elements, word, ":");
    else if (word == "速度") { if (auto s = SpeedItem(value); !s.empty()) AppendSep(speed, s, ":"); }
    else if (word == "遠距離" && !armour) AppendSep(range, value + "回", ":");
    else if (word == "退却") retreat = "退却不可";
  }
  return Groups({Group(armour ? "無効:" : "追加:", words), Group("属性:", elements), Group("速度:", speed),
                 Group("遠距離:", range), retreat});
}

bool IsOneOf(std::string_view s, std::initializer_list<std::string_view> list) {
  for (auto w : list)
    if (s == w) return true;
  return false;
}

}  // namespace

void AppendLine(std::string& Text, std::string_view Line) {
  if (Line.empty()) return;
  if (Text.empty()) Text = Line;
  else Text += "\r\n" + std::string(Line);
}

void AppendSep(std::string& Text, std::string_view Item, std::string_view Sep) {
  if (Text.empty()) Text = Item;
  else Text += std::string(Sep) + std::string(Item);
}

std::string RetWeaponEffectText(std::string_view Effect) { return EquipmentText(Effect, false); }

std::string RetArmorEffectText(std::string_view Effect) { return EquipmentText(Effect, true); }

std::string RetRecoveryEffectText(std::string_view Effect) {
  std::string physical, fatigue, states, light, serious, dead;
  for (const auto& [word, value] : effectstr::Pairs(Effect)) {
    if (IsStatusWord(word) || word == "万能") AppendSep(states, word, ":");
    else if (word == "体力") physical = "体力" + value;
    else if (word == "疲労") fatigue = "疲労" + value;
    else if (word == "軽傷") light = "軽傷者" + value + "人";
    else if (word == "重傷") serious = "重傷者" + value + "人";
    else if (word == "死者") dead = "死者" + value + "人";
  }
  std::string text = Groups({physical, fatigue, Group("状態:", states), light, serious, dead});
  return text.empty() ? text : "回復:" + text;
}

std::string RetMonsterAttackText(std::string_view Effect) {
  std::string range, special, states;
  for (const auto& [word, value] : effectstr::Pairs(Effect)) {
    if (IsStatusWord(word)) AppendSep(states, word, ":");
    else if (word == "遠距離") AppendSep(range, value + "回", ":");
    else if (word == "属性") AppendSep(special, value, ":");
  }
  return Groups({Group("遠距離:", range), Group("特殊攻撃:", special), Group("状態異常:", states)});
}

std::string RetMonsterDefenceText(std::string_view Effect) {
  std::string values;
  for (const auto& [word, value] : effectstr::Pairs(Effect))
    if (word == "耐性") AppendSep(values, value, ":");
  return Group("耐性:", values);
}

std::string RetItemEffectText(std::string_view Category, std::string_view Effect) {
  if (Effect.empty()) return "";
  std::string text;
  if (IsOneOf(Category, {"剣", "弓", "槍", "矢", "武器"})) text = RetWeaponEffectText(Effect);
  else if (IsOneOf(Category, {"軽鎧", "重鎧", "全身鎧", "防具", "アクセサリ", "兜", "靴", "装飾品"}))
    text = RetArmorEffectText(Effect);
  else if (IsOneOf(Category, {"回復薬", "食料"})) text = RetRecoveryEffectText(Effect);
  return text.empty() ? text : "効果:" + text;
}

std::string RetMonsterEffectText(std::string_view AttackEffect, std::string_view DefenceEffect) {
  std::string text;
  if (!AttackEffect.empty()) AppendSep(text, RetMonsterAttackText(AttackEffect), "/");
  if (!DefenceEffect.empty()) {
    const std::string defence = RetMonsterDefenceText(DefenceEffect);
    if (!defence.empty()) AppendSep(text, defence, "/");
  }
  return text.empty() ? text : "効果:" + text;
}

std::string RetItemLines(std::string_view Category, std::string_view Value, std::string_view Weight,
                         std::string_view Effect, std::string_view Note) {
  std::string text;
  if (IsOneOf(Category, {"剣", "弓", "槍", "矢"})) AppendLine(text, "攻撃力:" + std::string(Value));
  else if (IsOneOf(Category, {"軽鎧", "重鎧", "全身鎧", "兜", "靴", "装飾品", ""}))
    AppendLine(text, "防御力:" + std::string(Value));
  if (Category == "馬") {
    AppendLine(text, "速度:" + std::string(Value));
    AppendLine(text, "搭載可能重量:" + std::string(Weight));
  } else if (Weight != "0") {
    AppendLine(text, "重量:" + std::string(Weight));
  }
  if (!Effect.empty()) AppendLine(text, RetItemEffectText(Category, Effect));
  if (!Note.empty()) AppendLine(text, Note);
  return text;
}

}  // namespace itemtext
