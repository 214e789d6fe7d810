#pragma once

#include <cstdint>
#include <functional>

#include "platform/winsys/PixelBuffer.h"

// The window system's vocabulary: handles, message parameters and the records that travel with
// messages, under the names the rest of the program knows them by.
namespace winsys {

using BYTE = uint8_t;
using WORD = uint16_t;
using UINT = uint32_t;
using DWORD = uint32_t;
using LONG = int32_t;
using BOOL = int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using COLORREF = uint32_t;  // 0x00BBGGRR

// A window handle names a window without pointing at it: a handle of a destroyed window stays a
// harmless number that every call rejects.
struct HWND__;
using HWND = HWND__*;

// A device context is the picture a window or a bitmap draws into.
using HDC = PixelBuffer*;

class Region;
using HRGN = Region*;

struct POINT {
  LONG x = 0;
  LONG y = 0;
  bool operator==(const POINT&) const = default;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
  bool operator==(const SIZE&) const = default;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const RECT&) const = default;
};

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HWND hwndParent = nullptr;  // the owner: the model has top-level windows only
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  DWORD dwExStyle = 0;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = 0;  // true when WM_ERASEBKGND was not answered and the background is still due
  RECT rcPaint;
};

struct BLENDFUNCTION {
  BYTE BlendOp = 0;
  BYTE BlendFlags = 0;
  BYTE SourceConstantAlpha = 255;
  BYTE AlphaFormat = 0;
};

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

constexpr WORD LOWORD(uintptr_t v) {
  return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t v) {
  return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>(static_cast<DWORD>((static_cast<DWORD>(lo) & 0xFFFF) |
                                                ((static_cast<DWORD>(hi) & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) {
  return static_cast<WPARAM>(MAKELPARAM(lo, hi));
}
// Coordinates in mouse messages are signed 16-bit values: a captured pointer left of a window
// arrives as a negative x.
constexpr int GET_X_LPARAM(LPARAM l) {
  return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(l)));
}
constexpr int GET_Y_LPARAM(LPARAM l) {
  return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(l)));
}

}  // namespace winsys
