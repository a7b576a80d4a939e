#include "Transport.h"

#include <utility>

namespace Vorn {

void Transport::Start(BytesHandler onBytes, ClosedHandler onClosed) {
  std::optional<std::string> missedClose;
  {
    std::lock_guard lock(mutex_);
    onBytes_ = std::move(onBytes);
    onClosed_ = onClosed;
    missedClose.swap(closedBeforeStart_);
  }
  if (missedClose && onClosed) onClosed(*missedClose);
}

Transport::State Transport::GetState() const {
  std::lock_guard lock(mutex_);
  return state_;
}

void Transport::DeliverBytes(const Bytes& bytes) {
  BytesHandler onBytes;
  {
    std::lock_guard lock(mutex_);
    if (state_ != State::Open) return;
    onBytes = onBytes_;
  }
  if (onBytes) onBytes(bytes);
}

void Transport::DeliverClosed(const std::string& reason) {
  ClosedHandler onClosed;
  {
    std::lock_guard lock(mutex_);
    if (!onClosed_) {
      closedBeforeStart_ = reason;
      return;
    }
    onClosed = onClosed_;
  }
  onClosed(reason);
}

bool Transport::ChangeState(State state) {
  std::lock_guard lock(mutex_);
  if (state_ == state) return false;
  state_ = state;
  return true;
}

}  // namespace Vorn
