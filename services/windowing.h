#pragma once

/// The windowing platform the game runs on, and what it lets the game do.
namespace windowing {

/// Asks Qt for X11 first where an X server is there (on a Wayland desktop,
/// its Xwayland server) and for native Wayland after it, because the game
/// places its own windows and only X lets a program do that. A platform the
/// player chose in QT_QPA_PLATFORM stays. Call before the application
/// object is made.
void preferX11();

/// Whether the program may place, activate and mark its own windows. A
/// Wayland compositor keeps all of that to itself, and Qt complains about
/// such requests there.
bool programArrangesWindows();

} // namespace windowing
