#include "VOZ/RecordCodec.h"

#include <array>
#include <bit>
#include <concepts>
#include <limits>
#include <span>
#include <stdexcept>
#include <utility>

#include "MsgpackSupport.h"

namespace VOZ {

namespace {

// Every value travels as [tag, payload]; a record payload is [type key, map] and a record array
// payload is [type key, [map...]].
constexpr uint32_t kTaggedValueSize = 2;

uint32_t WireLength(size_t length) {
  if (length > std::numeric_limits<uint32_t>::max()) throw std::length_error("too long to encode");
  return static_cast<uint32_t>(length);
}

class Encoder {
 public:
  explicit Encoder(std::vector<unsigned char>& bytes) : sink_{bytes}, packer_(sink_) {}

  void PutRecord(const Parameters& record) {
    packer_.pack_map(WireLength(record.GetCount()));
    for (const auto& [key, value] : record.GetEntries()) {
      Put(key);
      packer_.pack_array(kTaggedValueSize);
      packer_.pack(value.index());
      std::visit([this](const auto& payload) { Put(payload); }, value);
    }
  }

 private:
  template <std::integral T>
  void Put(T value) {
    packer_.pack(value);
  }
  // msgpack-cxx packs integral floats as integers, which would lose the declared type and the
  // sign of zero, so floats are written in their IEEE form.
  void Put(float value) { PutFloat<uint32_t>(0xca, value); }
  void Put(double value) { PutFloat<uint64_t>(0xcb, value); }
  void Put(const std::string& value) {
    packer_.pack_str(WireLength(value.size()));
    packer_.pack_str_body(value.data(), WireLength(value.size()));
  }
  void Put(const std::vector<uint8_t>& value) { PutBin(value.data(), value.size()); }
  void Put(const Vorn::Binary& value) { PutBin(value.GetData(), value.GetSize()); }
  template <typename T>
  void Put(const std::vector<T>& values) {
    packer_.pack_array(WireLength(values.size()));
    for (const auto& value : values) Put(value);
  }
  template <typename Record>
  void PutTypedRecord(const std::string& typeKey, const Record& record) {
    packer_.pack_array(kTaggedValueSize);
    Put(typeKey);
    Put(record);
  }
  void Put(const RecordValue& value) { PutTypedRecord(value.typeKey, value.record); }
  void Put(const RecordArrayValue& value) { PutTypedRecord(value.typeKey, value.records); }
  void Put(const std::shared_ptr<const Parameters>& record) {
    if (depth_ == kMaxRecordDepth) throw std::length_error("records nested too deep");
    ++depth_;
    PutRecord(*record);
    --depth_;
  }
  template <typename Bits, typename Float>
  void PutFloat(unsigned char marker, Float value) {
    const auto bits = std::bit_cast<Bits>(value);
    std::array<unsigned char, 1 + sizeof(Bits)> bytes{marker};
    for (size_t index = 1; index < bytes.size(); ++index) {
      bytes[index] = static_cast<unsigned char>(bits >> (8 * (bytes.size() - 1 - index)));
    }
    sink_.bytes.insert(sink_.bytes.end(), bytes.begin(), bytes.end());
  }
  void PutBin(const unsigned char* data, size_t size) {
    packer_.pack_bin(WireLength(size));
    packer_.pack_bin_body(reinterpret_cast<const char*>(data), WireLength(size));
  }

  Vorn::ByteSink sink_;
  msgpack::packer<Vorn::ByteSink> packer_;
  int depth_ = 0;
};

// Each Get accepts only the exact msgpack shape Encoder produces for that type.
class Decoder {
 public:
  explicit Decoder(std::shared_ptr<const std::vector<unsigned char>> message)
      : message_(std::move(message)) {}

  bool GetRecord(const msgpack::object& object, Parameters& record) {
    if (object.type != msgpack::type::MAP) return false;
    std::vector<Parameters::Entry> entries;
    entries.reserve(object.via.map.size);
    for (const auto& [key, value] : std::span(object.via.map.ptr, object.via.map.size)) {
      Parameters::Entry& entry = entries.emplace_back();
      if (!Get(key, entry.first) || !GetTagged(value, entry.second)) return false;
    }
    return SUCCEEDED(record.Assign(std::move(entries)));
  }

 private:
  static bool IsPair(const msgpack::object& object) {
    return object.type == msgpack::type::ARRAY && object.via.array.size == kTaggedValueSize;
  }

  bool GetTagged(const msgpack::object& object, ParameterValue& value) {
    if (!IsPair(object)) return false;
    const msgpack::object& tag = object.via.array.ptr[0];
    if (tag.type != msgpack::type::POSITIVE_INTEGER ||
        tag.via.u64 >= std::variant_size_v<ParameterValue>) {
      return false;
    }
    return GetByTag(tag.via.u64, object.via.array.ptr[1], value,
                    std::make_index_sequence<std::variant_size_v<ParameterValue>>());
  }

  template <size_t... Tag>
  bool GetByTag(uint64_t tag, const msgpack::object& payload, ParameterValue& value,
                std::index_sequence<Tag...>) {
    using Getter = bool (Decoder::*)(const msgpack::object&, ParameterValue&);
    static constexpr std::array<Getter, sizeof...(Tag)> getters{&Decoder::GetAlternative<Tag>...};
    return (this->*getters[tag])(payload, value);
  }

  template <size_t Tag>
  bool GetAlternative(const msgpack::object& payload, ParameterValue& value) {
    std::variant_alternative_t<Tag, ParameterValue> decoded{};
    if (!Get(payload, decoded)) return false;
    value.emplace<Tag>(std::move(decoded));
    return true;
  }

  template <Vorn::MsgpackScalar T>
  bool Get(const msgpack::object& object, T& value) {
    return Vorn::ReadScalar(object, value);
  }
  bool Get(const msgpack::object& object, float& value) {
    if (object.type != msgpack::type::FLOAT32) return false;
    value = static_cast<float>(object.via.f64);
    return true;
  }
  bool Get(const msgpack::object& object, double& value) {
    if (object.type != msgpack::type::FLOAT64) return false;
    value = object.via.f64;
    return true;
  }
  bool Get(const msgpack::object& object, std::vector<uint8_t>& value) {
    if (object.type != msgpack::type::BIN) return false;
    const auto* first = reinterpret_cast<const uint8_t*>(object.via.bin.ptr);
    value.assign(first, first + object.via.bin.size);
    return true;
  }
  // Every bin is unpacked by reference, so its bytes lie inside the message.
  bool Get(const msgpack::object& object, Vorn::Binary& value) {
    if (object.type != msgpack::type::BIN) return false;
    value = Vorn::Binary(message_, reinterpret_cast<const unsigned char*>(object.via.bin.ptr),
                         object.via.bin.size);
    return true;
  }
  template <typename T>
  bool Get(const msgpack::object& object, std::vector<T>& values) {
    if (object.type != msgpack::type::ARRAY) return false;
    values.resize(object.via.array.size);
    for (uint32_t index = 0; index < object.via.array.size; ++index) {
      if (!Get(object.via.array.ptr[index], values[index])) return false;
    }
    return true;
  }
  template <typename Record>
  bool GetTypedRecord(const msgpack::object& object, std::string& typeKey, Record& record) {
    return IsPair(object) && Get(object.via.array.ptr[0], typeKey) &&
           Get(object.via.array.ptr[1], record);
  }
  bool Get(const msgpack::object& object, RecordValue& value) {
    return GetTypedRecord(object, value.typeKey, value.record);
  }
  bool Get(const msgpack::object& object, RecordArrayValue& value) {
    return GetTypedRecord(object, value.typeKey, value.records);
  }
  bool Get(const msgpack::object& object, std::shared_ptr<const Parameters>& record) {
    if (depth_ == kMaxRecordDepth) return false;
    ++depth_;
    auto nested = std::make_shared<Parameters>();
    const bool decoded = GetRecord(object, *nested);
    --depth_;
    record = std::move(nested);
    return decoded;
  }

  std::shared_ptr<const std::vector<unsigned char>> message_;
  int depth_ = 0;
};

// Sizes are bounded by the message itself, so a short message cannot make msgpack allocate room
// for elements it does not contain. A record level takes at most four msgpack levels (value pair,
// record pair, array of records, map) above the top map, and the deepest values two more.
msgpack::unpack_limit LimitsFor(size_t messageSize) {
  constexpr size_t kMaxMsgpackDepth = 4 * kMaxRecordDepth + 3;
  return msgpack::unpack_limit(messageSize, messageSize / 2, messageSize, messageSize, 0,
                               kMaxMsgpackDepth);
}

}  // namespace

std::vector<unsigned char> EncodeRecord(const Parameters& record) {
  std::vector<unsigned char> bytes;
  try {
    Encoder(bytes).PutRecord(record);
  } catch (const std::exception&) {
    return {};
  }
  return bytes;
}

HRESULT DecodeRecord(std::shared_ptr<const std::vector<unsigned char>> message, Parameters& out) {
  if (!message) return E_INVALIDARG;
  const size_t size = message->size();
  return DecodeRecord(std::move(message), 0, size, out);
}

HRESULT DecodeRecord(std::shared_ptr<const std::vector<unsigned char>> message, size_t offset,
                     size_t size, Parameters& out) {
  if (!message || offset > message->size() || size > message->size() - offset) {
    return E_INVALIDARG;
  }
  try {
    const auto* data = reinterpret_cast<const char*>(message->data() + offset);
    size_t parsed = 0;
    const msgpack::object_handle handle =
        msgpack::unpack(data, size, parsed, Vorn::ReferenceEverything, nullptr, LimitsFor(size));
    Parameters decoded;
    if (parsed != size || !Decoder(message).GetRecord(handle.get(), decoded)) return E_INVALIDARG;
    out = std::move(decoded);
    return S_OK;
  } catch (const std::exception&) {
    return E_INVALIDARG;
  }
}

}  // namespace VOZ
