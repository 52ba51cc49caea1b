/** @file app_settings.cpp Loading, reading and saving a settings file of many keys. */
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/CIniFile.h"

namespace {

/// A settings file of `keys` keys in section "Setting" in a temporary folder.
std::string MakeFile(int keys) {
  const auto path = std::filesystem::temp_directory_path() / ("vesk_bench_ini_" + std::to_string(::getpid()) + ".ini");
  std::ofstream out(path, std::ios::binary);
  out << "[Setting]\n";
  for (int i = 0; i < keys; ++i) out << "Key" << i << "=値" << i << "\n";
  return path.string();
}

void BM_LoadSettings(benchmark::State& st) {
  const std::string file = MakeFile(static_cast<int>(st.range(0)));
  for (auto _ : st) {
    CIniFile ini;
    benchmark::DoNotOptimize(ini.Load(file));
  }
  std::filesystem::remove(file);
}

void BM_ReadAndChangeEveryKey(benchmark::State& st) {
  const int keys = static_cast<int>(st.range(0));
  const std::string file = MakeFile(keys);
  CIniFile ini;
  ini.Load(file);
  ini.NowSection("Setting");
  for (auto _ : st) {
    for (int i = 0; i < keys; ++i) benchmark::DoNotOptimize(ini.Data("key" + std::to_string(i)));
    ini.Data("Key0", "changed");  // a changed key moves to the end
  }
  std::filesystem::remove(file);
}

}  // namespace

BENCHMARK(BM_LoadSettings)->Arg(100)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndChangeEveryKey)->Arg(100)->Arg(20000)->Unit(benchmark::kMillisecond);
