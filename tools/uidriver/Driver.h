/** @file Driver.h What the uidriver scenarios share: the output folder, screenshots, the scenario table. */
#pragma once
#include <filesystem>
#include <functional>
#include <string>

namespace plat {
class Control;
class Window;
}

namespace uidriver {

/// The folder the PNGs go to (--out).
const std::string& OutDir();
/// Saves the window's client area as OutDir()/<name>.png; a failure ends the scenario.
void Save(plat::Window& w, const std::string& name);

/// A failed check or step: ends the scenario with a non-zero exit and this text.
[[noreturn]] void Fail(const std::string& step, const std::string& what);

/// A fresh copy of the game folder the build made (vesk.mdb, image/, sound/; no vesk.ini) in a
/// temporary folder, made the program's folder (plat::ProgramFolder) and removed when the
/// scenario ends. Scenarios that start the game the real way begin here.
std::filesystem::path GameFolder();

/// The centre of a control in its window's client pixels.
struct At {
  int x, y;
};
At Centre(const plat::Control& c);
/// A player's hand: the pointer moved onto the control's centre, or a left click there.
void HoverOn(const plat::Control& c);
void ClickOn(const plat::Control& c);

/// Message boxes are part of the script: each one must be expected, in order, by its text (a
/// part of it is enough); it is saved as <png> (when not empty) and answered by clicking the
/// button with the caption `press`. Any other message box ends the scenario, naming its text;
/// so does one shown before GameFolder. A scenario without a game folder that expects a box
/// installs its own handler around that step: plat::ScriptedMessageBox to answer it, or
/// plat::MessageBoxScope with a plat::StandardMessageBox to show and press the real window.
void ExpectMessageBox(const std::string& text, const std::string& press, const std::string& png = "");
/// Fails unless every expected message box has been shown.
void CheckMessageBoxesShown(const std::string& step);

/// Registers a scenario under its name (done by UIDRIVER_SCENARIO at start-up).
bool Register(const char* name, std::function<void()> run);

}  // namespace uidriver

/// Defines a scenario: `UIDRIVER_SCENARIO(title) { ... }` in its own file under scenarios/.
#define UIDRIVER_SCENARIO(name)                                                     \
  static void Scenario_##name();                                                    \
  [[maybe_unused]] static const bool kRegistered_##name = uidriver::Register(#name, Scenario_##name); \
  static void Scenario_##name()
