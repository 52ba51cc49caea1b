/** @file TurnLog.cpp The weekly report string. */
#include "sim/TurnLog.h"

#include "runtime/Strings.h"

namespace sim {

void TurnLog::Add(std::string_view kind, std::string_view text) {
  std::string safe = rt::Replace(rt::Replace(text, ",", "，"), ":", "：");
  text_.append(kind).append(":").append(safe).append(",");
}

std::vector<std::pair<std::string, std::string>> TurnLog::Entries() const {
  std::vector<std::pair<std::string, std::string>> out;
  if (text_.empty()) return out;
  // The closing "," goes, then the entries split at ","; kind and text at ":".
  std::string body = text_.back() == ',' ? text_.substr(0, text_.size() - 1) : text_;
  for (const std::string& entry : rt::Split(body, ",")) {
    std::vector<std::string> parts = rt::Split(entry, ":");
    out.emplace_back(parts.empty() ? std::string() : parts[0], parts.size() > 1 ? parts[1] : std::string());
  }
  return out;
}

}  // namespace sim
