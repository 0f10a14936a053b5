#include "services/windowreports.h"

#include "services/services.h"
#include "services/x11desktop.h"

#include <QEvent>
#include <QScreen>
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

bool WindowReports::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Show) {
        if (QWindow *handle = m_window.windowHandle())
            connect(handle, &QWindow::screenChanged, this, &WindowReports::screenChanged, Qt::UniqueConnection);
    }
    return false;
}
