/** @file Clock.cpp The system clock, the clock in use, Timer and Sleep. */
#include "runtime/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace rt {
namespace {
SystemClock gSystemClock;
IClock* gClock = &gSystemClock;
}  // namespace

int64_t SystemClock::NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t SystemClock::WallSeconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

void SystemClock::SleepMs(int64_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

IClock& Clock() { return *gClock; }
void SetClock(IClock* clock) { gClock = clock ? clock : &gSystemClock; }

double Timer() {
  // Seconds since local midnight. The system clock's fraction must come from the same reading
  // as its seconds: the monotonic clock's milliseconds do not tick with the wall clock, and
  // mixing the two made Timer run backwards within a second.
  int64_t wallMs;
  if (gClock == &gSystemClock) {
    using namespace std::chrono;
    wallMs = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  } else {
    wallMs = gClock->WallSeconds() * 1000 + gClock->NowMs() % 1000;
  }
  std::time_t t = static_cast<std::time_t>(wallMs / 1000);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec + static_cast<double>(wallMs % 1000) / 1000.0;
}

void Sleep(int64_t ms) { gClock->SleepMs(ms); }

}  // namespace rt
