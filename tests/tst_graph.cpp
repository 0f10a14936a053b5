#include "game/module1.h"
#include "tests/testgame.h"
#include "services/qtservices.h"
#include "services/twips.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/forms.h"
#include "windows/label.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QTest>

using namespace game;

namespace {

struct GraphSeen
{
    QStringList names;
    QList<int> redCharacters;
    QStringList tracks;
    QStringList shares; ///< what a screen reader reads for each bar
    QString spoken;     ///< what it says as the window opens
};

QString readAs(QWidget *control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

/// What the graph window shows while it is open; the player then presses "よし".
GraphSeen openGraph(ScriptedServices &services)
{
    GraphSeen seen;
    services.onModal = [&](Form &form) {
        auto &graph = static_cast<Form4 &>(form);
        for (int row = 0; row < 3; ++row) {
            seen.names.append(graph.Label1[row]->caption());
            seen.tracks.append(graph.Label2[row]->caption());
            const QString bar = graph.Label2[row + 3]->caption();
            QVERIFY(Form4::barText().startsWith(bar));
            seen.redCharacters.append(bar.size());
            seen.shares.append(readAs(graph.Label2[row + 3]));
            // The grey track has nothing to read; the bar is labelled by the name.
            QCOMPARE(readAs(graph.Label2[row]), QString());
            const auto labels = QAccessible::queryAccessibleInterface(graph.Label2[row + 3])
                                    ->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.first().first->object(), graph.Label1[row]);
        }
        seen.spoken = QAccessible::queryAccessibleInterface(&graph)->text(QAccessible::Description);
        press(graph.Command1);
    };
    forms::showModal<Form4>();
    return seen;
}

} // namespace

class GraphTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

private slots:
    void init()
    {
        services = &freshGame();
        FriendName = PresetFriendName();
    }

    void barsShowEachShareInTwentieths_data()
    {
        QTest::addColumn<Scores>("scores");
        QTest::addColumn<QList<int>>("red");
        QTest::newRow("one heroine") << Scores{0, 10, 0, 0} << QList<int>{20, 0, 0};
        QTest::newRow("five three two") << Scores{0, 5, 3, 2} << QList<int>{10, 6, 4};
        QTest::newRow("thirds") << Scores{0, 1, 1, 1} << QList<int>{6, 6, 6};
        QTest::newRow("two one nothing") << Scores{0, 2, 1, 0} << QList<int>{13, 6, 0};
        QTest::newRow("negative friend") << Scores{0, -5, 10, 0} << QList<int>{0, 20, 0};
        QTest::newRow("all zero") << Scores{0, 0, 0, 0} << QList<int>{20, 20, 20};
        QTest::newRow("negative total") << Scores{0, -3, 1, 1} << QList<int>{20, 20, 20};
        QTest::newRow("below a twentieth") << Scores{0, 1, 29, 0} << QList<int>{0, 19, 0};
        QTest::newRow("at the top") << Scores{0, 32767, 0, 0} << QList<int>{20, 0, 0};
    }

    void barsShowEachShareInTwentieths()
    {
        QFETCH(Scores, scores);
        QFETCH(QList<int>, red);
        Score = scores;
        const GraphSeen seen = openGraph(*services);
        QCOMPARE(seen.redCharacters, red);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(seen.shares[row], QStringLiteral("%1 / 20").arg(red[row]));
        QCOMPARE(seen.tracks, QStringList(3, Form4::barText()));
        QCOMPARE(seen.names, (QStringList{"富士崎　緒詩里", "武比山　保毛美", "河馬之小路　おヨネ "}));
        QCOMPARE(seen.spoken, QStringLiteral("富士崎　緒詩里 %1 / 20\n武比山　保毛美 %2 / 20\n河馬之小路　おヨネ  %3 / 20")
                                  .arg(red[0])
                                  .arg(red[1])
                                  .arg(red[2]));
        QVERIFY(!forms::loaded<Form4>());
    }

    void graphIsBuiltAfreshAtEveryOpening()
    {
        Score = {0, 5, 3, 2};
        QCOMPARE(openGraph(*services).redCharacters, (QList<int>{10, 6, 4}));
        QCOMPARE(openGraph(*services).redCharacters, (QList<int>{10, 6, 4}));
        Score = {0, 0, 0, 0};
        QCOMPARE(openGraph(*services).redCharacters, (QList<int>{20, 20, 20}));
    }

    void graphWindowIsLaidOutInTwips()
    {
        services->onModal = [&](Form &form) {
            auto &graph = static_cast<Form4 &>(form);
            QCOMPARE(graph.windowTitle(), QStringLiteral("ぷるもけグラフ"));
            QCOMPARE(graph.size(), twips::toPixels(QSize(6000, 1620)));
            QCOMPARE(graph.minimumSize(), graph.maximumSize());
            QVERIFY(graph.isModal());
            QVERIFY(!graph.hasTaskbarEntry());
            const int tops[3] = {120, 480, 840};
            for (int row = 0; row < 3; ++row) {
                QCOMPARE(graph.Label1[row]->geometry(), inTwips(120, tops[row], 2175, 255));
                QCOMPARE(graph.Label2[row]->geometry(), inTwips(2520, tops[row], 3735, 255));
                QCOMPARE(graph.Label2[row + 3]->geometry(), graph.Label2[row]->geometry());
                QCOMPARE(graph.Label2[row]->palette().color(QPalette::WindowText), QColor(128, 128, 128));
                QCOMPARE(graph.Label2[row + 3]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
                QVERIFY(!graph.Label2[row + 3]->autoFillBackground());
                QCOMPARE(graph.Label1[row]->focusPolicy(), Qt::NoFocus);
            }
            QCOMPARE(graph.Command1->geometry(), inTwips(4800, 1200, 975, 375));
            QCOMPARE(graph.Command1->text(), QStringLiteral("よし"));
            QCOMPARE(graph.focusWidget(), graph.Command1);
            requestClose(&graph);
            QVERIFY(graph.isUnloaded());
        };
        forms::showModal<Form4>();
        QVERIFY(!services->ended);
    }

    void graphButtonHoldsTheCalendarAndKeepsTimeStopped()
    {
        loadMainWindowWithPictures();
        Score = {0, 1, 2, 3};
        QList<qint16> daysSeenByTheGraph;
        bool stoppedAfterTheGraph = true;
        bool graphShownThisStop = false;
        // Where the keyboard is once the graph has closed: on the button
        // that moves the game on.
        QList<QWidget *> keyboardAfterTheGraph;
        QList<QWidget *> nextAction;
        auto keyboardGoesOn = [&](QPushButton *expected) {
            QTRY_VERIFY(QApplication::focusWidget());
            keyboardAfterTheGraph.append(QApplication::focusWidget());
            nextAction.append(expected);
        };
        services->onTurn = [&] {
            if (Month == 6 && Day == 1) {
                press(forms::loaded<Form1>()->Command2);
                keyboardGoesOn(forms::loaded<Form1>()->Command1);
            }
            if (Month == 6 && Day == 2)
                press(forms::loaded<Form1>()->Command1);
        };
        services->onModal = [&](Form &form) {
            daysSeenByTheGraph.append(Day);
            press(static_cast<Form4 &>(form).Command1);
        };
        services->onWait = [&] {
            if (!graphShownThisStop) {
                press(forms::loaded<Form1>()->Command2);
                keyboardGoesOn(forms::loaded<Form3>()->Command1);
                stoppedAfterTheGraph = stoppedAfterTheGraph && TimeStopped == True;
                graphShownThisStop = true;
                return;
            }
            press(forms::loaded<Form3>()->Command1);
            graphShownThisStop = false;
        };
        playCalendar();
        QCOMPARE(daysSeenByTheGraph, (QList<qint16>{1, 3, 1, 3, 1, 3}));
        QVERIFY(stoppedAfterTheGraph);
        QCOMPARE(services->waits, 3 * 2);
        QCOMPARE(keyboardAfterTheGraph, nextAction);
    }

    void realModalShowReturnsOnceTheGraphIsUnloaded()
    {
        QtServices real;
        installPlatform(&real);
        forms::show<Form1>();
        bool onlyTheGraphTakesInput = false;
        QTimer::singleShot(0, [&] {
            Form4 *graph = forms::loaded<Form4>();
            QVERIFY(graph && graph->isVisible());
            onlyTheGraphTakesInput = QApplication::activeModalWidget() == graph;
            press(graph->Command1);
        });
        press(forms::loaded<Form1>()->Command2);
        installPlatform(services);
        QVERIFY(onlyTheGraphTakesInput);
        QVERIFY(!forms::loaded<Form4>());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void graphClosesWithItsDefaultAndCancelKeys_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("Enter") << Qt::Key_Enter;
        QTest::newRow("Escape") << Qt::Key_Escape;
        QTest::newRow("Space") << Qt::Key_Space;
    }

    void graphClosesWithItsDefaultAndCancelKeys()
    {
        QFETCH(Qt::Key, key);
        bool closedByTheKey = false;
        services->onModal = [&](Form &graph) {
            QVERIFY(static_cast<Form4 &>(graph).Command1->isDefault());
            QTest::keyClick(graph.focusWidget(), key);
            closedByTheKey = graph.isUnloaded();
        };
        forms::showModal<Form4>();
        QVERIFY(closedByTheKey);
        // Other keys leave it open.
        services->onModal = [&](Form &graph) {
            QTest::keyClick(&graph, Qt::Key_A);
            closedByTheKey = graph.isUnloaded();
        };
        forms::showModal<Form4>();
        QVERIFY(!closedByTheKey);
    }

    void totalOverflowBecomesTheRunTimeErrorReport_data()
    {
        QTest::addColumn<Scores>("scores");
        QTest::newRow("first two") << Scores{0, 30000, 30000, 0};
        QTest::newRow("with the third") << Scores{0, 30000, 2000, 1000};
        QTest::newRow("below") << Scores{0, -30000, -2000, -1000};
    }

    void totalOverflowBecomesTheRunTimeErrorReport()
    {
        QFETCH(Scores, scores);
        Score = scores;
        forms::show<Form1>();
        press(forms::loaded<Form1>()->Command2);
        QVERIFY(services->ended);
        QCOMPARE(services->exitStatus, 1);
        QCOMPARE(services->boxes.size(), 1);
        QCOMPARE(services->boxes.first().text, QStringLiteral("数値が範囲を超えました（オーバーフロー）。"));
    }
};

QTEST_MAIN(GraphTest)
#include "tst_graph.moc"
