#include "game/ending.h"
#include "game/module1.h"
#include "game/opening.h"
#include "game/scenes.h"
#include "services/language.h"
#include "services/twips.h"
#include "services/windowreports.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/form5.h"
#include "windows/forms.h"
#include "windows/label.h"
#include "windows/picturebox.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace game;

Q_DECLARE_METATYPE(Language)


class WindowsTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

    /// Rows for a test that holds in both of the game's languages.
    static void languages()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("Japanese") << Language::Japanese;
        QTest::newRow("English") << Language::English;
    }
    /// The game speaks the row's language until the next test.
    void speak()
    {
        QFETCH(Language, language);
        language::use(language);
        FriendName = PresetFriendName();
    }

private slots:
    void init()
    {
        services = &freshGame();
        FriendName = PresetFriendName();
    }

    void cleanup()
    {
        language::use(Language::Japanese);
    }

    void mainWindowIsLaidOutInTwips()
    {
        Form1 &main = forms::load<Form1>();
        QCOMPARE(main.windowTitle(), QStringLiteral("ぷるノス　メイン画面"));
        QCOMPARE(main.size(), twips::toPixels(QSize(4350, 2100)));
        QCOMPARE(main.Command1->geometry(), inTwips(2760, 1560, 1455, 375));
        QCOMPARE(main.Command2->geometry(), inTwips(2760, 1080, 1455, 375));
        QCOMPARE(main.Label1->geometry(), inTwips(2640, 240, 855, 375));
        QCOMPARE(main.Label2->geometry(), inTwips(2880, 720, 975, 255));
        QCOMPARE(main.Image2->geometry(), inTwips(120, 120, 2400, 1800));
        QCOMPARE(main.Image1[0]->geometry(), inTwips(0, 2520, 855, 855));
        QCOMPARE(main.Image1[16]->geometry(), inTwips(3480, 2760, 855, 855));
        for (const PictureBox *holder : main.Image1)
            QVERIFY(holder->isHidden());
        QCOMPARE(main.Command1->text(), QStringLiteral("時間よ止まれ"));
        QCOMPARE(main.Command2->text(), QStringLiteral("ぷるもけグラフ"));
        QVERIFY(main.Label1->caption().isEmpty());

        // Sizable, but without a control menu: no close, minimise or maximise.
        const Qt::WindowFlags flags = main.windowFlags();
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        QVERIFY(main.minimumSize() != main.maximumSize());
        QVERIFY(main.hasTaskbarEntry());
    }

    void mainWindowIsCentredForItsOuterSize()
    {
        Form1 &main = forms::load<Form1>();
        const QSize outer = main.size().grownBy(services->frame);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint outerTopLeft = main.geometry().topLeft() - QPoint(services->frame.left(), services->frame.top());
        QVERIFY(qAbs(outerTopLeft.x() - (screen.width() - outer.width()) / 2) <= 1);
        QVERIFY(qAbs(outerTopLeft.y() - (screen.height() - outer.height()) / 2) <= 1);
    }

    void everyWindowIsCentredOnThePrimaryMonitor_data()
    {
        QTest::addColumn<QRect>("primary");
        QTest::addColumn<QRect>("other");
        QTest::addColumn<double>("density");
        QTest::newRow("one monitor") << QRect(0, 0, 800, 800) << QRect() << 1.0;
        QTest::newRow("a laptop left of the primary monitor")
            << QRect(1280, 0, 1920, 1080) << QRect(0, 280, 1280, 800) << 1.0;
        QTest::newRow("a primary laptop below an external monitor")
            << QRect(320, 1080, 1280, 800) << QRect(0, 0, 1920, 1080) << 1.0;
        QTest::newRow("one monitor of twice the density") << QRect(0, 0, 800, 800) << QRect() << 2.0;
    }

    void everyWindowIsCentredOnThePrimaryMonitor()
    {
        QFETCH(QRect, primary);
        QFETCH(QRect, other);
        QFETCH(double, density);
        useMonitors(primary, other, density);
        const auto oneMonitor = qScopeGuard(useOneMonitor);
        // The window manager counts the screen's pixels, and its title bars
        // are thicker than the other sides.
        const QMargins frame(2, 20, 2, 2);
        services->frame = frame * density;
        Score = {0, 1, 1, 1};
        const QList<Form *> windows = {&forms::show<Form2>(), &forms::show<Form1>(), &forms::show<Form3>(),
                                       &forms::load<Form4>(), &forms::show<Form5>()};
        QCOMPARE(windows[0]->devicePixelRatioF(), density);
        for (Form *window : windows) {
            const QRect outer = window->geometry().marginsAdded(frame);
            const QByteArray where = window->windowTitle().toUtf8() + " at " + QByteArray::number(outer.x()) + ","
                                     + QByteArray::number(outer.y());
            QVERIFY2(primary.contains(outer), where);
            QVERIFY2(qAbs(2 * (outer.left() - primary.left()) + outer.width() - primary.width()) <= 2, where);
            // The message window goes below the main window instead.
            if (window != windows[2])
                QVERIFY2(qAbs(2 * (outer.top() - primary.top()) + outer.height() - primary.height()) <= 2, where);
        }
    }

    // The window manager may tell another frame once it has framed a window
    // or later, and may move a new window its own way while it settles it.
    void windowsArePlacedAgainForTheFrameTheyGet_data()
    {
        QTest::addColumn<QString>("manager");
        QTest::newRow("frames them otherwise than it said") << "framed";
        QTest::newRow("tells another frame later") << "told";
        QTest::newRow("moves them while it settles them") << "moved";
        QTest::newRow("the player moves one once settled, then another opens") << "player";
    }

    void windowsArePlacedAgainForTheFrameTheyGet()
    {
        QFETCH(QString, manager);
        const QMargins thick(4, 30, 4, 4);
        Form1 &main = forms::load<Form1>();
        if (manager == "framed")
            services->frame = thick;
        forms::show<Form1>();
        Form3 &messages = forms::show<Form3>();
        auto placed = [&] {
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            const QRect outer = main.geometry().marginsAdded(services->frame);
            const double below = main.topTwips() + main.outerHeightTwips() + 200;
            return qAbs(2 * outer.left() + outer.width() - screen.width()) <= 2
                   && qAbs(2 * outer.top() + outer.height() - screen.height()) <= 2
                   && qAbs(messages.topTwips() - below) <= twips::perPixelY();
        };
        if (manager == "told") {
            services->frame = thick;
            services->tellFrame(main);
        } else if (manager == "moved") {
            main.move(main.pos() + QPoint(40, 40));
            messages.move(messages.pos() + QPoint(40, 40));
            QVERIFY(!placed());
            QTRY_VERIFY_WITH_TIMEOUT(placed(), WindowReports::SettlingLooks.back() + 1000);
        } else if (manager == "player") {
            // Where the player puts a window, it stays: also when another
            // window opens, or the main window gets another frame.
            QTest::qWait(WindowReports::SettlingLooks.front() + 50);
            const QRect moved = main.geometry().translated(60, 40);
            main.setGeometry(moved);
            forms::show<Form4>();
            services->frame = thick;
            services->tellFrame(main);
            QTest::qWait(WindowReports::SettlingLooks.back());
            QCOMPARE(main.geometry(), moved);
            return;
        }
        QVERIFY(placed());
    }

    // A player who has moved the main window to another monitor and types
    // in another program gets the box at the end where the game went.
    void theBoxAtTheEndOpensWhereThePlayerMovedTheGame()
    {
        QScreen *laptop = useMonitors(QRect(1280, 0, 1920, 1080), QRect(0, 280, 1280, 800));
        const auto oneMonitor = qScopeGuard(useOneMonitor);
        Form1 &main = forms::show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        main.move(laptop->geometry().center() - main.rect().center());
        QTRY_COMPARE(main.screen(), laptop);
        focusAnotherProgram();
        QTRY_VERIFY(!QGuiApplication::focusWindow());
        QRect box;
        QTimer::singleShot(0, [&box] {
            QWidget *shown = QApplication::activeModalWidget();
            QVERIFY(shown);
            box = shown->frameGeometry();
            shown->close();
        });
        services->QtServices::messageBox(QStringLiteral("卒業式の日だ"), BoxIcon::Information, QStringLiteral("卒業式"));
        QVERIFY2(laptop->geometry().contains(box), qPrintable(QStringLiteral("%1,%2").arg(box.x()).arg(box.y())));
    }

    void stopButtonHasTheFocusThenTheGraphButton()
    {
        Form1 &main = forms::show<Form1>();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCOMPARE(main.focusWidget(), main.Command1);
        QVERIFY(main.Command1->hasFocus() || !main.isActiveWindow());
        main.Command1->setFocus();
        QTest::keyClick(&main, Qt::Key_Tab);
        QCOMPARE(main.focusWidget(), main.Command2);
        QTest::keyClick(main.Command1, Qt::Key_Space);
        QCOMPARE(TimeStopped, True);
    }

    void messageWindowSitsTwoHundredTwipsBelowTheMainWindow()
    {
        Form1 &main = forms::load<Form1>();
        main.setGeometry(main.geometry().translated(7, 11));
        Form3 &messages = forms::load<Form3>();
        QCOMPARE(messages.windowTitle(), QStringLiteral("メッセージ"));
        QCOMPARE(messages.size(), twips::toPixels(QSize(8385, 1350)));
        QCOMPARE(messages.minimumSize(), messages.maximumSize());
        QCOMPARE(messages.Command1->geometry(), inTwips(6480, 840, 1575, 375));
        QCOMPARE(messages.Command1->text(), QStringLiteral("次いってみよう"));
        QVERIFY(!messages.hasTaskbarEntry());
        QVERIFY(messages.windowFlags().testFlag(Qt::Tool));
        QVERIFY(messages.windowFlags().testFlag(Qt::WindowCloseButtonHint));

        const double below = main.topTwips() + main.outerHeightTwips() + 200;
        QVERIFY(qAbs(messages.topTwips() - below) <= twips::perPixelY());
        // Both are centred across the screen, so the wider message window
        // stands out by the same amount on both sides.
        const double leftOverhang = main.leftTwips() - messages.leftTwips();
        const double rightOverhang = (messages.leftTwips() + messages.outerWidthTwips())
                                     - (main.leftTwips() + main.outerWidthTwips());
        const double moved = 7 * twips::perPixelX();
        QVERIFY(qAbs((leftOverhang - moved) - (rightOverhang + moved)) <= 2 * twips::perPixelX());
    }

    void messageWindowPrintsWhiteOnDarkGreenInAJapaneseGothicFace()
    {
        Form3 &messages = forms::show<Form3>();
        QCOMPARE(messages.font().family(), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(messages.font().pointSize(), 9);
        QCOMPARE(QFontInfo(messages.font()).family(), QStringLiteral("IPAGothic"));
        QCOMPARE(QFontInfo(messages.Command1->font()).family(), QStringLiteral("IPAPGothic"));

        PlayEvent(5);
        const QImage shown = messages.grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() - 2, 2), QColor(0, 64, 0));
        bool whiteText = false;
        for (int x = 0; x < 100 && !whiteText; ++x) {
            for (int y = 0; y < 14 && !whiteText; ++y) {
                // Smoothed strokes come near white without reaching it.
                const QColor pixel = shown.pixelColor(x, y);
                whiteText = qMin(pixel.red(), qMin(pixel.green(), pixel.blue())) > 200;
            }
        }
        QVERIFY2(whiteText, "the first line is drawn in white");
    }

    void everySceneFitsAboveTheNextButtonWithoutWrapping_data() { languages(); }
    void everySceneFitsAboveTheNextButtonWithoutWrapping()
    {
        speak();
        Form3 &messages = forms::show<Form3>();
        const QFontMetrics metrics(messages.font());
        QVERIFY(4 * metrics.lineSpacing() <= inTwips(0, 0, 0, 840).height());
        for (qint16 event = 0; event <= 15; ++event) {
            for (float variantDraw : {0.0f, 0.4f, 0.8f}) {
                services->randomValues = {variantDraw};
                PlayEvent(event);
                for (const QString &line : messages.printedLines())
                    QVERIFY2(metrics.horizontalAdvance(line) <= messages.width(), qPrintable(line));
            }
        }
    }

    void everyCaptionFitsItsBoxInTheGameFaces_data() { languages(); }
    void everyCaptionFitsItsBoxInTheGameFaces()
    {
        speak();
        // The widest captions the main, graph and ending windows show in a
        // game: every month's last day, the names, the letter.
        Form1 &main = forms::show<Form1>();
        Score = {0, 1, 1, 1};
        Form4 &graph = forms::show<Form4>();
        Score = {0, 20, 0, 0};
        RunEnding();
        QList<QWidget *> controls = {main.Label1, main.Label2, main.Command1, main.Command2,
                                     forms::show<Form3>().Command1, graph.Command1, forms::loaded<Form5>()->Label1};
        for (Label *label : graph.Label1)
            controls.append(label);
        controls.append(graph.Label2[0]);

        for (qint16 month = 1; month <= 12; ++month) {
            ShowDate(qint16(3), month, qint16(31));
            for (QWidget *control : std::as_const(controls)) {
                QCOMPARE(QFontInfo(control->font()).family(), QStringLiteral("IPAPGothic"));
                QCOMPARE(control->font().pointSize(), 9);
                if (auto *label = qobject_cast<Label *>(control)) {
                    // A caption too wide for its box would wrap below it.
                    QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
                    continue;
                }
                auto *button = static_cast<QPushButton *>(control);
                QStyleOptionButton option;
                option.initFrom(button);
                const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= inside.width(),
                         qPrintable(button->text()));
            }
        }
    }

    void windowsAreWindowsNamedByTheirCaption()
    {
        guarded(Main);
        const QList<QPair<Form *, QAccessible::Role>> windows = {
            {forms::loaded<Form2>(), QAccessible::Dialog},
            {&forms::load<Form1>(), QAccessible::Window},
            {&forms::load<Form3>(), QAccessible::Window},
            {&forms::load<Form4>(), QAccessible::Dialog},
            {&forms::load<Form5>(), QAccessible::Dialog},
        };
        for (const auto &[form, role] : windows) {
            QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form);
            QCOMPARE(window->role(), role);
            QCOMPARE(window->text(QAccessible::Name), form->windowTitle());
        }
    }

    // Each scene is read as text; the next button, which takes the focus
    // for the scene, carries it as its description so that it is spoken.
    // (The events on a real accessibility bus: tests/desktop_session.sh.)
    void printedSceneIsReadableText()
    {
        Form3 &messages = forms::show<Form3>();
        PlayEvent(3);
        PlayEvent(14);
        const QString scene = messages.printedLines().join(QLatin1Char('\n'));
        QCOMPARE(messages.printedLines().size(), 4);
        QAccessibleInterface *area = nullptr;
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&messages);
        for (int i = 0; i < window->childCount(); ++i) {
            if (window->child(i)->textInterface())
                area = window->child(i);
        }
        QVERIFY(area);
        QCOMPARE(area->role(), QAccessible::EditableText);
        QVERIFY(area->state().readOnly);
        const QAccessibleTextInterface *text = area->textInterface();
        QCOMPARE(text->text(0, text->characterCount()), scene);
        // One run of attributes over the whole text: a screen reader reads a
        // line up to the end of its run.
        int runStart = -1, runEnd = -1;
        text->attributes(5, &runStart, &runEnd);
        QCOMPARE(QPair(runStart, runEnd), QPair(0, text->characterCount()));
        int start = -1, end = -1;
        QCOMPARE(text->textAtOffset(scene.indexOf(QStringLiteral("恋のチャンス")), QAccessible::LineBoundary, &start, &end)
                     .trimmed(),
                 QStringLiteral("恋のチャンス！"));
        QCOMPARE(messages.Command1->accessibleDescription(), scene);
        // Once the main window shows a day, the day comes first, as it shows it.
        ShowDate(qint16(1), qint16(10), qint16(20));
        PlayEvent(14);
        QCOMPARE(messages.Command1->accessibleDescription(),
                 QStringLiteral("1年目　10月20日\n") + messages.printedLines().join(QLatin1Char('\n')));
    }

    void picturesAreNamedByWhatTheyShow()
    {
        guarded(Main);
        QAccessibleInterface *title = QAccessible::queryAccessibleInterface(forms::loaded<Form2>()->clientArea);
        QCOMPARE(title->role(), QAccessible::Graphic);
        QCOMPARE(title->text(QAccessible::Name), QStringLiteral("ぷるもけ　ノスタリカ"));
        // It holds the keyboard as the window opens, so that it is named then.
        QTRY_COMPARE(QApplication::focusWidget(), forms::loaded<Form2>()->clientArea);
        QCOMPARE(QAccessible::queryAccessibleInterface(forms::load<Form5>().clientArea)->text(QAccessible::Name),
                 QStringLiteral("伝説の樹"));

        // At a stop the event picture is named by the place in the header
        // of its scene; while time runs it is not renamed.
        loadMainWindowWithPictures();
        Form1 &main = *forms::loaded<Form1>();
        TimeStopped = True;
        for (qint16 n = 0; n <= 15; ++n) {
            ShowEventPicture(n);
            PlayEvent(n);
            const QString header = forms::loaded<Form3>()->printedLines().value(0);
            QCOMPARE(QStringLiteral("［%1］").arg(main.Image2->accessibleName()), header);
        }
        TimeStopped = False;
        ShowEventPicture(qint16(0));
        QCOMPARE(main.Image2->accessibleName(), EventPlace(15));
        QCOMPARE(QAccessible::queryAccessibleInterface(main.Image2)->role(), QAccessible::Graphic);
    }

    void thePlayerCannotCloseTheMainOrTheMessageWindow()
    {
        Form1 &main = forms::show<Form1>();
        Form3 &messages = forms::show<Form3>();
        requestClose(&main);
        requestClose(&messages);
        QCOMPARE(forms::loaded<Form1>(), &main);
        QCOMPARE(forms::loaded<Form3>(), &messages);
        QVERIFY(main.isVisible());
        QVERIFY(messages.isVisible());
        // The program's own unload of the message window is refused as well.
        QVERIFY(!forms::unload<Form3>());
        QCOMPARE(forms::loaded<Form3>(), &messages);
        QVERIFY(forms::unload<Form1>());
        QVERIFY(!forms::loaded<Form1>());
    }

    void eventPictureIsSharedNotCopied()
    {
        loadMainWindowWithPictures();
        Form1 &main = *forms::loaded<Form1>();
        for (qint16 n = 0; n <= 15; ++n) {
            ShowEventPicture(n);
            QCOMPARE(main.Image2->picture().cacheKey(), main.Image1[n]->picture().cacheKey());
            QCOMPARE(main.Image2->picture().size(), QSize(160, 120));
        }
        ShowEventPicture(qint16(16));
        QVERIFY(main.Image2->picture().isNull());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ShowEventPicture(qint16(17)));
    }

    void dateLabelsShowPlainDigits()
    {
        forms::load<Form1>();
        ShowDate(qint16(1), qint16(4), qint16(7));
        QCOMPARE(forms::loaded<Form1>()->Label1->caption(), QStringLiteral("1年目"));
        QCOMPARE(forms::loaded<Form1>()->Label2->caption(), QStringLiteral("4月7日"));
        ShowDate(qint16(-3), qint16(12), qint16(31));
        QCOMPARE(forms::loaded<Form1>()->Label1->caption(), QStringLiteral("-3年目"));
        QCOMPARE(forms::loaded<Form1>()->Label2->caption(), QStringLiteral("12月31日"));
    }

    void missingOrBrokenPictureBecomesTheErrorReportNamingTheFile_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("broken");
        QTest::addColumn<QString>("named");
        QTest::newRow("missing") << "EVE07.BMP" << "" << "EVE07.BMP";
        QTest::newRow("not a picture") << "" << "EVE12.BMP" << "EVE12.BMP";
        QTest::newRow("first missing") << "EVE00.BMP" << "EVE15.BMP" << "EVE00.BMP";
    }

    void missingOrBrokenPictureBecomesTheErrorReportNamingTheFile()
    {
        QFETCH(QString, missing);
        QFETCH(QString, broken);
        QFETCH(QString, named);
        QTemporaryDir dir;
        usePictureFolderWith(dir, missing, broken);

        guarded([] {
            forms::load<Form1>();
            LoadEventPictures();
        });
        QVERIFY(services->ended);
        QVERIFY(services->exitStatus != 0);
        QCOMPARE(services->boxes.size(), 1);
        QVERIFY2(services->boxes.first().text.contains(named), qPrintable(services->boxes.first().text));
        QDir::setCurrent(pictureFolder());
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
