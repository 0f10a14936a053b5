#include "game/opening.h"
#include "services/windowing.h"
#include "services/qtservices.h"
#include "services/runtimeerror.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    windowing::preferX11();
    QApplication app(argc, argv);
    QtServices services;
    installPlatform(&services);
    guarded(game::Main);
    // The game ends the program itself, in one of its four ways.
    return app.exec();
}
