// Feeds arbitrary bytes to the game's picture loading the way the game meets
// a picture: a file under one of its picture names in the working directory,
// read by readPictureFile. Whatever the bytes, the loader must either return
// a picture or throw its RuntimeError; a crash, a sanitizer report, a hang or
// a runaway allocation is a fault.
#include "services/runtimeerror.h"
#include "services/services.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const QString PictureName = QStringLiteral("EVE03.BMP");

/// The game's working directory while a picture is read. The fuzzer's own
/// folder is restored afterwards, so that relative corpus paths keep working;
/// a crash happens in here, so give -artifact_prefix as an absolute path.
QString pictureFolder;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Pictures need a GUI application; there is no display, and the fuzzer's
    // own options are no business of Qt's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char program[] = "fuzz_picture";
    static char *argv[] = {program, nullptr};
    static QGuiApplication app(argc, argv);
    // Qt's readers warn about nearly every input; printing that only slows
    // the fuzzer down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    static QTemporaryDir folder;
    if (!folder.isValid())
        std::abort();
    pictureFolder = folder.path();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString fuzzerFolder = QDir::currentPath();
    if (!QDir::setCurrent(pictureFolder))
        std::abort();
    {
        QFile file(PictureName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        if (file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    try {
        const QPixmap picture = readPictureFile(PictureName);
        if (picture.isNull())
            std::abort(); // the loader promises a picture or an error
    } catch (const RuntimeError &) {
        // Not a picture the game can show: it reports that and ends.
    }
    QDir::setCurrent(fuzzerFolder);
    return 0;
}
