#pragma once

#include "services/qtservices.h"
#include "services/windowing.h"
#include "services/windowreports.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include <utility>

/// A box of the game, centred by its outer size on the monitor where the
/// game is. Without a parent window Qt would put it on the monitor under
/// the pointer, which may be another one than the game's.
template <class Box>
class GameBox : public Box
{
public:
    template <class... Arguments>
    explicit GameBox(QtServices &services, QScreen *screen, Arguments &&...arguments)
        : Box(std::forward<Arguments>(arguments)...)
        , m_services(services)
        , m_screen(screen)
    {
        this->setScreen(screen);
        // Some window managers tell another frame for a box once they have
        // framed it, or later, than they told before, and some place a new
        // window their own way: it is centred again once framed, whenever
        // its frame is told anew and whenever the window manager puts it
        // elsewhere while it settles it, but not once the player has moved it.
        WindowReports &reports = WindowReports::of(*this);
        QObject::connect(&reports, &WindowReports::frameTold, this, [this] { centre(); });
        QObject::connect(&reports, &WindowReports::misplaced, this, [this] { centre(); });
        m_untilFramed.setInterval(10);
        m_untilFramed.callOnTimeout(this, [this, &reports] {
            const bool framed = reports.isFramed();
            if (framed || m_waited.hasExpired(2000))
                m_untilFramed.stop();
            if (framed) {
                centre();
                reports.watchSettling();
            }
        });
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        // The box takes its size here, and Qt places it.
        Box::showEvent(event);
        if (!m_screen || !windowing::programArrangesWindows())
            return;
        centre();
        m_waited.start();
        m_untilFramed.start();
    }

private:
    void centre()
    {
        WindowReports &reports = WindowReports::of(*this);
        if (reports.movedByPlayer())
            return;
        const QMargins frame = m_services.frameMargins(*this);
        const QRect monitor = m_screen->geometry();
        const QSize outer = this->size().grownBy(frame);
        const QPoint outerTopLeft = monitor.topLeft()
                                    + QPoint((monitor.width() - outer.width()) / 2,
                                             (monitor.height() - outer.height()) / 2);
        this->setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), this->size()));
        reports.placed();
    }

    QtServices &m_services;
    QPointer<QScreen> m_screen;
    QTimer m_untilFramed;
    QElapsedTimer m_waited;
};
