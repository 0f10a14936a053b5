#include "game/opening.h"

#include "game/calendar.h"
#include "game/module1.h"
#include "services/services.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/forms.h"
#include "windows/picturebox.h"

namespace game {

namespace {

/// The game's line break inside box texts: LF, then CR.
const QString Break = QStringLiteral("\n\r");

QString FirstInstructions()
{
    return QStringLiteral("このゲームの目的は、ちょっとぷるもけだから、よく聞け。") + Break
           + QStringLiteral("チミは、今日、晴れて（雨でもね）「聖プルモ高校」に入学したっす。")
           + QStringLiteral("これから卒業（鳩森ミツオ、桐谷ナナミ、梅園サキ、柚原ヨシエとかが歌ってたアレだ。）までの3年間、")
           + QStringLiteral("チミの前に現れる女の子（いわゆる「同級生-elseif-(C)ROQ」ってやつだ）と仲良し")
           + QStringLiteral("こよしになって（いつも思うのだが「こよし」ってなんだ？）、楽しいハイスクール")
           + QStringLiteral("ララバイ（取り消し）ライフをおくってくれたまへ。") + Break;
}

QString SecondInstructions()
{
    return QStringLiteral("そして卒業式の日、校庭の「伝説の樹」の下で、最高に仲良しこよし（いつも思うのだが以下略）")
           + QStringLiteral("の女の子から愛の告白を受けるのだ。チミは目的の女の子からの告白を受けることが")
           + QStringLiteral("できるのかしら？（なぜ女になる＜俺）");
}

QString ThirdInstructions()
{
    return QStringLiteral("３年間なんて、あっという間だぞ。ほんと、早いもんだよ。")
           + QStringLiteral("そんな短いときの中で、精いっぱいがんばってくれっす。") + Break
           + QStringLiteral("それでは、えんぢょい、プルモケライフ！");
}

const QString NamePrompt = QStringLiteral(
    "特別に、登場人物の一人であるところの（関係代名詞）、「チミの幼なじみ」の女の子の名前を決めさせてやろうぢゃないか。"
    "目いっぱいぷるもけな名前がいいぞ。あ、「ぷる山　ぷるも子」ってのは俺、予約ね。（俺って誰）");

QString Confirmation()
{
    return FriendName + QStringLiteral("でいいんだな？よし。もう変えさせないぞ。") + Break
           + QStringLiteral("じゃ、ファイル読み込むからしばらく待ちやがりませ。んで、いきなりゲームが始まるから驚くな。") + Break
           + QStringLiteral("3年間なんて本当に早いからな。一瞬一瞬を大事にケロヨン。じゃなくて、大事にしろよん。");
}

} // namespace

void Main()
{
    platform().seedRandom();
    forms::show<Form2>();
}

void StartGame()
{
    forms::unload<Form2>();
    Services &ui = platform();
    ui.messageBox(FirstInstructions(), BoxIcon::Information, QStringLiteral("説明なのねん (1/3)"));
    ui.messageBox(SecondInstructions(), BoxIcon::Information, QStringLiteral("説明なのねん (2/3)"));
    ui.messageBox(ThirdInstructions(), BoxIcon::Information, QStringLiteral("説明なのねん (3/3)"));

    // Cancelling the box or leaving it empty keeps the preset name; any
    // other answer is kept exactly as typed.
    const QString answer = ui.inputBox(NamePrompt, QStringLiteral("大サーヴィス"), PresetFriendName);
    FriendName = answer.isEmpty() ? PresetFriendName : answer;
    ui.messageBox(Confirmation(), BoxIcon::Information, QStringLiteral("Here we GO!"));

    forms::load<Form1>();
    LoadEventPictures();
    RunCalendar();
}

QString EventPictureName(int i)
{
    return QStringLiteral("EVE%1.BMP").arg(i, 2, 10, QLatin1Char('0'));
}

void LoadEventPictures()
{
    Form1 &main = forms::load<Form1>();
    // Drawn for the screen the main window is on (finer on a dense one).
    const qreal ratio = main.devicePixelRatioF();
    for (int i = 0; i <= 15; ++i)
        main.Image1[i]->setPicture(platform().loadPicture(EventPictureName(i), ratio));
}

} // namespace game
