#include "services/language.h"
#include "services/runtimeerror.h"
#include "services/services.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

namespace {

/// No picture of the game comes near this; a bigger file is not read at all.
constexpr qint64 LargestPictureFile = 64 * 1024 * 1024;

/// For an uncompressed BMP, why its pixel rows do not fit in the file, or
/// an empty text when they do (or when it is another kind of picture).
/// Qt shows a cut-off BMP with made-up rows instead of failing.
QString bmpShortfall(const QByteArray &bytes)
{
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return {};
    const char *header = bytes.constData();
    const qint64 pixelOffset = qFromLittleEndian<quint32>(header + 10);
    const qint64 width = qFromLittleEndian<qint32>(header + 18);
    const qint64 height = qAbs(qint64(qFromLittleEndian<qint32>(header + 22)));
    const qint64 bitsPerPixel = qFromLittleEndian<quint16>(header + 28);
    const quint32 compression = qFromLittleEndian<quint32>(header + 30);
    if (qFromLittleEndian<quint32>(header + 14) < 40 || (compression != 0 && compression != 3))
        return {}; // an old or compressed variant: Qt's reader checks it
    if (pixelOffset > bytes.size())
        return QCoreApplication::translate("RuntimeError", "絵のデータがファイルの外を指しています。");
    // Compared by division: rows times height of a made-up header overflows.
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    if (width > 0 && height > 0 && rowBytes > (bytes.size() - pixelOffset) / height)
        return QCoreApplication::translate("RuntimeError", "ファイルが途中で切れています。");
    return {};
}

/// The picture in a file, or a RuntimeError naming the file.
QPixmap readOnePicture(const QString &fileName)
{
    auto fail = [&fileName](const QString &why) {
        return RuntimeError(ErrorKind::PictureLoading, QStringLiteral("%1: %2").arg(fileName, why));
    };
    const QFileInfo info(fileName);
    if (!info.exists())
        throw fail(QCoreApplication::translate("RuntimeError", "ファイルが見つかりません。"));
    if (info.isDir())
        throw fail(QCoreApplication::translate("RuntimeError", "フォルダーです。"));
    if (info.size() > LargestPictureFile)
        throw fail(QCoreApplication::translate("RuntimeError", "絵のファイルとしては大きすぎます。"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw fail(file.errorString());
    // Asked for no more than the file holds: read() sets aside all it is
    // asked for before reading.
    QByteArray bytes = file.read(qMin(file.size(), LargestPictureFile));
    if (const QString shortfall = bmpShortfall(bytes); !shortfall.isEmpty())
        throw fail(shortfall);

    // The format is told by the content, so a picture saved in another
    // format under its .BMP name loads as well. Qt's allocation limit keeps
    // a header with absurd dimensions from taking the memory.
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    if (image.isNull())
        throw fail(reader.errorString());
    return QPixmap::fromImage(image);
}

/// The name of a picture's drawing at twice the size: "@2x" before the
/// extension, as Qt names them.
QString doubleSizeName(const QString &fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= fileName.lastIndexOf(QLatin1Char('/')))
        return fileName + QStringLiteral("@2x");
    return fileName.left(dot) + QStringLiteral("@2x") + fileName.mid(dot);
}

/// The picture the game shows under a name: in an English game the one in
/// the folder en/ beside it when there is one there.
QString pictureForLanguage(const QString &fileName)
{
    if (language::current() != Language::English)
        return fileName;
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const QString english = fileName.left(slash + 1) + QStringLiteral("en/") + fileName.mid(slash + 1);
    return QFileInfo::exists(english) ? english : fileName;
}

} // namespace

QPixmap readPictureFile(const QString &name, qreal deviceRatio)
{
    // The game's own picture comes first, and its failures are the ones
    // reported; the larger drawing is only ever a finer copy of it, taken
    // from the same folder.
    const QString fileName = pictureForLanguage(name);
    const QPixmap picture = readOnePicture(fileName);
    if (deviceRatio < 1.5)
        return picture;
    const QString finer = doubleSizeName(fileName);
    if (!QFileInfo::exists(finer))
        return picture;
    try {
        QPixmap doubled = readOnePicture(finer);
        if (doubled.size() != picture.size() * 2)
            return picture;
        doubled.setDevicePixelRatio(2.0);
        return doubled;
    } catch (const RuntimeError &) {
        return picture;
    }
}
