/** @file clsTrade.h One line of a trade deal being put together: goods or money, on the kingdom's giving or receiving side. */
#pragma once
#include <cstdint>
#include <string>

class clsTrade {
 public:
  std::string Item;    ///< its key in mTradeLines: "Send" or "Receive" followed by the row
  int16_t Row = 0;     ///< trade view row: 2 to 4 goods, 5 money
  int16_t Price = 0;   ///< unit price; for money the amount
  int32_t Trade = 0;   ///< 1 the kingdom gives, 2 the kingdom receives
  std::string Name;    ///< item name, "お金" for money
  int16_t Weight = 0;  ///< unit weight; 0 for money
  int16_t Num = 0;     ///< quantity; 1 for money
};
