#include "KRONotification.h"

KRO_IMPLEMENT_CLASS(KRONotification, KROBaseUnknown)

const KROMetaClass* KRORegisterNotificationClass(const char* name) {
  return fct_RetrieveMetaObject(name, 1, KRONotification::MetaObject(), "KRONull", "Ossevar",
                                sizeof(KRONotification));
}
