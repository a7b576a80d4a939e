#include <gtest/gtest.h>

#include <cstring>

#include "KROEventLoop.h"
#include "KROJpegImage.h"
#include "KROPixelImage.h"
#include "KROVisPerspectiveCamera.h"
#include "StreamingViewerFixture.h"
#include "TraceCapture.h"
#include "camera/RemoteObjectTypes.h"

namespace {

using Reply = TestSupport::ScriptedRenderingNode::Reply;
constexpr std::uint32_t kColour = 0xFF204080;  // little-endian RGBA bytes 80 40 20 FF

// The picture a rendering node sends for a view of `width` x `height`, in a session type's
// layout: one colour all over.
Vorn::Binary Picture(Vis::SessionType type, std::uint32_t width, std::uint32_t height) {
  std::vector<unsigned char> pixels(std::size_t{width} * height * 4);
  for (std::size_t p = 0; p < pixels.size(); p += 4) std::memcpy(&pixels[p], &kColour, 4);
  if (type == Vis::kJpegSession) {
    auto image = KROPtr<KROPixelImage>::Adopt(KROPixelImage::Create(
        static_cast<int>(width), static_cast<int>(height), KROPixelImage::kRGBA, pixels.data(), 0));
    std::vector<unsigned char> jpeg;
    WriteMemoryJPEG(*image, 95, jpeg);
    return Vorn::Binary::Copy(jpeg.data(), jpeg.size());
  }
  if (type == Vis::kSelfSizedRawSession) {
    std::vector<unsigned char> framed(8);
    std::memcpy(framed.data(), &width, 4);
    std::memcpy(framed.data() + 4, &height, 4);
    framed.insert(framed.end(), pixels.begin(), pixels.end());
    return Vorn::Binary::Copy(framed.data(), framed.size());
  }
  return Vorn::Binary::Copy(pixels.data(), pixels.size());
}

class ViewLifecycleTest : public testing::Test {
 protected:
  static constexpr const char* kServer = "RenderServer";
  static constexpr const char* kSession = "session-A";

  // The node renders a picture after every camera change, as the service does.
  void RenderOnCameraChange(Vis::SessionType type) {
    node.Script("streamingSetCamera", {.then = [this, type](std::uint64_t callId) {
                  VOZ::Parameters frame;
                  frame.WriteBuffer("colorImgBuffer", Picture(type, 320, 200));
                  frame.WriteUint64("latestResolvedCallId", callId);
                  node.Publish("StreamingEvent", frame);
                }});
  }
  KRO3DStreamingViewer::NodeParams Params(Vis::SessionType type = Vis::kJpegSession) {
    return {kSession, kServer, type};
  }
  HRESULT Connect(Vis::SessionType type = Vis::kJpegSession) {
    Window()->Expose();
    return viewer->SetConnectionParameters(node.GetUrl(), Params(type),
                                           KRO3DStreamingViewer::kNoAuthentification);
  }
  std::vector<std::string> CalledFunctions() {
    std::vector<std::string> functions;
    for (const auto& call : node.Calls()) functions.push_back(call.function);
    return functions;
  }
  std::size_t CountCalls(const std::string& function) {
    const auto functions = CalledFunctions();
    return static_cast<std::size_t>(std::count(functions.begin(), functions.end(), function));
  }
  KROGraphicWindow* Window() const { return static_cast<KROGraphicWindow*>(viewer->GetSupport()); }
  std::uint32_t PixelAt(int x, int y) {
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, Window()->GetFramebuffer().data() + (std::size_t(y) * 320 + x) * 4, 4);
    return pixel;
  }

  TestSupport::ScriptedRenderingNode node{kServer, kSession};
  ViewerHolder viewer = MakeViewer();
  KRO3DStreamingViewerTestAccess access{*viewer};
};

class StreamingSessionTest : public ViewLifecycleTest,
                             public testing::WithParamInterface<Vis::SessionType> {};

TEST_P(StreamingSessionTest, StreamsToTheWindowAndKeepsTheCameraInStep) {
  const Vis::SessionType type = GetParam();
  RenderOnCameraChange(type);
  ASSERT_EQ(Connect(type), S_OK);
  EXPECT_TRUE(viewer->IsViewActive(0));
  EXPECT_EQ(CountCalls("streamingUpdateHighlightPreHighlightParams"), 1u);
  // Type 5 reports its side connected, then asks a reframe of its own.
  const bool selfSized = type == Vis::kSelfSizedRawSession;
  EXPECT_EQ(CountCalls("pixSendWebRTCSessionStatus"), selfSized ? 1u : 0u);
  EXPECT_EQ(CountCalls("streamingReframe"), selfSized ? 2u : 1u);
  EXPECT_EQ(CountCalls("streamingUpdateViewer"), 1u);

  // The picture reaches the window's framebuffer at the next draws.
  KROEventLoop::Get().RunUntil([&] { return !Window()->GetDrawRequestFlag(); },
                               std::chrono::seconds(5));
  viewer->Draw();
  KROEventLoop::Get().ProcessPending();
  const std::uint32_t pixel = PixelAt(160, 100);
  if (type == Vis::kJpegSession) {
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 0x80, 8) << "lossy, but that colour";
  } else {
    EXPECT_EQ(pixel, kColour);
  }

  // Moving the viewpoint sends that camera.
  const std::size_t before = CountCalls("streamingSetCamera");
  viewer->GetMain3DViewpoint()->SetOrigin({4, 5, 6});
  ASSERT_TRUE(Eventually([&] { return CountCalls("streamingSetCamera") == before + 1; }));
  KROVisCamera* sent = nullptr;
  ASSERT_EQ(node.Calls().back().parameters.ReadObject("camera", RemoteObjectType::kCamera, sent),
            S_OK);
  EXPECT_EQ(sent->GetOrigin(), (KROMathPoint{4, 5, 6}));
  sent->Release();

  // The pictures answering it let the wait for them end.
  EXPECT_EQ(viewer->WaitPendingDraw(10000, false), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Types, StreamingSessionTest,
                         testing::Values(Vis::kJpegSession, Vis::kViewSizedRawSession,
                                         Vis::kSelfSizedRawSession));

TEST_F(ViewLifecycleTest, TheEndOfAManipulationAdoptsTheReframedCamera) {
  RenderOnCameraChange(Vis::kJpegSession);
  ASSERT_EQ(Connect(), S_OK);
  auto camera = KROPtr<KROVisCamera>::Adopt(
      KROVisPerspectiveCamera::Create({0, 0, 77}, {0, 0, -1}, {0, 1, 0}));
  VOZ::Parameters answer;
  answer.WriteObject<KROVisCamera>("camera", RemoteObjectType::kCamera, *camera);
  node.Script("streamingReframe", {.record = answer});
  KRO3DViewpoint* viewpoint = viewer->GetMain3DViewpoint();
  viewpoint->GetCallbackManager()->DispatchCallbacks(KRO3DViewpoint::VIEWPOINT_ACTION_ENDED(),
                                                     nullptr, nullptr);
  EXPECT_EQ(viewpoint->GetOrigin(), (KROMathPoint{0, 0, 77}));
}

TEST_F(ViewLifecycleTest, ANodeThatNeverSendsAPictureFailsTheConnectionAfterThirtySeconds) {
  TestSupport::TraceCapture warnings("ConnectView");
  auto now = std::chrono::steady_clock::time_point{};
  access.SetMonotonicClock([&now] { return now += std::chrono::seconds(11); });
  EXPECT_EQ(Connect(), E_ACCESSDENIED);
  EXPECT_EQ(warnings.Texts(), std::vector<std::string>{"Unable to render an initial image"});
  EXPECT_EQ(access.View(0).mutex, nullptr) << "left unconnected";
  EXPECT_EQ(viewer->WaitPendingDraw(0, false), E_INVALID_STATE) << "the context was dropped";
}

TEST_F(ViewLifecycleTest, AnErrorDuringTheWaitFailsTheConnectionAtOnce) {
  node.Script("streamingSetCamera",
              {.outcome = Reply::Outcome::Error, .record = VOZ::Parameters{}});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Connect(), E_ACCESSDENIED);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(ViewLifecycleTest, RefusalsBeforeAnythingChanges) {
  EXPECT_EQ(viewer->ConnectView(0, Params()), E_INVALID_STATE) << "no connection parameters";
  EXPECT_TRUE(access.Views().empty());
  RenderOnCameraChange(Vis::kJpegSession);
  ASSERT_EQ(Connect(), S_OK);
  EXPECT_EQ(viewer->ConnectView(4, Params(Vis::kNoSession)), E_INVALIDARG);
  EXPECT_EQ(access.Views().size(), 1u);
  EXPECT_EQ(viewer->ConnectView(4, Params()), E_INVALID_STATE) << "no viewpoint for view 4";
  EXPECT_EQ(access.Views().size(), 1u);
}

TEST_F(ViewLifecycleTest, ActivationStatesAndTheirResults) {
  RenderOnCameraChange(Vis::kJpegSession);
  ASSERT_EQ(Connect(), S_OK);
  EXPECT_EQ(viewer->SetViewActivation(0, true), S_FALSE);
  EXPECT_EQ(viewer->SetViewActivation(3, true), E_INVALID_STATE);
  EXPECT_EQ(viewer->SetViewActivation(0, false), S_OK);
  EXPECT_FALSE(viewer->IsViewActive(0));
  viewer->DeclareAnimationActivity(0, true);
  EXPECT_FALSE(access.View(0).animationActive) << "an inactive view runs no animation";
  EXPECT_EQ(access.EnvironmentOverload(), nullptr) << "nothing streams any more";
  EXPECT_EQ(access.BackgroundChangedCallbackId(), 0);
  EXPECT_EQ(viewer->SetViewActivation(0, true), S_OK);
  EXPECT_NE(access.EnvironmentOverload(), nullptr);
  EXPECT_EQ(Window()->GetInfiniteEnvOverload(), access.EnvironmentOverload());
}

TEST_F(ViewLifecycleTest, ConnectingABeyondTheTableGrowsItWithAutoDisconnectOff) {
  RenderOnCameraChange(Vis::kJpegSession);
  ASSERT_EQ(Connect(), S_OK);
  viewer->ActivateAutoDisconnect(false);
  // View 5 has no viewpoint of its own: it never shows a picture.
  auto now = std::chrono::steady_clock::time_point{};
  access.SetMonotonicClock([&now] { return now += std::chrono::seconds(31); });
  EXPECT_EQ(viewer->ConnectView(5, Params()), E_ACCESSDENIED);
  EXPECT_EQ(access.Views().size(), 6u);
  for (unsigned int index = 1; index < 6; ++index) EXPECT_EQ(access.View(index).mutex, nullptr);

  viewer->ActivateAutoDisconnect(true);  // one displayed viewpoint: one entry
  EXPECT_EQ(access.Views().size(), 1u);
  EXPECT_NE(access.View(0).mutex, nullptr);
}

TEST_F(ViewLifecycleTest, AnEntryActivatedBeforeItsConnectionSubscribesToNothing) {
  RenderOnCameraChange(Vis::kJpegSession);
  ASSERT_EQ(Connect(), S_OK);
  viewer->ActivateAutoDisconnect(false);
  access.GrowViews(2);
  EXPECT_EQ(viewer->SetViewActivation(1, true), S_OK) << "activation needs no connection";
  auto now = std::chrono::steady_clock::time_point{};
  access.SetMonotonicClock([&now] { return now += std::chrono::seconds(31); });
  EXPECT_EQ(viewer->ConnectView(1, Params()), E_ACCESSDENIED);
  EXPECT_EQ(node.GetNodeServer().GetSubscriberCount("StreamingEvent"), 1u) << "view 0's only";
}

TEST_F(ViewLifecycleTest, DisconnectingTheLastActiveViewEndsTheStreamingState) {
  RenderOnCameraChange(Vis::kJpegSession);
  ASSERT_EQ(Connect(), S_OK);
  EXPECT_NE(access.BackgroundChangedCallbackId(), 0);
  viewer->DisconnectView(0);
  EXPECT_EQ(access.EnvironmentOverload(), nullptr);
  EXPECT_EQ(access.BackgroundChangedCallbackId(), 0);
  EXPECT_EQ(Window()->GetInfiniteEnvOverload(), nullptr);
  EXPECT_EQ(viewer->GetViewIndexFromSessionID(kSession), 0) << "the session is remembered";
}

struct UrlCase {
  const char* service;
  const char* login;  // null: refused
};

class LoginUrlTest : public testing::TestWithParam<UrlCase> {};

TEST_P(LoginUrlTest, DerivesTheLoginServiceAddress) {
  KROUnicodeString login = "untouched";
  const bool converted = KRO3DStreamingViewer::ConvertToOstraneURL(GetParam().service, login);
  EXPECT_EQ(converted, GetParam().login != nullptr);
  EXPECT_EQ(login, KROUnicodeString(GetParam().login ? GetParam().login : "untouched"));
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, LoginUrlTest,
    testing::Values(UrlCase{"wss://render-krostream.example.com/hypervisor/session",
                            "https://render-iam.example.com/session"},
                    UrlCase{"wss://a-krostream-krostream.example/hypervisor/hypervisor",
                            "https://a-iam-iam.example"},
                    UrlCase{"https://render-krostream.example.com/hypervisor", nullptr},
                    UrlCase{" wss://render-krostream.example.com/hypervisor", nullptr},
                    UrlCase{"wss://render.example.com/hypervisor", nullptr},
                    UrlCase{"wss://render-krostream.example.com/", nullptr}));

}  // namespace
