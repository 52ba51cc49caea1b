/** @file MessageBox.cpp The standard message box window and its test stand-in. */
#include "platform/MessageBox.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/EventLoop.h"
#include "platform/StdControls.h"
#include "platform/Text.h"
#include "platform/Window.h"

namespace plat {

namespace {

IMessageBox* gHandler = nullptr;
std::string gTitle = "vesk";

constexpr int kMargin = 20;
constexpr int kIcon = 32;
constexpr int kButtonW = 88, kButtonH = 26, kButtonGap = 10, kStrip = 46;
constexpr int kMaxTextWidth = 520;

const Font& BoxFont() {
  static const Font font(16, 400, true);
  return font;
}

// The critical icon: a red disc with a white cross.
void DrawCriticalIcon(Surface& s, int x0, int y0) {
  const double r = kIcon / 2.0;
  for (int y = 0; y < kIcon; ++y)
    for (int x = 0; x < kIcon; ++x) {
      double dx = x + 0.5 - r, dy = y + 0.5 - r;
      if (dx * dx + dy * dy <= r * r) s.SetPixel(x0 + x, y0 + y, Rgb(200, 30, 30));
    }
  for (int k = -1; k <= 1; ++k) {
    DrawLine(s, x0 + 10 + k, y0 + 10, x0 + 23 + k, y0 + 23, kWhite);
    DrawLine(s, x0 + 22 + k, y0 + 10, x0 + 9 + k, y0 + 23, kWhite);
  }
}

}  // namespace

void SetApplicationTitle(const std::string& title) { gTitle = title; }
const std::string& ApplicationTitle() { return gTitle; }
void SetMessageBoxHandler(IMessageBox* handler) { gHandler = handler; }
IMessageBox* MessageBoxHandler() { return gHandler; }

MessageBoxScope::MessageBoxScope(IMessageBox* handler) : previous_(gHandler) { gHandler = handler; }
MessageBoxScope::~MessageBoxScope() { gHandler = previous_; }

int StderrMessageBox::Show(const std::string& prompt, int style, const std::string& title) {
  ++shown;
  std::string text;
  for (char c : prompt)
    if (c != '\r') text += c;  // CR LF lines as plain lines
  const bool yesNo = (style & 7) == vbYesNo;
  std::fprintf(stderr, "%s: %s%s\n", title.c_str(), text.c_str(),
               yesNo ? (yesNoAnswer_ == vbYes ? " -> はい" : " -> いいえ") : "");
  std::fflush(stderr);
  return yesNo ? yesNoAnswer_ : vbOK;
}

int MsgBox(const std::string& prompt, int style, const std::string& title) {
  const std::string& caption = title.empty() ? gTitle : title;
  if (gHandler) return gHandler->Show(prompt, style, caption);
  StandardMessageBox box;
  return box.Show(prompt, style, caption);
}

int StandardMessageBox::Show(const std::string& prompt, int style, const std::string& title) {
  const bool yesNo = (style & 7) == vbYesNo;
  const bool critical = (style & vbCritical) != 0;
  const int fallback = yesNo ? vbNo : vbOK;
  if (EndingAtOnce()) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), prompt.c_str());
    return fallback;
  }
  try {
    const Font& font = BoxFont();
    Rect text{0, 0, kMaxTextWidth, 0};
    MeasureText(font, prompt, text, DT_WORDBREAK);
    const int textLeft = kMargin + (critical ? kIcon + 12 : 0);
    const int textTop = kMargin + (critical && text.Height() < kIcon ? (kIcon - text.Height()) / 2 : 0);
    const int nButtons = yesNo ? 2 : 1;
    const int buttonsW = nButtons * kButtonW + (nButtons - 1) * kButtonGap;
    const int contentH = std::max(text.Height(), critical ? kIcon : 0);
    const int width = std::max({textLeft + text.Width() + kMargin, buttonsW + 2 * kMargin, 240});
    const int height = kMargin + contentH + kMargin + kStrip;

    Window box(title, width, height, WindowStyle::Dialog);
    Surface& s = box.Image();
    s.Fill(kWhite);
    s.FillRect(Rect{0, height - kStrip, width, height}, kDialogFace);
    if (critical) DrawCriticalIcon(s, kMargin, kMargin);
    Rect at{textLeft, textTop, textLeft + kMaxTextWidth, textTop + text.Height()};
    DrawText(s, font, prompt, at, DT_WORDBREAK, kDialogText);

    int answer = fallback;
    std::vector<std::unique_ptr<CommandButton>> buttons;
    auto add = [&](const char* caption, int result, int index) {
      auto b = std::make_unique<CommandButton>(&box, caption);
      int x = (width - buttonsW) / 2 + index * (kButtonW + kButtonGap);
      b->SetBounds(x, height - kStrip + (kStrip - kButtonH) / 2, kButtonW, kButtonH);
      b->Click = [&answer, &box, result] {
        answer = result;
        box.Close();
      };
      buttons.push_back(std::move(b));
    };
    if (yesNo) {
      add("はい", vbYes, 0);
      add("いいえ", vbNo, 1);
    } else {
      add("OK", vbOK, 0);
    }
    box.QueryUnload = [&answer, fallback](bool&) { answer = fallback; };
    box.ShowModal();
    return answer;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s (%s)\n", title.c_str(), prompt.c_str(), e.what());
    return fallback;
  }
}

ScriptedMessageBox::ScriptedMessageBox(std::deque<int> a) : answers(std::move(a)), previous_(gHandler) {
  gHandler = this;
}

ScriptedMessageBox::~ScriptedMessageBox() { gHandler = previous_; }

int ScriptedMessageBox::Show(const std::string& prompt, int style, const std::string& title) {
  shown.push_back({prompt, style, title});
  if (!answers.empty()) {
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  return (style & 7) == vbYesNo ? vbYes : vbOK;
}

}  // namespace plat
