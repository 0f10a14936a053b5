#include "game/module1.h"
#include "services/qtservices.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/forms.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace game;

/// Closing windows and boxes at any moment, and hammering the buttons.
class ClosesTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

    void stopOnTheTenthOfEveryMonth()
    {
        services->onTurn = [] {
            if (Day == 9)
                press(forms::loaded<Form1>()->Command1);
        };
    }

private slots:
    void init()
    {
        services = &freshGame();
        FriendName = PresetFriendName();
        loadMainWindowWithPictures();
    }

    void gameWindowsRefuseTheCloseWhileASceneWaits()
    {
        stopOnTheTenthOfEveryMonth();
        int refused = 0;
        services->onWait = [&] {
            requestClose(forms::loaded<Form1>());
            requestClose(forms::loaded<Form3>());
            if (forms::loaded<Form1>()->isVisible() && forms::loaded<Form3>()->isVisible()
                && TimeStopped == True)
                ++refused;
            press(forms::loaded<Form3>()->Command1);
        };
        QCOMPARE(playCalendar(), -1);
        QCOMPARE(refused, services->waits);
        QCOMPARE(services->waits, 36);
    }

    void closingTheGraphLetsTheCalendarGoOnAsBefore()
    {
        stopOnTheTenthOfEveryMonth();
        QList<qint16> runningDays;
        int stillStopped = 0;
        auto closeGraph = [](Form &graph) { requestClose(&graph); };
        services->onModal = closeGraph;
        auto stops = services->onTurn;
        services->onTurn = [&] {
            stops();
            if (Day == 20 && !TimeStopped) {
                press(forms::loaded<Form1>()->Command2);
                runningDays.append(Day);
            }
        };
        services->onWait = [&] {
            press(forms::loaded<Form1>()->Command2);
            stillStopped += TimeStopped == True ? 1 : 0;
            press(forms::loaded<Form3>()->Command1);
        };
        playCalendar();
        QCOMPARE(stillStopped, 36);
        QCOMPARE(runningDays.size(), 36);
        QVERIFY(!forms::loaded<Form4>());
    }

    void aHundredClicksLeaveTheStateAsOneClick()
    {
        int graphs = 0;
        services->onModal = [&](Form &graph) {
            ++graphs;
            press(static_cast<Form4 &>(graph).Command1);
        };
        services->onTurn = [&] {
            if (Month == 10 && Day == 9 && SchoolYear == 1) {
                for (int i = 0; i < 100; ++i) {
                    press(forms::loaded<Form3>()->Command1);
                    press(forms::loaded<Form1>()->Command2);
                    press(forms::loaded<Form1>()->Command1);
                }
            }
        };
        services->onWait = [&] {
            for (int i = 0; i < 100; ++i) {
                press(forms::loaded<Form1>()->Command1);
                press(forms::loaded<Form1>()->Command2);
            }
            QCOMPARE(TimeStopped, True);
            for (int i = 0; i < 100; ++i)
                press(forms::loaded<Form3>()->Command1);
            QCOMPARE(TimeStopped, False);
        };
        playCalendar();
        QCOMPARE(services->waits, 1);
        QCOMPARE(graphs, 200);
        QCOMPARE(Score, (std::array<qint16, 4>{0, 0, 10, 0}));
    }

    void boxesClosedWithEscapeOrTheirCloseButtonActLikeOkOrCancel_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("close button") << false;
    }

    void boxesClosedWithEscapeOrTheirCloseButtonActLikeOkOrCancel()
    {
        QFETCH(bool, escape);
        QtServices real;
        int closed = 0;
        auto closeTheBox = [&] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            ++closed;
            if (escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        };
        QTimer::singleShot(0, closeTheBox);
        real.messageBox(QStringLiteral("本文"), BoxIcon::Information, QStringLiteral("題"));
        QTimer::singleShot(0, closeTheBox);
        const QString answer = real.inputBox(QStringLiteral("名前"), QStringLiteral("題"), QStringLiteral("富士崎　緒詩里"));
        QCOMPARE(closed, 2);
        QCOMPARE(answer, QString());
    }
};

QTEST_MAIN(ClosesTest)
#include "tst_closes.moc"
