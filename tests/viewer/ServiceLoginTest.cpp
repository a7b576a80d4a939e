#include <gtest/gtest.h>

#include "StreamingViewerFixture.h"
#include "TraceCapture.h"
#include "Vorn/Hypervisor.h"
#include "Vorn/LoginService.h"

namespace {

// A rendering service that serves only clients holding a service ticket of its login service.
class ServiceLoginTest : public testing::Test {
 protected:
  static constexpr const char* kServer = "RenderServer";
  static constexpr const char* kSession = "session-A";

  void SetUp() override {
    ASSERT_TRUE(KRO3DStreamingViewer::ConvertToOstraneURL(node.GetUrl(), loginURL));
    ASSERT_EQ(login.ListenInProcess(loginURL.ToStdString()), S_OK);
    login.AddUser("alice", "s3cret-pw");
    node.GetHypervisor().RequireGrants(loginURL.ToStdString(), "VIZURER");
    node.Script("streamingSetCamera", {.then = [this](std::uint64_t) {
                  std::vector<unsigned char> pixels(320 * 200 * 4, 0x40);
                  VOZ::Parameters frame;
                  frame.WriteBuffer("colorImgBuffer",
                                    Vorn::Binary::Copy(pixels.data(), pixels.size()));
                  node.Publish("StreamingEvent", frame);
                }});
    static_cast<KROGraphicWindow*>(viewer->GetSupport())->Expose();
  }
  HRESULT Connect(const char* user, const char* password) {
    return viewer->SetConnectionParameters(
        node.GetUrl(), {kSession, kServer, Vis::kViewSizedRawSession}, {"", user, password});
  }
  // No trace may hold a password or a ticket.
  void ExpectNoSecret(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
      EXPECT_EQ(text.find("pw"), std::string::npos) << text;
      EXPECT_EQ(text.find("ST-"), std::string::npos) << text;
      EXPECT_EQ(text.find("TGT-"), std::string::npos) << text;
    }
  }

  TestSupport::ScriptedRenderingNode node{kServer, kSession};
  Vorn::LoginService login;
  KROUnicodeString loginURL;
  ViewerHolder viewer = MakeViewer();
  KRO3DStreamingViewerTestAccess access{*viewer};
};

TEST_F(ServiceLoginTest, RightCredentialsGrantTheServiceAndTracesKeepTheSecrets) {
  TestSupport::TraceCapture traces;
  ASSERT_EQ(Connect("alice", "s3cret-pw"), S_OK);
  EXPECT_TRUE(viewer->IsViewActive(0));
  const auto texts = traces.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "VIZURER"), texts.end());
  ExpectNoSecret(texts);
}

TEST_F(ServiceLoginTest, AWrongPasswordFailsTheSelectionAndTheConnection) {
  TestSupport::TraceCapture traces;
  EXPECT_LT(Connect("alice", "wrong-pw"), 0);
  EXPECT_FALSE(viewer->IsViewActive(0));
  ExpectNoSecret(traces.Texts());
}

TEST_F(ServiceLoginTest, WithoutCredentialsTheServiceRefusesToSelect) {
  EXPECT_LT(
      viewer->SetConnectionParameters(node.GetUrl(), {kSession, kServer, Vis::kViewSizedRawSession},
                                      KRO3DStreamingViewer::kNoAuthentification),
      0);
}

TEST_F(ServiceLoginTest, TheLoginSessionOutlivesNewConnectionParameters) {
  ASSERT_EQ(Connect("alice", "s3cret-pw"), S_OK);
  TestSupport::TraceCapture traces("CASContext");
  // The session logged in once: later credentials are not looked at.
  EXPECT_EQ(Connect("mallory", "other-pw"), S_OK);
  const auto texts = traces.Texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front().rfind("present, ", 0), 0u) << "the ticket-granting ticket, described";
  ExpectNoSecret(texts);
}

}  // namespace
