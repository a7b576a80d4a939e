#pragma once

#include <cstdint>

#include "Vorn/Binary.h"

class KROPixelImage;

// Turns the bytes of a queued frame into a pixel image; one variant per byte layout. The
// result is a new image owned by the caller, or null when the bytes do not form an image. An
// image of the raw variants wraps the frame's bytes, so the frame must outlive it.
class FrameImageConverter {
 public:
  virtual ~FrameImageConverter() = default;
  virtual KROPixelImage* ToImage(const Vorn::Binary& data, std::uint32_t width,
                                 std::uint32_t height) const = 0;
};

// A JPEG file image, whatever the view's size.
class JpegFrameConverter final : public FrameImageConverter {
 public:
  KROPixelImage* ToImage(const Vorn::Binary& data, std::uint32_t width,
                         std::uint32_t height) const override;
};

// Raw RGBA pixels of exactly the view's size, no header.
class ViewSizedFrameConverter final : public FrameImageConverter {
 public:
  KROPixelImage* ToImage(const Vorn::Binary& data, std::uint32_t width,
                         std::uint32_t height) const override;
};

// Raw RGBA pixels after an 8-byte little-endian header giving their width and height.
class SelfSizedFrameConverter final : public FrameImageConverter {
 public:
  static constexpr std::size_t kHeaderSize = 8;
  KROPixelImage* ToImage(const Vorn::Binary& data, std::uint32_t width,
                         std::uint32_t height) const override;
};
