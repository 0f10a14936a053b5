#pragma once

namespace game {

/// The game's main loop: shows the main and message windows, runs three
/// school years one day per turn, plays the day's scene whenever time is
/// stopped, then closes the game windows and runs the ending.
void RunCalendar();

} // namespace game
