#include "PendingAnswer.h"

#include <utility>

#include "Vorn/ErrorRecord.h"

namespace VOZ {

namespace {

Vorn::Message ErrorAnswer(const std::string& status, const std::string& errorMessage) {
  return {.kind = Vorn::MessageKind::Answer, .record = Vorn::MakeErrorRecord(status, errorMessage)};
}

}  // namespace

void PendingAnswer::OnMessage(Vorn::Message message) {
  Settle(S_OK, std::move(message));
}

void PendingAnswer::OnConnectionLost(const std::string& errorMessage) {
  Fail(Vorn::ErrorStatus::kConnectionLost, errorMessage);
}

void PendingAnswer::Fail(const std::string& status, const std::string& errorMessage) {
  Settle(E_FAIL, ErrorAnswer(status, errorMessage));
}

HRESULT PendingAnswer::Wait(std::chrono::milliseconds timeout, Vorn::Message& answer) {
  std::unique_lock lock(mutex_);
  if (!settled_.wait_for(lock, timeout, [this] { return outcome_.has_value(); })) {
    answer = ErrorAnswer(Vorn::ErrorStatus::kTimeout,
                         "No answer within " + std::to_string(timeout.count()) + " ms");
    return E_ABORT;
  }
  answer = std::move(outcome_->answer);
  return outcome_->result;
}

void PendingAnswer::Settle(HRESULT result, Vorn::Message answer) {
  {
    std::lock_guard lock(mutex_);
    if (outcome_) return;
    outcome_ = Outcome{result, std::move(answer)};
  }
  settled_.notify_all();
}

}  // namespace VOZ
