#pragma once

#include "KROEventSubscriber.h"

// What a 3D view looks at; publishes its changes to the views that show it.
class KRO3DViewpoint : public KROEventSubscriber {
  KRO_DECLARE_CLASS(KRO3DViewpoint)
 public:
  KRO3DViewpoint() = default;

  KRO_DECLARE_NOTIFICATION(VIEWPOINT_MODIFIED)
  KRO_DECLARE_NOTIFICATION(VIEWPORT_MV_MODIFIED)
  KRO_DECLARE_NOTIFICATION(VIEWPOINT_ACTION_ENDED)

 protected:
  ~KRO3DViewpoint() override = default;
};
