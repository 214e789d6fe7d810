#pragma once

#include <chrono>
#include <optional>

#include "platform/winsys/Region.h"
#include "platform/winsys/Types.h"

namespace winsys {

// What changed about a window, as the model tells its display.
enum class Change {
  Created,
  Destroyed,
  Placement,
  Visibility,
  ZOrder,
  Surface,
  Layered,
  Shape,
  Text
};

enum class Cursor { Arrow, Hand, IBeam, Wait, SizeAll };

// One visible top-level window as a display shows it (see WindowSystem::Scene).
struct WindowImage {
  HWND hwnd = nullptr;
  RECT rect;                            // screen
  const PixelBuffer* pixels = nullptr;  // the surface, or the layered picture (premultiplied)
  bool layered = false;
  BLENDFUNCTION blend;             // layered only
  bool perPixelAlpha = false;      // layered only: the picture's alpha byte counts
  const Region* region = nullptr;  // window coordinates; null: the whole rectangle
};

// Where windows appear: the seam between the window model and a screen (in memory for tests and
// screenshots, or X11). The model is the truth and tells the display what changed; the display
// reads the rest through the model's calls and hands user input to WindowSystem::QueueInput.
class Display {
 public:
  virtual ~Display() = default;
  virtual SIZE ScreenSize() const = 0;
  virtual void WindowChanged(HWND hwnd, Change change) = 0;
  virtual void CursorChanged(Cursor cursor) = 0;
  // Takes in what the screen has for the model; when `timeout` is not zero and there is nothing,
  // waits for it up to `timeout` (empty: without limit) or until Wake.
  virtual void PumpEvents(std::optional<std::chrono::milliseconds> timeout) = 0;
  // Called from any thread after a message was posted: ends a wait in PumpEvents, or makes the
  // next one return at once.
  virtual void Wake() = 0;
};

}  // namespace winsys
