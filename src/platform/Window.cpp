/** @file Window.cpp SDL windows with a back buffer composed from their controls. */
#include "platform/Window.h"

#include <SDL.h>
#include <dlfcn.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/EventLoop.h"
#include "platform/UiState.h"

namespace plat {

namespace detail {

UiState& Ui() {
  static UiState state;
  return state;
}

namespace {

constexpr const char* kNoDesktop = "画面を開けません: このゲームにはデスクトップのセッション（X または Wayland）が必要です。";

// Xlib's own answer to a lost connection calls exit(): the exit handlers would then destroy the
// windows and SDL would wait on the dead connection for ever. The program ends here instead.
int OnX11ConnectionLost(void*) { EndAtOnce("画面との接続が切れたため、終了します。"); }

// SDL opens Xlib itself; its handler for a lost connection is set through the library SDL loaded.
void WatchX11Connection() {
  using IOErrorHandler = int (*)(void*);
  using SetIOErrorHandler = IOErrorHandler (*)(IOErrorHandler);
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (void* set = dlsym(x11 ? x11 : RTLD_DEFAULT, "XSetIOErrorHandler"))
    reinterpret_cast<SetIOErrorHandler>(set)(&OnX11ConnectionLost);
  if (x11) dlclose(x11);
}

}  // namespace

bool DummyVideo() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "dummy") == 0;
}

void EnsureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return;
  // Closing the last window must not turn into a quit: every close goes to its window.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The back buffer is copied to the window as it is: through the X server's shared memory this
  // takes about a sixth of the time (and memory) that SDL's default, an OpenGL texture drawn in
  // software where there is no GPU, takes. A user's own setting of the hint is kept.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  // Whole-screen pictures come and go (a battle's field and work pictures, a picture decoded and
  // then converted): with a fixed threshold each block of 1 MB and more has its own mapping and
  // goes back to the system when freed. By default the threshold rises after the first such
  // free and the space stays with the program: the main window's load then peaked 7 MB higher.
  mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
    throw std::runtime_error(std::string(kNoDesktop) + "（" + SDL_GetError() + "）");
  const char* named = std::getenv("SDL_VIDEODRIVER");
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string chosen = driver ? driver : "";
  if ((!named || !*named) && (chosen == "offscreen" || chosen == "dummy")) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    throw std::runtime_error(kNoDesktop);
  }
  if (chosen == "x11") WatchX11Connection();
  WatchHangUp();
}

}  // namespace detail

using detail::Ui;

namespace {

// Copies the shown children of `c` into `back`; (ox, oy) is c's origin, `clip` what c may cover.
void ComposeChildren(Surface& back, const Control& c, int ox, int oy, const Rect& clip) {
  for (const Control* child : c.Children()) {
    if (!child->Visible()) continue;
    const int cx = ox + child->Left(), cy = oy + child->Top();
    Rect area = RectXYWH(cx, cy, child->Width(), child->Height()).Intersect(clip);
    if (area.Empty()) continue;
    BitBlt(back, area.left, area.top, area.Width(), area.Height(), child->Image(), area.left - cx,
           area.top - cy);
    ComposeChildren(back, *child, cx, cy, area);
  }
}

// The window in front once `leaving` has gone: the innermost other modal window shown, else the
// last one shown.
Window* WindowUnder(const Window* leaving) {
  auto& ui = Ui();
  for (auto it = ui.modal.rbegin(); it != ui.modal.rend(); ++it)
    if (*it != leaving && (*it)->IsShown()) return *it;
  Window* under = nullptr;
  for (Window* w : ui.windows)
    if (w != leaving && w->IsShown()) under = w;
  return under;
}

}  // namespace

Window::Window(const std::string& caption, int clientWidth, int clientHeight, WindowStyle style)
    : caption_(caption), style_(style) {
  detail::EnsureVideo();
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (style == WindowStyle::Borderless) flags |= SDL_WINDOW_BORDERLESS;
  sdl_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                          clientWidth, clientHeight, flags);
  if (!sdl_) {
    std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());  // SDL's English stays here
    throw std::runtime_error("ウィンドウを作れません: " + caption);
  }
  sdlId_ = SDL_GetWindowID(sdl_);
  SDL_GetWindowPosition(sdl_, &position_.x, &position_.y);
  Control::SetVisible(false);
  SetBounds(0, 0, clientWidth, clientHeight);
  Ui().windows.push_back(this);
}

Window::~Window() {
  auto& ui = Ui();
  if (HoldsFocus()) PassFocusOn();
  if (ui.focus == this) ui.focus = nullptr;
  if (Control* holder = FromId(ui.capture); holder && holder->GetWindow() == this) ui.capture = 0;
  ui.windows.erase(std::remove(ui.windows.begin(), ui.windows.end(), this), ui.windows.end());
  ui.modal.erase(std::remove(ui.modal.begin(), ui.modal.end(), this), ui.modal.end());
  if (ui.lastShown == this) ui.lastShown = nullptr;
  if (ui.pointerWindow == sdlId_) {
    // The pointer stays where it was seen last, now over whatever lay under this window.
    const Point at = ui.endingAtOnce ? position_ : Position();
    ui.pointerOnScreen = Point{at.x + ui.pointer.x, at.y + ui.pointer.y};
    ui.pointerWindow = 0;
  }
  if (sdl_ && !ui.endingAtOnce) SDL_DestroyWindow(sdl_);
}

Window* Window::FromSdlId(uint32_t id) {
  for (Window* w : Ui().windows)
    if (w->sdlId_ == id) return w;
  return nullptr;
}

void Window::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (!Ui().endingAtOnce) SDL_SetWindowTitle(sdl_, caption.c_str());
}

void Window::Show() {
  if (Ui().endingAtOnce) return;
  closed_ = false;
  Control::SetVisible(true);
  if (!shown_) {
    shown_ = true;
    SDL_ShowWindow(sdl_);
    SDL_SetWindowPosition(sdl_, position_.x, position_.y);
  }
  Ui().lastShown = this;
  Ui().focus = this;
  dirty_ = true;
  Present();
}

bool Window::HoldsFocus() const {
  if (!shown_) return false;
  if (detail::DummyVideo()) return Ui().focus == this;
  return !Ui().endingAtOnce && SDL_GetKeyboardFocus() == sdl_;
}

// Where no window manager hands the focus on (a bare X server), a window of ours closing with the
// focus would leave it nowhere, and the window under it, its controls following whether it is
// active, would ignore the mouse for good.
void Window::PassFocusOn() {
  auto& ui = Ui();
  if (ui.focus == this) ui.focus = nullptr;
  Window* under = WindowUnder(this);
  if (!under) return;
  ui.focus = under;
  if (ui.endingAtOnce || detail::DummyVideo()) return;
  SDL_RaiseWindow(under->sdl_);
  SDL_SetWindowInputFocus(under->sdl_);  // the raise alone asks a window manager, where there may be none
}

void Window::Hide() {
  if (!shown_) return;
  const bool focused = HoldsFocus();
  // Where the player left it, for whoever asks after the window is gone (its settings).
  SDL_GetWindowPosition(sdl_, &position_.x, &position_.y);
  shown_ = false;
  dragging_ = false;
  Control::SetVisible(false);
  if (!Ui().endingAtOnce) SDL_HideWindow(sdl_);
  auto& ui = Ui();
  if (ui.lastShown == this) {
    ui.lastShown = nullptr;
    for (Window* w : ui.windows)
      if (w->shown_) ui.lastShown = w;
  }
  if (focused) PassFocusOn();
}

void Window::ShowModal() {
  auto& ui = Ui();
  const uint64_t me = Id();
  modal_ = true;
  ui.modal.push_back(this);
  Show();
  // The window may be destroyed by a handler while the loop runs: look it up by id each round.
  auto open = [me] {
    auto* c = FromId(me);
    return c && static_cast<Window*>(c)->shown_ && !static_cast<Window*>(c)->closed_;
  };
  while (open()) {
    DoEvents();
    if (open()) Sleep(10);
  }
  if (FromId(me)) {
    modal_ = false;
    ui.modal.erase(std::remove(ui.modal.begin(), ui.modal.end(), this), ui.modal.end());
  }
}

bool Window::RequestClose() {
  auto& ui = Ui();
  if (!shown_) return false;
  // Under a modal window only the modal window itself can be closed.
  if (!ui.modal.empty() && ui.modal.back() != this) return false;
  const uint64_t me = Id();
  bool cancel = false;
  if (auto h = QueryUnload) h(cancel);
  if (cancel || !FromId(me)) return false;
  Close();
  return true;
}

void Window::Close() {
  closed_ = true;
  // A closed modal window stops blocking the others at once, not only when its loop returns.
  auto& modal = Ui().modal;
  modal.erase(std::remove(modal.begin(), modal.end(), this), modal.end());
  Hide();
  if (auto h = Unload) h();
}

Point Window::Position() const {
  Point p = position_;
  if (shown_) SDL_GetWindowPosition(sdl_, &p.x, &p.y);
  return p;
}

void Window::SetPosition(int x, int y) {
  position_ = Point{x, y};
  if (!Ui().endingAtOnce) SDL_SetWindowPosition(sdl_, x, y);
}

void Window::SetPositionOnScreen(int x, int y) {
  Point p = PlaceOnDisplays(Point{x, y}, Width(), Height(), DisplayAreas());
  SetPosition(p.x, p.y);
}

bool OpenDisplay(std::string& error) {
  try {
    detail::EnsureVideo();
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}

std::vector<Rect> DisplayAreas() {
  detail::EnsureVideo();
  std::vector<Rect> areas;
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(i, &r) == 0 || SDL_GetDisplayBounds(i, &r) == 0)
      areas.push_back(RectXYWH(r.x, r.y, r.w, r.h));
  }
  return areas;
}

Point PlaceOnDisplays(Point wanted, int w, int h, const std::vector<Rect>& displays) {
  if (displays.empty()) return wanted;
  const Rect window = RectXYWH(wanted.x, wanted.y, w, h);
  for (const Rect& d : displays) {
    const Rect on = window.Intersect(d);
    if (window.top >= d.top && on.Width() >= std::min(w, 100) && on.Height() >= std::min(h, 50)) return wanted;
  }
  const Rect& first = displays.front();
  return Point{first.left + std::max(0, (first.Width() - w) / 2), first.top + std::max(0, (first.Height() - h) / 2)};
}

void Window::StartDrag() {
  if (!shown_) return;
  auto& ui = Ui();
  dragging_ = true;
  dragGrab_ = ui.pointerWindow == sdlId_ ? ui.pointer : Point{};
}

void Window::Compose() {
  if (back_.Width() != Width() || back_.Height() != Height()) back_ = Surface(Width(), Height());
  // What lies under a shown child that covers the whole client area cannot be seen: start there.
  const auto& kids = Children();
  size_t first = 0;
  for (size_t i = kids.size(); i-- > 0;) {
    const Control* c = kids[i];
    if (c->Visible() && c->Left() <= 0 && c->Top() <= 0 && c->Left() + c->Width() >= Width() &&
        c->Top() + c->Height() >= Height()) {
      first = i + 1;
      BitBlt(back_, 0, 0, Width(), Height(), c->Image(), -c->Left(), -c->Top());
      ComposeChildren(back_, *c, c->Left(), c->Top(), back_.Bounds());
      break;
    }
  }
  if (first == 0) BitBlt(back_, 0, 0, Width(), Height(), Image(), 0, 0);
  for (size_t i = first; i < kids.size(); ++i) {
    const Control* child = kids[i];
    if (!child->Visible()) continue;
    const Rect area = RectXYWH(child->Left(), child->Top(), child->Width(), child->Height()).Intersect(back_.Bounds());
    if (area.Empty()) continue;
    BitBlt(back_, area.left, area.top, area.Width(), area.Height(), child->Image(), area.left - child->Left(),
           area.top - child->Top());
    ComposeChildren(back_, *child, child->Left(), child->Top(), area);
  }
}

void Window::Present() {
  Compose();
  dirty_ = false;
  if (!shown_ || Ui().endingAtOnce) return;
  SDL_Surface* screen = SDL_GetWindowSurface(sdl_);
  if (!screen) return;  // no frame buffer: the back buffer is all there is
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(back_.Bits(), back_.Width(), back_.Height(), 32,
                                                        back_.Stride(), SDL_PIXELFORMAT_RGB888);
  if (!src) return;
  SDL_BlitSurface(src, nullptr, screen, nullptr);
  SDL_FreeSurface(src);
  SDL_UpdateWindowSurface(sdl_);
}

bool Window::SaveScreenshot(const std::string& path, std::string& error) {
  Compose();
  return SavePng(back_, path, error);
}

}  // namespace plat
