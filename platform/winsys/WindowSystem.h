#pragma once

#include <atomic>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/winsys/Clock.h"
#include "platform/winsys/Display.h"
#include "platform/winsys/InputRouter.h"
#include "platform/winsys/MessageQueue.h"
#include "platform/winsys/TimerQueue.h"
#include "platform/winsys/Window.h"
#include "platform/winsys/WindowStack.h"

namespace winsys {

// The window system of the process: every window, the z-order, activation and focus, the
// message queue and the timers, behind the platform-style calls (WindowApi.h, MessageApi.h,
// PaintApi.h). Exactly one exists at a time; the program makes it with its display and the
// system clock, a test with a headless display and a manual clock. Destroying it drops the
// windows that are left without sending them anything.
class WindowSystem {
 public:
  WindowSystem(Display& display, Clock& clock);
  ~WindowSystem();
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  // Raises kernel::Exception when there is none.
  static WindowSystem& Current();
  // May be called from any thread; null when there is none.
  static WindowSystem* Installed() { return installed_.load(); }

  Display& Screen() { return display_; }
  Clock& Time() { return clock_; }
  DWORD MessageTime() const { return static_cast<DWORD>(clock_.Now()); }

  // For displays, from any thread: queues user input (stamped with the clock's time).
  void QueueInput(InputEvent event);
  // The windows a screen shows, bottom first: visible, not minimised, and for layered windows
  // only once they have a picture.
  std::vector<WindowImage> Scene() const;

  // The parts the window calls are made of.
  Window* Find(HWND hwnd) const;
  Window& Add(std::unique_ptr<Window> window);
  void Remove(HWND hwnd);
  HWND NewHandle();
  WindowStack& Stack() { return stack_; }
  TimerQueue& Timers() { return timers_; }
  MessageQueue& Queue() { return queue_; }
  InputRouter& Input() { return input_; }
  std::deque<MSG>& InputMessages() { return inputMessages_; }
  HWND Active() const { return active_; }
  void SetActive(HWND hwnd) { active_ = hwnd; }
  HWND Focus() const { return focus_; }
  void SetFocusWindow(HWND hwnd) { focus_ = hwnd; }
  bool Moving() const { return moving_; }
  void SetMoving(bool moving) { moving_ = moving; }
  void Notify(HWND hwnd, Change change) { display_.WindowChanged(hwnd, change); }

 private:
  static std::atomic<WindowSystem*> installed_;

  Display& display_;
  Clock& clock_;
  std::unordered_map<HWND, std::unique_ptr<Window>> windows_;
  uintptr_t lastHandle_ = 0x10000;
  WindowStack stack_;
  TimerQueue timers_;
  MessageQueue queue_;
  InputRouter input_;
  std::deque<MSG> inputMessages_;  // messages made from input, not yet taken
  HWND active_ = nullptr;
  HWND focus_ = nullptr;
  bool moving_ = false;
};

}  // namespace winsys
