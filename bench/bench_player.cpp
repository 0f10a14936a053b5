// Is the game winnable by skill? A model player watches the paced calendar
// and presses the stop button a human reaction time (250 ms, spread 50 ms)
// after the day it waits for comes up on screen, aiming at the days that
// raise the childhood friend's liking most: the fair on 10 and 11
// September (+20) and the folk dance on 9 October (+10). Each game runs on
// the scripted platform without a pace; the model counts one screen
// refresh per turn. Prints win rates; asserts nothing.
#include "game/module1.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form5.h"
#include "windows/forms.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace {

using Date = std::pair<qint16, qint16>; // month, day

constexpr int Games = 200;
constexpr double Reaction = 0.250; // seconds
constexpr double ReactionSpread = 0.050;

/// The days the player wants time to stop on.
const std::vector<Date> Targets = {{9, 10}, {10, 9}};

Date daysBefore(Date date, int days)
{
    for (int i = 0; i < days; ++i)
        date = dayBefore(date.first, date.second);
    return date;
}

struct Result
{
    int letters = 0;      // games that ended with a letter
    int friendLetters = 0; // ... from the heroine the player aimed at
    int stops = 0;
};

/// Plays one game; the player's reactions come from its own generator.
void play(quint32 seed, double refreshRate, std::mt19937 &player, Result &result)
{
    ScriptedServices &services = freshGame();
    services.seed = seed;
    const double frame = 1.0 / refreshRate;
    // A stop lands on the day shown when the press is handled, so the
    // player starts its reaction as many days before the target as a
    // typical reaction lasts.
    const int lead = int(std::ceil(Reaction / frame));
    std::vector<Date> cues;
    for (const Date &target : Targets)
        cues.push_back(daysBefore(target, lead));

    std::normal_distribution<double> reaction(Reaction, ReactionSpread);
    std::optional<double> pressAt;
    int turn = 0;
    services.onTurn = [&] {
        using namespace game;
        // This turn starts one frame after the last; the date on screen
        // came up with the last turn.
        const double now = turn * frame;
        ++turn;
        if (pressAt && *pressAt <= now) {
            pressAt.reset();
            press(forms::loaded<Form1>()->Command1);
            ++result.stops;
            return;
        }
        if (!pressAt && std::find(cues.begin(), cues.end(), Date{Month, Day}) != cues.end())
            pressAt = now - frame + std::max(0.0, reaction(player));
    };
    playFromTitle();
    if (forms::loaded<Form5>()) {
        ++result.letters;
        const auto &s = game::Score;
        if (s[1] >= s[2] && s[1] >= s[3])
            ++result.friendLetters;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Hundreds of games on the offscreen platform: its complaints about
    // raising windows would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    for (double rate : {60.0, 144.0}) {
        Result result;
        std::mt19937 player(1234);
        for (int game = 0; game < Games; ++game)
            play(quint32(1000 + game), rate, player, result);
        std::printf("model player at %.0f Hz: %d games, %.1f%% won (%.1f%% by the friend), "
                    "%.1f stops per game\n",
                    rate, Games, 100.0 * result.letters / Games, 100.0 * result.friendLetters / Games,
                    double(result.stops) / Games);
    }
    return 0;
}
