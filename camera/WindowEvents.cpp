#include "viewer/KRO3DStreamingViewer.h"

// Only the first exposure matters: from then on the window counts as exposed, and what has
// arrived meanwhile is shown at once.
void KRO3DStreamingViewer::_OnExposeWindow(const char*, KROBaseUnknown*, KRONotification*,
                                           KROSubscriberData, KROCallbackId) {
  RemoveCallback(GetWindow(), static_cast<KROCallbackId>(_ExposeCallbackId));
  _ExposeCallbackId = 0;
  _OnSwap(nullptr, nullptr, nullptr, 0, 0);
}

// Only the view of the main viewpoint follows the window's size; views of a layout have
// viewports of their own.
void KRO3DStreamingViewer::_OnResize(const char*, KROBaseUnknown*, KRONotification*,
                                     KROSubscriberData, KROCallbackId) {
  if (!_Views.empty() && _Views[0].viewpoint.Get() == GetMain3DViewpoint()) {
    _OnViewpointModified(nullptr, nullptr, nullptr, 0, 0);
  }
}
