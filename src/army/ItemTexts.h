/** @file ItemTexts.h Short Japanese descriptions of effect strings for the tooltips of the item lists and of the nests' monsters. */
#pragma once
#include <string>
#include <string_view>

namespace itemtext {

/// Text := Line when Text is empty, else Text, CR LF and Line; an empty Line adds nothing.
void AppendLine(std::string& Text, std::string_view Line);
/// Text := Item when Text is empty, else Text, Sep and Item.
void AppendSep(std::string& Text, std::string_view Item, std::string_view Sep);

/// Groups joined by "/", a group's items by ":"; "" when nothing is recognised.
std::string RetWeaponEffectText(std::string_view Effect);    ///< weapons and arrows
std::string RetArmorEffectText(std::string_view Effect);     ///< armour and accessories
std::string RetRecoveryEffectText(std::string_view Effect);  ///< consumables, "回復:..."
std::string RetMonsterAttackText(std::string_view Effect);
std::string RetMonsterDefenceText(std::string_view Effect);

/// "効果:" and the description that the item's category calls for; "" when there is none.
std::string RetItemEffectText(std::string_view Category, std::string_view Effect);
/// "効果:" and the attack and defence descriptions joined by "/"; "" when both are empty.
std::string RetMonsterEffectText(std::string_view AttackEffect, std::string_view DefenceEffect);

/// The tooltip lines of an item row: strength by category, speed and load of a horse or the
/// weight, the effect text, the note; joined by CR LF, "" when there is nothing to say.
std::string RetItemLines(std::string_view Category, std::string_view Value, std::string_view Weight,
                         std::string_view Effect, std::string_view Note);

}  // namespace itemtext
