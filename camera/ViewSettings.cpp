#include "VOZ/Node.h"
#include "viewer/KRO3DStreamingViewer.h"

// Every connected view must accept the display settings; when one refuses, the infinite
// environment goes back to the last one all accepted, without this change being sent again.
HRESULT KRO3DStreamingViewer::_SendSettings() {
  bool accepted = true;
  KROVizViewer* vizViewer = GetVizViewer();
  for (unsigned int index = 0; index < _Views.size(); ++index) {
    ViewParameters& view = _Views[index];
    // A view whose node an initialisation error stopped has nobody to tell.
    if (!view.mutex || !view.clientNode) continue;
    VOZ::Parameters request = view.clientNode->CreateParameters();
    request.WriteString("ambiance", vizViewer->GetInfiniteEnvironmentRootName());
    request.WriteInt32("viewmode", vizViewer->GetViewMode());
    if (view.viewpoint) request.WriteBool("showSpace", view.viewpoint->IsShowSpace() != 0);
    const VOZ::Callbacks callbacks(
        [this, index](const VOZ::Parameters& answer) {
          return UpdateCallIdentifier(index, answer);
        },
        [this, index, &accepted](const VOZ::Parameters& error) {
          accepted = false;
          RegisterFailedAction(index, KROStreamingErrorEvent::UpdateViewer, error);
          return E_FAIL;
        });
    view.clientNode->CallAndWait(view.nodeId, "streamingUpdateViewer", 1, request, callbacks);
    DispatchQueuedEvents(index);
  }

  if (accepted) {
    _SavedEnvironment =
        KROPtr<KROVisInfiniteEnvironment>::Adopt(vizViewer->GetCloneOfInfiniteEnvironment());
    return S_OK;
  }
  if (_SavedEnvironment) {
    if (_BackgroundChangedCallbackId != 0) {
      RemoveCallback(vizViewer, static_cast<KROCallbackId>(_BackgroundChangedCallbackId));
    }
    vizViewer->SetInfiniteEnvironment(_SavedEnvironment.Get());
    _BackgroundChangedCallbackId = static_cast<int>(AddCallback(
        vizViewer, VIEWER_BACKGROUND_CHANGED(), &KRO3DStreamingViewer::_OnSettingModified, 0));
  }
  return E_FAIL;
}

void KRO3DStreamingViewer::_OnSettingModified(const char*, KROBaseUnknown*, KRONotification*,
                                              KROSubscriberData, KROCallbackId) {
  _SendSettings();
}
