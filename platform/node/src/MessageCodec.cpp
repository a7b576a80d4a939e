#include "Vorn/MessageCodec.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>
#include <variant>

#include "MsgpackSupport.h"
#include "VOZ/RecordCodec.h"

namespace Vorn {

namespace {

using Field = std::variant<uint64_t Message::*, int32_t Message::*, bool Message::*,
                           std::string Message::*, VOZ::Parameters Message::*>;

// The fields that follow the kind on the wire, in order. Encoder and decoder both read them here,
// so the two cannot disagree. Empty for a value that names no kind.
std::optional<std::span<const Field>> FieldsOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Select: {
      static constexpr Field fields[] = {&Message::id, &Message::serverName, &Message::identifier,
                                         &Message::poolName, &Message::canDisconnectFromHypervisor};
      return fields;
    }
    case MessageKind::SelectAnswer: {
      static constexpr Field fields[] = {&Message::id, &Message::succeeded, &Message::nodeId,
                                         &Message::record};
      return fields;
    }
    case MessageKind::Call: {
      static constexpr Field fields[] = {&Message::id, &Message::nodeId, &Message::function,
                                         &Message::version, &Message::record};
      return fields;
    }
    case MessageKind::Answer: {
      static constexpr Field fields[] = {&Message::id, &Message::succeeded, &Message::record};
      return fields;
    }
    case MessageKind::Subscribe: {
      static constexpr Field fields[] = {&Message::id, &Message::nodeId, &Message::topic};
      return fields;
    }
    case MessageKind::Unsubscribe: {
      static constexpr Field fields[] = {&Message::id};
      return fields;
    }
    case MessageKind::Publish: {
      static constexpr Field fields[] = {&Message::id, &Message::record};
      return fields;
    }
    case MessageKind::Grant: {
      static constexpr Field fields[] = {&Message::serviceTicket};
      return fields;
    }
  }
  return std::nullopt;
}

// The most elements a message array has: its kind and the longest field list.
constexpr uint32_t kMaxMessageElements = 6;

class Encoder {
 public:
  explicit Encoder(std::vector<unsigned char>& bytes) : sink_{bytes}, packer_(sink_) {}

  bool PutMessage(const Message& message) {
    const auto fields = FieldsOf(message.kind);
    if (!fields) return false;
    packer_.pack_array(static_cast<uint32_t>(1 + fields->size()));
    packer_.pack(static_cast<uint8_t>(message.kind));
    return std::all_of(fields->begin(), fields->end(), [&](const Field& field) {
      return std::visit([&](auto member) { return Put(message.*member); }, field);
    });
  }

 private:
  bool Put(uint64_t value) {
    packer_.pack(value);
    return true;
  }
  bool Put(int32_t value) {
    packer_.pack(value);
    return true;
  }
  bool Put(bool value) {
    packer_.pack(value);
    return true;
  }
  bool Put(const std::string& value) {
    if (value.size() > kMaxMessageSize) return false;
    const auto size = static_cast<uint32_t>(value.size());
    packer_.pack_str(size);
    packer_.pack_str_body(value.data(), size);
    return true;
  }
  bool Put(const VOZ::Parameters& record) {
    const std::vector<unsigned char> encoded = VOZ::EncodeRecord(record);
    if (encoded.empty() || encoded.size() > kMaxMessageSize) return false;
    const auto size = static_cast<uint32_t>(encoded.size());
    packer_.pack_bin(size);
    packer_.pack_bin_body(reinterpret_cast<const char*>(encoded.data()), size);
    return true;
  }

  ByteSink sink_;
  msgpack::packer<ByteSink> packer_;
};

// Each Get accepts only the exact msgpack shape Encoder produces for that type.
class Decoder {
 public:
  explicit Decoder(std::shared_ptr<const std::vector<unsigned char>> bytes)
      : bytes_(std::move(bytes)) {}

  bool GetMessage(const msgpack::object& object, Message& message) {
    if (object.type != msgpack::type::ARRAY || object.via.array.size == 0) return false;
    const std::span elements(object.via.array.ptr, object.via.array.size);
    uint8_t kind = 0;
    if (!ReadScalar(elements[0], kind)) return false;
    message.kind = static_cast<MessageKind>(kind);
    const auto fields = FieldsOf(message.kind);
    if (!fields || elements.size() != 1 + fields->size()) return false;
    for (size_t index = 0; index < fields->size(); ++index) {
      const msgpack::object& element = elements[index + 1];
      if (!std::visit([&](auto member) { return Get(element, message.*member); },
                      (*fields)[index])) {
        return false;
      }
    }
    return true;
  }

 private:
  template <MsgpackScalar T>
  bool Get(const msgpack::object& object, T& value) {
    return ReadScalar(object, value);
  }
  bool Get(const msgpack::object& object, VOZ::Parameters& record) {
    if (object.type != msgpack::type::BIN) return false;
    const auto* first = reinterpret_cast<const unsigned char*>(object.via.bin.ptr);
    const auto offset = static_cast<size_t>(first - bytes_->data());
    return SUCCEEDED(VOZ::DecodeRecord(bytes_, offset, object.via.bin.size, record));
  }

  std::shared_ptr<const std::vector<unsigned char>> bytes_;
};

// Sizes are bounded by the message itself, so a short message cannot make msgpack allocate room
// for elements it does not contain. A message is one flat array; records inside are bins.
msgpack::unpack_limit LimitsFor(size_t messageSize) {
  return msgpack::unpack_limit(kMaxMessageElements, 0, messageSize, messageSize, 0, 1);
}

}  // namespace

HRESULT EncodeMessage(const Message& message, std::vector<unsigned char>& bytes) {
  std::vector<unsigned char> encoded;
  if (!Encoder(encoded).PutMessage(message) || encoded.size() > kMaxMessageSize) {
    bytes.clear();
    return E_INVALIDARG;
  }
  bytes = std::move(encoded);
  return S_OK;
}

HRESULT DecodeMessage(std::shared_ptr<const std::vector<unsigned char>> bytes, Message& out) {
  if (!bytes || bytes->size() > kMaxMessageSize) return E_INVALIDARG;
  try {
    const auto* data = reinterpret_cast<const char*>(bytes->data());
    const size_t size = bytes->size();
    size_t parsed = 0;
    const msgpack::object_handle handle =
        msgpack::unpack(data, size, parsed, ReferenceEverything, nullptr, LimitsFor(size));
    Message decoded;
    if (parsed != size || !Decoder(bytes).GetMessage(handle.get(), decoded)) return E_INVALIDARG;
    out = std::move(decoded);
    return S_OK;
  } catch (const std::exception&) {
    return E_INVALIDARG;
  }
}

}  // namespace Vorn
