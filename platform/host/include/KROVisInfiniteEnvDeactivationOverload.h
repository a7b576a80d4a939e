#pragma once

#include "KROBaseUnknown.h"

// Installed on a window, keeps parts of its infinite environment from being drawn.
class KROVisInfiniteEnvDeactivationOverload : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisInfiniteEnvDeactivationOverload)
 public:
  KROVisInfiniteEnvDeactivationOverload() = default;

  void DeactivateGrid() { _GridOff = true; }
  void DeactivatePlane() { _PlaneOff = true; }
  void DeactivateAdvancedEffects() { _AdvancedEffectsOff = true; }
  bool IsGridDeactivated() const { return _GridOff; }
  bool IsPlaneDeactivated() const { return _PlaneOff; }
  bool AreAdvancedEffectsDeactivated() const { return _AdvancedEffectsOff; }

 protected:
  ~KROVisInfiniteEnvDeactivationOverload() override = default;

 private:
  bool _GridOff = false;
  bool _PlaneOff = false;
  bool _AdvancedEffectsOff = false;
};
