#include "Vorn/Trace.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "Vorn/TraceSink.h"

namespace {

using Level = Vorn::TraceEntry::Level;

class NodeTraceTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ =
        Vorn::SetTraceSink([this](const Vorn::TraceRecord& record) { records_.push_back(record); });
  }
  void TearDown() override { Vorn::SetTraceSink(previous_); }

  std::vector<Vorn::TraceRecord> records_;

 private:
  Vorn::TraceSink previous_;
};

TEST_F(NodeTraceTest, EndedTraceReachesTheSinkOnceWithEntriesInOrder) {
  {
    Vorn::Trace trace("viewer", "connect", JSON::JOStream().Add("host", "example"));
    trace.Info("network", "resolving");
    trace.Warning("network", "slow answer");
    trace.Info("session", "opened");
    trace.End(E_ABORT);
    trace.Info("late", "ignored");
    trace.End(S_OK);
  }
  ASSERT_EQ(records_.size(), 1u);
  const Vorn::TraceRecord& record = records_[0];
  EXPECT_EQ(record.tag, "viewer");
  EXPECT_EQ(record.operation, "connect");
  EXPECT_EQ(record.context, R"({"host":"example"})");
  EXPECT_EQ(record.entries,
            (std::vector<Vorn::TraceEntry>{{Level::Info, "network", "resolving"},
                                           {Level::Warning, "network", "slow answer"},
                                           {Level::Info, "session", "opened"}}));
  EXPECT_EQ(record.result, E_ABORT);
}

TEST_F(NodeTraceTest, TraceDroppedWithoutEndHasNoResult) {
  { Vorn::Trace("viewer", "abandoned", JSON::JOStream()).Info("step", "started"); }
  ASSERT_EQ(records_.size(), 1u);
  EXPECT_FALSE(records_[0].result.has_value());
}

TEST_F(NodeTraceTest, ThrowingSinkDoesNotReachTheTracedCode) {
  Vorn::SetTraceSink([](const Vorn::TraceRecord&) { throw std::runtime_error("sink failed"); });
  Vorn::Trace trace("viewer", "render", JSON::JOStream());
  EXPECT_NO_THROW(trace.End(S_OK));
}

}  // namespace
