/** @file GameState.cpp The context's message boxes. */
#include "sim/GameState.h"

#include "runtime/Strings.h"
#include "sim/IniSettings.h"

namespace sim {

int32_t WeekContext::ShowMSGBox(const std::string& Msg, int32_t Buttons, bool Hide) {
  ModalWait wait(state);
  return screen.ShowMSGBox(Msg, Buttons, Hide);
}

void WeekContext::MsgBox(const std::string& text, const std::string& title) {
  ModalWait wait(state);
  screen.MsgBox(text, title);
}

std::string MemorySettings::Get(const std::string& key) {
  for (const auto& [k, v] : values_)
    if (rt::EqualsNoCase(k, key)) return v;
  return "";
}

void MemorySettings::Set(const std::string& key, const std::string& value) {
  for (auto& [k, v] : values_)
    if (rt::EqualsNoCase(k, key)) { v = value; return; }
  values_.emplace_back(key, value);
}

}  // namespace sim
