#include "KROJpegImage.h"

#include <turbojpeg.h>

#include <memory>
#include <new>

namespace {

// Larger pictures than any screen a view can fill are refused before allocating for them, so a
// header claiming 65500 × 65500 pixels cannot make the decoder ask for 17 GB.
constexpr int kMaxJpegSide = 16384;

struct TurboJpegHandleDeleter {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using TurboJpegHandle = std::unique_ptr<void, TurboJpegHandleDeleter>;

}  // namespace

KROPixelImage* ReadMemoryJPEGPixelImage(const unsigned char* data, int size,
                                        int /*readOnlyState*/) {
  if (!data || size <= 0) return nullptr;
  const TurboJpegHandle decoder(tjInitDecompress());
  if (!decoder) return nullptr;
  const auto jpegSize = static_cast<unsigned long>(size);
  int width = 0;
  int height = 0;
  int subsampling = 0;
  int colorspace = 0;
  if (tjDecompressHeader3(decoder.get(), data, jpegSize, &width, &height, &subsampling,
                          &colorspace) != 0) {
    return nullptr;
  }
  if (width > kMaxJpegSide || height > kMaxJpegSide) return nullptr;
  const std::size_t bytes = KROPixelImage::ByteCount(width, height, KROPixelImage::kRGBA);
  if (bytes == 0) return nullptr;
  std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[bytes]);
  if (!pixels) return nullptr;
  // A warning (such as a premature end of data) fails the decode too: tjDecompress2 reports it
  // with -1, and stopping on it saves decoding the rest of a picture that is thrown away.
  if (tjDecompress2(decoder.get(), data, jpegSize, pixels.get(), width, 0, height, TJPF_RGBA,
                    TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS) != 0) {
    return nullptr;
  }
  KROPixelImage* image = KROPixelImage::Create(width, height, KROPixelImage::kRGBA, pixels.get(),
                                               KROPixelImage::kAdoptPixels);
  if (image) pixels.release();
  return image;
}

HRESULT WriteMemoryJPEG(const KROPixelImage& image, int quality, std::vector<unsigned char>& jpeg) {
  if (quality < 1 || quality > 100 || image.GetPixelFormat() != KROPixelImage::kRGBA) {
    return E_INVALIDARG;
  }
  int width = 0;
  int height = 0;
  image.GetSize(width, height);
  if (width > kMaxJpegSide || height > kMaxJpegSide) return E_INVALIDARG;
  const TurboJpegHandle encoder(tjInitCompress());
  if (!encoder) return E_FAIL;
  // The worst-case size lets the encoder write into our buffer instead of one of its own.
  unsigned long jpegSize = tjBufSize(width, height, TJSAMP_420);
  std::vector<unsigned char> encoded(jpegSize);
  unsigned char* output = encoded.data();
  if (tjCompress2(encoder.get(), image.GetPixels(), width, 0, height, TJPF_RGBA, &output, &jpegSize,
                  TJSAMP_420, quality, TJFLAG_NOREALLOC) != 0) {
    return E_FAIL;
  }
  encoded.resize(jpegSize);
  jpeg.swap(encoded);
  return S_OK;
}
