#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys::testing {

// One message as a window procedure received it, with what it pointed at.
struct Logged {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  WINDOWPOS pos;  // WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED only
  bool iconic;    // IsIconic while the message was handled
};

inline std::string Name(UINT msg) {
  static const std::map<UINT, std::string> names = {{WM_CREATE, "CREATE"},
                                                    {WM_DESTROY, "DESTROY"},
                                                    {WM_MOVE, "MOVE"},
                                                    {WM_SIZE, "SIZE"},
                                                    {WM_ACTIVATE, "ACTIVATE"},
                                                    {WM_SETFOCUS, "SETFOCUS"},
                                                    {WM_KILLFOCUS, "KILLFOCUS"},
                                                    {WM_ENABLE, "ENABLE"},
                                                    {WM_PAINT, "PAINT"},
                                                    {WM_CLOSE, "CLOSE"},
                                                    {WM_ERASEBKGND, "ERASEBKGND"},
                                                    {WM_WINDOWPOSCHANGING, "POSCHANGING"},
                                                    {WM_WINDOWPOSCHANGED, "POSCHANGED"},
                                                    {WM_NCDESTROY, "NCDESTROY"},
                                                    {WM_NCHITTEST, "NCHITTEST"},
                                                    {WM_NCMOUSEMOVE, "NCMOUSEMOVE"},
                                                    {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"},
                                                    {WM_KEYDOWN, "KEYDOWN"},
                                                    {WM_KEYUP, "KEYUP"},
                                                    {WM_CHAR, "CHAR"},
                                                    {WM_SYSKEYDOWN, "SYSKEYDOWN"},
                                                    {WM_SYSKEYUP, "SYSKEYUP"},
                                                    {WM_SYSCHAR, "SYSCHAR"},
                                                    {WM_SYSCOMMAND, "SYSCOMMAND"},
                                                    {WM_TIMER, "TIMER"},
                                                    {WM_MOUSEMOVE, "MOUSEMOVE"},
                                                    {WM_LBUTTONDOWN, "LBUTTONDOWN"},
                                                    {WM_LBUTTONUP, "LBUTTONUP"},
                                                    {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
                                                    {WM_RBUTTONDOWN, "RBUTTONDOWN"},
                                                    {WM_RBUTTONUP, "RBUTTONUP"},
                                                    {WM_MOUSELEAVE, "MOUSELEAVE"},
                                                    {WM_USER, "USER"}};
  auto it = names.find(msg);
  return it != names.end() ? it->second : std::to_string(msg);
}

// Answers a message instead of the default handling when it returns a value.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

struct Options {
  DWORD exStyle = 0;
  UINT classStyle = 0;
  HWND owner = nullptr;
  bool visible = true;
  Handler handler;
};

// A window system on a headless screen and a manual clock, with windows that log every message.
class WinsysTest : public ::testing::Test {
 protected:
  HWND Make(RECT r, Options options = {}) {
    WindowParams params;
    params.exStyle = options.exStyle;
    params.style = WS_POPUP | (options.visible ? WS_VISIBLE : 0);
    params.classStyle = options.classStyle;
    params.x = r.left;
    params.y = r.top;
    params.width = r.Width();
    params.height = r.Height();
    params.owner = options.owner;
    params.proc = [this, handler = options.handler](HWND h, UINT m, WPARAM w, LPARAM l) {
      return Record(h, m, w, l, handler);
    };
    HWND hwnd = CreateWindowEx(params);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
  }

  LRESULT Record(HWND h, UINT m, WPARAM w, LPARAM l, const Handler& handler) {
    WINDOWPOS pos;
    if (m == WM_WINDOWPOSCHANGING || m == WM_WINDOWPOSCHANGED) {
      pos = *reinterpret_cast<const WINDOWPOS*>(l);
    }
    log.push_back(Logged{h, m, w, l, pos, IsIconic(h) != 0});
    if (handler) {
      if (std::optional<LRESULT> answer = handler(h, m, w, l)) return *answer;
    }
    return DefWindowProc(h, m, w, l);
  }

  // The names of the messages `hwnd` received, leaving out those in `skip`.
  std::vector<std::string> Names(HWND hwnd, std::vector<UINT> skip = {WM_NCHITTEST, WM_PAINT,
                                                                      WM_ERASEBKGND}) const {
    std::vector<std::string> names;
    for (const Logged& l : log) {
      if (l.hwnd == hwnd && std::find(skip.begin(), skip.end(), l.msg) == skip.end()) {
        names.push_back(Name(l.msg));
      }
    }
    return names;
  }

  std::vector<Logged> Of(HWND hwnd, UINT msg) const {
    std::vector<Logged> found;
    for (const Logged& l : log) {
      if (l.hwnd == hwnd && l.msg == msg) found.push_back(l);
    }
    return found;
  }

  void Pump() {
    MSG msg;
    while (PeekMessage(&msg)) DispatchMessage(msg);
  }

  RECT Rect(HWND hwnd) const {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
  }

  display::HeadlessDisplay screen;
  ManualClock clock;
  WindowSystem system{screen, clock};
  std::vector<Logged> log;
};

}  // namespace winsys::testing
