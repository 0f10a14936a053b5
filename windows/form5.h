#pragma once

#include "windows/form.h"

class Label;
class PictureBox;

/// The ending window: the ending picture and the winner's letter beneath
/// it. Closing it in any way ends the program.
class Form5 : public Form
{
    Q_OBJECT

public:
    Form5();

    void Form_Load() override;
    void placeOnScreen() override;
    void Form_QueryUnload(qint16 &cancel, qint16 &unloadMode) override;

    Label *Label1 = nullptr;          ///< the letter
    PictureBox *clientArea = nullptr; ///< the background picture

protected:
    /// Escape closes the window the way its close button does.
    void keyPressEvent(QKeyEvent *event) override;
};
