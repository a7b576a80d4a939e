#pragma once

#include "IVisTexture.h"

class KROPixelImage;

// Creates the host's textures.
class VisTextureFactory {
 public:
  // A texture holding a copy of `image`'s pixels; null for a null or non-RGBA image. Textures
  // stay in memory, so mipmaps and compression are not made.
  static IVisTexturePtr CreateTexture(const KROPixelImage* image, bool mipmaps, bool compress);
};
