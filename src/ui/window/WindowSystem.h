#pragma once
// What the window system lets the program do with its windows. X11 and
// Windows place windows where asked and honour a fixed size; a Wayland
// compositor places every window itself and may ask any state of it
// (maximized, fullscreen, tiled) whatever size the window asks for.
#include <optional>

class QWidget;

namespace modLumentorMGW {

// False where the program's window positions are ignored and made up.
bool PlacesWindows();
// Tests stand in for another window system; nullopt asks the real one.
void OverridePlacesWindows(std::optional<bool> places);

// Holds a top-level window at its size hint. Where the compositor may force
// a state, the size is only a minimum: a maximized or fullscreen window must
// take the compositor's size or be disconnected, so the contents keep their
// size in a larger window instead. Applied again after a move to a screen of
// another scale, where the window system's size limits change.
void HoldFixedSize(QWidget *window);

} // namespace modLumentorMGW
