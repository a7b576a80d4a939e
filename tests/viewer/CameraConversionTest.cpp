#include <gtest/gtest.h>

#include "KROVisOrthogonalCamera.h"
#include "KROVisPerspectiveCamera.h"
#include "StreamingViewerFixture.h"

namespace {

class CameraConversionTest : public StreamingViewerTest {
 protected:
  KRO3DViewpoint& Viewpoint() { return *access.View(0).viewpoint; }
  KROPtr<KROVisCamera> FromViewpoint() {
    return KROPtr<KROVisCamera>::Adopt(access.CameraFromViewpoint(0));
  }
  std::size_t CameraCalls() {
    std::size_t count = 0;
    for (const auto& call : node.Calls()) count += call.function == "streamingSetCamera";
    return count;
  }
};

TEST_F(CameraConversionTest, APerspectiveViewpointGivesAPerspectiveCameraWithEveryProperty) {
  KRO3DViewpoint& vp = Viewpoint();
  vp.SetOrigin({1, 2, 3});
  vp.SetSightDirection({0, 0, -1});
  vp.SetUpDirection({0, 1, 0});
  vp.SetFocusDistance(4.5f);
  vp.SetAngle(40.0f);
  vp.SetAperture(0.5f);
  vp.SetBladeCount(7);
  vp.SetBladeRotation(0.25f);
  auto camera = FromViewpoint();
  ASSERT_TRUE(camera);
  EXPECT_EQ(camera->GetType(), 0);
  EXPECT_EQ(camera->GetOrigin(), (KROMathPoint{1, 2, 3}));
  EXPECT_EQ(camera->GetDirection(), (KROMathDirectionf{0, 0, -1}));
  EXPECT_EQ(camera->GetFocusDistance(), 4.5f);
  EXPECT_EQ(camera->GetAngle(), 40.0f);
  EXPECT_EQ(camera->GetAperture(), 0.5f);
  const auto& lens = static_cast<const KROVisPerspectiveCamera&>(*camera);
  EXPECT_EQ(lens.GetBlades(), 7);
  EXPECT_EQ(lens.GetBladeRotation(), 0.25f);
}

TEST_F(CameraConversionTest, OrthogonalCamerasCarryNoBladesEitherWay) {
  Viewpoint().SetProjectionType(KRO3DViewpoint::kOrthogonalProjection);
  Viewpoint().SetBladeCount(5);
  auto camera = FromViewpoint();
  ASSERT_TRUE(camera);
  EXPECT_NE(camera->GetType(), 0);

  Viewpoint().SetProjectionType(KRO3DViewpoint::kPerspectiveProjection);
  access.ApplyCamera(0, *camera, true);
  EXPECT_EQ(Viewpoint().GetProjectionType(), KRO3DViewpoint::kOrthogonalProjection);
  EXPECT_EQ(Viewpoint().GetBladeCount(), 5) << "an orthogonal camera leaves the blades alone";
}

struct ClippingCase {
  int mode;
  bool automatic;  // of the camera made from the viewpoint
  float nearValue, farValue;
};

class ClippingTest : public CameraConversionTest,
                     public testing::WithParamInterface<ClippingCase> {};

TEST_P(ClippingTest, ModesZeroAndThreeHaveCameraCounterpartsTheOthersNone) {
  const ClippingCase& c = GetParam();
  Viewpoint().SetClippingMode(c.mode);
  Viewpoint().SetClippingValue(2.0f, 50.0f);
  auto camera = FromViewpoint();
  ASSERT_TRUE(camera);
  EXPECT_EQ(camera->IsAutomaticClipping(), c.automatic);
  EXPECT_EQ(camera->GetNearDistance(), c.nearValue);
  EXPECT_EQ(camera->GetFarDistance(), c.farValue);
}

// A new host camera clips automatically with its own distances: modes 1 and 2 keep that.
INSTANTIATE_TEST_SUITE_P(Modes, ClippingTest,
                         testing::Values(ClippingCase{0, true, 0.1f, 1000.0f},
                                         ClippingCase{3, false, 2.0f, 50.0f},
                                         ClippingCase{1, true, 0.1f, 1000.0f},
                                         ClippingCase{2, true, 0.1f, 1000.0f}));

TEST_F(CameraConversionTest, ApplyingACameraSetsTheClippingModeFromItsFlag) {
  auto camera = KROPtr<KROVisCamera>::Adopt(
      KROVisPerspectiveCamera::Create({0, 0, 9}, {0, 0, -1}, {0, 1, 0}));
  camera->SetNearDistance(3.0f);
  camera->SetFarDistance(30.0f);
  access.ApplyCamera(0, *camera, true);
  float nearValue = 0, farValue = 0;
  Viewpoint().GetClippingValue(nearValue, farValue);
  EXPECT_EQ(Viewpoint().GetClippingMode(), 3);
  EXPECT_EQ(nearValue, 3.0f);
  EXPECT_EQ(farValue, 30.0f);
  EXPECT_EQ(Viewpoint().GetOrigin(), (KROMathPoint{0, 0, 9}));

  camera->SetAutomaticClipping(true);
  access.ApplyCamera(0, *camera, true);
  EXPECT_EQ(Viewpoint().GetClippingMode(), 0);
  Viewpoint().GetClippingValue(nearValue, farValue);
  EXPECT_EQ(nearValue, 3.0f) << "automatic clipping keeps the stored values";
}

TEST_F(CameraConversionTest, AForcedCameraIsNotSentBackAReframeAnswerIs) {
  auto camera = KROPtr<KROVisCamera>::Adopt(
      KROVisPerspectiveCamera::Create({0, 0, 7}, {0, 0, -1}, {0, 1, 0}));
  const unsigned int subscribed = access.View(0).viewpointModifiedCallbackId;
  access.ApplyCamera(0, *camera, true);
  EXPECT_NE(access.View(0).viewpointModifiedCallbackId, 0u) << "subscribed again";
  EXPECT_NE(access.View(0).viewpointModifiedCallbackId, subscribed);
  EXPECT_EQ(CameraCalls(), 0u);

  camera->SetOrigin({0, 0, 8});
  access.ApplyCamera(0, *camera, false);
  ASSERT_TRUE(node.WaitForCalls(1));
  EXPECT_EQ(CameraCalls(), 1u);
}

TEST_F(CameraConversionTest, AMutedCameraOnAViewWithoutSubscriptionSubscribesNothing) {
  access.Unsubscribe(0);
  auto camera =
      KROPtr<KROVisCamera>::Adopt(KROVisOrthogonalCamera::Create({0, 0, 7}, {0, 0, -1}, {0, 1, 0}));
  access.ApplyCamera(0, *camera, true);
  EXPECT_EQ(access.View(0).viewpointModifiedCallbackId, 0u);
}

TEST_F(CameraConversionTest, IndicesOutsideTheTableAreIgnored) {
  EXPECT_EQ(access.CameraFromViewpoint(3), nullptr);
  auto camera = FromViewpoint();
  access.ApplyCamera(3, *camera, false);
}

}  // namespace
