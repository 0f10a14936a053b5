#include "game/scenes.h"

#include "game/events.h"
#include "game/module1.h"
#include "windows/form3.h"
#include "windows/forms.h"

#include <QCoreApplication>

#include <cstdlib>

namespace game {

namespace {

struct Scene
{
    const char *place;
    int heroine; // 1 is the friend, 2 and 3 the fixed heroines
    qint16 change;
    const char *line;
    const char *answer;
};

// The script's texts as written; a scene shows them in the language the
// game speaks (see said()).
// One scene per event number; events 2 and 3 have variants, below.
constexpr Scene Script[16] = {
    {QT_TRANSLATE_NOOP("Scenes", "学校"), 1, 1,
     QT_TRANSLATE_NOOP("Scenes", "勉強教えてね。ついでに、宿題も写させてね。ついでに、弁当かってこい。"),
     QT_TRANSLATE_NOOP("Scenes", "ぷるもけ！")},
    {QT_TRANSLATE_NOOP("Scenes", "学校"), 2, 1,
     QT_TRANSLATE_NOOP("Scenes", "この授業、つまらないね。教科書もやしちゃおうかしら。"),
     QT_TRANSLATE_NOOP("Scenes", "ほげー！")},
    {QT_TRANSLATE_NOOP("Scenes", "学校"), 3, 1,
     nullptr,
     QT_TRANSLATE_NOOP("Scenes", "どしぇー！")},
    {QT_TRANSLATE_NOOP("Scenes", "秋葉原"), 1, 2,
     nullptr,
     nullptr},
    {QT_TRANSLATE_NOOP("Scenes", "遊園地"), 2, 2,
     QT_TRANSLATE_NOOP("Scenes", "ひゃっほう。黒ねずみ退治だ、うっひゃっほう。"),
     QT_TRANSLATE_NOOP("Scenes", "そうだね。東京ネズミーランドに来てやることといったらネズミ退治くらいだもんね。")},
    {QT_TRANSLATE_NOOP("Scenes", "映画館"), 2, -5,
     QT_TRANSLATE_NOOP("Scenes", "やっぱり、映画は無声映画に限るわね。あなた、将来弁士になってよ。"),
     QT_TRANSLATE_NOOP("Scenes", "食いはぐれるー！")},
    {QT_TRANSLATE_NOOP("Scenes", "コンサート会場"), 1, -5,
     QT_TRANSLATE_NOOP("Scenes", "うれしいなぁ！スリーベルズのコンサート！"),
     QT_TRANSLATE_NOOP("Scenes", "ミモザーズのがいいなぁ…")},
    {QT_TRANSLATE_NOOP("Scenes", "プール"), 2, 3,
     QT_TRANSLATE_NOOP("Scenes", "うひゃっほ！犬掻きしかできないのれーす。"),
     QT_TRANSLATE_NOOP("Scenes", "典型的な目赤！！")},
    {QT_TRANSLATE_NOOP("Scenes", "スキー"), 3, 3,
     QT_TRANSLATE_NOOP("Scenes", "目指せ！時速６５０ｋｍ！"),
     QT_TRANSLATE_NOOP("Scenes", "しかもボーゲン！")},
    {QT_TRANSLATE_NOOP("Scenes", "縁日"), 1, 20,
     QT_TRANSLATE_NOOP("Scenes", "似合う？般若の面。"),
     QT_TRANSLATE_NOOP("Scenes", "うっわぁ！ゲン海原もハダシで逃げ出すね！")},
    {QT_TRANSLATE_NOOP("Scenes", "公園"), 1, -1,
     QT_TRANSLATE_NOOP("Scenes", "公園でデートといえば、ソフトクリームなめ。れーら。"),
     QT_TRANSLATE_NOOP("Scenes", "俺にもくれよう！")},
    {QT_TRANSLATE_NOOP("Scenes", "水族館"), 1, -1,
     QT_TRANSLATE_NOOP("Scenes", "すしのネタ探すなら水族館よね！"),
     QT_TRANSLATE_NOOP("Scenes", "（そうか、この絵水族館だったのか）")},
    {QT_TRANSLATE_NOOP("Scenes", "動物園"), 2, 2,
     QT_TRANSLATE_NOOP("Scenes", "動物園に来るとアフリカを思い出すわ！第2の故郷とはありがたいものです。"),
     QT_TRANSLATE_NOOP("Scenes", "なお、帰りのかばんにはまだ若干の余裕が…")},
    {QT_TRANSLATE_NOOP("Scenes", "体育祭"), 1, 10,
     QT_TRANSLATE_NOOP("Scenes", "あら、フォークダンスの相手はあなたなのね。うひょひょ。"),
     QT_TRANSLATE_NOOP("Scenes", "イカス！")},
    {QT_TRANSLATE_NOOP("Scenes", "体育祭"), 2, 10,
     QT_TRANSLATE_NOOP("Scenes", "あら、フォークダンスの相手はあなたなのね。うひょひょ。"),
     QT_TRANSLATE_NOOP("Scenes", "恋のチャンス！")},
    {QT_TRANSLATE_NOOP("Scenes", "文化祭"), 3, 10,
     QT_TRANSLATE_NOOP("Scenes", "へいらっしゃい！"),
     QT_TRANSLATE_NOOP("Scenes", "ギャグがこてこてでわかりにくいけど、これ文化祭ね。")},
};

constexpr const char *SchoolSkipLines[2] = {
    QT_TRANSLATE_NOOP("Scenes", "午後の授業はフケて、花屋敷で饅頭一気ぐい大会しない？"),
    QT_TRANSLATE_NOOP("Scenes", "午後の授業はフケて、念仏寺で饅頭一気ぐい大会しない？"),
};

struct Exchange
{
    const char *line;
    const char *answer;
};

constexpr Exchange NewGameExchanges[3] = {
    {QT_TRANSLATE_NOOP("Scenes", "ねぇ、欲しいものがあるの、ＳＥＧＥの新作ゲーム、「ゲイツ」！"),
     QT_TRANSLATE_NOOP("Scenes", "をを！「ソニックザヒッチコック」の続編のあれに目をつけるとは！")},
    {QT_TRANSLATE_NOOP("Scenes", "ねぇ、欲しいものがあるの、ＥＲＦの新作ゲーム、「荒業～endif～」！"), QT_TRANSLATE_NOOP("Scenes", "をを！元ネタみんなわかるのか？！")},
    {QT_TRANSLATE_NOOP("Scenes", "ねぇ、欲しいものがあるの、任天丼の新作ゲーム、「スーパーフリオ６５」！"),
     QT_TRANSLATE_NOOP("Scenes", "をを！メタルフリオや空飛ぶフリオなど、見たくもないフリオをぐりぐりあんあん！")},
};

QString heroineName(int heroine)
{
    switch (heroine) {
    case 1:
        return FriendName;
    case 2:
        return HeroineTwo();
    default:
        return HeroineThree();
    }
}

/// A text of the script in the language the game speaks.
QString said(const char *text)
{
    return text ? QCoreApplication::translate("Scenes", text) : QString();
}

} // namespace

QString EventPlace(qint16 event)
{
    if (event < 0 || event > 15)
        return {};
    return said(Script[event].place);
}

void PlayEvent(qint16 event)
{
    if (event < 0 || event > 15)
        return;
    const Scene &scene = Script[event];
    QString line = said(scene.line);
    QString answer = said(scene.answer);
    if (event == 2) {
        line = said(SchoolSkipLines[RandomUpTo(2) - 1]);
    } else if (event == 3) {
        const Exchange &exchange = NewGameExchanges[RandomUpTo(3) - 1];
        line = said(exchange.line);
        answer = said(exchange.answer);
    }
    ShowScene(heroineName(scene.heroine), line, answer, scene.change, said(scene.place));
}

void ShowScene(const QString &name, const QString &line, const QString &answer,
               qint16 change, const QString &place)
{
    Form3 &messages = forms::load<Form3>();
    messages.Cls();
    // Each line is filled in one pass: whatever the player typed as the
    // friend's name is printed as it is, "%1" and all.
    messages.Print(QCoreApplication::translate("Scenes", "［%1］").arg(place));
    messages.Print(QCoreApplication::translate("Scenes", "%1：「%2」").arg(name, line));
    messages.Print(answer);
    const QString size = QString::number(std::abs(int(change)));
    messages.Print(change < 0 ? QCoreApplication::translate("Scenes", "%1のぷるもけ度が%2下がった。").arg(name, size)
                              : QCoreApplication::translate("Scenes", "%1のぷるもけ度が%2上がった。").arg(name, size));

    if (name == FriendName)
        Score[1] = Add16(Score[1], change);
    else if (name == HeroineTwo())
        Score[2] = Add16(Score[2], change);
    else if (name == HeroineThree())
        Score[3] = Add16(Score[3], change);
}

} // namespace game
