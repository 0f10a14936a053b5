#pragma once

#include <QMargins>
#include <QPixmap>
#include <QString>

class QWidget;
class RuntimeError;

/// The icon of a message box.
enum class BoxIcon { Information, Question };

/// Why a window is being unloaded.
enum class UnloadReason : qint16 {
    PlayerClose = 0, ///< the player closed it from its title bar or control menu
    ProgramCode = 1, ///< the program unloaded it
};

/// The platform operations the game calls: windows, dialogs, pictures,
/// event processing and random numbers. The real program runs on QtServices;
/// tests run on a scripted implementation.
class Services
{
public:
    virtual ~Services() = default;

    /// Starts a new random sequence from the clock.
    virtual void seedRandom() = 0;
    /// The next random number, uniform and strictly below 1.
    virtual float nextRandom() = 0;

    /// Shows a top-level window and returns at once; one without a taskbar
    /// entry is kept off the desktop's taskbar. Where the program arranges
    /// its windows, it returns once the window manager has framed the
    /// window (or has taken too long), and its WindowReports say so.
    virtual void showWindow(QWidget &window, bool taskbarEntry) = 0;
    /// Shows a top-level window as showWindow does and returns when it has
    /// been hidden or destroyed; meanwhile only that window takes input.
    virtual void showModal(QWidget &window, bool taskbarEntry) = 0;
    /// Makes a shown window the active one, so that the player's next key
    /// goes to its focus widget.
    virtual void activateWindow(QWidget &window) = 0;
    /// Hides a window.
    virtual void hideWindow(QWidget &window) = 0;
    /// The frame the window manager gives (or will give) a top-level window
    /// around its client area, in the window's pixels.
    virtual QMargins frameMargins(const QWidget &window) = 0;

    /// Begins a new stretch of running days: the next turn is due at once.
    virtual void startPace() = 0;
    /// Waits until the next turn of the calendar is due, one refresh of the
    /// screen that shows the window after the last, handling events as they
    /// come; then handles every pending event and returns.
    virtual void awaitNextTurn(const QWidget &window) = 0;
    /// Handles pending events, sleeping until at least one arrives.
    virtual void waitForEvents() = 0;
    /// Whether a screen reader is on now (see ScreenReaderWatch); it may be
    /// started or quit while the game runs.
    virtual bool screenReaderOn() = 0;

    /// A modal message box with one OK button.
    virtual void messageBox(const QString &text, BoxIcon icon, const QString &title) = 0;
    /// A modal input box; returns the edited text, or empty text when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &preset) = 0;

    /// Reads a picture file named relative to the working directory for a
    /// window of the given device pixel ratio (see readPictureFile); throws
    /// a picture-loading RuntimeError naming the file when it fails.
    virtual QPixmap loadPicture(const QString &fileName, qreal deviceRatio) = 0;

    /// Ends the program at once: windows vanish and no handler runs.
    [[noreturn]] virtual void endProgram(int status) = 0;
    /// Shows the run-time error report for an error nobody handled, then
    /// ends the program with a non-zero status.
    [[noreturn]] virtual void reportRuntimeError(const RuntimeError &error) = 0;
};

/// The services the game runs on. Installed once by main() or by a test.
Services &platform();
void installPlatform(Services *services);

/// Shared picture loading: reads a BMP (or other picture Qt reads) from
/// the working directory, throwing a picture-loading RuntimeError that
/// names the file and the reason when it cannot. For a window of a device
/// pixel ratio of 1.5 or more, the drawing at twice the size beside it
/// (EVE00@2x.BMP beside EVE00.BMP) is shown instead when it loads and is
/// exactly twice as large; a missing or bad one is passed over quietly.
/// In an English game the picture of that name in the folder en/ beside it
/// comes first when there is one (en/EVE00.BMP, and en/EVE00@2x.BMP for
/// its finer drawing), and is the one reported when it cannot be read.
QPixmap readPictureFile(const QString &fileName, qreal deviceRatio = 1.0);

/// A message-box or letter text as shown on screen: the game's line break,
/// LF followed by CR, is one line break.
QString displayText(const QString &text);
