#include "KROCleaner.h"

#include <mutex>
#include <vector>

#include "KROBaseUnknown.h"

namespace {
std::mutex s_Mutex;
std::vector<KROBaseUnknown*> s_Pending;
}  // namespace

void KROCleaner::DeleteOnTransactionEnd(KROBaseUnknown* object) {
  if (!object) return;
  std::lock_guard lock(s_Mutex);
  s_Pending.push_back(object);
}

void KROCleaner::EndTransaction() {
  std::vector<KROBaseUnknown*> pending;
  {
    std::lock_guard lock(s_Mutex);
    pending.swap(s_Pending);
  }
  // A release may hand over more objects; they wait for the next transaction end.
  for (KROBaseUnknown* object : pending) object->Release();
}
