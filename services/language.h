#pragma once

#include <QString>
#include <QStringList>

class QProcessEnvironment;

/// The languages the game speaks. Its texts are written in Japanese; the
/// English game is a translation of them (i18n/purumoke_en.ts).
enum class Language { Japanese, English };

namespace language {

/// The desktop's languages, most wanted first, as this environment asks
/// for them: each entry of LANGUAGE, then the first of LC_ALL, LC_MESSAGES
/// and LANG that is set.
QStringList desktopLanguages(const QProcessEnvironment &environment);

/// The language a game is played in. The player's choice ("ja" or "en")
/// wins; without one, Japanese where the desktop asks for Japanese before
/// English or for no language at all (C or POSIX), English where it asks
/// for English first or only for languages the game does not have.
Language choose(const QString &choice, const QStringList &desktop);

/// Whether a player's choice names a language the game has.
bool isChoice(const QString &choice);

/// From now on the game speaks this language: its own texts and the texts
/// of Qt's that its boxes show, in place of any language used before. Call
/// once the application object exists.
void use(Language language);

/// The language the game speaks: Japanese until use() says otherwise.
Language current();

} // namespace language
