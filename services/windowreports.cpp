#include "services/windowreports.h"

#include "services/services.h"
#include "services/x11desktop.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

WindowReports::WindowReports(QWidget &window)
    : QObject(&window)
    , m_window(window)
{
    // The monitor is known from the native window, made when it is shown.
    window.installEventFilter(this);
}

WindowReports &WindowReports::of(QWidget &window)
{
    if (WindowReports *reports = find(window))
        return *reports;
    return *new WindowReports(window);
}

WindowReports *WindowReports::find(QWidget &window)
{
    return window.findChild<WindowReports *>(QString(), Qt::FindDirectChildrenOnly);
}

QMargins WindowReports::frame() const
{
    return platform().frameMargins(m_window);
}

bool WindowReports::isFramed() const
{
    if (!m_window.isVisible())
        return false;
    if (const auto viewable = x11::isViewable(&m_window))
        return *viewable;
    const QWindow *handle = m_window.windowHandle();
    return handle && handle->isExposed();
}

QPoint WindowReports::where() const
{
    return m_window.geometry().topLeft();
}

void WindowReports::placed()
{
    m_placedAt = where();
}

void WindowReports::watchSettling()
{
    if (m_watching)
        return;
    m_watching = true;
    // A window manager places a new window its own way, if it does, before
    // it has shown it where the program asked; once it has, a move the
    // program did not make is the player's, however soon it comes.
    for (int later : SettlingLooks) {
        QTimer::singleShot(later, this, [this, last = later == SettlingLooks.back()] {
            if (m_settled || !isFramed())
                return;
            if (where() == m_placedAt) {
                m_settled = true;
                return;
            }
            emit misplaced();
            // The window manager has had its time by the last look.
            m_settled = last;
        });
    }
}

bool WindowReports::movedByPlayer() const
{
    return m_settled && where() != m_placedAt;
}

bool WindowReports::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Show) {
        if (QWindow *handle = m_window.windowHandle())
            connect(handle, &QWindow::screenChanged, this, &WindowReports::screenChanged, Qt::UniqueConnection);
    }
    return false;
}
