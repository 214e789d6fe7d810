#include "platform/display/headless/PngFile.h"

#include <png.h>

#include "platform/kernel/Exception.h"

namespace display {

void WritePng(const winsys::PixelBuffer& picture, const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_BGRA;
  const bool written = png_image_write_to_file(&image, path.c_str(), 0, picture.bytes.data(),
                                               picture.Stride(), nullptr) != 0;
  std::string reason = image.message;
  png_image_free(&image);
  if (!written) throw kernel::Exception("cannot write " + path + ": " + reason);
}

}  // namespace display
