/** @file main.cpp uidriver: runs a scripted screen scenario and saves PNG screenshots of its windows. */
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/Program.h"
#include "app/Screens.h"
#include "app/basQz.h"
#include "app/frmSetting.h"
#include "app/frmTitle.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/GameDbBuilder.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/StdControls.h"
#include "platform/Window.h"
#include "runtime/Strings.h"
#include "sim/SimDb.h"

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

void Expect(bool ok, const std::string& step, const std::string& what) {
  if (!ok) Fail(step, what);
}

plat::Surface Picture(const std::string& name) {
  plat::Surface s;
  std::string error;
  if (!plat::LoadPicture((fs::path(VESK_GAME_DIR) / "image" / name).string(), s, error)) Fail("load " + name, error);
  return s;
}

fs::path GameFolder() {
  const fs::path source = VESK_GAME_DIR;
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

frmMain2& StartFromTitle(const std::string& step) {
  JoinGame();
  if (Main() != StartResult::Started) Fail(step, "did not start");
  frmTitle* title = TitleScreenWindow();
  Expect(title != nullptr, step, "no title screen");
  plat::DoEvents();
  ClickOn(title->GLLStart);
  frmMain2* main = MainScreenWindow();
  Expect(main && main->IsShown() && title->Form().Closed(), step, "the main window did not take over");
  plat::DoEvents();
  return *main;
}

std::unique_ptr<frmMain2> LoadMainWindow() {
  Hooks() = StartupHooks{};
  Hooks().MakeDB = [] { gDB = std::make_shared<clsDB>(); };
  Hooks().MakeObjects = [] {
    gBattle = std::make_shared<clsBattle>();
    gMngUnitItems = std::make_shared<clsMngUnitItems>();
  };
  if (Main() != StartResult::Started) Fail("start-up", "did not start");
  Screens().ShowSettings = ShowSettingDialog;  // as the program's entry sets it
  auto main = std::make_unique<frmMain2>();
  if (!main->Form_Load()) Fail("load", "the main window did not load");
  main->Show();
  return main;
}

std::string Query(const std::string& sql) {
  if (!gDB) Fail("database", "the game is not running");
  return sim::QueryRow(*gDB, sql) ? gDB->Data(0) : std::string();
}

void ExpectQuery(const std::string& step, const std::string& sql, const std::string& want) {
  const std::string got = Query(sql);
  if (got != want) Fail(step, sql + " gave \"" + got + "\", not \"" + want + "\"");
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

void QueueClick(const plat::Control& c) {
  const At at = Centre(c);
  plat::Window& w = *c.GetWindow();
  plat::input::MouseMove(w, at.x, at.y);
  plat::input::MouseDown(w, at.x, at.y);
  plat::input::MouseUp(w, at.x, at.y);
}

plat::Control* Find(plat::Control& c, const std::function<bool(plat::Control&)>& pick) {
  if (pick(c)) return &c;
  for (plat::Control* child : c.Children())
    if (plat::Control* found = Find(*child, pick)) return found;
  return nullptr;
}

void MenuWord(frmMain2& w, const std::string& word) {
  // An item left open by the last choice opens again only after the pointer has left it.
  plat::input::MouseMove(w, 790, 380);
  plat::DoEvents();
  ctrGameMenu& m = w.GMenu;
  for (int16_t i = 1; i <= m.MenuListCount(); ++i) {
    const std::vector<std::string> words = rt::Split(m.SubMenuList(i), ":");
    const auto at = std::find(words.begin(), words.end(), word);
    if (at == words.end()) continue;
    const auto k = static_cast<int16_t>(at - words.begin() + 1);
    HoverOn(m.MenuItem(i));
    HoverOn(m.SubMenuItem(k));
    ClickOn(m.SubMenuItem(k));
    return;
  }
  Fail("menu", "no menu word " + word);
}

At OntoRecord(ctrGraphicalGrid& g, int field, const std::string& value) {
  int k = -1;
  for (int i = 0; i + 1 < g.RowCount(); ++i)
    if (g.RecordValue(i, field) == value) k = i;
  if (k < 0) Fail("list", "no row " + value);
  plat::Window& w = *g.GetWindow();
  const plat::Point o = g.OriginInWindow();
  for (int turns = 0; turns < 100; ++turns) {
    const int r = k - g.TopRow() + 3;  // screen row: 1 the titles, 2 the top record
    if (r >= 2 && r <= g.VisibleRows()) {
      const At at{o.x + g.CellRect(0, 1).left + 5, o.y + (r - 1) * ctrGraphicalGrid::kRowHeight + 10};
      plat::input::MouseMove(w, at.x, at.y);
      plat::DoEvents();
      return at;
    }
    plat::input::WheelAt(w, o.x + 20, o.y + 30, r < 2 ? 1 : -1);
    plat::DoEvents();
  }
  Fail("list", "row " + value + " never came into sight");
}

At OntoCell(ctrGraphicalView& v, int16_t row, int16_t col) {
  const plat::Rect r = v.Table().TextRect(row, col);
  const plat::Point o = v.OriginInWindow();
  const At at{o.x + (r.left + r.right) / 2, o.y + (r.top + r.bottom) / 2};
  plat::input::MouseMove(*v.GetWindow(), at.x, at.y);
  plat::DoEvents();
  return at;
}

void DragSlider(ctrPicSliderBar& s, int32_t v) {
  const std::string step = "slider to " + std::to_string(v);
  Expect(s.IsShown() && v >= s.Min() && v <= s.Max(), step,
         "it goes from " + std::to_string(s.Min()) + " to " + std::to_string(s.Max()));
  plat::Window& w = *s.GetWindow();
  const double scale = static_cast<double>(s.Width() - s.SliderImage().Width()) / std::max(s.Max() - s.Min(), 1);
  const plat::Point knob = s.Knob().OriginInWindow(), track = s.OriginInWindow();
  const int32_t before = s.Value();
  const int y = knob.y + 10, fromX = knob.x + 8, toX = track.x + static_cast<int>((v - s.Min()) * scale) + 8;
  plat::input::MouseMove(w, fromX, y);
  plat::input::MouseDown(w, fromX, y);
  plat::DoEvents();
  for (int x = fromX; x != toX; x += toX > x ? 1 : -1) {
    plat::input::MouseMove(w, x, y);
    plat::DoEvents();
  }
  plat::input::MouseUp(w, toX, y);
  plat::DoEvents();
  Expect(std::abs(toX - fromX) < 4 || s.Value() != before, step, "the drag did not move the knob");
  for (int guard = 0; s.Value() != v && guard < 20; ++guard) {
    const At at = Centre(s.Knob());
    plat::input::ClickAt(w, at.x, at.y, s.Value() > v ? plat::kLeftButton : plat::kRightButton);
    plat::DoEvents();
  }
  Expect(s.Value() == v, step, "it stands at " + std::to_string(s.Value()));
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
  // The same script with or without a sound device: the scenarios play nothing.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
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
  // The driver's hand is on the front window, also where no window manager gives focus (a bare
  // X server): its controls are active as a player's would be.
  struct FrontWindowActive : plat::IActiveWindow {
    const plat::Window* ActiveWindow() override { return plat::FrontWindow(); }
  } front;
  plat::SetActiveWindowSource(&front);
  plat::input::SyntheticMouseOnly(true);
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
