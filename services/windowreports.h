#pragma once

#include <QMargins>
#include <QObject>

class QWidget;

/// What the desktop tells of one top-level window of the program: the frame
/// the window manager draws around it, and as it happens, that it has put
/// the window on the screen in its frame, that it has told another frame
/// for it, or that the window has moved to another monitor. Where a window
/// goes is for the window to decide; this only reports. It lives as a child
/// of its window.
class WindowReports : public QObject
{
    Q_OBJECT

public:
    /// The reports on a window, started on first use.
    static WindowReports &of(QWidget &window);
    /// The reports on a window, when something has asked for them.
    static WindowReports *find(QWidget &window);

    /// The frame the window manager draws (or will draw) around the window,
    /// in the window's pixels.
    QMargins frame() const;
    /// Whether the window is shown and on the screen in its frame: on X11,
    /// mapped into it; elsewhere, exposed.
    bool isFramed() const;

signals:
    /// The window manager has put a window just shown on the screen in its
    /// frame (emitted only where the program arranges its windows).
    void framed();
    /// The window manager has told the frame of a framed window anew; it
    /// may be another one than before.
    void frameTold();
    /// The window is now on another monitor, whose density may change its
    /// frame in the window's pixels.
    void screenChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowReports(QWidget &window);
    QWidget &m_window;
};
