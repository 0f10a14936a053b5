#pragma once

#include <QString>

namespace game {

/// The program's own start: seeds the random numbers and shows the title
/// window; from then on the title window's events drive the program.
void Main();

/// Turns the title screen into a running game: the instructions, the
/// friend's name, the main window with its pictures, then the calendar.
/// Returns when the game and its ending are over.
void StartGame();

/// The file name of event picture i: EVE00.BMP to EVE15.BMP.
QString EventPictureName(int i);

/// Loads the sixteen event pictures into the main window's holders.
void LoadEventPictures();

} // namespace game
