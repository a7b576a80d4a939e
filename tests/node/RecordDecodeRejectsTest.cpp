#include <gtest/gtest.h>
#include <msgpack.hpp>

#include <functional>
#include <random>

#include "TypedValueCases.h"
#include "VOZ/RecordCodec.h"

namespace {

using VOZ::DecodeRecord;
using VOZ::kMaxRecordDepth;
using VOZ::Parameters;
using VOZ::ParameterValue;
using Bytes = std::vector<unsigned char>;
using Packer = msgpack::packer<msgpack::sbuffer>;
using PackStep = std::function<void(Packer&)>;

// A failed decode must leave this in place.
Parameters Sentinel() {
  Parameters record;
  record.WriteString("sentinel", "untouched");
  return record;
}

HRESULT DecodeIntoSentinel(const Bytes& bytes, Parameters& out) {
  out = Sentinel();
  return DecodeRecord(std::make_shared<const Bytes>(bytes), out);
}

template <typename T, size_t Tag = 0>
constexpr uint64_t TagOf() {
  if constexpr (std::is_same_v<std::variant_alternative_t<Tag, ParameterValue>, T>) {
    return Tag;
  } else {
    return TagOf<T, Tag + 1>();
  }
}

Bytes Packed(const PackStep& step) {
  msgpack::sbuffer buffer;
  Packer packer(buffer);
  step(packer);
  return Bytes(buffer.data(), buffer.data() + buffer.size());
}

template <typename T>
PackStep Value(T value) {
  return [value](Packer& packer) { packer.pack(value); };
}
PackStep Float32(float value) {
  return [value](Packer& packer) { packer.pack_float(value); };
}
PackStep Bin(const std::string& bytes) {
  return [bytes](Packer& packer) {
    packer.pack_bin(static_cast<uint32_t>(bytes.size()));
    packer.pack_bin_body(bytes.data(), static_cast<uint32_t>(bytes.size()));
  };
}
PackStep Array(std::vector<PackStep> elements) {
  return [elements](Packer& packer) {
    packer.pack_array(static_cast<uint32_t>(elements.size()));
    for (const PackStep& element : elements) element(packer);
  };
}
PackStep Map(std::vector<std::pair<PackStep, PackStep>> entries) {
  return [entries](Packer& packer) {
    packer.pack_map(static_cast<uint32_t>(entries.size()));
    for (const auto& [key, value] : entries) {
      key(packer);
      value(packer);
    }
  };
}
PackStep Tagged(uint64_t tag, PackStep payload) {
  return Array({Value(tag), std::move(payload)});
}
template <typename T>
PackStep Tagged(PackStep payload) {
  return Tagged(TagOf<T>(), std::move(payload));
}
PackStep Record(PackStep value) {
  return Map({{Value("key"), std::move(value)}});
}
PackStep TypedRecord(PackStep body) {
  return Tagged<VOZ::RecordValue>(Array({Value("Node"), std::move(body)}));
}
PackStep NestedRecords(int depth) {
  return depth == 0 ? Map({}) : Record(TypedRecord(NestedRecords(depth - 1)));
}

struct MalformedCase {
  std::string name;
  Bytes bytes;
};

void PrintTo(const MalformedCase& malformed, std::ostream* out) {
  *out << malformed.name;
}

std::vector<MalformedCase> MalformedCases() {
  const PackStep validValue = Tagged<bool>(Value(true));
  const uint64_t twoTo32 = uint64_t{1} << 32;
  return {
      {"Empty", {}},
      {"NotAMap", Packed(Array({}))},
      {"KeyNotAString", Packed(Map({{Value(1), validValue}}))},
      {"EmptyKey", Packed(Map({{Value(""), validValue}}))},
      {"DuplicateKey", Packed(Map({{Value("key"), validValue}, {Value("key"), validValue}}))},
      {"ValueNotAnArray", Packed(Record(Value(true)))},
      {"ValueNotAPair", Packed(Record(Array({Value(0), Value(true), Value(true)})))},
      {"TagNotAnInteger", Packed(Record(Array({Value("0"), Value(true)})))},
      {"NegativeTag", Packed(Record(Array({Value(-1), Value(true)})))},
      {"TagPastLastType", Packed(Record(Tagged(std::variant_size_v<ParameterValue>, Value(true))))},
      {"BoolAsInteger", Packed(Record(Tagged<bool>(Value(1))))},
      {"Uint8Overflow", Packed(Record(Tagged<uint8_t>(Value(256))))},
      {"Uint16Overflow", Packed(Record(Tagged<uint16_t>(Value(65536))))},
      {"Uint32Overflow", Packed(Record(Tagged<uint32_t>(Value(twoTo32))))},
      {"Uint64Negative", Packed(Record(Tagged<uint64_t>(Value(-1))))},
      {"Int32Overflow", Packed(Record(Tagged<int32_t>(Value(int64_t{INT32_MAX} + 1))))},
      {"Int32Underflow", Packed(Record(Tagged<int32_t>(Value(int64_t{INT32_MIN} - 1))))},
      {"FloatAsFloat64", Packed(Record(Tagged<float>(Value(1.0))))},
      {"DoubleAsFloat32", Packed(Record(Tagged<double>(Float32(1.0f))))},
      {"StringAsBin", Packed(Record(Tagged<std::string>(Bin("text"))))},
      {"BufferAsString", Packed(Record(Tagged<Vorn::Binary>(Value("text"))))},
      {"Uint8ArrayAsArray", Packed(Record(Tagged<std::vector<uint8_t>>(Array({Value(1)}))))},
      {"Uint32ArrayWithNegative",
       Packed(Record(Tagged<std::vector<uint32_t>>(Array({Value(1), Value(-1)}))))},
      {"StringArrayWithNumber",
       Packed(Record(Tagged<std::vector<std::string>>(Array({Value("a"), Value(1)}))))},
      {"RecordNotAPair", Packed(Record(Tagged<VOZ::RecordValue>(Map({}))))},
      {"RecordTypeKeyNotAString",
       Packed(Record(Tagged<VOZ::RecordValue>(Array({Value(1), Map({})}))))},
      {"RecordBodyNotAMap",
       Packed(Record(Tagged<VOZ::RecordValue>(Array({Value(""), Array({})}))))},
      {"RecordArrayWithNonRecord", Packed(Record(Tagged<VOZ::RecordArrayValue>(
                                       Array({Value(""), Array({Map({}), Value(1)})}))))},
      {"BadValueInNestedRecord", Packed(Record(TypedRecord(Record(Tagged(99, Value(true))))))},
      {"NestedPastTheBound", Packed(NestedRecords(kMaxRecordDepth + 1))},
      {"TrailingBytes", Packed([&](Packer& packer) {
         Record(validValue)(packer);
         packer.pack_nil();
       })},
      {"ArrayClaiming4GElements", {0xdd, 0xff, 0xff, 0xff, 0xff}},
      {"MapClaiming4GEntries", {0xdf, 0xff, 0xff, 0xff, 0xff}},
      {"StringClaiming4GBytes", {0x81, 0xdb, 0xff, 0xff, 0xff, 0xff}},
      {"DeepMsgpackArrays", Bytes(100000, 0x91)},
      {"ExtPayload", Packed(Record(Tagged<Vorn::Binary>([](Packer& packer) {
         packer.pack_ext(1, 1);
         packer.pack_ext_body("x", 1);
       })))},
  };
}

class MalformedRecordTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedRecordTest, IsRejectedLeavingOutputUntouched) {
  Parameters out;
  EXPECT_EQ(DecodeIntoSentinel(GetParam().bytes, out), E_INVALIDARG);
  EXPECT_EQ(out, Sentinel());
}

INSTANTIATE_TEST_SUITE_P(NodeRecordDecode, MalformedRecordTest, testing::ValuesIn(MalformedCases()),
                         [](const auto& testCase) { return testCase.param.name; });

TEST(NodeRecordDecodeTest, NestingAtTheBoundIsAccepted) {
  Parameters out;
  EXPECT_EQ(DecodeIntoSentinel(Packed(NestedRecords(kMaxRecordDepth)), out), S_OK);
}

TEST(NodeRecordDecodeTest, NullMessageIsRejected) {
  Parameters out = Sentinel();
  EXPECT_EQ(DecodeRecord(nullptr, out), E_INVALIDARG);
  EXPECT_EQ(out, Sentinel());
}

TEST(NodeRecordDecodeTest, EveryTruncationIsRejected) {
  const Bytes valid = VOZ::EncodeRecord(RecordWithEveryType());
  for (size_t size = 0; size < valid.size(); ++size) {
    Parameters out;
    ASSERT_EQ(DecodeIntoSentinel(Bytes(valid.begin(), valid.begin() + size), out), E_INVALIDARG)
        << "truncated to " << size << " bytes";
    ASSERT_EQ(out, Sentinel());
  }
}

// Whatever the bytes, decoding either succeeds or fails cleanly.
void ExpectDecodesOrRejectsCleanly(const Bytes& bytes) {
  Parameters out;
  const HRESULT result = DecodeIntoSentinel(bytes, out);
  if (result != S_OK) {
    ASSERT_EQ(result, E_INVALIDARG);
    ASSERT_EQ(out, Sentinel());
  }
}

TEST(NodeRecordDecodeTest, RandomGarbageFailsCleanly) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<size_t> size(0, 64);
  for (int attempt = 0; attempt < 5000; ++attempt) {
    Bytes garbage(size(random));
    for (unsigned char& value : garbage) value = static_cast<unsigned char>(byte(random));
    ExpectDecodesOrRejectsCleanly(garbage);
  }
}

TEST(NodeRecordDecodeTest, CorruptedValidRecordFailsCleanly) {
  const Bytes valid = VOZ::EncodeRecord(RecordWithEveryType());
  std::mt19937 random(20240612);
  std::uniform_int_distribution<size_t> position(0, valid.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int attempt = 0; attempt < 2000; ++attempt) {
    Bytes corrupted = valid;
    for (int flip = 0; flip < 3; ++flip) {
      corrupted[position(random)] = static_cast<unsigned char>(byte(random));
    }
    ExpectDecodesOrRejectsCleanly(corrupted);
  }
}

}  // namespace
