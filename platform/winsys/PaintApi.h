#pragma once

#include "platform/winsys/Types.h"

// Painting a window: its surface is a picture of its client size (the HDC of its calls), kept
// between paints. Layered windows show the picture given to UpdateLayeredWindow instead.
namespace winsys {

// Null means the whole client area.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL GetUpdateRect(HWND hwnd, RECT* rect);
// Sends WM_PAINT at once when the window is shown and has something to paint.
BOOL UpdateWindow(HWND hwnd);
// Takes the area to paint (and sends WM_ERASEBKGND when an erase is due); null for no window.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// The window's surface for drawing outside WM_PAINT (and for copying what the window shows);
// valid until the window changes size or is destroyed. ReleaseDC tells the display.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);

// Keeps a copy of `size` pixels of `src` from `srcPoint` (premultiplied when the blend has
// AC_SRC_ALPHA) and the blend; moves the window to `dstPoint` and gives it `size` when they are
// given and differ, through SetWindowPos. `dst` is not used (the screen). ULW_ALPHA or
// ULW_OPAQUE; ULW_COLORKEY is refused.
BOOL UpdateLayeredWindow(HWND hwnd, HDC dst, const POINT* dstPoint, const SIZE* size, HDC src,
                         const POINT* srcPoint, COLORREF key, const BLENDFUNCTION* blend,
                         DWORD flags);

}  // namespace winsys
