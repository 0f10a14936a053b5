// Peak memory of a whole scripted game: the opening, a stop on every fair,
// folk dance and school festival, the graph opened a hundred times, and the
// ending. Prints figures; asserts nothing.
#include "game/module1.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form4.h"
#include "windows/form5.h"
#include "windows/forms.h"

#include <QApplication>
#include <QPushButton>

#include <sys/resource.h>

#include <cstdio>

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const long atStart = peakKilobytes();

    ScriptedServices services;
    freshGame(services);
    int graphs = 0;
    services.onTurn = [&] {
        using namespace game;
        if ((Month == 9 && Day == 9) || (Month == 10 && Day == 9) || (Month == 11 && Day == 2))
            press(forms::loaded<Form1>()->Command1);
        if (services.turns % 10 == 0 && graphs < 100) {
            ++graphs;
            press(forms::loaded<Form1>()->Command2);
        }
    };
    services.onModal = [](Form &graph) { press(static_cast<Form4 &>(graph).Command1); };
    playFromTitle();

    std::printf("whole scripted game: %d turns, %d stops, %d graph openings, ending %s\n",
                services.turns, services.waits, graphs,
                forms::loaded<Form5>() ? "with a letter" : "without one");
    std::printf("peak memory: %.1f MiB (%.1f MiB before the game)\n", peakKilobytes() / 1024.0,
                atStart / 1024.0);
    return 0;
}
