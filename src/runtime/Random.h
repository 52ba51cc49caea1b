/** @file Random.h The one pseudo-random generator on [0,1), re-seeded from the clock; tests script it. */
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace rt {

/// The next draw in [0, 1).
double Rnd();
/// Re-seed the generator from the clock (the old Randomize). Ignored while draws are scripted.
void Randomize();
/// Seed the generator with a fixed number (for tools with --seed).
void RandomizeSeed(uint64_t seed);
/// Draw N = Rnd * 100 rounded half to even: the game's percentage draw.
int RndPercent();

/// While alive, Rnd() returns the given values in order, then repeats the last one
/// (or, when `cycle` is true, starts again from the first). Restores the generator on destruction.
class ScriptedRandom {
 public:
  explicit ScriptedRandom(std::vector<double> values, bool cycle = false);
  ~ScriptedRandom();
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;
  size_t Drawn() const { return next_; }  ///< how many draws were taken

 private:
  friend double Rnd();
  std::vector<double> values_;
  bool cycle_;
  size_t next_ = 0;
  ScriptedRandom* previous_;
};

}  // namespace rt
