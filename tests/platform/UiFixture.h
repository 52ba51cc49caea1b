/** @file UiFixture.h Shared set-up of the window tests: dummy video, a virtual clock, a clean queue. */
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/EventLoop.h"
#include "runtime/Clock.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    rt::SetClock(&clock_);
    plat::DoEvents();  // nothing from an earlier test is left in the queue
  }
  void TearDown() override {
    plat::DoEvents();
    plat::SetActiveWindowSource(nullptr);
    rt::SetClock(nullptr);
  }
  rt::VirtualClock clock_;
};
