#pragma once

#include <cstdint>
#include <vector>

namespace winsys {

// A picture in memory, shared by the window system (window surfaces, layered pictures) and the
// drawing layer (bitmaps, canvases): rows top-down, four bytes a pixel in the order blue, green,
// red, alpha. Ordinary windows ignore the alpha byte; layered pictures are premultiplied.
struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bytes;  // width * height * 4

  PixelBuffer() = default;
  PixelBuffer(int w, int h) { Resize(w, h); }

  // Keeps no content: every pixel becomes 0 (transparent black).
  void Resize(int w, int h) {
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    bytes.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  }
  bool Empty() const { return width == 0 || height == 0; }
  int Stride() const { return width * 4; }
  uint8_t* Row(int y) { return bytes.data() + static_cast<size_t>(y) * Stride(); }
  const uint8_t* Row(int y) const { return bytes.data() + static_cast<size_t>(y) * Stride(); }
  uint8_t* Pixel(int x, int y) { return Row(y) + x * 4; }
  const uint8_t* Pixel(int x, int y) const { return Row(y) + x * 4; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

}  // namespace winsys
