#pragma once

#include <cstdint>
#include <vector>

#include "KROBaseUnknown.h"
#include "KROPtr.h"
#include "KROResult.h"

class KROPixelImage;

// A texture of the host's visualization: its own copy of an RGBA image, updated in place. Used
// on the user-interface thread, which also draws it.
class IVisTexture : public KROBaseUnknown {
  KRO_DECLARE_CLASS(IVisTexture)
 public:
  void GetSize(int& width, int& height) const {
    width = _Width;
    height = _Height;
  }
  // Row-major RGBA, rows of the texture's width, row 0 at texture coordinate v = 0.
  const unsigned char* GetPixels() const { return _Pixels.data(); }
  std::uint64_t GetUpdateCount() const { return _UpdateCount; }

  // Copies `image`'s pixels over the texture's own. E_INVALIDARG when the image is null, not
  // RGBA, or of another size: a texture never changes size. The mipmap level and the two flags
  // are the host's upload hints, meaningless for a texture kept in memory.
  HRESULT Update(const KROPixelImage* image, int level, bool a, bool b);

 protected:
  ~IVisTexture() override;

 private:
  friend class VisTextureFactory;
  explicit IVisTexture(const KROPixelImage& image);

  int _Width = 0;
  int _Height = 0;
  std::vector<unsigned char> _Pixels;
  std::uint64_t _UpdateCount = 0;
};

using IVisTexturePtr = KROPtr<IVisTexture>;
