#pragma once

#include "platform/winsys/Messages.h"
#include "platform/winsys/Types.h"

// The message calls. The queue hands out, in this order: posted messages, WM_QUIT, user input
// (turned into messages as it is reached), WM_PAINT for a window with something to paint, and
// WM_TIMER for a due timer.
namespace winsys {

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Safe from any thread; wakes a waiting GetMessage. A null window posts a message to the thread.
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Waits for a message; false for WM_QUIT (its wParam is the exit code).
BOOL GetMessage(MSG* msg);
// Takes a message if there is one, without waiting (as with PM_REMOVE).
BOOL PeekMessage(MSG* msg);
// Waits until the queue has something to hand out (a timer may fall due meanwhile).
void WaitMessage();
LRESULT DispatchMessage(const MSG& msg);

// Posts WM_TIMER (wParam = id) to the window every `elapse` ms (at least 10); setting the same
// id again restarts it. Answers the id, or 0 for an invalid window.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

}  // namespace winsys
