#include "platform/display/x11/X11Connection.h"

#include <string>

#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>

namespace display::x11 {
namespace {

// Our pictures are blue, green, red, alpha bytes: a 32-bit pixel with red in bits 16..23 on a
// little-endian client. Anything else would need converting every frame.
bool PixelsFit(::Display* dpy, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(dpy, &count);
  bool fits = false;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) fits = formats[i].bits_per_pixel == 32;
  }
  XFree(formats);
  return fits;
}

bool DefaultVisualFits(::Display* dpy, int screen) {
  const Visual* v = DefaultVisual(dpy, screen);
  return DefaultDepth(dpy, screen) == 24 && v->red_mask == 0xFF0000 && v->green_mask == 0xFF00 &&
         v->blue_mask == 0xFF && PixelsFit(dpy, 24) && PixelsFit(dpy, 32) &&
         ImageByteOrder(dpy) == LSBFirst;
}

Atoms InternAtoms(::Display* dpy, int screen) {
  const std::string selection = "_NET_WM_CM_S" + std::to_string(screen);
  const char* names[] = {"WM_PROTOCOLS",
                         "WM_DELETE_WINDOW",
                         "WM_STATE",
                         "_NET_WM_NAME",
                         "UTF8_STRING",
                         "_NET_WM_STATE",
                         "_NET_WM_STATE_SKIP_TASKBAR",
                         "_NET_WM_STATE_SKIP_PAGER",
                         "_NET_WM_STATE_ABOVE",
                         "_NET_WM_WINDOW_TYPE",
                         "_NET_WM_WINDOW_TYPE_NORMAL",
                         "_NET_WM_WINDOW_TYPE_DIALOG",
                         "_MOTIF_WM_HINTS",
                         "_NET_SUPPORTING_WM_CHECK",
                         "_NET_WM_PID",
                         selection.c_str()};
  constexpr int kCount = sizeof(Atoms) / sizeof(Atom);
  static_assert(sizeof(names) / sizeof(names[0]) == kCount);
  Atom atoms[kCount];
  XInternAtoms(dpy, const_cast<char**>(names), kCount, False, atoms);
  Atoms a;
  Atom* fields[] = {&a.wmProtocols,
                    &a.wmDeleteWindow,
                    &a.wmState,
                    &a.netWmName,
                    &a.utf8String,
                    &a.netWmState,
                    &a.netWmStateSkipTaskbar,
                    &a.netWmStateSkipPager,
                    &a.netWmStateAbove,
                    &a.netWmWindowType,
                    &a.netWmWindowTypeNormal,
                    &a.netWmWindowTypeDialog,
                    &a.motifWmHints,
                    &a.netSupportingWmCheck,
                    &a.netWmPid,
                    &a.compositorSelection};
  for (int i = 0; i < kCount; ++i) *fields[i] = atoms[i];
  return a;
}

// The window named by a WINDOW property, or 0.
::Window WindowProperty(::Display* dpy, ::Window w, Atom property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ::Window found = 0;
  if (XGetWindowProperty(dpy, w, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after,
                         &data) == Success &&
      data != nullptr) {
    if (type == XA_WINDOW && format == 32 && count == 1) {
      found = *reinterpret_cast<::Window*>(data);
    }
    XFree(data);
  }
  return found;
}

// Requests about windows that another client owns (a window manager's check window that is gone,
// restacking under a frame) may fail; such a failure changes nothing for us, while Xlib's
// default answer to it would end the process.
int IgnoreError(::Display*, XErrorEvent*) {
  return 0;
}

}  // namespace

std::unique_ptr<Connection> Connection::Open() {
  ::Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) return nullptr;
  XSetErrorHandler(IgnoreError);
  auto c = std::make_unique<Connection>();
  c->dpy = dpy;
  c->screen = DefaultScreen(dpy);
  c->root = RootWindow(dpy, c->screen);
  c->visual = DefaultVisual(dpy, c->screen);
  int fixesError = 0;
  if (!DefaultVisualFits(dpy, c->screen) ||
      !XMatchVisualInfo(dpy, c->screen, 32, TrueColor, &c->argb) ||
      !XFixesQueryExtension(dpy, &c->fixesEventBase, &fixesError)) {
    return nullptr;
  }
  c->atoms = InternAtoms(dpy, c->screen);
  return c;
}

Connection::~Connection() {
  if (dpy != nullptr) XCloseDisplay(dpy);
}

bool Connection::CompositorRunning() const {
  return XGetSelectionOwner(dpy, atoms.compositorSelection) != 0;
}

bool Connection::WindowManagerRunning() const {
  const ::Window check = WindowProperty(dpy, root, atoms.netSupportingWmCheck);
  return check != 0 && WindowProperty(dpy, check, atoms.netSupportingWmCheck) == check;
}

}  // namespace display::x11
