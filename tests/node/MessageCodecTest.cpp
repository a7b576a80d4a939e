#include <gtest/gtest.h>
#include <msgpack.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "VOZ/RecordCodec.h"
#include "Vorn/Binary.h"
#include "Vorn/MessageCodec.h"

namespace {

using Vorn::DecodeMessage;
using Vorn::EncodeMessage;
using Vorn::Message;
using Vorn::MessageKind;
using Bytes = std::vector<unsigned char>;
using Packer = msgpack::packer<msgpack::sbuffer>;

VOZ::Parameters SampleRecord() {
  VOZ::Parameters nested;
  nested.WriteDoubleArray("eye", {0.0, -1.5, 2.25});
  VOZ::Parameters record;
  record.WriteString("pickingMode", "visu_mode");
  record.WriteInt32("objectType", -3);
  record.WriteBuffer("frame", Vorn::Binary::Copy("\x00\xFFjpeg", 6));
  record.WriteParameters("camera", nested);
  return record;
}

std::shared_ptr<const Bytes> Encoded(const Message& message) {
  auto bytes = std::make_shared<Bytes>();
  EXPECT_EQ(EncodeMessage(message, *bytes), S_OK);
  return bytes;
}

struct RoundTripCase {
  std::string name;
  Message message;
};

class NodeMessageRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(NodeMessageRoundTripTest, DecodesWhatWasEncoded) {
  Message decoded;
  ASSERT_EQ(DecodeMessage(Encoded(GetParam().message), decoded), S_OK);
  EXPECT_EQ(decoded, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, NodeMessageRoundTripTest,
    ::testing::Values(
        RoundTripCase{"Select",
                      {.kind = MessageKind::Select,
                       .id = 1,
                       .serverName = "RenderServer",
                       .identifier = "session-7",
                       .poolName = "QuentarNativeClientPoolName",
                       .canDisconnectFromHypervisor = true}},
        RoundTripCase{
            "SelectAnswer",
            {.kind = MessageKind::SelectAnswer, .id = 2, .nodeId = UINT64_MAX, .succeeded = true}},
        RoundTripCase{"Call",
                      {.kind = MessageKind::Call,
                       .id = 3,
                       .nodeId = 9,
                       .function = "streamingSetCamera",
                       .version = -2,
                       .record = SampleRecord()}},
        RoundTripCase{"Answer", {.kind = MessageKind::Answer, .id = 4, .record = SampleRecord()}},
        RoundTripCase{
            "Subscribe",
            {.kind = MessageKind::Subscribe, .id = 5, .nodeId = 9, .topic = "StreamingEvent"}},
        RoundTripCase{"Unsubscribe", {.kind = MessageKind::Unsubscribe, .id = 5}},
        RoundTripCase{"Publish", {.kind = MessageKind::Publish, .id = 5, .record = SampleRecord()}},
        RoundTripCase{"Grant", {.kind = MessageKind::Grant, .serviceTicket = "ST-1-abc"}}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(NodeMessageCodecTest, DecodedBuffersShareTheReceivedBytes) {
  const auto bytes = Encoded({.kind = MessageKind::Publish, .id = 1, .record = SampleRecord()});
  Message decoded;
  ASSERT_EQ(DecodeMessage(bytes, decoded), S_OK);
  Vorn::Binary frame;
  ASSERT_EQ(decoded.record.ReadBuffer("frame", frame), S_OK);
  EXPECT_GE(frame.GetData(), bytes->data());
  EXPECT_LE(frame.GetData() + frame.GetSize(), bytes->data() + bytes->size());
}

TEST(NodeMessageCodecTest, RefusesToEncodeWhatTheOtherEndWouldReject) {
  VOZ::Parameters tooDeep;
  for (int depth = 0; depth <= VOZ::kMaxRecordDepth; ++depth) {
    VOZ::Parameters outer;
    outer.WriteParameters("inner", tooDeep);
    tooDeep = outer;
  }
  const auto large = std::make_shared<Bytes>(Vorn::kMaxMessageSize);
  VOZ::Parameters tooLarge;
  tooLarge.WriteBuffer("frame", Vorn::Binary(large, large->data(), large->size()));
  for (const VOZ::Parameters& record : {tooDeep, tooLarge}) {
    Bytes bytes{1, 2, 3};
    EXPECT_EQ(EncodeMessage({.kind = MessageKind::Publish, .record = record}, bytes), E_INVALIDARG);
    EXPECT_TRUE(bytes.empty());
  }
}

struct MalformedCase {
  std::string name;
  std::function<void(Packer&)> pack;
};

void PackBin(Packer& packer, const Bytes& bytes) {
  packer.pack_bin(static_cast<uint32_t>(bytes.size()));
  packer.pack_bin_body(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<uint32_t>(bytes.size()));
}

// An Answer is [kind, id, succeeded, record]; each case breaks one thing about it.
void PackAnswer(Packer& packer, uint32_t size = 4) {
  packer.pack_array(size);
  packer.pack(uint8_t{3});
  packer.pack(uint64_t{8});
  packer.pack(true);
  PackBin(packer, VOZ::EncodeRecord(SampleRecord()));
}

class NodeMessageRejectsTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(NodeMessageRejectsTest, FailsAndLeavesTheOutputUntouched) {
  msgpack::sbuffer buffer;
  Packer packer(buffer);
  GetParam().pack(packer);
  const Message sentinel{.kind = MessageKind::Grant, .serviceTicket = "untouched"};
  Message out = sentinel;
  EXPECT_EQ(DecodeMessage(
                std::make_shared<const Bytes>(buffer.data(), buffer.data() + buffer.size()), out),
            E_INVALIDARG);
  EXPECT_EQ(out, sentinel);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, NodeMessageRejectsTest,
    ::testing::Values(MalformedCase{"Nothing", [](Packer&) {}},
                      MalformedCase{"NotAnArray", [](Packer& packer) { packer.pack(uint8_t{3}); }},
                      MalformedCase{"EmptyArray", [](Packer& packer) { packer.pack_array(0); }},
                      MalformedCase{"UnknownKind",
                                    [](Packer& packer) {
                                      packer.pack_array(2);
                                      packer.pack(uint8_t{8});
                                      packer.pack(uint64_t{1});
                                    }},
                      MalformedCase{"KindBeyondItsByte",
                                    [](Packer& packer) {
                                      packer.pack_array(2);
                                      packer.pack(uint64_t{256 + 5});
                                      packer.pack(uint64_t{1});
                                    }},
                      MalformedCase{"KindAsText",
                                    [](Packer& packer) {
                                      packer.pack_array(2);
                                      packer.pack(std::string("Unsubscribe"));
                                      packer.pack(uint64_t{1});
                                    }},
                      MalformedCase{"MissingField", [](Packer& packer) { PackAnswer(packer, 3); }},
                      MalformedCase{"ExtraField",
                                    [](Packer& packer) {
                                      PackAnswer(packer, 5);
                                      packer.pack(uint64_t{0});
                                    }},
                      MalformedCase{"NegativeId",
                                    [](Packer& packer) {
                                      packer.pack_array(2);
                                      packer.pack(uint8_t{5});
                                      packer.pack(int64_t{-1});
                                    }},
                      MalformedCase{"FlagAsNumber",
                                    [](Packer& packer) {
                                      packer.pack_array(4);
                                      packer.pack(uint8_t{3});
                                      packer.pack(uint64_t{8});
                                      packer.pack(uint8_t{1});
                                      PackBin(packer, VOZ::EncodeRecord(SampleRecord()));
                                    }},
                      MalformedCase{"RecordAsMap",
                                    [](Packer& packer) {
                                      packer.pack_array(3);
                                      packer.pack(uint8_t{6});
                                      packer.pack(uint64_t{8});
                                      packer.pack_map(0);
                                    }},
                      MalformedCase{"RecordNotARecord",
                                    [](Packer& packer) {
                                      packer.pack_array(3);
                                      packer.pack(uint8_t{6});
                                      packer.pack(uint64_t{8});
                                      PackBin(packer, {0x91, 0x01});
                                    }},
                      MalformedCase{"VersionBeyondInt32",
                                    [](Packer& packer) {
                                      packer.pack_array(6);
                                      packer.pack(uint8_t{2});
                                      packer.pack(uint64_t{1});
                                      packer.pack(uint64_t{9});
                                      packer.pack(std::string("f"));
                                      packer.pack(uint64_t{1} << 31);
                                      PackBin(packer, VOZ::EncodeRecord(SampleRecord()));
                                    }},
                      MalformedCase{"NestedArrayField",
                                    [](Packer& packer) {
                                      packer.pack_array(2);
                                      packer.pack(uint8_t{5});
                                      packer.pack_array(1);
                                      packer.pack(uint64_t{1});
                                    }},
                      MalformedCase{"TrailingBytes",
                                    [](Packer& packer) {
                                      PackAnswer(packer);
                                      packer.pack(uint8_t{0});
                                    }}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(NodeMessageCodecTest, EveryTruncationOfAMessageFails) {
  const auto whole = Encoded({.kind = MessageKind::Call,
                              .id = 3,
                              .nodeId = 9,
                              .function = "getImage",
                              .version = 1,
                              .record = SampleRecord()});
  for (size_t size = 0; size < whole->size(); ++size) {
    Message out;
    EXPECT_EQ(
        DecodeMessage(std::make_shared<const Bytes>(whole->begin(), whole->begin() + size), out),
        E_INVALIDARG)
        << size;
  }
}

// Appends straight into the message, which is too large for needless copies.
struct AppendingSink {
  Bytes& bytes;
  void write(const char* data, size_t size) { bytes.insert(bytes.end(), data, data + size); }
};

// Packed by hand: the encoder refuses to make a message above the maximum.
std::shared_ptr<const Bytes> PublicationWithBuffer(size_t bufferSize) {
  const auto buffer = std::make_shared<Bytes>(bufferSize);
  VOZ::Parameters record;
  record.WriteBuffer("frame", Vorn::Binary(buffer, buffer->data(), buffer->size()));
  const Bytes encodedRecord = VOZ::EncodeRecord(record);
  auto message = std::make_shared<Bytes>();
  message->reserve(encodedRecord.size() + 16);
  AppendingSink sink{*message};
  msgpack::packer<AppendingSink> packer(sink);
  packer.pack_array(3);
  packer.pack(static_cast<uint8_t>(MessageKind::Publish));
  packer.pack(uint64_t{1});
  packer.pack_bin(static_cast<uint32_t>(encodedRecord.size()));
  packer.pack_bin_body(reinterpret_cast<const char*>(encodedRecord.data()),
                       static_cast<uint32_t>(encodedRecord.size()));
  return message;
}

TEST(NodeMessageCodecTest, AcceptsMessagesUpToTheMaximumSizeOnly) {
  // More than the message and record framing around the buffer.
  constexpr size_t kFraming = 64;
  const auto largest = PublicationWithBuffer(Vorn::kMaxMessageSize - kFraming);
  const auto tooLarge = PublicationWithBuffer(Vorn::kMaxMessageSize);
  ASSERT_LE(largest->size(), Vorn::kMaxMessageSize);
  ASSERT_GT(tooLarge->size(), Vorn::kMaxMessageSize);
  Message out;
  EXPECT_EQ(DecodeMessage(largest, out), S_OK);
  EXPECT_EQ(DecodeMessage(tooLarge, out), E_INVALIDARG);
}

}  // namespace
