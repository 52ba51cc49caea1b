/** @file EventLoop.h The one-thread loop: DoEvents, timers, Sleep, the active window, synthetic input. */
#pragma once
#include <cstdint>
#include <functional>

#include "platform/Window.h"

namespace plat {

/// Pumps the window system once and dispatches what is pending (mouse, close requests,
/// SIGTERM and SIGHUP as a close request), runs the timers that are due and presents changed
/// windows. May be called from inside any handler, timers included. Starts the window system on
/// first use and throws std::runtime_error (Japanese text) when it cannot.
void DoEvents();
/// Sleeps on the program's clock (a test's virtual clock only moves on).
void Sleep(int64_t ms);
/// Runs the loop until `done` returns true (checked after each round) or no window is shown.
void RunLoop(const std::function<bool()>& done = nullptr);

/// A timer on the loop. Its Tick runs inside DoEvents (also a nested one) once the interval has
/// passed on the program's clock; a Tick is never entered again while it runs.
class Timer {
 public:
  Timer();
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int64_t Interval() const { return interval_; }
  void SetInterval(int64_t ms);  ///< restarts the count; 0 stops the timer
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);  ///< enabling starts the count from now

  std::function<void()> Tick;

 private:
  friend void RunTimers();
  int64_t interval_ = 0;
  bool enabled_ = false;
  bool running_ = false;
  int64_t due_ = 0;
};

/// How the program ends when it cannot end the ordinary way: the connection to the window
/// system is lost (the X server has gone: the player logged out, the display server restarted),
/// or the close requests of SIGTERM or SIGHUP were refused (a week, a battle or a question
/// running). `save` then writes what a close would have saved, once; it must not wait for the
/// player (message boxes go to standard error from then on, EndingAtOnce()) and nothing touches
/// the window system any more. The process then ends with exit code 1, without exit handlers,
/// which would destroy windows on a connection that is gone. Unset (nullptr), a lost connection
/// still ends the process at once and a refused signal leaves the windows as they are.
void SetEndAtOnce(std::function<void()> save);
bool EndingAtOnce();

/// The innermost modal window that is open, or nullptr (tools drive open dialogs through it).
Window* TopModalWindow();
/// The window in front: the innermost modal one, else the last shown window still shown.
Window* FrontWindow();

/// Where "which window is active" comes from. The default asks the window system; under the
/// dummy video driver, which has no focus, the platform keeps it as a bare X server would: the
/// window last shown has it, and a window closing with it passes it to the window under it.
class IActiveWindow {
 public:
  virtual ~IActiveWindow() = default;
  virtual const Window* ActiveWindow() = 0;
};
/// Replaces the source; nullptr goes back to the default. The caller keeps ownership.
void SetActiveWindowSource(IActiveWindow* source);
bool IsActiveWindow(const Window& w);

/// Synthetic input: each call queues one event as the window system would; DoEvents() delivers
/// it. (x, y) are client pixels of the window.
namespace input {
void MouseMove(const Window& w, int x, int y);
void MouseDown(const Window& w, int x, int y, int button = kLeftButton);
void MouseUp(const Window& w, int x, int y, int button = kLeftButton);
/// Move, press and release at one point, each delivered at once.
void ClickAt(const Window& w, int x, int y, int button = kLeftButton);
void WheelAt(const Window& w, int x, int y, int direction);
void CloseRequest(const Window& w);
void Terminate();  ///< as SIGTERM: a close request to every shown window
/// While on, mouse events from the window system are dropped and only these synthetic ones are
/// delivered: a driving tool's script is not disturbed where a real pointer rests on its window.
void SyntheticMouseOnly(bool on);
}  // namespace input

}  // namespace plat
