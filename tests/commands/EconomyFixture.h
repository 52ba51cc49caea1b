/** @file EconomyFixture.h The item and trade commands on a new game, routed as the main window routes the menu, the lists, the slider and the buttons. */
#pragma once
#include "CommandFixture.h"
#include "commands/ItemCommands.h"
#include "commands/TradeCommands.h"

namespace cmdtest {

class EconomyTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    // The real slider reports a value set from code.
    host.slider.onValue = [this](int32_t v) {
      bool accept = true;
      cmd::PSMain_ValueChenge(c, v, accept);
    };
  }

  /// A menu word: the previous command closes, the word's list is built, its panel opens.
  bool Open(const std::string& word) {
    if (!form.mCommand.empty() && form.mCommand != word) cmd::HideCommandPanel(c, form.mCommand, false);
    bool shown = true;
    if (word == "開始")
      shown = cmd::ShowTradeCountryList(c, word);
    else if (word == "中止")
      shown = cmd::ShowTradeList(c);
    else
      shown = cmd::ShowItemList(c, word);
    cmd::HideCommandPanel(c, word, shown);
    if (shown) form.mCommand = word;
    return shown;
  }
  /// The player chooses a row of a grid (by a column's value); the window routes it by command.
  void Choose(GridId id, int col, const std::string& value) {
    ASSERT_TRUE(Grid(id).Visible()) << "the list is not on screen";
    ASSERT_TRUE(Grid(id).Choose(col, value)) << value << " is not listed";
    const std::string& command = form.mCommand;
    if (id == GridId::GGMain && command == "開始") cmd::TradeItemSelect(c);
    else if (id == GridId::GGMain) cmd::ItemCommand(c);
    else if (command == "開始") cmd::TradeStart(c);
    else if (command == "中止") cmd::GetTradeData(c);
  }
  /// The player drags the slider to v.
  void Slide(int32_t v) {
    bool accept = true;
    cmd::PSMain_ValueChenge(c, v, accept);
    host.slider.value = v;
  }
  std::string Stock(const std::string& item) {
    return Value("SELECT Storage FROM itemdata WHERE Name='" + item + "'");
  }
  std::string Home(const std::string& columns) { return Value("SELECT " + columns + " FROM home"); }
  /// The slider as "min..max=value:text".
  std::string SliderState() const {
    const auto& s = host.slider;
    return std::to_string(s.min) + ".." + std::to_string(s.max) + "=" + std::to_string(s.value) + ":" + s.text;
  }
  /// Makes the next write to a table fail, as a full disk or a damaged file would.
  void FailWritesTo(const std::string& table, const std::string& op = "UPDATE") {
    Exec("CREATE TRIGGER fail_" + table + " BEFORE " + op + " ON " + table +
         " BEGIN SELECT RAISE(ABORT,'disk full'); END");
  }
};

}  // namespace cmdtest
