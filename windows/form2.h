#pragma once

#include "windows/form.h"

class QAction;
class QMenu;
class QMenuBar;
class PictureBox;

/// The title window: the title picture and a small menu. Starting a game
/// unloads it; closing it from its title bar ends the program.
class Form2 : public Form
{
    Q_OBJECT

public:
    Form2();

    void Form_Load() override;
    void placeOnScreen() override;
    void Form_QueryUnload(qint16 &cancel, qint16 &unloadMode) override;
    void Form_DblClick();
    void mnustart_Click();
    void mnuexit_Click();
    void mnuabout_Click();

    QMenuBar *menuBar = nullptr;
    QMenu *mnuFile = nullptr;
    QAction *mnustart = nullptr;
    QAction *mnuexit = nullptr;
    QMenu *mnuhelp = nullptr;
    QAction *mnuabout = nullptr;
    PictureBox *clientArea = nullptr; ///< below the menu bar; shows the picture

private:
    void setOuterSize();
    void centre();
};
