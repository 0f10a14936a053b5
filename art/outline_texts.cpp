// Turns the texts of our drawings into outlines, so that the pictures look
// the same on every machine whatever fonts it has.
//   outline_texts DRAWING.svg...
// Rewrites each drawing in place. Every <text> element becomes a group of
// paths drawn from the font it names, and the element itself stays above
// them in a comment:
//   <!-- text <text x="..." font-family="..." ...>caption</text> -->
//   <g class="outlined-text" fill="..."><path d="..."/></g>
// To change a caption, edit the element in the comment (or write a new
// <text> element) and run this again: it outlines commented elements anew.
// A caption in words of one language is marked systemLanguage="ja" or
// "en"; the mark carries over to its outlines, and each language's picture
// leaves out the other's (svg2bmp --language). A mark naming any other
// language is refused: its caption would be in neither picture.
// It needs the fonts the texts name, and stops when one is missing rather
// than outline a stand-in.
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTransform>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

// Outlines are taken at this pixel size, unhinted, and scaled to the
// text's own size: small sizes would give outlines bent to a pixel grid.
constexpr qreal designSize = 100;

// The attributes that say where the text goes and in which font; the others
// (colours, strokes) carry over to the outlines.
const QStringList textLayout = {"x", "y", "font-family", "font-size", "font-weight", "text-anchor"};

struct Run
{
    QString text;
    QXmlStreamAttributes attributes;
};

struct Text
{
    QXmlStreamAttributes attributes;
    QList<Run> runs;
};

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "outline_texts: %s\n", qPrintable(message));
    std::exit(1);
}

// Every run of white space, the wide Japanese space included, is one
// ordinary space, and a part of a text that holds nothing else takes no
// room: the layout the drawings were designed with. A space between two
// English words in parts of their own goes at the end of the first part.
QString collapsed(const QString &characters)
{
    if (characters.trimmed().isEmpty())
        return {};
    static const QRegularExpression space(QStringLiteral("\\s+"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    QString out = characters;
    return out.replace(space, QStringLiteral(" "));
}

// A <text> element holding characters and <tspan> elements of one level.
Text parse(const QString &element)
{
    QXmlStreamReader xml(element);
    Text text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("text"))
            text.attributes = xml.attributes();
        else if (xml.isStartElement() && xml.name() == QLatin1String("tspan")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            text.runs.append({collapsed(xml.readElementText()), attributes});
        } else if (xml.isCharacters()) {
            text.runs.append({collapsed(xml.text().toString()), {}});
        }
    }
    if (xml.hasError())
        fail(QStringLiteral("cannot read %1: %2").arg(element, xml.errorString()));
    const QString language = text.attributes.value("systemLanguage").toString();
    if (text.attributes.hasAttribute("systemLanguage") && language != QLatin1String("ja")
        && language != QLatin1String("en"))
        fail(QStringLiteral("%1: systemLanguage is \"ja\" or \"en\"").arg(element));
    return text;
}

QString attributes(const QXmlStreamAttributes &all)
{
    QString out;
    for (const QXmlStreamAttribute &a : all) {
        if (!textLayout.contains(a.name().toString()))
            out += QStringLiteral(" %1=\"%2\"").arg(a.name(), a.value().toString().toHtmlEscaped());
    }
    return out;
}

QFont fontOf(const QXmlStreamAttributes &a, const QString &characters)
{
    const QString family = a.value("font-family").toString();
    QFont font(family);
    font.setPixelSize(int(designSize));
    font.setWeight(a.value("font-weight") == QLatin1String("bold") ? QFont::Bold : QFont::Normal);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontInfo found(font);
    if (found.family() != family || found.weight() != font.weight())
        fail(QStringLiteral("the font \"%1\" (weight %2) is not installed; found \"%3\" %4")
                 .arg(family).arg(font.weight()).arg(found.family(), found.styleName()));
    const QFontMetricsF metrics(font);
    for (const char32_t c : characters.toUcs4()) {
        if (!metrics.inFontUcs4(c) && !QChar::isSpace(c))
            fail(QStringLiteral("\"%1\" has no %2").arg(family, QString::fromUcs4(&c, 1)));
    }
    return font;
}

QString number(qreal value)
{
    QString s = QString::number(value, 'f', 2);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

// SVG path data of a path made of moves, lines and cubic curves.
QString pathData(const QPainterPath &path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += QStringLiteral("%1M%2 %3").arg(d.isEmpty() ? "" : "Z", number(e.x), number(e.y));
        } else if (e.isLineTo()) {
            d += QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x), number(end.y));
            i += 2;
        }
    }
    return d.isEmpty() ? d : d + 'Z';
}

// The outlines of one text, in the drawing's units, as a group of paths.
QString outline(const Text &text)
{
    QString all;
    for (const Run &run : text.runs)
        all += run.text;
    const QFont font = fontOf(text.attributes, all);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(all);
    const QString anchor = text.attributes.value("text-anchor").toString();
    const qreal start = anchor == QLatin1String("middle") ? -width / 2
                        : anchor == QLatin1String("end") ? -width : 0;
    const qreal scale = text.attributes.value("font-size").toDouble() / designSize;
    const QTransform place = QTransform::fromTranslate(text.attributes.value("x").toDouble(),
                                                       text.attributes.value("y").toDouble())
                                 .scale(scale, scale);

    QString group = QStringLiteral("<g class=\"outlined-text\"%1>").arg(attributes(text.attributes));
    qreal pen = start;
    for (const Run &run : text.runs) {
        QPainterPath path;
        path.addText(QPointF(pen, 0), font, run.text);
        pen += metrics.horizontalAdvance(run.text);
        const QString d = pathData(place.map(path));
        if (!d.isEmpty())
            group += QStringLiteral("<path%1 d=\"%2\"/>").arg(attributes(run.attributes), d);
    }
    return group + QStringLiteral("</g>");
}

void outlineFile(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(name));
    const QString source = QString::fromUtf8(file.readAll());
    file.close();

    // A text outlined before (its element in a comment, its outlines on the
    // next line), or one not outlined yet.
    static const QRegularExpression texts(
        QStringLiteral("<!-- text (<text\\b.*?</text>) -->\\n([ \\t]*)<g class=\"outlined-text\"[^\\n]*</g>"
                       "|(<text\\b.*?</text>)"),
        QRegularExpression::DotMatchesEverythingOption);
    QString result;
    qsizetype done = 0;
    for (auto it = texts.globalMatch(source); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString element = m.hasCaptured(1) ? m.captured(1) : m.captured(3);
        if (element.contains(QLatin1String("--")) || element.contains('\n'))
            fail(QStringLiteral("%1: a text to outline is one line without \"--\": %2").arg(name, element));
        // The outlines go on the next line, indented as this one.
        const qsizetype lineStart = source.lastIndexOf('\n', m.capturedStart()) + 1;
        qsizetype indentEnd = lineStart;
        while (indentEnd < m.capturedStart() && (source[indentEnd] == ' ' || source[indentEnd] == '\t'))
            ++indentEnd;
        const QString indent = source.mid(lineStart, indentEnd - lineStart);
        result += source.mid(done, m.capturedStart() - done);
        result += QStringLiteral("<!-- text %1 -->\n%2%3").arg(element, indent, outline(parse(element)));
        done = m.capturedEnd();
    }
    result += source.mid(done);
    if (result == source)
        return;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(result.toUtf8()) < 0)
        fail(QStringLiteral("cannot write %1").arg(name));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: outline_texts DRAWING.svg...\n");
        return 2;
    }
    for (const QString &name : files)
        outlineFile(name);
    return 0;
}
