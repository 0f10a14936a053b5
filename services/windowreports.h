#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>

#include <array>

class QWidget;

/// What the desktop tells of one top-level window of the program: the frame
/// the window manager draws around it, and as it happens, that it has put
/// the window on the screen in its frame, that it has told another frame
/// for it, that the window has moved to another monitor, or that the window
/// manager has put a new window elsewhere than the program did. Where a
/// window goes is for the window to decide; this only reports. It lives as
/// a child of its window.
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

    /// The program has put the window where it wants it.
    void placed();
    /// Looks at a window just framed a few times while the window manager
    /// settles it: until it is found where the program last put it, it is
    /// still being settled, and each time it is found elsewhere the window
    /// manager has placed it its own way (misplaced is emitted).
    void watchSettling();
    /// When the window is looked at while it settles, in milliseconds after
    /// watchSettling.
    static constexpr std::array<int, 3> SettlingLooks{100, 400, 1500};
    /// Whether the player has moved the window: it is elsewhere than the
    /// program last put it, after the window manager had settled it there.
    bool movedByPlayer() const;

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
    /// The window manager has put a window it is still settling elsewhere
    /// than the program did, its own way.
    void misplaced();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowReports(QWidget &window);
    QPoint where() const;

    QWidget &m_window;
    QPoint m_placedAt;
    bool m_settled = false;
    bool m_watching = false;
};
