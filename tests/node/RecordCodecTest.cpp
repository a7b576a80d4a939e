#include "VOZ/RecordCodec.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>

#include "TypedValueCases.h"

namespace {

using VOZ::DecodeRecord;
using VOZ::EncodeRecord;
using VOZ::kMaxRecordDepth;
using VOZ::Parameters;
using Message = std::shared_ptr<const std::vector<unsigned char>>;

Message Encoded(const Parameters& record) {
  return std::make_shared<const std::vector<unsigned char>>(EncodeRecord(record));
}

class TypedValueRoundTripTest : public testing::TestWithParam<TypedValueCase> {};

TEST_P(TypedValueRoundTripTest, KeepsValueAndType) {
  Parameters record;
  GetParam().writeSample(record, "key");
  Parameters decoded;
  ASSERT_EQ(DecodeRecord(Encoded(record), decoded), S_OK);
  EXPECT_TRUE(GetParam().readsSample(decoded, "key"));
}

INSTANTIATE_TEST_SUITE_P(NodeRecordCodec, TypedValueRoundTripTest,
                         testing::ValuesIn(AllTypedValueCases()),
                         [](const auto& testCase) { return testCase.param.name; });

TEST(NodeRecordCodecTest, RecordWithEveryTypeRoundTripsInOrder) {
  const Parameters record = RecordWithEveryType();
  Parameters decoded;
  ASSERT_EQ(DecodeRecord(Encoded(record), decoded), S_OK);
  EXPECT_EQ(decoded, record);
  EXPECT_EQ(decoded.GetKeys(), record.GetKeys());
}

template <typename Float>
std::vector<Float> FloatingEdgeValues() {
  using Limits = std::numeric_limits<Float>;
  return {0,
          -Float{0},
          45,
          -3,
          Float{0.1},
          Limits::infinity(),
          -Limits::infinity(),
          Limits::quiet_NaN(),
          Limits::denorm_min(),
          Limits::max(),
          0x1p64};
}

// Integral values, signed zeros and NaN must come back as the same bits and the same type.
TEST(NodeRecordCodecTest, FloatingValuesKeepTheirBits) {
  Parameters record;
  record.WriteDoubleArray("doubles", FloatingEdgeValues<double>());
  const std::vector<float> floats = FloatingEdgeValues<float>();
  for (size_t index = 0; index < floats.size(); ++index) {
    record.WriteFloat("float" + std::to_string(index), floats[index]);
  }
  Parameters decoded;
  ASSERT_EQ(DecodeRecord(Encoded(record), decoded), S_OK);

  std::vector<double> doubles;
  ASSERT_EQ(decoded.ReadDoubleArray("doubles", doubles), S_OK);
  ASSERT_EQ(doubles.size(), FloatingEdgeValues<double>().size());
  for (size_t index = 0; index < doubles.size(); ++index) {
    EXPECT_EQ(std::bit_cast<uint64_t>(doubles[index]),
              std::bit_cast<uint64_t>(FloatingEdgeValues<double>()[index]));
  }
  for (size_t index = 0; index < floats.size(); ++index) {
    float value = 0;
    ASSERT_EQ(decoded.ReadFloat("float" + std::to_string(index), value), S_OK);
    EXPECT_EQ(std::bit_cast<uint32_t>(value), std::bit_cast<uint32_t>(floats[index]));
  }
}

TEST(NodeRecordCodecTest, EncodingIsDeterministic) {
  EXPECT_EQ(EncodeRecord(RecordWithEveryType()), EncodeRecord(RecordWithEveryType()));
}

TEST(NodeRecordCodecTest, DecodedBufferSharesTheMessageBytes) {
  std::vector<unsigned char> large(3 << 20);
  for (size_t index = 0; index < large.size(); ++index) large[index] = index % 251;
  Parameters record;
  record.WriteBuffer("large", Vorn::Binary::Copy(large.data(), large.size()));
  Message message = Encoded(record);

  Parameters decoded;
  ASSERT_EQ(DecodeRecord(message, decoded), S_OK);
  Vorn::Binary buffer;
  ASSERT_EQ(decoded.ReadBuffer("large", buffer), S_OK);
  EXPECT_GE(buffer.GetData(), message->data());
  EXPECT_LE(buffer.GetData() + buffer.GetSize(), message->data() + message->size());

  message.reset();
  EXPECT_TRUE(std::equal(large.begin(), large.end(), buffer.GetData()));
}

enum class Nesting { Records, RecordArrays };

Parameters NestedChain(Nesting nesting, int depth) {
  Parameters record;
  record.WriteStringArray("leaf", {"deepest"});
  for (int level = 0; level < depth; ++level) {
    Parameters parent;
    if (nesting == Nesting::Records) {
      parent.WriteObjectPrivate("child", "Node", record);
    } else {
      std::vector<std::unique_ptr<Parameters>> children;
      children.push_back(std::make_unique<Parameters>(record));
      parent.WriteObjectArrayPrivate("children", "Node", std::move(children));
    }
    record = std::move(parent);
  }
  return record;
}

class NestingBoundTest : public testing::TestWithParam<Nesting> {};

TEST_P(NestingBoundTest, DeepestAllowedRecordRoundTrips) {
  const Parameters record = NestedChain(GetParam(), kMaxRecordDepth);
  Parameters decoded;
  ASSERT_EQ(DecodeRecord(Encoded(record), decoded), S_OK);
  EXPECT_EQ(decoded, record);
}

TEST_P(NestingBoundTest, DeeperRecordIsNotEncoded) {
  EXPECT_TRUE(EncodeRecord(NestedChain(GetParam(), kMaxRecordDepth + 1)).empty());
}

INSTANTIATE_TEST_SUITE_P(NodeRecordCodec, NestingBoundTest,
                         testing::Values(Nesting::Records, Nesting::RecordArrays),
                         [](const auto& testCase) {
                           return testCase.param == Nesting::Records ? "Records" : "RecordArrays";
                         });

}  // namespace
