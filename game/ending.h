#pragma once

namespace game {

/// Graduation day: the heroine with the highest score of at least 16
/// sends her letter; with no such heroine the program ends.
void RunEnding();

} // namespace game
