#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "VOZ/Node.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {
// Call numbers come back in answers and status records under these keys.
constexpr const char* kStatusFunction = "streamingGetStatus";
}  // namespace

void KRO3DStreamingViewer::VOZNonBlockingCall(unsigned int view, const KROUnicodeString& function,
                                              int version, const VOZ::Parameters& parameters,
                                              const VOZ::Callbacks& callbacks) {
  if (view >= _Views.size()) return;
  ViewParameters& entry = _Views[view];
  {
    KROMutexLock lock(*entry.mutex);
    entry.submittedCallId =
        std::max({entry.resolvedCallId, entry.submittedCallId, entry.displayedCallId}) + 1;
  }
  // A call that fails to leave stays counted: its number is the service's to reuse.
  entry.clientNode->Call(entry.nodeId, function.ToStdString(), version, parameters, callbacks,
                         false);
}

HRESULT KRO3DStreamingViewer::UpdateCallIdentifier(unsigned int view,
                                                   const VOZ::Parameters& answer) {
  if (view >= _Views.size() || !_Views[view].mutex) return E_UNEXPECTED;
  ViewParameters& entry = _Views[view];
  KROMutexLock lock(*entry.mutex);
  if (!entry.viewpoint) return E_UNEXPECTED;
  std::uint64_t callId = 0;
  if (SUCCEEDED(answer.ReadUint64("callId", callId)) && callId > entry.resolvedCallId) {
    entry.resolvedCallId = callId;
    entry.submittedCallId = std::max(entry.submittedCallId, callId);
  }
  return S_OK;
}

void KRO3DStreamingViewer::RegisterFailedAction(unsigned int view,
                                                KROStreamingErrorEvent::Action action,
                                                const VOZ::Parameters& error) {
  if (view >= _Views.size() || !_Views[view].mutex) return;
  ViewParameters& entry = _Views[view];
  KROMutexLock lock(*entry.mutex);
  if (!entry.viewpoint) return;
  // Nobody must wait for a picture that the failed call will never produce.
  entry.submittedCallId = entry.displayedCallId;
  std::string status, message;
  error.ReadString("status", status);
  error.ReadString("errorMessage", message);
  entry.errorEventQueue.push_back(KROPtr<KROStreamingErrorEvent>::Adopt(
      new KROStreamingErrorEvent(entry.sessionId, view, action, status, message)));
  RequestDrawIfIdle();
}

VOZ::Callbacks KRO3DStreamingViewer::AccountedCallbacks(unsigned int view,
                                                        KROStreamingErrorEvent::Action action) {
  return VOZ::Callbacks(
      [this, view](const VOZ::Parameters& answer) { return UpdateCallIdentifier(view, answer); },
      [this, view, action](const VOZ::Parameters& error) {
        RegisterFailedAction(view, action, error);
        return E_FAIL;
      });
}

void KRO3DStreamingViewer::RequestDrawIfIdle() {
  KROGraphicWindow* window = GetWindow();
  if (!window || (!window->GetDrawOnGoingFlag() && !window->GetDrawRequestFlag())) Draw();
}

bool KRO3DStreamingViewer::CheckLastestImage() {
  for (ViewParameters& entry : _Views) {
    if (!entry.viewpoint || !entry.active || !entry.mutex) continue;
    {
      KROMutexLock lock(*entry.mutex);
      if (!entry.frameQueue.empty()) return false;
      if (entry.displayedCallId >= entry.submittedCallId) continue;
    }
    // A view whose node was stopped can receive nothing more: waiting for it would be vain.
    if (!entry.clientNode) continue;

    bool upToDate = false;
    std::uint64_t latestStreamingEvent = 0;
    const VOZ::Callbacks status([&](const VOZ::Parameters& answer) -> HRESULT {
      if (!entry.mutex) return E_FAIL;
      std::uint64_t processed = 0;
      bool processedRead = false;
      {
        KROMutexLock lock(*entry.mutex);
        processedRead = SUCCEEDED(answer.ReadUint64("processedCallsCount", processed));
        if (processedRead && processed > entry.resolvedCallId) {
          entry.resolvedCallId = processed - 1;
        }
      }
      std::uint64_t submitted = 0;
      if (processedRead && SUCCEEDED(answer.ReadUint64("submittedCallsCount", submitted))) {
        upToDate = processed >= submitted;
      }
      return answer.ReadUint64("latestStreamingEvent", latestStreamingEvent);
    });
    const HRESULT result = entry.clientNode->CallAndWait(
        entry.nodeId, kStatusFunction, 1, entry.clientNode->CreateParameters(), status);
    if (FAILED(result) || !upToDate) return false;
    KROMutexLock lock(*entry.mutex);
    if (entry.displayedCallId < latestStreamingEvent) return false;
  }
  return true;
}

HRESULT KRO3DStreamingViewer::WaitPendingDraw(unsigned int timeoutMs, bool queryStatus) {
  if (!_Commands || !IsExposed()) return E_INVALID_STATE;

  if (queryStatus) {
    for (ViewParameters& entry : _Views) {
      if (!entry.viewpoint || !entry.active || !entry.clientNode) continue;
      const VOZ::Callbacks status([&entry](const VOZ::Parameters& answer) -> HRESULT {
        if (!entry.mutex) return E_FAIL;
        KROMutexLock lock(*entry.mutex);
        std::uint64_t submitted = 0;
        if (SUCCEEDED(answer.ReadUint64("submittedCallsCount", submitted)) &&
            submitted > entry.submittedCallId) {
          entry.submittedCallId = submitted - 1;
        }
        return S_OK;
      });
      entry.clientNode->CallAndWait(entry.nodeId, kStatusFunction, 1,
                                    entry.clientNode->CreateParameters(), status);
    }
  }

  const auto start = std::chrono::steady_clock::now();
  while (!CheckLastestImage()) {
    _OnSwap(nullptr, nullptr, nullptr, 0, 0);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    if (elapsed.count() > static_cast<std::int64_t>(timeoutMs)) return E_ABORT;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (unsigned int view = 0; view < _Views.size(); ++view) DispatchQueuedEvents(view);
  return S_OK;
}
