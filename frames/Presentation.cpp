#include <cmath>

#include "KROPixelImage.h"
#include "KROVisualizationScheduler.h"
#include "VisTextureFactory.h"
#include "events/KROStreamingFrameEvent.h"
#include "viewer/KRO3DStreamingViewer.h"

const KROUnicodeString& KRO3DStreamingViewer::GetDisplayedFrameIdentifier(unsigned int view) const {
  return view < _Views.size() ? _Views[view].displayedFrameId : kEmptyString;
}

void KRO3DStreamingViewer::ApplyPendingFocusDistance(ViewParameters& view) {
  const float distance = view.pendingFocusDistance.load();
  if (!(distance > 0.0f)) return;  // 0, negative ("none") and NaN are never applied
  view.viewpoint->BeginModification();
  view.viewpoint->SetFocusDistance(distance);
  view.viewpoint->EndModification(1);
  view.pendingFocusDistance.store(-1.0f);
}

// Runs at the end of every draw: each view takes at most one queued frame, so a backlog is
// shown one frame per draw, each presentation asking for the next draw.
void KRO3DStreamingViewer::_OnSwap(const char*, KROBaseUnknown*, KRONotification*,
                                   KROSubscriberData, KROCallbackId) {
  bool presented = false;
  // Listeners run from here may connect, disconnect or drop views: entries are looked up
  // again after every dispatch, never held across one.
  for (unsigned int index = 0; index < _Views.size(); ++index) {
    if (_Views[index].viewpoint) ApplyPendingFocusDistance(_Views[index]);
    if (!_Views[index].mutex) continue;
    DispatchQueuedEvents(index);
    if (index >= _Views.size() || !_Views[index].mutex || !_Views[index].active) continue;

    ViewParameters& view = _Views[index];
    PendingFrame frame;
    bool frameChanged = false;
    {
      KROMutexLock lock(*view.mutex);
      if (view.frameQueue.empty()) continue;
      frame = std::move(view.frameQueue.front());
      view.frameQueue.pop_front();
      view.displayedCallId = std::max(view.displayedCallId, frame.latestResolvedCallId);
      if (frame.frameId != view.displayedFrameId) {
        view.displayedFrameId = frame.frameId;
        frameChanged = true;
      }
      if (frame.forcedCamera) {
        _SetupViewpointFromSceneCamera(index, *frame.forcedCamera, true);
        frame.forcedCamera = nullptr;
      }
    }
    if (frameChanged && _CallbackManager) {
      auto event = KROPtr<KROStreamingFrameEvent>::Adopt(
          new KROStreamingFrameEvent(view.sessionId, index, frame.frameId));
      _CallbackManager->DispatchCallbacks(STREAMING_FRAME(), event.Get(), nullptr);
      if (index >= _Views.size()) break;
    }
    presented |= PresentFrame(index, frame);
  }
  if (presented) {
    Draw();
    KROVisualizationScheduler::GetInstance()->DoDrawJob();
  }
}

bool KRO3DStreamingViewer::PresentFrame(unsigned int index, const PendingFrame& frame) {
  ViewParameters& view = _Views[index];
  if (!view.frameConverter) return false;
  std::uint32_t width = 0, height = 0;
  if (view.viewpoint) GetViewSize(view, width, height);
  // The image may wrap the frame's bytes: `frame` outlives it.
  auto image =
      KROPtr<KROPixelImage>::Adopt(view.frameConverter->ToImage(frame.data, width, height));
  if (!image) return false;

  GetSupport()->SetUpdateSpritesMapsFlag(1);
  int imageWidth = 0, imageHeight = 0;
  image->GetSize(imageWidth, imageHeight);
  const bool viewSized = static_cast<std::uint32_t>(imageWidth) == width &&
                         static_cast<std::uint32_t>(imageHeight) == height;
  if (!view.backgroundRep && viewSized) {
    if (KRO3DRep* rep = CreateBackgroundRep()) {
      view.backgroundRep = KROPtr<KRO3DRep>::Adopt(rep);
      UpdateBackgroundRepTexture(*rep, view.texture);
      if (view.viewpoint) view.viewpoint->AddRep(rep);
    }
  }

  if (view.texture) {
    int textureWidth = 0, textureHeight = 0;
    view.texture->GetSize(textureWidth, textureHeight);
    // Same size: the material keeps its texture, nothing to rebind.
    if (textureWidth == imageWidth && textureHeight == imageHeight) {
      view.texture->Update(image.Get(), 0, true, false);
      return true;
    }
  }
  view.texture = VisTextureFactory::CreateTexture(image.Get(), false, false);
  if (view.backgroundRep) UpdateBackgroundRepTexture(*view.backgroundRep, view.texture);
  return true;
}
