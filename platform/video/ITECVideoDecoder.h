#pragma once

#include "KROBaseUnknown.h"
#include "KROPtr.h"

// A video decoder of the video component: H.264 packets in, pictures out.
class ITECVideoDecoder : public KROBaseUnknown {
 protected:
  ~ITECVideoDecoder() override = default;
};

using ITECVideoDecoder_var = KROPtr<ITECVideoDecoder>;
