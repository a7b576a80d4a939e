#pragma once

#include <functional>
#include <memory>
#include <string>

#include "KROResult.h"
#include "VOZ/Parameters.h"

namespace Vorn {

// Answers one remote call. Copies share the call: the first answer, from any copy and any thread,
// now or later, is the one the caller gets. A call never answered leaves its caller to its own
// timeout.
class CallResponder {
 public:
  using Sender = std::function<void(bool succeeded, const VOZ::Parameters& record)>;

  explicit CallResponder(Sender sender);

  // S_OK for the answer that counts, E_INVALID_STATE once the call was answered.
  HRESULT Succeed(const VOZ::Parameters& answer) const;
  HRESULT Fail(const VOZ::Parameters& error) const;

 private:
  struct Call;
  HRESULT Answer(bool succeeded, const VOZ::Parameters& record) const;

  std::shared_ptr<Call> call_;
};

// A remote call as a node server receives it.
struct CallRequest {
  std::string function;
  int version = 0;
  VOZ::Parameters parameters;
  CallResponder responder;
};

}  // namespace Vorn
