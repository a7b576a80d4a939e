#include "JSON/JOStream.h"

#include <gtest/gtest.h>

namespace {

TEST(NodeJOStreamTest, KeepsInsertionOrderAndNests) {
  JSON::JOStream camera;
  camera.Add("zoom", 2.5).Add("visible", true);
  JSON::JOStream root;
  root.Add("z", "last letter")
      .Add("a", int64_t{-3})
      .Add("camera", camera)
      .Add("max", UINT64_MAX)
      .Add("none", static_cast<const char*>(nullptr));
  EXPECT_EQ(root.Stringify(), R"({"z":"last letter","a":-3,"camera":{"zoom":2.5,"visible":true},)"
                              R"("max":18446744073709551615,"none":null})");
}

TEST(NodeJOStreamTest, AddingAKeyAgainReplacesItInPlace) {
  JSON::JOStream object;
  object.Add("first", 1).Add("second", 2).Add("first", std::string("one"));
  EXPECT_EQ(object.Stringify(), R"({"first":"one","second":2})");
}

TEST(NodeJOStreamTest, CopiesAreIndependent) {
  JSON::JOStream original;
  original.Add("kept", 1u);
  JSON::JOStream copy = original;
  copy.Add("added", 2);
  EXPECT_EQ(original.Stringify(), R"({"kept":1})");
}

TEST(NodeJOStreamTest, InvalidUtf8IsReplacedNotThrown) {
  JSON::JOStream object;
  object.Add("bad", "\xff");
  EXPECT_EQ(object.Stringify(), "{\"bad\":\"\xEF\xBF\xBD\"}");
}

}  // namespace
