#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

#include "HypervisorConnection.h"
#include "KROResult.h"
#include "Vorn/Message.h"

namespace VOZ {

// The answer that one thread waits for. The first of an answer, a failure and the timeout ends the
// wait; whatever comes after is dropped.
class PendingAnswer final : public Vorn::HypervisorConnection::Receiver {
 public:
  void OnMessage(Vorn::Message message) override;
  void OnConnectionLost(const std::string& errorMessage) override;
  void Fail(const std::string& status, const std::string& errorMessage);

  // S_OK with the answer that came. Otherwise answer is an error answer whose record says what
  // happened: E_ABORT after the timeout, E_FAIL after a failure.
  HRESULT Wait(std::chrono::milliseconds timeout, Vorn::Message& answer);

 private:
  struct Outcome {
    HRESULT result;
    Vorn::Message answer;
  };
  void Settle(HRESULT result, Vorn::Message answer);

  std::mutex mutex_;
  std::condition_variable settled_;
  std::optional<Outcome> outcome_;
};

}  // namespace VOZ
