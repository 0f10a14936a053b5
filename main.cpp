#include "game/opening.h"
#include "services/qtservices.h"
#include "services/runtimeerror.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The game decides when it ends, not the number of visible windows.
    app.setQuitOnLastWindowClosed(false);

    QtServices services;
    installPlatform(&services);
    QTimer::singleShot(0, [] { guarded(game::Main); });
    return app.exec();
}
