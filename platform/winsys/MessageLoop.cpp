#include <algorithm>

#include "platform/kernel/LastError.h"
#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/Styles.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {
namespace {

constexpr UINT kMinimumElapse = 10;
constexpr UINT kMaximumElapse = 0x7FFFFFFF;

MSG Message(WindowSystem& system, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{hwnd, message, wParam, lParam, system.MessageTime(), system.Input().Cursor()};
}

HWND WindowToPaint(const WindowSystem& system, WindowStack& stack) {
  auto it = std::ranges::find_if(stack.TopDown(), [&system](HWND h) {
    const Window* w = system.Find(h);
    return w->Shown() && !w->invalid.Empty();
  });
  return it == stack.TopDown().end() ? nullptr : *it;
}

bool HasWork(WindowSystem& system) {
  return !system.Queue().Empty() || !system.InputMessages().empty() ||
         WindowToPaint(system, system.Stack()) != nullptr ||
         system.Timers().NextDue().value_or(UINT64_MAX) <= system.Time().Now();
}

}  // namespace

namespace detail {

bool FetchMessage(MSG* msg, bool withInput) {
  WindowSystem& system = WindowSystem::Current();
  system.Screen().PumpEvents(std::chrono::milliseconds(0));
  if (system.Queue().TakePosted(msg)) {
    // Stamped here rather than when posted, as posting may happen on another thread.
    msg->time = system.MessageTime();
    msg->pt = system.Input().Cursor();
    return true;
  }
  if (std::optional<int> code = system.Queue().TakeQuit()) {
    *msg = Message(system, nullptr, WM_QUIT, static_cast<WPARAM>(*code), 0);
    return true;
  }
  if (withInput) {
    std::deque<MSG>& made = system.InputMessages();
    InputEvent event;
    while (made.empty() && system.Queue().TakeInput(&event)) system.Input().Translate(event, made);
    if (!made.empty()) {
      *msg = made.front();
      made.pop_front();
      return true;
    }
  }
  if (HWND hwnd = WindowToPaint(system, system.Stack())) {
    *msg = Message(system, hwnd, WM_PAINT, 0, 0);
    return true;
  }
  if (std::optional<TimerQueue::Due> due = system.Timers().TakeDue(system.Time().Now())) {
    *msg = Message(system, due->hwnd, WM_TIMER, due->id, 0);
    return true;
  }
  return false;
}

void IdleWait() {
  WindowSystem& system = WindowSystem::Current();
  system.Screen().PumpEvents(system.Time().SleepUntil(system.Timers().NextDue()));
}

}  // namespace detail

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return 0;
  std::shared_ptr<const WNDPROC> proc = w->proc;
  return (*proc)(hwnd, msg, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowSystem* system = WindowSystem::Installed();
  if (system == nullptr) return false;
  system->Queue().Post(MSG{hwnd, msg, wParam, lParam, 0, POINT{}});
  system->Screen().Wake();
  return true;
}

void PostQuitMessage(int exitCode) {
  WindowSystem::Current().Queue().PostQuit(exitCode);
}

BOOL GetMessage(MSG* msg) {
  while (!detail::FetchMessage(msg, true)) detail::IdleWait();
  return msg->message != WM_QUIT;
}

BOOL PeekMessage(MSG* msg) {
  return detail::FetchMessage(msg, true);
}

void WaitMessage() {
  WindowSystem& system = WindowSystem::Current();
  system.Screen().PumpEvents(std::chrono::milliseconds(0));
  while (!HasWork(system)) detail::IdleWait();
}

LRESULT DispatchMessage(const MSG& msg) {
  if (msg.hwnd == nullptr) return 0;
  return SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
  WindowSystem& system = WindowSystem::Current();
  if (detail::Lookup(hwnd) == nullptr) return 0;
  if (id == 0) {
    kernel::SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  system.Timers().Set(hwnd, id, std::clamp(elapse, kMinimumElapse, kMaximumElapse),
                      system.Time().Now());
  return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  return WindowSystem::Current().Timers().Kill(hwnd, id);
}

}  // namespace winsys
