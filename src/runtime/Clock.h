/** @file Clock.h The one clock of the program, for waits, timers and seeding; tests inject a virtual one. */
#pragma once
#include <cstdint>
#include <memory>

namespace rt {

/// What the program asks of a clock.
class IClock {
 public:
  virtual ~IClock() = default;
  virtual int64_t NowMs() = 0;             ///< milliseconds, monotonic
  virtual int64_t WallSeconds() = 0;       ///< seconds since the Unix epoch (local dates derive from it)
  virtual void SleepMs(int64_t ms) = 0;    ///< wait; a virtual clock only moves its time on
};

/// The real clock.
class SystemClock : public IClock {
 public:
  int64_t NowMs() override;
  int64_t WallSeconds() override;
  void SleepMs(int64_t ms) override;
};

/// A clock whose time moves only when slept on or advanced: a whole battle runs in milliseconds.
class VirtualClock : public IClock {
 public:
  explicit VirtualClock(int64_t startMs = 0, int64_t wallSeconds = 1700000000)
      : nowMs_(startMs), wall_(wallSeconds) {}
  int64_t NowMs() override { return nowMs_; }
  int64_t WallSeconds() override { return wall_ + nowMs_ / 1000; }
  void SleepMs(int64_t ms) override { if (ms > 0) nowMs_ += ms; }
  void Advance(int64_t ms) { nowMs_ += ms; }

 private:
  int64_t nowMs_;
  int64_t wall_;
};

/// The clock in use (a SystemClock unless one was set).
IClock& Clock();
/// Replace the clock in use; pass nullptr to go back to the system clock. The caller keeps ownership.
void SetClock(IClock* clock);

/// Seconds since local midnight, with fractions (the old Timer function).
double Timer();
/// Sleep on the clock in use.
void Sleep(int64_t ms);

}  // namespace rt
