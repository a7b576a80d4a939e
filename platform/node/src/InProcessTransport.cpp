#include "InProcessTransport.h"

#include <boost/asio/post.hpp>

namespace Vorn {

std::pair<std::shared_ptr<InProcessTransport>, std::shared_ptr<InProcessTransport>>
InProcessTransport::CreatePair(Executor first, Executor second) {
  std::shared_ptr<InProcessTransport> firstEnd(new InProcessTransport(std::move(first)));
  std::shared_ptr<InProcessTransport> secondEnd(new InProcessTransport(std::move(second)));
  firstEnd->peer_ = secondEnd;
  secondEnd->peer_ = firstEnd;
  return {std::move(firstEnd), std::move(secondEnd)};
}

InProcessTransport::InProcessTransport(Executor executor) : executor_(std::move(executor)) {}

InProcessTransport::~InProcessTransport() {
  if (CloseHere()) TellPeerClosed("the other end went away");
}

HRESULT InProcessTransport::Send(std::vector<unsigned char> bytes) {
  const auto peer = peer_.lock();
  if (GetState() != State::Open || !peer) return E_FAIL;
  auto shared = std::make_shared<const std::vector<unsigned char>>(std::move(bytes));
  const bool queued = peer->Enqueue(
      [shared = std::move(shared)](InProcessTransport& end) { end.DeliverBytes(shared); });
  return queued ? S_OK : E_FAIL;
}

void InProcessTransport::Close(const std::string& reason) {
  if (!CloseHere()) return;
  boost::asio::post(executor_, [end = weak_from_this(), reason] {
    if (const auto self = end.lock()) self->DeliverClosed(reason);
  });
  TellPeerClosed(reason);
}

bool InProcessTransport::Enqueue(Event event) {
  std::lock_guard lock(queueMutex_);
  if (GetState() != State::Open) return false;
  const bool drainPosted = !pending_.empty();
  pending_.push_back(std::move(event));
  if (!drainPosted) {
    boost::asio::post(executor_, [end = weak_from_this()] {
      if (const auto self = end.lock()) self->Drain();
    });
  }
  return true;
}

void InProcessTransport::Drain() {
  std::vector<Event> events;
  {
    std::lock_guard lock(queueMutex_);
    events.swap(pending_);
  }
  for (Event& event : events) event(*this);
}

bool InProcessTransport::CloseHere() {
  std::lock_guard lock(queueMutex_);
  return ChangeState(State::Closed);
}

void InProcessTransport::TellPeerClosed(const std::string& reason) {
  const auto peer = peer_.lock();
  if (!peer) return;
  peer->Enqueue([reason](InProcessTransport& end) {
    if (end.CloseHere()) end.DeliverClosed(reason);
  });
}

}  // namespace Vorn
