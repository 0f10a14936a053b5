#pragma once

#include <QString>

namespace game {

/// The program's own start: seeds the random numbers and starts the game.
void Main();

/// The file name of event picture i: EVE00.BMP to EVE15.BMP.
QString EventPictureName(int i);

/// Loads the sixteen event pictures into the main window's holders.
void LoadEventPictures();

} // namespace game
