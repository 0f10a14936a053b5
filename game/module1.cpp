#include "game/module1.h"

#include "services/runtimeerror.h"

#include <QCoreApplication>
#include <QtNumeric>

namespace game {

QString HeroineTwo()
{
    return QCoreApplication::translate("Game", "武比山　保毛美");
}

QString HeroineThree()
{
    return QCoreApplication::translate("Game", "河馬之小路　おヨネ ");
}

QString PresetFriendName()
{
    return QCoreApplication::translate("Game", "富士崎　緒詩里");
}

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

QString WithLineBreaks(const QString &text)
{
    QString broken = text;
    broken.replace(QLatin1Char('\n'), QStringLiteral("\n\r"));
    return broken;
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
