#pragma once

#include "framework/Graphics.h"

class TCanvas;

// The focus look of the pack's controls: a dotted outline (every other pixel) just inside rect.
void DrawFocusRect(TCanvas& canvas, const TRect& rect, TColor color);
