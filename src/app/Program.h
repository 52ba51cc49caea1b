/** @file Program.h The vesk program: every part joined to start-up, the title shown, the loop run to the end. */
#pragma once

class frmMain2;
class frmTitle;

/// Joins the game's parts to start-up and to each other (Hooks(), Screens()), as the program
/// runs them; the screen tools call it too, to start the real way.
void JoinGame();
/// The title screen start-up made; nullptr before start-up and after EndGame.
frmTitle* TitleScreenWindow();
/// The main screen 開始 made; nullptr before and after EndGame.
frmMain2* MainScreenWindow();
/// Releases what the windows hold: the main window, the title screen, then the sound service.
void EndGame();
/// The windows' loop until the last window has closed. An error that no handler caught ends
/// the game here: the player is told what it was, the main window unloads (the game kept) and
/// the settings are written and the database closed. False after such an error.
bool RunGameLoop();
/// Start-up, then the windows' loop until the last window has closed. The exit code: 1 when
/// start-up, 開始 or the loop failed (the player has been told why), else 0.
int RunGame();
