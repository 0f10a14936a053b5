#include "game/events.h"
#include "game/module1.h"
#include "tests/testgame.h"

#include <QSet>
#include <QTest>

using namespace game;

namespace {

/// Every event PickEvent gives for a date over many draws.
QSet<qint16> eventsOn(qint16 month, qint16 day, int draws = 2000)
{
    QSet<qint16> seen;
    for (int i = 0; i < draws; ++i)
        seen.insert(PickEvent(month, day));
    return seen;
}

QSet<qint16> range(int from, int to)
{
    QSet<qint16> events;
    for (int e = from; e <= to; ++e)
        events.insert(qint16(e));
    return events;
}

} // namespace

class EventsTest : public QObject
{
    Q_OBJECT

    ScriptedServices services;

private slots:
    void init()
    {
        freshGame(services);
        services.randomValues.clear();
    }

    void fixedDatesAlwaysGiveTheirEvent_data()
    {
        QTest::addColumn<qint16>("month");
        QTest::addColumn<qint16>("day");
        QTest::addColumn<qint16>("event");
        QTest::newRow("fair 10 Sep") << qint16(9) << qint16(10) << qint16(9);
        QTest::newRow("fair 11 Sep") << qint16(9) << qint16(11) << qint16(9);
        QTest::newRow("folk dance 9 Oct") << qint16(10) << qint16(9) << qint16(13);
        QTest::newRow("folk dance 10 Oct") << qint16(10) << qint16(10) << qint16(14);
        QTest::newRow("folk dance 11 Oct") << qint16(10) << qint16(11) << qint16(13);
        QTest::newRow("school festival 3 Nov") << qint16(11) << qint16(3) << qint16(15);
        QTest::newRow("school festival 4 Nov") << qint16(11) << qint16(4) << qint16(15);
    }

    void fixedDatesAlwaysGiveTheirEvent()
    {
        QFETCH(qint16, month);
        QFETCH(qint16, day);
        QFETCH(qint16, event);
        QCOMPARE(eventsOn(month, day), QSet<qint16>{event});
    }

    void fixedDateWinsOnASchoolDayAndOnADayOff()
    {
        // 0.5 × 7 is no day off; 0.1 × 7 is. The candidate is drawn either way.
        services.randomValues = {0.5f, 0.0f};
        QCOMPARE(PickEvent(10, 10), qint16(14));
        services.randomValues = {0.1f, 0.99f};
        QCOMPARE(PickEvent(10, 10), qint16(14));
        QVERIFY(services.randomValues.empty());
    }

    void seasonsAndDaysOff_data()
    {
        QTest::addColumn<qint16>("month");
        QTest::addColumn<qint16>("day");
        QTest::addColumn<QSet<qint16>>("allowed");
        QTest::addColumn<QSet<qint16>>("mustAppear");

        const QSet<qint16> school = range(0, 2);
        const QSet<qint16> anyMonth = {3, 4, 5, 6, 10, 11, 12};
        QTest::newRow("school day in May") << qint16(5) << qint16(14) << (school + anyMonth) << (school + anyMonth);
        QTest::newRow("1 January") << qint16(1) << qint16(1) << (anyMonth + QSet<qint16>{8}) << (anyMonth + QSet<qint16>{8});
        QTest::newRow("7 January") << qint16(1) << qint16(7) << (anyMonth + QSet<qint16>{8}) << QSet<qint16>{8};
        QTest::newRow("February") << qint16(2) << qint16(14) << (school + anyMonth + QSet<qint16>{8}) << (school + QSet<qint16>{8});
        QTest::newRow("spring break") << qint16(3) << qint16(25) << anyMonth << anyMonth;
        QTest::newRow("summer pool") << qint16(8) << qint16(15) << (anyMonth + QSet<qint16>{7}) << QSet<qint16>{7};
        QTest::newRow("late July") << qint16(7) << qint16(21) << (anyMonth + QSet<qint16>{7}) << QSet<qint16>{7};
        QTest::newRow("early July") << qint16(7) << qint16(20) << (school + anyMonth + QSet<qint16>{7}) << school;
        QTest::newRow("September fair") << qint16(9) << qint16(20) << (school + anyMonth + QSet<qint16>{9}) << QSet<qint16>{9};
        QTest::newRow("winter break") << qint16(12) << qint16(24) << (anyMonth + QSet<qint16>{8}) << QSet<qint16>{8};
        QTest::newRow("before winter break") << qint16(12) << qint16(23) << (school + anyMonth + QSet<qint16>{8}) << school;
        QTest::newRow("first school day") << qint16(4) << qint16(7) << (school + anyMonth) << school;
        QTest::newRow("before school starts") << qint16(4) << qint16(6) << anyMonth << anyMonth;
    }

    void seasonsAndDaysOff()
    {
        QFETCH(qint16, month);
        QFETCH(qint16, day);
        QFETCH(QSet<qint16>, allowed);
        QFETCH(QSet<qint16>, mustAppear);
        const QSet<qint16> seen = eventsOn(month, day);
        QVERIFY2(allowed.contains(seen), "an event outside its season or day kind came up");
        QVERIFY2(seen.contains(mustAppear), "an event that belongs to this day never came up");
    }

    void aboutOneSchoolDayInSevenIsADayOff()
    {
        int daysOff = 0;
        const int draws = 70000;
        for (int i = 0; i < draws; ++i)
            daysOff += PickEvent(6, 10) >= 3 ? 1 : 0;
        QVERIFY2(daysOff > draws / 7 - 700 && daysOff < draws / 7 + 700,
                 qPrintable(QString::number(daysOff)));
    }

    void schoolEventsAreEquallyLikely()
    {
        int counts[3] = {};
        for (int i = 0; i < 30000; ++i) {
            const qint16 e = PickEvent(6, 10);
            if (e < 3)
                ++counts[e];
        }
        const int total = counts[0] + counts[1] + counts[2];
        for (int c : counts)
            QVERIFY2(qAbs(c - total / 3) < total / 30, qPrintable(QString::number(c)));
    }

    void randomUpToStaysWithinOneToN()
    {
        for (qint16 n : {qint16(1), qint16(2), qint16(3), qint16(7), qint16(13), qint16(32767)}) {
            services.randomValues = {0.0f, unitFloat(0xFFFFFFFFu)};
            QCOMPARE(RandomUpTo(n), qint16(1));
            QCOMPARE(RandomUpTo(n), n);
        }
        QSet<qint16> seen;
        for (int i = 0; i < 300; ++i)
            seen.insert(RandomUpTo(3));
        QCOMPARE(seen, (QSet<qint16>{1, 2, 3}));
    }

    void randomNumbersAreAlwaysBelowOne()
    {
        // The largest draw must stay below 1 once rounded to single
        // precision, or RandomUpTo(n) would give n + 1.
        QVERIFY(unitFloat(0xFFFFFFFFu) < 1.0f);
        QVERIFY(unitFloat(0) == 0.0f);
        for (int i = 0; i < 100000; ++i) {
            const float r = services.nextRandom();
            QVERIFY(r >= 0.0f && r < 1.0f);
        }
    }
};

QTEST_MAIN(EventsTest)
#include "tst_events.moc"
