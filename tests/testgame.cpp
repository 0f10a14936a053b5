#include "tests/testgame.h"

#include "game/calendar.h"
#include "game/module1.h"
#include "game/opening.h"
#include "services/twips.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/forms.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QScreen>
#include <QTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

void freshGame(ScriptedServices &services)
{
    // Deleting one window can take others with it (its menus), hence QPointer.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    game::ResetState();
    installPlatform(&services);
    QDir::setCurrent(pictureFolder());
}

ScriptedServices &freshGame()
{
    static std::unique_ptr<ScriptedServices> services;
    auto next = std::make_unique<ScriptedServices>();
    freshGame(*next);
    services = std::move(next);
    return *services;
}

void loadMainWindowWithPictures()
{
    forms::load<Form1>();
    game::LoadEventPictures();
}

int playCalendar()
{
    try {
        game::RunCalendar();
    } catch (const ProgramEnded &end) {
        return end.status;
    }
    return -1;
}

void press(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QString pictureFolder()
{
    return QStringLiteral(PURUMOKE_RUN_DIR);
}

void requestClose(QWidget *window)
{
    QCloseEvent close;
    QApplication::sendEvent(window, &close);
}

void playFromTitle()
{
    if (!forms::loaded<Form2>())
        guarded(game::Main);
    if (Form2 *title = forms::loaded<Form2>())
        title->mnustart->trigger();
}

void usePictureFolderWith(QTemporaryDir &dir, const QString &missing, const QString &broken)
{
    QStringList names = {QStringLiteral("title1.BMP"), QStringLiteral("Title2.BMP")};
    for (int i = 0; i <= 15; ++i)
        names.append(game::EventPictureName(i));
    for (const QString &name : names) {
        if (name == missing)
            continue;
        if (name == broken) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::WriteOnly))
                file.write("BM this is not a picture");
            continue;
        }
        QFile::copy(pictureFolder() + QLatin1Char('/') + name, dir.filePath(name));
    }
    QDir::setCurrent(dir.path());
}

QRect inTwips(int left, int top, int width, int height)
{
    return twips::toPixels(left, top, width, height);
}

void useAccessibility(bool on)
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on);
}

QScreen *useMonitors(QRect primary, QRect other, double density)
{
    // The offscreen platform tells screens apart by name, and the one that
    // was there first, named "", stays the primary one. The density comes
    // from Qt's own scaling of a monitor of more dots per inch: the same on
    // every Qt, whereas the platform's own ratio reaches the windows only
    // on some.
    auto monitor = [density](const QString &name, QRect place) {
        const QSize dots = place.size() * density;
        return QJsonObject{{"name", name},         {"x", place.x()},           {"y", place.y()},
                           {"width", dots.width()}, {"height", dots.height()}, {"logicalDpi", 96 * density}};
    };
    QJsonArray monitors{monitor(QString(), primary)};
    if (!other.isEmpty())
        monitors.append(monitor(QStringLiteral("other"), other));
    using SetConfiguration = void (*)(const QJsonObject &, QPlatformNativeInterface *);
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    const auto set = reinterpret_cast<SetConfiguration>(native->nativeResourceForIntegration("setConfiguration"));
    if (!set)
        qFatal("the offscreen platform takes no monitors here");
    set(QJsonObject{{"screens", monitors}}, native);
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            return screen;
    }
    return nullptr;
}

void useOneMonitor()
{
    useMonitors(QRect(0, 0, 800, 800));
}

namespace {

// Qt 6.7 renamed the platform's report of the window with the keyboard.
template <class Platform>
auto reportFocus(QWindow *window, int) -> decltype(Platform::handleFocusWindowChanged(window, Qt::OtherFocusReason))
{
    Platform::handleFocusWindowChanged(window, Qt::ActiveWindowFocusReason);
}
template <class Platform>
void reportFocus(QWindow *window, long)
{
    Platform::handleWindowActivated(window, Qt::ActiveWindowFocusReason);
}

} // namespace

void focusAnotherProgram()
{
    reportFocus<QWindowSystemInterface>(nullptr, 0);
    QWindowSystemInterface::flushWindowSystemEvents();
}

