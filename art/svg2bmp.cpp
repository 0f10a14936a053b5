// Renders one of the game's SVG drawings into the 24-bit BMP file the game reads.
//   svg2bmp SOURCE.svg TARGET.BMP WIDTH HEIGHT
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: svg2bmp SOURCE.svg TARGET.BMP WIDTH HEIGHT\n");
        return 2;
    }
    const QSize size(args[3].toInt(), args[4].toInt());
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid() || size.isEmpty()) {
        std::fprintf(stderr, "svg2bmp: cannot render %s\n", qPrintable(args[1]));
        return 1;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    // Qt writes images without a palette as 24 bits per pixel.
    if (!image.convertToFormat(QImage::Format_RGB888).save(args[2], "BMP")) {
        std::fprintf(stderr, "svg2bmp: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
