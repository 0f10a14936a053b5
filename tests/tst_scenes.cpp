#include "game/module1.h"
#include "game/scenes.h"
#include "services/runtimeerror.h"
#include "tests/testgame.h"
#include "windows/form3.h"
#include "windows/forms.h"

#include <QTest>

using namespace game;

class ScenesTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

    QStringList printed() const { return forms::load<Form3>().printedLines(); }

private slots:
    void init()
    {
        services = &freshGame();
        FriendName = PresetFriendName();
    }

    void everySceneprintsFourLinesAndChangesOneScore_data()
    {
        QTest::addColumn<qint16>("event");
        QTest::addColumn<float>("variantDraw");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Scores>("scores");

        const QString friendName = QStringLiteral("富士崎　緒詩里");
        const QString homi = QStringLiteral("武比山　保毛美");
        const QString oyone = QStringLiteral("河馬之小路　おヨネ ");
        auto row = [&](const char *tag, qint16 event, float draw, const QString &place,
                       const QString &name, const QString &line, const QString &answer,
                       const QString &scoreLine, Scores scores) {
            QTest::newRow(tag) << event << draw
                               << QStringList{QStringLiteral("［") + place + QStringLiteral("］"),
                                              name + QStringLiteral("：「") + line + QStringLiteral("」"),
                                              answer, name + QStringLiteral("のぷるもけ度が") + scoreLine}
                               << scores;
        };
        row("0 school", 0, -1, "学校", friendName, "勉強教えてね。ついでに、宿題も写させてね。ついでに、弁当かってこい。",
            "ぷるもけ！", "1上がった。", {0, 1, 0, 0});
        row("1 school", 1, -1, "学校", homi, "この授業、つまらないね。教科書もやしちゃおうかしら。", "ほげー！",
            "1上がった。", {0, 0, 1, 0});
        row("2a school", 2, 0.0f, "学校", oyone, "午後の授業はフケて、花屋敷で饅頭一気ぐい大会しない？", "どしぇー！",
            "1上がった。", {0, 0, 0, 1});
        row("2b school", 2, 0.5f, "学校", oyone, "午後の授業はフケて、念仏寺で饅頭一気ぐい大会しない？", "どしぇー！",
            "1上がった。", {0, 0, 0, 1});
        row("3.1 shops", 3, 0.0f, "秋葉原", friendName, "ねぇ、欲しいものがあるの、ＳＥＧＥの新作ゲーム、「ゲイツ」！",
            "をを！「ソニックザヒッチコック」の続編のあれに目をつけるとは！", "2上がった。", {0, 2, 0, 0});
        row("3.2 shops", 3, 0.4f, "秋葉原", friendName, "ねぇ、欲しいものがあるの、ＥＲＦの新作ゲーム、「荒業～endif～」！",
            "をを！元ネタみんなわかるのか？！", "2上がった。", {0, 2, 0, 0});
        row("3.3 shops", 3, 0.7f, "秋葉原", friendName,
            "ねぇ、欲しいものがあるの、任天丼の新作ゲーム、「スーパーフリオ６５」！",
            "をを！メタルフリオや空飛ぶフリオなど、見たくもないフリオをぐりぐりあんあん！", "2上がった。", {0, 2, 0, 0});
        row("4 amusement park", 4, -1, "遊園地", homi, "ひゃっほう。黒ねずみ退治だ、うっひゃっほう。",
            "そうだね。東京ネズミーランドに来てやることといったらネズミ退治くらいだもんね。", "2上がった。", {0, 0, 2, 0});
        row("5 cinema", 5, -1, "映画館", homi, "やっぱり、映画は無声映画に限るわね。あなた、将来弁士になってよ。",
            "食いはぐれるー！", "5下がった。", {0, 0, -5, 0});
        row("6 concert", 6, -1, "コンサート会場", friendName, "うれしいなぁ！スリーベルズのコンサート！",
            "ミモザーズのがいいなぁ…", "5下がった。", {0, -5, 0, 0});
        row("7 pool", 7, -1, "プール", homi, "うひゃっほ！犬掻きしかできないのれーす。", "典型的な目赤！！",
            "3上がった。", {0, 0, 3, 0});
        row("8 skiing", 8, -1, "スキー", oyone, "目指せ！時速６５０ｋｍ！", "しかもボーゲン！", "3上がった。",
            {0, 0, 0, 3});
        row("9 fair", 9, -1, "縁日", friendName, "似合う？般若の面。", "うっわぁ！ゲン海原もハダシで逃げ出すね！",
            "20上がった。", {0, 20, 0, 0});
        row("10 park", 10, -1, "公園", friendName, "公園でデートといえば、ソフトクリームなめ。れーら。",
            "俺にもくれよう！", "1下がった。", {0, -1, 0, 0});
        row("11 aquarium", 11, -1, "水族館", friendName, "すしのネタ探すなら水族館よね！",
            "（そうか、この絵水族館だったのか）", "1下がった。", {0, -1, 0, 0});
        row("12 zoo", 12, -1, "動物園", homi, "動物園に来るとアフリカを思い出すわ！第2の故郷とはありがたいものです。",
            "なお、帰りのかばんにはまだ若干の余裕が…", "2上がった。", {0, 0, 2, 0});
        row("13 folk dance", 13, -1, "体育祭", friendName, "あら、フォークダンスの相手はあなたなのね。うひょひょ。",
            "イカス！", "10上がった。", {0, 10, 0, 0});
        row("14 folk dance", 14, -1, "体育祭", homi, "あら、フォークダンスの相手はあなたなのね。うひょひょ。",
            "恋のチャンス！", "10上がった。", {0, 0, 10, 0});
        row("15 school festival", 15, -1, "文化祭", oyone, "へいらっしゃい！",
            "ギャグがこてこてでわかりにくいけど、これ文化祭ね。", "10上がった。", {0, 0, 0, 10});
    }

    void everySceneprintsFourLinesAndChangesOneScore()
    {
        QFETCH(qint16, event);
        QFETCH(float, variantDraw);
        QFETCH(QStringList, lines);
        QFETCH(Scores, scores);
        if (variantDraw >= 0)
            services->randomValues = {variantDraw};
        PlayEvent(event);
        QCOMPARE(printed(), lines);
        QCOMPARE(Score, scores);
        QVERIFY(services->randomValues.empty());
    }

    void eachSceneClearsThePreviousOne()
    {
        PlayEvent(9);
        PlayEvent(5);
        QCOMPARE(printed().size(), 4);
        QCOMPARE(printed().first(), QStringLiteral("［映画館］"));
        QCOMPARE(Score, (Scores{0, 20, -5, 0}));
    }

    void eventsOutsideTheScriptDoNothing()
    {
        PlayEvent(-1);
        PlayEvent(16);
        QVERIFY(printed().isEmpty());
        QCOMPARE(Score, (Scores{0, 0, 0, 0}));
    }

    void namesAreComparedExactlyFriendFirst()
    {
        FriendName = HeroineTwo();
        PlayEvent(1);
        QCOMPARE(Score, (Scores{0, 1, 0, 0}));

        // Without its trailing space the third name is another name.
        FriendName = QStringLiteral("河馬之小路　おヨネ");
        PlayEvent(8);
        QCOMPARE(Score, (Scores{0, 1, 0, 3}));
        PlayEvent(0);
        QCOMPARE(Score, (Scores{0, 2, 0, 3}));
        QCOMPARE(printed().value(3), QStringLiteral("河馬之小路　おヨネのぷるもけ度が1上がった。"));
    }

    void aNameMatchingNoHeroineChangesNoScore()
    {
        ShowScene(QStringLiteral("だれか"), QStringLiteral("こんにちは"), QStringLiteral("やあ"), 0,
                  QStringLiteral("どこか"));
        QCOMPARE(printed().value(3), QStringLiteral("だれかのぷるもけ度が0上がった。"));
        QCOMPARE(Score, (Scores{0, 0, 0, 0}));
    }

    void scoreOverflowBecomesTheRunTimeErrorReport()
    {
        Score[1] = 32767;
        guarded([] { PlayEvent(0); });
        QVERIFY(services->ended);
        QCOMPARE(services->exitStatus, 1);
        QCOMPARE(services->boxes.size(), 1);
        QCOMPARE(services->boxes.first().kind, ScriptedServices::Box::Kind::Error);
        QCOMPARE(services->boxes.first().text, QStringLiteral("数値が範囲を超えました（オーバーフロー）。"));
        QCOMPARE(Score[1], qint16(32767));

        Score[2] = -32768;
        QVERIFY_THROWS_EXCEPTION(RuntimeError, PlayEvent(5));
    }
};

QTEST_MAIN(ScenesTest)
#include "tst_scenes.moc"
