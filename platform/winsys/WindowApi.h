#pragma once

#include <string>

#include "platform/winsys/Display.h"
#include "platform/winsys/Messages.h"
#include "platform/winsys/Styles.h"
#include "platform/winsys/Types.h"

// The window calls, with the platform's names and behaviour. Windows are top-level and
// borderless (the client area is the whole window). Failing calls answer false or null and set
// the last error (kernel::GetLastError). Everything but PostMessage runs on the thread of the
// message loop.
namespace winsys {

// What CreateWindowEx needs. The model has no window classes: the class style and the window
// procedure come with the window.
struct WindowParams {
  DWORD exStyle = 0;
  DWORD style = WS_POPUP;
  UINT classStyle = 0;
  std::string text;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  HWND owner = nullptr;
  WNDPROC proc;                  // required
  LONG_PTR userData = 0;         // GWLP_USERDATA, set before WM_CREATE
  void* createParams = nullptr;  // CREATESTRUCT::lpCreateParams of WM_CREATE
};

// Sends WM_CREATE (-1 refuses the window: it is destroyed and null is answered), then WM_SIZE
// and WM_MOVE; shows the window when WS_VISIBLE is asked for.
HWND CreateWindowEx(const WindowParams& params);
// Hides the window, destroys the windows it owns, sends WM_DESTROY and WM_NCDESTROY.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);  // answers the old value
WNDPROC GetWindowProc(HWND hwnd);
// Subclassing: installs `proc` and answers the one it replaces, which `proc` passes messages
// on to with CallWindowProc; putting the old one back restores the window.
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

constexpr UINT GW_OWNER = 4;
HWND GetWindow(HWND hwnd, UINT relation);  // GW_OWNER only
BOOL SetWindowText(HWND hwnd, const std::string& text);
std::string GetWindowText(HWND hwnd);

BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL ClientToScreen(HWND hwnd, POINT* pt);
BOOL ScreenToClient(HWND hwnd, POINT* pt);

// Sends WM_WINDOWPOSCHANGING with a WINDOWPOS the procedure may change, applies what it leaves
// (move, size, z-order, show, hide), activates the window unless SWP_NOACTIVATE, then sends
// WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE when the client area
// moved or changed size.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height);
// Answers whether the window was visible before.
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
// Answers whether the window was disabled before. Disabled windows get no input.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);

// The window takes over the region (window coordinates); null gives it its rectangle back.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
// Copies the window's region into `rgn`: its type, or ERROR when the window has none.
int GetWindowRgn(HWND hwnd, HRGN rgn);

HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

BOOL GetCursorPos(POINT* pt);
// Negative (the high bit set) while the key or mouse button (VK_LBUTTON...) is down.
int16_t GetKeyState(int vk);
void SetCursor(Cursor cursor);
int GetSystemMetrics(int index);

}  // namespace winsys
