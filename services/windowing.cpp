#include "services/windowing.h"

#include <QGuiApplication>

namespace windowing {

void preferX11()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    // Each order still falls back to the other platform; it only spares the
    // warning of a failed connection to an X server that is not there.
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland;xcb" : "xcb;wayland");
}

bool programArrangesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace windowing
