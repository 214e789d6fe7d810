#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys::detail {
namespace {

constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

// Consumes one piece of input for the move; answers false when the move is over.
bool FollowPointer(HWND hwnd, const InputEvent& event, POINT start, POINT origin) {
  InputRouter& input = WindowSystem::Current().Input();
  input.Apply(event);
  if (event.kind == InputEvent::Kind::KeyDown && event.code == VK_ESCAPE) {
    SetWindowPos(hwnd, nullptr, origin.x, origin.y, 0, 0, kMoveFlags);
    return false;
  }
  if (event.kind == InputEvent::Kind::PointerMove || event.kind == InputEvent::Kind::ButtonUp) {
    RECT r;
    POINT to{origin.x + event.pt.x - start.x, origin.y + event.pt.y - start.y};
    if (GetWindowRect(hwnd, &r) && (r.left != to.x || r.top != to.y)) {
      SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, kMoveFlags);
    }
  }
  return input.AnyButtonDown();
}

}  // namespace

void RunMoveLoop(HWND hwnd) {
  WindowSystem& system = WindowSystem::Current();
  RECT r;
  // Without a button down there is nothing to follow (the keyboard move is not offered).
  if (system.Moving() || !system.Input().AnyButtonDown() || !GetWindowRect(hwnd, &r)) return;
  // Ends the move state on every way out, also when a dispatched message raises.
  struct MoveState {
    WindowSystem& system;
    explicit MoveState(WindowSystem& s) : system(s) { system.SetMoving(true); }
    ~MoveState() { system.SetMoving(false); }
    MoveState(const MoveState&) = delete;
    MoveState& operator=(const MoveState&) = delete;
  } moveState(system);
  const POINT start = system.Input().Cursor();
  const POINT origin{r.left, r.top};
  bool following = true;
  while (following && IsWindow(hwnd)) {
    InputEvent event;
    MSG msg;
    if (system.Queue().TakeInput(&event)) {
      following = FollowPointer(hwnd, event, start, origin);
    } else if (FetchMessage(&msg, false)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that owns the quit
        following = false;
      } else {
        DispatchMessage(msg);
      }
    } else {
      IdleWait();
    }
  }
}

}  // namespace winsys::detail
