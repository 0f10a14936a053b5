#include "game/scenes.h"

#include "game/events.h"
#include "game/module1.h"
#include "windows/form3.h"
#include "windows/forms.h"

#include <cstdlib>

namespace game {

namespace {

struct Scene
{
    const char16_t *place;
    int heroine; // 1 is the friend, 2 and 3 the fixed heroines
    qint16 change;
    const char16_t *line;
    const char16_t *answer;
};

// One scene per event number; events 2 and 3 have variants, below.
constexpr Scene Script[16] = {
    {u"学校", 1, 1, u"勉強教えてね。ついでに、宿題も写させてね。ついでに、弁当かってこい。", u"ぷるもけ！"},
    {u"学校", 2, 1, u"この授業、つまらないね。教科書もやしちゃおうかしら。", u"ほげー！"},
    {u"学校", 3, 1, nullptr, u"どしぇー！"},
    {u"秋葉原", 1, 2, nullptr, nullptr},
    {u"遊園地", 2, 2, u"ひゃっほう。黒ねずみ退治だ、うっひゃっほう。",
     u"そうだね。東京ネズミーランドに来てやることといったらネズミ退治くらいだもんね。"},
    {u"映画館", 2, -5, u"やっぱり、映画は無声映画に限るわね。あなた、将来弁士になってよ。", u"食いはぐれるー！"},
    {u"コンサート会場", 1, -5, u"うれしいなぁ！スリーベルズのコンサート！", u"ミモザーズのがいいなぁ…"},
    {u"プール", 2, 3, u"うひゃっほ！犬掻きしかできないのれーす。", u"典型的な目赤！！"},
    {u"スキー", 3, 3, u"目指せ！時速６５０ｋｍ！", u"しかもボーゲン！"},
    {u"縁日", 1, 20, u"似合う？般若の面。", u"うっわぁ！ゲン海原もハダシで逃げ出すね！"},
    {u"公園", 1, -1, u"公園でデートといえば、ソフトクリームなめ。れーら。", u"俺にもくれよう！"},
    {u"水族館", 1, -1, u"すしのネタ探すなら水族館よね！", u"（そうか、この絵水族館だったのか）"},
    {u"動物園", 2, 2, u"動物園に来るとアフリカを思い出すわ！第2の故郷とはありがたいものです。",
     u"なお、帰りのかばんにはまだ若干の余裕が…"},
    {u"体育祭", 1, 10, u"あら、フォークダンスの相手はあなたなのね。うひょひょ。", u"イカス！"},
    {u"体育祭", 2, 10, u"あら、フォークダンスの相手はあなたなのね。うひょひょ。", u"恋のチャンス！"},
    {u"文化祭", 3, 10, u"へいらっしゃい！", u"ギャグがこてこてでわかりにくいけど、これ文化祭ね。"},
};

constexpr const char16_t *SchoolSkipLines[2] = {
    u"午後の授業はフケて、花屋敷で饅頭一気ぐい大会しない？",
    u"午後の授業はフケて、念仏寺で饅頭一気ぐい大会しない？",
};

struct Exchange
{
    const char16_t *line;
    const char16_t *answer;
};

constexpr Exchange NewGameExchanges[3] = {
    {u"ねぇ、欲しいものがあるの、ＳＥＧＥの新作ゲーム、「ゲイツ」！",
     u"をを！「ソニックザヒッチコック」の続編のあれに目をつけるとは！"},
    {u"ねぇ、欲しいものがあるの、ＥＲＦの新作ゲーム、「荒業～endif～」！", u"をを！元ネタみんなわかるのか？！"},
    {u"ねぇ、欲しいものがあるの、任天丼の新作ゲーム、「スーパーフリオ６５」！",
     u"をを！メタルフリオや空飛ぶフリオなど、見たくもないフリオをぐりぐりあんあん！"},
};

QString heroineName(int heroine)
{
    switch (heroine) {
    case 1:
        return FriendName;
    case 2:
        return HeroineTwo;
    default:
        return HeroineThree;
    }
}

} // namespace

QString EventPlace(qint16 event)
{
    if (event < 0 || event > 15)
        return {};
    return QString::fromUtf16(Script[event].place);
}

void PlayEvent(qint16 event)
{
    if (event < 0 || event > 15)
        return;
    const Scene &scene = Script[event];
    QString line = QString::fromUtf16(scene.line ? scene.line : u"");
    QString answer = QString::fromUtf16(scene.answer ? scene.answer : u"");
    if (event == 2) {
        line = QString::fromUtf16(SchoolSkipLines[RandomUpTo(2) - 1]);
    } else if (event == 3) {
        const Exchange &exchange = NewGameExchanges[RandomUpTo(3) - 1];
        line = QString::fromUtf16(exchange.line);
        answer = QString::fromUtf16(exchange.answer);
    }
    ShowScene(heroineName(scene.heroine), line, answer, scene.change,
              QString::fromUtf16(scene.place));
}

void ShowScene(const QString &name, const QString &line, const QString &answer,
               qint16 change, const QString &place)
{
    Form3 &messages = forms::load<Form3>();
    messages.Cls();
    messages.Print(QStringLiteral("［") + place + QStringLiteral("］"));
    messages.Print(name + QStringLiteral("：「") + line + QStringLiteral("」"));
    messages.Print(answer);
    const QString direction = change < 0 ? QStringLiteral("下がった。") : QStringLiteral("上がった。");
    messages.Print(name + QStringLiteral("のぷるもけ度が") + QString::number(std::abs(int(change))) + direction);

    if (name == FriendName)
        Score[1] = Add16(Score[1], change);
    else if (name == HeroineTwo)
        Score[2] = Add16(Score[2], change);
    else if (name == HeroineThree)
        Score[3] = Add16(Score[3], change);
}

} // namespace game
