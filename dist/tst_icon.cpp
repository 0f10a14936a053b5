// The window icon is compiled into the game; every window sets it from the
// resource, so a missing or badly drawn icon would go unnoticed otherwise.
#include <QImage>
#include <QSet>
#include <QTest>

class TestIcon : public QObject
{
    Q_OBJECT

private slots:
    void windowIconIsAPaletteIconWithATransparentBackground()
    {
        const QImage icon(QStringLiteral(":/icons/purumoke.png"));
        QVERIFY2(!icon.isNull(), "the icon resource is missing from the game");
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.format(), QImage::Format_Indexed8);
        QVERIFY(icon.colorCount() <= 16);

        // The corners lie outside the heart, its middle is the ribbon's knot.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(31, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(0, 31)), 0);
        QCOMPARE(icon.pixel(16, 16), qRgb(0xff, 0xd3, 0x4a));

        // Every pixel is either fully transparent or fully opaque.
        QSet<QRgb> used;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const int alpha = qAlpha(icon.pixel(x, y));
                QVERIFY2(alpha == 0 || alpha == 255, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                used.insert(icon.pixel(x, y));
            }
        }
        // The heart, its outline, the ribbon and the knot all survive the reduction.
        for (const QRgb colour : {qRgb(0xff, 0x5f, 0x9e), qRgb(0x4a, 0x2c, 0x2a), qRgb(0xe8, 0x38, 0x3d),
                                  qRgb(0xff, 0xd3, 0x4a)})
            QVERIFY2(used.contains(colour), qPrintable(QString::number(colour, 16)));
    }
};

QTEST_GUILESS_MAIN(TestIcon)
#include "tst_icon.moc"
