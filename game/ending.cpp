#include "game/ending.h"

#include "services/services.h"

namespace game {

void RunEnding()
{
    // The ending windows come with the title window; until then the game
    // simply ends after graduation day.
    platform().endProgram(0);
}

} // namespace game
