#include "windows/form1.h"

#include "game/calendar.h"
#include "game/module1.h"
#include "game/scenes.h"
#include "windows/accessible.h"
#include "windows/form4.h"
#include "windows/forms.h"
#include "windows/label.h"
#include "windows/picturebox.h"

#include <QCloseEvent>
#include <QPushButton>

namespace {

// (left, top) of the picture holders, by index; they lie below the laid-out
// client area and are never shown.
constexpr int HolderPlaces[17][2] = {
    {0, 2520},    {120, 2760},  {360, 3000},  {600, 3240},  {840, 3480},  {1080, 2520},
    {1320, 2760}, {1560, 3000}, {1800, 3240}, {2040, 3480}, {2160, 2520}, {2400, 2760},
    {2640, 3000}, {2880, 3240}, {3120, 3480}, {3240, 2520}, {3480, 2760},
};

/// A text of the window with what it is for, which tells apart the same
/// words used twice.
struct Text
{
    const char *source;
    const char *comment;
};

// The months as the date label shows them and as a listener hears them:
// "10月" both in Japanese; "Oct" and "October" in English.
constexpr Text LabelMonths[12] = {
    QT_TRANSLATE_NOOP3("Form1", "1月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "2月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "3月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "4月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "5月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "6月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "7月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "8月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "9月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "10月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "11月", "date label"),
    QT_TRANSLATE_NOOP3("Form1", "12月", "date label"),
};
constexpr Text SpokenMonths[12] = {
    QT_TRANSLATE_NOOP3("Form1", "1月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "2月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "3月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "4月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "5月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "6月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "7月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "8月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "9月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "10月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "11月", "spoken"),
    QT_TRANSLATE_NOOP3("Form1", "12月", "spoken"),
};

QString monthName(qint16 month, const Text (&names)[12])
{
    if (month < 1 || month > 12)
        return Form1::tr("%1月").arg(game::Digits(month));
    return Form1::tr(names[month - 1].source, names[month - 1].comment);
}

QString yearName(qint16 year)
{
    return Form1::tr("%1年目").arg(game::Digits(year));
}

} // namespace

Form1::Form1()
    : Form(Border::Sizable, true)
{
    setWindowTitle(tr("ぷるノス　メイン画面"));
    setClientSizeTwips(4350, 2100);

    // Created bottom to top: the picture lies under the buttons.
    Image2 = new PictureBox(this);
    place(Image2, 120, 120, 2400, 1800);
    for (int i = 0; i < int(Image1.size()); ++i) {
        Image1[i] = new PictureBox(this);
        place(Image1[i], HolderPlaces[i][0], HolderPlaces[i][1], 855, 855);
        Image1[i]->hide();
    }
    Label1 = new Label(this);
    place(Label1, 2640, 240, 855, 375);
    Label2 = new Label(this);
    place(Label2, 2880, 720, 975, 255);
    Command1 = new QPushButton(tr("時間よ止まれ"), this);
    place(Command1, 2760, 1560, 1455, 375);
    Command2 = new QPushButton(tr("ぷるもけグラフ"), this);
    place(Command2, 2760, 1080, 1455, 375);

    setTabOrder(Command1, Command2);
    Command1->setFocus();
    onClick(Command1, [this] { Command1_Click(); });
    onClick(Command2, [this] { Command2_Click(); });
}

void Form1::Form_Load()
{
    placeOnScreen();
}

void Form1::placeOnScreen()
{
    centreHorizontally();
    centreVertically();
}

void Form1::Command1_Click()
{
    // Stopping a stopped day changes nothing, but a player who has come
    // back here by keys finds the next button a key away again.
    if (game::TimeStopped)
        game::FocusNextAction();
    game::TimeStopped = game::True;
}

void Form1::Command2_Click()
{
    forms::showModal<Form4>();
    // Window managers differ in where the keyboard goes when the graph
    // closes; it goes to where the game goes on.
    game::FocusNextAction();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The window has no control menu: there is no way for the player to
    // close it, so a close request from the window manager is refused.
    event->ignore();
}

namespace game {

namespace {

/// Keeps a screen reader in step with the date labels: it is told the
/// school year as it begins, the month as it begins, never the day; at a
/// stop the day itself is told with its scene.
void tellListener(Form1 &main, qint16 year, qint16 month)
{
    // The labels carry names of their own, renamed as a month begins and at
    // a stop: a label without one would tell a screen reader of every day,
    // many times a second, and keep it from telling the month in time.
    if (TimeStopped || month != main.shownMonth || year != main.shownYear) {
        for (Label *label : {main.Label1, main.Label2}) {
            if (label->accessibleName() != label->caption())
                label->setAccessibleName(label->caption());
        }
    }
    if (!TimeStopped && main.shownMonth != 0) {
        // Graduation day, which the labels show as a fourth year, is told by
        // its own box: a year told then would cut that short.
        if (year != main.shownYear) {
            if (year < 4)
                speakAtOnce(main, yearName(year));
        } else if (month != main.shownMonth)
            speakAtOnce(main, monthName(month, SpokenMonths));
    }
    main.shownYear = year;
    main.shownMonth = month;
}

} // namespace

void ShowDate(const qint16 &year, const qint16 &month, const qint16 &day)
{
    Form1 &main = forms::load<Form1>();
    // Drawn at once, so that every day of the calendar reaches the screen.
    main.Label1->setCaption(yearName(year));
    main.Label1->repaint();
    main.Label2->setCaption(Form1::tr("%1%2日").arg(monthName(month, LabelMonths), Digits(day)));
    main.Label2->repaint();
    tellListener(main, year, month);
}

void ShowEventPicture(const qint16 &n)
{
    Form1 &main = forms::load<Form1>();
    if (n < 0 || n >= qint16(main.Image1.size()))
        throw RuntimeError(ErrorKind::WindowOperation,
                           Form1::tr("絵の番号 %1 はありません。").arg(n));
    main.Image2->setPicture(main.Image1[n]->picture());
    main.Image2->repaint();
    // Named after the place of the day's event when time stops there. A
    // screen reader works through every renaming, and while time runs the
    // place changes most days of a holiday: renamings then would keep it
    // from telling the month in time.
    const QString place = EventPlace(n);
    if (TimeStopped && main.Image2->accessibleName() != place)
        main.Image2->setAccessibleName(place);
}

} // namespace game
