#pragma once

#include "services/services.h"

#include "services/framepace.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>

class QAbstractNativeEventFilter;
class QScreen;
class ScreenReaderWatch;

/// The game's platform on a real desktop, through Qt.
class QtServices : public Services
{
public:
    /// The program ends only when the game says so, never because no
    /// window happens to be visible.
    QtServices();
    ~QtServices() override;

    void seedRandom() override;
    float nextRandom() override;

    void showWindow(QWidget &window, bool taskbarEntry) override;
    void showModal(QWidget &window, bool taskbarEntry) override;
    void activateWindow(QWidget &window) override;
    void hideWindow(QWidget &window) override;
    QMargins frameMargins(const QWidget &window) override;

    void startPace() override;
    void awaitNextTurn(const QWidget &window) override;
    void waitForEvents() override;
    bool screenReaderOn() override;
    /// Follows the screen reader on the desktop's session bus from now on;
    /// until this is called, none is on.
    void followScreenReader();

    void messageBox(const QString &text, BoxIcon icon, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &preset) override;

    QPixmap loadPicture(const QString &fileName, qreal deviceRatio) override;

    [[noreturn]] void endProgram(int status) override;
    [[noreturn]] void reportRuntimeError(const RuntimeError &error) override;

    /// The calendar's pace, for benchmarks.
    const FramePace &pace() const { return m_pace; }

protected:
    /// The frame the window manager has said it draws around a window, in
    /// the screen's pixels; when it has said nothing yet and may ask, it is
    /// asked. Nothing when it does not say.
    virtual std::optional<QMargins> desktopFrame(QWidget &window, bool mayAsk);
    /// The window manager has told the frame of a window anew.
    void frameTold(QWidget &window);
    /// The monitor where the game is, where its boxes open: that of the
    /// window with the keyboard, or when none has it, of the last window
    /// that had it, wherever that has moved since; the primary one at first.
    QScreen *gameScreen() const;

private:
    /// Handles events until the window manager has framed a window just
    /// shown, or has taken too long.
    void awaitFraming(const QPointer<QWidget> &window);
    /// Handles events until the window manager no longer has a window just
    /// hidden as the active one, or has taken too long.
    void awaitRelease(const QPointer<QWidget> &window);
    /// Gives the keyboard, once a box has closed, back to the window that
    /// had it before the box opened, if that is still shown.
    void giveKeyboardBack(QWidget &box, const QPointer<QWidget> &had);

    QRandomGenerator m_random;
    FramePace m_pace;
    QElapsedTimer m_clock;
    QTimer m_wakeUp;
    // The window manager's frame for each kind of window (its flags), in
    // the screen's pixels, once it has said.
    std::map<int, QMargins> m_frames;
    std::unique_ptr<QAbstractNativeEventFilter> m_frameWatcher;
    std::unique_ptr<ScreenReaderWatch> m_screenReader;
    QObject m_focusWatch;
    QPointer<QScreen> m_gameScreen;
    QMetaObject::Connection m_followFocus;
};

/// The game's faces: the proportional Gothic at 9 points for every window,
/// button, menu and box, the fixed-pitch one where a window asks for it.
void useGameFonts();

/// A uniform random number strictly below 1 from 24 random bits, so that
/// it stays below 1 when rounded to single precision.
float unitFloat(quint32 bits);
