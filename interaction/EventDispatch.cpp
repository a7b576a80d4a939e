#include "viewer/KRO3DStreamingViewer.h"

// The events are taken out of the queues under the view's lock and handed to the listeners
// without it: a listener may stop the view's node (disconnecting it, or ending its connection
// on an error), which waits for the node's running handlers, and a frame handler may itself be
// waiting for that lock. Pick events go first, then error events, each in arrival order.
void KRO3DStreamingViewer::DispatchQueuedEvents(unsigned int view) {
  if (!_CallbackManager || view >= _Views.size() || !_Views[view].mutex) return;
  std::deque<KROPtr<KROStreamingPickEvent>> picks;
  std::deque<KROPtr<KROStreamingErrorEvent>> errors;
  {
    ViewParameters& entry = _Views[view];
    KROMutexLock lock(*entry.mutex);
    picks.swap(entry.pickEventQueue);
    errors.swap(entry.errorEventQueue);
  }
  for (const auto& event : picks) {
    if (event) _CallbackManager->DispatchCallbacks(STREAMING_PICK(), event.Get(), nullptr);
  }
  for (const auto& event : errors) {
    if (!event) continue;
    // The camera the service refused leaves the picture behind it stale: the next frame of the
    // view's size makes a new background.
    if (event->GetFailedAction() == KROStreamingErrorEvent::SetCamera && view < _Views.size()) {
      ViewParameters& entry = _Views[view];
      if (entry.backgroundRep) {
        if (entry.viewpoint) entry.viewpoint->RemoveRep(entry.backgroundRep.Get());
        entry.backgroundRep = nullptr;
      }
    }
    _CallbackManager->DispatchCallbacks(STREAMING_ERROR(), event.Get(), nullptr);
  }
}
