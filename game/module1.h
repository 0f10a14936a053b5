#pragma once

#include <QString>

#include <array>

/// The game module: the game's whole state, kept for the life of the
/// process, and the plain procedures that run the game over it.
namespace game {

/// A 16-bit Boolean: True is -1, False is 0.
using Boolean = qint16;
constexpr Boolean True = -1;
constexpr Boolean False = 0;

/// The two heroines with fixed names, in the language the game speaks.
/// In Japanese the family and given names are separated by an ideographic
/// space; the third name ends with an ordinary space that belongs to it,
/// in every language.
QString HeroineTwo();
QString HeroineThree();
/// The childhood friend's name when the player leaves it empty.
QString PresetFriendName();

// The game state. Score index 1 is the friend, 2 and 3 the fixed heroines;
// index 0 is never used.
inline QString FriendName;
inline Boolean TimeStopped = False;
inline std::array<qint16, 4> Score{};
inline qint16 CurrentEvent = 0;
inline qint16 SchoolYear = 0;
inline qint16 Month = 0;
inline qint16 Day = 0;

/// a + b as a 16-bit signed addition; a result out of range raises the
/// overflow error.
qint16 Add16(qint16 a, qint16 b);

/// Integers print as plain decimal digits, with a minus sign when negative.
QString Digits(qint16 value);

/// A box or letter text with the game's line break, LF then CR, wherever
/// the text (as written or translated) breaks its lines.
QString WithLineBreaks(const QString &text);

/// Puts the state back as a new process has it (used by tests, which play
/// many games in one process).
void ResetState();

} // namespace game
