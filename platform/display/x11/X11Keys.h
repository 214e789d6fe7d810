#pragma once

#include <X11/X.h>

#include "platform/winsys/Types.h"

namespace display::x11 {

// The virtual-key code of a key symbol; 0 for keys the program has no code for.
winsys::UINT VirtualKey(KeySym sym);
// The UTF-16 units a key types (none, one, or a surrogate pair); answers how many.
int TypedUnits(KeySym sym, const char* latin1, int length, char16_t out[2]);

}  // namespace display::x11
