#include "game/ending.h"
#include "game/module1.h"
#include "services/twips.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/form5.h"
#include "windows/forms.h"
#include "windows/label.h"
#include "windows/picturebox.h"

#include <QPushButton>
#include <QTest>

using namespace game;
using Box = ScriptedServices::Box;

namespace {

QString letterFrom(const QString &winner)
{
    return QStringLiteral("木下：「ちぃぃっす。俺っちは伝説の木下。これ、お前にわたしてくれって、預かったぞ。んじゃなー。」\n\r"
                          "あっ！これは")
           + winner
           + QStringLiteral("からのラブレターだ！ぷるもけ！！！！！\n\rゲームはこれでおしまいね。ぷるもけ。中途半端。");
}

/// Runs the ending; true when it ended the program.
bool runEnding()
{
    try {
        RunEnding();
    } catch (const ProgramEnded &) {
        return true;
    }
    return false;
}

} // namespace

class EndingTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

private slots:
    void init()
    {
        services = &freshGame();
        FriendName = PresetFriendName();
    }

    void highestScoreOfAtLeastSixteenWins_data()
    {
        QTest::addColumn<QString>("friendName");
        QTest::addColumn<Scores>("scores");
        QTest::addColumn<QString>("winner"); // empty: nobody came
        const QString preset = QStringLiteral("富士崎　緒詩里");
        QTest::newRow("tie goes to the friend") << preset << Scores{0, 16, 16, 0} << preset;
        QTest::newRow("fifteens fail") << preset << Scores{0, 15, 15, 15} << QString();
        QTest::newRow("tie of two and three") << preset << Scores{0, -5, 20, 20} << "武比山　保毛美";
        QTest::newRow("third alone") << preset << Scores{0, 3, 8, 16} << "河馬之小路　おヨネ ";
        QTest::newRow("all far below") << preset << Scores{0, -999, -1000, -32768} << QString();
        QTest::newRow("friend named like heroine two")
            << "武比山　保毛美" << Scores{0, 40, 0, 0} << "武比山　保毛美";
        QTest::newRow("strange name") << "<i>😀</i>\t名前" << Scores{0, 20, 0, 0} << "<i>😀</i>\t名前";
    }

    void highestScoreOfAtLeastSixteenWins()
    {
        QFETCH(QString, friendName);
        QFETCH(Scores, scores);
        QFETCH(QString, winner);
        FriendName = friendName;
        Score = scores;
        const bool ended = runEnding();
        QCOMPARE(services->boxes.first().title, QStringLiteral("卒業式"));
        if (winner.isEmpty()) {
            QVERIFY(ended);
            QCOMPARE(services->exitStatus, 0);
            QCOMPARE(services->boxes.size(), 2);
            QCOMPARE(services->boxes[1].title, QStringLiteral("あれ？"));
            QVERIFY(!forms::loaded<Form5>());
        } else {
            QVERIFY(!ended);
            QCOMPARE(services->boxes.size(), 1);
            Form5 *ending = forms::loaded<Form5>();
            QVERIFY(ending && ending->isVisible());
            QCOMPARE(ending->Label1->caption(), letterFrom(winner));
            // The whole letter shows in the game's face: nothing is cut off.
            const Label *letter = ending->Label1;
            QCOMPARE(QFontInfo(letter->font()).family(), QStringLiteral("IPAPGothic"));
            QVERIFY2(letter->heightForWidth(letter->width()) <= letter->height(),
                     qPrintable(QString::number(letter->heightForWidth(letter->width()))));
        }
    }

    void letterShowsEachLineBreakAsOneBreak()
    {
        Score = {0, 0, 16, 0};
        runEnding();
        const Label *letter = forms::loaded<Form5>()->Label1;
        QCOMPARE(letter->caption().count(QStringLiteral("\n\r")), 2);
        QVERIFY(!letter->text().contains(QLatin1Char('\r')));
        QCOMPARE(letter->text().count(QLatin1Char('\n')), 2);
        QVERIFY(!letter->text().contains(QStringLiteral("\n\n")));
    }

    void endingWindowIsCentredBeforeItsPictureLoads()
    {
        Score = {0, 20, 0, 0};
        runEnding();
        Form5 &ending = *forms::loaded<Form5>();
        QCOMPARE(ending.windowTitle(), QStringLiteral("伝説の樹の下"));
        QCOMPARE(ending.size(), twips::toPixels(QSize(4500, 5010)));
        QCOMPARE(ending.minimumSize(), ending.maximumSize());
        QVERIFY(!ending.hasTaskbarEntry());
        QCOMPARE(ending.Label1->geometry(), inTwips(120, 3720, 4215, 1215));
        QVERIFY(ending.Label1->autoFillBackground());
        QCOMPARE(ending.clientArea->picture().size(), QSize(300, 334));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QSize outer = ending.size().grownBy(services->frame);
        QVERIFY(qAbs(ending.geometry().x() - services->frame.left() - (screen.width() - outer.width()) / 2) <= 1);
        QVERIFY(qAbs(ending.geometry().y() - services->frame.top() - (screen.height() - outer.height()) / 2) <= 1);
    }

    void longLetterIsCutOffAndTheWindowKeepsItsSize()
    {
        FriendName = QString(3000, QChar(0x3042));
        Score = {0, 20, 0, 0};
        runEnding();
        Form5 &ending = *forms::loaded<Form5>();
        QCOMPARE(ending.size(), twips::toPixels(QSize(4500, 5010)));
        QCOMPARE(ending.Label1->geometry(), inTwips(120, 3720, 4215, 1215));
    }

    void closingTheEndingWindowEndsTheProgram_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close button") << false;
        QTest::newRow("Escape") << true;
    }

    void closingTheEndingWindowEndsTheProgram()
    {
        QFETCH(bool, escape);
        Score = {0, 20, 0, 0};
        forms::load<Form3>();
        forms::hide<Form3>();
        runEnding();
        QTest::keyClick(forms::loaded<Form5>(), Qt::Key_A);
        QVERIFY(!services->ended);
        if (escape)
            QTest::keyClick(forms::loaded<Form5>(), Qt::Key_Escape);
        else
            requestClose(forms::loaded<Form5>());
        QVERIFY(services->ended);
        QCOMPARE(services->exitStatus, 0);
    }

    void aMissingEndingPictureIsReportedAndNoLetterShows()
    {
        QTemporaryDir dir;
        usePictureFolderWith(dir, QStringLiteral("Title2.BMP"));
        Score = {0, 20, 0, 0};
        guarded([] { RunEnding(); });
        QCOMPARE(services->exitStatus, 1);
        QCOMPARE(services->boxes.last().kind, Box::Kind::Error);
        QVERIFY(services->boxes.last().text.contains(QStringLiteral("Title2.BMP")));
        QVERIFY(!forms::loaded<Form5>());
        QDir::setCurrent(pictureFolder());
    }

    void aWholeGameStoppedOnTheFairEndsWithTheFriendsLetter()
    {
        services->inputAnswers = {QStringLiteral("ぷる山　ぷるも美")};
        services->onTurn = [] {
            if (SchoolYear == 1 && Month == 9 && Day == 9)
                press(forms::loaded<Form1>()->Command1);
        };
        playFromTitle();
        QVERIFY(!services->ended);
        QCOMPARE(Score, (Scores{0, 20, 0, 0}));
        Form5 *ending = forms::loaded<Form5>();
        QVERIFY(ending);
        QCOMPARE(ending->Label1->caption(), letterFrom(QStringLiteral("ぷる山　ぷるも美")));
        QVERIFY(!forms::loaded<Form1>());
        QVERIFY(forms::loaded<Form3>()->isHidden());
        requestClose(ending);
        QCOMPARE(services->exitStatus, 0);
    }
};

QTEST_MAIN(EndingTest)
#include "tst_ending.moc"
