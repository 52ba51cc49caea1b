/** @file main.cpp The vesk program: start-up, the game's windows, shutdown. */
#include <iostream>

#include "app/basQz.h"

int main() {
  switch (Main()) {
    case StartResult::AnotherCopy: return 0;
    case StartResult::Failed: return 1;
    case StartResult::Started: break;
  }
  // The title screen does not exist yet, so there is no window to run: shut down in order.
  std::cout << "vesk: ゲームのウィンドウはまだ作られていません。設定を保存して終了します。" << std::endl;
  return AppEnd() ? 0 : 1;
}
