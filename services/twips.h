#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

/// Windows and controls are laid out in twips, 1440 to the inch, converted
/// with the screen's logical DPI (15 twips per pixel at 96 DPI).
namespace twips {

constexpr int perInch = 1440;

/// Twips per pixel, horizontally and vertically.
double perPixelX();
double perPixelY();

int toPixelsX(double twips);
int toPixelsY(double twips);
double fromPixelsX(int pixels);
double fromPixelsY(int pixels);

/// A rectangle given as left, top, width and height in twips, in pixels.
QRect toPixels(int left, int top, int width, int height);
QSize toPixels(QSize size);

/// The screen, the primary monitor, in twips: its size, and where it
/// begins on the desk of all monitors.
double screenWidth();
double screenHeight();
double screenLeft();
double screenTop();

} // namespace twips
