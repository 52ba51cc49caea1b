/** @file selfcheck_msgbox.cpp The driver's own check: a standard message box that no step expects ends the scenario, naming its text. */
#include "Driver.h"
#include "platform/MessageBox.h"

UIDRIVER_SCENARIO(selfcheck_msgbox) {
  {
    plat::ScriptedMessageBox expected({plat::vbNo});  // an expected box is answered and the scenario goes on
    if (plat::MsgBox("続けますか？", plat::vbYesNo) != plat::vbNo) uidriver::Fail("expected box", "not answered");
  }
  plat::MsgBox("予期しないメッセージ", plat::vbOKOnly | plat::vbCritical, "確認");
  uidriver::Fail("unexpected box", "answered: the scenario went on");  // the ctest fails on this text
}
