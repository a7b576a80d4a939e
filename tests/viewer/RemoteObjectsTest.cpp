#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KROPtr.h"
#include "KROVisOrthogonalCamera.h"
#include "KROVisPerspectiveCamera.h"
#include "TraceCapture.h"
#include "VOZ/Parameters.h"
#include "VOZ/RecordCodec.h"
#include "Vis/UID.h"
#include "camera/RemoteObjectTypes.h"
#include "camera/VisRepPath.h"

namespace {

using RemoteObjectType::kCamera;
using RemoteObjectType::kFrameId;
using RemoteObjectType::kRepPath;

using PublishedErrors = TestSupport::TraceCapture;

// What travels: encode and decode as the wire does.
VOZ::Parameters OverTheWire(const VOZ::Parameters& record) {
  auto bytes = std::make_shared<const std::vector<unsigned char>>(VOZ::EncodeRecord(record));
  VOZ::Parameters decoded;
  EXPECT_EQ(VOZ::DecodeRecord(bytes, decoded), S_OK);
  return decoded;
}

template <class Camera>
KROPtr<KROVisCamera> MakeCamera() {
  return KROPtr<KROVisCamera>::Adopt(
      Camera::Create({1.5, -2.25, 1e9}, {0.0f, 0.6f, -0.8f}, {0.0f, 0.8f, 0.6f}));
}

void ExpectSameCamera(const KROVisCamera& a, const KROVisCamera& b) {
  EXPECT_EQ(a.GetType(), b.GetType());
  EXPECT_EQ(a.GetOrigin(), b.GetOrigin());
  EXPECT_EQ(a.GetDirection(), b.GetDirection());
  EXPECT_EQ(a.GetUpDirection(), b.GetUpDirection());
  EXPECT_EQ(a.IsAutomaticClipping(), b.IsAutomaticClipping());
  if (!a.IsAutomaticClipping()) {
    EXPECT_EQ(a.GetNearDistance(), b.GetNearDistance());
    EXPECT_EQ(a.GetFarDistance(), b.GetFarDistance());
  }
  EXPECT_EQ(a.GetFocusDistance(), b.GetFocusDistance());
  EXPECT_EQ(a.GetAngle(), b.GetAngle());
  EXPECT_EQ(a.GetAperture(), b.GetAperture());
  if (a.GetType() == 0) {
    const auto& la = static_cast<const KROVisPerspectiveCamera&>(a);
    const auto& lb = static_cast<const KROVisPerspectiveCamera&>(b);
    EXPECT_EQ(la.GetBlades(), lb.GetBlades());
    EXPECT_EQ(la.GetBladeRotation(), lb.GetBladeRotation());
  }
}

KROVisCamera* RoundTrip(const KROVisCamera& camera) {
  VOZ::Parameters request;
  request.WriteObject<KROVisCamera>("camera", kCamera, camera);
  KROVisCamera* read = nullptr;
  EXPECT_EQ(OverTheWire(request).ReadObject("camera", kCamera, read), S_OK);
  return read;
}

TEST(RemoteObjects, BothCameraKindsSurviveTheTripWithEveryProperty) {
  for (bool automaticClipping : {true, false}) {
    for (auto camera :
         {MakeCamera<KROVisPerspectiveCamera>(), MakeCamera<KROVisOrthogonalCamera>()}) {
      camera->SetNearDistance(0.25f);
      camera->SetFarDistance(512.5f);
      camera->SetAutomaticClipping(automaticClipping);
      camera->SetFocusDistance(7.125f);
      camera->SetAngle(33.3f);
      camera->SetAperture(0.01f);
      if (camera->GetType() == 0) {
        static_cast<KROVisPerspectiveCamera*>(camera.Get())->SetBlades(6);
        static_cast<KROVisPerspectiveCamera*>(camera.Get())->SetBladeRotation(0.75f);
      }
      auto read = KROPtr<KROVisCamera>::Adopt(RoundTrip(*camera));
      ASSERT_TRUE(read);
      ExpectSameCamera(*camera, *read);
      EXPECT_EQ(read->GetRefCount(), 1u) << "the reader owns the one reference";
    }
  }
}

TEST(RemoteObjects, RepPathsAndFrameIdsSurviveTheTripInOrder) {
  std::vector<std::unique_ptr<Vis::RepPath>> paths;
  paths.push_back(std::make_unique<Vis::RepPath>(Vis::RepPath{{"engine", "piston"}, {3, -1}}));
  paths.push_back(std::make_unique<Vis::RepPath>(Vis::RepPath{{"wheel"}, {}}));
  std::vector<std::unique_ptr<Vis::UID>> frames;
  frames.push_back(std::make_unique<Vis::UID>("12"));
  frames.push_back(std::make_unique<Vis::UID>("7"));
  VOZ::Parameters record;
  ASSERT_EQ(record.WriteObjectArray("repIds", kRepPath, paths), S_OK);
  ASSERT_EQ(record.WriteObjectArray("frameIds", kFrameId, frames), S_OK);

  const VOZ::Parameters received = OverTheWire(record);
  std::vector<std::unique_ptr<Vis::RepPath>> readPaths;
  std::vector<std::unique_ptr<Vis::UID>> readFrames;
  ASSERT_EQ(received.ReadObjectArray("repIds", kRepPath, readPaths), S_OK);
  ASSERT_EQ(received.ReadObjectArray("frameIds", kFrameId, readFrames), S_OK);
  ASSERT_EQ(readPaths.size(), 2u);
  EXPECT_EQ(*readPaths[0], *paths[0]);
  EXPECT_EQ(*readPaths[1], *paths[1]);
  ASSERT_EQ(readFrames.size(), 2u);
  EXPECT_EQ(readFrames[0]->ToString(), "12");
  EXPECT_EQ(readFrames[1]->ToInt(), 7u);
}

TEST(RemoteObjects, AMissingPropertyFailsQuietlyAndLeavesThePointer) {
  PublishedErrors errors;
  VOZ::Parameters answer;
  KROVisCamera* camera = reinterpret_cast<KROVisCamera*>(0x1);  // sentinel: must stay as it was
  EXPECT_EQ(answer.ReadObject("camera", kCamera, camera), E_FAIL);
  EXPECT_EQ(camera, reinterpret_cast<KROVisCamera*>(0x1));
  std::vector<std::unique_ptr<Vis::RepPath>> paths;
  EXPECT_EQ(answer.ReadObjectArray("repIds", kRepPath, paths), E_FAIL);
  EXPECT_TRUE(errors.Texts().empty());
}

TEST(RemoteObjects, AnUnknownTypeKeyNullsThePointerAndPublishesTheReadText) {
  PublishedErrors errors;
  VOZ::Parameters answer;
  answer.WriteObjectPrivate("camera", "VisVOZCameraV2", VOZ::Parameters{});
  KROVisCamera* camera = nullptr;
  // Read under a key that has no unserialiser for cameras.
  EXPECT_EQ(answer.ReadObject("camera", "VisVOZCameraV2", camera), E_FAIL);
  EXPECT_EQ(camera, nullptr);
  EXPECT_EQ(errors.Texts(),
            std::vector<std::string>{"Unserialize Error in Parameters::ReadObject() "
                                     "property <camera> type <VisVOZCameraV2>"});
}

TEST(RemoteObjects, AnUnreadableCameraRecordPublishesTheReadText) {
  PublishedErrors errors;
  VOZ::Parameters answer;
  VOZ::Parameters partial;
  partial.WriteUint8("kind", 0);  // the rest is missing
  answer.WriteObjectPrivate("camera", kCamera, partial);
  KROVisCamera* camera = nullptr;
  EXPECT_EQ(answer.ReadObject("camera", kCamera, camera), E_FAIL);
  EXPECT_EQ(camera, nullptr);
  EXPECT_EQ(errors.Texts(),
            std::vector<std::string>{"Unserialize Error in Parameters::ReadObject() "
                                     "property <camera> type <VisVOZCamera>"});
}

TEST(RemoteObjects, AnArrayWithAnUnreadableSecondRecordKeepsTheFirstObject) {
  PublishedErrors errors;
  VOZ::Parameters good;
  good.WriteStringArray("repIds", {"a"});
  good.WriteInt32Array("subElementIndices", {});
  std::vector<std::unique_ptr<VOZ::Parameters>> records;
  records.push_back(std::make_unique<VOZ::Parameters>(good));
  records.push_back(std::make_unique<VOZ::Parameters>());  // cannot be unserialised
  records.push_back(std::make_unique<VOZ::Parameters>(good));
  VOZ::Parameters answer;
  answer.WriteObjectArrayPrivate("repIds", kRepPath, std::move(records));

  std::vector<std::unique_ptr<Vis::RepPath>> paths;
  EXPECT_LT(answer.ReadObjectArray("repIds", kRepPath, paths), 0);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0]->repIDs[0], KROUnicodeString("a"));
  EXPECT_EQ(errors.Texts(),
            std::vector<std::string>{"Unserialize Error in Parameters::ReadObjectArray() "
                                     "property <repIds> type <VisVOZRepPath>"});
}

TEST(RemoteObjects, WritingArraysHoldingANullEntryWritesNothingQuietly) {
  PublishedErrors errors;
  std::vector<std::unique_ptr<Vis::RepPath>> paths;
  paths.push_back(std::make_unique<Vis::RepPath>(Vis::RepPath{{"a"}, {}}));
  paths.push_back(nullptr);
  VOZ::Parameters request;
  EXPECT_EQ(request.WriteObjectArray("repIds", kRepPath, paths), E_FAIL);
  EXPECT_FALSE(request.Has("repIds"));
  EXPECT_TRUE(errors.Texts().empty());
}

TEST(RemoteObjects, AnEmptyArrayIsWrittenWithNoElements) {
  VOZ::Parameters request;
  ASSERT_EQ(
      request.WriteObjectArray("repIds", kRepPath, std::vector<std::unique_ptr<Vis::RepPath>>{}),
      S_OK);
  std::vector<std::unique_ptr<Vis::RepPath>> paths;
  EXPECT_EQ(OverTheWire(request).ReadObjectArray("repIds", kRepPath, paths), S_OK);
  EXPECT_TRUE(paths.empty());
}

TEST(RemoteObjects, ACameraWithoutSerialiserLeavesTheRequestWithoutItAndPublishesTheWriteText) {
  PublishedErrors errors;
  VOZ::Parameters request;
  auto camera = MakeCamera<KROVisPerspectiveCamera>();
  request.WriteObject<KROVisCamera>("camera", "VisVOZCameraV2", *camera);
  EXPECT_FALSE(request.Has("camera"));
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"Serialize Error in Parameters::WriteObject() "
                                                     "property <camera> type <VisVOZCameraV2>"});
}

}  // namespace
