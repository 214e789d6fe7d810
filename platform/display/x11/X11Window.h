#pragma once

#include <deque>
#include <string>

#include "platform/display/x11/X11Connection.h"
#include "platform/winsys/Window.h"

namespace display::x11 {

// The X11 window that mirrors one top-level window of the model. Ordinary windows are managed
// but undecorated, at their own position; layered windows are override-redirect 32-bit ARGB
// windows that the pointer passes through. It remembers what it asked the server for, so that
// notifications the server sends back can be told from changes made by somebody else.
class X11Window {
 public:
  // `taskbarEntry`: the window stands for the program in the task bar; the others are listed
  // nowhere and stay with `transientFor`.
  X11Window(Connection& c, const winsys::Window& model, bool taskbarEntry, ::Window transientFor,
            const std::string& title);
  ~X11Window();
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  ::Window Id() const { return id_; }
  bool Layered() const { return layered_; }
  bool Mapped() const { return mapped_; }

  void SetTitle(const std::string& title);
  void SetCursor(::Cursor cursor);
  void Place(const winsys::RECT& rect);
  // Copies `area` (window coordinates) of the window's picture to the screen. Layered pictures
  // are premultiplied; a constant alpha below 255 or an opaque picture is applied on the way.
  void Draw(const winsys::Window& model, winsys::RECT area);
  void SetShape(const winsys::Region* region);
  void Map();
  void Unmap();
  // Through the window manager, which keeps the task-bar entry.
  void Iconify();

  // From the server's notifications: answer whether the change came from somebody else.
  bool MapNotified();
  bool UnmapNotified();
  bool ConfigureNotified(winsys::POINT at);

 private:
  void SetManagedHints(const winsys::Window& model, bool taskbarEntry, ::Window transientFor);

  Connection& c_;
  ::Window id_ = 0;
  bool layered_ = false;
  Colormap colormap_ = 0;
  GC gc_ = nullptr;
  bool mapped_ = false;
  int pendingMaps_ = 0;
  int pendingUnmaps_ = 0;
  winsys::RECT placed_;
  std::deque<winsys::POINT> pendingMoves_;
  winsys::PixelBuffer blended_;  // a layered picture with its constant alpha applied
};

}  // namespace display::x11
