#pragma once

// A point in model space.
struct KROMathPoint {
  double x = 0.0, y = 0.0, z = 0.0;
  friend bool operator==(const KROMathPoint&, const KROMathPoint&) = default;
};

// A direction in single precision (sight and up directions of cameras).
struct KROMathDirectionf {
  float x = 0.0f, y = 0.0f, z = 0.0f;
  friend bool operator==(const KROMathDirectionf&, const KROMathDirectionf&) = default;
};
