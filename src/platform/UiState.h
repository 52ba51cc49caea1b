/** @file UiState.h Internal: the one state the windows, controls, router and timers share. */
#pragma once
#include <cstdint>
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
  uint64_t pressed = 0;          // control that took the last left press (for Click)
  std::vector<Timer*> timers;
  IActiveWindow* activeSource = nullptr;
  Window* lastShown = nullptr;
};

UiState& Ui();
/// Starts SDL's video and events once; throws std::runtime_error with a Japanese text if it cannot.
void EnsureVideo();

}  // namespace plat::detail
