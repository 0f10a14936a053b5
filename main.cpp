#include "game/opening.h"
#include "services/windowing.h"
#include "services/qtservices.h"
#include "services/runtimeerror.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    windowing::preferX11();
    // Without a display Qt would abort; the manual page promises status 1.
    if (const QString missing = windowing::missingDisplay(); !missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(missing));
        return 1;
    }
    QApplication app(argc, argv);
    // Docks and task managers tie the windows to the menu entry: on X11 by
    // the windows' class, the application's name, whatever the program file
    // is called (StartupWMClass in the entry); on Wayland by the app id.
    QCoreApplication::setApplicationName(QStringLiteral("purumoke"));
    QGuiApplication::setDesktopFileName(QStringLiteral(PURUMOKE_APP_ID));
    useQtTranslations(QLocale::system());
    QtServices services;
    installPlatform(&services);
    services.followScreenReader();
    guarded(game::Main);
    // The game ends the program itself, in one of its four ways.
    return app.exec();
}
