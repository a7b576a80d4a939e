#include <string>

#include "Vis/UID.h"
#include "camera/RemoteObjectTypes.h"
#include "viewer/KRO3DStreamingViewer.h"

// Subscription handler of a view's "StreamingEvent" topic, on a node thread: queues the frame
// for the next presentation. Stale frames of ordinary streaming are dropped, oldest first,
// once more than kMaxCumulatedEvents wait; frames that carry another identifier than the one
// on screen (animation frames) are never dropped, since each must be shown and announced.
HRESULT KRO3DStreamingViewer::_OnReceiveStream(unsigned int view, const VOZ::Parameters& record) {
  if (view >= _Views.size() || !_Views[view].mutex) return E_UNEXPECTED;
  ViewParameters& entry = _Views[view];

  PendingFrame frame;
  record.ReadBuffer("colorImgBuffer", frame.data);
  std::string frameId = Vis::UID::defaultFrameId.ToString();
  record.ReadString("animationFrameId", frameId);
  frame.frameId = frameId;
  KROVisCamera* forcedCamera = nullptr;
  if (SUCCEEDED(record.ReadObject("forcedCamera", RemoteObjectType::kCamera, forcedCamera))) {
    frame.forcedCamera = KROPtr<KROVisCamera>::Adopt(forcedCamera);
  }
  record.ReadUint64("latestResolvedCallId", frame.latestResolvedCallId);

  KROMutexLock lock(*entry.mutex);
  ++entry.framesReceived;
  while (entry.frameQueue.size() > kMaxCumulatedEvents &&
         entry.frameQueue.front().frameId == entry.displayedFrameId) {
    entry.frameQueue.pop_front();
    ++entry.framesDropped;
  }
  entry.frameQueue.push_back(std::move(frame));
  RequestDrawIfIdle();
  return S_OK;
}
