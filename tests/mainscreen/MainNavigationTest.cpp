/** @file MainNavigationTest.cpp The main window under the mouse: menu words, chosen rows, recruitment switches and 次の週へ. */
#include <algorithm>

#include "MainWindowFixture.h"
#include "platform/StdControls.h"
#include "runtime/Strings.h"
#include "sim/SimDb.h"

namespace {

class MainNavigationTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_TRUE(Load());
    plat::DoEvents();
  }
  void Click(const plat::Control& c, int x, int y, int button = plat::kLeftButton) {
    const plat::Point o = c.OriginInWindow();
    plat::input::ClickAt(*main, o.x + x, o.y + y, button);
    plat::DoEvents();
  }
  void Hover(const plat::Control& c) {
    const plat::Point o = c.OriginInWindow();
    plat::input::MouseMove(*main, o.x + c.Width() / 2, o.y + c.Height() / 2);
    plat::DoEvents();
  }
  // Lets the window's 50 ms timer set its controls' active state.
  void Tick() {
    clock_.Advance(60);
    plat::DoEvents();
  }
  void ClickCell(ctrGraphicalView& v, int16_t row, int16_t col) {
    const plat::Rect r = v.Table().TextRect(row, col);
    Click(v, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  // Clicks the record of a list whose first field reads `value` (in sight without scrolling).
  // Screen row 1 holds the titles; record k (from 0) stands in row k - TopRow + 3.
  void ClickRecord(ctrGraphicalGrid& g, const std::string& value) {
    for (int k = 0; k + 1 < g.RowCount(); ++k)
      if (g.RecordValue(k, 0) == value) return Click(g, 20, (k - g.TopRow() + 2) * ctrGraphicalGrid::kRowHeight + 10);
    ADD_FAILURE() << value << " is not listed";
  }
  // Shows one record of the home table in a grid, as a command's list would.
  void Fill(ctrGraphicalGrid& g, int left, int top) {
    g.SetBounds(left, top, 0, 100);
    g.BackImageCopy(main->Disp.Image(), left, top);
    ASSERT_TRUE(gDB->GetData("SELECT [Money],Turn FROM home"));
    g.GetData(gDB->GetRecordSet(), 2, main->ColumnSet(mainscreen::ColumnSetId::ItemSell));
    g.SetVisible(true);
  }
};

TEST_F(MainNavigationTest, MenuWordsOpenTheirPanelsAndAnEmptyListKeepsTheCommand) {
  std::vector<std::string> panels;
  main->commandPanel = [&](const std::string& word, bool flag) { panels.push_back(word + (flag ? "+" : "-")); };
  main->SetListBuilder("倉庫", [](const std::string&) { return true; });
  main->SetListBuilder("購入", [](const std::string&) { return false; });  // nothing to buy: it said so
  int settings = 0;
  Screens().ShowSettings = [&](Media&) { ++settings; };

  main->GMenu_Click("倉庫");
  main->GMenu_Click("倉庫");  // the same word again shows its list again without closing first
  EXPECT_EQ(main->mCommand, "倉庫");
  EXPECT_TRUE(main->GLMenu.Visible() && !main->GLTurnEnd.Visible());
  main->GMenu_Click("購入");
  EXPECT_EQ(main->mCommand, "倉庫");
  EXPECT_TRUE(!main->GLMenu.Visible() && main->GLTurnEnd.Visible());
  main->GMenu_Click("設定");
  EXPECT_EQ(settings, 1);
  EXPECT_EQ(main->mCommand, "倉庫");
  main->GMenu_Click("戻る");
  EXPECT_EQ(main->mCommand, "");
  EXPECT_EQ(rt::Join(panels, " "), "倉庫+ 倉庫+ 倉庫- 購入- 倉庫- 設定- 倉庫- 倉庫-");

  // 住民 refreshes the occupation views' figures; a right click on the backdrop closes the panel
  // but the word stays the command the rows act by.
  main->GVProducer.HeaderText(2, 2, "?");
  main->GMenu_Click("住民");
  EXPECT_NE(main->GVProducer.HeaderText(2, 2), "?");
  EXPECT_TRUE(main->GVProducer.IsShown());
  Click(main->Disp, 780, 300, plat::kRightButton);
  EXPECT_TRUE(!main->GVProducer.IsShown() && main->GLTurnEnd.IsShown());
  EXPECT_EQ(main->mCommand, "住民");
}

TEST_F(MainNavigationTest, AChosenRowReachesTheProcedureOfTheCommandWord) {
  std::string called;
  auto& p = main->procedures;
  auto record = [&](const char* name) { return [&called, name] { called += std::string(name) + " "; }; };
  p.ItemCommand = record("Item");
  p.AreaCommand = record("Area");
  p.TradeItemSelect = record("TradeItem");
  p.ConstructCommand = record("Construct");
  p.TradeStart = record("TradeStart");
  p.GetTradeData = record("TradeData");
  p.SetUnitEquipment = record("Equip");
  p.ShowStandardEquipment = record("Class");
  p.SetBattle = [&] {
    called += "Battle ";
    return std::string();
  };
  Fill(main->GGMain, 215, 100);
  Fill(main->GGSub1, 215, 300);
  Fill(main->GGSub2, 500, 300);
  const int y = ctrGraphicalGrid::kRowHeight * 3 / 2;  // the first record
  for (const char* word : {"研究", "購入", "売却", "公開", "供給", "倉庫", "探索", "建設", "解体", "配分", "改修",
                           "討伐", "住民", "開始", "中止"}) {
    main->mCommand = word;
    called += std::string(word) + ":";
    for (ctrGraphicalGrid* g : {&main->GGMain, &main->GGSub1, &main->GGSub2}) Click(*g, 20, y);
    called += "| ";
  }
  EXPECT_EQ(called,
            "研究:Item | 購入:Item | 売却:Item | 公開:Item | 供給:Item | 倉庫:| 探索:Area | 建設:Area Construct | "
            "解体:Area Construct | 配分:Area Construct | 改修:Area Construct | 討伐:Equip Class Battle | 住民:| "
            "開始:TradeItem TradeStart | 中止:TradeData | ");
  EXPECT_TRUE(main->GVUnit.Visible());  // a class chosen shows the unit
  // Under 配分 the chosen product goes onto GLClear; its click lets go of it again.
  EXPECT_EQ(main->GLClear.Text(), "500");
  EXPECT_TRUE(main->GLClear.Enable());
  main->GLClear.SetVisible(true);
  Click(main->GLClear, 10, 10);
  EXPECT_EQ(main->GLClear.Text(), "生産解除");
  EXPECT_FALSE(main->GLClear.Enable());
  EXPECT_EQ(main->mMouseOnControl, "GLClear");
}

TEST_F(MainNavigationTest, RecruitmentSwitchesAgreeInBothViewsAndTheViewUnderTheMouseIsTracked) {
  main->GMenu_Click("住民");
  Click(main->GVProducer, 5, 5);
  EXPECT_EQ(main->mActiveView, mainscreen::kViewProducer);
  const plat::Surface before = main->GVPeople.Image();
  auto same = [](const plat::Surface& a, const plat::Surface& b) {
    return a.Height() == b.Height() && a.Stride() == b.Stride() &&
           std::equal(a.Bits(), a.Bits() + a.Stride() * a.Height(), b.Bits());
  };
  ClickCell(main->GVProducer, 4, 3);
  EXPECT_EQ(main->GVProducer.HeaderText(4, 3) + main->GVPeople.HeaderText(2, 3), "募集中募集中");
  EXPECT_FALSE(same(main->GVPeople.Image(), before)) << "the people view still shows the old switch";
  ClickCell(main->GVPeople, 6, 3);  // soldiers, from the people view
  ClickCell(main->GVPeople, 2, 3);  // producers off again
  EXPECT_EQ(main->mActiveView, mainscreen::kViewPeople);
  EXPECT_EQ(main->GVProducer.HeaderText(4, 3) + main->GVSoldier.HeaderText(4, 3), "募集する募集中");
  Click(main->Disp, 780, 300);  // the backdrop: no view under the mouse
  EXPECT_EQ(main->mActiveView, mainscreen::kViewNone);
}

TEST_F(MainNavigationTest, AListLetsGoOfItsRowAndTooltipWhenThePointerSkipsTheBackdrop) {
  Fill(main->GGMain, 215, 100);
  const plat::Point list = main->GGMain.OriginInWindow();
  plat::input::MouseMove(*main, list.x + 20, list.y + ctrGraphicalGrid::kRowHeight * 3 / 2);
  plat::DoEvents();
  ASSERT_EQ(main->mMouseOnControl, "GGMain");
  main->GLToolTip.SetText("行の説明");  // as the row under the mouse shows its tooltip
  main->GLToolTip.SetVisible(true);
  const plat::Point view = main->GVPeople.OriginInWindow();
  plat::input::MouseMove(*main, view.x + 5, view.y + 5);  // fast: no backdrop pixel in between
  plat::DoEvents();
  EXPECT_FALSE(main->GLToolTip.IsShown());
  EXPECT_EQ(main->mMouseOnControl + std::to_string(main->mActiveView), "" + std::to_string(mainscreen::kViewPeople));
}

TEST_F(MainNavigationTest, NextWeekRunsOneWeekHowEverOftenItIsPressedAndRefusesTheClose) {
  const int32_t turn = main->mTurn;
  // While the week runs (its first progress text lets the loop run): the button pressed again
  // where it stood, pressed again from code, and a close request.
  int pressedInside = 0;
  plat::Timer inside;
  inside.SetInterval(1);
  inside.Tick = [&] {
    if (!main->mWeekRunning) return;
    inside.SetEnabled(false);
    ++pressedInside;
    main->GLTurnEnd_Click();
  };
  inside.SetEnabled(true);
  clock_.Advance(10);
  const plat::Point o = main->GLTurnEnd.OriginInWindow();
  for (int press = 0; press < 2; ++press) {
    plat::input::MouseMove(*main, o.x + 10, o.y + 10);
    plat::input::MouseDown(*main, o.x + 10, o.y + 10);
    plat::input::MouseUp(*main, o.x + 10, o.y + 10);
  }
  plat::input::CloseRequest(*main);
  plat::DoEvents();
  EXPECT_EQ(pressedInside, 1);
  EXPECT_EQ(main->mTurn, turn + 1);
  EXPECT_FALSE(main->Closed());
  EXPECT_TRUE(main->GLTurnEnd.IsShown() && !main->GLTurnEnd.Selected() && !main->TurnEndClickRunning());
}

// 次の週へ comes back where the execute button stood: a double-click on the execute button must
// not run a week the player did not ask for; a click once the double-click time is over does.
TEST_F(MainNavigationTest, ADoubleClickOnExecuteDoesNotRunTheWeek) {
  const int32_t turn = main->mTurn;
  main->GMenu_Click("購入");
  ClickRecord(main->GGMain, "布");
  main->PSMain.SetValue(1);
  ASSERT_TRUE(main->GLExcute.IsShown() && !main->GLTurnEnd.IsShown());
  const plat::Point o = main->GLExcute.OriginInWindow();
  QueueClick(o.x + 50, o.y + 10);
  plat::DoEvents();
  ASSERT_TRUE(main->GLTurnEnd.IsShown()) << "the purchase did not close its panel";
  EXPECT_EQ(sim::QueryNumber(*gDB, "SELECT Storage FROM itemdata WHERE Name='布'"), 21) << "one purchase of one";
  clock_.Advance(100);
  QueueClick(o.x + 50, o.y + 10);  // the double-click's second press
  plat::DoEvents();
  EXPECT_EQ(main->mTurn, turn);
  clock_.Advance(500);
  QueueClick(o.x + 50, o.y + 10);
  plat::DoEvents();
  EXPECT_EQ(main->mTurn, turn + 1);

  // Come back while the pointer is elsewhere (a right click on the backdrop closes the panel), the
  // button takes the click that follows at once.
  main->GMenu_Click("倉庫");
  Click(main->Disp, 780, 300, plat::kRightButton);
  QueueClick(o.x + 50, o.y + 10);
  plat::DoEvents();
  EXPECT_EQ(main->mTurn, turn + 2);
}

// A box closed over the screen (a week's data error) leaves the pointer where it was on the
// screen. 次の週へ, back after it, guards against a double-click only when that place is on the
// button: elsewhere the click that follows counts at once.
TEST_F(MainNavigationTest, AfterABoxTheGuardOnNextWeekKnowsWhereThePointerIs) {
  const int32_t turn = main->mTurn;
  const plat::Point o = main->GLTurnEnd.OriginInWindow(), screen = main->Position();
  struct Case {
    int x, y;  // the box's button, in the main window's pixels
    bool counts;
  } cases[] = {{400, 300, true}, {o.x + 109, o.y + 19, false}, {o.x + 110, o.y + 10, true}};
  int weeks = 0;
  for (const Case& c : cases) {
    main->GMenu_Click("倉庫");  // the button goes
    {
      plat::Window box("vesk", 240, 110, plat::WindowStyle::Dialog);
      box.SetPosition(screen.x + c.x - 120, screen.y + c.y - 80);
      box.Show();
      plat::input::MouseMove(box, 120, 80);  // on its OK
      plat::DoEvents();
      box.Close();
    }
    main->GMenu_Click("戻る");  // the button is back
    clock_.Advance(200);
    QueueClick(o.x + 50, o.y + 10);
    plat::DoEvents();
    weeks += c.counts;
    EXPECT_EQ(main->mTurn, turn + weeks) << c.x << "," << c.y;
    clock_.Advance(1000);
  }
}

// The settings dialog takes the focus when it shows and gives nothing back by itself, as on an X
// server without a window manager (headless the platform keeps the focus that way). Once it is
// confirmed the main window has the focus again: its menu opens under the pointer.
TEST_F(MainNavigationTest, AfterTheSettingsDialogTheMenuOpensUnderThePointer) {
  Screens().ShowSettings = [](Media&) {
    plat::Window dialog("設定", 535, 343, plat::WindowStyle::Dialog);
    plat::CommandButton ok(&dialog, "OK");
    ok.SetBounds(337, 315, 89, 21);
    ok.Click = [&dialog] { dialog.Close(); };
    plat::Timer hand;  // the player's hand, once the dialog is up
    hand.SetInterval(20);
    hand.Tick = [&] {
      hand.SetEnabled(false);
      EXPECT_TRUE(plat::IsActiveWindow(dialog));
      plat::input::MouseMove(dialog, 380, 325);
      plat::input::MouseDown(dialog, 380, 325);
      plat::input::MouseUp(dialog, 380, 325);
    };
    hand.SetEnabled(true);
    dialog.ShowModal();
  };
  Tick();
  Hover(main->GMenu.MenuItem(5));  // その他
  ASSERT_TRUE(main->GMenu.SubMenuPanel().IsShown());
  Click(main->GMenu.SubMenuItem(1), 20, 10);  // 設定, confirmed with OK
  EXPECT_TRUE(plat::IsActiveWindow(*main));
  plat::input::MouseMove(*main, 790, 380);
  Tick();
  Hover(main->GMenu.MenuItem(3));  // 建物
  EXPECT_TRUE(main->GMenu.SubMenuPanel().IsShown());
  EXPECT_EQ(main->GMenu.SubMenuList(3), "建設:改修:配分:解体");
}

// Nothing can be bought, yet standing purchase orders run: after the notice they stay in sight
// beside the empty list, and can be chosen, until the panel closes.
TEST_F(MainNavigationTest, StandingOrdersStayInSightWhenNothingCanBeBought) {
  ASSERT_TRUE(gDB->Excute("UPDATE itemdata SET Open='非公開'"));
  ASSERT_TRUE(gDB->Excute("INSERT INTO continueitem VALUES(1,'布','購入',5,3)"));
  QueueClick(550, 460);  // 閉じる on the notice
  main->GMenu_Click("購入");
  EXPECT_EQ(main->lblMSG[0].Caption(), "購入できるアイテムがありません");
  EXPECT_EQ(main->mCommand, "購入");
  EXPECT_TRUE(main->GGMain.IsShown() && main->GGMain.RowCount() == 1) << "the list, empty";
  ASSERT_TRUE(main->GGSub1.IsShown());
  EXPECT_FALSE(main->GLTurnEnd.IsShown());
  ClickRecord(main->GGSub1, "布");
  EXPECT_EQ(main->GGSub1.SelectRowData(2), "3");
  Click(main->Disp, 780, 300, plat::kRightButton);
  EXPECT_TRUE(!main->GGSub1.IsShown() && !main->GGMain.IsShown() && main->GLTurnEnd.IsShown());
}

TEST_F(MainNavigationTest, AWeekThatEndsTheGameClosesTheWindowOnceTheButtonIsBack) {
  ASSERT_TRUE(gDB->Excute("UPDATE home SET Grain=0"));  // nobody can be fed
  plat::Timer answer;
  answer.SetInterval(20);
  answer.Tick = [&] {
    if (main->GLMSG[0].IsShown()) main->GLMSG_Click(0);
  };
  answer.SetEnabled(true);
  const plat::Point o = main->GLTurnEnd.OriginInWindow();
  plat::input::ClickAt(*main, o.x + 10, o.y + 10);
  EXPECT_TRUE(main->Closed());
  EXPECT_TRUE(main->GLTurnEnd.Visible() && !main->TurnEndClickRunning());
  // The program has ended in order; its next start begins a new game.
  EXPECT_NE(ReadFileText(game->Folder() / "vesk.ini").find("DBInit=True"), std::string::npos);
}

}  // namespace
