// The time from starting the game's process to its title window being
// mapped on the X server, in the language the game is told to speak.
//   bench_startup GAME [RUNS [ja|en]]   (needs an X display, e.g. under xvfb-run)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

/// Milliseconds until the next window appears on the screen, or -1.
double waitForMap(xcb_connection_t *c, const QElapsedTimer &since, int timeoutMs)
{
    while (since.elapsed() < timeoutMs) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped)
                return double(since.nsecsElapsed()) / 1e6;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_startup GAME [RUNS [ja|en]]\n");
        return 2;
    }
    const QString game = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    const QString language = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("ja");

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "bench_startup: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        QElapsedTimer since;
        since.start();
        process.start(game, {QStringLiteral("--language=") + language});
        const double shown = waitForMap(c, since, 10000);
        process.kill();
        process.waitForFinished();
        // Let the unmapping of this run's windows pass before the next one.
        while (xcb_generic_event_t *event = xcb_poll_for_event(c))
            std::free(event);
        if (shown >= 0)
            times.push_back(shown);
    }
    xcb_disconnect(c);
    if (times.empty()) {
        std::fprintf(stderr, "bench_startup: the title window never appeared\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to title window (%s): median %.1f ms, best %.1f ms, worst %.1f ms (%zu runs)\n",
                qPrintable(language), times[times.size() / 2], times.front(), times.back(), times.size());
    return 0;
}
