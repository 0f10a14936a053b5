#include "game/module1.h"
#include "game/opening.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/forms.h"

#include <QTest>

using namespace game;
using Box = ScriptedServices::Box;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
const QString LineBreak = QStringLiteral("\n\r");
}

class OpeningTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

private slots:
    void init()
    {
        services = &freshGame();
    }

    void aGameWithoutStopsEndsInFailureWithStatusZero()
    {
        playFromTitle();
        QVERIFY(services->ended);
        QCOMPARE(services->exitStatus, 0);
        QStringList titles;
        for (const Box &box : services->boxes)
            titles.append(box.title);
        QCOMPARE(titles, (QStringList{"説明なのねん (1/3)", "説明なのねん (2/3)", "説明なのねん (3/3)",
                                      "大サーヴィス", "Here we GO!", "卒業式", "あれ？"}));
        QCOMPARE(services->boxes[3].kind, Box::Kind::Input);
        QCOMPARE(services->boxes.last().icon, BoxIcon::Question);
        for (int i : {0, 1, 2, 4, 5})
            QCOMPARE(services->boxes[i].icon, BoxIcon::Information);
        QCOMPARE(Score, (std::array<qint16, 4>{0, 0, 0, 0}));
        QVERIFY(!forms::loaded<Form2>());
        QVERIFY(!forms::loaded<Form1>());
    }

    void openingBoxesSayExactlyTheirTexts()
    {
        services->inputAnswers = {QStringLiteral("ぷる山　ぷるも美")};
        playFromTitle();
        const QList<Box> &boxes = services->boxes;
        QCOMPARE(boxes[0].text,
                 "このゲームの目的は、ちょっとぷるもけだから、よく聞け。" + LineBreak
                     + "チミは、今日、晴れて（雨でもね）「聖プルモ高校」に入学したっす。"
                       "これから卒業（鳩森ミツオ、桐谷ナナミ、梅園サキ、柚原ヨシエとかが歌ってたアレだ。）までの3年間、"
                       "チミの前に現れる女の子（いわゆる「同級生-elseif-(C)ROQ」ってやつだ）と仲良し"
                       "こよしになって（いつも思うのだが「こよし」ってなんだ？）、楽しいハイスクール"
                       "ララバイ（取り消し）ライフをおくってくれたまへ。"
                     + LineBreak);
        QCOMPARE(boxes[1].text,
                 QStringLiteral("そして卒業式の日、校庭の「伝説の樹」の下で、最高に仲良しこよし（いつも思うのだが以下略）"
                                "の女の子から愛の告白を受けるのだ。チミは目的の女の子からの告白を受けることが"
                                "できるのかしら？（なぜ女になる＜俺）"));
        QCOMPARE(boxes[2].text, "３年間なんて、あっという間だぞ。ほんと、早いもんだよ。"
                                "そんな短いときの中で、精いっぱいがんばってくれっす。"
                                    + LineBreak + "それでは、えんぢょい、プルモケライフ！");
        QCOMPARE(boxes[3].text,
                 QStringLiteral("特別に、登場人物の一人であるところの（関係代名詞）、「チミの幼なじみ」の女の子の名前を決めさせてやろうぢゃないか。"
                                "目いっぱいぷるもけな名前がいいぞ。あ、「ぷる山　ぷるも子」ってのは俺、予約ね。（俺って誰）"));
        QCOMPARE(boxes[4].text,
                 "ぷる山　ぷるも美でいいんだな？よし。もう変えさせないぞ。" + LineBreak
                     + "じゃ、ファイル読み込むからしばらく待ちやがりませ。んで、いきなりゲームが始まるから驚くな。"
                     + LineBreak + "3年間なんて本当に早いからな。一瞬一瞬を大事にケロヨン。じゃなくて、大事にしろよん。");
        QCOMPARE(boxes[5].text,
                 QStringLiteral("さて、松本松本、じゃねーよ！、いよいよ、卒業式の日だ。伝説の樹の下でチミに告白するために待っているのはどの娘かな！？！？"));
        QCOMPARE(boxes[6].text,
                 QStringLiteral("…ありゃ？伝説の樹の下にだれもいないっすよ？３年間何してきたの?もうちょっと、生活をエンジョイしなきゃ。やりなおし！！"));
    }

    void theFriendIsNamedExactlyAsTyped_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("name");
        const QString preset = QStringLiteral("富士崎　緒詩里");
        QTest::newRow("cancelled") << std::optional<QString>() << preset;
        QTest::newRow("empty") << std::optional<QString>(QString()) << preset;
        QTest::newRow("preset accepted") << std::optional<QString>(preset) << preset;
        QTest::newRow("spaces only") << std::optional<QString>("   ") << QStringLiteral("   ");
        QTest::newRow("one character") << std::optional<QString>("x") << QStringLiteral("x");
        QTest::newRow("very long") << std::optional<QString>(QString(10000, QChar(0x3042)))
                                   << QString(10000, QChar(0x3042));
        QTest::newRow("emoji") << std::optional<QString>("😀ぷる🍙") << QStringLiteral("😀ぷる🍙");
        QTest::newRow("markup") << std::optional<QString>("<b>太字</b>&amp;") << QStringLiteral("<b>太字</b>&amp;");
        QTest::newRow("fixed heroine") << std::optional<QString>("武比山　保毛美") << QStringLiteral("武比山　保毛美");
        QTest::newRow("third heroine without its space")
            << std::optional<QString>("河馬之小路　おヨネ") << QStringLiteral("河馬之小路　おヨネ");
    }

    void theFriendIsNamedExactlyAsTyped()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, name);
        services->inputAnswers = {answer};
        playFromTitle();
        QCOMPARE(FriendName, name);
        QVERIFY(services->boxes[4].text.startsWith(name + QStringLiteral("でいいんだな？")));
        QCOMPARE(services->exitStatus, 0);
    }

    void theUnloadByTheOpeningDoesNotEndTheProgram()
    {
        QStringList shownBeforeTheFirstBox;
        services->onBox = [&](const Box &box) {
            if (box.title == QStringLiteral("説明なのねん (1/3)"))
                shownBeforeTheFirstBox.append(forms::loaded<Form2>() ? "title" : "no title");
        };
        playFromTitle();
        QCOMPARE(shownBeforeTheFirstBox, QStringList{"no title"});
        QCOMPARE(services->boxes.size(), 7);
    }

    void aMissingEventPictureStopsTheGameBeforeItStarts()
    {
        QTemporaryDir dir;
        usePictureFolderWith(dir, QStringLiteral("EVE09.BMP"));
        playFromTitle();
        QCOMPARE(services->exitStatus, 1);
        QCOMPARE(services->boxes.last().kind, Box::Kind::Error);
        QVERIFY(services->boxes.last().text.contains(QStringLiteral("EVE09.BMP")));
        QCOMPARE(services->turns, 0);
        QDir::setCurrent(pictureFolder());
    }
};


QTEST_MAIN(OpeningTest)
#include "tst_opening.moc"
