#pragma once

#include "KROBaseUnknown.h"
#include "KROPtr.h"

// A WebRTC client session of the WebRTC component: receives a view's video track.
class TECIWebRTCClientSession : public KROBaseUnknown {
 public:
  // Ends the session: no frame is delivered once it returns.
  virtual HRESULT Stop() = 0;

 protected:
  ~TECIWebRTCClientSession() override = default;
};

using TECIWebRTCClientSession_var = KROPtr<TECIWebRTCClientSession>;
