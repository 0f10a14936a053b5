#include "game/module1.h"

#include "services/runtimeerror.h"

#include <QtNumeric>

namespace game {

qint16 Add16(qint16 a, qint16 b)
{
    qint16 sum = 0;
    if (qAddOverflow(a, b, &sum))
        throw RuntimeError(ErrorKind::Overflow);
    return sum;
}

QString Digits(qint16 value)
{
    return QString::number(value);
}

void ResetState()
{
    FriendName.clear();
    TimeStopped = False;
    Score.fill(0);
    CurrentEvent = 0;
    SchoolYear = 0;
    Month = 0;
    Day = 0;
}

} // namespace game
