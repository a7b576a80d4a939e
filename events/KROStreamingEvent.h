#pragma once

#include "KRONotification.h"
#include "KROUnicodeString.h"

// Base of the events that the streaming viewer's notifications carry: which view, of which
// session, produced it. Events are immutable.
class KROStreamingEvent : public KRONotification {
  KRO_DECLARE_CLASS(KROStreamingEvent)
 public:
  KROStreamingEvent(const KROStreamingEvent& other) = default;

  const KROUnicodeString& GetSessionID() const { return _SessionID; }
  unsigned int GetViewID() const { return _ViewID; }

 protected:
  KROStreamingEvent(const KROUnicodeString& sessionID, unsigned int viewID);
  ~KROStreamingEvent() override;

 private:
  const KROUnicodeString _SessionID;
  const unsigned int _ViewID;
};
