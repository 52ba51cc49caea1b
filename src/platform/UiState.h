/** @file UiState.h Internal: the one state the windows, controls, router and timers share. */
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/Control.h"
#include "platform/EventLoop.h"
#include "platform/Window.h"

namespace plat::detail {

struct UiState {
  std::unordered_map<uint64_t, Control*> controls;  // live controls by id
  uint64_t nextId = 1;
  std::vector<Window*> windows;  // creation order
  std::vector<Window*> modal;    // modal windows, innermost last
  uint64_t capture = 0;          // control id holding the mouse
  bool captureImplicit = false;  // taken by a press, released when all buttons are up
  int buttons = 0;               // buttons held, as MouseButton mask
  uint32_t pointerWindow = 0;    // SDL id of the window the pointer was last seen over
  Point pointer;                 // in that window's client pixels
  std::optional<Point> pointerOnScreen;  // where it was last seen in screen pixels, that window gone
  uint64_t pressed = 0;          // control that took the last left press (for Click)
  std::vector<Timer*> timers;
  IActiveWindow* activeSource = nullptr;
  Window* lastShown = nullptr;
  // The window with the input focus where the window system keeps none (the dummy driver), as a
  // bare X server keeps it: a window shown takes it, a window closing passes it on.
  Window* focus = nullptr;
  std::function<void()> saveAtOnce;  // SetEndAtOnce
  bool endingAtOnce = false;         // nothing touches the window system any more
};

UiState& Ui();
/// The dummy video driver runs: no window system, no focus of its own.
bool DummyVideo();
/// Starts SDL's video and events once; throws std::runtime_error with a Japanese text if it cannot,
/// also when SDL, left to choose by itself, took a driver that shows nothing (no desktop session).
void EnsureVideo();
/// From now on SIGHUP (the terminal that started the program closed) reaches the loop as SIGTERM
/// does: a close request to every window. Left alone where SIGHUP is ignored (nohup).
void WatchHangUp();
/// Ends the program at once as SetEndAtOnce says: saves once (a second call, from inside the
/// save, ends at once), then _exit(1). `why`, when given, goes to standard error first.
[[noreturn]] void EndAtOnce(const char* why);

}  // namespace plat::detail
