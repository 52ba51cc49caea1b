/** @file MainWindowTest.cpp The main window on a fresh game folder: its load, its message box, its refusal to close and its unload. */
#include "MainWindowFixture.h"
#include "db/CreateDB.h"
#include "platform/AudioDevice.h"
#include "runtime/Clock.h"
#include "runtime/Strings.h"
#include "sim/SimDb.h"

namespace fs = std::filesystem;

namespace {

class MainWindowTest : public MainWindowFixture {};

TEST_F(MainWindowTest, LoadRunsInTheGamesOrderAndShowsTheNewGame) {
  auto device = std::make_unique<plat::AudioFakeDevice>();
  plat::AudioFakeDevice& sounds = *device;
  plat::SetAudio(std::make_unique<plat::AudioSystem>(std::move(device)));
  ASSERT_TRUE(Load());
  std::vector<std::string> order = {
      "Position", "SetUnitItemData", "Caption", "mData", "DB接続中", "DBConnect", "Check1", "Check2", "Check3",
      "LoadPeopleData", "画像ファイル読み込み", "LoadImages", "SoundPaths", "Collections", "mSEPath", "LayoutScreen",
      "メニュー設定中", "InitGameMenu", "GVコントロール配置中", "InitViews", "GLコントロール配置中", "InitLabels",
      "GGヘッダー設定中", "InitGridHeaders", "GGコントロール配置中", "InitGrids", "PSコントロール配置中", "InitSlider",
      "pBattle", "GVデータ取得中", "GLデータ取得中", "ゲームのプロパティを設定中", "OpenMIDI", "SettingIni",
      "UnloadTitle"};
  std::string shown =
      "DB接続中|画像ファイル読み込み|メニュー設定中|GVコントロール配置中|GLコントロール配置中|GGヘッダー設定中|"
      "GGコントロール配置中|PSコントロール配置中|GVデータ取得中|GLデータ取得中|ゲームのプロパティを設定中|";
  if (gDX8) {  // the audio path start-up chose
    order[order.size() - 3] = "DirectX8のインスタンスを生成";
    order.insert(order.end() - 2, "InitDX8Sound");
    shown += "DirectX8のインスタンスを生成|";
  }
  EXPECT_EQ(steps, order);
  EXPECT_EQ(rt::Join(progress, "|"), shown + "(title closed)");

  // The views' final sizes: the occupation tables fit themselves to 140 x 74.
  struct Size { ctrGraphicalView* view; int w, h; };
  for (auto [view, w, h] : {Size{&main->GVKingdom, 300, 60}, Size{&main->GVPeople, 180, 110},
                            Size{&main->GVTrade, 400, 92}, Size{&main->GVUnit, 350, 128},
                            Size{&main->GVProducer, 140, 74}, Size{&main->GVSoldier, 140, 74}})
    EXPECT_EQ(std::to_string(view->Width()) + "x" + std::to_string(view->Height()),
              std::to_string(w) + "x" + std::to_string(h));
  // The new game's figures reached the views and labels.
  EXPECT_EQ(main->GVKingdom.HeaderText(1, 1) + "|" + main->GVPeople.HeaderText(2, 3) + "|" +
                main->GVProducer.HeaderText(4, 3) + "|" + main->GLConstruct.MainText(),
            "建国1年 第1週|募集する|募集する|建設:なし");
  EXPECT_TRUE(main->GVKingdom.IsShown() && main->GLTurnEnd.IsShown() && !main->GVProducer.IsShown() &&
              !main->picMSG.IsShown());

  // Only the menu, the grids, the views and the slider are heard: the pointer crossing a
  // command's execute button plays nothing, lighting a recruitment switch plays its sound.
  main->GLExcute.SetVisible(true);
  sounds.log.clear();
  for (auto [x, y] : {std::pair{700, 585}, {400, 400}, {150, 99}}) {
    plat::input::MouseMove(*main, x, y);
    plat::DoEvents();
  }
  ASSERT_EQ(sounds.log.size(), 1u) << rt::Join(sounds.log, "|");
  EXPECT_NE(sounds.log[0].find("buble04.wav"), std::string::npos) << sounds.log[0];
  main->GLExcute.SetVisible(false);

  // A battle's pictures are made when it first draws, and let go when its army is home.
  EXPECT_TRUE(main->picImage[2].Empty());
  gBattle->SetBattleField("森");
  EXPECT_TRUE(!main->picImage[2].Empty() && main->picBattleTMP.Width() == 800 && main->BattleWS.Width() == 800);
  main->HideBattleDisp();
  EXPECT_TRUE(main->picImage[2].Empty() && main->BattleWS.Empty());
}

// Each button set: which buttons show, and the answer of the clicked one.
TEST_F(MainWindowTest, MessageBoxAnswersWithTheClickedButton) {
  ASSERT_TRUE(Load());
  struct Case {
    int32_t buttons;
    int clickX;  // 0: no click
    int32_t answer;
  };
  // The frame is 400 wide, so the buttons stand at 500 (閉じる), 300 (はい), 450 (いいえ).
  for (Case c : {Case{1, 550, 1}, Case{6, 350, 2}, Case{6, 500, 4}, Case{3, 550, 1}, Case{0, 0, 0}}) {
    SCOPED_TRACE(c.buttons);
    if (c.clickX) QueueClick(c.clickX, 460);
    EXPECT_EQ(main->ShowMSGBox("一行目\r\n二行目", c.buttons, true), c.answer);
    EXPECT_FALSE(main->picMSG.IsShown());  // sent back behind the screen
    EXPECT_EQ(main->lblMSG[0].Centred(), c.buttons != 0);
  }
  // Without buttons the text stays in front; three lines show only the first.
  main->ShowMSGBox("処理中\r\nb\r\nc", 0, false);
  EXPECT_TRUE(main->picMSG.IsShown() && main->lblMSG[0].IsShown() && !main->lblMSG[1].IsShown());
  EXPECT_EQ(main->lblMSG[0].Caption(), "処理中");
  main->SendMessagePanelBack();
}

// The longest question the game asks: the widest building name with the widest area name
// ("現在みすぼらしい伐採所(リュシーレ平原)を建設中です。..." and longer), shown whole above the
// buttons; a text too long even for that is drawn smaller, never cut.
TEST_F(MainWindowTest, MessageBoxShowsTheLongestQuestionWhole) {
  ASSERT_TRUE(Load());
  const plat::Font msgFont(20, 700);
  auto widest = [&](const std::string& sql) {
    std::string best;
    for (const auto& row : sim::QueryRows(*gDB, sql))
      if (msgFont.TextWidth(row[0]) > msgFont.TextWidth(best)) best = row[0];
    return best;
  };
  const std::string question = "現在" + widest("SELECT Name FROM construct") + "(" + widest("SELECT Name FROM area") +
                               ")を建設中です。破棄してもいいですか";
  struct Case {
    std::string text;
    bool smaller;  // drawn below the message font's size
  } cases[] = {{question, false}, {question + "\r\n" + question, false}, {question + question + question + question, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    QueueClick(350, 460);  // はい
    EXPECT_EQ(main->ShowMSGBox(c.text, 6, true), 2);
    const std::vector<std::string> lines = rt::Split(c.text, "\r\n");
    for (size_t i = 0; i < lines.size(); ++i) {
      const mainscreen::MessageLine& l = main->lblMSG[i];
      plat::Rect need{0, 0, l.Width() - 32, 0};
      const int height = plat::MeasureText(l.TextFont(), lines[i], need, plat::DT_WORDBREAK | plat::DT_CENTER);
      EXPECT_LE(height, l.Height()) << "line " << i << " is cut";
      EXPECT_LE(l.Top() + l.Height(), 450) << "line " << i << " runs under the buttons";
      EXPECT_EQ(l.TextFont().CellHeight() < 20, c.smaller) << "line " << i;
      // The text's last line is on the picture.
      int ink = 0;
      for (int y = height - l.TextFont().LineHeight(); y < height; ++y)
        for (int x = 0; x < l.Width(); ++x) ink += l.Image().GetPixel(x, y) == plat::Rgb(40, 30, 20);
      EXPECT_GT(ink, 0) << "line " << i;
    }
  }
}

TEST_F(MainWindowTest, CloseIsRefusedWhileTheGameWaitsAndTheUnloadSavesMoneyAndSettings) {
  ASSERT_TRUE(Load());
  main->mTurnRunning = true;  // the conquest
  plat::input::CloseRequest(*main);
  plat::DoEvents();
  EXPECT_FALSE(main->Closed()) << "during the conquest";
  main->mTurnRunning = false;
  // A close request that arrives while a question waits is refused; the answer still counts.
  plat::input::CloseRequest(*main);
  QueueClick(350, 460);
  EXPECT_EQ(main->ShowMSGBox("解体しますか？", 6, true), 2);
  EXPECT_FALSE(main->Closed());

  // During a battle the close waits; a battle left undecided is over all the same.
  auto slow = std::make_shared<clsUnitver2>();
  slow->SetUnit("1", "国王軍", "セイバー", 20, 10);
  slow->SetAccessory("鉛の靴", 0, 0, "速度:-100");  // nobody reaches a turn in 30 cycles
  auto turtle = std::make_shared<clsUnitver2>();
  turtle->SetMonster("1", "カメ", "獣", "セイバー", 5, 5, 1, "", "", 10, 50, 1, 1, 1);
  gBattle->UnitAdd(slow, "国王軍1");
  gBattle->UnitAdd(turtle, "カメ1");
  gBattle->Notification = [&](const std::string& s) {
    if (s != "BattleEND") return;
    plat::input::CloseRequest(*main);
    plat::DoEvents();
  };
  rt::VirtualClock clock;
  rt::SetClock(&clock);
  const bool fought = gBattle->StartBattle("国王軍1", "カメ1");
  rt::SetClock(nullptr);
  gBattle->Notification = nullptr;
  ASSERT_TRUE(fought);
  ASSERT_EQ(gBattle->Result(), BattleResult::Undecided);
  EXPECT_FALSE(main->Closed()) << "during the battle";

  // Money spent by a command lives in memory until the week; the unload keeps it.
  ASSERT_TRUE(main->mData.MoneyDif(123));
  const int32_t money = main->mData.Money();
  gMngUnitItems->SetUnitItem("セイバー", "武器", "鉄の剣");
  main->SetPosition(40, 60);
  plat::input::CloseRequest(*main);
  plat::DoEvents();
  ASSERT_TRUE(main->Closed());
  clsDB check;
  ASSERT_TRUE(CreateDB::DBConnect(check)) << game->DbPath();
  EXPECT_EQ(sim::QueryNumber(check, "SELECT [Money] FROM home"), money);
  const std::string ini = Ini();
  EXPECT_NE(ini.find("MainLeft=600"), std::string::npos) << ini;
  EXPECT_NE(ini.find("MainTop=900"), std::string::npos) << ini;
  EXPECT_NE(ini.find("UnitItem=セイバー:武器:鉄の剣"), std::string::npos) << ini;
}

TEST_F(MainWindowTest, AMissingPictureEndsTheStartNamingItAndSavesNothingButTheSettings) {
  fs::remove(game->Folder() / "image" / "msgimage2.bmp");
  ASSERT_TRUE(gDB);
  EXPECT_FALSE(Load());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].prompt.find("msgimage2.bmp"), std::string::npos) << boxes.shown[0].prompt;
  EXPECT_EQ(steps.back(), "EndLoad");
  EXPECT_NE(Ini().find("Check3=True"), std::string::npos);  // the settings were written at the end
  EXPECT_FALSE(gIni);                                        // and the program shut down
}

// Without a wave file and a tune the game still starts: each is told once (what then plays: the
// sound tests).
TEST_F(MainWindowTest, MissingSoundsAreToldAndTheMainWindowLoadsWithoutThem) {
  auto device = std::make_unique<plat::AudioFakeDevice>();
  plat::AudioFakeDevice& sounds = *device;
  plat::SetAudio(std::make_unique<plat::AudioSystem>(std::move(device)));
  const fs::path sound = game->Folder() / "sound";
  fs::remove(sound / "fire02.wav");
  fs::remove(sound / "map2.mid");
  for (const char* file : {"fire02.wav", "map2.mid"}) sounds.failingPaths.insert((sound / file).string());
  ASSERT_TRUE(Load());
  EXPECT_TRUE(main->IsShown() && steps.back() == "UnloadTitle");
  std::string told;
  for (const auto& box : boxes.shown) told += box.prompt + "|";
  ASSERT_EQ(boxes.shown.size(), 2u) << told;  // the effect's box, then the tune's (the MCI open or DirectX 8)
  EXPECT_NE(boxes.shown[0].prompt.find("fire02.wav"), std::string::npos) << told;
  EXPECT_NE(boxes.shown[1].prompt.find("map2.mid"), std::string::npos) << told;
}

}  // namespace
