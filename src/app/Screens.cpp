/** @file Screens.cpp Where the game's windows reach each other across the library order. */
#include "app/Screens.h"

ScreenHooks& Screens() {
  static ScreenHooks hooks;
  return hooks;
}
