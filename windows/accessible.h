#pragma once

/// Tells assistive technology what the game's own widgets are, where Qt
/// cannot know: a window is a window (a dialog for the fixed dialogs)
/// named by its caption, a picture box is a picture named by what it
/// shows, the message window's print surface is read-only text, and each
/// bar of the graph reads as its share, labelled by its heroine's name.
/// Called by every window as it is made; only the first call does anything.
void installAccessibleRoles();
