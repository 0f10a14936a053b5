#pragma once

#include <QString>

/// The windowing platform the game runs on, and what it lets the game do.
namespace windowing {

/// Asks Qt for X11 first where an X server is there (on a Wayland desktop,
/// its Xwayland server) and for native Wayland after it, because the game
/// places its own windows and only X lets a program do that. A platform the
/// player chose in QT_QPA_PLATFORM stays. Call before the application
/// object is made.
void preferX11();

/// Why none of the platforms Qt is about to try can open a display, as
/// the line the program prints before it gives up; empty when one of them
/// can, or when a platform needs no display. Call after preferX11() and
/// before the application object is made, which would abort without one.
QString missingDisplay();

/// Whether the program may place, activate and mark its own windows. A
/// Wayland compositor keeps all of that to itself, and Qt complains about
/// such requests there.
bool programArrangesWindows();

} // namespace windowing
