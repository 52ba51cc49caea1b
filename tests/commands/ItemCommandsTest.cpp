/** @file ItemCommandsTest.cpp The item commands on a new game: their lists and prices, the slider's bounds, the deals of the week and the standing orders they write, supplying food, research and publishing. */
#include "CommandFixture.h"

namespace cmdtest {
namespace {

class ItemCommandsTest : public CommandTest {
 protected:
  // One deal prepared on item, the slider at amount, the count button at count (when shown), executed.
  void Deal(const std::string& word, const std::string& item, int32_t amount, int count = 1) {
    ASSERT_TRUE(Menu(word));
    Pick(GridId::GGMain, 0, item);
    Slide(amount);
    if (count > 1) Button(ButtonId::GLSubMenu2).text = "回数:" + std::to_string(count);
    cmd::GLExcute_Click(c);
  }
  std::string Orders() {
    return Value("SELECT GROUP_CONCAT(ID||','||Item||','||Type||','||Amount||','||Count,'/') FROM continueitem");
  }
};

TEST_F(ItemCommandsTest, ListsOfferWhatEachCommandMayTakeAtTheMarketPrices) {
  Exec("UPDATE itemdata SET DecreaseWeek=10 WHERE Name='木刀'");
  Exec("UPDATE item SET Price=0 WHERE Name='木の矢'");
  // An empty treasure must not empty the list; a real one keeps its item out of it.
  Exec("UPDATE nest SET Treasure=NULL WHERE Name='ゴブリンの巣'");
  Exec("UPDATE nest SET Treasure='布' WHERE Name='湿った洞窟'");
  ASSERT_TRUE(Menu("購入"));
  const fake::FakeGrid& main = Grid(GridId::GGMain);
  EXPECT_EQ(Sorted(main.Column(0)), Sorted({"木弓", "布の服", "木刀", "木の槍", "羊毛", "貧しい麦", "貧弱羊", "木材",
                                            "羊肉", "小麦"}));
  auto price = [&](const std::string& item) {
    Grid(GridId::GGMain).Choose(0, item);
    return Grid(GridId::GGMain).SelectRowData(3);
  };
  EXPECT_EQ(price("木弓") + "/" + price("木刀"), "35/48") << "木刀 with the novelty premium";

  ASSERT_TRUE(Menu("売却"));
  EXPECT_EQ(Sorted(Grid(GridId::GGMain).Column(0)), Sorted({"木弓", "布の服", "木刀", "木の槍", "布", "羊毛"}))
      << "stocked items with a price";
  EXPECT_EQ(price("木刀"), "27");

  EXPECT_FALSE(Menu("供給"));
  EXPECT_EQ(LastMessage(), "供給できるアイテムがありません");
  Exec("UPDATE itemdata SET Storage=9 WHERE Name IN ('羊肉','木材')");
  ASSERT_TRUE(Menu("供給"));
  EXPECT_EQ(Grid(GridId::GGMain).Column(0), (Names{"羊肉"}));

  // The warehouse shows items without a catalogue row, and the research progress.
  Exec("INSERT INTO itemdata VALUES('謎の石',5,0,0,'非公開',21,False)");
  ASSERT_TRUE(Menu("倉庫"));
  EXPECT_TRUE(Grid(GridId::GGMain).Choose(0, "謎の石"));
  EXPECT_EQ(Grid(GridId::GGMain).SelectRowData(2) + "/" + Grid(GridId::GGMain).SelectRowData(11), "/");
  EXPECT_TRUE(Grid(GridId::GGMain).Choose(0, "羊毛"));
  EXPECT_EQ(Grid(GridId::GGMain).SelectRowData(5), "50") << "150 points at level 2";
  EXPECT_TRUE(Grid(GridId::GGMain).Choose(0, "木の矢")) << "no price, still in the warehouse";
}

TEST_F(ItemCommandsTest, TheSliderAllowsWhatTheMerchantsCanMoveAndTheStockHolds) {
  // Ten merchants: the cheaper the goods, the more of them in one deal, never fewer than one.
  for (const auto& [value, capacity] : {std::pair{0, 12}, std::pair{5, 5}, std::pair{10, 1}}) {
    Exec("UPDATE item SET Value=" + std::to_string(value) + " WHERE Name='木の槍'");
    ASSERT_TRUE(Menu("購入"));
    Pick(GridId::GGMain, 0, "木の槍");
    EXPECT_EQ(host.slider.max, capacity) << "value " << value;
  }
  // A sale: twelve a deal at value 0, but no more than the stock.
  Exec("UPDATE item SET Value=0 WHERE Name='木の槍'");
  Exec("UPDATE itemdata SET Storage=7 WHERE Name='木の槍'");
  ASSERT_TRUE(Menu("売却"));
  Pick(GridId::GGMain, 0, "木の槍");
  EXPECT_EQ(SliderState(), "0..7=0:木の槍");
  // 最大 is the whole stock, and selling it goes through.
  Slide(host.slider.max);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Stock("木の槍") + "/" + Home("TurnSell"), "0/True");

  // The price on the execute button follows the slider; red when the treasury falls short.
  Exec("UPDATE item SET Price=120 WHERE Name='木弓'");
  SetMoney(500);
  ASSERT_TRUE(Menu("購入"));
  Pick(GridId::GGMain, 0, "木弓");
  Slide(4);
  EXPECT_EQ(Button(ButtonId::GLExcute).Text() + std::to_string(Button(ButtonId::GLExcute).fontColor), "金額:4801");
  host.slider.Value(host.slider.max);  // "最大"
  EXPECT_EQ(Button(ButtonId::GLExcute).Text() + std::to_string(Button(ButtonId::GLExcute).fontColor), "金額:13202");

  // A standing purchase takes the street's one place for purchases, not for sales.
  Exec("INSERT INTO continueitem VALUES(1,'布','購入',2,3)");
  ASSERT_TRUE(Menu("購入"));
  EXPECT_EQ(Grid(GridId::GGSub1).Column(0), (Names{"布"}));
  Pick(GridId::GGMain, 0, "木弓");
  EXPECT_FALSE(Button(ButtonId::GLSubMenu2).Visible());
  ASSERT_TRUE(Menu("売却"));
  Pick(GridId::GGMain, 0, "木弓");
  EXPECT_TRUE(Button(ButtonId::GLSubMenu2).Visible());

  Exec("UPDATE construction SET NofProduction=0 WHERE Name='小規模商店街'");
  ASSERT_TRUE(Menu("購入"));
  Pick(GridId::GGMain, 0, "木弓");
  EXPECT_EQ(LastMessage(), "商人がいません");
  Exec("DELETE FROM construction WHERE Name='小規模商店街'");
  Pick(GridId::GGMain, 0, "木弓");
  EXPECT_EQ(LastMessage(), "商業地がありません");
  EXPECT_FALSE(host.slider.Visible() || Button(ButtonId::GLExcute).Visible());
}

TEST_F(ItemCommandsTest, OneSaleAndOnePurchaseAWeekAndStandingOrdersBeyond) {
  Exec("UPDATE construct SET Land=2 WHERE Name='小規模商店街'");  // room for two orders of each kind
  Deal("売却", "木刀", 0);
  EXPECT_EQ(LastMessage(), "数量が0です");
  Deal("売却", "木刀", 3);
  EXPECT_EQ(Stock("木刀") + "/" + Home("[Money]||'/'||TurnSell") + "/" + std::to_string(data.Money()), "27/545/1/545");

  Deal("売却", "木刀", 2);
  EXPECT_EQ(LastMessage(), "今週の売却は済みました\r\n連続売却は2回以上を選んでください");
  Deal("売却", "木刀", 2, 3);
  EXPECT_EQ(Orders(), "1,木刀,売却,2,3");
  EXPECT_EQ(Stock("木刀") + "/" + Home("[Money]"), "27/545") << "an order moves nothing now";
  Deal("売却", "木刀", 4, 2);
  EXPECT_EQ(LastMessage(), "木刀は連続売却しています");
  EXPECT_EQ(Orders(), "1,木刀,売却,2,3");


  // A purchase costing exactly the treasury goes through; one costing more does not.
  SetMoney(40);
  Deal("購入", "布", 3);
  EXPECT_EQ(LastMessage(), "お金が足りません");
  Slide(2);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Stock("布") + "/" + Home("[Money]||'/'||TurnBuy"), "22/0/1");
  // The order takes the last place for purchases: with no count button this week's purchase is done.
  Deal("購入", "布", 2, 2);
  EXPECT_EQ(Orders(), "1,木刀,売却,2,3/2,布,購入,2,2");
  Exec("UPDATE construct SET Land=1 WHERE Name='小規模商店街'");
  Deal("購入", "木弓", 1);
  EXPECT_EQ(LastMessage(), "今週の購入は済みました");
}

TEST_F(ItemCommandsTest, ANewStandingOrderNeverSharesTheIdOfARunningOne) {
  // A damaged ID sorts above the numbers: the new order must still take one above order 1.
  Exec("INSERT INTO continueitem VALUES(1,'布','購入',2,3)");
  Exec("INSERT INTO continueitem VALUES('1 OR 1=1','木弓','購入',1,1)");
  Deal("売却", "木刀", 2, 3);
  EXPECT_EQ(Value("SELECT GROUP_CONCAT(Item) FROM continueitem WHERE ID=2"), "木刀");

  // After the last ID of 32 bits there is none: no order is registered, and the player is told why.
  Exec("UPDATE continueitem SET ID=2147483647 WHERE ID=1");
  Exec("UPDATE construct SET Land=3 WHERE Name='小規模商店街'");  // a place for a third purchase
  Deal("購入", "木の槍", 1, 2);
  EXPECT_EQ(Orders(), "2147483647,布,購入,2,3/1 OR 1=1,木弓,購入,1,1/2,木刀,売却,2,3");
  EXPECT_EQ(screen.errors, std::vector<std::string>{"連続購入登録エラー:番号が上限に達しました\r\ncontinueitem.ID=2147483647"});
}

TEST_F(ItemCommandsTest, SupplyingFillsTheFoodStoreUpToItsCapOnlyWhenEverythingWasRead) {
  Exec("UPDATE itemdata SET Storage=30 WHERE Name='羊肉'");
  Exec("UPDATE home SET Meat=9999989");
  ASSERT_TRUE(Menu("供給"));
  Pick(GridId::GGMain, 0, "羊肉");
  EXPECT_EQ(SliderState(), "0..30=0:羊肉");
  cmd::GLExcute_Click(c);
  EXPECT_TRUE(host.slider.Visible()) << "nothing to supply: the panel stays";
  Slide(20);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Stock("羊肉") + "/" + Home("Meat"), "10/9999999");
  // 最大 supplies the whole stock.
  ASSERT_TRUE(Menu("供給"));
  Pick(GridId::GGMain, 0, "羊肉");
  Slide(host.slider.max);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Stock("羊肉") + "/" + Home("Meat"), "0/9999999");
  Exec("UPDATE itemdata SET Storage=10 WHERE Name='羊肉'");

  // The store is read before the stock is lowered: a missing home row leaves the warehouse whole.
  Exec("CREATE TABLE home_kept AS SELECT * FROM home");
  Exec("DELETE FROM home");
  ASSERT_TRUE(Menu("供給"));
  Pick(GridId::GGMain, 0, "羊肉");
  Slide(5);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(screen.errors.back(), "供給先の数量取得エラー\r\nSELECT Meat FROM home");
  EXPECT_EQ(Stock("羊肉"), "10");

  // A write that fails undoes the other: no food appears and no meat disappears.
  Exec("INSERT INTO home SELECT * FROM home_kept");
  FailWritesTo("home");
  cmd::GLExcute_Click(c);
  EXPECT_EQ(screen.errors.back(), "供給SQLエラー\r\nUPDATE home SET Meat=9999999");
  EXPECT_EQ(Stock("羊肉") + "/" + Home("Meat"), "10/9999999");
  EXPECT_TRUE(host.slider.Visible());
  // So does a sale: goods, money and the week's mark stay as they were.
  ASSERT_TRUE(Menu("売却"));
  Pick(GridId::GGMain, 0, "木弓");
  Slide(2);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Stock("木弓") + "/" + Home("[Money]||'/'||TurnSell") + "/" + std::to_string(data.Money()), "30/500/0/500");
  EXPECT_FALSE(state.mTurnSell);
}

TEST_F(ItemCommandsTest, ResearchSetsTheTargetAndPublishingOpensTheMarket) {
  Exec("UPDATE itemdata SET ItemLevel=10 WHERE Name='木弓'");
  ASSERT_TRUE(Menu("研究"));
  Pick(GridId::GGMain, 0, "木弓");
  EXPECT_EQ(LastMessage(), "それ以上、研究できません");
  EXPECT_EQ(Home("Itemresearch"), "");

  Exec("UPDATE itemdata SET Open='非公開' WHERE Name='羊毛'");
  ASSERT_TRUE(Menu("公開"));
  EXPECT_EQ(Grid(GridId::GGMain).Column(0), (Names{"羊毛"}));
  Pick(GridId::GGMain, 0, "羊毛");
  EXPECT_FALSE(Menu("公開"));
  EXPECT_EQ(LastMessage(), "公開するアイテムがありません");
  ASSERT_TRUE(Menu("購入"));
  EXPECT_TRUE(Grid(GridId::GGMain).Choose(0, "羊毛"));
}

// A figure the item commands cannot read is named and nothing moves: no slider for a price past
// 16 bits, no supply into a store that is no count.
TEST_F(ItemCommandsTest, FiguresTheCommandsCannotReadAreNamedAndNothingMoves) {
  Exec("UPDATE item SET Price=65536 WHERE Name='木弓'");  // sold for half: one past 16 bits
  ASSERT_TRUE(Menu("売却"));
  Pick(GridId::GGMain, 0, "木弓");
  EXPECT_FALSE(host.slider.Visible());
  Exec("UPDATE itemdata SET Storage=30 WHERE Name='羊肉'");
  Exec("UPDATE home SET Meat='abc'");
  ASSERT_TRUE(Menu("供給"));
  Pick(GridId::GGMain, 0, "羊肉");
  Slide(5);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(screen.errors, (Names{"売却アイテム情報取得エラー\r\n単価(木弓)=32768", "供給先の数量取得エラー\r\nhome.Meat=abc"}));
  EXPECT_EQ(Stock("羊肉") + "/" + Home("Meat"), "30/abc");
}

}  // namespace
}  // namespace cmdtest
