// Renders one of the game's SVG drawings into a picture file.
//   svg2bmp SOURCE.svg TARGET WIDTH HEIGHT [--colours N] [--language ja|en]
// The file format follows TARGET's extension. The game's BMP pictures are
// 24 bits per pixel on white; PNG targets (the program icon) keep a
// transparent background. With --colours the picture is reduced to at most
// N colours and written with a palette. A drawing with a text still in a
// font is refused: it would look different on a machine with other fonts
// (art/outline_texts.cpp turns texts into outlines).
// A drawing holds its captions in both of the game's languages, each marked
// systemLanguage="ja" or "en"; the picture shows the unmarked elements and
// those of the --language asked for, Japanese unless told.
#include <QGuiApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

// Pixels at least this opaque keep their colour; fainter ones become the
// transparent palette entry.
constexpr int opaqueAlpha = 128;
// Squared distance below which two colours count as shades of one another.
constexpr int nearShade = 3 * 12 * 12;

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// Picks the most frequent opaque colours of a non-premultiplied ARGB32
// picture and maps every pixel to the nearest of them.
QImage reduceColours(const QImage &picture, int colours)
{
    QHash<QRgb, int> counts;
    bool hasTransparent = false;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(line[x]) < opaqueAlpha)
                hasTransparent = true;
            else
                ++counts[line[x] | 0xff000000u];
        }
    }

    std::vector<std::pair<QRgb, int>> byFrequency(counts.keyValueBegin(), counts.keyValueEnd());
    // Ties go to the lower colour value so the same drawing always gives the same palette.
    std::sort(byFrequency.begin(), byFrequency.end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    const int opaqueSlots = colours - (hasTransparent ? 1 : 0);

    // Smoothed edges give many shades that barely differ from the colour
    // they border; such a shade would only take the place of a small but
    // distinct patch of colour, like the heart's white gleam.
    QList<QRgb> palette;
    for (const auto &entry : byFrequency) {
        if (palette.size() == opaqueSlots)
            break;
        const bool nearChosen = std::any_of(palette.cbegin(), palette.cend(), [&](QRgb chosen) {
            return distance(chosen, entry.first) < nearShade;
        });
        if (!nearChosen)
            palette.append(entry.first);
    }
    const int opaqueColours = int(palette.size());
    const int transparentIndex = hasTransparent ? int(palette.size()) : -1;
    if (hasTransparent)
        palette.append(qRgba(0, 0, 0, 0));

    QImage indexed(picture.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(line[x]) < opaqueAlpha) {
                out[x] = uchar(transparentIndex);
                continue;
            }
            const QRgb colour = line[x] | 0xff000000u;
            auto found = nearest.constFind(colour);
            if (found == nearest.constEnd()) {
                int best = 0;
                int bestDistance = std::numeric_limits<int>::max();
                for (int i = 0; i < opaqueColours; ++i) {
                    const int d = distance(colour, palette[i]);
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                found = nearest.insert(colour, uchar(best));
            }
            out[x] = *found;
        }
    }
    return indexed;
}

// Whether the drawing has a <text> element outside its comments.
bool hasText(const QByteArray &drawing)
{
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return QString::fromUtf8(drawing).remove(comment).contains(QLatin1String("<text"));
}

// The drawing as the players of one language see it: an element marked for
// the other language is left out with all it holds, and the marks are
// dropped from the rest. QtSvg never sees a mark: where it reads them, it
// weighs them against the machine's own locale. Empty, with the reason in
// *error, when the drawing cannot be read or marks a language the game
// does not have.
QByteArray forLanguage(const QByteArray &drawing, const QString &language, QString *error)
{
    static const QString mark = QStringLiteral("systemLanguage");
    QXmlStreamReader in(drawing);
    // Names and namespace declarations are copied as written.
    in.setNamespaceProcessing(false);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    while (!in.atEnd()) {
        if (in.readNext() == QXmlStreamReader::Invalid)
            break;
        if (!in.isStartElement() || !in.attributes().hasAttribute(mark)) {
            writer.writeCurrentToken(in);
            continue;
        }
        const QString marked = in.attributes().value(mark).toString();
        if (marked != QLatin1String("ja") && marked != QLatin1String("en")) {
            *error = QStringLiteral("line %1: systemLanguage=\"%2\" is neither ja nor en")
                         .arg(in.lineNumber()).arg(marked);
            return {};
        }
        if (marked != language) {
            in.skipCurrentElement();
            continue;
        }
        writer.writeStartElement(in.qualifiedName().toString());
        for (const QXmlStreamAttribute &attribute : in.attributes()) {
            if (attribute.qualifiedName() != mark)
                writer.writeAttribute(attribute);
        }
    }
    if (in.hasError()) {
        *error = QStringLiteral("line %1: %2").arg(in.lineNumber()).arg(in.errorString());
        return {};
    }
    return out;
}

// The drawing in a file as one language sees it; empty, once told why,
// when it cannot be drawn.
QByteArray readDrawing(const QString &source, const QString &language)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "svg2bmp: cannot read %s\n", qPrintable(source));
        return {};
    }
    const QByteArray all = file.readAll();
    if (hasText(all)) {
        std::fprintf(stderr, "svg2bmp: %s has a text in a font; outline it first (outline_texts)\n",
                     qPrintable(source));
        return {};
    }
    QString error;
    const QByteArray drawing = forLanguage(all, language, &error);
    if (drawing.isEmpty())
        std::fprintf(stderr, "svg2bmp: %s: %s\n", qPrintable(source), qPrintable(error));
    return drawing;
}

int usage()
{
    std::fprintf(stderr, "usage: svg2bmp SOURCE.svg TARGET WIDTH HEIGHT [--colours N] [--language ja|en]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5 || args.size() % 2 == 0)
        return usage();
    int colours = 0;
    QString language = QStringLiteral("ja");
    for (qsizetype i = 5; i < args.size(); i += 2) {
        bool ok = true;
        if (args[i] == QLatin1String("--colours")) {
            colours = args[i + 1].toInt(&ok);
            // One opaque colour and the transparent entry at the least; a palette holds 256.
            ok = ok && colours >= 2 && colours <= 256;
        } else if (args[i] == QLatin1String("--language")) {
            language = args[i + 1];
            ok = language == QLatin1String("ja") || language == QLatin1String("en");
        } else {
            ok = false;
        }
        if (!ok)
            return usage();
    }
    const QSize size(args[3].toInt(), args[4].toInt());
    const QByteArray drawing = readDrawing(args[1], language);
    if (drawing.isEmpty())
        return 1;
    QSvgRenderer renderer(drawing);
    if (!renderer.isValid() || size.isEmpty()) {
        std::fprintf(stderr, "svg2bmp: cannot render %s\n", qPrintable(args[1]));
        return 1;
    }
    const QByteArray format = QFileInfo(args[2]).suffix().toLower().toLatin1();
    const bool transparent = format == "png";

    QImage image(size, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();

    QImage output;
    if (colours > 0)
        output = reduceColours(image, colours);
    else if (transparent)
        output = image;
    else
        // Qt writes images without a palette as 24 bits per pixel.
        output = image.convertToFormat(QImage::Format_RGB888);
    if (!output.save(args[2], format.constData())) {
        std::fprintf(stderr, "svg2bmp: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
