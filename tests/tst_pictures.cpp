#include "game/opening.h"
#include "services/language.h"
#include "services/runtimeerror.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/form5.h"
#include "windows/forms.h"
#include "windows/picturebox.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QtEndian>

class PicturesTest : public QObject
{
    Q_OBJECT

    ScriptedServices services;

private slots:
    void init() { freshGame(services); }

    void everyPictureIsRenderedAsA24BitBmp_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("title") << "title1.BMP" << QSize(319, 238);
        QTest::newRow("ending") << "Title2.BMP" << QSize(300, 334);
        for (int i = 0; i <= 15; ++i)
            QTest::newRow(qPrintable(game::EventPictureName(i))) << game::EventPictureName(i) << QSize(160, 120);
        // The drawings for high-density screens, at twice the size.
        QTest::newRow("title@2x") << "title1@2x.BMP" << QSize(638, 476);
        QTest::newRow("ending@2x") << "Title2@2x.BMP" << QSize(600, 668);
        QTest::newRow("EVE00@2x") << "EVE00@2x.BMP" << QSize(320, 240);
        QTest::newRow("EVE15@2x") << "EVE15@2x.BMP" << QSize(320, 240);
        // The same drawings with English captions.
        QTest::newRow("en/title") << "en/title1.BMP" << QSize(319, 238);
        QTest::newRow("en/ending") << "en/Title2.BMP" << QSize(300, 334);
        for (int i = 0; i <= 15; ++i) {
            const QString name = "en/" + game::EventPictureName(i);
            QTest::newRow(qPrintable(name)) << name << QSize(160, 120);
        }
        QTest::newRow("en/title@2x") << "en/title1@2x.BMP" << QSize(638, 476);
        QTest::newRow("en/EVE00@2x") << "en/EVE00@2x.BMP" << QSize(320, 240);
    }

    void everyPictureIsRenderedAsA24BitBmp()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFile file(name);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray header = file.read(54);
        QCOMPARE(header.left(2), QByteArray("BM"));
        const auto field32 = [&](int at) { return qFromLittleEndian<qint32>(header.constData() + at); };
        const auto field16 = [&](int at) { return qFromLittleEndian<quint16>(header.constData() + at); };
        QCOMPARE(QSize(field32(18), qAbs(field32(22))), size);
        QCOMPARE(field16(28), quint16(24));
        QCOMPARE(field32(30), 0); // uncompressed

        // Through the game's own loading, and not a flat colour.
        const QImage picture = readPictureFile(name).toImage();
        QCOMPARE(picture.size(), size);
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 4) {
            for (int x = 0; x < picture.width(); x += 4)
                colours.insert(picture.pixel(x, y));
        }
        QVERIFY2(colours.size() > 50, "a picture is drawn, not a flat colour");
        // Every drawing has a caption in words: the English picture is not the Japanese one.
        if (name.startsWith(QLatin1String("en/")))
            QVERIFY(picture != readPictureFile(name.mid(3)).toImage());
    }

    // A longer English place name has a wider label: a point just inside
    // its box, outside the Japanese one.
    void eachLanguageShowsItsOwnPlaceLabel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QColor>("label");
        QTest::newRow("School") << "EVE00.BMP" << QPoint(31, 106) << QColor(Qt::white);
        QTest::newRow("Aquarium") << "EVE11.BMP" << QPoint(47, 106) << QColor(0x7a, 0xd0, 0xff);
        QTest::newRow("Sports Day") << "EVE13.BMP" << QPoint(51, 106) << QColor(Qt::white);
        QTest::newRow("Festival, widened leftwards") << "EVE15.BMP" << QPoint(107, 106) << QColor(Qt::white);
    }

    void eachLanguageShowsItsOwnPlaceLabel()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, inside);
        QFETCH(QColor, label);
        QCOMPARE(QImage("en/" + name).pixelColor(inside), label);
        QVERIFY(QImage(name).pixelColor(inside) != label);
    }

    void finerDrawingOnlyWhenDenseAndExactlyTwiceTheSize_data()
    {
        QTest::addColumn<qreal>("deviceRatio");
        QTest::addColumn<QString>("finer"); // what EVE00@2x.BMP holds
        QTest::addColumn<qreal>("shownRatio");
        QTest::newRow("ratio 1") << 1.0 << "good" << 1.0;
        QTest::newRow("ratio 1.25") << 1.25 << "good" << 1.0;
        QTest::newRow("ratio 1.5") << 1.5 << "good" << 2.0;
        QTest::newRow("ratio 2") << 2.0 << "good" << 2.0;
        QTest::newRow("ratio 2, none") << 2.0 << "" << 1.0;
        QTest::newRow("ratio 2, same size") << 2.0 << "same size" << 1.0;
        QTest::newRow("ratio 2, three times") << 2.0 << "three times" << 1.0;
        QTest::newRow("ratio 2, not a picture") << 2.0 << "garbage" << 1.0;
        QTest::newRow("ratio 2, cut off") << 2.0 << "cut off" << 1.0;
    }

    void finerDrawingOnlyWhenDenseAndExactlyTwiceTheSize()
    {
        QFETCH(qreal, deviceRatio);
        QFETCH(QString, finer);
        QFETCH(qreal, shownRatio);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("EVE00.BMP"));
        const QString finerName = dir.filePath(QStringLiteral("EVE00@2x.BMP"));
        QVERIFY(QFile::copy(QStringLiteral("EVE00.BMP"), name));
        QFile original(QStringLiteral("EVE00@2x.BMP"));
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray good = original.readAll();
        const QImage base(name);
        QByteArray bytes;
        if (finer == QLatin1String("good"))
            bytes = good;
        else if (finer == QLatin1String("garbage"))
            bytes = "BM this is not a picture";
        else if (finer == QLatin1String("cut off"))
            bytes = good.left(good.size() / 2);
        if (finer == QLatin1String("same size"))
            QVERIFY(QFile::copy(name, finerName));
        else if (finer == QLatin1String("three times"))
            QVERIFY(base.scaled(base.size() * 3).save(finerName, "BMP"));
        else if (!bytes.isEmpty()) {
            QFile file(finerName);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }

        const QPixmap shown = readPictureFile(name, deviceRatio);
        QCOMPARE(shown.devicePixelRatio(), shownRatio);
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(160, 120));
        QCOMPARE(shown.size(), QSize(160, 120) * shownRatio);
    }

    void missingOrBadGamePictureIsReportedEvenWithAFinerOne()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("EVE00.BMP"));
        QVERIFY(QFile::copy(QStringLiteral("EVE00@2x.BMP"), dir.filePath(QStringLiteral("EVE00@2x.BMP"))));
        try {
            readPictureFile(name, 2.0);
            QFAIL("a missing picture loaded");
        } catch (const RuntimeError &error) {
            QVERIFY2(error.message().contains(name + QStringLiteral(": ")), qPrintable(error.message()));
        }
        QFile broken(name);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("BM this is not a picture");
        broken.close();
        QVERIFY_THROWS_EXCEPTION(RuntimeError, readPictureFile(name, 2.0));
    }

    void englishGameShowsThePictureInEnFolderWhereThereIsOne_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("inEn"); // what en/ holds of EVE00
        QTest::addColumn<qreal>("deviceRatio");
        QTest::addColumn<QString>("shown"); // the file shown, or the one reported
        QTest::newRow("Japanese") << false << "both" << 2.0 << "EVE00@2x.BMP";
        QTest::newRow("Japanese, en/ broken") << false << "broken" << 1.0 << "EVE00.BMP";
        QTest::newRow("English") << true << "both" << 1.0 << "en/EVE00.BMP";
        QTest::newRow("English, dense") << true << "both" << 2.0 << "en/EVE00@2x.BMP";
        QTest::newRow("English, dense, no finer English") << true << "picture" << 2.0 << "en/EVE00.BMP";
        QTest::newRow("English, nothing in en/") << true << "" << 2.0 << "EVE00@2x.BMP";
        QTest::newRow("English, en/ broken") << true << "broken" << 1.0 << "error en/EVE00.BMP";
    }

    void englishGameShowsThePictureInEnFolderWhereThereIsOne()
    {
        QFETCH(bool, english);
        QFETCH(QString, inEn);
        QFETCH(qreal, deviceRatio);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("en")));
        QStringList copies = {QStringLiteral("EVE00.BMP"), QStringLiteral("EVE00@2x.BMP")};
        if (inEn != QLatin1String("broken"))
            copies += inEn == QLatin1String("both") ? QStringList{"en/EVE00.BMP", "en/EVE00@2x.BMP"}
                      : inEn == QLatin1String("picture") ? QStringList{"en/EVE00.BMP"}
                                                          : QStringList{};
        for (const QString &name : copies)
            QVERIFY(QFile::copy(name, dir.filePath(name)));
        if (inEn == QLatin1String("broken")) {
            QFile broken(dir.filePath(QStringLiteral("en/EVE00.BMP")));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("BM this is not a picture");
        }
        if (english)
            language::use(Language::English);
        auto speakJapaneseAgain = qScopeGuard([] {
            qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
            language::use(Language::Japanese);
        });

        const QString name = dir.filePath(QStringLiteral("EVE00.BMP"));
        if (shown.startsWith(QLatin1String("error "))) {
            try {
                readPictureFile(name, deviceRatio);
                QFAIL("a broken picture loaded");
            } catch (const RuntimeError &error) {
                QVERIFY2(error.message().contains(dir.filePath(shown.mid(6)) + QStringLiteral(": ")),
                         qPrintable(error.message()));
            }
            return;
        }
        QImage picture = readPictureFile(name, deviceRatio).toImage();
        QImage expected(shown);
        QCOMPARE(picture.devicePixelRatio(), expected.devicePixelRatio());
        picture.setDevicePixelRatio(1);
        expected.setDevicePixelRatio(1);
        QVERIFY(picture.convertToFormat(QImage::Format_RGB32) == expected.convertToFormat(QImage::Format_RGB32));
    }

    // Run at the screen's own ratio: once at 1 and once with QT_SCALE_FACTOR=2.
    void windowsShowTheDrawingForTheirScreen()
    {
        guarded(game::Main);
        loadMainWindowWithPictures();
        Form2 *title = forms::loaded<Form2>();
        Form1 *main = forms::loaded<Form1>();
        QVERIFY(title && main);
        Form5 &ending = forms::load<Form5>();
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2"))
            QCOMPARE(main->devicePixelRatioF(), 2.0);
        const struct {
            QWidget *window;
            const PictureBox *box;
            QSize size;
        } shown[] = {
            {title, title->clientArea, {319, 238}},
            {&ending, ending.clientArea, {300, 334}},
            {main, main->Image1[0], {160, 120}},
            {main, main->Image1[15], {160, 120}},
        };
        for (const auto &[window, box, size] : shown) {
            const qreal expected = window->devicePixelRatioF() >= 1.5 ? 2.0 : 1.0;
            QCOMPARE(box->picture().devicePixelRatio(), expected);
            QCOMPARE(box->picture().deviceIndependentSize(), QSizeF(size));
        }
        // The window icon has larger drawings for dense screens as well.
        const QList<QSize> iconSizes = main->windowIcon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(32, 32)) && iconSizes.contains(QSize(128, 128)));
        game::ShowEventPicture(qint16(15));
        QCOMPARE(main->Image2->picture().cacheKey(), main->Image1[15]->picture().cacheKey());
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
