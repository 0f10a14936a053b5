#pragma once

#include <QMessageBox>

class QString;
class QWidget;

/// A message box that gives a screen reader its text as the box's own, to
/// read whatever had the keyboard before it: a screen reader that has
/// nothing before the box skips its description, and finds no labels of
/// several words in a Japanese sentence, which has no spaces.
class TextMessageBox : public QMessageBox
{
    Q_OBJECT
public:
    using QMessageBox::QMessageBox;
};

/// Tells assistive technology what the game's own widgets are, where Qt
/// cannot know: a window is a window (a dialog for the fixed dialogs)
/// named by its caption, a picture box is a picture named by what it
/// shows, the message window's print surface is read-only text, and each
/// bar of the graph reads as its share, labelled by its heroine's name, and
/// a TextMessageBox is an alert whose text is its message.
/// Called by every window as it is made; only the first call does anything.
void installAccessibleRoles();

/// Has a screen reader say the words at once, in place of whatever it is
/// saying, if the window has the keyboard. Nothing shows.
void speakAtOnce(const QWidget &window, const QString &words);
