#pragma once

#include "KROStreamingEvent.h"

// A remote operation of a view failed; carries the "status" and "errorMessage" of the answer.
class KROStreamingErrorEvent : public KROStreamingEvent {
  KRO_DECLARE_CLASS(KROStreamingErrorEvent)
 public:
  // The remote operation that failed.
  enum Action : std::int32_t {
    UpdateViewer = 0,
    SetCamera = 1,
    Pick = 2,
    PickPrehighlight = 3,
    Highlight = 4,
    EmptyHighlight = 5,
    HideShow = 6,
    PlayAnimation = 7,
    PauseAnimation = 8,
    ResumeAnimation = 9,
    StopAnimation = 10,
    SetActiveFrame = 11,
    UpdateProbingEnvelopes = 12,  // image capture failures too
  };

  KROStreamingErrorEvent(const KROUnicodeString& sessionID, unsigned int viewID, Action action,
                         const KROUnicodeString& status, const KROUnicodeString& message);
  KROStreamingErrorEvent(const KROStreamingErrorEvent& other) = default;

  Action GetFailedAction() const { return _FailedAction; }
  const KROUnicodeString& GetErrorStatus() const { return _ErrorStatus; }
  const KROUnicodeString& GetErrorMessage() const { return _ErrorMessage; }

 protected:
  ~KROStreamingErrorEvent() override;

 private:
  const Action _FailedAction;
  const KROUnicodeString _ErrorStatus;
  const KROUnicodeString _ErrorMessage;
};
