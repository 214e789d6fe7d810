#include "platform/winsys/WindowSystem.h"

#include "platform/kernel/Exception.h"

namespace winsys {

std::atomic<WindowSystem*> WindowSystem::installed_{nullptr};

WindowSystem::WindowSystem(Display& display, Clock& clock)
    : display_(display), clock_(clock), stack_([this](HWND h) { return Find(h); }), input_(*this) {
  WindowSystem* expected = nullptr;
  if (!installed_.compare_exchange_strong(expected, this)) {
    throw kernel::Exception("a window system already exists");
  }
}

WindowSystem::~WindowSystem() {
  for (HWND hwnd : std::vector<HWND>(stack_.TopDown()))
    display_.WindowChanged(hwnd, Change::Destroyed);
  installed_.store(nullptr);
}

WindowSystem& WindowSystem::Current() {
  WindowSystem* system = installed_.load();
  if (system == nullptr) throw kernel::Exception("no window system");
  return *system;
}

void WindowSystem::QueueInput(InputEvent event) {
  event.time = MessageTime();
  queue_.PostInput(event);
  display_.Wake();
}

std::vector<WindowImage> WindowSystem::Scene() const {
  std::vector<WindowImage> scene;
  const std::vector<HWND>& order = stack_.TopDown();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const Window& w = *Find(*it);
    if (!w.Shown()) continue;
    WindowImage image{w.hwnd, w.rect, &w.surface, w.Layered(), w.blend, false, w.region.get()};
    if (w.Layered()) {
      if (w.layeredPicture.Empty()) continue;
      image.pixels = &w.layeredPicture;
      image.perPixelAlpha =
          (w.blend.AlphaFormat & AC_SRC_ALPHA) != 0 && (w.layeredFlags & ULW_OPAQUE) == 0;
    }
    scene.push_back(image);
  }
  return scene;
}

Window* WindowSystem::Find(HWND hwnd) const {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second.get();
}

HWND WindowSystem::NewHandle() {
  // Handles are never used twice in a session, so a stale one can never name a newer window.
  lastHandle_ += 2;
  return reinterpret_cast<HWND>(lastHandle_);
}

Window& WindowSystem::Add(std::unique_ptr<Window> window) {
  Window& added = *window;
  windows_.emplace(window->hwnd, std::move(window));
  stack_.Add(added.hwnd);
  return added;
}

void WindowSystem::Remove(HWND hwnd) {
  stack_.Remove(hwnd);
  windows_.erase(hwnd);
}

}  // namespace winsys
