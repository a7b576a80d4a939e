#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KROResult.h"
#include "Transport.h"
#include "Vorn/Message.h"

namespace Vorn {

// Whole messages over a byte transport that it owns: encodes what is sent, decodes what arrives,
// and closes the transport when a malformed message arrives, since nothing after it can be trusted.
class MessageChannel : public std::enable_shared_from_this<MessageChannel> {
 public:
  using MessageHandler = std::function<void(Message message)>;

  explicit MessageChannel(std::shared_ptr<Transport> transport);
  MessageChannel(const MessageChannel&) = delete;
  MessageChannel& operator=(const MessageChannel&) = delete;

  // Handlers run on the transport's thread.
  void Start(MessageHandler onMessage, Transport::ClosedHandler onClosed);
  HRESULT Send(const Message& message);
  // Bytes as they are, unchecked: how tests put a malformed message on the wire.
  HRESULT SendRaw(std::vector<unsigned char> bytes);
  void Close(const std::string& reason);

 private:
  void OnBytes(Transport::Bytes bytes);

  const std::shared_ptr<Transport> transport_;
  // Set before the transport starts, read only on its thread afterwards.
  MessageHandler onMessage_;
};

}  // namespace Vorn
