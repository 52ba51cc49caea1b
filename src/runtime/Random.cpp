/** @file Random.cpp The game's pseudo-random generator and the scripted stand-in for tests. */
#include "runtime/Random.h"

#include <cmath>

#include "runtime/Clock.h"
#include "runtime/Convert.h"

namespace rt {
namespace {

// splitmix64: small, fast and good enough for a game's draws.
uint64_t gState = 0x853c49e6748fea9bULL;
ScriptedRandom* gScript = nullptr;

uint64_t Next() {
  uint64_t z = (gState += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

}  // namespace

double Rnd() {
  if (gScript) {
    ScriptedRandom& s = *gScript;
    if (s.values_.empty()) return 0.0;
    size_t i = s.next_++;
    if (i >= s.values_.size()) i = s.cycle_ ? i % s.values_.size() : s.values_.size() - 1;
    return s.values_[i];
  }
  return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

void Randomize() {
  if (gScript) return;
  gState ^= static_cast<uint64_t>(Clock().NowMs()) * 0x9e3779b97f4a7c15ULL +
            static_cast<uint64_t>(Clock().WallSeconds());
  Next();
}

void RandomizeSeed(uint64_t seed) { gState = seed * 0x2545F4914F6CDD1DULL + 1; }

int RndPercent() { return static_cast<int>(Round(Rnd() * 100.0)); }

ScriptedRandom::ScriptedRandom(std::vector<double> values, bool cycle)
    : values_(std::move(values)), cycle_(cycle), previous_(gScript) {
  gScript = this;
}

ScriptedRandom::~ScriptedRandom() { gScript = previous_; }

}  // namespace rt
