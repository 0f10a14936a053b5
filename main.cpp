#include "game/opening.h"
#include "services/language.h"
#include "services/qtservices.h"
#include "services/runtimeerror.h"
#include "services/windowing.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstdlib>

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
    // Asked for before there is an application object, which Qt's own help
    // and version options need.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the version."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Plays in this language: en (English) or ja (Japanese), "
                                                     "whatever the desktop's language."),
                                      QStringLiteral("ja|en"));
    parser.addOption(language);
    // Qt's own options (-platform xcb, -style fusion) are left to Qt; an
    // option of two dashes is ours, and one we do not know is a mistake.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.parse(arguments);
    QStringList mistaken;
    for (const QString &name : parser.unknownOptionNames()) {
        const QString ours = QStringLiteral("--") + name;
        for (const QString &argument : std::as_const(arguments)) {
            if (argument == ours || argument.startsWith(ours + QLatin1Char('=')))
                mistaken.append(ours);
        }
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("purumoke"))),
                   stdout);
        std::exit(0);
    }
    if (parser.isSet(version)) {
        std::printf("purumoke %s\n", PURUMOKE_VERSION);
        std::exit(0);
    }
    QString error;
    if (!mistaken.isEmpty())
        error = QStringLiteral("Unknown option '%1'.").arg(mistaken.constFirst());
    else if (parser.isSet(language) && !language::isChoice(parser.value(language)))
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
