#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CaseName.h"
#include "KRO3DViewpoint.h"
#include "KROPtr.h"

namespace {

class ViewpointListener : public KROEventSubscriber {
 public:
  void OnEvent(const char* name, KROBaseUnknown*, KRONotification*, KROSubscriberData,
               KROCallbackId) {
    names.emplace_back(name);
  }
  int Count(const char* name) const {
    return static_cast<int>(std::count(names.begin(), names.end(), name));
  }
  std::vector<std::string> names;
};

class ViewpointTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name :
         {KRO3DViewpoint::VIEWPOINT_MODIFIED(), KRO3DViewpoint::VIEWPORT_MV_MODIFIED()}) {
      listener->AddCallback(viewpoint.Get(), name, &ViewpointListener::OnEvent, 0);
    }
  }
  int Modified() const { return listener->Count(KRO3DViewpoint::VIEWPOINT_MODIFIED()); }

  KROPtr<KRO3DViewpoint> viewpoint = KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint);
  KROPtr<ViewpointListener> listener = KROPtr<ViewpointListener>::Adopt(new ViewpointListener);
};

TEST_F(ViewpointTest, StartsAsAPerspectiveEyeOnPlusZLookingAtTheOriginWithYUp) {
  EXPECT_EQ(viewpoint->GetProjectionType(), KRO3DViewpoint::kPerspectiveProjection);
  const KROMathPoint& eye = viewpoint->GetOrigin();
  const KROMathDirectionf& sight = viewpoint->GetSightDirection();
  const float focus = viewpoint->GetFocusDistance();
  EXPECT_GT(eye.z, 0.0);
  EXPECT_EQ(
      (KROMathPoint{eye.x + focus * sight.x, eye.y + focus * sight.y, eye.z + focus * sight.z}),
      (KROMathPoint{}))
      << "the focus point is the origin";
  EXPECT_EQ(viewpoint->GetUpDirection(), (KROMathDirectionf{0, 1, 0}));
  EXPECT_EQ(viewpoint->GetClippingMode(), 0);
  EXPECT_FLOAT_EQ(viewpoint->GetAngle(), 30.0f);
  EXPECT_FLOAT_EQ(viewpoint->GetAperture(), 0.0f);
}

struct CameraChange {
  const char* name;
  std::function<void(KRO3DViewpoint&)> apply;
  std::function<bool(const KRO3DViewpoint&)> holds;
};

class CameraChangeTest : public ViewpointTest, public testing::WithParamInterface<CameraChange> {};

TEST_P(CameraChangeTest, OutsideABracketPublishesAtOnceAndOnlyWhenTheValueChanges) {
  GetParam().apply(*viewpoint);
  EXPECT_TRUE(GetParam().holds(*viewpoint));
  EXPECT_EQ(Modified(), 1);
  GetParam().apply(*viewpoint);
  EXPECT_EQ(Modified(), 1) << "the same value again is no change";
}

INSTANTIATE_TEST_SUITE_P(
    Viewpoint, CameraChangeTest,
    testing::Values(CameraChange{"ProjectionType", [](auto& v) { v.SetProjectionType(0); },
                                 [](const auto& v) { return v.GetProjectionType() == 0; }},
                    CameraChange{"Origin",
                                 [](auto& v) {
                                   v.SetOrigin({1, 2, 3});
                                 },
                                 [](const auto& v) {
                                   return v.GetOrigin() == KROMathPoint{1, 2, 3};
                                 }},
                    CameraChange{"SightDirection",
                                 [](auto& v) {
                                   v.SetSightDirection({1, 0, 0});
                                 },
                                 [](const auto& v) {
                                   return v.GetSightDirection() == KROMathDirectionf{1, 0, 0};
                                 }},
                    CameraChange{"UpDirection",
                                 [](auto& v) {
                                   v.SetUpDirection({0, 0, 1});
                                 },
                                 [](const auto& v) {
                                   return v.GetUpDirection() == KROMathDirectionf{0, 0, 1};
                                 }},
                    CameraChange{"ClippingMode", [](auto& v) { v.SetClippingMode(1); },
                                 [](const auto& v) { return v.GetClippingMode() == 1; }},
                    CameraChange{"ClippingValue", [](auto& v) { v.SetClippingValue(2.0f, 50.0f); },
                                 [](const auto& v) {
                                   float nearValue = 0;
                                   float farValue = 0;
                                   v.GetClippingValue(nearValue, farValue);
                                   return nearValue == 2.0f && farValue == 50.0f;
                                 }},
                    CameraChange{"FocusDistance", [](auto& v) { v.SetFocusDistance(7.0f); },
                                 [](const auto& v) { return v.GetFocusDistance() == 7.0f; }},
                    CameraChange{"Angle", [](auto& v) { v.SetAngle(45.0f); },
                                 [](const auto& v) { return v.GetAngle() == 45.0f; }},
                    CameraChange{"Aperture", [](auto& v) { v.SetAperture(0.5f); },
                                 [](const auto& v) { return v.GetAperture() == 0.5f; }},
                    CameraChange{"BladeCount", [](auto& v) { v.SetBladeCount(6); },
                                 [](const auto& v) { return v.GetBladeCount() == 6; }},
                    CameraChange{"BladeRotation", [](auto& v) { v.SetBladeRotation(0.25f); },
                                 [](const auto& v) { return v.GetBladeRotation() == 0.25f; }}),
    host_test::CaseName());

TEST_F(ViewpointTest, ABracketGathersSeveralChangesIntoOneNotificationAtItsEnd) {
  viewpoint->BeginModification();
  viewpoint->SetOrigin({0, 0, 5});
  viewpoint->SetAngle(20.0f);
  viewpoint->SetClippingValue(1.0f, 10.0f);
  EXPECT_EQ(Modified(), 0);
  EXPECT_EQ(viewpoint->EndModification(1), S_OK);
  EXPECT_EQ(Modified(), 1);
}

TEST_F(ViewpointTest, ABracketEndedWithoutNotifyOrWithoutChangesPublishesNothing) {
  viewpoint->BeginModification();
  viewpoint->SetAngle(20.0f);
  viewpoint->EndModification(0);
  viewpoint->BeginModification();
  viewpoint->SetAngle(20.0f);
  viewpoint->EndModification(1);
  EXPECT_EQ(Modified(), 0);
  EXPECT_EQ(viewpoint->EndModification(1), E_UNEXPECTED) << "no bracket is open";
}

TEST_F(ViewpointTest, NestedBracketsPublishOnceAsTheOutermostEndSays) {
  viewpoint->BeginModification();
  viewpoint->BeginModification();
  viewpoint->SetAngle(20.0f);
  viewpoint->EndModification(1);
  viewpoint->SetAperture(1.0f);
  EXPECT_EQ(Modified(), 0);
  viewpoint->EndModification(1);
  EXPECT_EQ(Modified(), 1);

  viewpoint->BeginModification();
  viewpoint->BeginModification();
  viewpoint->SetAngle(25.0f);
  viewpoint->EndModification(1);
  viewpoint->EndModification(0);
  EXPECT_EQ(Modified(), 1);
}

TEST_F(ViewpointTest, AViewportChangePublishesViewportModifiedOnly) {
  viewpoint->SetViewport(10, 20, 300, 200);
  viewpoint->SetViewport(10, 20, 300, 200);
  EXPECT_EQ(listener->names, (std::vector<std::string>{KRO3DViewpoint::VIEWPORT_MV_MODIFIED()}));
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  viewpoint->GetViewport(x, y, width, height);
  EXPECT_EQ((std::vector<float>{x, y, width, height}), (std::vector<float>{10, 20, 300, 200}));
}

TEST_F(ViewpointTest, HoldsItsRepsOnceEach) {
  KROPtr<KRO3DRep> rep = KROPtr<KRO3DRep>::Adopt(new KRO3DRep);
  EXPECT_EQ(viewpoint->AddRep(rep.Get()), S_OK);
  EXPECT_EQ(viewpoint->AddRep(rep.Get()), S_FALSE);
  EXPECT_EQ(rep->GetRefCount(), 2u);
  EXPECT_EQ(viewpoint->GetReps().size(), 1u);
  EXPECT_EQ(viewpoint->RemoveRep(rep.Get()), S_OK);
  EXPECT_EQ(rep->GetRefCount(), 1u);
}

}  // namespace
