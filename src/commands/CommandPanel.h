/** @file CommandPanel.h The command panel shared by every economy command: opening and closing it, the execute button and the quantity slider. */
#pragma once
#include <cstdint>
#include <string>

#include "commands/CommandHost.h"

namespace cmd {

/// Opens (Flag True) or closes (Flag False) the panel of Command's group. Closing hides every
/// control any command of the group may have shown, the title and the tooltip; the next-week
/// button is shown exactly while no panel is open. A word of no group touches only those three.
void HideCommandPanel(CommandContext& c, const std::string& Command, bool Flag);

/// The execute button: commits the prepared command of mCommand; any word without a commit
/// only closes the panel. A refusal leaves the panel open with every choice in place.
void GLExcute_Click(CommandContext& c);

/// The slider moved to pValue. pFLG comes in True; set to False the slider keeps its old value.
void PSMain_ValueChenge(CommandContext& c, int32_t pValue, bool& pFLG);

/// "The data could not be read": the standard message box with the text, a line break and the
/// statement that found nothing.
void DataError(CommandContext& c, const std::string& what, const std::string& sql);

/// The notice and question boxes of the commands (panel sent back afterwards).
void Notice(CommandContext& c, const std::string& text);
bool AskYes(CommandContext& c, const std::string& text);

}  // namespace cmd
