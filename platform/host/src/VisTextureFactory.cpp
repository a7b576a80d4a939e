#include "VisTextureFactory.h"

#include "KROPixelImage.h"

IVisTexturePtr VisTextureFactory::CreateTexture(const KROPixelImage* image, bool /*mipmaps*/,
                                                bool /*compress*/) {
  if (!image || image->GetPixelFormat() != KROPixelImage::kRGBA) return nullptr;
  return IVisTexturePtr::Adopt(new IVisTexture(*image));
}
