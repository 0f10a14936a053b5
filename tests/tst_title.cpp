#include "game/module1.h"
#include "game/opening.h"
#include "services/twips.h"
#include "tests/testgame.h"
#include "windows/form2.h"
#include "windows/forms.h"
#include "windows/picturebox.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace game;
using Box = ScriptedServices::Box;

class TitleTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

    Form2 &showTitle()
    {
        guarded(Main);
        Form2 *title = forms::loaded<Form2>();
        if (!title)
            qFatal("the title window did not open");
        return *title;
    }

private slots:
    void init()
    {
        services = &freshGame();
    }

    // The frames of the window managers players use, in pixels.
    void titleWindowIsCentredAtItsOuterSize_data()
    {
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<bool>("widthGrows");
        QTest::addColumn<bool>("heightGrows");
        QTest::newRow("thin") << QMargins(2, 2, 2, 2) << false << false;
        QTest::newRow("openbox") << QMargins(1, 20, 1, 1) << false << false;
        QTest::newRow("kwin, mutter") << QMargins(0, 37, 0, 0) << false << true;
        QTest::newRow("xfwm4") << QMargins(5, 29, 5, 5) << true << true;
    }

    void titleWindowIsCentredAtItsOuterSize()
    {
        QFETCH(QMargins, frame);
        QFETCH(bool, widthGrows);
        QFETCH(bool, heightGrows);
        services->frame = frame;
        Form2 &title = showTitle();
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QCOMPARE(title.windowTitle(), QStringLiteral("ぷるもけ　ノスタリカ"));
        QCOMPARE(title.minimumSize(), title.maximumSize());
        QVERIFY(!title.hasTaskbarEntry());

        // The outer size the title was drawn for, unless the frame leaves
        // too little room: then just the room the picture needs.
        const QSize picture = title.clientArea->picture().size();
        QCOMPARE(picture, QSize(319, 238));
        const QSize area = title.clientArea->size();
        const QSize outer = title.size().grownBy(frame);
        const QSize drawnFor = twips::toPixels(QSize(4900, 4200));
        QCOMPARE(widthGrows ? area.width() : outer.width(), widthGrows ? picture.width() : drawnFor.width());
        QCOMPARE(heightGrows ? area.height() : outer.height(), heightGrows ? picture.height() : drawnFor.height());
        QVERIFY(area.width() >= picture.width() && area.height() >= picture.height());
        QCOMPARE(title.clientArea->geometry().topLeft(), QPoint(0, title.menuBar->geometry().bottom() + 1));

        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(title.leftTwips() - twips::fromPixelsX((screen.width() - outer.width()) / 2))
                <= twips::perPixelX());
        QVERIFY(qAbs(title.topTwips() - twips::fromPixelsY((screen.height() - outer.height()) / 2))
                <= twips::perPixelY());
    }

    void menuHasItsItemsInOrder()
    {
        Form2 &title = showTitle();
        QStringList menus, items;
        for (QAction *menu : title.menuBar->actions()) {
            menus.append(menu->text());
            for (QAction *item : menu->menu()->actions()) {
                items.append(item->text());
                QVERIFY(item->isEnabled() && item->isVisible() && !item->isChecked());
                QVERIFY(item->shortcut().isEmpty());
                QVERIFY(!item->isSeparator());
            }
        }
        QCOMPARE(menus, (QStringList{"&File", "&Help"}));
        QCOMPARE(items, (QStringList{"&Start", "E&xit", "&About"}));
    }

    void aboutBoxSaysPurumokeTwice()
    {
        Form2 &title = showTitle();
        title.mnuabout->trigger();
        title.mnuabout->trigger();
        QCOMPARE(services->boxes.size(), 2);
        QCOMPARE(services->boxes[0].text, QStringLiteral("ぷるもけ！"));
        QCOMPARE(services->boxes[0].title, QStringLiteral("ぷるもけ！"));
        QCOMPARE(services->boxes[0].icon, BoxIcon::Information);
        QVERIFY(!services->ended);
        QCOMPARE(forms::loaded<Form2>(), &title);
    }

    void menuAccessKeysWorkFromTheKeyboard()
    {
        Form2 &title = showTitle();
        QVERIFY(QTest::qWaitForWindowActive(&title));
        services->onBox = [&](const Box &) {
            // The about box answers the first key sequence; then start.
        };
        QTest::keyClick(&title, Qt::Key_H, Qt::AltModifier);
        QMenu *help = title.mnuhelp;
        QTRY_VERIFY(help->isVisible());
        QTest::keyClick(help, Qt::Key_A);
        QTRY_COMPARE(services->boxes.size(), 1);
        QCOMPARE(services->boxes[0].title, QStringLiteral("ぷるもけ！"));

        QTest::keyClick(&title, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(title.mnuFile->isVisible());
        QTest::keyClick(title.mnuFile, Qt::Key_S);
        QTRY_VERIFY(services->ended);
        QCOMPARE(services->boxes[1].title, QStringLiteral("説明なのねん (1/3)"));
        QCOMPARE(services->boxes.last().title, QStringLiteral("あれ？"));
    }

    void doubleClickStartsTheGameASingleClickDoesNot()
    {
        Form2 &title = showTitle();
        QTest::mouseClick(title.clientArea, Qt::LeftButton);
        QCOMPARE(services->boxes.size(), 0);
        QCOMPARE(forms::loaded<Form2>(), &title);
        QTest::mouseDClick(title.clientArea, Qt::LeftButton);
        QVERIFY(services->ended);
        QCOMPARE(services->boxes.first().title, QStringLiteral("説明なのねん (1/3)"));
    }

    void closingTheTitleWindowEndsTheProgram()
    {
        Form2 &title = showTitle();
        requestClose(&title);
        QVERIFY(services->ended);
        QCOMPARE(services->exitStatus, 0);
        QVERIFY(services->boxes.isEmpty());
    }

    void exitItemEndsTheProgram()
    {
        showTitle().mnuexit->trigger();
        QVERIFY(services->ended);
        QCOMPARE(services->exitStatus, 0);
        QVERIFY(services->boxes.isEmpty());
    }

    void aMissingTitlePictureIsReportedAndNoWindowShows_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("broken");
        QTest::newRow("missing") << "title1.BMP" << "";
        QTest::newRow("not a picture") << "" << "title1.BMP";
    }

    void aMissingTitlePictureIsReportedAndNoWindowShows()
    {
        QFETCH(QString, missing);
        QFETCH(QString, broken);
        QTemporaryDir dir;
        usePictureFolderWith(dir, missing, broken);
        guarded(Main);
        QCOMPARE(services->exitStatus, 1);
        QCOMPARE(services->boxes.size(), 1);
        QVERIFY(services->boxes.first().text.contains(QStringLiteral("title1.BMP")));
        QVERIFY(!forms::loaded<Form2>());
        QDir::setCurrent(pictureFolder());
    }
};

QTEST_MAIN(TitleTest)
#include "tst_title.moc"
