#include "game/module1.h"
#include "services/framepace.h"
#include "services/language.h"
#include "services/runtimeerror.h"
#include "services/screenreader.h"
#include "services/twips.h"
#include "tests/testgame.h"

#include <QAccessible>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>

using namespace game;

namespace {

/// The desktop's accessibility bus launcher, on a bus of the test's own that
/// serves as the accessibility bus too: its address and screen-reader setting.
class FakeLauncher : public QDBusVirtualObject
{
public:
    QString address;
    bool screenReader = true;

    bool handleMessage(const QDBusMessage &call, const QDBusConnection &bus) override
    {
        const bool get = call.member() == QLatin1String("Get");
        return bus.send(call.createReply(get ? QVariant::fromValue(QDBusVariant(screenReader)) : QVariant(address)));
    }
    QString introspect(const QString &) const override { return {}; }
    void tell(const QDBusConnection &bus, bool on)
    {
        screenReader = on;
        QDBusMessage changed = QDBusMessage::createSignal(QStringLiteral("/org/a11y/bus"),
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("PropertiesChanged"));
        bus.send(changed << QStringLiteral("org.a11y.Status")
                         << QVariantMap{{QStringLiteral("ScreenReaderEnabled"), on}} << QStringList());
    }
};

} // namespace

class ServicesTest : public QObject
{
    Q_OBJECT

    ScriptedServices services;

private slots:
    void init() { freshGame(services); }

    void additionsStayWithinSixteenBits_data()
    {
        QTest::addColumn<qint16>("a");
        QTest::addColumn<qint16>("b");
        QTest::addColumn<bool>("overflows");
        QTest::addColumn<qint16>("sum");
        QTest::newRow("small") << qint16(3) << qint16(-5) << false << qint16(-2);
        QTest::newRow("top") << qint16(32766) << qint16(1) << false << qint16(32767);
        QTest::newRow("past the top") << qint16(32767) << qint16(1) << true << qint16(0);
        QTest::newRow("bottom") << qint16(-32767) << qint16(-1) << false << qint16(-32768);
        QTest::newRow("past the bottom") << qint16(-32768) << qint16(-1) << true << qint16(0);
        QTest::newRow("two halves") << qint16(20000) << qint16(20000) << true << qint16(0);
    }

    void additionsStayWithinSixteenBits()
    {
        QFETCH(qint16, a);
        QFETCH(qint16, b);
        QFETCH(bool, overflows);
        QFETCH(qint16, sum);
        if (overflows) {
            try {
                Add16(a, b);
                QFAIL("no overflow raised");
            } catch (const RuntimeError &error) {
                QCOMPARE(error.kind(), ErrorKind::Overflow);
            }
        } else {
            QCOMPARE(Add16(a, b), sum);
        }
    }

    void guardedHandlersTurnErrorsIntoTheReport()
    {
        bool after = false;
        guarded([&] {
            Add16(32767, 32767);
            after = true;
        });
        QVERIFY(!after);
        QVERIFY(services.ended);
        QCOMPARE(services.exitStatus, 1);
        QCOMPARE(services.boxes.size(), 1);
        QCOMPARE(services.boxes.first().kind, ScriptedServices::Box::Kind::Error);
    }

    void lineBreaksShowAsOneBreak()
    {
        const QString text = QStringLiteral("一行目\n\r二行目\n\r");
        QCOMPARE(displayText(text), QStringLiteral("一行目\n二行目\n"));
        QCOMPARE(displayText(QStringLiteral("改行なし")), QStringLiteral("改行なし"));
    }

    void realMessageBoxShowsTheLineBreakPairAsOneBreak()
    {
        QtServices real;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            // Answered first: a failed check below must not leave the box waiting.
            box->accept();
            shown = box->text();
            QCOMPARE(box->textFormat(), Qt::PlainText);
            // A screen reader reads the message as the alert's own text.
            QAccessibleInterface *told = QAccessible::queryAccessibleInterface(box);
            QCOMPARE(told->role(), QAccessible::AlertMessage);
            QCOMPARE(told->text(QAccessible::Name), QStringLiteral("題"));
            QVERIFY(told->textInterface());
            QCOMPARE(told->textInterface()->text(0, told->textInterface()->characterCount()), shown);
            QCOMPARE(told->textInterface()->text(3, 6), shown.mid(3, 3));
            // ...and its label, which labels the box, is not read again as a loose label.
            auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(label);
            const auto related = QAccessible::queryAccessibleInterface(label)->relations();
            QVERIFY(std::any_of(related.begin(), related.end(), [&](const auto &pair) { return pair.first == told; }));
        });
        real.messageBox(QStringLiteral("<b>一行目</b>\n\r二行目"), BoxIcon::Information, QStringLiteral("題"));
        QCOMPARE(shown, QStringLiteral("<b>一行目</b>\n二行目"));
    }

    void theGameSpeaksTheFirstOfItsLanguagesTheDesktopAsksFor_data()
    {
        QTest::addColumn<QString>("LANGUAGE");
        QTest::addColumn<QString>("LANG");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("english");
        QTest::newRow("ja:en") << "ja:en" << "en_US.UTF-8" << "" << false;
        QTest::newRow("ja:en, --language=en") << "ja:en" << "en_US.UTF-8" << "en" << true;
        QTest::newRow("en:ja") << "en:ja" << "ja_JP.UTF-8" << "" << true;
        QTest::newRow("en:ja, --language=ja") << "en:ja" << "ja_JP.UTF-8" << "ja" << false;
        QTest::newRow("fr") << "" << "fr_FR.UTF-8" << "" << true;
        QTest::newRow("fr, --language=ja") << "" << "fr_FR.UTF-8" << "ja" << false;
        QTest::newRow("fr:ja") << "fr:ja" << "fr_FR.UTF-8" << "" << false;
        QTest::newRow("fr:ja, --language=en") << "fr:ja" << "fr_FR.UTF-8" << "en" << true;
        QTest::newRow("C") << "" << "C.UTF-8" << "" << false;
        QTest::newRow("C, --language=en") << "" << "C.UTF-8" << "en" << true;
        QTest::newRow("empty") << "" << "" << "" << false;
        QTest::newRow("empty, --language=en") << "" << "" << "en" << true;
        QTest::newRow("POSIX, then English") << "" << "POSIX" << "" << false;
        QTest::newRow("en_GB@euro") << "" << "en_GB.ISO-8859-15@euro" << "" << true;
    }

    void theGameSpeaksTheFirstOfItsLanguagesTheDesktopAsksFor()
    {
        QFETCH(QString, LANGUAGE);
        QFETCH(QString, LANG);
        QFETCH(QString, choice);
        QFETCH(bool, english);
        QProcessEnvironment desktop;
        desktop.insert(QStringLiteral("LANGUAGE"), LANGUAGE);
        desktop.insert(QStringLiteral("LANG"), LANG);
        const Language chosen = language::choose(choice, language::desktopLanguages(desktop));
        QCOMPARE(chosen == Language::English, english);

        // Qt's own buttons in the game's boxes follow the game's language,
        // not the desktop's.
        if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm"))
            QSKIP("Qt's translations (qt6-translations-l10n) are not installed");
        language::use(chosen);
        auto speakJapaneseAgain = qScopeGuard([] { language::use(Language::Japanese); });
        QtServices real;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (const QPushButton *button : box->findChildren<QPushButton *>())
                buttons << button->text();
            box->reject();
        });
        real.inputBox(QStringLiteral("名前は？"), QStringLiteral("題"), QString());
        QVERIFY2(buttons.contains(english ? "Cancel" : "キャンセル"), qPrintable(buttons.join(QLatin1Char(','))));
    }

    void daysComeOneFrameApartAndALateDayDoesNotHurryTheNext()
    {
        FramePace pace;
        QCOMPARE(pace.due(100, 10), 100); // a new stretch: due at once
        pace.turnStarted(100);
        QCOMPARE(pace.due(103, 10), 110);
        pace.turnStarted(112); // a little late: the next keeps its slot
        QCOMPARE(pace.lastLateness(), 2);
        QCOMPARE(pace.due(113, 10), 120);
        pace.turnStarted(145); // more than a frame late: a new stretch
        QCOMPARE(pace.due(146, 10), 155);
        pace.restart();
        QCOMPARE(pace.due(300, 10), 300);
        QCOMPARE(pace.due(300, 7), 300); // another screen, another rate
        pace.turnStarted(300);
        QCOMPARE(pace.due(301, 7), 307);

        QCOMPARE(frameInterval(60), 16'666'667);
        QCOMPARE(frameInterval(144), 6'944'444);
        QCOMPARE(frameInterval(0), frameInterval(60)); // rate unknown
    }

    void realPaceStartsNoTurnBeforeItsFrame_data()
    {
        QTest::addColumn<qreal>("refreshRate");
        QTest::addColumn<bool>("onTheOtherMonitor");
        QTest::newRow("60 Hz") << qreal(60) << false;
        QTest::newRow("144 Hz") << qreal(144) << false;
        QTest::newRow("a 144 Hz monitor beside a 60 Hz primary one") << qreal(144) << true;
    }

    void realPaceStartsNoTurnBeforeItsFrame()
    {
        QFETCH(qreal, refreshRate);
        QFETCH(bool, onTheOtherMonitor);
        QScreen *primary = QGuiApplication::primaryScreen();
        QScreen *other = useMonitors(primary->geometry(), onTheOtherMonitor ? QRect(800, 0, 1024, 768) : QRect());
        const auto oneMonitor = qScopeGuard([primary] {
            QWindowSystemInterface::handleScreenRefreshRateChange(primary, 60);
            useOneMonitor();
        });
        // The screens say their rates as real ones do when they change.
        QWindowSystemInterface::handleScreenRefreshRateChange(primary, other ? 60 : refreshRate);
        if (other)
            QWindowSystemInterface::handleScreenRefreshRateChange(other, refreshRate);
        QWindowSystemInterface::flushWindowSystemEvents();
        QWidget window;
        if (other)
            window.setGeometry(QRect(other->geometry().topLeft() + QPoint(50, 50), QSize(200, 100)));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.screen()->refreshRate(), refreshRate);
        const qint64 interval = frameInterval(refreshRate);
        QElapsedTimer elapsed;
        elapsed.start();
        services.startPace();
        for (int turn = 0; turn < 3; ++turn)
            services.QtServices::awaitNextTurn(window);
        QCOMPARE(services.pace().interval(), interval);
        QVERIFY(elapsed.nsecsElapsed() >= 2 * interval);
    }

    // The slower pace is for a screen reader, not for every client of the
    // accessibility bus (this test's own are none): the desktop's setting
    // and a screen reader started by hand (gdbus under a screen reader's
    // name), one on when the game starts and switched off during it, the
    // other switched on during it.
    void aScreenReaderIsFollowedOnTheBusesWhileTheGameRuns_data()
    {
        QTest::addColumn<bool>("readerFirst");
        QTest::newRow("the desktop's setting on at the start") << false;
        QTest::newRow("a screen reader on the bus before the game") << true;
    }

    void aScreenReaderIsFollowedOnTheBusesWhileTheGameRuns()
    {
        QFETCH(bool, readerFirst);
        const QString noBus = QStringLiteral("unix:path=/nonexistent");
        QVERIFY(!ScreenReaderWatch(QDBusConnection::connectToBus(noBus, noBus)).isOn());
        const QString client = QStandardPaths::findExecutable(QStringLiteral("gdbus"));
        QProcess bus;
        bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (client.isEmpty() || !bus.waitForReadyRead(5000))
            QSKIP("dbus-daemon and gdbus make a bus of the test's own");
        const auto quit = qScopeGuard([&bus] { bus.kill(), bus.waitForFinished(); });
        FakeLauncher launcher;
        launcher.address = QString::fromLocal8Bit(bus.readLine()).trimmed();
        launcher.screenReader = !readerFirst;
        QDBusConnection desktop = QDBusConnection::connectToBus(launcher.address, QStringLiteral("desktop %1").arg(readerFirst));
        QVERIFY(desktop.registerVirtualObject(QStringLiteral("/org/a11y/bus"), &launcher));
        QVERIFY(desktop.registerService(QStringLiteral("org.a11y.Bus")));
        QTemporaryDir bin;
        QVERIFY(QFile::link(client, bin.filePath(QStringLiteral("orca"))));
        QProcess reader;
        // It says what it watches once it is on the bus.
        auto startReader = [&] {
            reader.start(bin.filePath(QStringLiteral("orca")), {QStringLiteral("monitor"), QStringLiteral("--address"),
                                                                launcher.address, QStringLiteral("--dest"), QStringLiteral("org.freedesktop.DBus")});
            return reader.waitForReadyRead(5000);
        };
        if (readerFirst)
            QVERIFY(startReader());

        ScreenReaderWatch watch(QDBusConnection::connectToBus(launcher.address, QStringLiteral("game %1").arg(readerFirst)));
        QTRY_VERIFY(watch.isOn());
        if (readerFirst) {
            reader.kill();
            reader.waitForFinished();
        } else {
            launcher.tell(desktop, false);
        }
        QTRY_VERIFY(!watch.isOn());
        if (readerFirst)
            launcher.tell(desktop, true);
        else
            startReader();
        QTRY_VERIFY(watch.isOn());
        reader.kill();
        reader.waitForFinished();
    }

    void twipsFollowTheLogicalDpi()
    {
        const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        QCOMPARE(twips::perPixelX(), 1440.0 / dpi);
        QCOMPARE(twips::toPixelsX(1440), qRound(dpi));
        QCOMPARE(twips::fromPixelsX(qRound(dpi)), 1440.0 * qRound(dpi) / dpi);
        if (qFuzzyCompare(dpi, 96.0))
            QCOMPARE(twips::toPixels(QSize(2400, 1800)), QSize(160, 120));
    }

    void picturesThatCannotBeReadNameTheFileAndWhy()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QDir().mkdir(QStringLiteral("EVE01.BMP"));
        QFile empty(QStringLiteral("EVE02.BMP"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        for (const QString &name : {QStringLiteral("EVE00.BMP"), QStringLiteral("EVE01.BMP"),
                                    QStringLiteral("EVE02.BMP")}) {
            try {
                readPictureFile(name);
                QFAIL("a picture that cannot be read loaded");
            } catch (const RuntimeError &error) {
                QCOMPARE(error.kind(), ErrorKind::PictureLoading);
                // The report's line, then the file's with why.
                const QString why = error.message().section(QLatin1Char('\n'), 1);
                QCOMPARE(error.message(), QStringLiteral("絵のファイルを読み込めません。\n") + why);
                QVERIFY2(why.startsWith(name + QStringLiteral(": ")), qPrintable(why));
            }
        }
        QDir::setCurrent(pictureFolder());
        QCOMPARE(readPictureFile(QStringLiteral("EVE00.BMP")).size(), QSize(160, 120));
    }
};

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
