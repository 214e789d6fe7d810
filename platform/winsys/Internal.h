#pragma once

#include "platform/winsys/Types.h"
#include "platform/winsys/Window.h"

// What the window calls share among themselves; not for users of the window system.
namespace winsys::detail {

// The window's record, or null with the last error set.
Window* Lookup(HWND hwnd);
// Makes `hwnd` (null: none) the active window: WM_ACTIVATE to the old and the new one, whose
// default handling moves the focus.
void Activate(HWND hwnd, WORD how);
// The next message without waiting; input is turned into messages only when `withInput`.
bool FetchMessage(MSG* msg, bool withInput);
// Sleeps until the display has something, a message is posted or the next timer is due.
void IdleWait();
// The system move: the window follows the pointer until every button is up.
void RunMoveLoop(HWND hwnd);

}  // namespace winsys::detail

namespace winsys::detail {

// SetWindowPos itself. `stateChanged` is set by minimise, maximise and restore: the client area
// then counts as moved and sized, so WM_SIZE tells the new state.
BOOL PlaceWindow(HWND hwnd, WINDOWPOS wp, bool stateChanged);

}  // namespace winsys::detail
