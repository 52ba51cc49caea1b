/** @file Driver.h What the uidriver scenarios share: the output folder, screenshots, the game's start, a player's hand on the main window, the scenario table. */
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace plat {
class Control;
class Surface;
class Window;
}
class ctrGraphicalGrid;
class ctrGraphicalView;
class ctrPicSliderBar;
class frmMain2;

namespace uidriver {

/// The folder the PNGs go to (--out).
const std::string& OutDir();
/// Saves the window's client area as OutDir()/<name>.png; a failure ends the scenario.
void Save(plat::Window& w, const std::string& name);

/// A failed check or step: ends the scenario with a non-zero exit and this text.
[[noreturn]] void Fail(const std::string& step, const std::string& what);
/// Fail(step, what) unless ok.
void Expect(bool ok, const std::string& step, const std::string& what);

/// A picture of the game folder the build made (image/<name>).
plat::Surface Picture(const std::string& name);

/// A fresh copy of the game folder the build made (vesk.mdb, image/, sound/; no vesk.ini) in a
/// temporary folder, made the program's folder (plat::ProgramFolder) and removed when the
/// scenario ends, with a new game built from data/. Every scenario that opens the game begins here.
std::filesystem::path GameFolder();

/// Start-up as the program runs it, then 開始 on the title: the main window loads and takes over.
/// `step` names a failure.
frmMain2& StartFromTitle(const std::string& step);
/// The main window loaded and shown straight after start-up, without the title.
std::unique_ptr<frmMain2> LoadMainWindow();
/// The first value of a query's first row, "" when there is none, read through the running
/// game's own connection (the game holds its file exclusively).
std::string Query(const std::string& sql);
/// Fail(step, ...) unless Query(sql) reads `want`.
void ExpectQuery(const std::string& step, const std::string& sql, const std::string& want);

/// The centre of a control in its window's client pixels.
struct At {
  int x, y;
};
At Centre(const plat::Control& c);
/// A player's hand: the pointer moved onto the control's centre, or a left click there.
void HoverOn(const plat::Control& c);
void ClickOn(const plat::Control& c);
/// A left click at the centre of a control, queued: delivered by whichever loop runs next (the
/// message box's wait, a dialog's modal loop), as a player's click would be.
void QueueClick(const plat::Control& c);
/// The first control under `c` (itself included) that `pick` accepts, or nullptr.
plat::Control* Find(plat::Control& c, const std::function<bool(plat::Control&)>& pick);

/// The main window's menu word: the pointer off the menu, onto the main item that offers the
/// word, onto the word, and a click.
void MenuWord(frmMain2& w, const std::string& word);
/// The pointer onto the record of a list whose field `field` reads `value`, scrolled into sight
/// by the wheel first; where it rests.
At OntoRecord(ctrGraphicalGrid& g, int field, const std::string& value);
/// The pointer onto the centre of a view's cell; where it rests.
At OntoCell(ctrGraphicalView& v, int16_t row, int16_t col);
/// The slider's knob dragged to `v`, then stepped by single clicks on it to exactly `v`.
void DragSlider(ctrPicSliderBar& s, int32_t v);

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
