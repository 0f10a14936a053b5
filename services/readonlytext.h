#pragma once

#include <QAccessibleTextInterface>

/// What the game's texts for a screen reader share: nothing in them can be
/// changed through it, and the whole text is one run without attributes.
class ReadOnlyText : public QAccessibleTextInterface
{
public:
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    // An empty run would make a screen reader read each line without its
    // last character.
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};
