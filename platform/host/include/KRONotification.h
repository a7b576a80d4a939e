#pragma once

#include "KROBaseUnknown.h"

// Base of the objects that notifications carry to their subscribers.
class KRONotification : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KRONotification)
 public:
  explicit KRONotification(int kind = 0) : _Kind(kind) {}
  KRONotification(const KRONotification&) = default;
  int GetKind() const { return _Kind; }

 protected:
  ~KRONotification() override = default;

 private:
  int _Kind;
};

// Registers (once) the notification class `name`, derived from KRONotification.
const KROMetaClass* KRORegisterNotificationClass(const char* name);
