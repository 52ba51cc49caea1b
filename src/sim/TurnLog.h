/** @file TurnLog.h The weekly report string: entries "kind:text," of 18 report kinds and "gameover". */
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

/// The report kinds by index; the setting "Report" & index switches the showing of a kind.
inline constexpr std::array<std::string_view, 18> kReportKeys = {
    "newarea",  "areaitem",           "newitem", "newnest",     "newcountry", "newconstruct",
    "arealevelup", "itemresearch",    "itemconsume", "people",  "constructionpeople", "tax",
    "itemproduct", "construct",       "trade",   "continueitem", "iteminport", "itemexport"};
inline constexpr std::string_view kGameOverKey = "gameover";
inline constexpr std::string_view kGameOverText = "国民の信頼を失いました";

/// One week's report. Steps append whole entries; the driver reads them back at the week's end.
class TurnLog {
 public:
  /// Appends "kind:text,". A "," or ":" inside text would split the entry, so they become
  /// their full-width forms.
  void Add(std::string_view kind, std::string_view text);
  /// Appends the game-over entry.
  void GameOver() { Add(kGameOverKey, kGameOverText); }

  /// The raw report string, for steps written against the text form.
  std::string& Text() { return text_; }
  const std::string& Text() const { return text_; }
  bool Empty() const { return text_.empty(); }

  /// The entries as (kind, text) pairs in writing order.
  std::vector<std::pair<std::string, std::string>> Entries() const;

 private:
  std::string text_;
};

}  // namespace sim
