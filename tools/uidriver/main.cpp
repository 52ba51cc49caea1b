/** @file main.cpp uidriver: runs a scripted screen scenario and saves PNG screenshots of its windows. */
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "Driver.h"
#include "platform/Window.h"

namespace fs = std::filesystem;

namespace {

std::string gOut = "uidriver-out";
std::vector<std::string> gSaved;

std::map<std::string, std::function<void()>>& Scenarios() {
  static std::map<std::string, std::function<void()>> table;
  return table;
}

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
  std::fprintf(stderr, "uidriver: %s: %s\n", step.c_str(), what.c_str());
  std::fflush(nullptr);
  std::_Exit(1);
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
  try {
    it->second();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "uidriver: %s\n", e.what());
    return 1;
  }
  for (const auto& p : gSaved) std::printf("%s\n", p.c_str());
  return 0;
}
