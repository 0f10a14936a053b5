#include "services/qtservices.h"

#include "services/windowing.h"
#include "services/runtimeerror.h"
#include "services/x11desktop.h"
#include "windows/form.h"

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>

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
}

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
    if (!form.testAttribute(Qt::WA_ShowWithoutActivating) && windowing::programArrangesWindows())
        form.activateWindow();
}

void QtServices::showModal(Form &form)
{
    form.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&form, &Form::unloaded, &loop, &QEventLoop::quit);
    showWindow(form);
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
    const int kind = int(form.border());
    auto known = m_frames.find(kind);
    if (known == m_frames.end()) {
        // Asked once per border kind: the answer cannot change.
        auto &window = const_cast<Form &>(form);
        const QMargins device = x11::requestFrameExtents(&window).value_or(QMargins());
        // The window manager counts the screen's pixels; on a high-density
        // screen the windows are placed in Qt's larger ones.
        const qreal ratio = window.devicePixelRatioF();
        const QMargins frame(qRound(device.left() / ratio), qRound(device.top() / ratio),
                             qRound(device.right() / ratio), qRound(device.bottom() / ratio));
        known = m_frames.emplace(kind, frame).first;
    }
    return known->second;
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
