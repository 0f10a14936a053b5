#pragma once

#include "services/runtimeerror.h"
#include "services/services.h"

#include <QAbstractButton>
#include <QWidget>

class WindowReports;

/// A window of the game. Each window is a single instance, created and
/// loaded on first use (which runs Form_Load) and destroyed by unloading;
/// the handlers named after the window's events run the game's reactions.
/// Positions and sizes are in twips; the outer size includes the frame the
/// window manager draws.
class Form : public QWidget
{
    Q_OBJECT

public:
    enum class Border {
        Sizable,         ///< resizable, no control menu
        FixedDialog,     ///< fixed size, title bar with a close button only
        FixedToolWindow, ///< fixed size, narrow title bar with a close button only
    };

    Form(Border border, bool taskbarEntry);

    Border border() const { return m_border; }
    bool hasTaskbarEntry() const { return m_taskbarEntry; }
    bool isUnloaded() const { return m_unloaded; }

    /// Runs when the window is loaded, before it is first shown.
    virtual void Form_Load() {}
    /// Runs first when the window is about to be unloaded; a non-zero
    /// cancel keeps it loaded.
    virtual void Form_QueryUnload(qint16 &cancel, qint16 &unloadMode);
    /// Runs next when the window is about to be unloaded; a non-zero
    /// cancel keeps it loaded.
    virtual void Form_Unload(qint16 &cancel);

    /// Sets the window's size and place on the screen as its load handler
    /// does. Run again once the window manager has framed the window, when
    /// it places the window its own way while it settles it, and whenever it
    /// turns out to draw another frame than the one the window was placed
    /// for (see placeAgain); never once the player has moved the window.
    virtual void placeOnScreen() {}

    /// Runs the unload handlers and destroys the window unless one of them
    /// cancels. Returns whether the window was unloaded.
    bool unload(UnloadReason reason);

    double leftTwips() const;
    double topTwips() const;
    double outerWidthTwips() const;
    double outerHeightTwips() const;
    void setLeftTwips(double left);
    void setTopTwips(double top);
    void setOuterWidthTwips(double width);
    void setOuterHeightTwips(double height);

    /// Gives the keyboard focus to the first control in tab order, or
    /// makes it the one that gets it when the window becomes active.
    void focusFirstControl();

    /// Centring steps of the load handlers: the edge becomes
    /// (screen size - outer size) / 2 on the primary monitor, computed in
    /// single precision.
    void centreHorizontally();
    void centreVertically();

protected:
    /// The laid-out client area, in twips.
    void setClientSizeTwips(int width, int height);
    /// The client area that holds everything laid out in it, in pixels: an
    /// outer size never makes the window smaller, whatever the frame.
    void setLaidOutClientSize(QSize size);
    /// Places a control of the client area, in twips.
    static void place(QWidget *control, int left, int top, int width, int height);
    /// Connects a button to its click handler, run as a guarded handler.
    template <class Handler>
    void onClick(QAbstractButton *button, Handler handler)
    {
        connect(button, &QAbstractButton::clicked, this, [handler] { guarded(handler); });
    }

    /// The player's close request (title-bar close button, Alt+F4).
    void closeEvent(QCloseEvent *event) override;

private:
    /// The frame the window manager draws around the window, in pixels.
    QMargins frame() const;
    void setClientSize(QSize size);
    /// Places the window for the frame it has now, unless the player has
    /// moved it.
    void placeForTheFrame();
    /// Places this window again for the frame it has now, then every other
    /// framed window that has another frame than it was placed for, or all
    /// of them when this one moved, since the message window's place
    /// follows the main window's.
    void placeAgain();
    /// Places the window again when its frame is not the one it was placed for.
    void placeAgainForANewFrame();
    /// Places the window again now that it is framed, and whenever the
    /// window manager puts it elsewhere while it settles it.
    void placeWhileSettling();

    WindowReports *m_reports;
    Border m_border;
    bool m_taskbarEntry;
    bool m_unloaded = false;
    QSize m_laidOut;
    // The frame the window was last placed for, in pixels.
    QMargins m_placedFor;
};
