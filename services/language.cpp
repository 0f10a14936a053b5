#include "services/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QProcessEnvironment>
#include <QTranslator>

namespace language {

namespace {

Language spoken = Language::Japanese;

/// The language part of a locale name: "ja" of "ja_JP.UTF-8", "en" of
/// "en_US@euro"; empty for C and POSIX, which ask for no language.
QString languageOf(const QString &locale)
{
    QString name = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    name = name.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
    if (name == QLatin1String("c") || name == QLatin1String("posix"))
        return {};
    return name;
}

/// The name the catalogues installed for the game's language go by.
const QString Installed = QStringLiteral("language");

/// Loads a catalogue and installs it for the whole program; false when
/// there is none.
bool install(const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(Installed);
    if (translator->load(name, folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace

QStringList desktopLanguages(const QProcessEnvironment &environment)
{
    QStringList wanted = environment.value(QStringLiteral("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = environment.value(QString::fromLatin1(variable));
        if (!value.isEmpty()) {
            wanted.append(value);
            break;
        }
    }
    return wanted;
}

bool isChoice(const QString &choice)
{
    return choice == QLatin1String("ja") || choice == QLatin1String("en");
}

Language choose(const QString &choice, const QStringList &desktop)
{
    if (choice == QLatin1String("en"))
        return Language::English;
    if (choice == QLatin1String("ja"))
        return Language::Japanese;
    // The first of the game's two languages in the list decides; a list
    // of others only is a desktop the English game reaches more players on.
    bool asked = false;
    for (const QString &entry : desktop) {
        const QString name = languageOf(entry);
        if (name == QLatin1String("ja"))
            return Language::Japanese;
        if (name == QLatin1String("en"))
            return Language::English;
        asked = asked || !name.isEmpty();
    }
    return asked ? Language::English : Language::Japanese;
}

void use(Language language)
{
    spoken = language;
    // A language used before goes, with the catalogues it brought.
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>(Installed, Qt::FindDirectChildrenOnly));
    // Decided above from the list, then loaded by name: loading by locale
    // would walk the desktop's whole list and could find English for a
    // desktop that asks for Japanese first.
    if (language == Language::English)
        install(QStringLiteral("purumoke_en"), QStringLiteral(":/i18n"));
    else
        install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Language current()
{
    return spoken;
}

} // namespace language
