/** @file MarketTestSupport.h Catalogue and stock rows for the market, production, exploration, research and trade tests, set whatever the content holds. */
#pragma once
#include <string>

#include "SimFixture.h"
#include "sim/TurnLog.h"

namespace simtest {

class MarketTest : public SimTest {
 protected:
  static std::string Q(const std::string& text) { return SqlText(text); }

  void PutItem(const std::string& name, int price, int value = 1, int production = 0, const std::string& cls = "") {
    Exec("DELETE FROM item WHERE Name=" + Q(name));
    Exec("INSERT INTO item (Name,Class,Category,Power,Weight,Effect,Tips,Price,Value,Production,TofFlag) VALUES(" +
         Q(name) + "," + Q(cls) + ",'',0,0,'',''," + std::to_string(price) + "," + std::to_string(value) + "," +
         std::to_string(production) + ",False)");
  }
  void PutStock(const std::string& name, int storage, int level = 0, int research = 0, bool open = true,
                int decreaseWeek = 0) {
    Exec("DELETE FROM itemdata WHERE Name=" + Q(name));
    Exec("INSERT INTO itemdata VALUES(" + Q(name) + "," + std::to_string(storage) + "," + std::to_string(level) +
         "," + std::to_string(research) + "," + (open ? "'公開'," : "'非公開',") + std::to_string(decreaseWeek) +
         ",True)");
  }
  void PutCountry(const std::string& nation, int distance, int friendship, bool acquainted) {
    Exec("DELETE FROM country WHERE Nation=" + Q(nation));
    Exec("INSERT INTO country (Nation,Acquaintance,Distance,Friendship) VALUES(" + Q(nation) + "," +
         (acquainted ? "True," : "False,") + std::to_string(distance) + "," + std::to_string(friendship) + ")");
  }
  void PutArea(const std::string& name, int level, int research, int development = 0, bool open = true) {
    Exec("DELETE FROM area WHERE Name=" + Q(name));
    Exec("INSERT INTO area (Name,Type,AreaLevel,Research,Development,Tips,Open) VALUES(" + Q(name) + ",''," +
         std::to_string(level) + "," + std::to_string(research) + "," + std::to_string(development) + ",''," +
         (open ? "True)" : "False)"));
  }
  void PutNest(const std::string& name, bool open, int times) {
    Exec("DELETE FROM nest WHERE Name=" + Q(name));
    Exec("INSERT INTO nest (Name,Times,Open) VALUES(" + Q(name) + "," + std::to_string(times) + "," +
         (open ? "True)" : "False)"));
  }
  int Stock(const std::string& name) { return std::stoi("0" + Value("SELECT Storage FROM itemdata WHERE Name=" + Q(name))); }

  sim::TurnLog Log;
};

}  // namespace simtest
