#pragma once

#include <cstddef>
#include <memory>

#include "KROBaseUnknown.h"

// An image of width × height pixels, rows stored one after the other without padding.
class KROPixelImage : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROPixelImage)
 public:
  // Pixel formats.
  static constexpr int kRGBA = 3;  // 4 bytes a pixel: red, green, blue, alpha

  // What Create does with the caller's pixels.
  static constexpr int kCopyPixels = 0;
  static constexpr int kAdoptPixels = 1;  // allocated with new unsigned char[]; freed here
  static constexpr int kWrapPixels = 2;   // neither owned nor freed: must outlive the image

  // A new image holding one reference, or null for a non-positive size, a byte count that does
  // not fit in memory, null pixels, or an unknown format or ownership. On failure the caller
  // keeps its pixels, whatever the ownership asked.
  static KROPixelImage* Create(int width, int height, int pixelFormat, unsigned char* pixels,
                               int ownership);

  // Bytes of an image of that size and format, or 0 when the size is not positive, the format is
  // unknown or the count exceeds what one allocation can hold.
  static std::size_t ByteCount(int width, int height, int pixelFormat);

  void GetSize(int& width, int& height) const {
    width = _Width;
    height = _Height;
  }
  int GetPixelFormat() const { return _PixelFormat; }
  const unsigned char* GetPixels() const { return _Pixels; }
  std::size_t GetByteCount() const { return ByteCount(_Width, _Height, _PixelFormat); }

 protected:
  ~KROPixelImage() override;

 private:
  KROPixelImage(int width, int height, int pixelFormat, const unsigned char* pixels,
                std::unique_ptr<unsigned char[]> owned);

  const int _Width;
  const int _Height;
  const int _PixelFormat;
  const std::unique_ptr<unsigned char[]> _Owned;
  const unsigned char* const _Pixels;
};
