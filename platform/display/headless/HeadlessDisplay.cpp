#include "platform/display/headless/HeadlessDisplay.h"

#include "platform/display/headless/Compositor.h"
#include "platform/display/headless/PngFile.h"
#include "platform/winsys/WindowSystem.h"

namespace display {

using winsys::InputEvent;
using winsys::MouseButton;
using winsys::POINT;

HeadlessDisplay::HeadlessDisplay(winsys::SIZE screen)
    : screen_(screen), desktop_(screen.cx, screen.cy) {}

void HeadlessDisplay::WindowChanged(winsys::HWND hwnd, winsys::Change change) {
  notices_.emplace_back(hwnd, change);
}

void HeadlessDisplay::PumpEvents(std::optional<std::chrono::milliseconds> timeout) {
  std::unique_lock lock(mutex_);
  auto requested = [this] { return wakeRequested_; };
  if (!timeout) {
    woken_.wait(lock, requested);
  } else if (timeout->count() > 0) {
    woken_.wait_for(lock, *timeout, requested);
  }
  wakeRequested_ = false;
}

void HeadlessDisplay::Wake() {
  {
    std::lock_guard lock(mutex_);
    wakeRequested_ = true;
  }
  woken_.notify_all();
}

void HeadlessDisplay::SetBackground(uint8_t red, uint8_t green, uint8_t blue) {
  background_[0] = blue;
  background_[1] = green;
  background_[2] = red;
}

const winsys::PixelBuffer& HeadlessDisplay::Compose() {
  Compositor::Compose(winsys::WindowSystem::Current().Scene(), background_, desktop_);
  return desktop_;
}

void HeadlessDisplay::WritePng(const std::string& path) {
  display::WritePng(Compose(), path);
}

std::vector<HeadlessDisplay::Notice> HeadlessDisplay::TakeNotices() {
  return std::exchange(notices_, {});
}

void HeadlessDisplay::Queue(InputEvent::Kind kind, POINT pt, MouseButton button,
                            winsys::UINT code) {
  winsys::WindowSystem::Current().QueueInput(InputEvent{kind, pt, button, code, 0});
}

void HeadlessDisplay::MovePointer(POINT pt) {
  Queue(InputEvent::Kind::PointerMove, pt, MouseButton::Left, 0);
}

void HeadlessDisplay::PressButton(POINT pt, MouseButton button) {
  Queue(InputEvent::Kind::ButtonDown, pt, button, 0);
}

void HeadlessDisplay::ReleaseButton(POINT pt, MouseButton button) {
  Queue(InputEvent::Kind::ButtonUp, pt, button, 0);
}

void HeadlessDisplay::Click(POINT pt, MouseButton button) {
  MovePointer(pt);
  PressButton(pt, button);
  ReleaseButton(pt, button);
}

void HeadlessDisplay::Drag(POINT from, POINT to, int steps, MouseButton button) {
  MovePointer(from);
  PressButton(from, button);
  for (int i = 1; i <= steps; ++i) {
    MovePointer(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  }
  ReleaseButton(to, button);
}

void HeadlessDisplay::KeyDown(winsys::UINT vk) {
  Queue(InputEvent::Kind::KeyDown, POINT{}, MouseButton::Left, vk);
}

void HeadlessDisplay::KeyUp(winsys::UINT vk) {
  Queue(InputEvent::Kind::KeyUp, POINT{}, MouseButton::Left, vk);
}

void HeadlessDisplay::PressKey(winsys::UINT vk, char16_t typed) {
  KeyDown(vk);
  if (typed != 0) Queue(InputEvent::Kind::Char, POINT{}, MouseButton::Left, typed);
  KeyUp(vk);
}

void HeadlessDisplay::Type(const std::u16string& text) {
  for (char16_t c : text) Queue(InputEvent::Kind::Char, POINT{}, MouseButton::Left, c);
}

}  // namespace display
