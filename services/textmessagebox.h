#pragma once

#include <QMessageBox>

/// A message box that gives a screen reader its text as the box's own, to
/// read whatever had the keyboard before it: a screen reader that has
/// nothing before the box skips its description, and finds no labels of
/// several words in a Japanese sentence, which has no spaces. It is an
/// alert named by its title, described as the box asks, whose text is its
/// message.
class TextMessageBox : public QMessageBox
{
    Q_OBJECT
public:
    TextMessageBox(Icon icon, const QString &title, const QString &text, StandardButtons buttons);
};
