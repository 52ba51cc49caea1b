/** @file main.cpp uidriver: runs a scripted screen scenario and saves PNG screenshots of its windows. */
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "Driver.h"
#include "db/GameDbBuilder.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/StdControls.h"
#include "platform/Window.h"

namespace fs = std::filesystem;

namespace {

std::string gOut = "uidriver-out";
// The longest a scenario may run; the slowest (the whole game, sanitized) takes well under a minute.
constexpr unsigned kWatchdogSeconds = 600;
std::vector<std::string> gSaved;

std::map<std::string, std::function<void()>>& Scenarios() {
  static std::map<std::string, std::function<void()>> table;
  return table;
}

std::vector<fs::path> gTempFolders;

void RemoveTempFolders() {
  std::error_code ec;
  for (const auto& folder : gTempFolders) fs::remove_all(folder, ec);
  gTempFolders.clear();
}

// Message boxes as the script expects them: each is saved and answered by a click on its button.
class ScriptedBoxes : public plat::IMessageBox {
 public:
  struct Expected {
    std::string text, press, png;
  };
  std::deque<Expected> expected;

  int Show(const std::string& prompt, int style, const std::string& title) override {
    if (expected.empty()) uidriver::Fail("message box", "unexpected: " + prompt);
    Expected e = expected.front();
    expected.pop_front();
    if (prompt.find(e.text) == std::string::npos)
      uidriver::Fail("message box", "expected \"" + e.text + "\", shown: " + prompt);
    plat::Timer answer;
    answer.SetInterval(20);
    answer.Tick = [&answer, e] {
      plat::Window* box = plat::TopModalWindow();
      if (!box) return;
      answer.SetEnabled(false);
      if (!e.png.empty()) uidriver::Save(*box, e.png);
      for (plat::Control* c : box->Children())
        if (auto* b = dynamic_cast<plat::CommandButton*>(c); b && b->Caption() == e.press) {
          const uidriver::At at = uidriver::Centre(*b);
          plat::input::ClickAt(*box, at.x, at.y);
          return;
        }
      uidriver::Fail("message box", "no button " + e.press);
    };
    answer.SetEnabled(true);
    return plat::StandardMessageBox().Show(prompt, style, title);
  }
};

ScriptedBoxes* gBoxes = nullptr;

// The handler until a scenario installs its own: nobody would be there to close a real box.
class UnexpectedMessageBox : public plat::IMessageBox {
 public:
  int Show(const std::string& prompt, int, const std::string& title) override {
    uidriver::Fail("unexpected message box \"" + title + "\"", prompt);
  }
};

int Usage() {
  std::string names;
  for (const auto& [name, run] : Scenarios()) names += " " + name;
  std::fprintf(stderr, "usage: uidriver [--out DIR] SCENARIO\nscenarios:%s\n", names.c_str());
  return 2;
}

}  // namespace

namespace uidriver {

const std::string& OutDir() { return gOut; }

void Save(plat::Window& w, const std::string& name) {
  std::string error;
  const std::string path = (fs::path(gOut) / (name + ".png")).string();
  if (!w.SaveScreenshot(path, error)) Fail("screenshot " + name, error);
  gSaved.push_back(path);
}

void Fail(const std::string& step, const std::string& what) {
  RemoveTempFolders();
  std::fprintf(stderr, "uidriver: %s: %s\n", step.c_str(), what.c_str());
  std::fflush(nullptr);
  std::_Exit(1);
}

fs::path GameFolder() {
  const fs::path source = UIDRIVER_GAME_DIR;
  std::error_code ec;
  if (!fs::exists(source / "image", ec)) Fail("game folder", source.string() + " has no pictures: build the game first");
  std::string pattern = (fs::temp_directory_path() / "vesk-uidriver-XXXXXX").string();
  if (!mkdtemp(pattern.data())) Fail("game folder", "cannot make a temporary folder");
  const fs::path folder = pattern;
  gTempFolders.push_back(folder);
  // A new game from data/, never the player's saved game in build/game: a scenario's checks
  // must not depend on how far somebody has played there.
  try {
    BuildGameDatabase(fs::path(VESK_SOURCE_DIR) / "data", folder / "vesk.mdb");
  } catch (const std::exception& e) {
    Fail("game folder", std::string("cannot build a new game database: ") + e.what());
  }
  for (const char* sub : {"image", "sound"})
    if (!ec) fs::copy(source / sub, folder / sub, fs::copy_options::recursive, ec);
  if (ec) Fail("game folder", "cannot copy " + source.string() + ": " + ec.message());
  plat::SetProgramFolder(folder);
  if (!gBoxes) {
    gBoxes = new ScriptedBoxes;
    plat::SetMessageBoxHandler(gBoxes);
  }
  return folder;
}

At Centre(const plat::Control& c) {
  const plat::Point o = c.OriginInWindow();
  return At{o.x + c.Width() / 2, o.y + c.Height() / 2};
}

void HoverOn(const plat::Control& c) {
  const At at = Centre(c);
  plat::input::MouseMove(*c.GetWindow(), at.x, at.y);
  plat::DoEvents();
}

void ClickOn(const plat::Control& c) {
  const At at = Centre(c);
  plat::input::ClickAt(*c.GetWindow(), at.x, at.y);
}

void ExpectMessageBox(const std::string& text, const std::string& press, const std::string& png) {
  if (!gBoxes) Fail("message box", "expected before the game folder was made");
  gBoxes->expected.push_back({text, press, png});
}

void CheckMessageBoxesShown(const std::string& step) {
  if (gBoxes && !gBoxes->expected.empty()) Fail(step, "message box not shown: " + gBoxes->expected.front().text);
}

bool Register(const char* name, std::function<void()> run) {
  Scenarios()[name] = std::move(run);
  return true;
}

}  // namespace uidriver

int main(int argc, char** argv) {
  std::string scenario;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--out" && i + 1 < argc) gOut = argv[++i];
    else if (!a.empty() && a[0] == '-') return Usage();
    else if (scenario.empty()) scenario = a;
    else return Usage();
  }
  if (scenario.empty()) return Usage();
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  auto it = Scenarios().find(scenario);
  if (it == Scenarios().end()) {
    std::fprintf(stderr, "uidriver: unknown scenario \"%s\"\n", scenario.c_str());
    return Usage();
  }
  std::error_code ec;
  fs::create_directories(gOut, ec);
  if (ec) {
    std::fprintf(stderr, "uidriver: cannot make %s: %s\n", gOut.c_str(), ec.message().c_str());
    return 1;
  }
  // A scenario that waits for something that never comes (a box nobody answers, a close the
  // game refuses) must not hang the test run: SIGALRM's default action ends the process.
  alarm(kWatchdogSeconds);
  UnexpectedMessageBox unexpected;
  plat::MessageBoxScope failOnBox(&unexpected);
  try {
    it->second();
  } catch (const std::exception& e) {
    RemoveTempFolders();
    std::fprintf(stderr, "uidriver: %s\n", e.what());
    return 1;
  }
  RemoveTempFolders();
  for (const auto& p : gSaved) std::printf("%s\n", p.c_str());
  return 0;
}
