#include "game/opening.h"
#include "services/runtimeerror.h"
#include "tests/testgame.h"

#include <QFile>
#include <QTest>
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
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
