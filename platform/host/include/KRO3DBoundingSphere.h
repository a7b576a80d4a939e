#pragma once

#include "KROMath.h"

// The bounding element of a rep: a sphere with a second radius (the host's inner radius) and
// five flag bits.
class KRO3DBoundingSphere {
 public:
  static constexpr unsigned int kFlagMask = 0x1F;

  KRO3DBoundingSphere() = default;
  KRO3DBoundingSphere(const KROMathPoint& center, float radius, float secondRadius = 0.0f,
                      unsigned int flags = 0)
      : _Center(center), _Radius(radius), _SecondRadius(secondRadius), _Flags(flags & kFlagMask) {}

  const KROMathPoint& GetCenter() const { return _Center; }
  void SetCenter(const KROMathPoint& center) { _Center = center; }
  float GetRadius() const { return _Radius; }
  void SetRadius(float radius) { _Radius = radius; }
  float GetSecondRadius() const { return _SecondRadius; }
  void SetSecondRadius(float radius) { _SecondRadius = radius; }
  // Bits above the five low ones are dropped.
  unsigned int GetFlags() const { return _Flags; }
  void SetFlags(unsigned int flags) { _Flags = flags & kFlagMask; }
  friend bool operator==(const KRO3DBoundingSphere&, const KRO3DBoundingSphere&) = default;

 private:
  KROMathPoint _Center;
  float _Radius = 0.0f;
  float _SecondRadius = 0.0f;
  unsigned int _Flags = 0;
};
