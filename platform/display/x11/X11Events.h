#pragma once

#include <vector>

#include "platform/display/x11/X11Connection.h"
#include "platform/display/x11/X11Mirror.h"
#include "platform/winsys/InputEvent.h"

namespace display::x11 {

// Turns what the server reports into the model's input and state. Pointer and key input is
// queued for the message loop at once; what others did to our windows (the window manager moved,
// minimised, restored or closed one, the focus went elsewhere) is collected while reading and
// carried into the model afterwards, as that sends messages.
class EventReader {
 public:
  EventReader(Connection& c, Mirror& mirror);

  // Handles every event the server has sent; answers whether any of them was for the model.
  bool ReadAll();
  void ApplyRequests();

 private:
  enum class Action { Move, Minimize, Restore, Close, Activate, Deactivate };
  struct Request {
    Action action;
    winsys::HWND hwnd;
    winsys::POINT pt;
  };

  bool Handle(XEvent& e);
  void Pointer(winsys::InputEvent::Kind kind, const XEvent& e, int button);
  void Key(XKeyEvent& e);
  void Configured(winsys::HWND hwnd, const XConfigureEvent& e);

  Connection& c_;
  Mirror& mirror_;
  std::vector<Request> requests_;
};

}  // namespace display::x11
