#include "viewer/KRO3DStreamingViewer.h"

void KRO3DStreamingViewer::DisconnectView(ViewParameters& entry) {
  if (!entry.mutex) return;
  entry.webRTCSession = nullptr;
  entry.clientNode = nullptr;
  entry.subscriptionId = 0;
  entry.active = false;
  entry.displayedFrameId = kEmptyString;
  entry.animationActive = false;
  {
    KROMutexLock lock(*entry.mutex);
    entry.frameQueue.clear();
    entry.frameConverter.reset();
    entry.pendingFocusDistance = -1.0f;
    // Queued events are released oldest first, never dispatched.
    while (!entry.pickEventQueue.empty()) entry.pickEventQueue.pop_front();
    while (!entry.errorEventQueue.empty()) entry.errorEventQueue.pop_front();
    entry.statistics.reset();
  }
  entry.mutex.reset();
  entry.texture = nullptr;
}
