#include "platform/display/x11/X11Window.h"

#include <algorithm>
#include <vector>

#include "platform/winsys/Styles.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

namespace display::x11 {
namespace {

using winsys::RECT;

constexpr long kManagedEvents = ExposureMask | StructureNotifyMask | ButtonPressMask |
                                ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                                LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask;

void SetAtoms(::Display* dpy, ::Window w, Atom property, const std::vector<Atom>& values) {
  XChangeProperty(dpy, w, property, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(values.data()),
                  static_cast<int>(values.size()));
}

RECT Clip(RECT r, int width, int height) {
  return RECT{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
              std::min(r.bottom, height)};
}

// A layered window's picture as the screen must show it: premultiplied, with the constant
// alpha applied and, for an opaque picture, every alpha byte full.
void Blend(const winsys::Window& model, winsys::PixelBuffer& out) {
  const winsys::PixelBuffer& in = model.layeredPicture;
  const bool perPixel = (model.blend.AlphaFormat & winsys::AC_SRC_ALPHA) != 0 &&
                        (model.layeredFlags & winsys::ULW_OPAQUE) == 0;
  const unsigned constant = model.blend.SourceConstantAlpha;
  out.Resize(in.width, in.height);
  for (size_t i = 0; i < in.bytes.size(); i += 4) {
    const unsigned alpha = perPixel ? in.bytes[i + 3] : 255;
    for (size_t k = 0; k < 3; ++k) {
      out.bytes[i + k] = static_cast<uint8_t>((in.bytes[i + k] * constant + 127) / 255);
    }
    out.bytes[i + 3] = static_cast<uint8_t>((alpha * constant + 127) / 255);
  }
}

}  // namespace

X11Window::X11Window(Connection& c, const winsys::Window& model, bool taskbarEntry,
                     ::Window transientFor, const std::string& title)
    : c_(c), layered_(model.Layered()), placed_(model.rect) {
  XSetWindowAttributes a{};
  unsigned long mask = CWBorderPixel | CWEventMask;
  Visual* visual = c.visual;
  int depth = DefaultDepth(c.dpy, c.screen);
  if (layered_) {
    // Nobody may frame, focus or list the shadow; its alpha needs its own visual and colormap.
    colormap_ = XCreateColormap(c.dpy, c.root, c.argb.visual, AllocNone);
    a.colormap = colormap_;
    a.background_pixel = 0;
    a.override_redirect = True;
    a.event_mask = ExposureMask | StructureNotifyMask;
    mask |= CWColormap | CWBackPixel | CWOverrideRedirect;
    visual = c.argb.visual;
    depth = 32;
  } else {
    // No background: the server leaves the old pixels until ours arrive, so nothing flashes.
    a.background_pixmap = None;
    a.event_mask = kManagedEvents;
    mask |= CWBackPixmap;
  }
  const RECT& r = model.rect;
  id_ = XCreateWindow(c.dpy, c.root, r.left, r.top, static_cast<unsigned>(std::max(r.Width(), 1)),
                      static_cast<unsigned>(std::max(r.Height(), 1)), 0, depth, InputOutput, visual,
                      mask, &a);
  gc_ = XCreateGC(c.dpy, id_, 0, nullptr);
  if (layered_) {
    XserverRegion nothing = XFixesCreateRegion(c.dpy, nullptr, 0);
    XFixesSetWindowShapeRegion(c.dpy, id_, ShapeInput, 0, 0, nothing);
    XFixesDestroyRegion(c.dpy, nothing);
  } else {
    SetManagedHints(model, taskbarEntry, transientFor);
  }
  SetTitle(title);
}

X11Window::~X11Window() {
  XFreeGC(c_.dpy, gc_);
  XDestroyWindow(c_.dpy, id_);
  if (colormap_ != 0) XFreeColormap(c_.dpy, colormap_);
}

void X11Window::SetManagedHints(const winsys::Window& model, bool taskbarEntry,
                                ::Window transientFor) {
  ::Display* dpy = c_.dpy;
  const Atoms& atoms = c_.atoms;
  XSizeHints size{};
  size.flags = USPosition | PPosition | PSize;
  size.x = model.rect.left;
  size.y = model.rect.top;
  size.width = model.rect.Width();
  size.height = model.rect.Height();
  XSetWMNormalHints(dpy, id_, &size);

  XWMHints wm{};
  wm.flags = InputHint | StateHint;
  wm.input = (model.exStyle & winsys::WS_EX_NOACTIVATE) == 0;
  wm.initial_state = NormalState;
  XSetWMHints(dpy, id_, &wm);

  char name[] = "VeltraneSetup";
  XClassHint hint{name, name};
  XSetClassHint(dpy, id_, &hint);

  // Flags "decorations given", decorations none: the window draws its own chrome.
  const long motif[5] = {2, 0, 0, 0, 0};
  XChangeProperty(dpy, id_, atoms.motifWmHints, atoms.motifWmHints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif), 5);
  Atom protocols[] = {atoms.wmDeleteWindow};
  XSetWMProtocols(dpy, id_, protocols, 1);
  const long pid = getpid();
  XChangeProperty(dpy, id_, atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);

  if (transientFor != 0) XSetTransientForHint(dpy, id_, transientFor);
  SetAtoms(dpy, id_, atoms.netWmWindowType,
           {taskbarEntry ? atoms.netWmWindowTypeNormal : atoms.netWmWindowTypeDialog});
  std::vector<Atom> state;
  if (!taskbarEntry) state = {atoms.netWmStateSkipTaskbar, atoms.netWmStateSkipPager};
  if (model.Topmost()) state.push_back(atoms.netWmStateAbove);
  SetAtoms(dpy, id_, atoms.netWmState, state);
}

void X11Window::SetTitle(const std::string& title) {
  const auto* text = reinterpret_cast<const unsigned char*>(title.data());
  const int length = static_cast<int>(title.size());
  XChangeProperty(c_.dpy, id_, XA_WM_NAME, c_.atoms.utf8String, 8, PropModeReplace, text, length);
  XChangeProperty(c_.dpy, id_, c_.atoms.netWmName, c_.atoms.utf8String, 8, PropModeReplace, text,
                  length);
}

void X11Window::SetCursor(::Cursor cursor) {
  if (!layered_) XDefineCursor(c_.dpy, id_, cursor);
}

void X11Window::Place(const RECT& rect) {
  if (rect == placed_) return;
  const auto width = static_cast<unsigned>(std::max(rect.Width(), 1));
  const auto height = static_cast<unsigned>(std::max(rect.Height(), 1));
  if (rect.Width() != placed_.Width() || rect.Height() != placed_.Height()) {
    XMoveResizeWindow(c_.dpy, id_, rect.left, rect.top, width, height);
  } else {
    XMoveWindow(c_.dpy, id_, rect.left, rect.top);
  }
  if (rect.left != placed_.left || rect.top != placed_.top) {
    pendingMoves_.push_back(winsys::POINT{rect.left, rect.top});
  }
  placed_ = rect;
}

void X11Window::Draw(const winsys::Window& model, RECT area) {
  const winsys::PixelBuffer* pixels = &model.surface;
  if (layered_) {
    pixels = &model.layeredPicture;
    if (model.blend.SourceConstantAlpha != 255 ||
        (model.blend.AlphaFormat & winsys::AC_SRC_ALPHA) == 0 ||
        (model.layeredFlags & winsys::ULW_OPAQUE) != 0) {
      Blend(model, blended_);
      pixels = &blended_;
    } else {
      blended_ = winsys::PixelBuffer();
    }
  }
  area = Clip(area, pixels->width, pixels->height);
  if (area.Empty()) return;
  XImage image{};
  image.width = pixels->width;
  image.height = pixels->height;
  image.format = ZPixmap;
  // Xlib only reads the pixels; the field is not const.
  image.data = reinterpret_cast<char*>(const_cast<uint8_t*>(pixels->bytes.data()));
  image.byte_order = LSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = LSBFirst;
  image.bitmap_pad = 32;
  image.depth = layered_ ? 32 : DefaultDepth(c_.dpy, c_.screen);
  image.bytes_per_line = pixels->Stride();
  image.bits_per_pixel = 32;
  image.red_mask = 0xFF0000;
  image.green_mask = 0xFF00;
  image.blue_mask = 0xFF;
  XInitImage(&image);
  XPutImage(c_.dpy, id_, gc_, &image, area.left, area.top, area.left, area.top,
            static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()));
}

void X11Window::SetShape(const winsys::Region* region) {
  if (region == nullptr) {
    XFixesSetWindowShapeRegion(c_.dpy, id_, ShapeBounding, 0, 0, None);
    return;
  }
  std::vector<XRectangle> rects;
  for (const RECT& r : region->Rects()) {
    rects.push_back(XRectangle{static_cast<short>(r.left), static_cast<short>(r.top),
                               static_cast<unsigned short>(r.Width()),
                               static_cast<unsigned short>(r.Height())});
  }
  XserverRegion shape = XFixesCreateRegion(c_.dpy, rects.data(), static_cast<int>(rects.size()));
  XFixesSetWindowShapeRegion(c_.dpy, id_, ShapeBounding, 0, 0, shape);
  XFixesDestroyRegion(c_.dpy, shape);
}

void X11Window::Map() {
  if (mapped_) return;
  XMapWindow(c_.dpy, id_);
  ++pendingMaps_;
  mapped_ = true;
}

void X11Window::Unmap() {
  if (!mapped_) return;
  XUnmapWindow(c_.dpy, id_);
  ++pendingUnmaps_;
  mapped_ = false;
}

void X11Window::Iconify() {
  if (!mapped_) return;
  XIconifyWindow(c_.dpy, id_, c_.screen);
  ++pendingUnmaps_;
  mapped_ = false;
}

bool X11Window::MapNotified() {
  if (pendingMaps_ > 0) {
    --pendingMaps_;
    return false;
  }
  mapped_ = true;
  return true;
}

bool X11Window::UnmapNotified() {
  if (pendingUnmaps_ > 0) {
    --pendingUnmaps_;
    return false;
  }
  mapped_ = false;
  return true;
}

bool X11Window::ConfigureNotified(winsys::POINT at) {
  auto ours = std::find(pendingMoves_.begin(), pendingMoves_.end(), at);
  if (ours != pendingMoves_.end()) {
    pendingMoves_.erase(pendingMoves_.begin(), ours + 1);
    return false;
  }
  // Notifications of moves still on their way carry older places of ours.
  if (!pendingMoves_.empty() || (at.x == placed_.left && at.y == placed_.top)) return false;
  placed_ = RECT{at.x, at.y, at.x + placed_.Width(), at.y + placed_.Height()};
  return true;
}

}  // namespace display::x11
