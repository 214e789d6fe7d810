#pragma once

#include <memory>

#include "platform/winsys/Display.h"

namespace display {

namespace x11 {
struct Connection;
class Mirror;
class EventReader;
}  // namespace x11

// The desktop's X11 screen: every top-level window of the model is an X11 window that mirrors
// it, and what the user does to those windows comes back as input and position changes. Layered
// windows show only while a compositing manager runs, since without one their alpha is lost.
class X11Display final : public winsys::Display {
 public:
  // Connects to $DISPLAY; null when there is none or it lacks what the windows need.
  static std::unique_ptr<X11Display> Open();
  ~X11Display() override;
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

  winsys::SIZE ScreenSize() const override;
  void WindowChanged(winsys::HWND hwnd, winsys::Change change) override;
  void CursorChanged(winsys::Cursor cursor) override;
  void PumpEvents(std::optional<std::chrono::milliseconds> timeout) override;
  void Wake() override;

 private:
  explicit X11Display(std::unique_ptr<x11::Connection> connection);
  void WaitReadable(std::optional<std::chrono::milliseconds> timeout);

  std::unique_ptr<x11::Connection> connection_;
  std::unique_ptr<x11::Mirror> mirror_;
  std::unique_ptr<x11::EventReader> events_;
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
};

}  // namespace display
