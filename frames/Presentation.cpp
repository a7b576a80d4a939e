#include "events/KROStreamingFrameEvent.h"
#include "viewer/KRO3DStreamingViewer.h"

// Runs at the end of every draw: each connected view dispatches its queued events, then shows
// at most one queued frame.
void KRO3DStreamingViewer::_OnSwap(const char*, KROBaseUnknown*, KRONotification*,
                                   KROSubscriberData, KROCallbackId) {
  for (unsigned int index = 0; index < _Views.size(); ++index) {
    ViewParameters& view = _Views[index];
    if (!view.mutex) continue;
    DispatchQueuedEvents(index);
    if (!view.active) continue;

    bool frameChanged = false;
    {
      KROMutexLock lock(*view.mutex);
      if (view.frameQueue.empty()) continue;
      const PendingFrame frame = std::move(view.frameQueue.front());
      view.frameQueue.pop_front();
      view.displayedCallId = std::max(view.displayedCallId, frame.latestResolvedCallId);
      if (frame.frameId != view.displayedFrameId) {
        view.displayedFrameId = frame.frameId;
        frameChanged = true;
      }
    }
    if (frameChanged && _CallbackManager) {
      auto* event = new KROStreamingFrameEvent(view.sessionId, index, view.displayedFrameId);
      _CallbackManager->DispatchCallbacks(STREAMING_FRAME(), event, nullptr);
      event->Release();
    }
  }
}
