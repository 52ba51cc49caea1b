/** @file selfcheck_msgbox.cpp Checks the driver itself: a standard message box that no step expects ends the scenario, naming its text. */
#include <cstdio>

#include "Driver.h"
#include "platform/MessageBox.h"

UIDRIVER_SCENARIO(selfcheck_msgbox) {
  // Expected and answered by the scenario: goes on.
  {
    plat::ScriptedMessageBox answered({plat::vbNo});
    if (plat::MsgBox("続けますか？", plat::vbYesNo) != plat::vbNo) uidriver::Fail("expected box", "answer not taken");
  }
  // Unexpected: must end here, with the text, before the line below.
  plat::MsgBox("予期しないメッセージ", plat::vbOKOnly | plat::vbCritical, "確認");
  std::printf("the unexpected box was answered and the scenario went on\n");
}
