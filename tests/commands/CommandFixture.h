/** @file CommandFixture.h A new game loaded as the main window loads it, with the commands run against a fake panel and a scripted message box, and routed as the main window routes the menu, the lists and the slider. */
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "commands/CommandPanel.h"
#include "commands/ItemCommands.h"
#include "commands/LandCommands.h"
#include "commands/TradeCommands.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "sim/Economy.h"
#include "sim/GameState.h"
#include "sim/IniSettings.h"
#include "sim/SimDb.h"
#include "support/FakeCommandHost.h"
#include "support/FakeScreen.h"
#include "support/FreshGameDb.h"

namespace cmdtest {

using cmd::ButtonId;
using cmd::GridId;
using Names = std::vector<std::string>;
inline Names Sorted(Names v) {
  std::sort(v.begin(), v.end());
  return v;
}
constexpr int32_t kYes = sim::kAnsYes, kNo = sim::kAnsNo;

class CommandTest : public FreshGameDb {
 protected:
  void SetUp() override {
    FreshGameDb::SetUp();
    CloseDb();
    ASSERT_TRUE(CreateDB::DBConnect(gdb));
    sim::LoadGameState(week);
    // The real slider reports a value set from code.
    host.slider.onValue = [this](int32_t v) {
      bool accept = true;
      cmd::PSMain_ValueChenge(c, v, accept);
    };
  }
  void TearDown() override {
    owned_.reset();
    FreshGameDb::TearDown();
  }

  void Exec(const std::string& sql) { ASSERT_TRUE(gdb.Excute(sql)) << sql << " " << gdb.GetErrMSG(); }
  std::string Value(const std::string& sql) { return sim::QueryRow(gdb, sql) ? gdb.Data(0) : std::string(); }
  std::string Stock(const std::string& item) { return Value("SELECT Storage FROM itemdata WHERE Name='" + item + "'"); }
  std::string Home(const std::string& columns) { return Value("SELECT " + columns + " FROM home"); }
  void SetMoney(int32_t money) {
    data.Money(money);
    Exec("UPDATE home SET [Money]=" + std::to_string(money));
  }
  /// Makes the next write to a table fail, as a full disk or a damaged file would.
  void FailWritesTo(const std::string& table, const std::string& op = "UPDATE") {
    Exec("CREATE TRIGGER fail_" + table + " BEFORE " + op + " ON " + table +
         " BEGIN SELECT RAISE(ABORT,'disk full'); END");
  }

  /// A menu word: the previous command closes, the word's list is built, its panel opens.
  bool Menu(const std::string& word) {
    if (!form.mCommand.empty() && form.mCommand != word) cmd::HideCommandPanel(c, form.mCommand, false);
    bool shown;
    if (word == "開始")
      shown = cmd::ShowTradeCountryList(c, word);
    else if (word == "中止")
      shown = cmd::ShowTradeList(c);
    else if (IsLandWord(word))
      shown = cmd::ShowAreaList(c, word);
    else
      shown = cmd::ShowItemList(c, word);
    cmd::HideCommandPanel(c, word, shown);
    if (shown) form.mCommand = word;
    return shown;
  }
  /// The player picks a row of a grid (by the value of a column) and the window routes it by command.
  void Pick(GridId id, int col, const std::string& value) {
    ASSERT_TRUE(Grid(id).Visible()) << "the list is not on screen";
    ASSERT_TRUE(Grid(id).Choose(col, value)) << value << " is not listed";
    const std::string& word = form.mCommand;
    if (word == "開始") {
      id == GridId::GGMain ? cmd::TradeItemSelect(c) : cmd::TradeStart(c);
    } else if (word == "中止") {
      cmd::GetTradeData(c);
    } else if (!IsLandWord(word)) {
      cmd::ItemCommand(c);
    } else if (id == GridId::GGMain) {
      cmd::AreaCommand(c);
    } else if (id == GridId::GGSub1) {
      cmd::ConstructCommand(c);
    } else {  // as the window does: the product onto its button
      Button(ButtonId::GLClear).text = value;
      Button(ButtonId::GLClear).enable = true;
    }
  }
  /// The product button clicked: no product.
  void ClearProduct() {
    Button(ButtonId::GLClear).text = cmd::kNoProduct;
    Button(ButtonId::GLClear).enable = false;
  }
  /// The player drags the slider to v.
  void Slide(int32_t v) {
    bool accept = true;
    cmd::PSMain_ValueChenge(c, v, accept);
    host.slider.value = v;
  }
  /// The slider as "min..max=value:text".
  std::string SliderState() const {
    const auto& s = host.slider;
    return std::to_string(s.min) + ".." + std::to_string(s.max) + "=" + std::to_string(s.value) + ":" + s.text;
  }
  /// Answers for the coming yes/no questions, in order.
  void Answer(std::initializer_list<int32_t> answers) { screen.answers.assign(answers); }
  std::string LastMessage() const { return screen.shown.empty() ? std::string() : screen.shown.back().msg; }
  fake::FakeGrid& Grid(GridId id) { return host.grid(id); }
  fake::FakeButton& Button(ButtonId id) { return host.button(id); }

  std::unique_ptr<clsDB> owned_ = std::make_unique<clsDB>();
  clsDB& gdb = *owned_;
  sim::clsData data;
  sim::GameState state;
  sim::MemorySettings settings;
  fake::FakeScreen screen;
  sim::WeekContext week{gdb, data, state, settings, screen, nullptr, ""};
  fake::FakeCommandHost host;
  cmd::CommandState form;
  cmd::CommandContext c{week, host, form};

 private:
  static bool IsLandWord(const std::string& w) {
    return w == "建設" || w == "探索" || w == "改修" || w == "解体" || w == "配分";
  }
};

}  // namespace cmdtest
