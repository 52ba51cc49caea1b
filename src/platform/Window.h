/** @file Window.h Top-level windows: the main window, a borderless one, modal dialogs; back buffer and close requests. */
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Control.h"

struct SDL_Window;

namespace plat {

enum class WindowStyle {
  Main,        ///< a normal window with caption (the game's 800 x 600 client area)
  Borderless,  ///< no border or caption; moved by StartDrag() from a mouse handler
  Dialog,      ///< a fixed-size window for modal dialogs
};

/// A window on the screen. It is the root control of its controls: its own picture is the
/// client area's background. Everything is composed into a back buffer, which is presented
/// after each dispatched event and saved by SaveScreenshot(). Created hidden. Throws
/// std::runtime_error (Japanese text) when the window system cannot make the window.
class Window : public Control {
 public:
  Window(const std::string& caption, int clientWidth, int clientHeight,
         WindowStyle style = WindowStyle::Main);
  ~Window() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  WindowStyle Style() const { return style_; }

  /// Shows the window; it takes the input focus where the window system leaves that to it.
  void Show();
  /// Hides the window; when it had the input focus, the window under it gets the focus.
  void Hide();
  /// Shows the window modal: the other windows get no mouse and no close request, and this
  /// call runs the loop until the window is hidden or closed.
  void ShowModal();
  bool IsModal() const { return modal_; }

  /// A close request (the close button, SIGTERM or code): QueryUnload may refuse it;
  /// otherwise the window is closed. Returns true when it was closed.
  bool RequestClose();
  /// Closes without asking: hides and raises Unload.
  void Close();
  bool Closed() const { return closed_; }

  std::function<void(bool& cancel)> QueryUnload;  ///< set cancel to refuse a close request
  std::function<void()> Unload;

  /// Screen position of the client area's top-left corner.
  Point Position() const;
  void SetPosition(int x, int y);
  /// SetPosition, or centred on the first display when (x, y) would put the window off every
  /// display (a position saved on a screen that is gone).
  void SetPositionOnScreen(int x, int y);
  /// Moves the window with the pointer until the left button is released (a borderless window
  /// dragged by its picture: call from a mouse-down or mouse-move with the left button held).
  void StartDrag();
  bool Dragging() const { return dragging_; }

  /// Draws the window and its shown controls into the back buffer.
  void Compose();
  /// Compose() and copy the back buffer to the screen.
  void Present();
  const Surface& BackBuffer() const { return back_; }
  bool NeedsPresent() const { return dirty_; }
  /// Composes and saves the client area as a PNG file.
  bool SaveScreenshot(const std::string& path, std::string& error);

  uint32_t SdlId() const { return sdlId_; }
  static Window* FromSdlId(uint32_t id);

 protected:
  bool IsWindow() const override { return true; }

 private:
  friend class Control;
  friend struct LoopAccess;
  void MarkDirty() { dirty_ = true; }
  bool HoldsFocus() const;  ///< this window has the input focus
  void PassFocusOn();       ///< gives the input focus to the window under this one

  std::string caption_;
  WindowStyle style_;
  SDL_Window* sdl_ = nullptr;
  uint32_t sdlId_ = 0;
  Surface back_;
  bool dirty_ = true;
  bool shown_ = false;
  bool modal_ = false;
  bool closed_ = false;
  bool dragging_ = false;
  Point dragGrab_;  // pointer in screen pixels minus window position, at the start of a drag
  Point position_;
};

/// Starts the window system for the program a player runs, before it writes anything. False,
/// with "画面を開けません: …" (saying that a desktop session is needed) in `error`, when no
/// display can be reached: SDL, left to choose, would fall back on a driver that shows nothing
/// and the program would wait for ever. A driver named in SDL_VIDEODRIVER is used as it is
/// (the tests and the headless tools name "dummy").
bool OpenDisplay(std::string& error);

/// The areas of the displays in screen pixels, the first display first.
std::vector<Rect> DisplayAreas();
/// Where a client area of w x h asked for at `wanted` goes: there when a grabbable part of it
/// (100 x 50 pixels, or all of a smaller window) lies on one display with its top edge on that
/// display; otherwise centred on the first display. No displays: `wanted`.
Point PlaceOnDisplays(Point wanted, int w, int h, const std::vector<Rect>& displays);

}  // namespace plat
