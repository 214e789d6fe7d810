#pragma once

#include <map>
#include <memory>
#include <unordered_map>

#include "platform/display/x11/X11Connection.h"
#include "platform/display/x11/X11Window.h"
#include "platform/winsys/Display.h"

namespace display::x11 {

// Keeps the X11 windows in step with the model. Changes are only noted when the model tells
// them (it may be in the middle of a placement) and carried out together by Flush, from the
// model's state at that time.
class Mirror {
 public:
  explicit Mirror(Connection& c);
  ~Mirror();
  Mirror(const Mirror&) = delete;
  Mirror& operator=(const Mirror&) = delete;

  void Note(winsys::HWND hwnd, winsys::Change change);
  void Destroy(winsys::HWND hwnd);
  void SetCursor(winsys::Cursor cursor);
  void Exposed(winsys::HWND hwnd, const winsys::RECT& area);
  void CompositorChanged(bool running);
  void Flush();

  // The model's window behind an X11 window; null for windows that are not ours.
  winsys::HWND Find(::Window id) const;
  X11Window* WindowOf(winsys::HWND hwnd) const;

 private:
  X11Window* Create(const winsys::Window& model);
  bool Wanted(const winsys::Window& model, const X11Window& window) const;
  void Update(winsys::Window& model, X11Window& window, unsigned changes);
  void Restack();
  void FollowActivation();

  Connection& c_;
  std::unordered_map<winsys::HWND, std::unique_ptr<X11Window>> windows_;
  std::unordered_map<::Window, winsys::HWND> ids_;
  // By handle, which is the order the windows were made in: the first form gets the entry.
  std::map<winsys::HWND, unsigned> pending_;
  std::unordered_map<winsys::HWND, winsys::RECT> exposed_;
  bool restack_ = false;
  bool compositor_ = false;
  // The window that carries the program's task-bar entry (the first one owned by the hidden
  // application window); the other forms stay with it.
  winsys::HWND entry_ = nullptr;
  ::Cursor cursors_[5] = {};
  winsys::Cursor cursor_ = winsys::Cursor::Arrow;
  bool cursorDue_ = false;
  winsys::HWND focused_ = nullptr;
};

}  // namespace display::x11
