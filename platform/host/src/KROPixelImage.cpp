#include "KROPixelImage.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

KRO_IMPLEMENT_CLASS(KROPixelImage, KROBaseUnknown)

std::size_t KROPixelImage::ByteCount(int width, int height, int pixelFormat) {
  if (width <= 0 || height <= 0 || pixelFormat != kRGBA) return 0;
  constexpr std::uint64_t kBytesPerPixel = 4;
  // Below 2^62 for any two ints, so this product cannot wrap.
  const std::uint64_t pixelCount =
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  // No allocation may exceed PTRDIFF_MAX bytes.
  constexpr auto kMaxBytes = static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max());
  if (pixelCount > kMaxBytes / kBytesPerPixel) return 0;
  return static_cast<std::size_t>(pixelCount * kBytesPerPixel);
}

KROPixelImage* KROPixelImage::Create(int width, int height, int pixelFormat, unsigned char* pixels,
                                     int ownership) {
  const std::size_t bytes = ByteCount(width, height, pixelFormat);
  if (bytes == 0 || !pixels) return nullptr;
  switch (ownership) {
    case kCopyPixels: {
      std::unique_ptr<unsigned char[]> copy(new (std::nothrow) unsigned char[bytes]);
      if (!copy) return nullptr;
      std::memcpy(copy.get(), pixels, bytes);
      const unsigned char* view = copy.get();
      return new KROPixelImage(width, height, pixelFormat, view, std::move(copy));
    }
    case kAdoptPixels:
      return new KROPixelImage(width, height, pixelFormat, pixels,
                               std::unique_ptr<unsigned char[]>(pixels));
    case kWrapPixels:
      return new KROPixelImage(width, height, pixelFormat, pixels, nullptr);
    default:
      return nullptr;
  }
}

KROPixelImage::KROPixelImage(int width, int height, int pixelFormat, const unsigned char* pixels,
                             std::unique_ptr<unsigned char[]> owned)
    : _Width(width),
      _Height(height),
      _PixelFormat(pixelFormat),
      _Owned(std::move(owned)),
      _Pixels(pixels) {}

KROPixelImage::~KROPixelImage() = default;
