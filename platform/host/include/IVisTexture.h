#pragma once

#include "KROBaseUnknown.h"
#include "KROPtr.h"

// A texture of the host's visualization.
class IVisTexture : public KROBaseUnknown {
  KRO_DECLARE_CLASS(IVisTexture)
 public:
  IVisTexture() = default;

 protected:
  ~IVisTexture() override = default;
};

using IVisTexturePtr = KROPtr<IVisTexture>;
