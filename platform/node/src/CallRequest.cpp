#include "Vorn/CallRequest.h"

#include <atomic>
#include <utility>

namespace Vorn {

struct CallResponder::Call {
  explicit Call(Sender s) : sender(std::move(s)) {}
  std::atomic<bool> answered{false};
  const Sender sender;
};

CallResponder::CallResponder(Sender sender) : call_(std::make_shared<Call>(std::move(sender))) {}

HRESULT CallResponder::Succeed(const VOZ::Parameters& answer) const {
  return Answer(true, answer);
}

HRESULT CallResponder::Fail(const VOZ::Parameters& error) const {
  return Answer(false, error);
}

HRESULT CallResponder::Answer(bool succeeded, const VOZ::Parameters& record) const {
  if (call_->answered.exchange(true)) return E_INVALID_STATE;
  call_->sender(succeeded, record);
  return S_OK;
}

}  // namespace Vorn
