#include "game/opening.h"

#include "game/calendar.h"
#include "game/module1.h"
#include "services/services.h"
#include "windows/form1.h"
#include "windows/forms.h"
#include "windows/picturebox.h"

namespace game {

void Main()
{
    platform().seedRandom();
    // Until the title window and the opening exist, the game goes straight
    // to the calendar with the preset friend.
    FriendName = PresetFriendName;
    forms::load<Form1>();
    LoadEventPictures();
    RunCalendar();
}

QString EventPictureName(int i)
{
    return QStringLiteral("EVE%1.BMP").arg(i, 2, 10, QLatin1Char('0'));
}

void LoadEventPictures()
{
    Form1 &main = forms::load<Form1>();
    for (int i = 0; i <= 15; ++i)
        main.Image1[i]->setPicture(platform().loadPicture(EventPictureName(i)));
}

} // namespace game
