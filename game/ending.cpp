#include "game/ending.h"

#include "game/module1.h"
#include "services/services.h"
#include "windows/form5.h"
#include "windows/forms.h"
#include "windows/label.h"

#include <QCoreApplication>

namespace game {

namespace {

/// A best score of 15 or less means nobody waits under the tree.
constexpr qint16 WinningScore = 16;

QString Letter(const QString &winner)
{
    return WithLineBreaks(QCoreApplication::translate(
                              "Game",
                              "木下：「ちぃぃっす。俺っちは伝説の木下。これ、お前にわたしてくれって、預かったぞ。んじゃなー。」\n"
                              "あっ！これは%1からのラブレターだ！ぷるもけ！！！！！\n"
                              "ゲームはこれでおしまいね。ぷるもけ。中途半端。"))
        .arg(winner);
}

} // namespace

void RunEnding()
{
    platform().messageBox(
        QCoreApplication::translate("Game", "さて、松本松本、じゃねーよ！、いよいよ、卒業式の日だ。"
                                            "伝説の樹の下でチミに告白するために待っているのはどの娘かな！？！？"),
        BoxIcon::Information, QCoreApplication::translate("Game", "卒業式"));

    // Only a strictly higher score takes the lead: a tie goes to the
    // heroine with the lower index.
    QString winner;
    qint16 best = -999;
    const QString names[4] = {QString(), FriendName, HeroineTwo(), HeroineThree()};
    for (int i = 1; i <= 3; ++i) {
        if (Score[i] > best) {
            winner = names[i];
            best = Score[i];
        }
    }

    if (best < WinningScore) {
        platform().messageBox(
            QCoreApplication::translate("Game", "…ありゃ？伝説の樹の下にだれもいないっすよ？３年間何してきたの?"
                                                "もうちょっと、生活をエンジョイしなきゃ。やりなおし！！"),
            BoxIcon::Question, QCoreApplication::translate("Game", "あれ？"));
        platform().endProgram(0);
    }

    Form5 &ending = forms::show<Form5>();
    ending.Label1->setCaption(Letter(winner));
}

} // namespace game
