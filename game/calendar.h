#pragma once

namespace game {

/// The game's main loop: shows the main and message windows, runs three
/// school years one day per turn, plays the day's scene whenever time is
/// stopped, then closes the game windows and runs the ending.
void RunCalendar();

/// Gives the keyboard to the button that moves the game on: the next
/// button of the message window while time is stopped, else the stop
/// button of the main window.
void FocusNextAction();

} // namespace game
