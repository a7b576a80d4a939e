#include "KROPngFile.h"

#include <png.h>

HRESULT WritePngFile(const char* path, const std::uint8_t* pixels, int width, int height) {
  if (!path || !pixels || width <= 0 || height <= 0) return E_INVALIDARG;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  const int written = png_image_write_to_file(&image, path, 0, pixels, 0, nullptr);
  png_image_free(&image);
  return written ? S_OK : E_FAIL;
}
