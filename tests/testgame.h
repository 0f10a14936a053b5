#pragma once

#include "tests/scriptedservices.h"

#include <QString>

/// A fresh start for every test: the game state of a new process, no
/// windows, and new scripted services installed.
void freshGame(ScriptedServices &services);

/// Loads the main window with the event pictures of the build folder.
void loadMainWindowWithPictures();

/// Runs the calendar to its end; returns the exit status the game ended
/// with, or -1 when it returned without ending the program.
int playCalendar();

/// Presses a button the way the player does.
class QAbstractButton;
void press(QAbstractButton *button);

/// The folder the game runs from, holding the rendered pictures.
QString pictureFolder();
