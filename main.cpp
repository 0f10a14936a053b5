#include "game/opening.h"
#include "services/language.h"
#include "services/qtservices.h"
#include "services/runtimeerror.h"
#include "services/windowing.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QProcessEnvironment>

#include <cstdio>

namespace {

/// Reads the command line before anything needs a display, so that --help
/// and --version answer anywhere. Returns the player's language choice, or
/// ends the program when the line asks for no game or makes no sense.
QString readCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A comic school-life game: three school years, one day at a time."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Plays in this language: en (English) or ja (Japanese), "
                                                     "whatever the desktop's language."),
                                      QStringLiteral("ja|en"));
    parser.addOption(language);
    const bool understood = parser.parse(arguments);
    if (understood && parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        std::exit(0);
    }
    if (understood && parser.isSet(version)) {
        std::printf("purumoke %s\n", PURUMOKE_VERSION);
        std::exit(0);
    }
    QString error = parser.errorText();
    if (understood && !parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    else if (understood && parser.isSet(language) && !language::isChoice(parser.value(language)))
        error = QStringLiteral("Unknown language '%1': choose en or ja.").arg(parser.value(language));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "purumoke: %s\nTry 'purumoke --help'.\n", qPrintable(error));
        std::exit(2);
    }
    return parser.value(language);
}

} // namespace

int main(int argc, char *argv[])
{
    const QString choice = readCommandLine(argc, argv);
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
    language::use(language::choose(choice, language::desktopLanguages(QProcessEnvironment::systemEnvironment())));
    QtServices services;
    installPlatform(&services);
    services.followScreenReader();
    guarded(game::Main);
    // The game ends the program itself, in one of its four ways.
    return app.exec();
}
