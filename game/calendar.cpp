#include "game/calendar.h"

#include "game/ending.h"
#include "game/events.h"
#include "game/module1.h"
#include "game/scenes.h"
#include "services/services.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/forms.h"

namespace game {

namespace {

/// Moves Day, Month and SchoolYear on to the next day of the school
/// calendar. February always has 28 days; the school year changes on the
/// day that becomes 21 March.
void AdvanceDate()
{
    Day = Add16(Day, 1);
    switch (Month) {
    case 1:
    case 5:
    case 7:
    case 8:
    case 10:
        if (Day == 32) {
            Day = 1;
            Month = Add16(Month, 1);
        }
        break;
    case 4:
    case 6:
    case 9:
    case 11:
        if (Day == 31) {
            Day = 1;
            Month = Add16(Month, 1);
        }
        break;
    case 2:
        if (Day == 29) {
            Day = 1;
            Month = 3;
        }
        break;
    case 3:
        if (Day == 32) {
            Day = 1;
            Month = 4;
        } else if (Day == 21) {
            SchoolYear = Add16(SchoolYear, 1);
        }
        break;
    case 12:
        if (Day == 32) {
            Day = 1;
            Month = 1;
        }
        break;
    default:
        break;
    }
}

} // namespace

void FocusNextAction()
{
    if (TimeStopped)
        forms::activate<Form3>();
    else
        forms::activate<Form1>();
}

void RunCalendar()
{
    const Form1 &main = forms::show<Form1>();
    forms::show<Form3>();
    // Whatever the desktop does with a new window, the stop button has the
    // keyboard when the calendar starts.
    forms::activate<Form1>();

    SchoolYear = 1;
    Month = 4;
    Day = 6;
    TimeStopped = False;

    // One day per refresh of the screen: fast enough that three years fly
    // past, slow enough that a player can aim at a day. The buttons'
    // handlers run inside the wait for the next turn. A listener hears each
    // month a little after it begins, as soon as the screen reader gets to
    // it, and answers through the screen reader again: while a screen reader
    // is on, one day per two refreshes leaves room for that. Asked every day,
    // since it may be started or quit while the game runs.
    platform().startPace();
    while (SchoolYear < 4) {
        const int turnsPerDay = platform().screenReaderOn() ? 2 : 1;
        for (int turn = 0; turn < turnsPerDay; ++turn)
            platform().awaitNextTurn(main);
        AdvanceDate();
        ShowDate(SchoolYear, Month, Day);
        CurrentEvent = PickEvent(Month, Day);
        ShowEventPicture(CurrentEvent);
        if (TimeStopped) {
            PlayEvent(CurrentEvent);
            // The scene's window takes the keyboard, so that the next
            // button is a key away, and gives it back to the stop button
            // once time runs on: Space alone plays the game.
            FocusNextAction();
            // Sleeps while nothing happens; the next button's handler runs
            // inside this wait.
            while (TimeStopped)
                platform().waitForEvents();
            FocusNextAction();
            // Time runs on from here, not from before the stop.
            platform().startPace();
        }
    }

    forms::hide<Form3>();
    forms::unload<Form1>();
    RunEnding();
}

} // namespace game
