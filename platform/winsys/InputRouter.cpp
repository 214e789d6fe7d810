#include "platform/winsys/InputRouter.h"

#include <cstdlib>

#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {
namespace {

constexpr UINT kButtonKeys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
constexpr UINT kDownMessages[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr UINT kUpMessages[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
constexpr UINT kDoubleClickMessages[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
constexpr LPARAM kAltContext = LPARAM{1} << 29;
constexpr LPARAM kWasDown = LPARAM{1} << 30;
constexpr LPARAM kReleasing = LPARAM{1} << 31;

size_t Index(MouseButton button) {
  return static_cast<size_t>(button);
}

// Whether a layered window shows anything at the point: fully transparent pixels of its picture
// let the pointer through, as they let the desktop through.
bool LayeredPixelShown(const Window& w, POINT local) {
  if (w.layeredPicture.Empty() || !w.layeredPicture.Contains(local.x, local.y)) return false;
  bool perPixel = (w.blend.AlphaFormat & AC_SRC_ALPHA) != 0 && (w.layeredFlags & ULW_OPAQUE) == 0;
  return !perPixel || w.layeredPicture.Pixel(local.x, local.y)[3] != 0;
}

}  // namespace

WPARAM InputRouter::MouseKeys() const {
  WPARAM keys = 0;
  if (buttons_[Index(MouseButton::Left)]) keys |= MK_LBUTTON;
  if (buttons_[Index(MouseButton::Right)]) keys |= MK_RBUTTON;
  if (buttons_[Index(MouseButton::Middle)]) keys |= MK_MBUTTON;
  if (keys_[VK_SHIFT]) keys |= MK_SHIFT;
  if (keys_[VK_CONTROL]) keys |= MK_CONTROL;
  return keys;
}

void InputRouter::Forget(HWND hwnd) {
  if (capture_ == hwnd) capture_ = nullptr;
  if (hover_ == hwnd) hover_ = nullptr;
  if (lastClick_.hwnd == hwnd) lastClick_ = Click{};
}

void InputRouter::Apply(const InputEvent& event) {
  using Kind = InputEvent::Kind;
  switch (event.kind) {
    case Kind::PointerMove:
      cursor_ = event.pt;
      break;
    case Kind::ButtonDown:
    case Kind::ButtonUp: {
      const bool down = event.kind == Kind::ButtonDown;
      cursor_ = event.pt;
      buttons_[Index(event.button)] = down;
      keys_[kButtonKeys[Index(event.button)]] = down;
      break;
    }
    case Kind::KeyDown:
    case Kind::KeyUp:
      if (event.code < keys_.size()) keys_[event.code] = event.kind == Kind::KeyDown;
      break;
    case Kind::Char:
      break;
  }
}

void InputRouter::Translate(const InputEvent& event, std::deque<MSG>& out) {
  const bool wasDown = KeyDown(event.code);
  Apply(event);
  if (event.kind == InputEvent::Kind::KeyDown || event.kind == InputEvent::Kind::KeyUp ||
      event.kind == InputEvent::Kind::Char) {
    TranslateKey(event, wasDown, out);
  } else {
    TranslatePointer(event, out);
  }
}

InputRouter::Hit InputRouter::HitTest(POINT pt) const {
  for (HWND hwnd : std::vector<HWND>(system_.Stack().TopDown())) {
    const Window* w = system_.Find(hwnd);
    if (w == nullptr || !w->Shown() || !w->rect.Contains(pt)) continue;
    const POINT local{pt.x - w->rect.left, pt.y - w->rect.top};
    if (w->region != nullptr && !w->region->Contains(local)) continue;
    if (w->Layered() && !LayeredPixelShown(*w, local)) continue;
    // A disabled window (one behind a modal dialog) swallows the pointer rather than letting it
    // reach whatever lies below.
    if (!w->Enabled()) return Hit{};
    LRESULT code = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    if (code == HTTRANSPARENT) continue;
    if (code == HTNOWHERE || !IsWindow(hwnd)) return Hit{};
    return Hit{hwnd, code};
  }
  return Hit{};
}

bool InputRouter::IsDoubleClick(HWND target, const InputEvent& event) {
  const Window* w = system_.Find(target);
  const bool dbl = (w->classStyle & CS_DBLCLKS) != 0 && lastClick_.hwnd == target &&
                   lastClick_.button == event.button &&
                   event.time - lastClick_.time <= kDoubleClickTime &&
                   std::abs(event.pt.x - lastClick_.pt.x) <= kDoubleClickSize / 2 &&
                   std::abs(event.pt.y - lastClick_.pt.y) <= kDoubleClickSize / 2;
  // A double-click ends the pair: a third press starts a new one.
  lastClick_ = dbl ? Click{} : Click{target, event.button, event.pt, event.time};
  return dbl;
}

void InputRouter::TranslatePointer(const InputEvent& event, std::deque<MSG>& out) {
  using Kind = InputEvent::Kind;
  Hit hit = system_.Find(capture_) != nullptr ? Hit{capture_, HTCLIENT} : HitTest(event.pt);
  if (hit.hwnd != hover_) {
    if (system_.Find(hover_) != nullptr) {
      out.push_back(MSG{hover_, WM_MOUSELEAVE, 0, 0, event.time, event.pt});
    }
    hover_ = hit.hwnd;
  }
  if (hit.hwnd == nullptr) return;

  UINT message = WM_MOUSEMOVE;
  if (event.kind == Kind::ButtonDown) {
    const Window* w = system_.Find(hit.hwnd);
    if (capture_ == nullptr && system_.Active() != hit.hwnd &&
        (w->exStyle & WS_EX_NOACTIVATE) == 0) {
      SetWindowPos(hit.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      if (system_.Find(hit.hwnd) == nullptr) return;
    }
    message = IsDoubleClick(hit.hwnd, event) ? kDoubleClickMessages[Index(event.button)]
                                             : kDownMessages[Index(event.button)];
  } else if (event.kind == Kind::ButtonUp) {
    message = kUpMessages[Index(event.button)];
  }

  if (hit.code == HTCLIENT) {
    const RECT& r = system_.Find(hit.hwnd)->rect;
    out.push_back(MSG{hit.hwnd, message, MouseKeys(),
                      MAKELPARAM(event.pt.x - r.left, event.pt.y - r.top), event.time, event.pt});
  } else {
    out.push_back(MSG{hit.hwnd, message - NC_MOUSE_OFFSET, static_cast<WPARAM>(hit.code),
                      MAKELPARAM(event.pt.x, event.pt.y), event.time, event.pt});
  }
}

void InputRouter::TranslateKey(const InputEvent& event, bool wasDown, std::deque<MSG>& out) {
  using Kind = InputEvent::Kind;
  HWND target = system_.Find(system_.Focus()) != nullptr ? system_.Focus() : system_.Active();
  const Window* w = system_.Find(target);
  if (w == nullptr || !w->Enabled()) return;
  const bool alt = keys_[VK_MENU] || event.code == VK_MENU;
  const bool system = alt || event.code == VK_F10;
  UINT message = 0;
  LPARAM lParam = 1 | (alt ? kAltContext : 0);
  switch (event.kind) {
    case Kind::KeyDown:
      message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
      if (wasDown) lParam |= kWasDown;
      break;
    case Kind::KeyUp:
      message = system ? WM_SYSKEYUP : WM_KEYUP;
      lParam |= kWasDown | kReleasing;
      break;
    default:
      message = keys_[VK_MENU] ? WM_SYSCHAR : WM_CHAR;
      lParam = 1 | (keys_[VK_MENU] ? kAltContext : 0);
      break;
  }
  out.push_back(MSG{target, message, event.code, lParam, event.time, cursor_});
}

}  // namespace winsys
