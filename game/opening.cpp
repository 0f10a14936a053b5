#include "game/opening.h"

#include "game/calendar.h"
#include "game/module1.h"
#include "services/services.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/forms.h"
#include "windows/picturebox.h"

#include <QCoreApplication>

namespace game {

namespace {

// The boxes' texts; each line break in them is the game's own (LF, CR).

QString FirstInstructions()
{
    return WithLineBreaks(QCoreApplication::translate(
        "Game",
        "このゲームの目的は、ちょっとぷるもけだから、よく聞け。\n"
        "チミは、今日、晴れて（雨でもね）「聖プルモ高校」に入学したっす。"
        "これから卒業（鳩森ミツオ、桐谷ナナミ、梅園サキ、柚原ヨシエとかが歌ってたアレだ。）までの3年間、"
        "チミの前に現れる女の子（いわゆる「同級生-elseif-(C)ROQ」ってやつだ）と仲良し"
        "こよしになって（いつも思うのだが「こよし」ってなんだ？）、楽しいハイスクール"
        "ララバイ（取り消し）ライフをおくってくれたまへ。\n"));
}

QString SecondInstructions()
{
    return WithLineBreaks(QCoreApplication::translate(
        "Game",
        "そして卒業式の日、校庭の「伝説の樹」の下で、最高に仲良しこよし（いつも思うのだが以下略）"
        "の女の子から愛の告白を受けるのだ。チミは目的の女の子からの告白を受けることが"
        "できるのかしら？（なぜ女になる＜俺）"));
}

QString ThirdInstructions()
{
    return WithLineBreaks(QCoreApplication::translate(
        "Game",
        "３年間なんて、あっという間だぞ。ほんと、早いもんだよ。"
        "そんな短いときの中で、精いっぱいがんばってくれっす。\n"
        "それでは、えんぢょい、プルモケライフ！"));
}

QString NamePrompt()
{
    return QCoreApplication::translate(
        "Game",
        "特別に、登場人物の一人であるところの（関係代名詞）、「チミの幼なじみ」の女の子の名前を決めさせてやろうぢゃないか。"
        "目いっぱいぷるもけな名前がいいぞ。あ、「ぷる山　ぷるも子」ってのは俺、予約ね。（俺って誰）");
}

QString Confirmation()
{
    // The name goes in last, as typed: nothing in it is read as a line
    // break or a placeholder.
    return WithLineBreaks(QCoreApplication::translate(
                              "Game",
                              "%1でいいんだな？よし。もう変えさせないぞ。\n"
                              "じゃ、ファイル読み込むからしばらく待ちやがりませ。んで、いきなりゲームが始まるから驚くな。\n"
                              "3年間なんて本当に早いからな。一瞬一瞬を大事にケロヨン。じゃなくて、大事にしろよん。"))
        .arg(FriendName);
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
    ui.messageBox(FirstInstructions(), BoxIcon::Information, QCoreApplication::translate("Game", "説明なのねん (1/3)"));
    ui.messageBox(SecondInstructions(), BoxIcon::Information, QCoreApplication::translate("Game", "説明なのねん (2/3)"));
    ui.messageBox(ThirdInstructions(), BoxIcon::Information, QCoreApplication::translate("Game", "説明なのねん (3/3)"));

    // Cancelling the box or leaving it empty keeps the preset name; any
    // other answer is kept exactly as typed.
    const QString answer =
        ui.inputBox(NamePrompt(), QCoreApplication::translate("Game", "大サーヴィス"), PresetFriendName());
    FriendName = answer.isEmpty() ? PresetFriendName() : answer;
    ui.messageBox(Confirmation(), BoxIcon::Information, QCoreApplication::translate("Game", "Here we GO!"));

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
