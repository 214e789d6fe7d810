#pragma once

#include <string>

#include "platform/winsys/PixelBuffer.h"

namespace display {

// Writes the picture as a PNG file with its alpha; raises kernel::Exception with libpng's reason
// when the file cannot be written.
void WritePng(const winsys::PixelBuffer& picture, const std::string& path);

}  // namespace display
