#pragma once

#include "platform/winsys/Types.h"

namespace winsys {

enum class MouseButton { Left, Right, Middle };

// One piece of user input as a display sees it, in screen coordinates. The model queues these
// and turns each into window messages only when the message loop reaches it, so a whole gesture
// can be queued at once and a nested loop (the system move) consumes the rest of it.
struct InputEvent {
  enum class Kind { PointerMove, ButtonDown, ButtonUp, KeyDown, KeyUp, Char };
  Kind kind = Kind::PointerMove;
  POINT pt;  // pointer events: the pointer's position
  MouseButton button = MouseButton::Left;
  UINT code = 0;   // KeyDown, KeyUp: the virtual key; Char: a UTF-16 code unit
  DWORD time = 0;  // stamped by the model when the event is queued
};

}  // namespace winsys
