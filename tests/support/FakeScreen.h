/** @file FakeScreen.h A recording stand-in for the main screen: message boxes answered from a script, views and labels that keep what was written. */
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sim/GameScreen.h"

namespace fake {

class FakeView : public sim::IView {
 public:
  std::string HeaderText(int16_t row, int16_t col) const override {
    auto it = cells.find({row, col});
    return it == cells.end() ? std::string() : it->second;
  }
  void HeaderText(int16_t row, int16_t col, const std::string& text) override { cells[{row, col}] = text; }
  void RePaint() override {}

  std::map<std::pair<int16_t, int16_t>, std::string> cells;
};

class FakeLabel : public sim::ILabel {
 public:
  std::string MainText() const override { return mainText; }
  void MainText(const std::string& text) override { mainText = text; }
  void SubText(const std::string& text) override { subText = text; }
  void SetValue(int16_t v) override { value = v; }

  std::string mainText, subText;
  int16_t value = -1;
};

/// One shown message box.
struct Shown {
  std::string msg;
  int32_t buttons;
  bool hide;
};

class FakeScreen : public sim::IGameScreen {
 public:
  int32_t ShowMSGBox(const std::string& msg, int32_t buttons, bool hide) override {
    shown.push_back({msg, buttons, hide});
    if (onShow) onShow(shown.back());
    if (buttons == sim::kMsgNoButton) return sim::kAnsNone;
    if (!answers.empty()) {
      int32_t a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == sim::kMsgYesNo ? yesNoDefault : sim::kAnsClose;
  }
  void MsgBox(const std::string& text, const std::string& title) override {
    errors.push_back(title.empty() ? text : title + ": " + text);
  }
  sim::IView& View(sim::ViewId id) override { return views[id]; }
  sim::ILabel& Label(sim::LabelId id) override { return labels[id]; }
  void GameOverLock() override { ++gameOverLocks; }
  void SendMessagePanelBack() override { ++panelSentBack; }

  /// Messages that waited for the player (buttons other than 0), in order.
  std::vector<std::string> Waited() const {
    std::vector<std::string> out;
    for (const auto& s : shown)
      if (s.buttons != sim::kMsgNoButton) out.push_back(s.msg);
    return out;
  }
  FakeView& view(sim::ViewId id) { return views[id]; }
  FakeLabel& label(sim::LabelId id) { return labels[id]; }

  std::vector<Shown> shown;
  std::vector<std::string> errors;       ///< standard message boxes
  std::deque<int32_t> answers;           ///< scripted answers of waiting boxes
  int32_t yesNoDefault = sim::kAnsNo;    ///< the answer to yes/no once the script is used up
  std::function<void(const Shown&)> onShow;
  std::map<sim::ViewId, FakeView> views;
  std::map<sim::LabelId, FakeLabel> labels;
  int gameOverLocks = 0;
  int panelSentBack = 0;
};

}  // namespace fake
