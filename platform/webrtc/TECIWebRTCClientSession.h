#pragma once

#include "KROBaseUnknown.h"
#include "KROPtr.h"

// A WebRTC client session of the WebRTC component: receives a view's video track.
class TECIWebRTCClientSession : public KROBaseUnknown {
 protected:
  ~TECIWebRTCClientSession() override = default;
};

using TECIWebRTCClientSession_var = KROPtr<TECIWebRTCClientSession>;
