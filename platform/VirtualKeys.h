#pragma once

#include "platform/Platform.h"

// The game's key from a Windows virtual-key code, as a plain number so that the mapping builds
// and is tested where windows.h is not. Windows already numbers letters by what the layout
// prints on the key and every other key by its place, as the game wants; the keys the game has
// no use for give Key::None.
Key KeyOfVirtualKey(unsigned virtualKey);
