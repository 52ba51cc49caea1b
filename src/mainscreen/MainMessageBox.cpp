/** @file MainMessageBox.cpp The game's own message box on the message layer: text, answer buttons, the wait for the answer. */
#include <optional>
#include <vector>

#include "mainscreen/DesignValues.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "runtime/Strings.h"

namespace mainscreen {

void MessageLine::Show(const plat::Surface& layer, const std::string& text, bool centred, const plat::Font& font) {
  caption_ = text;
  centred_ = centred;
  plat::BitBlt(Image(), 0, 0, Width(), Height(), layer, Left(), Top());
  const plat::Rect area{design::kMsgTextMargin, 0, Width() - design::kMsgTextMargin, Height()};
  const unsigned flags = plat::DT_WORDBREAK | (centred ? plat::DT_CENTER : plat::DT_LEFT);
  font_ = plat::FittingFont(font, text, area, flags, design::kMsgMinFontHeight);
  plat::Rect r = area;
  plat::DrawText(Image(), font_, text, r, flags, design::kMsgTextColour);
  Refresh();
  SetVisible(true);
}

}  // namespace mainscreen

namespace {

// Answer codes of the buttons, by index.
constexpr int32_t kAnswers[5] = {1, 2, 4, 8, 16};

}  // namespace

int32_t frmMain2::ShowMSGBox(const std::string& Msg, int32_t Buttons, bool Hide) {
  // Only close and yes/no have buttons: any other set with a wait could never be answered.
  if (Buttons != sim::kMsgNoButton && Buttons != sim::kMsgYesNo) Buttons = sim::kMsgClose;
  std::vector<std::string> lines = rt::Split(Msg, "\r\n");
  if (lines.empty()) lines.emplace_back();

  // The message window's frame is centred on the layer; the lines and buttons sit on it.
  const int X = (picMSG.Width() - picImage[mainscreen::kPicMsgFrame].Width()) / 2;
  const plat::Surface& layer = picMSG.Image();
  // The first line takes the frame down to the second line's top, or, alone, down to the buttons.
  const bool second = lines.size() == 2;
  lblMSG[0].SetBounds(X, 300, 400, (second ? 365 : mainscreen::design::kMsgTextBottom) - 300);
  lblMSG[0].Show(layer, lines[0], Buttons >= 1, msgFont_);
  lblMSG[1].SetBounds(X, 365, 400, mainscreen::design::kMsgTextBottom - 365);
  if (second) lblMSG[1].Show(layer, lines[1], true, msgFont_);
  else lblMSG[1].SetVisible(false);

  for (auto& b : GLMSG) b.SetVisible(false);
  mMsgAnswer = 0;
  auto show = [&](int i, int left, const char* text) {
    GLMSG[i].SetBounds(left, 450, GLMSG[i].Width(), GLMSG[i].Height());
    GLMSG[i].SetText(text);
    GLMSG[i].BackImageCopy(layer, left, 450);
    GLMSG[i].SetVisible(true);
  };
  if (Buttons == sim::kMsgClose) show(0, X + 300, "閉じる");
  if (Buttons == sim::kMsgYesNo) {
    show(1, X + 100, "はい");
    show(2, X + 250, "いいえ");
  }

  // From the panel's first paint on the window refuses to close until the answer.
  std::optional<sim::ModalWait> wait;
  if (Buttons != sim::kMsgNoButton) wait.emplace(*this);
  picMSG.SetVisible(true);
  picMSG.ZOrder(0);
  plat::DoEvents();

  int32_t result = sim::kAnsNone;
  if (Buttons != sim::kMsgNoButton) {
    // A window no longer on screen can never be answered.
    while (mMsgAnswer == 0 && IsShown()) {
      plat::Sleep(10);
      plat::DoEvents();
    }
    result = mMsgAnswer;
  }
  if (Hide) SendMessagePanelBack();
  return result;
}

void frmMain2::GLMSG_Click(int Index) {
  if (Index >= 0 && Index < 5) mMsgAnswer = kAnswers[Index];
}

void frmMain2::SendMessagePanelBack() {
  picMSG.ZOrder(1);
  // Behind the full screen the layer cannot be seen: drawing it there would only cost time.
  picMSG.SetVisible(false);
}

void frmMain2::GameOverLock() {
  for (auto& b : GLMSG) b.SetVisible(false);
  picMSG.SetEnabled(false);
  Disp.SetEnabled(false);
  Disp.ZOrder(0);
  plat::DoEvents();
}
