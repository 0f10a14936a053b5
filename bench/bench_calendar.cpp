// The calendar with the real windows: how fast it can run without a pace,
// how closely the paced calendar keeps to the screen's frames and what it
// costs, beside a bare Qt loop doing the same work at the same pace, and
// what a stopped day costs while it waits for the next button. Prints
// figures; asserts nothing. Run it on an X server with a window manager.
#include "game/calendar.h"
#include "game/module1.h"
#include "game/opening.h"
#include "services/qtservices.h"
#include "services/runtimeerror.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/forms.h"
#include "windows/picturebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Turns = 1079;

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

/// The real platform, except that the ending returns instead of ending the
/// process, the calendar may run without its pace, and the lateness of
/// each paced turn and the wait for the next button are measured.
class BenchServices : public QtServices
{
public:
    void messageBox(const QString &, BoxIcon, const QString &) override {}
    [[noreturn]] void endProgram(int status) override { throw ProgramEnded{status}; }

    void awaitNextTurn(const QWidget &window) override
    {
        if (!paced) {
            QCoreApplication::processEvents();
            if (std::exchange(stopInThisTurn, false)) {
                // The player stops time, and lets it run on three seconds later.
                game::TimeStopped = game::True;
                QTimer::singleShot(3000, [] { forms::loaded<Form3>()->Command1->click(); });
            }
            return;
        }
        QtServices::awaitNextTurn(window);
        lateness.push_back(pace().lastLateness());
    }

    void waitForEvents() override
    {
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QtServices::waitForEvents();
        waitCpu += cpuSeconds() - cpu;
        waitWall += double(wall.nsecsElapsed()) / 1e9;
    }

    bool paced = false;
    /// Whether time stops in the next turn, as the stop button does.
    bool stopInThisTurn = false;
    std::vector<qint64> lateness;
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
    game::FriendName = game::PresetFriendName();
    forms::load<Form1>();
    game::LoadEventPictures();
}

struct Run
{
    double wall = 0; // seconds
    double cpu = 0;  // seconds
};

template <class Body>
Run measure(Body body)
{
    const double cpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    body();
    return {double(wall.nsecsElapsed()) / 1e9, cpuSeconds() - cpu};
}

void printPaced(const char *what, const Run &run, std::vector<qint64> lateness)
{
    std::sort(lateness.begin(), lateness.end());
    auto ms = [&](double share) {
        const auto i = std::min(lateness.size() - 1, size_t(share * double(lateness.size() - 1)));
        return double(lateness[i]) / 1e6;
    };
    std::printf("%s: %zu turns in %.2f s; late against the slot: median %.3f ms, 99th percentile "
                "%.3f ms, worst %.3f ms; CPU %.1f%% of one core (%.1f us per turn)\n",
                what, lateness.size(), run.wall, ms(0.5), ms(0.99), ms(1.0),
                run.cpu / run.wall * 100, run.cpu / double(lateness.size()) * 1e6);
}

/// The floor: the same work as a calendar turn, with nothing of the game,
/// paced by the same platform.
Run bareLoop(BenchServices &services, std::vector<qint64> &lateness)
{
    QWidget window;
    auto *year = new QLabel(&window);
    auto *date = new QLabel(&window);
    auto *picture = new QLabel(&window);
    year->setGeometry(176, 16, 57, 25);
    date->setGeometry(192, 48, 65, 17);
    picture->setGeometry(8, 8, 160, 120);
    window.resize(290, 140);
    window.show();
    const Form1 &pictures = forms::load<Form1>();
    return measure([&] {
        services.startPace();
        for (int turn = 0; turn < Turns; ++turn) {
            services.QtServices::awaitNextTurn(window);
            lateness.push_back(services.pace().lastLateness());
            year->setText(QString::number(turn % 3 + 1) + QStringLiteral("年目"));
            date->setText(QString::number(turn % 12 + 1) + QStringLiteral("月") + QString::number(turn % 28 + 1)
                          + QStringLiteral("日"));
            picture->setPixmap(pictures.Image1[turn % 16]->picture());
            window.repaint();
        }
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchServices services;
    installPlatform(&services);
    services.seedRandom();
    std::printf("platform %s, screen refresh %.1f Hz\n", qPrintable(QGuiApplication::platformName()),
                QGuiApplication::primaryScreen()->refreshRate());

    constexpr int Runs = 5;
    Run best{1e9, 1e9};
    for (int run = 0; run < Runs; ++run) {
        freshGame();
        const Run r = measure(playCalendar);
        best = {std::min(best.wall, r.wall), std::min(best.cpu, r.cpu)};
    }
    std::printf("unpaced calendar: %d turns in %.3f s (best of %d): %.0f turns/s, %.1f us CPU per turn\n",
                Turns, best.wall, Runs, Turns / best.wall, best.cpu / Turns * 1e6);

    freshGame();
    services.paced = true;
    const Run paced = measure(playCalendar);
    printPaced("paced calendar", paced, services.lateness);
    std::vector<qint64> bareLateness;
    freshGame();
    const Run bare = bareLoop(services, bareLateness);
    printPaced("bare Qt loop  ", bare, bareLateness);

    // Stop on the first day and let the next button come three seconds
    // later. The stop comes in the calendar's first turn: the calendar
    // lets time run when it starts.
    freshGame();
    services.paced = false;
    services.stopInThisTurn = true;
    playCalendar();
    std::printf("stopped day: waited %.2f s using %.3f s CPU: %.2f%% of one core\n",
                services.waitWall, services.waitCpu, services.waitCpu / services.waitWall * 100);
    std::fflush(stdout);
    return 0;
}
