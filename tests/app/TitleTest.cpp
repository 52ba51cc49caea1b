/** @file TitleTest.cpp The title screen's buttons, busy refusal, pending reset, compaction, start and end. */
#include <fstream>

#include "MediaFixture.h"
#include "app/Screens.h"
#include "app/frmTitle.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "platform/EventLoop.h"
#include "support/FreshGameDb.h"

namespace {

class TitleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    rt::SetClock(&clock_);
    std::filesystem::create_directories(game_.Folder() / "image");
    WritePicture(game_.Folder() / "image" / "title.bmp", 320, 280, plat::Rgb(40, 40, 90));
    gIni = std::make_shared<CIniFile>();
    gIni->Load((game_.Folder() / "vesk.ini").string());
    InitSettingIni(*gIni, "999999");
    gAppInfo = std::make_shared<clsAppInfo>();
    gEnding = false;
  }
  void TearDown() override {
    Screens() = ScreenHooks{};
    plat::DoEvents();
    gIni.reset();
    gAppInfo.reset();
    gEnding = false;
    rt::SetClock(nullptr);
  }
  /// One statement or one value of the saved game, on a connection of its own.
  std::string Sql(const std::string& sql) {
    clsDB db;
    bool opened = false;
    auto conn = CreateDB::OpenDB(game_.DbPath(), CreateDB::kScrambledPassword, opened);
    if (!opened) return "<no database>";
    db.DBSet(std::move(conn));
    if (sql.rfind("SELECT", 0) != 0) return db.Excute(sql) ? "" : db.GetErrMSG();
    return db.GetData(sql) && db.GetRowCount() > 0 ? db.Data(0) : "<none>";
  }
  std::string Money() { return Sql("SELECT [Money] FROM home"); }
  static std::string Enabled(frmTitle& t) {
    std::string s;
    for (auto* b : {&t.GLLStart, &t.GLLInit, &t.GLLCompact, &t.GLLEnd}) s += b->Enable() ? "1" : "0";
    return s;
  }
  void MoveTo(frmTitle& t, int x, int y) {
    plat::input::MouseMove(t.Form(), x, y);
    plat::DoEvents();
  }

  rt::VirtualClock clock_;
  GameDbFolder game_;
};

}  // namespace

TEST_F(TitleTest, PendingResetAtLoad) {
  plat::ScriptedMessageBox boxes;
  Sql("UPDATE home SET [Money]=4321");
  gIni->Data("DBInit", "True");
  {
    frmTitle t;
    t.Show();
    EXPECT_EQ(Money() + " " + gIni->Data("DBInit") + " " + t.HintText() + " " + Enabled(t), "500 False DBの初期化完了 1111");
  }

  // A reset that fails changes nothing, says so, and is asked for again at the next start.
  Sql("UPDATE home SET [Money]=4321");
  Sql("INSERT INTO continueitem VALUES(1,'布','購入',5,3)");
  Sql("CREATE TRIGGER keep BEFORE DELETE ON continueitem BEGIN SELECT RAISE(ABORT,'refused'); END");
  gIni->Data("DBInit", "True");
  frmTitle t;
  t.Show();
  EXPECT_EQ(Money() + " " + gIni->Data("DBInit") + " " + Enabled(t) + " " + (t.Busy() ? "busy" : "idle"), "4321 True 1111 idle");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].prompt.find("データを初期化できませんでした"), std::string::npos) << boxes.shown[0].prompt;
  EXPECT_NE(boxes.shown[0].prompt.find("データベースの処理に失敗しました"), std::string::npos) << boxes.shown[0].prompt;
}

// The answer yes and a compaction that works: the title scenario.
TEST_F(TitleTest, NoKeepsTheGameAndCompactionThatFailsKeepsTheFile) {
  plat::ScriptedMessageBox boxes({plat::vbNo});
  Sql("UPDATE home SET [Money]=4321");
  frmTitle t;
  t.Show();
  t.GLLInit_Click();
  EXPECT_EQ(Money() + " " + t.HintText(), "4321 ");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "データの初期化");

  // Compaction of a file that is no database: it stays as it was, and the player is told.
  WriteFileText(game_.DbPath(), "not a database");
  t.GLLCompact_Click();
  EXPECT_EQ(ReadFileText(game_.DbPath()) + " " + t.HintText() + " " + Enabled(t) + (t.Busy() ? " busy" : ""),
            "not a database DBの最適化を中止しました 1111");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_NE(boxes.shown[1].prompt.find("データベースを最適化できませんでした"), std::string::npos);
}

// The end button writing the settings: the title scenario.
TEST_F(TitleTest, CloseRefusedWhileBusyAndAWindowSystemCloseWritesNothing) {
  plat::ScriptedMessageBox boxes;
  frmTitle t;
  t.Show();
  // A close request that arrives during the compaction's first progress text is refused.
  plat::input::CloseRequest(t.Form());
  t.GLLCompact_Click();
  EXPECT_FALSE(t.Form().Closed());
  t.Form().SetPosition(70, 80);
  EXPECT_TRUE(t.Form().RequestClose());
  // Closed by the window system: the position is kept in memory only, nothing is written.
  EXPECT_EQ(gIni->Data("TitleLeft") + "," + gIni->Data("TitleTop"), "1050,1200");
  EXPECT_FALSE(gEnding || std::filesystem::exists(game_.Folder() / "vesk.ini"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TitleTest, StartHandsOverToTheMainScreen) {
  plat::ScriptedMessageBox boxes;
  // While the main screen loads: busy, buttons off, its progress texts stay under the mouse.
  std::string during;
  Screens().ShowMainScreen = [&](TitleScreen& title) {
    auto& t = static_cast<frmTitle&>(title);
    title.ProgressMSG("DB接続中");
    MoveTo(t, 250, 100);
    during = t.HintText() + " " + Enabled(t) + (t.Busy() ? " busy" : "") + (t.Form().RequestClose() ? " closed" : "");
    return StartOutcome::Started;
  };
  {
    frmTitle t;
    t.Show();
    t.GLLStart_Click();
    EXPECT_EQ(during, "DB接続中 0000 busy");
    EXPECT_TRUE(t.Form().Closed() && !gEnding);  // the main screen lives on
  }
  // A main screen that could not load: the program ends in order.
  Screens().ShowMainScreen = [](TitleScreen&) { return StartOutcome::Failed; };
  frmTitle t;
  t.Show();
  t.GLLStart_Click();
  EXPECT_TRUE(t.Form().Closed() && gEnding && std::filesystem::exists(game_.Folder() / "vesk.ini"));

  // Without its picture the title cannot be made, and says which file is missing.
  std::filesystem::remove(game_.Folder() / "image" / "title.bmp");
  gIni = std::make_shared<CIniFile>();
  InitSettingIni(*gIni, "999999");
  try {
    frmTitle missing;
    ADD_FAILURE() << "made without its picture";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("title.bmp"), std::string::npos) << e.what();
  }
}
