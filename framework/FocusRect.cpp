#include "framework/FocusRect.h"

#include "framework/TCanvas.h"

void DrawFocusRect(TCanvas& canvas, const TRect& rect, TColor color) {
  if (rect.IsEmpty()) return;
  // Dots are counted from the top-left corner around the outline, so the corners line up.
  for (int x = rect.Left; x < rect.Right; x += 2) {
    canvas.SetPixel(x, rect.Top, color);
    canvas.SetPixel(x, rect.Bottom - 1, color);
  }
  for (int y = rect.Top; y < rect.Bottom; y += 2) {
    canvas.SetPixel(rect.Left, y, color);
    canvas.SetPixel(rect.Right - 1, y, color);
  }
}
