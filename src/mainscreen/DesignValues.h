/** @file DesignValues.h The main screen's looks that its design chooses rather than its rules: fonts of the plain labels, the status labels' colours, what shows at first and in which order, the sub-buttons' places. */
#pragma once
#include "platform/Surface.h"

namespace mainscreen::design {

// The message layer's two text lines: the frame picture is light, so the text is dark and large.
inline constexpr int kMsgFontHeight = 20;        ///< cell height in pixels
inline constexpr int kMsgFontWeight = 700;
inline constexpr plat::Colour kMsgTextColour = plat::Rgb(40, 30, 20);
// The lines are as wide as the frame: the text keeps clear of its border and corner studs.
inline constexpr int kMsgTextMargin = 16;        ///< pixels left and right
// The text takes the frame's height down to just above the answer buttons (top 450): a long
// question wraps onto as many lines as it needs. A text that would still not fit is drawn a
// size smaller, down to the smallest size that reads.
inline constexpr int kMsgTextBottom = 445;
inline constexpr int kMsgMinFontHeight = 11;     ///< cell height in pixels

// The three status labels (exploration, research, construction): gauges (type 2) in the game's
// gold frame, white text on a black tint, the bar green. The texts are centred in their parts and
// a size smaller than the labels' own, so that they keep clear of the frame.
inline constexpr int kStatusLabelType = 2;
inline constexpr int kStatusTransColor = 4;      ///< black
inline constexpr int kStatusForeColor = 6;       ///< the bar: green
inline constexpr int kStatusFrameColor = 1;      ///< gold
inline constexpr int kStatusTextColor = 3;       ///< white
inline constexpr int kStatusMainFont = 11;       ///< points
inline constexpr int kStatusSubFont = 10;
inline constexpr int kStatusTextAlign = 2;       ///< centred
inline constexpr int kStatusSeparator = 70;      ///< per cent of the width for the text
// The battle's message line has no sub text: its main part takes the whole width, without the
// separator line that would cut a message in two.
inline constexpr int kBattleMessageSeparator = 100;
inline constexpr bool kBattleMessageSeparatorLine = false;
// The allocation's surplus label: a plain label (type 1) of the same colours.
inline constexpr int kRestructType = 1;

// The text buttons of the screen show white text, a size below their own so that a caption
// clears the frame of a 20-pixel button (the message box's buttons too).
inline constexpr int kButtonFontColor = 3;
inline constexpr int kButtonFontSize = 11;  ///< points

// Places of the sub-buttons before a command first places them (it places them again each time).
inline constexpr int kSubMenu2Left = 535, kSubMenu2Top = 550;
inline constexpr int kSubMenu3Left = 430, kSubMenu3Top = 550;
inline constexpr int kExcuteLeft = 670, kExcuteTop = 575, kExcuteWidth = 110, kExcuteHeight = 20;
// 次の週へ comes back in the execute button's very place when a command's panel closes: a press
// on it within the double-click time of its coming back is the double-click's second press on
// the button that was there, and must not run a week.
inline constexpr int kDoubleClickMs = 500;

// At first the screen shows the kingdom and people views, the menu, the three status labels and
// the next-week button; every command's controls, the tooltip, the message layer and the battle
// pictures are hidden. In front of the screen come, from the back: the views and labels, the
// grids, the slider, the buttons, the menu (its sub-panel opens over the lists), the tooltip.

}  // namespace mainscreen::design
