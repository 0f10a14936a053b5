#pragma once

#include "windows/form.h"

#include <array>

class QPushButton;
class Label;
class PictureBox;

/// The main window: the school year, the date, the day's event picture,
/// the stop button and the graph button. It cannot be closed by the player.
class Form1 : public Form
{
    Q_OBJECT

public:
    Form1();

    void Form_Load() override;
    void placeOnScreen() override;
    void Command1_Click();
    void Command2_Click();

    QPushButton *Command1 = nullptr; ///< "時間よ止まれ": stops time
    QPushButton *Command2 = nullptr; ///< "ぷるもけグラフ": opens the graph
    Label *Label1 = nullptr;         ///< the school year
    Label *Label2 = nullptr;         ///< month and day
    PictureBox *Image2 = nullptr;    ///< the day's event picture
    std::array<PictureBox *, 17> Image1{}; ///< hidden holders of the event pictures
    qint16 shownYear = 0;            ///< the school year on the labels, 0 before the first day
    qint16 shownMonth = 0;           ///< the month on the labels, 0 before the first day

protected:
    void closeEvent(QCloseEvent *event) override;
};

namespace game {

/// Shows the school year and the date in the main window.
void ShowDate(const qint16 &year, const qint16 &month, const qint16 &day);

/// Shows event picture n in the main window's picture box, sharing the
/// picture its holder already has; no file is read.
void ShowEventPicture(const qint16 &n);

} // namespace game
