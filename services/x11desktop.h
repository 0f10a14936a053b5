#pragma once

#include <QMargins>

#include <optional>

class QWidget;

/// What the X11 window manager needs to be told directly; every function
/// does nothing (or answers nothing) on other platforms.
namespace x11 {

/// Marks an unmapped window to be left out of the taskbar. Call before
/// every show: window managers drop the state when a window is withdrawn.
void setSkipTaskbar(QWidget *window);

/// Asks the window manager which frame it will put around a window that
/// is not mapped yet; nothing when it does not answer in time.
std::optional<QMargins> requestFrameExtents(QWidget *window);

} // namespace x11
