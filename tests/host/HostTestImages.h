#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

#include "KROPixelImage.h"
#include "KROPtr.h"

namespace host_test {

using Rgba = std::array<unsigned char, 4>;

// A new RGBA image owning the colours that `colourOf(x, y)` gives, row y = 0 first.
inline KROPtr<KROPixelImage> MakeImage(int width, int height,
                                       const std::function<Rgba(int x, int y)>& colourOf) {
  std::vector<unsigned char> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgba colour = colourOf(x, y);
      pixels.insert(pixels.end(), colour.begin(), colour.end());
    }
  }
  return KROPtr<KROPixelImage>::Adopt(KROPixelImage::Create(
      width, height, KROPixelImage::kRGBA, pixels.data(), KROPixelImage::kCopyPixels));
}

// The pixel at (x, y) of row-major RGBA pixels with rows of `width` pixels.
inline Rgba PixelAt(const unsigned char* pixels, int width, int x, int y) {
  const unsigned char* p = pixels + (static_cast<std::size_t>(y) * width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

}  // namespace host_test
