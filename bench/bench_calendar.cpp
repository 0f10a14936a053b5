// How fast the calendar runs with the real windows, and what a stopped day
// costs while it waits for the next button. Prints figures; asserts nothing.
#include "game/calendar.h"
#include "game/module1.h"
#include "game/opening.h"
#include "services/qtservices.h"
#include "services/runtimeerror.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

/// The real platform, except that the ending returns instead of ending the
/// process, and the wait for the next button is measured.
class BenchServices : public QtServices
{
public:
    void messageBox(const QString &, BoxIcon, const QString &) override {}
    [[noreturn]] void endProgram(int status) override { throw ProgramEnded{status}; }

    void waitForEvents() override
    {
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QtServices::waitForEvents();
        waitCpu += cpuSeconds() - cpu;
        waitWall += double(wall.nsecsElapsed()) / 1e9;
    }

    double waitCpu = 0;
    double waitWall = 0;
};

void playCalendar()
{
    try {
        game::RunCalendar();
    } catch (const ProgramEnded &) {
    }
}

void freshGame()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        delete window;
    game::ResetState();
    game::FriendName = game::PresetFriendName;
    forms::load<Form1>();
    game::LoadEventPictures();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    BenchServices services;
    installPlatform(&services);
    services.seedRandom();

    constexpr int Runs = 5;
    constexpr int Turns = 1079;
    double bestWall = 1e9, bestCpu = 1e9;
    for (int run = 0; run < Runs; ++run) {
        freshGame();
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        playCalendar();
        bestWall = std::min(bestWall, double(wall.nsecsElapsed()) / 1e9);
        bestCpu = std::min(bestCpu, cpuSeconds() - cpu);
    }
    std::printf("calendar: %d turns in %.3f s (best of %d): %.0f turns/s, %.1f us CPU per turn\n",
                Turns, bestWall, Runs, Turns / bestWall, bestCpu / Turns * 1e6);

    // Stop on the first day and let the next button come three seconds later.
    freshGame();
    QTimer::singleShot(0, [] {
        game::TimeStopped = game::True;
        QTimer::singleShot(3000, [] { forms::loaded<Form3>()->Command1->click(); });
    });
    playCalendar();
    std::printf("stopped day: waited %.2f s using %.3f s CPU: %.2f%% of one core\n",
                services.waitWall, services.waitCpu, services.waitCpu / services.waitWall * 100);
    std::fflush(stdout);
    return 0;
}
