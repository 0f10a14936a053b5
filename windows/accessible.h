#pragma once

class QString;
class QWidget;

/// Tells assistive technology what the game's own widgets are, where Qt
/// cannot know: a window is a window (a dialog for the fixed dialogs)
/// named by its caption, a picture box is a picture named by what it
/// shows, the message window's print surface is read-only text, and each
/// bar of the graph reads as its share, labelled by its heroine's name.
/// Called by every window as it is made; only the first call does anything.
/// (The game's message boxes tell it themselves: services/textmessagebox.h.)
void installAccessibleRoles();

/// Has a screen reader say the words at once, in place of whatever it is
/// saying, if the window has the keyboard. Nothing shows.
void speakAtOnce(const QWidget &window, const QString &words);
