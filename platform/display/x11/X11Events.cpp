#include "platform/display/x11/X11Events.h"

#include "platform/display/x11/X11Keys.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

#include <X11/extensions/Xfixes.h>

namespace display::x11 {
namespace {

using winsys::HWND;
using winsys::InputEvent;
using winsys::MouseButton;

void Queue(InputEvent::Kind kind, winsys::POINT pt, MouseButton button, winsys::UINT code) {
  winsys::WindowSystem::Current().QueueInput(InputEvent{kind, pt, button, code, 0});
}

}  // namespace

EventReader::EventReader(Connection& c, Mirror& mirror) : c_(c), mirror_(mirror) {
  XFixesSelectSelectionInput(c.dpy, c.root, c.atoms.compositorSelection,
                             XFixesSetSelectionOwnerNotifyMask |
                                 XFixesSelectionWindowDestroyNotifyMask |
                                 XFixesSelectionClientCloseNotifyMask);
}

bool EventReader::ReadAll() {
  bool forModel = !requests_.empty();
  while (XPending(c_.dpy) > 0) {
    XEvent e;
    XNextEvent(c_.dpy, &e);
    forModel = Handle(e) || forModel;
  }
  return forModel;
}

bool EventReader::Handle(XEvent& e) {
  if (e.type == c_.fixesEventBase + XFixesSelectionNotify) {
    mirror_.CompositorChanged(c_.CompositorRunning());
    return false;
  }
  const HWND hwnd = mirror_.Find(e.xany.window);
  X11Window* window = mirror_.WindowOf(hwnd);
  if (window == nullptr) return false;
  switch (e.type) {
    case Expose:
      mirror_.Exposed(hwnd, winsys::RECT{e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width,
                                         e.xexpose.y + e.xexpose.height});
      return false;
    case MotionNotify:
      // Only the latest place of a run of moves matters.
      while (XCheckTypedWindowEvent(c_.dpy, e.xany.window, MotionNotify, &e)) {
      }
      Pointer(InputEvent::Kind::PointerMove, e, 0);
      return true;
    case EnterNotify:
    case LeaveNotify:
      if (e.xcrossing.mode != NotifyNormal) return false;
      Pointer(InputEvent::Kind::PointerMove, e, 0);
      return true;
    case ButtonPress:
    case ButtonRelease:
      // Buttons 4 to 7 are the wheel, which the program does not use.
      if (e.xbutton.button < 1 || e.xbutton.button > 3) return false;
      Pointer(e.type == ButtonPress ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp, e,
              static_cast<int>(e.xbutton.button));
      return true;
    case KeyPress:
    case KeyRelease:
      Key(e.xkey);
      return true;
    case FocusIn:
      if (e.xfocus.detail == NotifyPointer) return false;
      requests_.push_back({Action::Activate, hwnd, {}});
      return true;
    case FocusOut:
      if (e.xfocus.detail == NotifyPointer || e.xfocus.detail == NotifyInferior) return false;
      requests_.push_back({Action::Deactivate, hwnd, {}});
      return true;
    case ConfigureNotify:
      Configured(hwnd, e.xconfigure);
      return !requests_.empty();
    case MapNotify:
      if (!window->MapNotified()) return false;
      requests_.push_back({Action::Restore, hwnd, {}});
      return true;
    case UnmapNotify:
      if (e.xunmap.send_event || !window->UnmapNotified()) return false;
      requests_.push_back({Action::Minimize, hwnd, {}});
      return true;
    case ClientMessage:
      if (e.xclient.message_type != c_.atoms.wmProtocols ||
          static_cast<Atom>(e.xclient.data.l[0]) != c_.atoms.wmDeleteWindow) {
        return false;
      }
      requests_.push_back({Action::Close, hwnd, {}});
      return true;
    default:
      return false;
  }
}

void EventReader::Pointer(InputEvent::Kind kind, const XEvent& e, int button) {
  // Every pointer event keeps its root position in the same place of the event records.
  const winsys::POINT at{e.xbutton.x_root, e.xbutton.y_root};
  const MouseButton which = button == 3   ? MouseButton::Right
                            : button == 2 ? MouseButton::Middle
                                          : MouseButton::Left;
  Queue(kind, at, which, 0);
}

void EventReader::Key(XKeyEvent& e) {
  char latin1[8];
  KeySym sym = 0;
  const int length = XLookupString(&e, latin1, sizeof latin1, &sym, nullptr);
  const winsys::UINT vk = VirtualKey(sym);
  if (e.type == KeyRelease) {
    if (vk != 0) Queue(InputEvent::Kind::KeyUp, {}, MouseButton::Left, vk);
    return;
  }
  if (vk != 0) Queue(InputEvent::Kind::KeyDown, {}, MouseButton::Left, vk);
  char16_t units[2];
  const int count = TypedUnits(sym, latin1, length, units);
  for (int i = 0; i < count; ++i) Queue(InputEvent::Kind::Char, {}, MouseButton::Left, units[i]);
}

void EventReader::Configured(HWND hwnd, const XConfigureEvent& e) {
  winsys::POINT at{e.x, e.y};
  // A window manager that framed the window reports the frame-relative place for real and the
  // root place in an event of its own; only the root place counts.
  if (!e.send_event) {
    ::Window child = 0;
    if (!XTranslateCoordinates(c_.dpy, e.window, c_.root, 0, 0, &at.x, &at.y, &child)) return;
  }
  X11Window* window = mirror_.WindowOf(hwnd);
  if (window->Layered() || !window->ConfigureNotified(at)) return;
  requests_.push_back({Action::Move, hwnd, at});
}

void EventReader::ApplyRequests() {
  std::vector<Request> requests = std::move(requests_);
  requests_.clear();
  winsys::WindowSystem& system = winsys::WindowSystem::Current();
  for (const Request& r : requests) {
    const winsys::Window* model = system.Find(r.hwnd);
    if (model == nullptr) continue;
    switch (r.action) {
      case Action::Move:
        // Through the placement messages, so that the shadow follows.
        winsys::SetWindowPos(r.hwnd, nullptr, r.pt.x, r.pt.y, 0, 0,
                             winsys::SWP_NOSIZE | winsys::SWP_NOZORDER | winsys::SWP_NOACTIVATE);
        break;
      case Action::Minimize:
        if (!model->minimized) winsys::ShowWindow(r.hwnd, winsys::SW_MINIMIZE);
        break;
      case Action::Restore:
        if (model->minimized) winsys::ShowWindow(r.hwnd, winsys::SW_RESTORE);
        break;
      case Action::Close:
        winsys::PostMessage(r.hwnd, winsys::WM_SYSCOMMAND, winsys::SC_CLOSE, 0);
        break;
      case Action::Activate:
        if (system.Active() != r.hwnd && model->Enabled() &&
            (model->exStyle & winsys::WS_EX_NOACTIVATE) == 0) {
          winsys::SetActiveWindow(r.hwnd);
        }
        break;
      case Action::Deactivate: {
        // Only a focus that went to another program's window takes the activation away; one
        // that fell back to the root (a window of ours went away) leaves it with the model.
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(c_.dpy, &focus, &revert);
        if (focus != None && focus != PointerRoot && focus != c_.root &&
            mirror_.Find(focus) == nullptr && system.Active() == r.hwnd) {
          winsys::SetActiveWindow(nullptr);
        }
        break;
      }
    }
  }
}

}  // namespace display::x11
