#include "game/events.h"

#include "services/services.h"

#include <cmath>

namespace game {

namespace {

bool isDayOffByDate(qint16 month, qint16 day)
{
    switch (month) {
    case 1:
        return day <= 7;
    case 3:
        return day >= 21;
    case 4:
        return day <= 6;
    case 7:
        return day >= 21;
    case 8:
        return true;
    case 12:
        return day >= 24;
    default:
        return false;
    }
}

/// Whether the season lets a drawn event happen in this month.
bool isInSeason(qint16 event, qint16 month)
{
    switch (event) {
    case 7:
        return month == 7 || month == 8;
    case 8:
        return month == 12 || month == 1 || month == 2;
    case 9:
        return month == 9;
    case 13:
    case 14:
    case 15:
        return false;
    default:
        return true;
    }
}

/// The event a fixed date always has, or -1.
qint16 fixedDateEvent(qint16 month, qint16 day)
{
    if (month == 9 && (day == 10 || day == 11))
        return 9;
    if (month == 10 && (day == 9 || day == 11))
        return 13;
    if (month == 10 && day == 10)
        return 14;
    if (month == 11 && (day == 3 || day == 4))
        return 15;
    return -1;
}

/// Int(r × factor): the product rounded to single precision, then floored.
qint16 scaledDraw(float factor)
{
    const float product = platform().nextRandom() * factor;
    return static_cast<qint16>(std::floor(product));
}

} // namespace

qint16 PickEvent(qint16 month, qint16 day)
{
    bool dayOff = isDayOffByDate(month, day);
    // About one day in seven is a day off whatever the date.
    if (platform().nextRandom() * 7.0f < 1.0f)
        dayOff = true;

    const qint16 fixed = fixedDateEvent(month, day);
    for (;;) {
        const qint16 candidate = dayOff ? qint16(scaledDraw(13.0f) + 3) : scaledDraw(3.0f);
        if (fixed >= 0)
            return fixed;
        if (isInSeason(candidate, month))
            return candidate;
    }
}

qint16 RandomUpTo(qint16 n)
{
    return static_cast<qint16>(scaledDraw(static_cast<float>(n)) + 1);
}

} // namespace game
