#include "platform/display/x11/X11Display.h"

#include "platform/display/x11/X11Connection.h"
#include "platform/display/x11/X11Events.h"
#include "platform/display/x11/X11Mirror.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace display {

std::unique_ptr<X11Display> X11Display::Open() {
  std::unique_ptr<x11::Connection> connection = x11::Connection::Open();
  if (!connection) return nullptr;
  return std::unique_ptr<X11Display>(new X11Display(std::move(connection)));
}

X11Display::X11Display(std::unique_ptr<x11::Connection> connection)
    : connection_(std::move(connection)),
      mirror_(std::make_unique<x11::Mirror>(*connection_)),
      events_(std::make_unique<x11::EventReader>(*connection_, *mirror_)) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
    wakeRead_ = ends[0];
    wakeWrite_ = ends[1];
  }
}

X11Display::~X11Display() {
  events_.reset();
  mirror_.reset();
  connection_.reset();
  if (wakeRead_ >= 0) close(wakeRead_);
  if (wakeWrite_ >= 0) close(wakeWrite_);
}

winsys::SIZE X11Display::ScreenSize() const {
  ::Display* dpy = connection_->dpy;
  return winsys::SIZE{DisplayWidth(dpy, connection_->screen),
                      DisplayHeight(dpy, connection_->screen)};
}

void X11Display::WindowChanged(winsys::HWND hwnd, winsys::Change change) {
  // The model goes on to free the record: the X11 window must go now.
  if (change == winsys::Change::Destroyed) {
    mirror_->Destroy(hwnd);
    XFlush(connection_->dpy);
  } else {
    mirror_->Note(hwnd, change);
  }
}

void X11Display::CursorChanged(winsys::Cursor cursor) {
  mirror_->SetCursor(cursor);
}

void X11Display::PumpEvents(std::optional<std::chrono::milliseconds> timeout) {
  mirror_->Flush();
  bool forModel = events_->ReadAll();
  if (!forModel && (!timeout || timeout->count() > 0)) {
    mirror_->Flush();  // what the events just read uncovered is drawn before the wait
    WaitReadable(timeout);
    forModel = events_->ReadAll();
  }
  char drained[64];
  while (read(wakeRead_, drained, sizeof drained) > 0) {
  }
  if (forModel) events_->ApplyRequests();
  mirror_->Flush();
}

void X11Display::WaitReadable(std::optional<std::chrono::milliseconds> timeout) {
  pollfd fds[2] = {{ConnectionNumber(connection_->dpy), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
  const int ms = timeout ? static_cast<int>(timeout->count()) : -1;
  poll(fds, 2, ms);
}

void X11Display::Wake() {
  const char byte = 1;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] ssize_t written = write(wakeWrite_, &byte, 1);
}

}  // namespace display
