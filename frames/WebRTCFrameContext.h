#pragma once

#include <cstdint>

class KRO3DStreamingViewer;

// Handed to a WebRTC session as the opaque argument of its frame callback: where a picture
// goes.
struct WebRTCFrameContext {
  KRO3DStreamingViewer* viewer = nullptr;
  std::int32_t viewIndex = 0;
};
