#pragma once

#include <string>

#include "KROBaseUnknown.h"

// The infinite environment (ground, sky, ambiance) of a 3D viewer, named by its root.
class KROVisInfiniteEnvironment : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisInfiniteEnvironment)
 public:
  explicit KROVisInfiniteEnvironment(std::string rootName) : _RootName(std::move(rootName)) {}

  const std::string& GetRootName() const { return _RootName; }
  // A new copy holding one reference.
  KROVisInfiniteEnvironment* Clone() const { return new KROVisInfiniteEnvironment(_RootName); }

 protected:
  ~KROVisInfiniteEnvironment() override = default;

 private:
  const std::string _RootName;
};
