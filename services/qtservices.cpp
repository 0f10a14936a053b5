#include "services/qtservices.h"

#include "services/gamebox.h"
#include "services/windowing.h"
#include "services/runtimeerror.h"
#include "services/screenreader.h"
#include "services/textmessagebox.h"
#include "services/x11desktop.h"
#include "services/windowreports.h"

#include <QApplication>
#include <QAbstractNativeEventFilter>
#include <QDateTime>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTranslator>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

float unitFloat(quint32 bits)
{
    return float(bits >> 8) * (1.0f / 16777216.0f);
}

void useGameFonts()
{
    // The windows are laid out for Japanese Gothic faces whose 9-point lines
    // are 13 pixels high; the IPA faces keep those metrics, and Noto CJK
    // covers what they lack.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
}

QtServices::QtServices()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    useGameFonts();
    m_clock.start();
    // Only wakes the calendar's wait; the turn itself runs in awaitNextTurn.
    m_wakeUp.setSingleShot(true);
    m_wakeUp.setTimerType(Qt::PreciseTimer);
    if (windowing::programArrangesWindows())
        m_frameWatcher = x11::watchFrames([this](QWidget *window) { frameTold(*window); });
    // The window with the keyboard is followed across the monitors, also
    // once it has lost the keyboard by going: the boxes at the end of the
    // calendar open where the main window was.
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &m_focusWatch, [this](QWindow *focus) {
        if (!focus)
            return;
        QObject::disconnect(m_followFocus);
        m_gameScreen = focus->screen();
        m_followFocus = QObject::connect(focus, &QWindow::screenChanged, &m_focusWatch,
                                         [this](QScreen *screen) { m_gameScreen = screen; });
    });
}

QtServices::~QtServices() = default;

void QtServices::seedRandom()
{
    m_random.seed(quint32(QDateTime::currentMSecsSinceEpoch()));
}

float QtServices::nextRandom()
{
    return unitFloat(m_random.generate());
}

void QtServices::showWindow(QWidget &window, bool taskbarEntry)
{
    if (!taskbarEntry)
        x11::setSkipTaskbar(&window);
    WindowReports &reports = WindowReports::of(window);
    window.show();
    if (!windowing::programArrangesWindows())
        return;
    if (!window.testAttribute(Qt::WA_ShowWithoutActivating))
        window.activateWindow();
    // Events are handled meanwhile, so the window may be gone.
    const QPointer<QWidget> shown(&window);
    awaitFraming(shown);
    if (shown && reports.isFramed())
        emit reports.framed();
}

void QtServices::awaitFraming(const QPointer<QWidget> &window)
{
    // Once the window manager has framed the window it maps it; one that
    // never frames it gets a little patience and no more.
    constexpr int Patience = 2000;
    QElapsedTimer waited;
    waited.start();
    while (window && !WindowReports::of(*window).isFramed() && waited.elapsed() < Patience) {
        m_wakeUp.start(10);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

namespace {

/// Ends a modal window's event loop once the window is hidden.
class UntilHidden : public QObject
{
public:
    UntilHidden(QWidget &window, QEventLoop &loop)
        : m_loop(loop)
    {
        window.installEventFilter(this);
        connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window manager's minimising hides it too, but leaves it shown.
        if (event->type() == QEvent::Hide && static_cast<QWidget *>(watched)->isHidden())
            m_loop.quit();
        return false;
    }

private:
    QEventLoop &m_loop;
};

} // namespace

void QtServices::showModal(QWidget &window, bool taskbarEntry)
{
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    UntilHidden until(window, loop);
    const QPointer<QWidget> shown(&window);
    showWindow(window, taskbarEntry);
    // A quick player may have closed it while the window manager framed it.
    if (shown && !shown->isHidden())
        loop.exec();
    awaitRelease(shown);
}

void QtServices::awaitRelease(const QPointer<QWidget> &window)
{
    // Some window managers (Xfce's) hand the activation on to a window of
    // their choice once they have taken a closed window down, whatever the
    // program asked for meanwhile, and refuse a later request that carries
    // an older time than theirs. So the game goes on only once another
    // window is active, and once it has taken in the events sent before
    // the answer that said so: they bring the server's time of the change.
    constexpr int Patience = 1000;
    QElapsedTimer waited;
    waited.start();
    auto held = [&window] {
        const std::optional<quintptr> active = x11::activeWindow();
        return active && (*active == 0 || *active == window->winId());
    };
    while (window && held() && waited.elapsed() < Patience) {
        m_wakeUp.start(10);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents();
}

void QtServices::activateWindow(QWidget &window)
{
    // A Wayland compositor activates windows itself; there the focus waits
    // on its widget for when the player comes to the window.
    if (windowing::programArrangesWindows()) {
        window.raise();
        window.activateWindow();
    }
}

void QtServices::hideWindow(QWidget &window)
{
    window.hide();
}

std::optional<QMargins> QtServices::desktopFrame(QWidget &window, bool mayAsk)
{
    std::optional<QMargins> said = x11::frameExtents(&window);
    if (!said && mayAsk)
        said = x11::requestFrameExtents(&window).value_or(QMargins());
    return said;
}

QMargins QtServices::frameMargins(const QWidget &constWindow)
{
    auto &window = const_cast<QWidget &>(constWindow);
    const int kind = int(window.windowFlags());
    // What the window manager has said of this window; it holds for every
    // later window of its kind as well. Before it has said anything it is
    // asked once per kind.
    if (const std::optional<QMargins> said = desktopFrame(window, !m_frames.contains(kind)))
        m_frames[kind] = *said;
    // The window manager counts the screen's pixels; on a high-density
    // screen the windows are placed in Qt's larger ones.
    const QMargins device = m_frames[kind];
    const qreal ratio = window.devicePixelRatioF();
    return QMargins(qRound(device.left() / ratio), qRound(device.top() / ratio), qRound(device.right() / ratio),
                    qRound(device.bottom() / ratio));
}

void QtServices::frameTold(QWidget &window)
{
    // A frame said before the window is mapped may still change, and some
    // window managers move a window while they map it: a window still being
    // framed is placed once it is (its framed report).
    WindowReports *reports = WindowReports::find(window);
    if (reports && reports->isFramed())
        emit reports->frameTold();
}

void QtServices::startPace()
{
    m_pace.restart();
}

void QtServices::awaitNextTurn(const QWidget &window)
{
    const QScreen *screen = window.screen();
    const qint64 interval = frameInterval(screen ? screen->refreshRate() : 0);
    // Sleeps in the event loop until the turn is due. A handler may restart
    // the pace meanwhile (a modal window closed), so the slot is asked anew
    // after every wake-up.
    for (;;) {
        const qint64 now = m_clock.nsecsElapsed();
        const qint64 wait = m_pace.due(now, interval) - now;
        if (wait <= 0)
            break;
        // Rounded up: the turn starts at its slot, never before it.
        m_wakeUp.start(int((wait + 999'999) / 1'000'000));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    m_pace.turnStarted(m_clock.nsecsElapsed());
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtServices::waitForEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool QtServices::screenReaderOn()
{
    return m_screenReader && m_screenReader->isOn();
}

void QtServices::followScreenReader()
{
    m_screenReader = std::make_unique<ScreenReaderWatch>(QDBusConnection::sessionBus());
}

QScreen *QtServices::gameScreen() const
{
    if (QWindow *focus = QGuiApplication::focusWindow())
        return focus->screen();
    return m_gameScreen ? m_gameScreen.data() : QGuiApplication::primaryScreen();
}

void QtServices::giveKeyboardBack(QWidget &box, const QPointer<QWidget> &had)
{
    if (!had || !had->isVisible())
        return;
    // Some window managers (openbox) give the keyboard to no window once a
    // box has gone, others to one of their choice a moment later: it is
    // asked for at once, and again once the window manager has let the box go.
    activateWindow(*had);
    awaitRelease(&box);
    if (had && had->isVisible() && QApplication::activeWindow() != had)
        activateWindow(*had);
}

void QtServices::messageBox(const QString &text, BoxIcon icon, const QString &title)
{
    const QPointer<QWidget> had = QApplication::activeWindow();
    GameBox<TextMessageBox> box(*this, gameScreen(),
                                icon == BoxIcon::Question ? QMessageBox::Question : QMessageBox::Information,
                                title, displayText(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    // A screen reader tells a box by its description, or by its text when
    // nothing had the keyboard before it; newer ones no longer look for the
    // text among the box's labels. The label of the message labels the box,
    // so that an older one does not read it after the description again.
    // (None of the game's messages has an ampersand, which a label with a
    // buddy would take for a shortcut.)
    box.setAccessibleDescription(box.text());
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setBuddy(&box);
    box.exec();
    giveKeyboardBack(box, had);
}

QString QtServices::inputBox(const QString &prompt, const QString &title, const QString &preset)
{
    const QPointer<QWidget> had = QApplication::activeWindow();
    GameBox<QInputDialog> dialog(*this, gameScreen());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(preset);
    // The prompt is long: let it wrap instead of widening the box.
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveKeyboardBack(dialog, had);
    return accepted ? dialog.textValue() : QString();
}

QPixmap QtServices::loadPicture(const QString &fileName, qreal deviceRatio)
{
    return readPictureFile(fileName, deviceRatio);
}

void QtServices::endProgram(int status)
{
    // Nothing of the game may run any more: no handler, no destructor.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

void QtServices::reportRuntimeError(const RuntimeError &error)
{
    GameBox<QMessageBox> box(*this, gameScreen(), QMessageBox::Critical,
                             QCoreApplication::translate("RuntimeError", "実行時エラー"),
                             error.message(), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    QtServices::endProgram(1);
}
