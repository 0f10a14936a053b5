#include "services/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace twips {

namespace {
QScreen *screen()
{
    return QGuiApplication::primaryScreen();
}
} // namespace

double perPixelX()
{
    return perInch / screen()->logicalDotsPerInchX();
}

double perPixelY()
{
    return perInch / screen()->logicalDotsPerInchY();
}

int toPixelsX(double twips)
{
    return static_cast<int>(std::lround(twips / perPixelX()));
}

int toPixelsY(double twips)
{
    return static_cast<int>(std::lround(twips / perPixelY()));
}

double fromPixelsX(int pixels)
{
    return pixels * perPixelX();
}

double fromPixelsY(int pixels)
{
    return pixels * perPixelY();
}

QRect toPixels(int left, int top, int width, int height)
{
    return QRect(toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height));
}

QSize toPixels(QSize size)
{
    return QSize(toPixelsX(size.width()), toPixelsY(size.height()));
}

double screenWidth()
{
    return fromPixelsX(screen()->geometry().width());
}

double screenHeight()
{
    return fromPixelsY(screen()->geometry().height());
}

double screenLeft()
{
    return fromPixelsX(screen()->geometry().x());
}

double screenTop()
{
    return fromPixelsY(screen()->geometry().y());
}

} // namespace twips
