/** @file TradeCommandsTest.cpp Trade with the nations on a new game: the partner list and the piers, composing a deal, the contract, and the cancellation. */
#include "CommandFixture.h"

namespace cmdtest {
namespace {

constexpr const char* kHome = "カルセーダス王国";  // distance 1, buys 素材 12, 製品 10, 武器 8
constexpr const char* kOther = "アードラー共和国";

class TradeCommandsTest : public CommandTest {
 protected:
  /// A pier of the kingdom: land 1 木製の桟橋, 2 鉄製の桟橋, 3 貿易港; work left > 0 while it is built.
  void Pier(int land, int work = 0) {
    static const char* kNames[] = {"", "木製の桟橋", "鉄製の桟橋", "貿易港"};
    Exec("INSERT INTO construction VALUES(" + std::to_string(20 + pierCount++) + ",'" + kNames[land] + "','中央市街','',0,0," +
         std::to_string(work) + ",'')");
  }
  void Acquaint(const std::string& nation) { Exec("UPDATE country SET Acquaintance=True WHERE Nation='" + nation + "'"); }
  /// The ordinary start: one finished pier, the neighbour known, its deal opened.
  void StartWith(const std::string& nation) {
    if (pierCount == 0) Pier(1);
    Acquaint(nation);
    ASSERT_TRUE(Menu("開始"));
    Pick(GridId::GGSub1, 0, nation);
  }
  /// Goods of a slot (row 2 to 4; column 1 gives, 5 receives), amount on the slider, confirmed.
  void Put(int16_t row, int16_t col, const std::string& item, int32_t amount) {
    cmd::GVTrade_Click(c, row, col);
    if (row == 5) {
      host.slider.value = amount;
    } else {
      Pick(GridId::GGMain, 0, item);
      Slide(amount);
    }
    cmd::TradeLineAdd(c);
  }
  std::string Cell(int16_t row, int16_t col) { return host.trade.HeaderText(row, col); }
  std::string Totals() { return Cell(5, 4) + "/" + Cell(5, 8); }
  std::string Goods(const std::string& nation) {
    return Value("SELECT GROUP_CONCAT(Type||','||Item||','||Amount,'/') FROM tradedata WHERE Nation='" + nation + "'");
  }
  int pierCount = 0;
};

TEST_F(TradeCommandsTest, PartnersNeedAFinishedPierAFreeBerthAndAnOpenNation) {
  EXPECT_FALSE(Menu("開始"));
  EXPECT_EQ(LastMessage(), "交易国がありません");
  Pier(1, 100);
  EXPECT_FALSE(Menu("開始")) << "a pier under construction carries no contract";
  Exec("UPDATE construction SET Work=0 WHERE ID=20");
  EXPECT_FALSE(Menu("開始"));
  EXPECT_EQ(LastMessage(), "交易できる国がありません");

  Acquaint(kHome);
  Acquaint(kOther);
  Exec(std::string("INSERT INTO trade VALUES('") + kOther + "',3,1)");
  EXPECT_FALSE(Menu("開始"));
  EXPECT_EQ(LastMessage(), "1ヶ国と交易していて港が一杯です");
  // A port being built counts for the weight but not for the berths.
  Pier(3, 500);
  EXPECT_FALSE(Menu("開始"));
  Pier(1);
  for (const auto& [land, weight] : {std::pair{2, 100}, std::pair{5, 200}, std::pair{3, 200}}) {
    Exec("UPDATE construct SET Land=" + std::to_string(land) + " WHERE Name='貿易港'");
    ASSERT_TRUE(Menu("開始"));
    EXPECT_EQ(form.mTradeMaxWeight, weight) << "largest pier of land " << land;
  }
  EXPECT_EQ(Grid(GridId::GGSub1).Column(0), (Names{kHome})) << "no second contract with a partner";
  Pick(GridId::GGSub1, 0, kHome);
  EXPECT_EQ(Cell(1, 1) + " " + Totals(), std::string(kHome) + "(距離:1/最大重量:200/0/0) 0/0");
}

TEST_F(TradeCommandsTest, EachSlotOffersItsSidesGoodsWithinTheWeightAndStock) {
  StartWith(kHome);
  cmd::GVTrade_Click(c, 2, 1);
  // Stocked, tradable, of a class the partner buys and does not sell; at the sale price times its interest.
  const fake::FakeGrid& goods = Grid(GridId::GGMain);
  EXPECT_EQ(Sorted(goods.Column(0)), (Names{"布", "木の槍", "木の矢", "木刀", "木弓", "羊毛"}));
  EXPECT_EQ(goods.Column(1), (Names{"14", "12", "12", "10", "7", "1"}));
  Pick(GridId::GGMain, 0, "木刀");
  EXPECT_EQ(SliderState(), "0..10=0:木刀") << "weight 5 within 50";
  Slide(4);
  cmd::TradeLineAdd(c);
  EXPECT_EQ(Cell(2, 2) + "," + Cell(2, 3) + "," + Cell(2, 4) + " " + Totals(), "木刀,12,4 48/0");
  EXPECT_EQ(Cell(1, 1), std::string(kHome) + "(距離:1/最大重量:50/20/0)");
  cmd::GVTrade_Click(c, 3, 1);
  EXPECT_EQ(Sorted(goods.Column(0)), (Names{"布", "木の槍", "木の矢", "木弓", "羊毛"})) << "木刀 is already given";

  // The partner's goods open at its friendship, with what its people can spare, cheapest first.
  // An item of no value has none to spare; one without weight is bounded by the amount alone.
  Exec("UPDATE item SET Value=0 WHERE Name='小麦'");
  Exec("UPDATE item SET Weight=0 WHERE Name='羊肉'");
  cmd::GVTrade_Click(c, 2, 5);
  EXPECT_EQ(goods.Column(0), (Names{"小麦", "羊肉", "木材"}));
  EXPECT_EQ(goods.Column(2), (Names{"0", "600", "600"}));
  Pick(GridId::GGMain, 0, "羊肉");
  EXPECT_EQ(host.slider.max, 600);
  Pick(GridId::GGMain, 0, "木材");
  EXPECT_EQ(host.slider.max, 25);
  Slide(8);
  cmd::TradeLineAdd(c);
  Put(2, 5, "羊肉", 12);  // the slot's new line replaces the old one
  EXPECT_EQ(Cell(2, 6) + " " + Totals() + " " + Cell(1, 1), "羊肉 48/48 " + std::string(kHome) + "(距離:1/最大重量:50/20/0)");

  // Money: what the treasury can give (at most 2000), or what the partner can pay, with the
  // difference of the goods suggested.
  cmd::GVTrade_RightClick(c, 2, 1);
  EXPECT_EQ(Cell(2, 2) + Cell(2, 3) + Cell(2, 4) + " " + Totals(), " 0/48");
  cmd::GVTrade_Click(c, 5, 1);
  EXPECT_EQ(SliderState(), "0..500=48:お金");
  data.Money(48);
  cmd::GVTrade_Click(c, 5, 1);
  EXPECT_EQ(SliderState(), "0..48=48:お金") << "a difference the treasury just covers";
  data.Money(5000);
  cmd::GVTrade_Click(c, 5, 5);
  EXPECT_EQ(SliderState(), "0..3200=0:お金") << "affluence 40 x population 12000 / 150";
  cmd::GVTrade_Click(c, 5, 1);
  EXPECT_EQ(host.slider.max, 2000);
}

// Nothing of one slot, partner or negotiation stays live for the next.
TEST_F(TradeCommandsTest, NoSlotPartnerOrNegotiationInheritsTheLastOnesState) {
  Pier(1);
  Acquaint(kHome);
  Acquaint(kOther);
  ASSERT_TRUE(Menu("開始"));
  cmd::GVTrade_Click(c, 2, 1);
  cmd::GVTrade_RightClick(c, 2, 1);
  EXPECT_FALSE(Grid(GridId::GGMain).Visible() || Button(ButtonId::GLExcute).Visible()) << "no partner yet";

  Pick(GridId::GGSub1, 0, kHome);
  cmd::GVTrade_Click(c, 2, 1);
  Pick(GridId::GGMain, 0, "木刀");
  Exec(std::string("DELETE FROM tradeitem WHERE Nation='") + kHome + "'");
  cmd::GVTrade_Click(c, 2, 5);
  EXPECT_EQ(LastMessage(), "交易できるアイテムがありません");
  EXPECT_FALSE(Grid(GridId::GGMain).Visible() || host.slider.Visible() || Button(ButtonId::GLSubMenu).Visible());

  Put(2, 1, "木刀", 2);
  Pick(GridId::GGSub1, 0, kOther);
  EXPECT_EQ(form.mTradeLines.Count(), 0);
  EXPECT_EQ(Cell(2, 2) + Totals(), "0/0");
  EXPECT_FALSE(Button(ButtonId::GLExcute).Visible());

  Put(5, 1, "", 30);
  ASSERT_TRUE(Menu("開始"));
  EXPECT_TRUE(form.mTradeCountry.Nation.empty() && Cell(1, 1).empty() && Cell(5, 2).empty());
  cmd::GVTrade_Click(c, 5, 1);
  EXPECT_FALSE(host.slider.Visible());
}

// What the week does with a contract's rows is the market's own test.
TEST_F(TradeCommandsTest, AContractMustBalanceAndFit) {
  StartWith(kHome);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(LastMessage(), "交易アイテムがありません");
  // The smaller side must reach nine tenths of the larger, whichever it is.
  for (const auto& [give, take, refused] : {std::tuple{100, 89, true}, std::tuple{89, 100, true}, std::tuple{100, 90, false}}) {
    Put(5, 1, "", give);
    Put(5, 5, "", take);
    screen.shown.clear();
    cmd::GLExcute_Click(c);
    EXPECT_EQ(LastMessage() == "交易額が不均衡です", refused) << give << " for " << take;
  }
  EXPECT_EQ(Goods(kHome), "輸出,お金,100/輸入,お金,90");
  Exec("DELETE FROM trade");
  Exec("DELETE FROM tradedata");

  StartWith(kHome);
  Put(2, 1, "木刀", 10);
  Put(3, 1, "木の槍", 1);
  Put(2, 5, "木材", 22);
  cmd::GLExcute_Click(c);
  EXPECT_EQ(LastMessage(), "重量オーバーです\r\n最大重量は50です");
  cmd::GVTrade_RightClick(c, 3, 1);
  Button(ButtonId::GLSubMenu2).text = "交易回数:2";
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Goods(kHome), "輸出,木刀,10/輸入,木材,22") << "a weight equal to the limit passes";
  EXPECT_EQ(Value("SELECT Count||','||StartWeek FROM trade"), "2,1");
  EXPECT_FALSE(host.trade.Visible());
}

TEST_F(TradeCommandsTest, WideTotalsAreShownWholeAndWhatDoesNotFitIsRefused) {
  Exec("UPDATE tradeitem SET Price=30000 WHERE Item='木材'");
  Exec("UPDATE tradeitem SET Price=40000 WHERE Item='羊肉'");
  Exec(std::string("UPDATE country SET Affluence=1000,Population=10000000 WHERE Nation='") + kHome + "'");
  StartWith(kHome);
  Put(2, 5, "木材", 3);
  EXPECT_EQ(Totals(), "0/90000");
  Put(3, 5, "羊肉", 1);
  EXPECT_EQ(LastMessage(), "数量か価格が大きすぎます");
  EXPECT_EQ(form.mTradeLines.Count(), 1);
  cmd::GVTrade_Click(c, 5, 5);
  EXPECT_EQ(host.slider.max, 32767) << "a money line holds at most this";

  // The contract is written whole or not at all.
  cmd::GVTrade_RightClick(c, 2, 5);
  Put(5, 1, "", 100);
  Put(5, 5, "", 100);
  FailWritesTo("trade", "INSERT");
  cmd::GLExcute_Click(c);
  ASSERT_EQ(screen.errors.size(), 1u);
  EXPECT_EQ(screen.errors[0].rfind("交易確定SQLエラー:FunctionName=GLExcute_Click\r\nINSERT INTO trade", 0), 0u);
  EXPECT_EQ(Goods(kHome), "");
}

TEST_F(TradeCommandsTest, CancellingAContractCostsFriendshipForEveryDeliveryLeft) {
  EXPECT_FALSE(Menu("中止"));
  EXPECT_EQ(LastMessage(), "現在、交易をしていません");
  Exec(std::string("INSERT INTO trade VALUES('") + kHome + "',4,1)");
  Exec(std::string("INSERT INTO tradedata VALUES('") + kHome + "','輸出','布',5)");
  Exec(std::string("UPDATE country SET Friendship=20 WHERE Nation='") + kHome + "'");
  ASSERT_TRUE(Menu("中止"));
  Pick(GridId::GGSub1, 0, kHome);
  EXPECT_EQ(Grid(GridId::GGMain).Column(1)[0] + Button(ButtonId::GLExcute).Text(), "布交易中止");

  Answer({sim::kAnsNone});  // closed unanswered: no more than a no
  cmd::GLExcute_Click(c);
  EXPECT_EQ(LastMessage(), std::string(kHome) + "との交易を中止しますか?\r\n中止すると、相手国との友好度が低下します");
  EXPECT_FALSE(Grid(GridId::GGMain).Visible()) << "the panel closes";
  ASSERT_TRUE(Menu("中止"));
  Pick(GridId::GGSub1, 0, kHome);
  // A failed friendship write keeps the contract and its goods.
  FailWritesTo("country");
  Answer({kYes});
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Goods(kHome) + "/" + Value("SELECT Count FROM trade"), "輸出,布,5/4");
  Exec("DROP TRIGGER fail_country");
  Answer({kYes});
  cmd::GLExcute_Click(c);
  EXPECT_EQ(Goods(kHome) + "/" + Value("SELECT COUNT(*) FROM trade"), "/0");
  EXPECT_EQ(Value(std::string("SELECT Friendship FROM country WHERE Nation='") + kHome + "'"), "8");
}

// A figure of a nation, a pier or a contract that cannot be read is named: no partner, no list,
// no cancellation, and the contract stays.
TEST_F(TradeCommandsTest, FiguresTheTradeCannotReadAreNamedAndChangeNothing) {
  Exec(std::string("UPDATE country SET Population='abc' WHERE Nation='") + kHome + "'");
  StartWith(kHome);
  EXPECT_EQ(form.mTradeCountry.Nation + "/" + std::to_string(host.trade.Visible()), "/0");
  Exec("UPDATE construct SET Land=2147483648 WHERE Name='木製の桟橋'");
  EXPECT_FALSE(Menu("開始"));
  Exec(std::string("INSERT INTO trade VALUES('") + kOther + "','abc',1)");
  Exec(std::string("INSERT INTO tradedata VALUES('") + kOther + "','輸出','布',5)");
  ASSERT_TRUE(Menu("中止"));
  Pick(GridId::GGSub1, 0, kOther);
  Answer({kYes});
  cmd::GLExcute_Click(c);
  EXPECT_EQ(screen.errors, (Names{"交易国取得エラー:TradeStart\r\ncountry.Population=abc",
                                  "桟橋取得エラー:ShowTradeCountryList\r\nSUM(construct.Land)=2147483648",
                                  "交易回数取得エラー:GGSub1_RowSelect\r\ntrade.Count=abc"}));
  EXPECT_EQ(Goods(kOther) + "/" + Value("SELECT COUNT(*) FROM trade"), "輸出,布,5/1");
}

}  // namespace
}  // namespace cmdtest
