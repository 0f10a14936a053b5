#include "game/ending.h"
#include "game/module1.h"
#include "game/scenes.h"
#include "services/twips.h"
#include "tests/testgame.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/form5.h"
#include "windows/forms.h"
#include "windows/label.h"

#include <QPushButton>
#include <QTest>

using namespace game;

/// Whatever the player types as the friend's name is kept and shown
/// exactly; only a name equal to a fixed heroine's changes whose score moves.
class NamesTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

private slots:
    void init()
    {
        services = &freshGame();
    }

    void strangeNamesAreKeptAndShownExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Scores>("afterThreeSchoolScenes");
        const Scores usual{0, 1, 1, 1};
        QTest::newRow("spaces only") << QStringLiteral("   ") << usual;
        QTest::newRow("one character") << QStringLiteral("x") << usual;
        QTest::newRow("10000 characters") << QString(10000, QChar(0x30D7)) << usual;
        QTest::newRow("outside the BMP") << QStringLiteral("🍙𠮷😀") << usual;
        QTest::newRow("combining marks") << QStringLiteral("e\u0301\u0308か\u3099") << usual;
        QTest::newRow("right to left") << QStringLiteral("שלום عربي") << usual;
        QTest::newRow("direction overrides") << QStringLiteral("\u202Eabc\u202C\u2066x\u2069") << usual;
        QTest::newRow("tabs and newlines") << QStringLiteral("a\tb\nc\r\n\rd") << usual;
        QTest::newRow("markup") << QStringLiteral("<h1>大</h1>&nbsp;") << usual;
        QTest::newRow("placeholders") << QStringLiteral("%1%2 %L1 100%") << usual;
        QTest::newRow("heroine two") << QStringLiteral("武比山　保毛美") << Scores{0, 2, 0, 1};
        QTest::newRow("heroine three") << QStringLiteral("河馬之小路　おヨネ ") << Scores{0, 2, 1, 0};
        QTest::newRow("heroine three without her space") << QStringLiteral("河馬之小路　おヨネ") << usual;
    }

    void strangeNamesAreKeptAndShownExactly()
    {
        QFETCH(QString, name);
        QFETCH(Scores, afterThreeSchoolScenes);
        FriendName = name;

        PlayEvent(1);
        PlayEvent(2);
        PlayEvent(0);
        QCOMPARE(Score, afterThreeSchoolScenes);
        const QStringList printed = forms::loaded<Form3>()->printedLines();
        QCOMPARE(printed.size(), 4);
        QVERIFY(printed[1].startsWith(name + QStringLiteral("：「")));
        QCOMPARE(printed[3], name + QStringLiteral("のぷるもけ度が1上がった。"));
        forms::loaded<Form3>()->show();
        QVERIFY(!forms::loaded<Form3>()->grab().isNull());

        QString graphName;
        services->onModal = [&](Form &graph) {
            graphName = static_cast<Form4 &>(graph).Label1[0]->caption();
            QVERIFY(!graph.grab().isNull());
            press(static_cast<Form4 &>(graph).Command1);
        };
        forms::showModal<Form4>();
        QCOMPARE(graphName, name);

        Score = {0, 20, 0, 0};
        RunEnding();
        const Label *letter = forms::loaded<Form5>()->Label1;
        QVERIFY(letter->caption().contains(QStringLiteral("あっ！これは") + name + QStringLiteral("からの")));
        QCOMPARE(forms::loaded<Form5>()->size(), twips::toPixels(QSize(4500, 5010)));
        QVERIFY(!forms::loaded<Form5>()->grab().isNull());
    }
};

QTEST_MAIN(NamesTest)
#include "tst_names.moc"
