#include "viewer/KRO3DStreamingViewer.h"

// The view's lock is held while listeners run, so answer threads cannot queue behind their
// back; listeners may call back into the viewer for the same view, the lock being re-entrant.
void KRO3DStreamingViewer::DispatchQueuedEvents(unsigned int view) {
  if (!_CallbackManager || view >= _Views.size() || !_Views[view].mutex) return;
  ViewParameters& entry = _Views[view];
  KROMutex& mutex = *entry.mutex;

  KROMutexLock lock(mutex);
  while (!entry.pickEventQueue.empty()) {
    KROPtr<KROStreamingPickEvent> event = std::move(entry.pickEventQueue.front());
    entry.pickEventQueue.pop_front();
    if (event) _CallbackManager->DispatchCallbacks(STREAMING_PICK(), event.Get(), nullptr);
  }
  while (!entry.errorEventQueue.empty()) {
    KROPtr<KROStreamingErrorEvent> event = std::move(entry.errorEventQueue.front());
    entry.errorEventQueue.pop_front();
    if (event) _CallbackManager->DispatchCallbacks(STREAMING_ERROR(), event.Get(), nullptr);
  }
}
