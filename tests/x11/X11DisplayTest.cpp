#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/x11/X11Display.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/SystemClock.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"
#include "tests/x11/XvfbServer.h"

namespace {

using namespace winsys;

// The program's windows on a private X server, looked at through a second connection of the
// test's own, as a window manager or a compositor would see them.
class X11DisplayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = new x11test::XvfbServer(); }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(server_->Running()) << "Xvfb did not start";
    display_ = display::X11Display::Open();
    ASSERT_TRUE(display_);
    system_ = std::make_unique<WindowSystem>(*display_, clock_);
    probe_ = XOpenDisplay(nullptr);
    ASSERT_NE(probe_, nullptr);
  }

  void TearDown() override {
    system_.reset();
    display_.reset();
    if (probe_ != nullptr) XCloseDisplay(probe_);
  }

  // A visible window that paints itself and logs what it receives.
  HWND Create(const std::string& text, RECT r, DWORD exStyle = 0, HWND owner = nullptr,
              bool visible = true) {
    WindowParams p;
    p.exStyle = exStyle;
    p.style = WS_POPUP | (visible ? WS_VISIBLE : 0);
    p.text = text;
    p.x = r.left;
    p.y = r.top;
    p.width = r.Width();
    p.height = r.Height();
    p.owner = owner;
    p.proc = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
      }
      log_.push_back(MSG{hwnd, msg, wParam, lParam, 0, {}});
      return DefWindowProc(hwnd, msg, wParam, lParam);
    };
    return CreateWindowEx(p);
  }

  // A shadow-like window: layered, click-through, its picture half-transparent black.
  HWND CreateLayered(RECT r) {
    HWND hwnd = Create("layered", r, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    PixelBuffer picture(r.Width(), r.Height());
    for (size_t i = 3; i < picture.bytes.size(); i += 4) picture.bytes[i] = 128;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SIZE size{r.Width(), r.Height()};
    POINT from{};
    UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, &picture, &from, 0, &blend, ULW_ALPHA);
    return hwnd;
  }

  // Works off messages and screen events until `done` holds, for up to `rounds` times 10 ms.
  bool PumpUntil(const std::function<bool()>& done, int rounds = 300) {
    for (int i = 0; i < rounds; ++i) {
      MSG msg;
      while (PeekMessage(&msg)) DispatchMessage(msg);
      display_->PumpEvents(std::chrono::milliseconds(10));
      XSync(probe_, False);
      if (done()) return true;
    }
    return false;
  }

  std::string Property(::Window w, const char* name, Atom* type = nullptr) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(probe_, w, XInternAtom(probe_, name, False), 0, 1024, False,
                           AnyPropertyType, &actual, &format, &count, &after, &data) == Success &&
        data != nullptr) {
      value.assign(reinterpret_cast<char*>(data),
                   count * static_cast<size_t>(format / 8) * (format == 32 ? sizeof(long) / 4 : 1));
      XFree(data);
    }
    if (type != nullptr) *type = actual;
    return value;
  }

  std::vector<Atom> Atoms(::Window w, const char* name) {
    const std::string bytes = Property(w, name);
    const auto* atoms = reinterpret_cast<const Atom*>(bytes.data());
    return std::vector<Atom>(atoms, atoms + bytes.size() / sizeof(Atom));
  }

  bool HasAtom(::Window w, const char* property, const char* atom) {
    const Atom wanted = XInternAtom(probe_, atom, False);
    for (Atom a : Atoms(w, property)) {
      if (a == wanted) return true;
    }
    return false;
  }

  // The root's children bottom first, as the server stacks them.
  std::vector<::Window> Stacking() {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(probe_, DefaultRootWindow(probe_), &root, &parent, &children, &count);
    std::vector<::Window> order(children, children + count);
    if (children != nullptr) XFree(children);
    return order;
  }

  // The X11 window whose _NET_WM_NAME is `title`; 0 if there is none.
  ::Window Named(const std::string& title) {
    for (::Window w : Stacking()) {
      if (Property(w, "_NET_WM_NAME") == title) return w;
    }
    return 0;
  }

  bool Viewable(::Window w) {
    XWindowAttributes a;
    return w != 0 && XGetWindowAttributes(probe_, w, &a) && a.map_state == IsViewable;
  }

  static x11test::XvfbServer* server_;
  SystemClock clock_;
  std::unique_ptr<display::X11Display> display_;
  std::unique_ptr<WindowSystem> system_;
  ::Display* probe_ = nullptr;
  std::vector<MSG> log_;
};

x11test::XvfbServer* X11DisplayTest::server_ = nullptr;

TEST_F(X11DisplayTest, FormsStandForTheProgramInTheTaskBarOnceAndKeepTheirPlace) {
  HWND application = Create("Veltrane", RECT{0, 0, 0, 0}, 0, nullptr, false);
  HWND main = Create("frm_Main", RECT{428, 161, 1048, 577}, 0, application);
  HWND dialog = Create("frm_Info", RECT{500, 200, 800, 400}, 0, application);
  HWND message = Create("frm_MsgDlg", RECT{520, 220, 820, 420}, WS_EX_TOOLWINDOW, application);
  HWND onTop = Create("on top", RECT{10, 10, 110, 110}, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  (void)main, (void)dialog, (void)message, (void)onTop;
  ASSERT_TRUE(
      PumpUntil([&] { return Viewable(Named("frm_MsgDlg")) && Viewable(Named("on top")); }));

  // The application window stays hidden; the main window carries its title.
  const ::Window entry = Named("Veltrane");
  ASSERT_TRUE(Viewable(entry));
  XWindowAttributes a;
  XGetWindowAttributes(probe_, entry, &a);
  EXPECT_EQ(a.x, 428);
  EXPECT_EQ(a.y, 161);
  EXPECT_EQ(a.width, 620);
  EXPECT_FALSE(a.override_redirect);
  EXPECT_FALSE(HasAtom(entry, "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"));
  const std::string motif = Property(entry, "_MOTIF_WM_HINTS");
  ASSERT_EQ(motif.size(), 5 * sizeof(long));
  EXPECT_EQ(reinterpret_cast<const long*>(motif.data())[2], 0) << "decorations";

  for (const char* other : {"frm_Info", "frm_MsgDlg"}) {
    const ::Window w = Named(other);
    EXPECT_TRUE(HasAtom(w, "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR")) << other;
    ::Window transientFor = 0;
    XGetTransientForHint(probe_, w, &transientFor);
    EXPECT_EQ(transientFor, entry) << other;
  }
  EXPECT_TRUE(HasAtom(Named("on top"), "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
  EXPECT_FALSE(HasAtom(entry, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
}

TEST_F(X11DisplayTest, LayeredWindowsShowBelowTheirFormOnlyWhileACompositorRuns) {
  HWND form = Create("form", RECT{100, 100, 300, 200});
  HWND shadow = CreateLayered(RECT{84, 84, 316, 216});
  SetWindowPos(shadow, form, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(Named("form")); }));
  const ::Window layered = Named("layered");
  ASSERT_NE(layered, 0u);
  XWindowAttributes a;
  XGetWindowAttributes(probe_, layered, &a);
  EXPECT_EQ(a.depth, 32);
  EXPECT_TRUE(a.override_redirect);
  int count = -1, ordering = 0;
  XRectangle* input = XShapeGetRectangles(probe_, layered, ShapeInput, &count, &ordering);
  if (input != nullptr) XFree(input);
  EXPECT_EQ(count, 0) << "the pointer must pass through";
  EXPECT_FALSE(Viewable(layered)) << "without a compositor its alpha would be lost";

  // A compositor appears: the test takes its selection itself.
  const ::Window owner =
      XCreateSimpleWindow(probe_, DefaultRootWindow(probe_), 0, 0, 1, 1, 0, 0, 0);
  const Atom selection = XInternAtom(probe_, "_NET_WM_CM_S0", False);
  XSetSelectionOwner(probe_, selection, owner, CurrentTime);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(layered); }));
  const std::vector<::Window> order = Stacking();
  auto at = std::find(order.begin(), order.end(), layered);
  ASSERT_NE(at + 1, order.end());
  EXPECT_EQ(at[1], Named("form")) << "directly below its form";

  XDestroyWindow(probe_, owner);
  EXPECT_TRUE(PumpUntil([&] { return !Viewable(layered); })) << "the compositor went away";
}

TEST_F(X11DisplayTest, PointerAndKeysReachTheModel) {
  HWND form = Create("form", RECT{200, 150, 400, 250});
  ASSERT_TRUE(PumpUntil([&] { return Viewable(Named("form")); }));
  const ::Window w = Named("form");
  XEvent e{};
  e.xbutton = XButtonEvent{ButtonPress, 0,           True, probe_, w,   DefaultRootWindow(probe_),
                           0,           CurrentTime, 30,   40,     230, 190,
                           0,           Button1,     True};
  XSendEvent(probe_, w, False, ButtonPressMask, &e);
  e.xbutton.type = ButtonRelease;
  XSendEvent(probe_, w, False, ButtonReleaseMask, &e);
  e.xbutton.type = ButtonPress;
  e.xbutton.button = 4;  // the wheel
  XSendEvent(probe_, w, False, ButtonPressMask, &e);
  XKeyEvent key{KeyPress, 0, True, probe_, w, DefaultRootWindow(probe_),           0,   CurrentTime,
                0,        0, 0,    0,      0, XKeysymToKeycode(probe_, XK_Return), True};
  e.xkey = key;
  XSendEvent(probe_, w, False, KeyPressMask, &e);
  e.xkey.keycode = XKeysymToKeycode(probe_, XK_a);
  XSendEvent(probe_, w, False, KeyPressMask, &e);

  auto received = [&](UINT msg) {
    return std::count_if(log_.begin(), log_.end(), [&](const MSG& m) { return m.message == msg; });
  };
  ASSERT_TRUE(PumpUntil([&] { return received(WM_CHAR) == 2; }));
  ASSERT_EQ(received(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(received(WM_LBUTTONUP), 1);
  auto down = std::find_if(log_.begin(), log_.end(),
                           [](const MSG& m) { return m.message == WM_LBUTTONDOWN; });
  EXPECT_EQ(down->hwnd, form);
  EXPECT_EQ(GET_X_LPARAM(down->lParam), 30);
  EXPECT_EQ(GET_Y_LPARAM(down->lParam), 40);
  std::vector<std::pair<UINT, WPARAM>> keys;
  for (const MSG& m : log_) {
    if (m.message == WM_KEYDOWN || m.message == WM_CHAR) keys.emplace_back(m.message, m.wParam);
  }
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'}, {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}};
  EXPECT_EQ(keys, expected);
}

TEST_F(X11DisplayTest, AMoveByAnotherClientReachesTheModelThroughThePlacementMessages) {
  HWND form = Create("form", RECT{100, 100, 300, 200});
  ASSERT_TRUE(PumpUntil([&] { return Viewable(Named("form")); }));
  log_.clear();
  XMoveWindow(probe_, Named("form"), 250, 180);
  ASSERT_TRUE(PumpUntil([&] {
    RECT r;
    GetWindowRect(form, &r);
    return r == RECT{250, 180, 450, 280};
  }));
  EXPECT_TRUE(std::any_of(log_.begin(), log_.end(),
                          [](const MSG& m) { return m.message == WM_WINDOWPOSCHANGED; }));
  // The model's own moves are not taken for somebody else's.
  SetWindowPos(form, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(form, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpUntil([] { return false; }, 30);
  RECT r;
  GetWindowRect(form, &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
}

TEST_F(X11DisplayTest, WhatTheWindowManagerDoesToAFormReachesTheModel) {
  HWND form = Create("form", RECT{100, 100, 300, 200});
  ASSERT_TRUE(PumpUntil([&] { return Viewable(Named("form")); }));
  const ::Window w = Named("form");
  auto received = [&](UINT msg, WPARAM wParam) {
    return std::any_of(log_.begin(), log_.end(),
                       [&](const MSG& m) { return m.message == msg && m.wParam == wParam; });
  };

  // Iconified by the window manager (which unmaps it), then restored from the task bar.
  XUnmapWindow(probe_, w);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(form) != 0; }));
  log_.clear();
  XMapWindow(probe_, w);
  ASSERT_TRUE(PumpUntil([&] { return !IsIconic(form); }));
  EXPECT_TRUE(received(WM_SIZE, SIZE_RESTORED));

  // Minimised by the program: without a window manager nobody keeps an icon, the window goes.
  ShowWindow(form, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return !Viewable(w); }));
  EXPECT_TRUE(IsIconic(form)) << "the program's own unmapping is not taken for a restore";
  ShowWindow(form, SW_RESTORE);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(w); }));

  // The close button of a task bar or a window manager.
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(probe_, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(probe_, "WM_DELETE_WINDOW", False));
  XSendEvent(probe_, w, False, NoEventMask, &e);
  EXPECT_TRUE(PumpUntil([&] { return received(WM_CLOSE, 0); }));
}

}  // namespace
