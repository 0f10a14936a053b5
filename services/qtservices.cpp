#include "services/qtservices.h"

#include "services/windowing.h"
#include "services/runtimeerror.h"
#include "services/x11desktop.h"
#include "windows/form.h"

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

void useQtTranslations(const QLocale &locale)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
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
        m_frameWatcher = x11::watchFrames([this](QWidget *window) { frameChanged(window); });
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

void QtServices::showWindow(Form &form)
{
    if (!form.hasTaskbarEntry())
        x11::setSkipTaskbar(&form);
    form.show();
    if (!windowing::programArrangesWindows())
        return;
    if (!form.testAttribute(Qt::WA_ShowWithoutActivating))
        form.activateWindow();
    // Once framed, the window is placed for the frames known by then: its
    // own, and the main window's for the message window below it. Events
    // are handled meanwhile, so the window may be gone.
    const QPointer<Form> shown(&form);
    awaitFraming(shown);
    if (!shown)
        return;
    placeAgain(*shown);
    // Some window managers place a new window their own way a little after
    // they have mapped it, whatever the program asked for: the window is
    // placed again a few times while the player settles in.
    for (int later : {100, 400, 1500}) {
        QTimer::singleShot(later, &m_wakeUp, [this, shown] {
            if (shown && !shown->isUnloaded() && isFramed(*shown))
                placeAgain(*shown);
        });
    }
}

void QtServices::awaitFraming(const QPointer<Form> &window)
{
    // Once the window manager has framed the window it maps it; one that
    // never frames it gets a little patience and no more.
    constexpr int Patience = 2000;
    QElapsedTimer waited;
    waited.start();
    while (window && !isFramed(*window) && waited.elapsed() < Patience) {
        m_wakeUp.start(10);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

bool QtServices::isFramed(const QWidget &window)
{
    if (!window.isVisible())
        return false;
    // On X11, mapped into its frame; elsewhere, shown on the screen.
    if (const auto viewable = x11::isViewable(const_cast<QWidget *>(&window)))
        return *viewable;
    const QWindow *handle = window.windowHandle();
    return handle && handle->isExposed();
}

void QtServices::showModal(Form &form)
{
    form.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&form, &Form::unloaded, &loop, &QEventLoop::quit);
    const QPointer<Form> shown(&form);
    showWindow(form);
    // A quick player may have closed it while the window manager framed it.
    if (shown && !shown->isUnloaded())
        loop.exec();
}

void QtServices::activateWindow(Form &form)
{
    form.focusFirstControl();
    // A Wayland compositor activates windows itself; there the focus waits
    // on the control for when the player comes to the window.
    if (windowing::programArrangesWindows()) {
        form.raise();
        form.activateWindow();
    }
}

void QtServices::hideWindow(Form &form)
{
    form.hide();
}

QMargins QtServices::frameMargins(const Form &form)
{
    auto &window = const_cast<Form &>(form);
    const int kind = int(form.border());
    // What the window manager has said of this window; it holds for every
    // later window of its kind as well. Before it has said anything it is
    // asked once per kind.
    std::optional<QMargins> device = x11::frameExtents(&window);
    if (!device && !m_frames.contains(kind))
        device = x11::requestFrameExtents(&window).value_or(QMargins());
    if (device) {
        // The window manager counts the screen's pixels; on a high-density
        // screen the windows are placed in Qt's larger ones.
        const qreal ratio = window.devicePixelRatioF();
        m_frames[kind] = QMargins(qRound(device->left() / ratio), qRound(device->top() / ratio),
                                  qRound(device->right() / ratio), qRound(device->bottom() / ratio));
    }
    return m_frames[kind];
}

void QtServices::frameChanged(QWidget *window)
{
    // A frame said before the window is mapped may still change, and some
    // window managers move a window while they map it: the window is
    // placed again only once it is framed (see showWindow).
    auto *form = qobject_cast<Form *>(window);
    if (!form || form->isUnloaded() || !isFramed(*form) || frameMargins(*form) == form->placedFor())
        return;
    // Some window managers tell the frame late, or tell one for another
    // kind of window than they then draw.
    placeAgain(*form);
}

void QtServices::placeAgain(Form &form)
{
    // Every other framed window follows, since the message window's place
    // follows the main window's; one still being framed is placed once it
    // is (see showWindow).
    form.placeOnScreen();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *other : windows) {
        auto *framed = qobject_cast<Form *>(other);
        if (framed && framed != &form && !framed->isUnloaded() && isFramed(*framed))
            framed->placeOnScreen();
    }
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

void QtServices::messageBox(const QString &text, BoxIcon icon, const QString &title)
{
    QMessageBox box(icon == BoxIcon::Question ? QMessageBox::Question : QMessageBox::Information,
                    title, displayText(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString QtServices::inputBox(const QString &prompt, const QString &title, const QString &preset)
{
    QInputDialog dialog;
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(preset);
    // The prompt is long: let it wrap instead of widening the box.
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
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
    QMessageBox box(QMessageBox::Critical, QStringLiteral("実行時エラー"), error.message(),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    QtServices::endProgram(1);
}
