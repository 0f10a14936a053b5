#pragma once

#include <QMargins>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

class QAbstractNativeEventFilter;
class QWidget;

/// What the X11 window manager needs to be told directly; every function
/// does nothing (or answers nothing) on other platforms.
namespace x11 {

/// Marks an unmapped window to be left out of the taskbar, in a way every
/// window manager keeps once it maps the window. Call before every show:
/// window managers drop the state when a window is withdrawn.
void setSkipTaskbar(QWidget *window);

/// Asks the window manager which frame it will put around a window that
/// is not mapped yet; nothing when it does not answer in time.
std::optional<QMargins> requestFrameExtents(QWidget *window);

/// The frame the window manager has last said it puts around a window,
/// in the screen's pixels; nothing when it has said nothing yet.
std::optional<QMargins> frameExtents(QWidget *window);

/// Whether the window manager has mapped a window into its frame, so
/// that it is on the screen; nothing off X11.
std::optional<bool> isViewable(QWidget *window);

/// The window the window manager names as the active one, 0 for none;
/// nothing off X11 or where it does not say.
std::optional<quintptr> activeWindow();

/// Calls back, from the event loop, whenever the window manager says
/// anew which frame it puts around one of the program's windows, for as
/// long as the returned filter lives; nothing off X11.
std::unique_ptr<QAbstractNativeEventFilter> watchFrames(std::function<void(QWidget *window)> changed);

} // namespace x11
