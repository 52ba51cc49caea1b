/** @file CommandPanel.h The command panel shared by every economy command: opening and closing it, the execute button and the quantity slider. */
#pragma once
#include <cstdint>
#include <initializer_list>
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

/// Hides each control that is shown.
void HideIfShown(IControl& control);
void HideIfShown(std::initializer_list<IControl*> controls);

/// Where the slider stands for an amount of goods or money.
inline constexpr Rect kAmountSliderAt{210, 510, 430, 64};
/// The quantity slider at `at` from 0 to `max`, standing at `value`, captioned `text`. It is
/// hidden first, so that it is drawn anew in its place.
void ShowSlider(CommandContext& c, const Rect& at, int32_t max, int32_t value, const std::string& text,
                bool enable = true);
/// The execute button in its place, captioned `text` in the normal colour.
void ShowExecute(CommandContext& c, const std::string& text);

/// The notice and question boxes of the commands (panel sent back afterwards).
void Notice(CommandContext& c, const std::string& text);
bool AskYes(CommandContext& c, const std::string& text);

}  // namespace cmd
