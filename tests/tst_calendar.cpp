#include "game/module1.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/forms.h"
#include "windows/label.h"
#include "windows/picturebox.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

using namespace game;

namespace {

struct ShownDay
{
    qint16 year, month, day;
    QString yearLabel, dateLabel;
};

ShownDay shownNow()
{
    const Form1 *main = forms::loaded<Form1>();
    return {SchoolYear, Month, Day, main->Label1->caption(), main->Label2->caption()};
}

/// Presses the stop button in the turn that shows the day before (month, day),
/// so that time stops on (month, day) of the given school year.
void stopOn(ScriptedServices &services, qint16 year, qint16 month, qint16 day)
{
    const auto [beforeMonth, beforeDay] = dayBefore(month, day);
    const qint16 beforeYear = (month == 3 && day == 21) ? qint16(year - 1) : year;
    auto previous = services.onTurn;
    services.onTurn = [=] {
        if (previous)
            previous();
        if (SchoolYear == beforeYear && Month == beforeMonth && Day == beforeDay)
            press(forms::loaded<Form1>()->Command1);
    };
}

} // namespace

class CalendarTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

private slots:
    void init()
    {
        services = &freshGame();
        FriendName = PresetFriendName();
        loadMainWindowWithPictures();
    }

    // The keyboard goes where the next action is: to the next button while
    // a scene waits, back to the stop button once time runs on.
    void spaceAlonePlaysTheGame()
    {
        const auto spaceOnTheFocus = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        };
        int stops = 0;
        int mainReady = 0;
        int messagesReady = 0;
        services->onTurn = [&] {
            Form1 *main = forms::loaded<Form1>();
            if (Day != 9 || Month % 4 != 0)
                return;
            mainReady += QApplication::activeWindow() == main && QApplication::focusWidget() == main->Command1;
            ++stops;
            spaceOnTheFocus();
        };
        services->onWait = [&] {
            Form3 *messages = forms::loaded<Form3>();
            messagesReady += QApplication::activeWindow() == messages
                             && QApplication::focusWidget() == messages->Command1;
            spaceOnTheFocus();
        };
        playCalendar();
        QCOMPARE(SchoolYear, qint16(4));
        QCOMPARE(stops, 9);
        QCOMPARE(services->waits, stops);
        QCOMPARE(mainReady, stops);
        QCOMPARE(messagesReady, stops);
    }

    void calendarRunsThreeSchoolYearsOneDayPerTurn()
    {
        QList<ShownDay> shown;
        services->onTurn = [&] {
            if (services->turns > 1) // the first turn has shown nothing yet
                shown.append(shownNow());
        };
        QCOMPARE(playCalendar(), 0);
        shown.append({SchoolYear, Month, Day, QString(), QString()});

        QCOMPARE(shown.size(), 1079);
        QCOMPARE(shown.first().yearLabel, QStringLiteral("1年目"));
        QCOMPARE(shown.first().dateLabel, QStringLiteral("4月7日"));
        QCOMPARE(shown.last().year, qint16(4));
        QCOMPARE(shown.last().month, qint16(3));
        QCOMPARE(shown.last().day, qint16(21));

        int schoolYearChanges = 0;
        for (int i = 1; i < shown.size(); ++i) {
            const ShownDay &day = shown[i];
            QVERIFY2(!(day.month == 2 && day.day == 29), "February has no 29th");
            const auto [month, before] = dayBefore(day.month, day.day);
            QCOMPARE(shown[i - 1].month, month);
            QCOMPARE(shown[i - 1].day, before);
            if (day.year != shown[i - 1].year) {
                ++schoolYearChanges;
                QCOMPARE(day.month, qint16(3));
                QCOMPARE(day.day, qint16(21));
            }
            if (!day.yearLabel.isEmpty()) {
                QCOMPARE(day.yearLabel, QString::number(day.year) + QStringLiteral("年目"));
                QCOMPARE(day.dateLabel, QStringLiteral("%1月%2日").arg(day.month).arg(day.day));
            }
        }
        QCOMPARE(schoolYearChanges, 3);
        QCOMPARE(Score, (std::array<qint16, 4>{0, 0, 0, 0}));
    }

    // Each day takes two turns of the pace while a screen reader is on, one
    // otherwise, as it is started and quit while time runs: here it is on
    // for the 31 days of the first May.
    void daysTakeTwoTurnsWhileAScreenReaderIsOn()
    {
        services->onTurn = [&] { services->screenReader = SchoolYear == 1 && Month == 5; };
        QCOMPARE(playCalendar(), 0);
        QCOMPARE(services->turns, 1079 + 31);
    }

    // A stop on the first day of a month tells the day with its scene, not
    // the month over them.
    void aStopOnTheFirstOfAMonthTellsNoMonthOverTheScene()
    {
        static QStringList said;
        said.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            if (event->type() == QAccessible::TextInserted)
                said.append(static_cast<QAccessibleTextInsertEvent *>(event)->textInserted());
        });
        useAccessibility(true);
        const auto quiet = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr), useAccessibility(false); });
        stopOn(*services, 1, 5, 1);
        QStringList saidByTheStop;
        services->onWait = [&] {
            saidByTheStop = said;
            press(forms::loaded<Form3>()->Command1);
        };
        QCOMPARE(playCalendar(), 0);
        // By the stop the scene has been told, but not the month.
        QVERIFY2(!saidByTheStop.isEmpty() && !saidByTheStop.contains(QStringLiteral("5月")),
                 qPrintable(saidByTheStop.join(QLatin1Char(' '))));
    }

    void stoppingPlaysTheSceneOfTheDayShownInThatTurn()
    {
        stopOn(*services, 1, 10, 10);
        QStringList printed;
        bool pictureMatches = false;
        services->onWait = [&] {
            printed = forms::loaded<Form3>()->printedLines();
            const Form1 *main = forms::loaded<Form1>();
            pictureMatches = main->Image2->picture().cacheKey()
                             == main->Image1[CurrentEvent]->picture().cacheKey();
            QCOMPARE(shownNow().dateLabel, QStringLiteral("10月10日"));
            press(forms::loaded<Form3>()->Command1);
        };
        QCOMPARE(playCalendar(), 0);

        QCOMPARE(printed.value(0), QStringLiteral("［体育祭］"));
        QCOMPARE(printed.value(3), QStringLiteral("武比山　保毛美のぷるもけ度が10上がった。"));
        QVERIFY(pictureMatches);
        QCOMPARE(Score, (std::array<qint16, 4>{0, 0, 10, 0}));
    }

    void pressingStopOrNextTwiceChangesNothing()
    {
        stopOn(*services, 2, 10, 10);
        auto stopTwice = services->onTurn;
        services->onTurn = [&] {
            stopTwice();
            // Next while time runs changes nothing.
            if (SchoolYear == 1 && Month == 5 && Day == 5) {
                press(forms::loaded<Form3>()->Command1);
                QCOMPARE(TimeStopped, False);
            }
            if (TimeStopped) {
                press(forms::loaded<Form1>()->Command1);
                QCOMPARE(TimeStopped, True);
            }
        };
        // Stop again from the main window: only the keyboard moves, back to
        // the next button of the waiting scene.
        const auto focusOn = [](QWidget *control) {
            return QTest::qWaitFor([control] { return QApplication::focusWidget() == control; });
        };
        bool backToTheScene = false;
        services->onWait = [&] {
            forms::activate<Form1>();
            backToTheScene = focusOn(forms::loaded<Form1>()->Command1);
            press(forms::loaded<Form1>()->Command1);
            QCOMPARE(TimeStopped, True);
            backToTheScene = backToTheScene && focusOn(forms::loaded<Form3>()->Command1);
            press(forms::loaded<Form3>()->Command1);
            press(forms::loaded<Form3>()->Command1);
            QCOMPARE(TimeStopped, False);
        };
        QCOMPARE(playCalendar(), 0);
        QCOMPARE(services->waits, 1);
        QCOMPARE(Score, (std::array<qint16, 4>{0, 0, 10, 0}));
        QVERIFY(backToTheScene);
    }

    void stoppingOnTheLastDayPlaysItsSceneBeforeTheEnding()
    {
        stopOn(*services, 4, 3, 21);
        ShownDay last;
        services->onWait = [&] {
            last = shownNow();
            QVERIFY(!forms::loaded<Form3>()->printedLines().isEmpty());
            press(forms::loaded<Form3>()->Command1);
        };
        QCOMPARE(playCalendar(), 0);
        QCOMPARE(services->waits, 1);
        QCOMPARE(last.yearLabel, QStringLiteral("4年目"));
        QCOMPARE(last.dateLabel, QStringLiteral("3月21日"));
        QVERIFY(!forms::loaded<Form1>());
        QVERIFY(forms::loaded<Form3>());
        QVERIFY(forms::loaded<Form3>()->isHidden());
    }

    void scriptedStopsAcrossAWholeGameChangeTheScores()
    {
        // 10 September is always the fair (+20 to the friend), 10 October
        // the second folk dance (+10 to 保毛美), 3 November the school
        // festival (+10 to おヨネ).
        stopOn(*services, 1, 9, 10);
        stopOn(*services, 2, 10, 10);
        stopOn(*services, 3, 11, 3);
        QStringList places;
        services->onWait = [&] {
            places.append(forms::loaded<Form3>()->printedLines().value(0));
            press(forms::loaded<Form3>()->Command1);
        };
        QCOMPARE(playCalendar(), -1); // the friend wins: the ending window stays open
        QCOMPARE(places, (QStringList{QStringLiteral("［縁日］"), QStringLiteral("［体育祭］"),
                                      QStringLiteral("［文化祭］")}));
        QCOMPARE(Score, (std::array<qint16, 4>{0, 20, 10, 10}));
    }
};

QTEST_MAIN(CalendarTest)
#include "tst_calendar.moc"
