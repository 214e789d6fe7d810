#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/winsys/Display.h"
#include "platform/winsys/InputEvent.h"
#include "platform/winsys/PixelBuffer.h"

namespace display {

// A screen in memory, for tests and screenshots: composes the visible windows into one desktop
// picture and lets a test play the user, by queueing input in screen coordinates. It keeps the
// list of changes the window system told it, so tests can check what a real screen would hear.
class HeadlessDisplay final : public winsys::Display {
 public:
  using Notice = std::pair<winsys::HWND, winsys::Change>;

  explicit HeadlessDisplay(winsys::SIZE screen = {1280, 800});

  winsys::SIZE ScreenSize() const override { return screen_; }
  void WindowChanged(winsys::HWND hwnd, winsys::Change change) override;
  void CursorChanged(winsys::Cursor cursor) override { cursor_ = cursor; }
  void PumpEvents(std::optional<std::chrono::milliseconds> timeout) override;
  void Wake() override;

  // The desktop behind the windows; light grey unless set.
  void SetBackground(uint8_t red, uint8_t green, uint8_t blue);
  // The desktop as it shows now, composed from the window system's scene.
  const winsys::PixelBuffer& Compose();
  void WritePng(const std::string& path);
  winsys::Cursor CurrentCursor() const { return cursor_; }
  // The changes told since the last call.
  std::vector<Notice> TakeNotices();

  // Input, queued for the message loop.
  void MovePointer(winsys::POINT pt);
  void PressButton(winsys::POINT pt, winsys::MouseButton button = winsys::MouseButton::Left);
  void ReleaseButton(winsys::POINT pt, winsys::MouseButton button = winsys::MouseButton::Left);
  void Click(winsys::POINT pt, winsys::MouseButton button = winsys::MouseButton::Left);
  // Press at `from`, `steps` moves evenly on to `to`, release there.
  void Drag(winsys::POINT from, winsys::POINT to, int steps,
            winsys::MouseButton button = winsys::MouseButton::Left);
  void KeyDown(winsys::UINT vk);
  void KeyUp(winsys::UINT vk);
  // Down and up of a key, with the character it types when it types one.
  void PressKey(winsys::UINT vk, char16_t typed = 0);
  void Type(const std::u16string& text);

 private:
  void Queue(winsys::InputEvent::Kind kind, winsys::POINT pt, winsys::MouseButton button,
             winsys::UINT code);

  winsys::SIZE screen_;
  uint8_t background_[3] = {0xD3, 0xD3, 0xD3};
  winsys::PixelBuffer desktop_;
  winsys::Cursor cursor_ = winsys::Cursor::Arrow;
  std::vector<Notice> notices_;
  std::mutex mutex_;
  std::condition_variable woken_;
  bool wakeRequested_ = false;
};

}  // namespace display
