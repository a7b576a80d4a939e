#pragma once

#include "KRO3DIndicator.h"

// The indicator that replaces the host's on the view showing the main viewpoint, turning
// clicks and selection traps into remote picks.
class KRO3DStreamingIndicator : public KRO3DIndicator {
  KRO_DECLARE_CLASS(KRO3DStreamingIndicator)
 public:
  KRO3DStreamingIndicator() = default;

 protected:
  ~KRO3DStreamingIndicator() override = default;
};
