/** @file PlatformBattlePump.h The battle's waits pumping the program's own event loop. */
#pragma once
#include "army/BattleDisplay.h"
#include "platform/EventLoop.h"

class PlatformBattlePump : public BattleEventPump {
 public:
  void DoEvents() override { plat::DoEvents(); }
};
