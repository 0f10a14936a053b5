#include "game/module1.h"
#include "game/opening.h"
#include "services/language.h"
#include "services/runtimeerror.h"
#include "services/twips.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/form5.h"
#include "windows/forms.h"
#include "windows/picturebox.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTranslator>
#include <QtEndian>

#include <unistd.h>

namespace {

const QString Name = QStringLiteral("EVE03.BMP");

QByteArray goodBmp()
{
    QFile file(pictureFolder() + QStringLiteral("/EVE03.BMP"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray withHeaderField(QByteArray bytes, int offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
    return bytes;
}

QByteArray pngBytes()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

/// A valid picture of the given size under a game picture's name.
void writePicture(const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::cyan);
    image.save(name, "BMP");
}

} // namespace

class BadPicturesTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;
    QTemporaryDir *folder = nullptr;

private slots:
    void init()
    {
        services = &freshGame();
        folder = new QTemporaryDir;
        usePictureFolderWith(*folder, QString());
        QFile::remove(Name);
    }

    void cleanup()
    {
        QDir::setCurrent(pictureFolder());
        delete folder;
    }

    void badPictureFilesAreReportedByName_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        const QByteArray good = goodBmp();
        QTest::newRow("empty") << QByteArray() << false;
        for (int length : {1, 2, 14, 30, 53, 54, 1000})
            QTest::newRow(qPrintable(QStringLiteral("truncated to %1 bytes").arg(length))) << good.left(length) << false;
        QTest::newRow("wrong magic") << QByteArray("XY") + good.mid(2) << false;
        QTest::newRow("60000 x 60000") << withHeaderField(withHeaderField(good, 18, 60000), 22, 60000) << false;
        QTest::newRow("largest width and height")
            << withHeaderField(withHeaderField(good, 18, 0x7fffffff), 22, 0x7fffffff) << false;
        QTest::newRow("negative width") << withHeaderField(good, 18, -160) << false;
        QTest::newRow("zero width") << withHeaderField(good, 18, 0) << false;
        QTest::newRow("absurd pixel offset") << withHeaderField(good, 10, 0x7fffffff) << false;
        QTest::newRow("text") << QByteArray("this is no picture at all\n") << false;
        QTest::newRow("upside-down rows") << withHeaderField(good, 22, -120) << true;
        QTest::newRow("a PNG under the BMP name") << pngBytes() << true;
    }

    void badPictureFilesAreReportedByName()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        writeFile(Name, bytes);
        try {
            const QPixmap picture = readPictureFile(Name);
            QVERIFY2(loads, "a broken picture loaded");
            QVERIFY(!picture.isNull());
        } catch (const RuntimeError &error) {
            QVERIFY2(!loads, qPrintable(error.message()));
            QCOMPARE(error.kind(), ErrorKind::PictureLoading);
            QVERIFY(error.message().contains(Name));
        }
    }

    void picturesThatAreNoFileAreReportedByName()
    {
        QVERIFY(QDir().mkdir(Name));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, readPictureFile(Name));
        QVERIFY(QDir().rmdir(Name));

        QVERIFY(QFile::link(QStringLiteral("nowhere.BMP"), Name));
        try {
            readPictureFile(Name);
            QFAIL("a link to nowhere loaded");
        } catch (const RuntimeError &error) {
            QVERIFY(error.message().contains(Name));
        }
        QFile::remove(Name);

        writeFile(Name, goodBmp());
        QFile::setPermissions(Name, QFileDevice::WriteOwner);
        if (::geteuid() != 0) {
            QVERIFY_THROWS_EXCEPTION(RuntimeError, readPictureFile(Name));
        } else {
            // Permissions do not stop root; the picture simply loads.
            QCOMPARE(readPictureFile(Name).size(), QSize(160, 120));
        }
    }

    void theGameEndsWithTheReportOnABadEventPicture_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("broken");
        QTest::newRow("Japanese") << false << Name;
        // The English game reports the English picture it tried.
        QTest::newRow("English") << true << "en/" + Name;
    }

    void theGameEndsWithTheReportOnABadEventPicture()
    {
        QFETCH(bool, english);
        QFETCH(QString, broken);
        if (english) {
            writeFile(Name, goodBmp());
            QVERIFY(QDir().mkdir(QStringLiteral("en")));
            language::use(Language::English);
        }
        auto speakJapaneseAgain = qScopeGuard([] {
            qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
            language::use(Language::Japanese);
        });
        writeFile(broken, goodBmp().left(100));
        playFromTitle();
        QCOMPARE(services->exitStatus, 1);
        QCOMPARE(services->boxes.last().kind, ScriptedServices::Box::Kind::Error);
        QVERIFY(services->boxes.last().text.contains(broken));
        QCOMPARE(services->boxes.last().text.contains(QLatin1String("en/")), english);
        QCOMPARE(services->turns, 0);
    }

    void oddSizedPicturesShowUnscaledAndMoveNothing_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1") << QSize(1, 1);
        QTest::newRow("larger than every box") << QSize(900, 700);
    }

    void oddSizedPicturesShowUnscaledAndMoveNothing()
    {
        QFETCH(QSize, size);
        for (const QString &name : {Name, QStringLiteral("title1.BMP"), QStringLiteral("Title2.BMP")})
            writePicture(name, size);

        guarded(game::Main);
        Form2 *title = forms::loaded<Form2>();
        QVERIFY(title);
        QCOMPARE(title->size().grownBy(services->frame), twips::toPixels(QSize(4900, 4200)));
        QCOMPARE(title->clientArea->picture().size(), size);

        Form1 &main = forms::load<Form1>();
        game::LoadEventPictures();
        game::ShowEventPicture(qint16(3));
        QCOMPARE(main.Image2->picture().size(), size);
        QCOMPARE(main.Image2->geometry(), inTwips(120, 120, 2400, 1800));
        QCOMPARE(main.Command1->geometry(), inTwips(2760, 1560, 1455, 375));
        QCOMPARE(main.size(), twips::toPixels(QSize(4350, 2100)));
        main.show();
        const QImage shown = main.grab().toImage();
        // The picture is cut off by its box: the button beside it still shows.
        QVERIFY(shown.pixelColor(main.Command1->geometry().center()) != QColor(Qt::cyan));

        forms::show<Form5>();
        QCOMPARE(forms::loaded<Form5>()->size(), twips::toPixels(QSize(4500, 5010)));
    }
};

QTEST_MAIN(BadPicturesTest)
#include "tst_badpictures.moc"
