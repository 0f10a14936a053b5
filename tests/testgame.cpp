#include "tests/testgame.h"

#include "game/calendar.h"
#include "game/module1.h"
#include "game/opening.h"
#include "windows/form1.h"
#include "windows/forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTest>

void freshGame(ScriptedServices &services)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    game::ResetState();
    installPlatform(&services);
    QDir::setCurrent(pictureFolder());
}

void loadMainWindowWithPictures()
{
    forms::load<Form1>();
    game::LoadEventPictures();
}

int playCalendar()
{
    try {
        game::RunCalendar();
    } catch (const ProgramEnded &end) {
        return end.status;
    }
    return -1;
}

void press(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QString pictureFolder()
{
    return QStringLiteral(PURUMOKE_RUN_DIR);
}
