#include "KROStreamingErrorEvent.h"
#include "KROStreamingFrameEvent.h"
#include "KROStreamingPickEvent.h"

KRO_IMPLEMENT_CLASS(KROStreamingEvent, KRONotification)
KRO_IMPLEMENT_CLASS(KROStreamingErrorEvent, KROStreamingEvent)
KRO_IMPLEMENT_CLASS(KROStreamingFrameEvent, KROStreamingEvent)
KRO_IMPLEMENT_CLASS(KROStreamingPickEvent, KROStreamingEvent)

KROStreamingEvent::KROStreamingEvent(const KROUnicodeString& sessionID, unsigned int viewID)
    : KRONotification(0), _SessionID(sessionID), _ViewID(viewID) {}
KROStreamingEvent::~KROStreamingEvent() = default;

KROStreamingErrorEvent::KROStreamingErrorEvent(const KROUnicodeString& sessionID,
                                               unsigned int viewID, Action action,
                                               const KROUnicodeString& status,
                                               const KROUnicodeString& message)
    : KROStreamingEvent(sessionID, viewID),
      _FailedAction(action),
      _ErrorStatus(status),
      _ErrorMessage(message) {}
KROStreamingErrorEvent::~KROStreamingErrorEvent() = default;

KROStreamingFrameEvent::KROStreamingFrameEvent(const KROUnicodeString& sessionID,
                                               unsigned int viewID, const KROUnicodeString& frameID)
    : KROStreamingEvent(sessionID, viewID), _FrameID(frameID) {}
KROStreamingFrameEvent::~KROStreamingFrameEvent() = default;

KROStreamingPickEvent::KROStreamingPickEvent(const KROUnicodeString& sessionID, unsigned int viewID,
                                             const Vis::RepPath& path, const KROMathPoint& point,
                                             const ExtraInfo& extra, bool keepPrevious)
    : KROStreamingEvent(sessionID, viewID),
      _PickedObjects{path},
      _IntersectedPoint(point),
      _KeepPreviousPick(keepPrevious),
      _RayPick(true),
      _ExtraPickingInfo(extra) {}

KROStreamingPickEvent::KROStreamingPickEvent(
    const KROUnicodeString& sessionID, unsigned int viewID,
    const std::vector<std::unique_ptr<Vis::RepPath>>& paths, bool keepPrevious)
    : KROStreamingEvent(sessionID, viewID),
      _IntersectedPoint{},
      _KeepPreviousPick(keepPrevious),
      _RayPick(false) {
  _PickedObjects.reserve(paths.size());
  for (const auto& path : paths) {
    if (path && !path->IsEmpty()) _PickedObjects.push_back(*path);
  }
}
KROStreamingPickEvent::~KROStreamingPickEvent() = default;
