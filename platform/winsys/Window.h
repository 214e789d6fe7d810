#pragma once

#include <memory>
#include <string>

#include "platform/winsys/PixelBuffer.h"
#include "platform/winsys/Region.h"
#include "platform/winsys/Styles.h"
#include "platform/winsys/Types.h"

namespace winsys {

// The model's record of one top-level window. Windows are borderless: the client area is the
// whole window. Code that sends a message must look the record up again afterwards, since the
// receiver may have destroyed the window.
struct Window {
  HWND hwnd = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT classStyle = 0;
  HWND owner = nullptr;
  RECT rect;         // screen
  RECT restoreRect;  // where a maximised window goes back to
  bool minimized = false;
  bool maximized = false;
  bool destroying = false;
  // Shared so that a call in progress keeps its procedure alive while the procedure is replaced.
  std::shared_ptr<const WNDPROC> proc;
  LONG_PTR userData = 0;
  std::string text;
  PixelBuffer surface;  // client size
  RECT invalid;         // client coordinates; empty when nothing is to be painted
  bool eraseDue = false;
  // Client coordinates: what was painted since the display last showed the surface, so that a
  // screen copies only that part.
  RECT painted;
  PixelBuffer layeredPicture;  // as given to UpdateLayeredWindow; empty until then
  BLENDFUNCTION blend;
  DWORD layeredFlags = 0;
  std::unique_ptr<Region> region;  // window coordinates; null: the whole rectangle

  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
  bool Topmost() const { return (exStyle & WS_EX_TOPMOST) != 0; }
  bool Layered() const { return (exStyle & WS_EX_LAYERED) != 0; }
  bool Shown() const { return Visible() && !minimized; }
};

}  // namespace winsys
