/** @file CommandFixture.h A new game loaded as the main window loads it, with the land commands run against a fake panel and a scripted message box. */
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "commands/CommandPanel.h"
#include "commands/LandCommands.h"
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

class CommandTest : public FreshGameDb {
 protected:
  void SetUp() override {
    FreshGameDb::SetUp();
    CloseDb();
    ASSERT_TRUE(CreateDB::DBConnect(gdb));
    sim::LoadGameState(week);
  }
  void TearDown() override {
    owned_.reset();
    FreshGameDb::TearDown();
  }

  void Exec(const std::string& sql) { ASSERT_TRUE(gdb.Excute(sql)) << sql << " " << gdb.GetErrMSG(); }
  std::string Value(const std::string& sql) { return sim::QueryRow(gdb, sql) ? gdb.Data(0) : std::string(); }

  /// What the menu does with a land word: close the previous command, build the list, open
  /// the panel when there is one.
  bool Menu(const std::string& word) {
    if (!form.mCommand.empty() && form.mCommand != word) cmd::HideCommandPanel(c, form.mCommand, false);
    const bool shown = cmd::ShowAreaList(c, word);
    cmd::HideCommandPanel(c, word, shown);
    if (shown) form.mCommand = word;
    return shown;
  }
  /// The player picks a row of a grid (by the value of a column) and the window routes it.
  void Pick(GridId id, int col, const std::string& value) {
    ASSERT_TRUE(host.grid(id).Visible()) << "the list is not on screen";
    ASSERT_TRUE(host.grid(id).Choose(col, value)) << value << " is not listed";
    if (id == GridId::GGMain) cmd::AreaCommand(c);
    if (id == GridId::GGSub1) cmd::ConstructCommand(c);
    if (id == GridId::GGSub2) {  // as the window does: the product onto its button
      Button(ButtonId::GLClear).text = value;
      Button(ButtonId::GLClear).enable = true;
    }
  }
  /// The product button clicked: no product.
  void ClearProduct() {
    Button(ButtonId::GLClear).text = cmd::kNoProduct;
    Button(ButtonId::GLClear).enable = false;
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
};

}  // namespace cmdtest
