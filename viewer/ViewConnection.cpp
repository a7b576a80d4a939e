#include "VOZ/Node.h"
#include "viewer/KRO3DStreamingViewer.h"

// The node is stopped first, so that no answer or frame arrives while the entry is unbound and
// emptied; answer handlers refuse an entry without a lock.
void KRO3DStreamingViewer::DisconnectView(ViewParameters& entry) {
  if (!entry.mutex) return;
  if (VOZ::Node* node = entry.clientNode) {
    if (entry.active) node->Unsubscribe(entry.subscriptionId);
    if (entry.animationActive) {
      node->CallAndWait(entry.nodeId, "stopAnimation", 1, node->CreateParameters(),
                        VOZ::Callbacks({}));
    }
    node->Stop();
  }
  UnsetViewpoint(entry);
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
    entry.pendingFocusDistance.store(-1.0f);
    // Queued events are released oldest first, never dispatched.
    while (!entry.pickEventQueue.empty()) entry.pickEventQueue.pop_front();
    while (!entry.errorEventQueue.empty()) entry.errorEventQueue.pop_front();
    entry.statistics.reset();
  }
  entry.mutex.reset();
  entry.texture = nullptr;
}
