/** @file MarketTestSupport.h Catalogue and stock rows for the market, production, exploration, research and trade tests, set whatever the content holds. */
#pragma once
#include <string>

#include "SimFixture.h"
#include "sim/TurnLog.h"

namespace simtest {

class MarketTest : public SimTest {
 protected:
  static std::string Q(const std::string& text) { return SqlText(text); }
  static std::string N(int n) { return std::to_string(n); }
  static const char* B(bool b) { return b ? "True" : "False"; }

  void PutItem(const std::string& name, int price, int value = 1, int production = 0, const std::string& cls = "") {
    Exec("DELETE FROM item WHERE Name=" + Q(name));
    Exec("INSERT INTO item (Name,Class,Category,Power,Weight,Effect,Tips,Price,Value,Production,TofFlag) VALUES(" +
         Q(name) + "," + Q(cls) + ",'',0,0,'',''," + N(price) + "," + N(value) + "," + N(production) + ",False)");
  }
  void PutStock(const std::string& name, int storage, int level = 0, int research = 0, bool open = true,
                int decreaseWeek = 0) {
    Exec("DELETE FROM itemdata WHERE Name=" + Q(name));
    Exec("INSERT INTO itemdata VALUES(" + Q(name) + "," + N(storage) + "," + N(level) + "," + N(research) + "," +
         (open ? "'公開'," : "'非公開',") + N(decreaseWeek) + ",True)");
  }
  void PutCountry(const std::string& nation, int distance, int friendship, bool acquainted) {
    Exec("DELETE FROM country WHERE Nation=" + Q(nation));
    Exec("INSERT INTO country (Nation,Acquaintance,Distance,Friendship) VALUES(" + Q(nation) + "," + B(acquainted) +
         "," + N(distance) + "," + N(friendship) + ")");
  }
  void PutArea(const std::string& name, int level, int research, int development = 0, bool open = true) {
    Exec("DELETE FROM area WHERE Name=" + Q(name));
    Exec("INSERT INTO area (Name,Type,AreaLevel,Research,Development,Tips,Open) VALUES(" + Q(name) + ",''," +
         N(level) + "," + N(research) + "," + N(development) + ",''," + B(open) + ")");
  }
  void PutNest(const std::string& name, bool open, int times) {
    Exec("DELETE FROM nest WHERE Name=" + Q(name));
    Exec("INSERT INTO nest (Name,Times,Open) VALUES(" + Q(name) + "," + N(times) + "," + B(open) + ")");
  }
  int Stock(const std::string& name) { return std::stoi("0" + Value("SELECT Storage FROM itemdata WHERE Name=" + Q(name))); }

  sim::TurnLog Log;
};

}  // namespace simtest
