/** @file Driver.h What the uidriver scenarios share: the output folder, screenshots, the scenario table. */
#pragma once
#include <functional>
#include <string>

namespace plat {
class Window;
}

namespace uidriver {

/// The folder the PNGs go to (--out).
const std::string& OutDir();
/// Saves the window's client area as OutDir()/<name>.png; a failure ends the scenario.
void Save(plat::Window& w, const std::string& name);

/// A failed check or step: ends the scenario with a non-zero exit and this text.
[[noreturn]] void Fail(const std::string& step, const std::string& what);

/// Registers a scenario under its name (done by UIDRIVER_SCENARIO at start-up).
bool Register(const char* name, std::function<void()> run);

}  // namespace uidriver

/// Defines a scenario: `UIDRIVER_SCENARIO(title) { ... }` in its own file under scenarios/.
#define UIDRIVER_SCENARIO(name)                                                     \
  static void Scenario_##name();                                                    \
  [[maybe_unused]] static const bool kRegistered_##name = uidriver::Register(#name, Scenario_##name); \
  static void Scenario_##name()
