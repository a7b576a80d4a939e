#pragma once

#include "KROStreamingEvent.h"

// A view now displays another frame.
class KROStreamingFrameEvent : public KROStreamingEvent {
  KRO_DECLARE_CLASS(KROStreamingFrameEvent)
 public:
  KROStreamingFrameEvent(const KROUnicodeString& sessionID, unsigned int viewID,
                         const KROUnicodeString& frameID);
  KROStreamingFrameEvent(const KROStreamingFrameEvent& other) = default;

  const KROUnicodeString& GetFrameID() const { return _FrameID; }

 protected:
  ~KROStreamingFrameEvent() override;

 private:
  const KROUnicodeString _FrameID;
};
