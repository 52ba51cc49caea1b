/** @file EventLoop.cpp The loop: pumping and routing window-system events, timers, the active window. */
#include "platform/EventLoop.h"

#include <SDL.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/MessageBox.h"
#include "platform/UiState.h"
#include "runtime/Clock.h"

namespace plat {

using detail::Ui;

// Grants the loop the window internals it drives (dragging, dirty state).
struct LoopAccess {
  static bool Dragging(Window& w) { return w.dragging_; }
  static void StopDrag(Window& w) { w.dragging_ = false; }
  static void DragTo(Window& w, int clientX, int clientY) {
    Point pos = w.Position();
    w.SetPosition(pos.x + clientX - w.dragGrab_.x, pos.y + clientY - w.dragGrab_.y);
  }
  static void MarkDirty(Window& w) { w.MarkDirty(); }
};

namespace {

enum class Kind { Move, Down, Up };

int ButtonMask(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return kLeftButton;
    case SDL_BUTTON_RIGHT: return kRightButton;
    case SDL_BUTTON_MIDDLE: return kMiddleButton;
    default: return 0;
  }
}

uint8_t SdlButton(int button) {
  return button == kRightButton ? SDL_BUTTON_RIGHT : button == kMiddleButton ? SDL_BUTTON_MIDDLE : SDL_BUTTON_LEFT;
}

bool AcceptsInput(const Window& w) {
  auto& ui = Ui();
  return w.IsShown() && (ui.modal.empty() || ui.modal.back() == &w);
}

Point LocalPoint(const Window& from, int x, int y, const Control& target) {
  Window* tw = target.GetWindow();
  Point a = from.Position(), b = tw ? tw->Position() : a, o = target.OriginInWindow();
  return Point{x + a.x - b.x - o.x, y + a.y - b.y - o.y};
}

void DeliverMouse(Window& w, Kind kind, int x, int y, int button) {
  auto& ui = Ui();
  ui.pointerWindow = w.SdlId();
  ui.pointer = Point{x, y};
  if (kind == Kind::Down) ui.buttons |= button;
  if (kind == Kind::Up) ui.buttons &= ~button;

  if (LoopAccess::Dragging(w)) {
    if (kind == Kind::Move) LoopAccess::DragTo(w, x, y);
    if (kind == Kind::Up && button == kLeftButton) LoopAccess::StopDrag(w);
    if (kind == Kind::Up && ui.captureImplicit && ui.buttons == 0) {
      ui.capture = 0;
      ui.captureImplicit = false;
    }
    return;
  }
  if (!AcceptsInput(w)) return;

  Control* target = nullptr;
  if (Control* holder = Control::FromId(ui.capture)) {
    // A capture inside a window that a modal window now blocks is dropped, as a disabled
    // window loses it: its controls must not take the dialog's mouse.
    if (holder->IsShown() && AcceptsInput(*holder->GetWindow())) {
      target = holder;
    } else {
      ui.capture = 0;
      ui.captureImplicit = false;
      const uint32_t windowId = w.SdlId();
      holder->HandleCaptureCancelled();
      if (!Window::FromSdlId(windowId)) return;  // its handler closed this window
    }
  }
  if (!target) target = HitTest(w, x, y);
  if (!target) return;

  const Point local = LocalPoint(w, x, y, *target);
  const SDL_Keymod mod = SDL_GetModState();
  const int shift = ((mod & KMOD_SHIFT) ? 1 : 0) | ((mod & KMOD_CTRL) ? 2 : 0) | ((mod & KMOD_ALT) ? 4 : 0);
  MouseEvent e{kind == Kind::Move ? ui.buttons : button, shift, local.x, local.y};
  const uint64_t id = target->Id();
  switch (kind) {
    case Kind::Move:
      target->HandleMouseMove(e);
      break;
    case Kind::Down:
      if (ui.capture == 0) {
        ui.capture = id;
        ui.captureImplicit = true;
      }
      if (button == kLeftButton) ui.pressed = id;
      target->HandleMouseDown(e);
      break;
    case Kind::Up: {
      target->HandleMouseUp(e);
      if (ui.captureImplicit && ui.buttons == 0) {
        ui.capture = 0;
        ui.captureImplicit = false;
      }
      Control* still = Control::FromId(id);
      const bool click = button == kLeftButton && ui.pressed == id && still && still->IsShown() &&
                         local.x >= 0 && local.y >= 0 && local.x < still->Width() && local.y < still->Height();
      if (button == kLeftButton) ui.pressed = 0;
      if (click) still->HandleClick();
      break;
    }
  }
}

void DeliverWheel(Window& w, int x, int y, int direction) {
  auto& ui = Ui();
  ui.pointerWindow = w.SdlId();
  ui.pointer = Point{x, y};
  if (!AcceptsInput(w) || direction == 0) return;
  if (Control* target = HitTest(w, x, y)) target->HandleWheel(direction > 0 ? 1 : -1);
}

// SIGTERM (SDL's quit event): a close request to each shown window, the innermost modal first.
void CloseAll() {
  auto& ui = Ui();
  std::vector<uint64_t> order;
  for (auto it = ui.modal.rbegin(); it != ui.modal.rend(); ++it) order.push_back((*it)->Id());
  for (Window* w : ui.windows)
    if (!w->IsModal()) order.push_back(w->Id());
  for (uint64_t id : order)
    if (auto* w = static_cast<Window*>(Control::FromId(id)); w && w->IsShown()) w->RequestClose();
}

// Set by SIGHUP; the loop turns it into SDL's quit event, which the handler may not make itself.
volatile std::sig_atomic_t gHangUp = 0;

void OnHangUp(int) { gHangUp = 1; }

// Marks the mouse events made by input:: (the mouse's instance id, which SDL never gives a real one).
constexpr Uint32 kSyntheticMouse = 0x5EED;
bool gSyntheticOnly = false;

bool DroppedAsReal(const SDL_Event& ev) {
  if (!gSyntheticOnly) return false;
  switch (ev.type) {
    case SDL_MOUSEMOTION: return ev.motion.which != kSyntheticMouse;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return ev.button.which != kSyntheticMouse;
    case SDL_MOUSEWHEEL: return ev.wheel.which != kSyntheticMouse;
    default: return false;
  }
}

void Dispatch(const SDL_Event& ev) {
  if (DroppedAsReal(ev)) return;
  switch (ev.type) {
    case SDL_MOUSEMOTION:
      if (Window* w = Window::FromSdlId(ev.motion.windowID)) DeliverMouse(*w, Kind::Move, ev.motion.x, ev.motion.y, 0);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (Window* w = Window::FromSdlId(ev.button.windowID); w && ButtonMask(ev.button.button))
        DeliverMouse(*w, ev.type == SDL_MOUSEBUTTONDOWN ? Kind::Down : Kind::Up, ev.button.x, ev.button.y,
                     ButtonMask(ev.button.button));
      break;
    case SDL_MOUSEWHEEL:
      if (Window* w = Window::FromSdlId(ev.wheel.windowID)) {
        int dy = ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -ev.wheel.y : ev.wheel.y;
        DeliverWheel(*w, ev.wheel.mouseX, ev.wheel.mouseY, dy);
      }
      break;
    case SDL_WINDOWEVENT:
      if (Window* w = Window::FromSdlId(ev.window.windowID)) {
        if (ev.window.event == SDL_WINDOWEVENT_CLOSE) w->RequestClose();
        else LoopAccess::MarkDirty(*w);
      }
      break;
    case SDL_QUIT: {
      CloseAll();
      // SIGTERM always ends the program: what refused to close is cut short.
      const auto& windows = Ui().windows;
      const bool refused = std::any_of(windows.begin(), windows.end(), [](Window* w) { return w->IsShown(); });
      if (refused && Ui().saveAtOnce) detail::EndAtOnce(nullptr);
      break;
    }
    default:
      break;
  }
}

void PresentChanged() {
  for (size_t i = 0; i < Ui().windows.size(); ++i) {
    Window* w = Ui().windows[i];
    if (w->IsShown() && w->NeedsPresent()) w->Present();
  }
}

void Push(SDL_Event& ev) {
  detail::EnsureVideo();
  SDL_PushEvent(&ev);
}

}  // namespace

void RunTimers() {
  auto& ui = Ui();
  std::vector<Timer*> snapshot = ui.timers;
  for (Timer* t : snapshot) {
    if (std::find(ui.timers.begin(), ui.timers.end(), t) == ui.timers.end()) continue;  // gone
    if (!t->enabled_ || t->interval_ <= 0 || t->running_) continue;
    const int64_t now = rt::Clock().NowMs();
    if (now < t->due_) continue;
    t->due_ = now + t->interval_;
    t->running_ = true;
    if (auto tick = t->Tick) tick();
    if (std::find(ui.timers.begin(), ui.timers.end(), t) != ui.timers.end()) t->running_ = false;
  }
}

void DoEvents() {
  if (Ui().endingAtOnce) return;
  detail::EnsureVideo();
  SDL_PumpEvents();
  if (gHangUp) {
    gHangUp = 0;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
  // Only what is pending now: events that handlers queue wait for the next round.
  int pending = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_Event ev;
  while (pending-- > 0 && SDL_PeepEvents(&ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    Dispatch(ev);
    PresentChanged();
  }
  RunTimers();
  PresentChanged();
}

void Sleep(int64_t ms) { rt::Sleep(ms); }

void RunLoop(const std::function<bool()>& done) {
  while (true) {
    DoEvents();
    if (done && done()) return;
    bool anyShown = false;
    for (Window* w : Ui().windows) anyShown = anyShown || w->IsShown();
    if (!anyShown) return;
    Sleep(5);
  }
}

Timer::Timer() { Ui().timers.push_back(this); }

Timer::~Timer() {
  auto& t = Ui().timers;
  t.erase(std::remove(t.begin(), t.end(), this), t.end());
}

void Timer::SetInterval(int64_t ms) {
  interval_ = ms;
  due_ = rt::Clock().NowMs() + ms;
}

void Timer::SetEnabled(bool enabled) {
  if (enabled && !enabled_) due_ = rt::Clock().NowMs() + interval_;
  enabled_ = enabled;
}

namespace detail {

void WatchHangUp() {
  struct sigaction now {};
  if (sigaction(SIGHUP, nullptr, &now) != 0 || now.sa_handler != SIG_DFL) return;
  struct sigaction on {};
  on.sa_handler = OnHangUp;
  sigemptyset(&on.sa_mask);
  sigaction(SIGHUP, &on, nullptr);
}

void EndAtOnce(const char* why) {
  auto& ui = Ui();
  if (!ui.endingAtOnce) {
    ui.endingAtOnce = true;
    if (why) std::fprintf(stderr, "%s: %s\n", ApplicationTitle().c_str(), why);
    if (auto save = ui.saveAtOnce) {
      try {
        save();
      } catch (...) {
        // What could be saved is saved; the program ends all the same.
      }
    }
  }
  std::fflush(nullptr);
  std::_Exit(1);
}

}  // namespace detail

void SetEndAtOnce(std::function<void()> save) { Ui().saveAtOnce = std::move(save); }

bool EndingAtOnce() { return Ui().endingAtOnce; }

Window* TopModalWindow() {
  auto& ui = Ui();
  return ui.modal.empty() ? nullptr : ui.modal.back();
}

Window* FrontWindow() {
  auto& ui = Ui();
  return ui.modal.empty() ? ui.lastShown : ui.modal.back();
}

void SetActiveWindowSource(IActiveWindow* source) { Ui().activeSource = source; }

bool IsActiveWindow(const Window& w) {
  auto& ui = Ui();
  if (ui.activeSource) return ui.activeSource->ActiveWindow() == &w;
  if (!w.IsShown()) return false;
  if (SDL_Window* focus = SDL_GetKeyboardFocus()) return SDL_GetWindowID(focus) == w.SdlId();
  return detail::DummyVideo() && ui.focus == &w;
}

namespace input {

void MouseMove(const Window& w, int x, int y) {
  SDL_Event ev{};
  ev.type = SDL_MOUSEMOTION;
  ev.motion.which = kSyntheticMouse;
  ev.motion.windowID = w.SdlId();
  ev.motion.x = x;
  ev.motion.y = y;
  Push(ev);
}

namespace {
void PushButton(const Window& w, int x, int y, int button, bool down) {
  SDL_Event ev{};
  ev.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  ev.button.which = kSyntheticMouse;
  ev.button.windowID = w.SdlId();
  ev.button.button = SdlButton(button);
  ev.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  ev.button.clicks = 1;
  ev.button.x = x;
  ev.button.y = y;
  Push(ev);
}
}  // namespace

void MouseDown(const Window& w, int x, int y, int button) { PushButton(w, x, y, button, true); }
void MouseUp(const Window& w, int x, int y, int button) { PushButton(w, x, y, button, false); }

void ClickAt(const Window& w, int x, int y, int button) {
  MouseMove(w, x, y);
  DoEvents();
  MouseDown(w, x, y, button);
  DoEvents();
  MouseUp(w, x, y, button);
  DoEvents();
}

void WheelAt(const Window& w, int x, int y, int direction) {
  SDL_Event ev{};
  ev.type = SDL_MOUSEWHEEL;
  ev.wheel.which = kSyntheticMouse;
  ev.wheel.windowID = w.SdlId();
  ev.wheel.y = direction;
  ev.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  ev.wheel.mouseX = x;
  ev.wheel.mouseY = y;
  Push(ev);
}

void CloseRequest(const Window& w) {
  SDL_Event ev{};
  ev.type = SDL_WINDOWEVENT;
  ev.window.windowID = w.SdlId();
  ev.window.event = SDL_WINDOWEVENT_CLOSE;
  Push(ev);
}

void SyntheticMouseOnly(bool on) { gSyntheticOnly = on; }

void Terminate() {
  SDL_Event ev{};
  ev.type = SDL_QUIT;
  Push(ev);
}

}  // namespace input

}  // namespace plat
