#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "VOZ/Parameters.h"

namespace Vorn {

// Largest encoded message that either end sends or accepts.
inline constexpr size_t kMaxMessageSize = size_t{64} << 20;

// What a message asks or tells. The value is the message's first element on the wire: append new
// kinds, never renumber.
enum class MessageKind : uint8_t {
  Select,        // client to hypervisor: which node serves this server name and identifier?
  SelectAnswer,  // hypervisor to client
  Call,          // client to node, through the hypervisor
  Answer,        // node to client
  Subscribe,     // client to node
  Unsubscribe,   // client to node
  Publish,       // node to each subscriber
  Grant,         // client to hypervisor: a service ticket
};

// One message of the node protocol. Each kind carries only the fields marked with it; the others
// keep their defaults and do not travel. Every field has a default, so that a designated
// initializer names only the fields of its kind.
struct Message {
  MessageKind kind = MessageKind::Select;
  // Pairs a request with its answer (Select, SelectAnswer, Call, Answer) or names a subscription
  // (Subscribe, Unsubscribe, Publish).
  uint64_t id = 0;
  // The target (Call, Subscribe) or the node selected (SelectAnswer).
  uint64_t nodeId = 0;
  std::string serverName{};                  // Select
  std::string identifier{};                  // Select
  std::string poolName{};                    // Select: the pool of the asking client node
  bool canDisconnectFromHypervisor = false;  // Select
  std::string function{};                    // Call
  int32_t version = 0;                       // Call
  std::string topic{};                       // Subscribe
  bool succeeded = false;                    // SelectAnswer, Answer
  VOZ::Parameters record{};                  // Call, Answer, Publish; the error of a SelectAnswer
  std::string serviceTicket{};               // Grant

  bool operator==(const Message&) const = default;
};

}  // namespace Vorn
