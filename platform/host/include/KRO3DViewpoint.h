#pragma once

#include <vector>

#include "KRO3DRep.h"
#include "KROEventSubscriber.h"
#include "KROMath.h"
#include "KROReferenceList.h"
#include "KROResult.h"

// What a 3D view looks at: a camera, a viewport in its window and the reps drawn there. Every
// change of the camera is published as VIEWPOINT_MODIFIED, at once outside a modification
// bracket, once at the end of the outermost bracket inside one. A setter given the value already
// held changes nothing and publishes nothing. User-interface thread only.
class KRO3DViewpoint : public KROEventSubscriber {
  KRO_DECLARE_CLASS(KRO3DViewpoint)
 public:
  static constexpr int kOrthogonalProjection = 0;
  static constexpr int kPerspectiveProjection = 1;

  // Perspective, eye on +Z at the focus distance from the origin, looking at it with +Y up.
  KRO3DViewpoint() = default;

  KRO_DECLARE_NOTIFICATION(VIEWPOINT_MODIFIED)
  KRO_DECLARE_NOTIFICATION(VIEWPORT_MV_MODIFIED)
  KRO_DECLARE_NOTIFICATION(VIEWPOINT_ACTION_ENDED)

  // Brackets nest; only the end of the outermost one publishes, and only when `notify` is
  // non-zero and something changed since the outermost began. E_UNEXPECTED without a bracket.
  void BeginModification();
  HRESULT EndModification(int notify);

  int GetProjectionType() const { return _Camera.projectionType; }
  void SetProjectionType(int type) { Change(_Camera.projectionType, type); }
  const KROMathPoint& GetOrigin() const { return _Camera.origin; }
  void SetOrigin(const KROMathPoint& origin) { Change(_Camera.origin, origin); }
  const KROMathDirectionf& GetSightDirection() const { return _Camera.sight; }
  void SetSightDirection(const KROMathDirectionf& sight) { Change(_Camera.sight, sight); }
  const KROMathDirectionf& GetUpDirection() const { return _Camera.up; }
  void SetUpDirection(const KROMathDirectionf& up) { Change(_Camera.up, up); }
  int GetClippingMode() const { return _Camera.clippingMode; }
  void SetClippingMode(int mode) { Change(_Camera.clippingMode, mode); }
  void GetClippingValue(float& nearValue, float& farValue) const {
    nearValue = _Camera.clipping.nearValue;
    farValue = _Camera.clipping.farValue;
  }
  void SetClippingValue(float nearValue, float farValue) {
    Change(_Camera.clipping, {nearValue, farValue});
  }
  float GetFocusDistance() const { return _Camera.focusDistance; }
  void SetFocusDistance(float distance) { Change(_Camera.focusDistance, distance); }
  float GetAngle() const { return _Camera.angle; }
  void SetAngle(float angle) { Change(_Camera.angle, angle); }
  float GetAperture() const { return _Camera.aperture; }
  void SetAperture(float aperture) { Change(_Camera.aperture, aperture); }
  int GetBladeCount() const { return _Camera.bladeCount; }
  void SetBladeCount(int count) { Change(_Camera.bladeCount, count); }
  float GetBladeRotation() const { return _Camera.bladeRotation; }
  void SetBladeRotation(float rotation) { Change(_Camera.bladeRotation, rotation); }

  // Whether the viewpoint can be shown at all, and its display flag; a layout cell counts as
  // displayed only when both hold.
  bool CanBeDisplayed() const { return _Displayable; }
  void SetDisplayable(bool displayable) { _Displayable = displayable; }
  int GetDisplayFlag() const { return _DisplayFlag; }
  void SetDisplayFlag(int flag) { _DisplayFlag = flag; }
  // Non-zero when the viewpoint shows its space (the 3D space decoration of the host).
  int IsShowSpace() const { return _ShowSpace; }
  void SetShowSpace(int show) { _ShowSpace = show; }

  // In window pixels, from the window's lower-left corner as OpenGL places viewports; a width or
  // height of 0 stands for the whole window. A change publishes VIEWPORT_MV_MODIFIED at once.
  void SetViewport(float x, float y, float width, float height);
  void GetViewport(float& x, float& y, float& width, float& height) const;

  // Holds a reference; E_INVALIDARG for null, S_FALSE when already there.
  HRESULT AddRep(KRO3DRep* rep) { return _Reps.Add(rep); }
  // Drops the reference; E_INVALIDARG for null, S_FALSE when not there.
  HRESULT RemoveRep(KRO3DRep* rep) { return _Reps.Remove(rep); }
  // Drawn in this order.
  const std::vector<KROPtr<KRO3DRep>>& GetReps() const { return _Reps.Get(); }

 protected:
  ~KRO3DViewpoint() override;

 private:
  struct Clipping {
    float nearValue = 0.1f;
    float farValue = 1000.0f;
    friend bool operator==(const Clipping&, const Clipping&) = default;
  };
  struct Camera {
    int projectionType = kPerspectiveProjection;
    KROMathPoint origin{0.0, 0.0, 1.0};
    KROMathDirectionf sight{0.0f, 0.0f, -1.0f};
    KROMathDirectionf up{0.0f, 1.0f, 0.0f};
    int clippingMode = 0;
    Clipping clipping;
    float focusDistance = 1.0f;
    float angle = 30.0f;
    float aperture = 0.0f;
    int bladeCount = 0;
    float bladeRotation = 0.0f;
  };
  struct Viewport {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    friend bool operator==(const Viewport&, const Viewport&) = default;
  };

  template <class T>
  void Change(T& property, const T& value) {
    if (property == value) return;
    property = value;
    CameraChanged();
  }
  void CameraChanged();
  void Publish(const char* name);

  Camera _Camera;
  bool _Displayable = true;
  int _DisplayFlag = 1;
  int _ShowSpace = 0;
  int _ModificationDepth = 0;
  bool _ChangedInModification = false;
  Viewport _Viewport;
  KROReferenceList<KRO3DRep> _Reps;
};
