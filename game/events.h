#pragma once

#include <QtGlobal>

namespace game {

/// The day's event number, 0 to 15, by the day-off, season and fixed-date
/// rules; month is 1 to 12.
qint16 PickEvent(qint16 month, qint16 day);

/// A whole number from 1 to n, each equally likely; n is positive.
qint16 RandomUpTo(qint16 n);

} // namespace game
