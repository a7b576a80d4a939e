#include "frames/FrameImageConverter.h"

#include <limits>

#include "KROJpegImage.h"
#include "KROPixelImage.h"

namespace {

constexpr int kRGBA = 3;                // the host's 4-byte pixel format
constexpr int kWrapsForeignPixels = 2;  // the image neither owns nor frees the pixels
constexpr int kReadOnly = 1;
constexpr std::uint64_t kBytesPerPixel = 4;

std::uint32_t ReadLittleEndian32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The host image takes int sizes; larger ones cannot be wrapped.
bool FitsImage(std::uint64_t width, std::uint64_t height) {
  constexpr std::uint64_t kMax = std::numeric_limits<int>::max();
  return width > 0 && height > 0 && width <= kMax && height <= kMax;
}

KROPixelImage* WrapPixels(const unsigned char* pixels, std::uint32_t width, std::uint32_t height) {
  // Wrapped pixels are only read: the image is handed to a texture, never written.
  return KROPixelImage::Create(static_cast<int>(width), static_cast<int>(height), kRGBA,
                               const_cast<unsigned char*>(pixels), kWrapsForeignPixels);
}

}  // namespace

KROPixelImage* JpegFrameConverter::ToImage(const Vorn::Binary& data, std::uint32_t,
                                           std::uint32_t) const {
  if (data.GetSize() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return nullptr;
  return ReadMemoryJPEGPixelImage(data.GetData(), static_cast<int>(data.GetSize()), kReadOnly);
}

KROPixelImage* ViewSizedFrameConverter::ToImage(const Vorn::Binary& data, std::uint32_t width,
                                                std::uint32_t height) const {
  const std::uint64_t expected = std::uint64_t{width} * height * kBytesPerPixel;
  if (!FitsImage(width, height) || data.GetSize() != expected) return nullptr;
  return WrapPixels(data.GetData(), width, height);
}

KROPixelImage* SelfSizedFrameConverter::ToImage(const Vorn::Binary& data, std::uint32_t,
                                                std::uint32_t) const {
  if (!data.GetData() || data.GetSize() < kHeaderSize) return nullptr;
  const std::uint32_t width = ReadLittleEndian32(data.GetData());
  const std::uint32_t height = ReadLittleEndian32(data.GetData() + 4);
  // 64-bit arithmetic: a 32-bit product of a hostile header would wrap to a small size.
  const std::uint64_t pixelBytes = std::uint64_t{width} * height * kBytesPerPixel;
  if (!FitsImage(width, height) || data.GetSize() - kHeaderSize < pixelBytes) return nullptr;
  return WrapPixels(data.GetData() + kHeaderSize, width, height);
}
