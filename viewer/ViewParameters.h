#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>

#include "ITECVideoDecoder.h"
#include "IVisTexture.h"
#include "KRO3DRep.h"
#include "KRO3DViewpoint.h"
#include "KROMutex.h"
#include "KROPtr.h"
#include "KROUnicodeString.h"
#include "TECIWebRTCClientSession.h"
#include "Vorn/NodeId.h"
#include "events/KROStreamingErrorEvent.h"
#include "events/KROStreamingPickEvent.h"
#include "frames/FrameImageConverter.h"
#include "frames/KRO3DStreamingStatistics.h"
#include "frames/PendingFrame.h"
#include "viewer/SessionType.h"

namespace VOZ {
class Node;
}

// A float written by one thread and read by another without a lock; it moves with its entry
// when the table grows.
class SharedFloat {
 public:
  SharedFloat(float value) : _Value(value) {}
  SharedFloat(const SharedFloat& other) : _Value(other.load()) {}
  SharedFloat& operator=(const SharedFloat& other) {
    store(other.load());
    return *this;
  }
  float load() const { return _Value.load(std::memory_order_acquire); }
  void store(float value) { _Value.store(value, std::memory_order_release); }

 private:
  std::atomic<float> _Value;
};

// One view of the streaming viewer; its index is its position in the viewer's table. The lock
// is allocated apart so that it keeps its address when the table grows. A non-null `mutex`
// means the view is connected.
struct ViewParameters {
  std::unique_ptr<KROMutex> mutex;
  KROPtr<KRO3DViewpoint> viewpoint;
  unsigned int viewpointModifiedCallbackId = 0;
  unsigned int viewportModifiedCallbackId = 0;
  unsigned int viewpointActionEndedCallbackId = 0;
  KROUnicodeString sessionId;  // kept across disconnection
  KROUnicodeString serverName;
  Vis::SessionType sessionType = Vis::kJpegSession;
  VOZ::Node* clientNode = nullptr;
  Vorn::NodeId nodeId;
  IVisTexturePtr texture;
  KROPtr<KRO3DRep> backgroundRep;  // kept across reconnection
  std::deque<PendingFrame> frameQueue;
  // Call identifiers, guarded by `mutex`.
  std::uint64_t resolvedCallId = 0;
  std::uint64_t submittedCallId = 0;
  std::uint64_t displayedCallId = 0;
  KROUnicodeString displayedFrameId;
  bool animationActive = false;
  std::deque<KROPtr<KROStreamingPickEvent>> pickEventQueue;
  std::deque<KROPtr<KROStreamingErrorEvent>> errorEventQueue;
  std::unique_ptr<FrameImageConverter> frameConverter;
  // Written by a pick answer thread, read by presentation; -1: none.
  SharedFloat pendingFocusDistance{-1.0f};
  bool active = false;
  std::int64_t subscriptionId = 0;
  TECIWebRTCClientSession_var webRTCSession;
  ITECVideoDecoder_var videoDecoder;  // kept across disconnection
  KROUnicodeString videoDecoderName;
  std::unique_ptr<KRO3DStreamingStatistics> statistics;
  std::uint32_t framesReceived = 0;
  std::uint32_t framesDropped = 0;
  // Last decoded picture: 32-bit width, 32-bit height, then RGBA pixels.
  std::unique_ptr<std::uint8_t[]> decodedFrame;
  std::int32_t decodedFrameSize = 0;
};
