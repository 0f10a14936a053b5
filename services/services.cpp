#include "services/services.h"

#include "services/runtimeerror.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {
Services *installed = nullptr;
}

Services &platform()
{
    Q_ASSERT(installed);
    return *installed;
}

void installPlatform(Services *services)
{
    installed = services;
}

QPixmap readPictureFile(const QString &fileName)
{
    auto fail = [&fileName](const QString &why) {
        return RuntimeError(ErrorKind::PictureLoading,
                            QStringLiteral("%1: %2").arg(fileName, why));
    };
    const QFileInfo info(fileName);
    if (!info.exists())
        throw fail(QStringLiteral("ファイルが見つかりません。"));
    if (info.isDir())
        throw fail(QStringLiteral("フォルダーです。"));
    if (!info.isReadable())
        throw fail(QStringLiteral("読み取りが許可されていません。"));

    // The format is told by the content, so a picture saved in another
    // format under its .BMP name still loads; Qt's allocation limit keeps a
    // header with absurd dimensions from taking the memory.
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        throw fail(reader.errorString());
    return QPixmap::fromImage(image);
}

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return shown;
}
