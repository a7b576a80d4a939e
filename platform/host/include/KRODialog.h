#pragma once

#include "KROString.h"

// A top-level frame of the host application, parent of its viewers.
class KRODialog {
 public:
  explicit KRODialog(const KROString& title) : _Title(title) {}
  const KROString& GetTitle() const { return _Title; }

 private:
  KROString _Title;
};
