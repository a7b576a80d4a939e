#include "viewer/KRO3DStreamingViewer.h"

#include "KROGraphicWindow.h"

// Only the first exposure matters: from then on the window counts as exposed.
void KRO3DStreamingViewer::_OnExposeWindow(const char*, KROBaseUnknown*, KRONotification*,
                                           KROSubscriberData, KROCallbackId) {
  RemoveCallback(GetWindow(), static_cast<KROCallbackId>(_ExposeCallbackId));
  _ExposeCallbackId = 0;
}
