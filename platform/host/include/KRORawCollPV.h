#pragma once

#include <vector>

// The host's list of untyped pointers, indexed from 1 to Size().
class KRORawCollPV {
 public:
  int Size() const { return static_cast<int>(_Items.size()); }
  // Null outside 1..Size().
  void* operator[](int index) const {
    return index >= 1 && index <= Size() ? _Items[static_cast<std::size_t>(index - 1)] : nullptr;
  }
  void Append(void* item) { _Items.push_back(item); }
  void Empty() { _Items.clear(); }

 private:
  std::vector<void*> _Items;
};
