#pragma once

#include <map>
#include <memory>
#include <vector>

#include "KROMath.h"
#include "KROStreamingEvent.h"
#include "camera/VisRepPath.h"

// The service answered a pick: a point (ray) pick with one object and the point hit, or an
// area (trap) pick with every object found.
class KROStreamingPickEvent : public KROStreamingEvent {
  KRO_DECLARE_CLASS(KROStreamingPickEvent)
 public:
  using ExtraInfo = std::map<KROUnicodeString, KROUnicodeString>;

  // Point pick: exactly one picked object, even an empty path.
  KROStreamingPickEvent(const KROUnicodeString& sessionID, unsigned int viewID,
                        const Vis::RepPath& path, const KROMathPoint& point, const ExtraInfo& extra,
                        bool keepPrevious);
  // Area pick: the non-null, non-empty paths, in order; the caller keeps `paths`.
  KROStreamingPickEvent(const KROUnicodeString& sessionID, unsigned int viewID,
                        const std::vector<std::unique_ptr<Vis::RepPath>>& paths, bool keepPrevious);
  KROStreamingPickEvent(const KROStreamingPickEvent& other) = default;

  const std::vector<Vis::RepPath>& GetPickedObjects() const { return _PickedObjects; }
  const KROMathPoint& GetIntersectedPoint() const { return _IntersectedPoint; }
  const ExtraInfo& GetExtraPickingInfo() const { return _ExtraPickingInfo; }
  bool IsRayPick() const { return _RayPick; }
  bool KeepPreviousPick() const { return _KeepPreviousPick; }

 protected:
  ~KROStreamingPickEvent() override;

 private:
  std::vector<Vis::RepPath> _PickedObjects;
  const KROMathPoint _IntersectedPoint;
  const bool _KeepPreviousPick;
  const bool _RayPick;
  const ExtraInfo _ExtraPickingInfo;
};
