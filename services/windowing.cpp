#include "services/windowing.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <xcb/xcb.h>

namespace windowing {

namespace {

/// Why no X server answers at DISPLAY, or nothing when one does.
QString x11Missing()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("X11: DISPLAY is not set");
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers ? QString() : QStringLiteral("X11: no X server at %1").arg(display);
}

/// Why there is no Wayland compositor to connect to, or nothing when its
/// socket is there: where the Wayland library looks for it, WAYLAND_DISPLAY
/// (wayland-0 by default) in XDG_RUNTIME_DIR unless it is a path itself.
QString waylandMissing()
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return {}; // handed a connection that is already open
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!QDir::isAbsolutePath(name) && runtimeDir.isEmpty())
        return QStringLiteral("Wayland: XDG_RUNTIME_DIR is not set");
    const QString socket = QDir(runtimeDir).filePath(name);
    return QFileInfo::exists(socket) ? QString() : QStringLiteral("Wayland: no compositor at %1").arg(socket);
}

} // namespace

void preferX11()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    // Each order still falls back to the other platform; it only spares the
    // warning of a failed connection to an X server that is not there.
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland;xcb" : "xcb;wayland");
}

QString missingDisplay()
{
    QStringList tried;
    // Qt tries the platforms in this order, each with its options after a colon.
    const QStringList platforms = qEnvironmentVariable("QT_QPA_PLATFORM").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &entry : platforms) {
        const QString platform = entry.section(QLatin1Char(':'), 0, 0);
        QString why;
        if (platform == QLatin1String("xcb"))
            why = x11Missing();
        else if (platform.startsWith(QLatin1String("wayland")))
            why = waylandMissing();
        if (why.isEmpty())
            return {};
        tried << why;
    }
    if (tried.isEmpty())
        return {};
    return QStringLiteral("purumoke: no display to show the game on (%1)").arg(tried.join(QLatin1String("; ")));
}

bool programArrangesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace windowing
