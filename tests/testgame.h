#pragma once

#include "tests/scriptedservices.h"

#include <QMetaType>
#include <QString>

#include <array>

/// The four scores as one row of a data-driven test (index 0 unused).
using Scores = std::array<qint16, 4>;
Q_DECLARE_METATYPE(Scores)

/// A fresh start for every test: the game state of a new process, no
/// windows, and new scripted services installed.
void freshGame(ScriptedServices &services);
/// The same with scripted services of its own, alive until the next call.
ScriptedServices &freshGame();

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

/// The player's close request, as the window manager delivers it.
void requestClose(QWidget *window);

/// Plays a whole game the way the player starts it: the program's start
/// (unless the title window is already up), then "&Start" in the title window. Returns when the game has ended or
/// the ending window waits.
void playFromTitle();

/// Copies the game's pictures into a folder, leaving one out or replacing
/// it with bytes that are no picture, and makes it the working directory.
class QTemporaryDir;
void usePictureFolderWith(QTemporaryDir &dir, const QString &missing, const QString &broken = {});

/// Lays out the offscreen platform's monitors: the primary one, and another
/// one unless its rectangle is empty, both of this density. Windows made
/// afterwards open on the primary one. Returns the other one.
class QScreen;
QScreen *useMonitors(QRect primary, QRect other = {}, double density = 1);
/// The offscreen platform's one monitor of every other test.
void useOneMonitor();

/// The player's keyboard goes to another program: no window of the game
/// has it.
void focusAnotherProgram();

/// Turns the platform's accessibility on or off, as a screen reader's
/// arrival does: while it is on, the game speaks to one.
void useAccessibility(bool on);

/// A control's rectangle given in twips, in pixels.
QRect inTwips(int left, int top, int width, int height);
