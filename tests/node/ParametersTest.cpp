#include "VOZ/Parameters.h"

#include <gtest/gtest.h>

#include "TypedValueCases.h"

namespace {

using VOZ::Parameters;

class TypedValueTest : public testing::TestWithParam<TypedValueCase> {};

TEST_P(TypedValueTest, ReadsBackOnlyAsItsOwnType) {
  Parameters record;
  ASSERT_EQ(GetParam().writeSample(record, "key"), S_OK);
  for (const TypedValueCase& reader : AllTypedValueCases()) {
    if (reader.name == GetParam().name) {
      EXPECT_TRUE(reader.readsSample(record, "key"));
    } else {
      EXPECT_TRUE(reader.failsLeavingSentinel(record, "key")) << "read as " << reader.name;
    }
  }
}

TEST_P(TypedValueTest, MissingKeyFailsLeavingOutputUntouched) {
  Parameters record;
  GetParam().writeSample(record, "present");
  EXPECT_TRUE(GetParam().failsLeavingSentinel(record, "absent"));
}

TEST_P(TypedValueTest, ReplacesValueOfAnyTypeInPlace) {
  for (const TypedValueCase& previous : AllTypedValueCases()) {
    Parameters record;
    for (const char* key : {"first", "key", "last"}) previous.writeSample(record, key);
    ASSERT_EQ(GetParam().writeSample(record, "key"), S_OK);
    EXPECT_TRUE(GetParam().readsSample(record, "key")) << "replacing " << previous.name;
    EXPECT_EQ(record.GetKeys(), (std::vector<std::string>{"first", "key", "last"}));
  }
}

TEST_P(TypedValueTest, EmptyKeyIsRejected) {
  Parameters record;
  EXPECT_EQ(GetParam().writeSample(record, ""), E_INVALIDARG);
  EXPECT_EQ(record.GetCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(NodeParameters, TypedValueTest, testing::ValuesIn(AllTypedValueCases()),
                         [](const auto& testCase) { return testCase.param.name; });

Parameters RecordWith(const std::string& key, int32_t value) {
  Parameters record;
  record.WriteInt32(key, value);
  return record;
}

TEST(NodeParametersTest, TypedRecordReadsOnlyWithItsTypeKey) {
  Parameters record;
  const Parameters camera = RecordWith("fov", 45);
  ASSERT_EQ(record.WriteObjectPrivate("camera", "Camera", camera), S_OK);

  Parameters read = RecordWith("sentinel", 1);
  EXPECT_EQ(record.ReadParameters("camera", "Light", read), E_FAIL);
  EXPECT_EQ(record.ReadParameters("camera", read), E_FAIL);
  EXPECT_EQ(read, RecordWith("sentinel", 1));
  EXPECT_EQ(record.ReadParameters("camera", "Camera", read), S_OK);
  EXPECT_EQ(read, camera);
}

TEST(NodeParametersTest, RecordArrayReadAppendsCopies) {
  Parameters record;
  std::vector<std::unique_ptr<Parameters>> lights;
  lights.push_back(std::make_unique<Parameters>(RecordWith("a", 1)));
  lights.push_back(std::make_unique<Parameters>(RecordWith("b", 2)));
  ASSERT_EQ(record.WriteObjectArrayPrivate("lights", "Light", std::move(lights)), S_OK);

  std::vector<std::unique_ptr<Parameters>> read;
  read.push_back(std::make_unique<Parameters>(RecordWith("existing", 0)));
  EXPECT_EQ(record.ReadParametersArray("lights", "Camera", read), E_FAIL);
  ASSERT_EQ(record.ReadParametersArray("lights", "Light", read), S_OK);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(*read[1], RecordWith("a", 1));
  EXPECT_EQ(*read[2], RecordWith("b", 2));

  read[1]->WriteInt32("a", 99);
  std::vector<std::unique_ptr<Parameters>> again;
  record.ReadParametersArray("lights", "Light", again);
  EXPECT_EQ(*again[0], RecordWith("a", 1));
}

TEST(NodeParametersTest, EmptyRecordArrayIsStoredAndNullRecordRejected) {
  Parameters record;
  ASSERT_EQ(record.WriteObjectArrayPrivate("none", "Light", {}), S_OK);
  std::vector<std::unique_ptr<Parameters>> read;
  EXPECT_EQ(record.ReadParametersArray("none", "Light", read), S_OK);
  EXPECT_TRUE(read.empty());

  std::vector<std::unique_ptr<Parameters>> withNull;
  withNull.push_back(nullptr);
  EXPECT_EQ(record.WriteObjectArrayPrivate("broken", "Light", std::move(withNull)), E_INVALIDARG);
  EXPECT_EQ(record.WriteValue("broken", VOZ::RecordValue{"Light", nullptr}), E_INVALIDARG);
  EXPECT_FALSE(record.Has("broken"));
}

TEST(NodeParametersTest, CopiesAreIndependent) {
  Parameters original;
  original.WriteParameters("child", RecordWith("value", 1));
  Parameters copy = original;
  Parameters child;
  copy.ReadParameters("child", child);
  child.WriteInt32("value", 2);
  copy.WriteParameters("child", child);

  Parameters originalChild;
  original.ReadParameters("child", originalChild);
  EXPECT_EQ(originalChild, RecordWith("value", 1));
}

TEST(NodeParametersTest, NestedRecordCanBeReadIntoItsParent) {
  Parameters record;
  record.WriteParameters("child", RecordWith("value", 1));
  ASSERT_EQ(record.ReadParameters("child", record), S_OK);
  EXPECT_EQ(record, RecordWith("value", 1));
}

TEST(NodeParametersTest, EqualityIgnoresKeyOrderAndComparesBufferBytes) {
  Parameters left;
  left.WriteInt32("a", 1);
  left.WriteBuffer("b", Vorn::Binary::Copy("xy", 2));
  Parameters right;
  right.WriteBuffer("b", Vorn::Binary::Copy("xy", 2));
  right.WriteInt32("a", 1);
  EXPECT_EQ(left, right);
  right.WriteBuffer("b", Vorn::Binary::Copy("xz", 2));
  EXPECT_FALSE(left == right);
}

TEST(NodeParametersTest, ReadBufferSharesTheStoredBytes) {
  Parameters record;
  const Vorn::Binary written = Vorn::Binary::Copy("bytes", 5);
  record.WriteBuffer("buffer", written);
  Vorn::Binary read;
  ASSERT_EQ(record.ReadBuffer("buffer", read), S_OK);
  EXPECT_EQ(read.GetData(), written.GetData());
}

}  // namespace
