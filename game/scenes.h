#pragma once

#include <QString>

namespace game {

/// Plays the scene of an event: prints it into the message window and
/// changes the heroine's score. A number outside 0 to 15 does nothing.
void PlayEvent(qint16 event);

/// The place where an event happens, as its scene's header names it
/// ("学校", "秋葉原", ...); empty for a number outside 0 to 15.
QString EventPlace(qint16 event);

/// Clears the message window, prints the scene's four lines and adds the
/// change to the score of the heroine whose name matches exactly.
void ShowScene(const QString &name, const QString &line, const QString &answer,
               qint16 change, const QString &place);

} // namespace game
