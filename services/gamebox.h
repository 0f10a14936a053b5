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
        // framed it, or later, than they told before: it is centred again
        // once framed, and whenever its frame is told anew.
        QObject::connect(&WindowReports::of(*this), &WindowReports::frameTold, this, [this] { centre(); });
        m_untilFramed.setInterval(10);
        m_untilFramed.callOnTimeout(this, [this] {
            const bool framed = WindowReports::of(*this).isFramed();
            if (framed || m_waited.hasExpired(2000))
                m_untilFramed.stop();
            if (framed)
                centre();
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
        const QMargins frame = m_services.frameMargins(*this);
        const QRect monitor = m_screen->geometry();
        const QSize outer = this->size().grownBy(frame);
        const QPoint outerTopLeft = monitor.topLeft()
                                    + QPoint((monitor.width() - outer.width()) / 2,
                                             (monitor.height() - outer.height()) / 2);
        this->setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), this->size()));
    }

    QtServices &m_services;
    QPointer<QScreen> m_screen;
    QTimer m_untilFramed;
    QElapsedTimer m_waited;
};
