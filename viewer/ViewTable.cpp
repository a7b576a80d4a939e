#include "viewer/KRO3DStreamingViewer.h"

bool KRO3DStreamingViewer::IsViewActive(unsigned int index) const {
  return index < _Views.size() && _Views[index].active;
}

int KRO3DStreamingViewer::GetViewIndexFromSessionID(const KROUnicodeString& id) const {
  for (std::size_t index = 0; index < _Views.size(); ++index) {
    if (_Views[index].sessionId == id) return static_cast<int>(index);
  }
  return -1;
}

// Answer and frame threads reach entries through their index while the table is reallocated;
// holding every connected entry's lock keeps them out until the entries have moved.
void KRO3DStreamingViewer::_GrowViews(std::size_t size) {
  if (size <= _Views.size()) return;
  std::vector<KROMutex*> held;
  for (ViewParameters& entry : _Views) {
    if (entry.mutex) {
      entry.mutex->LockF();
      held.push_back(entry.mutex.get());
    }
  }
  _Views.resize(size);
  for (KROMutex* mutex : held) mutex->UnlockF();
}
