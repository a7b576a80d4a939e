#include <cstdio>

#include "KROSystem.h"
#include "VOZ/Node.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {
constexpr int kNVidiaVendorID = 0x10DE;
}  // namespace

// Prepares the transport of session types 3 to 5 and reports the client's side connected.
// Self-sized raw pictures (type 5) need nothing local; the H.264 decoder (type 3) and the
// WebRTC session (type 4) are not available yet, so those types fail as a failed set-up does.
HRESULT KRO3DStreamingViewer::_CreateWebRTCSession(unsigned int viewIndex, Vis::SessionType type) {
  if (viewIndex >= _Views.size()) return E_UNEXPECTED;
  _Views[viewIndex].videoDecoderName = KROGetGraphicCardVendorID() == kNVidiaVendorID
                                           ? "VOVVideoDecoderNVidia"
                                           : "VOVVideoDecoderFFMPEG";
  if (type == Vis::kH264Session) {
    std::fputs("Cannot instantiate video decoder interfaces\n", stdout);
    return E_FAIL;
  }
  if (type == Vis::kWebRTCSession) {
    std::fputs("Cannot instantiate WebRTCSession interfaces\n", stdout);
    return E_FAIL;
  }

  ViewParameters& view = _Views[viewIndex];
  VOZ::Parameters status = view.clientNode->CreateParameters();
  status.WriteString("iceState", "connected");
  bool connected = false;
  const VOZ::Callbacks callbacks(
      [&connected](const VOZ::Parameters&) {
        connected = true;
        return S_OK;
      },
      [&connected](const VOZ::Parameters&) {
        connected = false;
        return E_FAIL;
      });
  const HRESULT called =
      view.clientNode->CallAndWait(view.nodeId, "pixSendWebRTCSessionStatus", 1, status, callbacks);
  if (FAILED(called)) {
    std::fputs("Call to pixSendWebRTCSessionStatus failed\n", stdout);
    std::fflush(stdout);
    return E_FAIL;
  }
  if (!connected) {
    std::fputs("Error when sending connected message to server\n", stdout);
    return E_FAIL;
  }
  _SendReframe(viewIndex);
  return S_OK;
}
