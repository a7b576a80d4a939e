#include "MessageChannel.h"

#include <utility>

#include "JSON/JOStream.h"
#include "Vorn/MessageCodec.h"
#include "Vorn/Trace.h"

namespace Vorn {

namespace {

constexpr char kMalformed[] = "received a malformed message";

}  // namespace

MessageChannel::MessageChannel(std::shared_ptr<Transport> transport)
    : transport_(std::move(transport)) {}

void MessageChannel::Start(MessageHandler onMessage, Transport::ClosedHandler onClosed) {
  onMessage_ = std::move(onMessage);
  transport_->Start(
      [channel = weak_from_this()](Transport::Bytes bytes) {
        if (const auto self = channel.lock()) self->OnBytes(std::move(bytes));
      },
      std::move(onClosed));
}

HRESULT MessageChannel::Send(const Message& message) {
  std::vector<unsigned char> bytes;
  if (const HRESULT encoded = EncodeMessage(message, bytes); FAILED(encoded)) return encoded;
  return transport_->Send(std::move(bytes));
}

HRESULT MessageChannel::SendRaw(std::vector<unsigned char> bytes) {
  return transport_->Send(std::move(bytes));
}

void MessageChannel::Close(const std::string& reason) {
  transport_->Close(reason);
}

void MessageChannel::OnBytes(Transport::Bytes bytes) {
  Message message;
  const size_t size = bytes->size();
  if (SUCCEEDED(DecodeMessage(std::move(bytes), message))) {
    onMessage_(std::move(message));
    return;
  }
  JSON::JOStream context;
  context.Add("size", static_cast<uint64_t>(size));
  Trace trace("Vorn", "ReceiveMessage", context);
  trace.Warning("Protocol", kMalformed);
  trace.End(E_INVALIDARG);
  Close(kMalformed);
}

}  // namespace Vorn
