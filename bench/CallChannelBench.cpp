// The cost of the call channel against the bare msgpack encoding of the same record: issuing
// one accounted call (view lock, numbering, encoding, hand-over to the transport) and handling
// one answer (decoding it, raising the view's call identifiers). Prints the ratios at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "KROVisPerspectiveCamera.h"
#include "VOZ/RecordCodec.h"
#include "ViewerTestAccess.h"
#include "Vorn/Hypervisor.h"
#include "Vorn/MessageCodec.h"
#include "Vorn/NodeServer.h"
#include "camera/RemoteObjectTypes.h"

namespace {

// A camera update, the call the viewer makes most.
VOZ::Parameters CameraRequest() {
  VOZ::Parameters request;
  request.WriteUint32("width", 1920);
  request.WriteUint32("height", 1080);
  request.WriteUint64("timestamp", 1765400000000);
  auto* camera = KROVisPerspectiveCamera::Create({1, 2, 3}, {0, 0, -1}, {0, 1, 0});
  request.WriteObject<KROVisCamera>("camera", RemoteObjectType::kCamera, *camera);
  camera->Release();
  return request;
}

// A viewer whose view 0 is connected to a rendering node that answers every call at once with
// its number, as the service does, or never.
struct ConnectedViewer {
  static constexpr const char* kUrl = "wss://render-bench.localhost/hypervisor";

  explicit ConnectedViewer(bool answering) {
    server.SetFallbackHandler([this, answering](const Vorn::CallRequest& request) {
      if (!answering) return;
      VOZ::Parameters answer;
      answer.WriteUint64("callId", ++served);
      request.responder.Succeed(answer);
    });
    hypervisor.AddNode(server);
    hypervisor.ListenInProcess(kUrl);
    viewer = new KRO3DStreamingViewer(&dialog, "bench", 0, 640, 480, 0);
    access = std::make_unique<KRO3DStreamingViewerTestAccess>(*viewer);
    access->AttachNode(0, kUrl, "RenderServer", "bench", std::chrono::seconds(60));
  }
  ~ConnectedViewer() {
    access.reset();
    viewer->Release();
  }
  void WaitForAnswers() {
    ViewParameters& view = access->View(0);
    for (;;) {
      {
        KROMutexLock lock(*view.mutex);
        if (view.resolvedCallId >= view.submittedCallId) return;
      }
      std::this_thread::yield();
    }
  }
  std::uint64_t served = 0;
  Vorn::Hypervisor hypervisor;
  Vorn::NodeServer server{"RenderServer", "bench"};
  KRODialog dialog{"bench"};
  KRO3DStreamingViewer* viewer = nullptr;
  std::unique_ptr<KRO3DStreamingViewerTestAccess> access;
};

void BareEncode(benchmark::State& state) {
  const VOZ::Parameters request = CameraRequest();
  for (auto _ : state) benchmark::DoNotOptimize(VOZ::EncodeRecord(request));
}
BENCHMARK(BareEncode);

// The rendering node answers as the service does; every 64 calls the clock stops until the
// answers have caught up, so that the backlog, and the memory it takes, stays small.
void AccountedCall(benchmark::State& state) {
  ConnectedViewer connected(true);
  const VOZ::Parameters request = CameraRequest();
  std::int64_t issued = 0;
  for (auto _ : state) {
    connected.access->AccountedCall(0, "streamingSetCamera", KROStreamingErrorEvent::SetCamera,
                                    request);
    if (++issued % 64 == 0) {
      state.PauseTiming();
      connected.WaitForAnswers();
      state.ResumeTiming();
    }
  }
  connected.WaitForAnswers();
}
BENCHMARK(AccountedCall);

void HandleAnswer(benchmark::State& state) {
  ConnectedViewer connected(true);
  Vorn::Message answer;
  answer.kind = Vorn::MessageKind::Answer;
  answer.id = 7;
  answer.succeeded = true;
  answer.record.WriteUint64("callId", 1);
  std::vector<unsigned char> bytes;
  Vorn::EncodeMessage(answer, bytes);
  auto message = std::make_shared<const std::vector<unsigned char>>(bytes);
  for (auto _ : state) {
    Vorn::Message received;
    Vorn::DecodeMessage(message, received);
    connected.access->UpdateCallIdentifier(0, received.record);
  }
}
BENCHMARK(HandleAnswer);

// Remembers each benchmark's CPU time per iteration to print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) cpuNanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> cpuNanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto find = [&](const std::string& prefix) {
    for (const auto& [name, ns] : reporter.cpuNanoseconds) {
      if (name.rfind(prefix, 0) == 0) return ns;
    }
    return 0.0;
  };
  const double bare = find("BareEncode");
  if (bare > 0) {
    std::printf("accounted call / bare encode: %.2f (goal <= 2)\n", find("AccountedCall") / bare);
    std::printf("answer handling / bare encode: %.2f (goal <= 2)\n", find("HandleAnswer") / bare);
  }
  benchmark::Shutdown();
  return 0;
}
