#include "Vorn/Binary.h"

#include <gtest/gtest.h>

namespace {

int releaseCount = 0;

void CountingRelease(char* data) {
  ++releaseCount;
  Vorn::deallocateArrayChar(data);
}

TEST(NodeBinaryTest, AdoptedBytesAreReleasedOnceAfterTheLastCopy) {
  releaseCount = 0;
  auto* bytes = new char[4]{'a', 'b', 'c', 'd'};
  {
    std::optional<Vorn::Binary> copy;
    {
      const Vorn::Binary adopted(bytes, 4, CountingRelease);
      copy = adopted;
      EXPECT_EQ(copy->GetData(), reinterpret_cast<const unsigned char*>(bytes));
    }
    EXPECT_EQ(releaseCount, 0);
    Vorn::Binary assigned;
    assigned = *copy;
    copy.reset();
    EXPECT_EQ(releaseCount, 0);
  }
  EXPECT_EQ(releaseCount, 1);
}

TEST(NodeBinaryTest, CopyOwnsItsBytes) {
  std::string source = "bytes";
  const Vorn::Binary copy = Vorn::Binary::Copy(source.data(), source.size());
  source[0] = 'X';
  EXPECT_EQ(copy, Vorn::Binary::Copy("bytes", 5));
  EXPECT_NE(copy.GetData(), reinterpret_cast<const unsigned char*>(source.data()));
}

TEST(NodeBinaryTest, SharedBytesLiveAsLongAsTheBinary) {
  auto owner = std::make_shared<std::vector<unsigned char>>(std::vector<unsigned char>{1, 2, 3});
  const Vorn::Binary middle(owner, owner->data() + 1, 1);
  std::weak_ptr<std::vector<unsigned char>> watcher = owner;
  owner.reset();
  EXPECT_FALSE(watcher.expired());
  EXPECT_EQ(middle.GetData()[0], 2);
}

}  // namespace
