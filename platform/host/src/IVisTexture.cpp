#include "IVisTexture.h"

#include <algorithm>

#include "KROPixelImage.h"

KRO_IMPLEMENT_CLASS(IVisTexture, KROBaseUnknown)

IVisTexture::IVisTexture(const KROPixelImage& image)
    : _Pixels(image.GetPixels(), image.GetPixels() + image.GetByteCount()) {
  image.GetSize(_Width, _Height);
}

IVisTexture::~IVisTexture() = default;

HRESULT IVisTexture::Update(const KROPixelImage* image, int /*level*/, bool /*a*/, bool /*b*/) {
  if (!image || image->GetPixelFormat() != KROPixelImage::kRGBA) return E_INVALIDARG;
  int width = 0;
  int height = 0;
  image->GetSize(width, height);
  if (width != _Width || height != _Height) return E_INVALIDARG;
  std::copy_n(image->GetPixels(), _Pixels.size(), _Pixels.begin());
  ++_UpdateCount;
  return S_OK;
}
