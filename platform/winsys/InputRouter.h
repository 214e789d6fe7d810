#pragma once

#include <bitset>
#include <deque>

#include "platform/winsys/InputEvent.h"
#include "platform/winsys/Messages.h"
#include "platform/winsys/Types.h"

namespace winsys {

class WindowSystem;

// Turns user input into window messages: pointer input goes to the captured window or to the
// window hit top-down (HTTRANSPARENT passes the point on, a disabled window swallows it), with
// double-clicks for CS_DBLCLKS windows and activation on a press; keys go to the focus window.
// Keeps the pointer position and the state of buttons and keys.
class InputRouter {
 public:
  static constexpr DWORD kDoubleClickTime = 500;
  static constexpr int kDoubleClickSize = 4;  // the box around the first press, in pixels

  explicit InputRouter(WindowSystem& system) : system_(system) {}

  // Keeps the state up to date, without any message: used by the move loop.
  void Apply(const InputEvent& event);
  // Apply, then the messages for the event (none, or several: WM_MOUSELEAVE comes first).
  void Translate(const InputEvent& event, std::deque<MSG>& out);

  POINT Cursor() const { return cursor_; }
  bool AnyButtonDown() const { return buttons_.any(); }
  bool KeyDown(UINT vk) const { return vk < keys_.size() && keys_[vk]; }
  WPARAM MouseKeys() const;
  HWND Capture() const { return capture_; }
  void SetCapture(HWND hwnd) { capture_ = hwnd; }
  // The window is going away: no message may name it any more.
  void Forget(HWND hwnd);

 private:
  struct Hit {
    HWND hwnd = nullptr;
    LRESULT code = HTNOWHERE;
  };
  Hit HitTest(POINT pt) const;
  void TranslatePointer(const InputEvent& event, std::deque<MSG>& out);
  void TranslateKey(const InputEvent& event, bool wasDown, std::deque<MSG>& out);
  bool IsDoubleClick(HWND target, const InputEvent& event);

  WindowSystem& system_;
  POINT cursor_;
  std::bitset<3> buttons_;
  std::bitset<256> keys_;
  HWND capture_ = nullptr;
  HWND hover_ = nullptr;
  struct Click {
    HWND hwnd = nullptr;
    MouseButton button = MouseButton::Left;
    POINT pt;
    DWORD time = 0;
  } lastClick_;
};

}  // namespace winsys
